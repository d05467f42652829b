#include "core/regressionsgerade.h"

#include <QVariant>
#include <algorithm>
#include <cmath>

#include "core/zahltext.h"
#include "core/zellenzahl.h"

namespace {
bool usable(double x, double y)
{
    return std::isfinite(x) && std::isfinite(y);
}

// A cell's number; false for a missing cell, an empty text or a text that is no number.
bool cellNumber(const QVariant& v, double* out)
{
    if (!v.isValid())
        return false;
    if (v.metaType().id() == QMetaType::QString)
        return ZellenZahl::read(*static_cast<const QString*>(v.constData()), out);
    bool ok = false;
    *out = v.toDouble(&ok);
    return ok;
}
}

bool Regressionsgerade::paar(const QVariant& xCell, const QVariant& yCell, double* x, double* y)
{
    double px = 0;
    double py = 0;
    if (!cellNumber(xCell, &px) || !cellNumber(yCell, &py) || !usable(px, py))
        return false;
    *x = px;
    *y = py;
    return true;
}

Regressionsgerade Regressionsgerade::fit(const QVector<double>& xs, const QVector<double>& ys)
{
    Regressionsgerade g;
    const qsizetype count = std::min(xs.size(), ys.size());
    qsizetype n = 0;
    double sx = 0;
    double sy = 0;
    double firstX = 0;
    bool allEqual = true;
    for (qsizetype i = 0; i < count; ++i) {
        const double x = xs.at(i);
        const double y = ys.at(i);
        if (!usable(x, y))
            continue;
        if (n == 0)
            firstX = x;
        allEqual = allEqual && x == firstX;
        sx += x;
        sy += y;
        ++n;
    }
    // Equal x values leave the slope undefined; rounding of the mean can make Sxx a tiny
    // positive number then, so the values themselves are compared.
    if (n == 0 || allEqual)
        return g;
    const double mx = sx / double(n);
    const double my = sy / double(n);
    double sxy = 0;
    double sxx = 0;
    double syy = 0;
    for (qsizetype i = 0; i < count; ++i) {
        const double x = xs.at(i);
        const double y = ys.at(i);
        if (!usable(x, y))
            continue;
        sxy += (x - mx) * (y - my);
        sxx += (x - mx) * (x - mx);
        syy += (y - my) * (y - my);
    }
    if (!(sxx > 0))
        return g;
    g.b = sxy / sxx;
    g.a = my - g.b * mx;
    g.r2 = syy > 0 ? std::min(1.0, sxy / sxx * (sxy / syy)) : std::nan("");
    g.defined = std::isfinite(g.a) && std::isfinite(g.b);
    return g;
}

QString Regressionsgerade::equation() const
{
    const QString pattern = a < 0 ? QStringLiteral("y=%1*x-%2") : QStringLiteral("y=%1*x+%2");
    return pattern.arg(ZahlText::shown(b), ZahlText::shown(std::fabs(a)));
}

QString Regressionsgerade::bestimmtheit() const
{
    if (!std::isfinite(r2))
        return QString();
    return QStringLiteral("R\u00B2 = ") + ZahlText::shown(r2, 'g', 4);
}
