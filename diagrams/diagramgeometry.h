#ifndef DIAGRAMGEOMETRY_H
#define DIAGRAMGEOMETRY_H

#include <QFont>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <QVector>

class QFontMetrics;
class QPainter;
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

// Truncates toward zero, as every pixel coordinate of the charts does. Layouts never
// pass a non-finite value on purpose; should one slip through it gives 0, and values
// beyond any drawable range are clamped, so the cast is always defined.
int px(double v);

// Widget font, bold, one point larger: the titles of the bar and pie charts.
QFont titleFont(const QFont& widgetFont);

// "%1%2": the value in fixed notation with one decimal, then the unit ("nan" for NaN).
QString valueText(double v, const QString& postfix);

// Largest finite value of d; false if d holds none.
bool finiteMax(const QVector<double>& d, double* max);

// Width of the widest text, 0 for none.
int widest(const QStringList& texts, const QFontMetrics& fm);

// Draws the texts in the current font, each in its colour.
void drawTexts(QPainter& p, const QVector<Text>& texts, const Diagram& d);
void drawText(QPainter& p, const Text& t, const Diagram& d);

} // namespace DiagramGeometry

#endif
