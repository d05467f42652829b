#include "diagrams/xyplotter.h"

#include <QMimeData>
#include <QPainter>
#include <QStandardItemModel>

#include "core/recomputescheduler.h"
#include "core/zellenzahl.h"
#include "diagrams/viewdrag.h"
#include "diagrams/viewpicture.h"
#include "diagrams/xyplotgeometry.h"

XYPlotter::XYPlotter(QWidget* parent)
    : ModelClient(parent)
    , m_recompute(new RecomputeScheduler(this, [this] { updateData(); }))
{
}

void XYPlotter::setModel(QStandardItemModel* m)
{
    m_model = m;
    m_recompute->setModel(m);
    updateData();
}

void XYPlotter::setSpalten(int x, int y)
{
    xColumn = x;
    yColumn = y;
    updateData();
}

void XYPlotter::updateData()
{
    if (!m_model)
        return;
    xs.clear();
    ys.clear();
    const int rows = m_model->rowCount();
    xs.reserve(rows);
    ys.reserve(rows);
    for (int r = 0; r < rows; ++r) {
        xs << ZellenZahl::toDouble(m_model->data(m_model->index(r, xColumn)));
        ys << ZellenZahl::toDouble(m_model->data(m_model->index(r, yColumn)));
    }
    const XYPlotGeometry::Extremes e = XYPlotGeometry::extremes(xs, ys);
    minX = e.minX;
    maxX = e.maxX;
    minY = e.minY;
    maxY = e.maxY;
    update();
}

void XYPlotter::draw(QPainter& p, const QSize& size) const
{
    const XYPlotGeometry::Layout l = XYPlotGeometry::layout(xs, ys, size);
    p.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    p.setPen(QPen());
    p.drawLines(l.axes);
    p.setPen(Qt::blue);
    p.drawLines(l.markers);
    if (l.points > 0)
        paint(p, l);
}

void XYPlotter::paint(QPainter&, const XYPlotGeometry::Layout&) const
{
}

QMimeData* XYPlotter::createMimeData()
{
    auto* md = new QMimeData;
    md->setImageData(ViewPicture::of(this));
    return md;
}

void XYPlotter::mousePressEvent(QMouseEvent* e)
{
    ViewDrag::press(e, &dragStartPosition);
}

void XYPlotter::mouseMoveEvent(QMouseEvent* e)
{
    ViewDrag::move(this, e, dragStartPosition, [this] { return createMimeData(); });
}

void XYPlotter::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    draw(p, size());
}
