#include "diagrams/xyplotgeometry.h"

#include <QFontMetrics>
#include <QStringList>
#include <cmath>

#include "core/regressionsgerade.h"
#include "diagrams/diagramgeometry.h"

namespace XYPlotGeometry {

namespace {
bool plotted(double x, double y)
{
    return std::isfinite(x) && std::isfinite(y);
}
}

Extremes extremes(const QVector<double>& xs, const QVector<double>& ys)
{
    Extremes e;
    const int n = int(std::min(xs.size(), ys.size()));
    for (int i = 0; i < n; ++i) {
        const double x = xs.at(i);
        const double y = ys.at(i);
        if (!plotted(x, y))
            continue;
        if (!e.any) {
            e.minX = e.maxX = x;
            e.minY = e.maxY = y;
            e.any = true;
            continue;
        }
        e.minX = std::min(e.minX, x);
        e.maxX = std::max(e.maxX, x);
        e.minY = std::min(e.minY, y);
        e.maxY = std::max(e.maxY, y);
    }
    return e;
}

Layout layout(const QVector<double>& xs, const QVector<double>& ys, const QSize& size,
              const QFontMetrics& fm, const QString& xName, const QString& yName,
              int topLines, int captionLines)
{
    using DiagramGeometry::px;
    Layout l;
    const int w = size.width();
    const int h = size.height();
    l.width = w;
    l.height = h;
    const int fontH = fm.height();
    const int asc = fm.ascent();
    const Extremes e = extremes(xs, ys);
    const DiagramGeometry::RoundRange rx = e.any ? DiagramGeometry::roundRange(e.minX, e.maxX)
                                                 : DiagramGeometry::RoundRange();
    const DiagramGeometry::RoundRange ry = e.any ? DiagramGeometry::roundRange(e.minY, e.maxY)
                                                 : DiagramGeometry::RoundRange();
    QStringList yNumbers;
    for (int i = 0; ry.valid && i <= ry.steps; ++i)
        yNumbers << DiagramGeometry::axisNumber(ry.first + i * ry.step, ry.step);

    // Above: the caller's lines, then the y column's title; below: the x numbers, the x
    // column's title and the caption lines; left: the y numbers.
    captionLines = std::max(1, captionLines);
    const int top = 5 + (topLines + 1) * fontH + 3;
    const int ox = 5 + DiagramGeometry::widest(yNumbers, fm) + 7;
    const int oy = h - 5 - (2 + captionLines) * fontH - 4;
    l.topTextPos = QPoint(ox, 5 + asc);
    l.captionPos = QPoint(5, h - 5 - fm.descent() - (captionLines - 1) * fontH);
    l.lineHeight = fontH;
    l.labels << Label{DiagramGeometry::fitted(yName, fm, w - 10), QPoint(5, 5 + topLines * fontH + asc)};
    const QString xTitle = DiagramGeometry::fitted(xName, fm, w - ox - 5);
    l.labels << Label{xTitle, QPoint(std::max(5, ox + (w - ox - fm.horizontalAdvance(xTitle)) / 2),
                                     oy + 4 + fontH + asc)};
    l.axes = {QLine(ox, top, ox, oy), QLine(ox, top, ox - 5, top + 5), QLine(ox, top, ox + 5, top + 5),
              QLine(ox, oy, w - 5, oy), QLine(w - 5, oy, w - 10, oy - 5),
              QLine(w - 5, oy, w - 10, oy + 5)};
    if (!rx.valid || !ry.valid)
        return l;
    l.minX = rx.first;
    l.maxX = rx.last();
    l.minY = ry.first;
    l.maxY = ry.last();
    // The values keep a margin from the frame and from the arrow heads.
    l.left = ox + Margin;
    l.bottom = oy - Margin;
    const double spanX = (w - 10 - Margin) - l.left;
    const double spanY = l.bottom - (top + 5 + Margin);
    if (!(spanX > 0) || !(spanY > 0))
        return l;
    l.scaleX = spanX / (l.maxX - l.minX);
    l.scaleY = spanY / (l.maxY - l.minY);
    // A span too wide for a double (from -1e308 to 1e308) leaves no usable scale.
    if (!std::isfinite(l.scaleX) || !std::isfinite(l.scaleY) || !(l.scaleX > 0) || !(l.scaleY > 0))
        return l;
    for (int i = 0; i <= rx.steps; ++i) {
        const int x = px(l.mapX(rx.first + i * rx.step));
        const QString t = DiagramGeometry::axisNumber(rx.first + i * rx.step, rx.step);
        l.ticks << QLine(x, oy, x, oy + 4);
        l.labels << Label{t, QPoint(x - fm.horizontalAdvance(t) / 2, oy + 4 + asc)};
    }
    for (int i = 0; i <= ry.steps; ++i) {
        const int y = px(l.mapY(ry.first + i * ry.step));
        l.ticks << QLine(ox - 4, y, ox, y);
        l.labels << Label{yNumbers.at(i),
                          QPoint(ox - 6 - fm.horizontalAdvance(yNumbers.at(i)), y + (asc - fm.descent()) / 2)};
    }
    const int n = int(std::min(xs.size(), ys.size()));
    l.markers.reserve(2 * n);
    for (int i = 0; i < n; ++i) {
        const double x = xs.at(i);
        const double y = ys.at(i);
        if (!plotted(x, y))
            continue;
        const double cx = l.mapX(x);
        const double cy = l.mapY(y);
        l.markers << QLine(px(cx - MarkerArm), px(cy), px(cx + MarkerArm), px(cy))
                  << QLine(px(cx), px(cy - MarkerArm), px(cx), px(cy + MarkerArm));
        ++l.points;
    }
    return l;
}

RegressionLayout regressionLayout(const Layout& l, const QVector<double>& xs,
                                  const QVector<double>& ys)
{
    RegressionLayout out;
    if (l.points == 0)
        return out;
    const Regressionsgerade r = Regressionsgerade::fit(xs, ys);
    if (!r.defined)
        return out;
    const Extremes e = extremes(xs, ys);
    const double y0 = r.a + r.b * e.minX;
    const double y1 = r.a + r.b * e.maxX;
    if (!std::isfinite(y0) || !std::isfinite(y1))
        return out;
    using DiagramGeometry::px;
    out.line = QLine(px(l.mapX(e.minX)), px(l.mapY(y0)), px(l.mapX(e.maxX)), px(l.mapY(y1)));
    out.textPos = l.topTextPos;
    const QString r2 = r.bestimmtheit();
    out.text = r2.isEmpty() ? r.equation() : r.equation() + QStringLiteral("    ") + r2;
    out.drawn = true;
    return out;
}

} // namespace XYPlotGeometry
