#ifndef LINEAREREGRESSION_H
#define LINEAREREGRESSION_H

#include "diagrams/xyplotter.h"

// "Lineare Regression": the XY plot with the least-squares line of y on x and its
// equation drawn over it.
class LineareRegression : public XYPlotter
{
    Q_OBJECT
public:
    explicit LineareRegression(QWidget* parent = nullptr);
    // The whole plot as every XY plot draws it; the hook below would hide it.
    using XYPlotter::paint;

protected:
    void paint(QPainter& p, const XYPlotGeometry::Layout& l) const override;
    // The equation with R² stands above the plot.
    int topLines() const override { return 1; }
};

#endif
