#ifndef ANGABEN_H
#define ANGABEN_H

#include <QStringList>
#include <QVector>

class QAbstractItemModel;
class RowFilter;

// What a chart says about what it counts, under the chart: the dependency filter as
// "Filter: <column title> = <value>" (when one is set) and the base as "n = <counted
// answers>", per column where the columns' bases differ.
class Angaben
{
public:
    // counts holds the answers counted per evaluated column, titles the columns' titles
    // (used only when the counts differ).
    static QStringList lines(const QAbstractItemModel* model, const RowFilter& filter,
                             const QVector<int>& counts, const QStringList& titles = {});
    // "Filter: <title> = <value>" for the filter's linked column; empty without one.
    static QString filterLine(const QAbstractItemModel* model, const RowFilter& filter);
    // "n = 12" (whole numbers in full), or "n = 12 (A), 9 (B)" when the counts differ.
    static QString baseLine(const QVector<int>& counts, const QStringList& titles);
};

#endif
