#include "commands/cappendcolumn.h"

#include <QStandardItemModel>

cAppendColumn::cAppendColumn(QStandardItemModel* model, const QList<QStandardItem*>& items,
                             const QString& title, QUndoCommand* parent)
    : QUndoCommand(parent)
    , m_model(model)
    , m_items(items)
    , m_title(title)
{
    setText(QStringLiteral("Spalte einfuegen"));
}

cAppendColumn::~cAppendColumn()
{
    // Only the cells of an undone column are ours; the others live in the data table.
    qDeleteAll(m_items);
}

void cAppendColumn::undo()
{
    m_items = m_model->takeColumn(m_column);
}

void cAppendColumn::redo()
{
    m_column = m_model->columnCount();
    m_model->appendColumn(m_items);
    m_model->setHeaderData(m_column, Qt::Horizontal, m_title, Qt::EditRole);
    m_items.clear();
}
