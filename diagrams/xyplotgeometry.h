#ifndef XYPLOTGEOMETRY_H
#define XYPLOTGEOMETRY_H

#include <QLine>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QVector>

class QFontMetrics;

// Where the XY plot puts its axes, numbers, names, markers and regression line: pure
// functions of the values, the names, the font and the widget size, shared by painting
// and the tests.
namespace XYPlotGeometry {

// Extremes over the rows whose x and y are both finite; the others are not plotted.
struct Extremes {
    bool any = false;
    double minX = 0, maxX = 0, minY = 0, maxY = 0;
};
Extremes extremes(const QVector<double>& xs, const QVector<double>& ys);

struct Label {
    QString text;
    QPoint pos;   // baseline start
};

// Half the length of a marker's strokes: markers are 2 * MarkerArm + 1 pixels wide.
constexpr int MarkerArm = 4;
// Room between the axis frame and the outermost values.
constexpr int Margin = 10;

struct Layout {
    QVector<QLine> axes;     // the two axes and their arrow strokes
    QVector<QLine> ticks;    // a short stroke at every axis number
    QVector<Label> labels;   // axis numbers and the two column titles
    QVector<QLine> markers;  // two strokes per plotted point
    int points = 0;          // plotted points
    // The spans the axes show (round steps around the values).
    double minX = 0, maxX = 0, minY = 0, maxY = 0;
    double scaleX = 0, scaleY = 0;  // pixels per unit
    double left = 0;         // pixel of minX
    double bottom = 0;       // pixel of minY
    int width = 0, height = 0;
    QPoint captionPos;       // baseline of the first line under the plot ("Filter: ...", "n = ...")
    int lineHeight = 0;      // from one such line to the next
    QPoint topTextPos;       // baseline of a line above the plot (the regression's equation)
    // Plot position of a value pair, before truncation.
    double mapX(double x) const { return left + (x - minX) * scaleX; }
    double mapY(double y) const { return bottom - (y - minY) * scaleY; }
};
// topLines lines of text are kept free above the plot for the caller, captionLines
// (at least one: the base) under it.
Layout layout(const QVector<double>& xs, const QVector<double>& ys, const QSize& size,
              const QFontMetrics& fm, const QString& xName = QString(),
              const QString& yName = QString(), int topLines = 0, int captionLines = 1);

struct RegressionLayout {
    bool drawn = false;
    QLine line;
    QPoint textPos;  // baseline start of the equation
    QString text;    // the equation and, where defined, R² beside it
};
RegressionLayout regressionLayout(const Layout& l, const QVector<double>& xs,
                                  const QVector<double>& ys);

} // namespace XYPlotGeometry

#endif
