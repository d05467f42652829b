#include "diagrams/xyplotter.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QDataStream>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include "core/spaltenspeicher.h"

#include "core/fehlendewerte.h"
#include "diagrams/modelclient.h"
#include "core/angaben.h"
#include "core/recomputescheduler.h"
#include "core/dateiversion.h"
#include "diagrams/menurunner.h"
#include "core/regressionsgerade.h"
#include "diagrams/diagramgeometry.h"
#include "diagrams/viewdrag.h"
#include "diagrams/viewpicture.h"
#include "diagrams/xyplotgeometry.h"

XYPlotter::XYPlotter(QWidget* parent)
    : ModelClient(parent)
    , m_recompute(new RecomputeScheduler(this, [this] { updateData(); }))
{
    const QList<QAction*> filterActions = RowFilter::createActions(this);
    m_linkAction = filterActions.at(0);
    m_unlinkAction = filterActions.at(1);
    setContextMenuPolicy(Qt::DefaultContextMenu);
}

namespace {
// Whether the plot's filter differs from a new plot's: only then does the record need
// the version that holds it.
bool xyFilterIsSet(const RowFilter& f)
{
    return f.depColumn() >= 0 || f.excluded() != QStringList{QString(QLatin1String(""))};
}
}

void XYPlotter::saveData(QDataStream& s, int version)
{
    if (version >= DateiVersion::XYFilterVersion)
        m_filter.write(s);
}

void XYPlotter::loadData(QDataStream& s, int version)
{
    if (version >= DateiVersion::XYFilterVersion && m_filter.read(s))
        updateData();
}

int XYPlotter::neededVersion() const
{
    return xyFilterIsSet(m_filter) ? DateiVersion::XYFilterVersion : 0;
}

void XYPlotter::setDepFilter(QString value, int column)
{
    m_filter.setDependency(value, column);
    updateData();
}

void XYPlotter::depAction()
{
    RowFilter::runDepAction(this);
    ModelClient::notifyChanged(this);
}

void XYPlotter::undepAction()
{
    RowFilter::runUndepAction(this);
    ModelClient::notifyChanged(this);
}

QStringList XYPlotter::captionLines(int points) const
{
    return Angaben::lines(m_model, m_filter, {points});
}

void XYPlotter::setModel(SpaltenSpeicher* m)
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
    // Only the dependency filter (no entry of this view sets the input filter); a row
    // with an empty or non-number cell, or an answer declared missing in either column,
    // is left out, as the regression command leaves it.
    const QStringList xMissing = FehlendeWerte::codes(m_model, xColumn);
    const QStringList yMissing = FehlendeWerte::codes(m_model, yColumn);
    for (int r = 0; r < rows; ++r) {
        if (!m_filter.admitsRow(m_model, r))
            continue;
        const QVariant xCell = m_model->data(m_model->index(r, xColumn));
        const QVariant yCell = m_model->data(m_model->index(r, yColumn));
        if (FehlendeWerte::erklaert(xCell, xMissing) || FehlendeWerte::erklaert(yCell, yMissing))
            continue;
        double x = 0;
        double y = 0;
        if (!Regressionsgerade::paar(xCell, yCell, &x, &y))
            continue;
        xs << x;
        ys << y;
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
                                  spaltenTitel(xColumn), spaltenTitel(yColumn), topLines(),
                                  Angaben::filterLine(m_model, m_filter).isEmpty() ? 1 : 2);
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
    // The filter, then the base: the points plotted (rows with two finite numbers).
    const QStringList captions = captionLines(l.points);
    const QFontMetrics fm(font(), p.device());
    for (int i = 0; i < captions.size(); ++i)
        p.drawText(l.captionPos + QPoint(0, i * l.lineHeight),
                   DiagramGeometry::fitted(captions.at(i), fm, l.width - 10));
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

void XYPlotter::contextMenuEvent(QContextMenuEvent* e)
{
    QMenu menu;
    menu.addAction(m_linkAction);
    menu.addAction(m_unlinkAction);
    MenuRunner::exec(&menu, e->globalPos());
}

void XYPlotter::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    paint(p, size());
}
