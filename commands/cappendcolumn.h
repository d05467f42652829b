#ifndef CAPPENDCOLUMN_H
#define CAPPENDCOLUMN_H

#include <QList>
#include <QPointer>
#include <QString>
#include <QUndoCommand>

class QStandardItem;
class QStandardItemModel;
class Tabelle1;

// Appends a column of given cells as the last column. Holds the cells while they are
// out of the data table.
class cAppendColumn : public QUndoCommand
{
public:
    // Ownership of items (one per row, top to bottom) passes to the command.
    cAppendColumn(QStandardItemModel* model, const QList<QStandardItem*>& items,
                  const QString& title, QUndoCommand* parent = nullptr);
    ~cAppendColumn() override;
    // The data-table widget whose sorting is held while the column comes and goes.
    void setTable(Tabelle1* table);
    void undo() override;
    void redo() override;

private:
    QStandardItemModel* m_model;
    QList<QStandardItem*> m_items;
    int m_column = -1;
    QString m_title;
    QPointer<Tabelle1> m_table;
};

#endif
