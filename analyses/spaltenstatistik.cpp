#include "analyses/spaltenstatistik.h"

#include <algorithm>
#include <cmath>

QStringList SpaltenStatistik::rowNames()
{
    return {QStringLiteral("Min"), QStringLiteral("Max"), QStringLiteral("Median"),
            QStringLiteral("Summe"), QStringLiteral("Durchschnitt"), QStringLiteral("Leer %"),
            QStringLiteral("Werte %")};
}

void SpaltenStatistik::sortValues(QVector<double>& values)
{
    // NaN first moved behind the rest, which then sorts with a plain <.
    const auto numbers = std::partition(values.begin(), values.end(),
                                        [](double v) { return !std::isnan(v); });
    std::sort(values.begin(), numbers);
}

QString SpaltenStatistik::number(double v)
{
    return QString::number(v, 'g', 6);
}

QStringList SpaltenStatistik::texts(QVector<double> values, int rowCount)
{
    sortValues(values);
    const int n = int(values.size());
    const double r = rowCount;
    double sum = 0.0;
    for (double v : std::as_const(values))
        sum += v;
    QStringList out;
    if (n > 0)
        out << number(values.first()) << number(values.last()) << number(values.at(n / 2));
    else
        out << QString() << QString() << QString();
    out << number(sum) << number(sum / n) << number((r - n) / r * 100.0)
        << number(n * 100.0 / r);
    return out;
}
