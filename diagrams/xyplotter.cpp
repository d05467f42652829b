#include "diagrams/xyplotter.h"

#include <QMimeData>
#include <QPainter>
#include <QStandardItemModel>

#include "core/recomputescheduler.h"
#include "core/zahltext.h"
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

QString XYPlotter::spaltenTitel(int column) const
{
    if (!m_model || column < 0 || column >= m_model->columnCount())
        return QString();
    return m_model->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
}

XYPlotGeometry::Layout XYPlotter::plotLayout(const QPainter& p, const QSize& size) const
{
    return XYPlotGeometry::layout(xs, ys, size, QFontMetrics(font(), p.device()),
                                  spaltenTitel(xColumn), spaltenTitel(yColumn), topLines());
}

void XYPlotter::paint(QPainter& p, const QSize& size) const
{
    const XYPlotGeometry::Layout l = plotLayout(p, size);
    p.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    p.setFont(font());
    p.setPen(QPen());
    p.drawLines(l.axes);
    p.drawLines(l.ticks);
    for (const XYPlotGeometry::Label& t : l.labels)
        p.drawText(t.pos, t.text);
    // The base: the points plotted (rows with two finite numbers).
    p.drawText(l.captionPos, QStringLiteral("n = ") + ZahlText::shown(l.points, 'f', 0));
    p.setPen(QPen(QBrush(Qt::blue), 2));
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
    paint(p, size());
}
