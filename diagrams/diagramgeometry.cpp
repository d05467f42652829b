#include "diagrams/diagramgeometry.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStringList>
#include <cmath>

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

QString valueText(double v, const QString& postfix)
{
    return QString::number(v, 'f', 1) + postfix;
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
