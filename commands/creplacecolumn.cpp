#include "commands/creplacecolumn.h"

#include <QStandardItemModel>

#include "commands/sortierhalt.h"
#include "commands/spaltenumbau.h"
#include "core/mehrfachsets.h"

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

QList<QStandardItem*> cReplaceColumn::swapCells(const QList<QStandardItem*>& in)
{
    const int rows = m_model->rowCount();
    if (in.size() > rows || m_column < 0 || m_column >= m_model->columnCount()) {
        // More cells than rows: the model's own calls grow the table. The column leaves
        // its multiple-choice sets for that moment; it comes back in place, and so do they.
        const QVector<MehrfachSet> sets = MehrfachSets::von(m_model);
        QList<QStandardItem*> out = m_model->takeColumn(m_column);
        m_model->insertColumn(m_column, in);
        if (!sets.isEmpty())
            MehrfachSets::of(m_model)->setSets(sets);
        return out;
    }
    // Taking the column out moves the whole table once per row; exchanging the cells
    // row by row costs one pass.
    QList<QStandardItem*> out;
    {
        SortierHalt hold(m_table);
        out = SpaltenUmbau::swapColumn(m_model, m_column, in);
    }
    // The views of this column recompute; the rows went out and came back unchanged.
    if (rows > 0)
        emit m_model->dataChanged(m_model->index(0, m_column),
                                  m_model->index(rows - 1, m_column));
    return out;
}

void cReplaceColumn::setTitle(const QString& title)
{
    // A replaced column starts with a fresh header holding only its title.
    delete m_model->takeHorizontalHeaderItem(m_column);
    m_model->setHeaderData(m_column, Qt::Horizontal, title, Qt::EditRole);
}

void cReplaceColumn::undo()
{
    m_newItems = swapCells(m_oldItems);
    setTitle(m_oldTitle);
    m_oldItems.clear();
}

void cReplaceColumn::redo()
{
    m_oldTitle = m_model->headerData(m_column, Qt::Horizontal, Qt::DisplayRole).toString();
    m_oldItems = swapCells(m_newItems);
    setTitle(m_newTitle);
    m_newItems.clear();
}

void cReplaceColumn::setTable(Tabelle1* table)
{
    m_table = table;
}
