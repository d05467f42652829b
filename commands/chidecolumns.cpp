#include "commands/chidecolumns.h"

cHideColumns::cHideColumns(const QVector<int>& columns, QTableView* table, QUndoCommand* parent)
    : QUndoCommand(parent)
    , m_columns(columns)
    , m_table(table)
{
    setText(QStringLiteral("Spalten entfernen"));
}

cHideColumns::~cHideColumns() = default;

void cHideColumns::undo()
{
    if (!m_table)
        return;
    for (int c : qAsConst(m_columns))
        m_table->setColumnHidden(c, false);
}

void cHideColumns::redo()
{
    if (!m_table)
        return;
    for (int c : qAsConst(m_columns))
        m_table->setColumnHidden(c, true);
}
