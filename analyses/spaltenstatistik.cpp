#include "analyses/spaltenstatistik.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "core/zahltext.h"

QStringList SpaltenStatistik::rowNames()
{
    return {QStringLiteral("Min"), QStringLiteral("Max"), QStringLiteral("Median"),
            QStringLiteral("Summe"), QStringLiteral("Durchschnitt"), QStringLiteral("Leer %"),
            QStringLiteral("Werte %")};
}

namespace {
// Ascending order by the bits of the values: an order-preserving key per double and a
// radix sort in four passes of 16 bits. For a column of 100,000 values several times
// faster than a comparison sort, which matters with many columns.
void radixSort(double* first, double* last)
{
    const size_t n = size_t(last - first);
    std::vector<quint64> keys(n);
    std::vector<quint64> buffer(n);
    for (size_t i = 0; i < n; ++i) {
        quint64 bits;
        std::memcpy(&bits, first + i, sizeof bits);
        // Negative values: all bits flipped; others: the sign bit set.
        keys[i] = (bits >> 63) ? ~bits : (bits | (quint64(1) << 63));
    }
    std::vector<size_t> counts(1 << 16);
    for (int shift = 0; shift < 64; shift += 16) {
        std::fill(counts.begin(), counts.end(), 0);
        for (quint64 k : keys)
            ++counts[(k >> shift) & 0xFFFF];
        size_t sum = 0;
        for (size_t& c : counts) {
            const size_t here = c;
            c = sum;
            sum += here;
        }
        for (quint64 k : keys)
            buffer[counts[(k >> shift) & 0xFFFF]++] = k;
        keys.swap(buffer);
    }
    for (size_t i = 0; i < n; ++i) {
        const quint64 k = keys[i];
        const quint64 bits = (k >> 63) ? (k & ~(quint64(1) << 63)) : ~k;
        std::memcpy(first + i, &bits, sizeof bits);
    }
}
}

void SpaltenStatistik::sortValues(QVector<double>& values)
{
    // NaN first moved behind the rest, which then sorts by value.
    const auto numbers = std::partition(values.begin(), values.end(),
                                        [](double v) { return !std::isnan(v); });
    if (numbers - values.begin() < 1024)
        std::sort(values.begin(), numbers);
    else
        radixSort(values.data(), values.data() + (numbers - values.begin()));
}

QString SpaltenStatistik::number(double v)
{
    return ZahlText::shown(v);
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
