#ifndef AENLICHKEITSCODES_H
#define AENLICHKEITSCODES_H

#include <QColor>
#include <QVector>
#include <vector>

#include "diagrams/farblegende.h"

class QAbstractItemModel;

// The compared columns of every row as small integers: two cells get the same code
// exactly when their display values are equal (two cells without a value agree, a
// cell without a value and an empty text do not). The similarity of two rows is then
// a count of equal codes, computed when asked instead of held for every pair.
class AenlichkeitsCodes
{
public:
    // Encodes the display values of the given columns of every row of m.
    void build(const QAbstractItemModel* m, const QVector<int>& columns);

    int rows() const { return m_rows; }
    int columnCount() const { return m_k; }

    // Columns in which rows a and b hold the same answer (0 to columnCount()).
    int agreements(int a, int b) const;
    // (agreements * 100) / columnCount(), truncated.
    int percent(int a, int b) const;

    // Background of a cell showing p percent.
    static QColor colour(int p);
    // The colour bands of colour() for a legend: "unter 10 %", "10 bis 29 %", ...
    static QVector<FarbLegende::Eintrag> farbStufen();

    // Mean agreements over blocks of blockSize x blockSize rows (the last blocks may be
    // smaller), row-major, blocks x blocks values with blocks = ceil(rows / blockSize).
    // Counted per answer, not per pair, so that it stays fast for many rows.
    QVector<double> blockMeans(int blockSize) const;

private:
    int m_rows = 0;
    int m_k = 0;
    std::vector<int> m_codes;   // row-major: rows x columns
};

#endif
