#include "commands/cinsertdata.h"

#include <QAbstractItemModel>

cInsertData::cInsertData(const QModelIndex& index, const QVariant& oldValue,
                         const QVariant& newValue, QUndoCommand* parent)
    : QUndoCommand(parent)
    , m_index(index)
    , m_oldValue(oldValue)
    , m_newValue(newValue)
{
    setText(QStringLiteral("Daten eingetragen"));
}

cInsertData::~cInsertData() = default;

void cInsertData::undo()
{
    if (auto* m = const_cast<QAbstractItemModel*>(m_index.model()))
        m->setData(m_index, m_oldValue, Qt::EditRole);
}

void cInsertData::redo()
{
    if (auto* m = const_cast<QAbstractItemModel*>(m_index.model()))
        m->setData(m_index, m_newValue, Qt::EditRole);
}
