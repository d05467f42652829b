#include "commands/creplacecolumn.h"

#include "commands/sortierhalt.h"
#include "core/mehrfachsets.h"

cReplaceColumn::cReplaceColumn(SpaltenSpeicher* model, SpaltenSpeicher::Spalte cells,
                               const QString& title, int column, QUndoCommand* parent)
    : QUndoCommand(parent)
    , m_model(model)
    , m_cells(std::move(cells))
    , m_newTitle(title)
    , m_column(column)
{
    setText(QStringLiteral("Spalte ersetzen"));
}

void cReplaceColumn::swapCells()
{
    if (m_column < 0 || m_column >= m_model->columnCount())
        return;
    const int rows = m_model->rowCount();
    // Fewer cells than rows: the rest are missing cells, and the column is exchanged in
    // place.
    while (m_cells.zeilen() < rows)
        m_cells.anfuegen(QVariant());
    if (m_cells.zeilen() > rows) {
        // More cells than rows grow the table: the column leaves and comes back, and
        // for that moment its multiple-choice sets; they come back with it.
        const QVector<MehrfachSet> sets = MehrfachSets::von(m_model);
        m_model->tauscheSpalte(m_column, &m_cells);
        if (!sets.isEmpty())
            MehrfachSets::of(m_model)->setSets(sets);
        return;
    }
    SortierHalt hold(m_table);
    m_model->tauscheSpalte(m_column, &m_cells);
}

void cReplaceColumn::setTitle(const QString& title)
{
    // A replaced column starts with a fresh header holding only its title.
    m_model->neuerKopf(m_column, title);
}

void cReplaceColumn::undo()
{
    swapCells();
    setTitle(m_oldTitle);
}

void cReplaceColumn::redo()
{
    m_oldTitle = m_model->headerData(m_column, Qt::Horizontal, Qt::DisplayRole).toString();
    swapCells();
    setTitle(m_newTitle);
}

void cReplaceColumn::setTable(Tabelle1* table)
{
    m_table = table;
}
