#include "diagrams/lineareregression.h"

#include <QPainter>

#include "diagrams/diagramgeometry.h"
#include "diagrams/xyplotgeometry.h"

LineareRegression::LineareRegression(QWidget* parent)
    : XYPlotter(parent)
{
}

void LineareRegression::paint(QPainter& p, const XYPlotGeometry::Layout& l) const
{
    const XYPlotGeometry::RegressionLayout r = XYPlotGeometry::regressionLayout(l, xs, ys);
    if (!r.drawn)
        return;
    p.setPen(QPen(QBrush(Qt::red), 5, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
    p.drawLine(r.line);
    p.setPen(QPen(Qt::black));
    // A narrow plot cuts the line's text at the right rather than past its edge.
    p.drawText(r.textPos, DiagramGeometry::fitted(r.text, p.fontMetrics(), l.width - r.textPos.x() - 5));
}
