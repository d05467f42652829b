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

// "%1%2": the value in fixed notation with one decimal and the desktop's decimal
// separator, then the unit ("nan" for NaN).
QString valueText(double v, const QString& postfix);

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

// Draws the texts in the current font, each in its colour.
void drawTexts(QPainter& p, const QVector<Text>& texts, const Diagram& d);
void drawText(QPainter& p, const Text& t, const Diagram& d);

} // namespace DiagramGeometry

#endif
