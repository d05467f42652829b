#include "diagrams/xyplotgeometry.h"

#include <cmath>

#include "core/zahltext.h"
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

Layout layout(const QVector<double>& xs, const QVector<double>& ys, const QSize& size)
{
    Layout l;
    const int w = size.width();
    const int h = size.height();
    l.width = w;
    l.height = h;
    l.axes = {QLine(15, 5, 15, h - 15), QLine(15, 5, 10, 10), QLine(15, 5, 20, 10),
              QLine(15, h - 15, w - 5, h - 15), QLine(w - 5, h - 15, w - 10, h - 10),
              QLine(w - 5, h - 15, w - 10, h - 20)};
    const Extremes e = extremes(xs, ys);
    if (!e.any)
        return l;
    l.minX = e.minX;
    l.maxX = e.maxX;
    l.minY = e.minY;
    l.maxY = e.maxY;
    if (!(l.minX < l.maxX)) {
        l.minX -= 1;
        l.maxX += 1;
    }
    if (!(l.minY < l.maxY)) {
        l.minY -= 1;
        l.maxY += 1;
    }
    l.scaleX = (w - 20) / (l.maxX - l.minX);
    l.scaleY = (h - 20) / (l.maxY - l.minY);
    // A span too wide for a double (from -1e308 to 1e308) leaves no usable scale.
    if (!std::isfinite(l.scaleX) || !std::isfinite(l.scaleY))
        return l;
    const int n = int(std::min(xs.size(), ys.size()));
    l.markers.reserve(2 * n);
    for (int i = 0; i < n; ++i) {
        const double x = xs.at(i);
        const double y = ys.at(i);
        if (!plotted(x, y))
            continue;
        const double cx = l.mapX(x);
        const double cy = l.mapY(y);
        using DiagramGeometry::px;
        l.markers << QLine(px(cx - 2), px(cy), px(cx + 2), px(cy))
                  << QLine(px(cx), px(cy - 2), px(cx), px(cy + 2));
        ++l.points;
    }
    return l;
}

Regression regression(const QVector<double>& xs, const QVector<double>& ys)
{
    Regression r;
    const int count = int(std::min(xs.size(), ys.size()));
    int n = 0;
    double sx = 0;
    double sy = 0;
    for (int i = 0; i < count; ++i) {
        if (!plotted(xs.at(i), ys.at(i)))
            continue;
        sx += xs.at(i);
        sy += ys.at(i);
        ++n;
    }
    if (n == 0)
        return r;
    const double mx = sx / n;
    const double my = sy / n;
    double sxy = 0;
    double sxx = 0;
    for (int i = 0; i < count; ++i) {
        if (!plotted(xs.at(i), ys.at(i)))
            continue;
        sxy += (xs.at(i) - mx) * (ys.at(i) - my);
        sxx += (xs.at(i) - mx) * (xs.at(i) - mx);
    }
    if (!(sxx > 0))
        return r;
    r.b = sxy / sxx;
    r.a = my - r.b * mx;
    r.defined = std::isfinite(r.a) && std::isfinite(r.b);
    return r;
}

QString equation(const Regression& r)
{
    const QString pattern = r.a > 0 ? QStringLiteral("y=%1x+%2") : QStringLiteral("y=%1x-%2");
    return pattern.arg(ZahlText::shown(r.b), ZahlText::shown(std::abs(r.a)));
}

RegressionLayout regressionLayout(const Layout& l, const QVector<double>& xs,
                                  const QVector<double>& ys)
{
    RegressionLayout out;
    if (l.points == 0)
        return out;
    const Regression r = regression(xs, ys);
    if (!r.defined)
        return out;
    const Extremes e = extremes(xs, ys);
    const double y0 = r.a + r.b * e.minX;
    const double y1 = r.a + r.b * e.maxX;
    if (!std::isfinite(y0) || !std::isfinite(y1))
        return out;
    using DiagramGeometry::px;
    out.line = QLine(px(l.mapX(e.minX)), px(l.mapY(y0)), px(l.mapX(e.maxX)), px(l.mapY(y1)));
    out.textPos = QPoint(l.width / 2 - 40, l.height / 2 - 40);
    out.text = equation(r);
    out.drawn = true;
    return out;
}

} // namespace XYPlotGeometry
