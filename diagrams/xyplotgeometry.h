#ifndef XYPLOTGEOMETRY_H
#define XYPLOTGEOMETRY_H

#include <QLine>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QVector>

// Where the XY plot puts its axes, markers and regression line: pure functions of the
// values and the widget size, shared by painting and the tests.
namespace XYPlotGeometry {

// Extremes over the rows whose x and y are both finite; the others are not plotted.
struct Extremes {
    bool any = false;
    double minX = 0, maxX = 0, minY = 0, maxY = 0;
};
Extremes extremes(const QVector<double>& xs, const QVector<double>& ys);

struct Layout {
    QVector<QLine> axes;     // the two axes and their arrow strokes
    QVector<QLine> markers;  // two strokes per plotted point
    int points = 0;          // plotted points
    // The spans the axes show: an axis whose values are all equal spans v - 1 to v + 1.
    double minX = 0, maxX = 0, minY = 0, maxY = 0;
    double scaleX = 0, scaleY = 0;  // pixels per unit
    int width = 0, height = 0;
    // Plot position of a value pair, before truncation.
    double mapX(double x) const { return 15 + (x - minX) * scaleX; }
    double mapY(double y) const { return height - (y - minY) * scaleY - 15; }
};
Layout layout(const QVector<double>& xs, const QVector<double>& ys, const QSize& size);

// Least-squares line y = a + b x over the plotted points; undefined without a point
// or when all x are equal (Sxx = 0).
struct Regression {
    bool defined = false;
    double a = 0, b = 0;
};
Regression regression(const QVector<double>& xs, const QVector<double>& ys);

// "y=%1x+%2" for a > 0, else "y=%1x-%2", with b and |a| to 6 significant digits in the
// desktop's number format.
QString equation(const Regression& r);

struct RegressionLayout {
    bool drawn = false;
    QLine line;
    QPoint textPos;  // baseline start of the equation
    QString text;
};
RegressionLayout regressionLayout(const Layout& l, const QVector<double>& xs,
                                  const QVector<double>& ys);

} // namespace XYPlotGeometry

#endif
