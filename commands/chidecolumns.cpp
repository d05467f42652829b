#include "commands/chidecolumns.h"

#include "core/spaltensicht.h"

cHideColumns::cHideColumns(const QVector<int>& columns, SpaltenSicht* spalten,
                           QUndoCommand* parent)
    : QUndoCommand(parent)
    , m_columns(columns)
    , m_spalten(spalten)
{
    setText(QStringLiteral("Spalten entfernen"));
}

cHideColumns::~cHideColumns() = default;

void cHideColumns::undo()
{
    if (!m_spalten)
        return;
    for (int c : qAsConst(m_columns))
        m_spalten->setHidden(c, false);
}

void cHideColumns::redo()
{
    if (!m_spalten)
        return;
    for (int c : qAsConst(m_columns))
        m_spalten->setHidden(c, true);
}
