#include "analyses/chiquadrattest.h"

#include <cmath>

#include "core/zahltext.h"

namespace {
constexpr double MaxSteps = 1e6;
// Beyond this magnitude adding Step may leave x unchanged.
constexpr double MaxStepwiseMagnitude = 1e6;
}

ChiQuadratTest::Result ChiQuadratTest::compute(const QVector<double>& values, int m,
                                               const std::function<double(double, double)>& w)
{
    Result r;
    r.count = int(values.size());
    bool any = false;
    for (double v : values) {
        if (!std::isfinite(v))
            continue;
        if (!any) {
            r.lo = r.hi = v;
            any = true;
        } else {
            r.lo = std::min(r.lo, v);
            r.hi = std::max(r.hi, v);
        }
    }
    if (!any || !(r.lo < r.hi) || m < 1)
        return r;
    r.defined = true;
    const double d = (r.hi - r.lo) / m;
    r.observed.fill(0.0, m);
    double x = r.lo;
    for (int i = 0; i < m; ++i) {
        r.labels << ZahlText::shown(x + d * 0.5);
        const bool last = i == m - 1;
        for (double v : values) {
            if (x <= v && (v < x + d || (last && v <= r.hi)))
                r.observed[i] += 1;
        }
        x += d;
    }
    r.expected.reserve(m);
    for (int i = 0; i < m; ++i)
        r.expected << r.count * w(r.lo + d * (i + 1), r.lo + d * i);
    double chi2 = 0;
    for (int i = 0; i < m; ++i) {
        const double diff = r.observed.at(i) - r.expected.at(i);
        chi2 += diff * diff / r.expected.at(i);
    }
    r.chi2 = chi2;
    return r;
}

bool ChiQuadratTest::startParameters(const QVector<double>& values, double* mean,
                                     double* deviation)
{
    int n = 0;
    double sum = 0;
    double lo = 0;
    double hi = 0;
    for (double v : values) {
        if (!std::isfinite(v))
            continue;
        lo = n == 0 ? v : std::min(lo, v);
        hi = n == 0 ? v : std::max(hi, v);
        sum += v;
        ++n;
    }
    if (n < 2 || !(lo < hi))
        return false;
    const double m = sum / n;
    double squares = 0;
    for (double v : values) {
        if (std::isfinite(v))
            squares += (v - m) * (v - m);
    }
    const double s = std::sqrt(squares / (n - 1));
    if (!std::isfinite(m) || !std::isfinite(s))
        return false;
    *mean = m;
    *deviation = s;
    return true;
}

double ChiQuadratTest::probability(double upper, double lower, double mean, double deviation)
{
    if (!(lower < upper))
        return 0;
    const double var = deviation * deviation;
    const double norm = deviation * Root2Pi;
    const bool stepwise = std::isfinite(lower) && std::isfinite(upper)
        && (upper - lower) / Step <= MaxSteps && std::abs(lower) <= MaxStepwiseMagnitude
        && std::abs(upper) <= MaxStepwiseMagnitude;
    if (stepwise) {
        double sum = 0;
        for (double x = lower; x < upper; x += Step)
            sum += std::exp(-0.5 * (x - mean) * (x - mean) / var) / norm * Step;
        return sum;
    }
    if (!(deviation > 0))
        return std::nan("");
    // The same integral, with the same constant as the sum.
    const double s = deviation * std::sqrt(2.0);
    return 0.5 * (std::erf((upper - mean) / s) - std::erf((lower - mean) / s))
        * (std::sqrt(2.0 * M_PI) / Root2Pi);
}
