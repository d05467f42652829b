#ifndef DIAGRAMGEOMETRY_H
#define DIAGRAMGEOMETRY_H

#include <QFont>
#include <QLine>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QVector>

class QFontMetrics;
class QPainter;
class QSize;
class Diagram;

// Small pieces that the chart layouts share.
namespace DiagramGeometry {

// A text drawn with its baseline starting at pos. colorIndex -1 is black, otherwise
// the diagram's colour at that position.
struct Text {
    QString text;
    QPoint pos;
    int colorIndex = -1;
};

// What both bar charts draw around their bars: white background, bold title, the
// legend of row labels and the grid, and the base line drawn after the bars.
struct BarFrame {
    bool blank = true;      // no data: nothing is painted at all
    Text title;
    bool hasLegend = false;
    QRect legendBox;
    QVector<Text> legend;
    QVector<QLine> grid;
    QLine baseLine;
};

// Truncates toward zero, as every pixel coordinate of the charts does. Layouts never
// pass a non-finite value on purpose; should one slip through it gives 0, and values
// beyond any drawable range are clamped, so the cast is always defined.
int px(double v);

// The title with its baseline at y: from x = 5 if wider than width - 10, else centred
// in centreSpan. A title that does not fit is elided at the right, so that the cut
// is seen (the whole title is in the view list).
Text placeTitle(const QString& title, const QFontMetrics& titleFm, int width, int y,
                int centreSpan);

// The text as it fits into maxWidth pixels: itself, or elided at the right.
QString fitted(const QString& text, const QFontMetrics& fm, int maxWidth);

// Widget font, bold, one point larger: the titles of the bar and pie charts.
QFont titleFont(const QFont& widgetFont);

// "%1%2": the value in fixed notation with that many decimals and the desktop's
// decimal separator, then the unit ("nan" for NaN).
QString valueText(double v, const QString& postfix, int decimals = 1);
// Decimals of a chart's value texts: none where every value is a whole number (counts,
// also weighted ones that happen to be whole), one otherwise and for percentages.
int valueDecimals(const QVector<double>& d, const QString& postfix);

// Largest finite value of d; false if d holds none.
bool finiteMax(const QVector<double>& d, double* max);

// Width of the widest text, 0 for none.
int widest(const QStringList& texts, const QFontMetrics& fm);

// Lays out the legend of the row labels (none for an empty list): a box of the widest
// label plus 10 at x = width - that - gap, y = 25, one line per label. Returns the
// plot width left of the box (the width itself without a legend).
int layoutRowLegend(BarFrame& f, const QStringList& rowLabels, const QFontMetrics& fm,
                    int width, int gap);

// Paints the frame up to the grid; the bars and then the base line follow.
void paintBarFrame(QPainter& p, const BarFrame& f, const QSize& size, const Diagram& d);

// A value axis of round steps (1, 2 or 5 times a power of ten) from 0 to top, with
// steps + 1 lines. Not valid without a positive finite maximum.
struct RoundScale {
    bool valid = false;
    double top = 0;
    double step = 0;
    int steps = 0;
};
// The smallest round step that covers max in at most maxSteps steps; whole numbers
// (counts) never get a step below 1.
RoundScale roundScale(double max, bool whole, int maxSteps = 5);
// An axis of round steps over the values from lo to hi: first + i * step for i = 0 to
// steps, the first at or below lo, the last at or above hi. Equal ends span one step
// either side. Not valid for non-finite ends or a span a double cannot hold.
struct RoundRange {
    bool valid = false;
    double first = 0;
    double step = 0;
    int steps = 0;
    double last() const { return first + steps * step; }
};
RoundRange roundRange(double lo, double hi, int maxSteps = 5);
// The smallest of 1, 2, 5 times a power of ten that is at least raw (raw > 0).
double roundStep(double raw);
// Whether every finite value is a whole number.
bool allWhole(const QVector<double>& d);
// The number at a line of the axis: as many decimals as the step needs, in the
// desktop's number format.
QString axisNumber(double v, double step);

// Pixels between a value axis and the numbers beside it.
constexpr int AxisGap = 4;
// A number of a vertical value axis: it ends AxisGap left of the axis at axisX and its
// height is centred on the grid line at lineY, so that no line runs through it.
Text axisTextLeftOf(const QString& text, const QFontMetrics& fm, int axisX, int lineY);
// The rectangle a text drawn with its baseline at t.pos covers (ascent to descent).
QRect textBox(const Text& t, const QFontMetrics& fm);
// Every how many categories a label is drawn when categories lie pitch pixels apart
// and a label needs lineHeight: 1 where all fit, 0 where none can be told apart
// (categories on the same pixel row).
int labelStride(int pitch, int lineHeight);

// Side of the colour square before a legend text, and the room it takes with its gap.
int swatchSize(const QFontMetrics& fm);
int swatchRoom(const QFontMetrics& fm);

// Draws the texts in the current font: black, a text with a colour index after a square
// of that colour (a legend entry; its layout left swatchRoom for it).
void drawTexts(QPainter& p, const QVector<Text>& texts, const Diagram& d);
void drawText(QPainter& p, const Text& t, const Diagram& d);

} // namespace DiagramGeometry

#endif
