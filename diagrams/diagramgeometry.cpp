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

QString valueText(double v, const QString& postfix, int decimals)
{
    return ZahlText::shown(v, 'f', decimals) + postfix;
}

int valueDecimals(const QVector<double>& d, const QString& postfix)
{
    return postfix != QLatin1String("%") && allWhole(d) ? 0 : 1;
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

double roundStep(double raw)
{
    if (!std::isfinite(raw) || !(raw > 0))
        return 0;
    const double mag = std::pow(10.0, std::floor(std::log10(raw)));
    if (!(mag > 0) || !std::isfinite(mag))
        return 0;
    // The relative slack keeps 0.3 / 3 from asking for a step above 0.1.
    for (double f : {1.0, 2.0, 5.0})
        if (f * mag >= raw * (1 - 1e-12))
            return f * mag;
    return 10 * mag;
}

RoundRange roundRange(double lo, double hi, int maxSteps)
{
    RoundRange r;
    if (!std::isfinite(lo) || !std::isfinite(hi) || !std::isfinite(hi - lo) || lo > hi
        || maxSteps < 1)
        return r;
    double step = roundStep((hi - lo) / maxSteps);
    if (lo == hi) {
        // All values equal: one step of the value's size either side (1 around 0).
        step = roundStep(std::fabs(lo) > 0 ? std::fabs(lo) / maxSteps : 1);
        if (step == 0)
            return r;
        lo -= step;
        hi += step;
    }
    if (step == 0)
        return r;
    const double firstIndex = std::floor(lo / step * (1 + 1e-12 * (lo > 0 ? 1 : -1)));
    const double first = firstIndex * step;
    const double steps = std::ceil(hi / step * (1 - 1e-12 * (hi > 0 ? 1 : -1))) - firstIndex;
    // A span beyond a double, or values too far from 0 for their step to count.
    if (!std::isfinite(first) || !std::isfinite(steps) || steps < 1 || steps > 4 * maxSteps)
        return r;
    r.valid = true;
    r.first = first;
    r.step = step;
    r.steps = int(steps);
    return r;
}

RoundScale roundScale(double max, bool whole, int maxSteps)
{
    RoundScale s;
    if (!std::isfinite(max) || !(max > 0) || maxSteps < 1)
        return s;
    double step = roundStep(max / maxSteps);
    if (!(step > 0))
        return s;
    if (whole && step < 1)
        step = 1;
    // Rounding of max / step may land a hair above a whole number of steps.
    const int steps = std::max(1, int(std::ceil(max / step * (1 - 1e-12))));
    const double top = steps * step;
    if (!std::isfinite(top) || !(step > 0))
        return s;
    s.valid = true;
    s.top = top;
    s.step = step;
    s.steps = steps;
    return s;
}

bool allWhole(const QVector<double>& d)
{
    for (double v : d)
        if (std::isfinite(v) && v != std::floor(v))
            return false;
    return true;
}

QString axisNumber(double v, double step)
{
    if (std::fabs(v) >= 1e15 || step <= 0)
        return ZahlText::shown(v);
    // Round steps below 1 need as many decimals as the step's first digit lies deep.
    const int decimals = step >= 1 ? 0 : std::min(15, int(std::ceil(-std::log10(step) - 1e-9)));
    return ZahlText::shown(v, 'f', decimals);
}

Text axisTextLeftOf(const QString& text, const QFontMetrics& fm, int axisX, int lineY)
{
    const int x = axisX - AxisGap - fm.horizontalAdvance(text);
    return {text, QPoint(x, lineY + (fm.ascent() - fm.descent()) / 2)};
}

QRect textBox(const Text& t, const QFontMetrics& fm)
{
    return QRect(t.pos.x(), t.pos.y() - fm.ascent(), fm.horizontalAdvance(t.text),
                 fm.ascent() + fm.descent());
}

int labelStride(int pitch, int lineHeight)
{
    if (pitch <= 0)
        return 0;
    if (pitch >= lineHeight)
        return 1;
    return (lineHeight + pitch - 1) / pitch;
}

int swatchSize(const QFontMetrics& fm)
{
    return std::max(4, fm.ascent() * 3 / 4);
}

int swatchRoom(const QFontMetrics& fm)
{
    return swatchSize(fm) + 4;
}

int layoutRowLegend(BarFrame& f, const QStringList& rowLabels, const QFontMetrics& fm,
                    int width, int gap)
{
    if (rowLabels.isEmpty())
        return width;
    const int lw = widest(rowLabels, fm) + swatchRoom(fm) + 10;
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
    p.setPen(Qt::black);
    if (t.colorIndex < 0) {
        p.drawText(t.pos, t.text);
        return;
    }
    // Yellow or cyan text on white cannot be read: the colour goes into a square.
    const QFontMetrics fm = p.fontMetrics();
    const int s = swatchSize(fm);
    const QRect square(t.pos.x(), t.pos.y() - (fm.ascent() + s) / 2, s, s);
    p.save();
    p.setBrush(d.colorAt(t.colorIndex));
    p.drawRect(square);
    p.restore();
    p.drawText(t.pos + QPoint(swatchRoom(fm), 0), t.text);
}

void drawTexts(QPainter& p, const QVector<Text>& texts, const Diagram& d)
{
    for (const Text& t : texts)
        drawText(p, t, d);
}

} // namespace DiagramGeometry
