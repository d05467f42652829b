#include "commands/cinsertdatablock.h"

#include <QSignalBlocker>
#include <QStandardItemModel>

#include <algorithm>

#include "commands/sortierhalt.h"

cInsertDataBlock::cInsertDataBlock(QStandardItemModel* model, QUndoCommand* parent)
    : QUndoCommand(parent)
    , m_model(model)
{
    setText(QStringLiteral("Daten eingetragen"));
}

cInsertDataBlock::~cInsertDataBlock() = default;

void cInsertDataBlock::addColumn(int column, QVector<int> rows, QVector<QVariant> oldValues,
                                 QVector<QVariant> newValues)
{
    if (rows.isEmpty())
        return;
    Cells c;
    c.column = column;
    // Held for as long as the step stays undoable: no spare capacity.
    rows.squeeze();
    oldValues.squeeze();
    newValues.squeeze();
    c.rows = std::move(rows);
    c.oldValues = std::move(oldValues);
    c.newValues = std::move(newValues);
    m_columns << std::move(c);
}

int cInsertDataBlock::cellCount() const
{
    int n = 0;
    for (const Cells& c : m_columns)
        n += int(c.rows.size());
    return n;
}

bool cInsertDataBlock::touchesSortColumn() const
{
    for (const Cells& c : m_columns) {
        if (SortierHalt::sortsBy(m_table, c.column))
            return true;
    }
    return false;
}

void cInsertDataBlock::undo()
{
    // A sorted column re-sorts the shown rows on every change; it sorts once afterwards.
    SortierHalt hold(touchesSortColumn() ? m_table.data() : nullptr);
    for (int i = int(m_columns.size()) - 1; i >= 0; --i)
        apply(m_columns.at(i), false);
}

void cInsertDataBlock::redo()
{
    SortierHalt hold(touchesSortColumn() ? m_table.data() : nullptr);
    for (const Cells& c : qAsConst(m_columns))
        apply(c, true);
}

void cInsertDataBlock::apply(const Cells& cells, bool forward)
{
    const QVector<QVariant>& values = forward ? cells.newValues : cells.oldValues;
    const bool shared = values.size() == 1;
    const int n = int(cells.rows.size());
    int top = cells.rows.first();
    int bottom = top;
    {
        // Per-cell signals would reach the proxy and every view once per cell; they
        // hear of the whole column below instead.
        const QSignalBlocker quiet(m_model);
        for (int k = 0; k < n; ++k) {
            const int i = forward ? k : n - 1 - k;
            const int row = cells.rows.at(i);
            QStandardItem* item = m_model->item(row, cells.column);
            if (!item) {
                item = new QStandardItem;
                m_model->setItem(row, cells.column, item);
            }
            item->setData(shared ? values.first() : values.at(i), Qt::EditRole);
            top = std::min(top, row);
            bottom = std::max(bottom, row);
        }
    }
    emit m_model->dataChanged(m_model->index(top, cells.column),
                              m_model->index(bottom, cells.column),
                              {Qt::DisplayRole, Qt::EditRole});
}

void cInsertDataBlock::setTable(Tabelle1* table)
{
    m_table = table;
}
