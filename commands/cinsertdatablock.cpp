#include "commands/cinsertdatablock.h"

#include <QCoreApplication>
#include <QSignalBlocker>
#include "core/spaltenspeicher.h"

#include <algorithm>

#include "core/fortschritt.h"
#include "commands/sortierhalt.h"

cInsertDataBlock::cInsertDataBlock(SpaltenSpeicher* model, QUndoCommand* parent)
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
    const auto [low, high] = std::minmax_element(rows.cbegin(), rows.cend());
    c.top = *low;
    c.bottom = *high;
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
    applyAll(false);
}

void cInsertDataBlock::redo()
{
    applyAll(true);
}

void cInsertDataBlock::applyAll(bool forward)
{
    {
        // A sorted column re-sorts the shown rows on every change; it sorts once afterwards.
        SortierHalt hold(touchesSortColumn() ? m_table.data() : nullptr);
        Fortschritt work(m_table.data(), QCoreApplication::translate("cInsertDataBlock",
                                                                     "Daten werden eingetragen..."),
                         cellCount());
        qint64 done = 0;
        const int n = int(m_columns.size());
        for (int k = 0; k < n; ++k) {
            const Cells& c = m_columns.at(forward ? k : n - 1 - k);
            apply(c, forward, work, done);
            done += c.rows.size();
        }
    }
    // Told only once all cells are in: nothing recomputes on half the change while the
    // progress display lets the window repaint.
    for (const Cells& c : qAsConst(m_columns))
        emit m_model->dataChanged(m_model->index(c.top, c.column),
                                  m_model->index(c.bottom, c.column),
                                  {Qt::DisplayRole, Qt::EditRole});
}

void cInsertDataBlock::apply(const Cells& cells, bool forward, Fortschritt& work, qint64 done)
{
    const QVector<QVariant>& values = forward ? cells.newValues : cells.oldValues;
    const bool shared = values.size() == 1;
    const int n = int(cells.rows.size());
    // Per-cell signals would reach the proxy and every view once per cell; they hear of
    // the whole column afterwards instead.
    const QSignalBlocker quiet(m_model);
    for (int k = 0; k < n; ++k) {
        const int i = forward ? k : n - 1 - k;
        const int row = cells.rows.at(i);
        m_model->setData(m_model->index(row, cells.column),
                         shared ? values.first() : values.at(i), Qt::EditRole);
        if ((k & 0xfff) == 0)
            work.step(done + k);
    }
}

void cInsertDataBlock::setTable(Tabelle1* table)
{
    m_table = table;
}
