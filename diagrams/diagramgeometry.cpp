#include "diagrams/diagramgeometry.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStringList>
#include <cmath>

#include "core/zahltext.h"
#include "diagrams/diagram.h"

namespace DiagramGeometry {

int px(double v)
{
    // Far outside any paint surface, yet safe to add and subtract further pixels to.
    constexpr double limit = 1 << 24;
    if (!std::isfinite(v))
        return 0;
    if (v > limit)
        return int(limit);
    if (v < -limit)
        return -int(limit);
    return int(v);
}

QFont titleFont(const QFont& widgetFont)
{
    QFont f(widgetFont);
    f.setWeight(QFont::Bold);
    if (f.pointSizeF() > 0)
        f.setPointSizeF(f.pointSizeF() + 1);
    else if (f.pixelSize() > 0)
        f.setPixelSize(f.pixelSize() + 1); // a font given in pixels has no point size
    return f;
}

namespace {
// Whether the character takes room of its own in any font: marks, format and control
// characters and halves of surrogate pairs may not.
bool takesRoom(QChar c)
{
    switch (c.category()) {
    case QChar::Letter_Uppercase:
    case QChar::Letter_Lowercase:
    case QChar::Letter_Titlecase:
    case QChar::Letter_Other:
    case QChar::Number_DecimalDigit:
    case QChar::Number_Letter:
    case QChar::Number_Other:
    case QChar::Punctuation_Connector:
    case QChar::Punctuation_Dash:
    case QChar::Punctuation_Open:
    case QChar::Punctuation_Close:
    case QChar::Punctuation_InitialQuote:
    case QChar::Punctuation_FinalQuote:
    case QChar::Punctuation_Other:
    case QChar::Symbol_Math:
    case QChar::Symbol_Currency:
    case QChar::Symbol_Modifier:
    case QChar::Symbol_Other:
        return true;
    default:
        return false;
    }
}
} // namespace

QString fitted(const QString& text, const QFontMetrics& fm, int maxWidth)
{
    // Without any room an elided text of two or more characters is empty; a chart with
    // thousands of categories asks this for each of them, so it is answered without
    // shaping where the text surely takes room.
    if (maxWidth <= 0 && text.size() >= 2 && takesRoom(text.at(0)))
        return QString();
    if (fm.horizontalAdvance(text) <= maxWidth)
        return text;
    return fm.elidedText(text, Qt::ElideRight, std::max(maxWidth, 0));
}

Text placeTitle(const QString& title, const QFontMetrics& titleFm, int width, int y,
                int centreSpan)
{
    const int tw = titleFm.horizontalAdvance(title);
    if (tw > width - 10)
        return {fitted(title, titleFm, width - 10), QPoint(5, y)};
    return {title, QPoint((centreSpan - tw) / 2, y)};
}

QString valueText(double v, const QString& postfix)
{
    return ZahlText::shown(v, 'f', 1) + postfix;
}

bool finiteMax(const QVector<double>& d, double* max)
{
    bool found = false;
    for (double v : d) {
        if (!std::isfinite(v))
            continue;
        if (!found || v > *max)
            *max = v;
        found = true;
    }
    return found;
}

int widest(const QStringList& texts, const QFontMetrics& fm)
{
    int w = 0;
    for (const QString& t : texts)
        w = std::max(w, fm.horizontalAdvance(t));
    return w;
}

int layoutRowLegend(BarFrame& f, const QStringList& rowLabels, const QFontMetrics& fm,
                    int width, int gap)
{
    if (rowLabels.isEmpty())
        return width;
    const int lw = widest(rowLabels, fm) + 10;
    const int x = width - lw - gap;
    const int fontH = fm.height();
    f.hasLegend = true;
    f.legendBox = QRect(x, 25, lw, fontH * int(rowLabels.size()) + 5);
    for (int r = 0; r < rowLabels.size(); ++r)
        f.legend << Text{rowLabels.at(r), QPoint(x + 6, 25 + (r + 1) * fontH), r};
    return x;
}

void paintBarFrame(QPainter& p, const BarFrame& f, const QSize& size, const Diagram& d)
{
    p.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    p.setPen(Qt::black);
    p.setFont(titleFont(d.font()));
    p.drawText(f.title.pos, f.title.text);
    p.setFont(d.font());
    if (f.hasLegend) {
        p.setBrush(Qt::white);
        p.drawRect(f.legendBox);
        drawTexts(p, f.legend, d);
    }
    p.setPen(Qt::black);
    p.drawLines(f.grid);
}

void drawText(QPainter& p, const Text& t, const Diagram& d)
{
    p.setPen(t.colorIndex < 0 ? QColor(Qt::black) : d.colorAt(t.colorIndex));
    p.drawText(t.pos, t.text);
}

void drawTexts(QPainter& p, const QVector<Text>& texts, const Diagram& d)
{
    for (const Text& t : texts)
        drawText(p, t, d);
}

} // namespace DiagramGeometry
