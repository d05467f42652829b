#include "commands/creplacecolumn.h"

#include <QStandardItemModel>

cReplaceColumn::cReplaceColumn(QStandardItemModel* model, const QList<QStandardItem*>& items,
                               const QString& title, int column, QUndoCommand* parent)
    : QUndoCommand(parent)
    , m_model(model)
    , m_newItems(items)
    , m_newTitle(title)
    , m_column(column)
{
    setText(QStringLiteral("Spalte ersetzen"));
}

cReplaceColumn::~cReplaceColumn()
{
    qDeleteAll(m_newItems);
    qDeleteAll(m_oldItems);
}

void cReplaceColumn::undo()
{
    m_newItems = m_model->takeColumn(m_column);
    m_model->insertColumn(m_column, m_oldItems);
    m_model->setHeaderData(m_column, Qt::Horizontal, m_oldTitle, Qt::EditRole);
    m_oldItems.clear();
}

void cReplaceColumn::redo()
{
    m_oldTitle = m_model->headerData(m_column, Qt::Horizontal, Qt::DisplayRole).toString();
    m_oldItems = m_model->takeColumn(m_column);
    m_model->insertColumn(m_column, m_newItems);
    m_model->setHeaderData(m_column, Qt::Horizontal, m_newTitle, Qt::EditRole);
    m_newItems.clear();
}
