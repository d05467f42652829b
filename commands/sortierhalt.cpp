#include "commands/sortierhalt.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QSortFilterProxyModel>
#include <QTableView>

SortierHalt::SortierHalt(Tabelle1* table)
    : m_table(table)
{
    // An outer hold already has the selection and sorts once at its end.
    if (!table || table->isHeld())
        return;
    m_selected = table->selectedColumns();
    m_fill = std::make_unique<Tabelle1::BulkFill>(table);
}

SortierHalt::~SortierHalt()
{
    if (!m_fill)
        return;
    m_fill.reset();
    if (!m_table)
        return;
    QTableView* view = m_table->table();
    QAbstractItemModel* shown = view->model();
    // One selection change for all columns: each change makes the window look at the
    // whole selection again.
    QItemSelection selection;
    bool whole = true;
    for (int c : qAsConst(m_selected)) {
        if (c < shown->columnCount())
            selection.select(shown->index(0, c), shown->index(0, c));
        else
            whole = false;
    }
    if (selection.isEmpty()) {
        if (!whole)
            emit view->selectionModel()->selectionChanged({}, {});
        return;
    }
    // The selection comes back as it was before the hold, which let it go without a
    // word: its listeners have nothing new to hear (and the window would look at every
    // cell of the selected columns again). A selected column that is gone is news, though.
    QItemSelectionModel* model = view->selectionModel();
    const bool wasBlocked = model->blockSignals(whole || model->signalsBlocked());
    model->select(selection, QItemSelectionModel::Select | QItemSelectionModel::Columns);
    model->blockSignals(wasBlocked);
    view->viewport()->update();
    view->horizontalHeader()->viewport()->update();
    view->verticalHeader()->viewport()->update();
}

bool SortierHalt::sortsBy(const Tabelle1* table, int column)
{
    const QSortFilterProxyModel* p = table ? table->proxy() : nullptr;
    return p && p->dynamicSortFilter() && p->sortColumn() == column;
}
