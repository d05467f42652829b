#include "analyses/signifikanz.h"

#include <boost/math/distributions/chi_squared.hpp>
#include <boost/math/distributions/normal.hpp>
#include <cmath>
#include <limits>

namespace {
using Policy = Signifikanz::Policy;

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
}

double Signifikanz::zTestP(double p1, double n1, double p2, double n2)
{
    if (!(n1 > 0) || !(n2 > 0) || !std::isfinite(p1) || !std::isfinite(p2)
        || !std::isfinite(n1) || !std::isfinite(n2))
        return NaN;
    const double pooled = (p1 * n1 + p2 * n2) / (n1 + n2);
    const double variance = pooled * (1.0 - pooled) * (1.0 / n1 + 1.0 / n2);
    if (!(variance > 0))
        return NaN;
    const double z = std::fabs(p1 - p2) / std::sqrt(variance);
    const boost::math::normal_distribution<double, Policy> normal;
    return 2.0 * boost::math::cdf(boost::math::complement(normal, z));
}

double Signifikanz::chiQuadratP(double x, int df)
{
    if (df < 1 || std::isnan(x))
        return NaN;
    if (x <= 0)
        return 1.0;
    if (std::isinf(x))
        return 0.0;
    const boost::math::chi_squared_distribution<double, Policy> chi(df);
    return boost::math::cdf(boost::math::complement(chi, x));
}

Signifikanz::ChiQuadrat Signifikanz::chiQuadrat(const QVector<double>& table, int rows, int cols)
{
    ChiQuadrat out;
    if (rows <= 0 || cols <= 0 || table.size() < qsizetype(rows) * cols)
        return out;
    QVector<double> rowSum(rows, 0.0);
    QVector<double> colSum(cols, 0.0);
    double total = 0;
    for (int i = 0; i < rows; ++i)
        for (int j = 0; j < cols; ++j) {
            const double v = table.at(i * cols + j);
            rowSum[i] += v;
            colSum[j] += v;
            total += v;
        }
    int filledRows = 0;
    int filledCols = 0;
    for (double s : std::as_const(rowSum))
        filledRows += s > 0;
    for (double s : std::as_const(colSum))
        filledCols += s > 0;
    if (filledRows < 2 || filledCols < 2 || !(total > 0) || !std::isfinite(total))
        return out;
    double x = 0;
    for (int i = 0; i < rows; ++i) {
        if (!(rowSum.at(i) > 0))
            continue;
        for (int j = 0; j < cols; ++j) {
            if (!(colSum.at(j) > 0))
                continue;
            const double expected = rowSum.at(i) * colSum.at(j) / total;
            const double d = table.at(i * cols + j) - expected;
            x += d * d / expected;
            if (expected < 5)
                ++out.erwartetUnter5;
        }
    }
    out.berechnet = true;
    out.wert = x;
    out.df = (filledRows - 1) * (filledCols - 1);
    out.p = chiQuadratP(x, out.df);
    return out;
}

QString Signifikanz::buchstabe(int i)
{
    // Bijective base 26, as spreadsheet columns are named.
    QString out;
    for (int n = i + 1; n > 0; n = (n - 1) / 26)
        out.prepend(QChar(u'A' + (n - 1) % 26));
    return out;
}
