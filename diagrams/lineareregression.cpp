#include "diagrams/lineareregression.h"

#include <QPainter>

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
    p.drawText(r.textPos, r.text);
}
