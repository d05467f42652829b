#include "commands/cappendcolumn.h"

#include <QStandardItemModel>

#include "commands/sortierhalt.h"
#include "commands/spaltenumbau.h"

cAppendColumn::cAppendColumn(QStandardItemModel* model, const QList<QStandardItem*>& items,
                             const QString& title, QUndoCommand* parent)
    : QUndoCommand(parent)
    , m_model(model)
    , m_items(items)
    , m_title(title)
{
    setText(QStringLiteral("Spalte einfügen"));
}

cAppendColumn::~cAppendColumn()
{
    // Only the cells of an undone column are ours; the others live in the data table.
    qDeleteAll(m_items);
}

void cAppendColumn::undo()
{
    if (m_column != m_model->columnCount() - 1) {
        m_items = m_model->takeColumn(m_column);
        return;
    }
    SortierHalt hold(m_table);
    m_items = SpaltenUmbau::takeLastColumn(m_model);
}

void cAppendColumn::redo()
{
    m_column = m_model->columnCount();
    {
        SortierHalt hold(m_table);
        SpaltenUmbau::appendColumn(m_model, m_items);
    }
    m_model->setHeaderData(m_column, Qt::Horizontal, m_title, Qt::EditRole);
    m_items.clear();
}

void cAppendColumn::setTable(Tabelle1* table)
{
    m_table = table;
}
