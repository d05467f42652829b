#ifndef SORTIERHALT_H
#define SORTIERHALT_H

#include <QPointer>
#include <QVector>
#include <memory>

#include "diagrams/tabelle1.h"

// Holds the data-table widget's sorting proxy off the data table while a command
// changes many rows or a sorted column at once, so that the proxy sorts once afterwards
// instead of once per row. The selected columns and hidden columns stay as they were.
// Nested holds hold once: the outermost sorts at its end.
class SortierHalt
{
public:
    explicit SortierHalt(Tabelle1* table);   // null: holds nothing
    ~SortierHalt();
    SortierHalt(const SortierHalt&) = delete;
    SortierHalt& operator=(const SortierHalt&) = delete;

    // Whether the proxy re-sorts when a cell of this column changes.
    static bool sortsBy(const Tabelle1* table, int column);

private:
    QPointer<Tabelle1> m_table;
    QVector<int> m_selected;
    std::unique_ptr<Tabelle1::BulkFill> m_fill;
};

#endif
