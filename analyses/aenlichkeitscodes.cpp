#include "analyses/aenlichkeitscodes.h"

#include <QCoreApplication>

#include <QAbstractItemModel>
#include <QHash>
#include <QString>

#include "core/fehlendewerte.h"
#include "core/textkey.h"
#include <algorithm>
#include <utility>

void AenlichkeitsCodes::build(const QAbstractItemModel* m, const QVector<int>& columns)
{
    m_rows = m ? m->rowCount() : 0;
    m_k = int(columns.size());
    m_codes.assign(size_t(m_rows) * size_t(m_k), 0);
    for (int k = 0; k < m_k; ++k) {
        // Code 0: no value at all; texts get 1, 2, ... in order of appearance.
        QHash<TextKey, int> codes;
        const int c = columns.at(k);
        // A declared missing answer is no answer, as in every view.
        const QStringList fehlend = FehlendeWerte::codes(m, c);
        for (int r = 0; r < m_rows; ++r) {
            const QVariant v = FehlendeWerte::gesehen(m->data(m->index(r, c)), fehlend);
            int code = 0;
            if (v.isValid()) {
                const TextKey text{v.toString()};
                auto it = codes.constFind(text);
                if (it == codes.constEnd())
                    it = codes.insert(text, int(codes.size()) + 1);
                code = it.value();
            }
            m_codes[size_t(r) * size_t(m_k) + size_t(k)] = code;
        }
    }
}

int AenlichkeitsCodes::agreements(int a, int b) const
{
    if (a < 0 || b < 0 || a >= m_rows || b >= m_rows)
        return 0;
    const int* ra = m_codes.data() + size_t(a) * size_t(m_k);
    const int* rb = m_codes.data() + size_t(b) * size_t(m_k);
    int n = 0;
    for (int k = 0; k < m_k; ++k)
        n += ra[k] == rb[k];
    return n;
}

int AenlichkeitsCodes::percent(int a, int b) const
{
    return m_k > 0 ? agreements(a, b) * 100 / m_k : 0;
}

QVector<FarbLegende::Eintrag> AenlichkeitsCodes::farbStufen()
{
    // The limits colour() switches at; each band is named by its lowest and highest
    // whole percent.
    const int limits[] = {10, 30, 50, 70};
    QVector<FarbLegende::Eintrag> out;
    out << FarbLegende::Eintrag{colour(0), QCoreApplication::translate("AenlichkeitsCodes", "unter %1 %").arg(limits[0])};
    for (int i = 0; i + 1 < 4; ++i)
        out << FarbLegende::Eintrag{colour(limits[i]),
                                   QCoreApplication::translate("AenlichkeitsCodes", "%1 bis %2 %")
                                       .arg(limits[i]).arg(limits[i + 1] - 1)};
    out << FarbLegende::Eintrag{colour(limits[3]), QCoreApplication::translate("AenlichkeitsCodes", "ab %1 %").arg(limits[3])};
    return out;
}

QColor AenlichkeitsCodes::colour(int p)
{
    if (p < 10)
        return QColor(Qt::gray);
    if (p < 30)
        return QColor(Qt::lightGray);
    if (p < 50)
        return QColor(Qt::yellow);
    if (p < 70)
        return QColor(Qt::blue);
    return QColor(Qt::green);
}

QVector<double> AenlichkeitsCodes::blockMeans(int blockSize) const
{
    if (blockSize < 1 || m_rows == 0)
        return {};
    const int blocks = (m_rows + blockSize - 1) / blockSize;
    using Counts = std::vector<std::pair<int, int>>;   // (code, rows), by code
    // counts[b * k + column]: how often each answer occurs in block b.
    std::vector<Counts> counts(size_t(blocks) * size_t(m_k));
    std::vector<int> sizes(size_t(blocks), 0);
    std::vector<int> column;
    for (int b = 0; b < blocks; ++b) {
        const int first = b * blockSize;
        const int last = std::min(m_rows, first + blockSize);
        sizes[size_t(b)] = last - first;
        for (int k = 0; k < m_k; ++k) {
            column.clear();
            for (int r = first; r < last; ++r)
                column.push_back(m_codes[size_t(r) * size_t(m_k) + size_t(k)]);
            std::sort(column.begin(), column.end());
            Counts& c = counts[size_t(b) * size_t(m_k) + size_t(k)];
            for (size_t i = 0; i < column.size();) {
                size_t j = i;
                while (j < column.size() && column[j] == column[i])
                    ++j;
                c.emplace_back(column[i], int(j - i));
                i = j;
            }
        }
    }
    QVector<double> means(qsizetype(blocks) * blocks, 0.0);
    for (int a = 0; a < blocks; ++a) {
        for (int b = a; b < blocks; ++b) {
            double pairs = 0;   // agreeing (row, row, column) triples
            for (int k = 0; k < m_k; ++k) {
                const Counts& ca = counts[size_t(a) * size_t(m_k) + size_t(k)];
                const Counts& cb = counts[size_t(b) * size_t(m_k) + size_t(k)];
                size_t i = 0;
                size_t j = 0;
                while (i < ca.size() && j < cb.size()) {
                    if (ca[i].first < cb[j].first) {
                        ++i;
                    } else if (cb[j].first < ca[i].first) {
                        ++j;
                    } else {
                        pairs += double(ca[i].second) * cb[j].second;
                        ++i;
                        ++j;
                    }
                }
            }
            const double mean = pairs / (double(sizes[size_t(a)]) * sizes[size_t(b)]);
            means[qsizetype(a) * blocks + b] = mean;
            means[qsizetype(b) * blocks + a] = mean;
        }
    }
    return means;
}
