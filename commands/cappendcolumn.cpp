#include "commands/cappendcolumn.h"

#include "commands/sortierhalt.h"

cAppendColumn::cAppendColumn(SpaltenSpeicher* model, SpaltenSpeicher::Spalte cells,
                             const QString& title, QUndoCommand* parent)
    : QUndoCommand(parent)
    , m_model(model)
    , m_cells(std::move(cells))
    , m_title(title)
{
    setText(QStringLiteral("Spalte einfügen"));
}

void cAppendColumn::undo()
{
    SortierHalt hold(m_table);
    m_cells = m_model->nimmSpalte(m_column);
}

void cAppendColumn::redo()
{
    m_column = m_model->columnCount();
    {
        SortierHalt hold(m_table);
        // The column comes back with a fresh header holding only its title.
        m_cells.leereKopf();
        m_model->setzeSpalte(m_column, std::move(m_cells));
        m_cells = SpaltenSpeicher::Spalte();
    }
    m_model->setHeaderData(m_column, Qt::Horizontal, m_title, Qt::EditRole);
}

void cAppendColumn::setTable(Tabelle1* table)
{
    m_table = table;
}
