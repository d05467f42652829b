#include "commands/sortierhalt.h"

#include <QItemSelectionModel>
#include <QSortFilterProxyModel>
#include <QTableView>

SortierHalt::SortierHalt(Tabelle1* table)
    : m_table(table)
{
    if (!table)
        return;
    const QModelIndexList cols = table->table()->selectionModel()->selectedColumns(0);
    for (const QModelIndex& i : cols)
        m_selected << i.column();
    m_fill = std::make_unique<Tabelle1::BulkFill>(table);
}

SortierHalt::~SortierHalt()
{
    m_fill.reset();
    if (!m_table)
        return;
    QTableView* view = m_table->table();
    QAbstractItemModel* shown = view->model();
    // One selection change for all columns: each change makes the window look at the
    // whole selection again.
    QItemSelection selection;
    for (int c : qAsConst(m_selected)) {
        if (c < shown->columnCount())
            selection.select(shown->index(0, c), shown->index(0, c));
    }
    if (!selection.isEmpty())
        view->selectionModel()->select(selection, QItemSelectionModel::Select
                                                      | QItemSelectionModel::Columns);
}

bool SortierHalt::sortsBy(const Tabelle1* table, int column)
{
    const QSortFilterProxyModel* p = table ? table->proxy() : nullptr;
    return p && p->dynamicSortFilter() && p->sortColumn() == column;
}
