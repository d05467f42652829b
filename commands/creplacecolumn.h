#ifndef CREPLACECOLUMN_H
#define CREPLACECOLUMN_H

#include <QList>
#include <QPointer>
#include <QString>
#include <QUndoCommand>

class QStandardItem;
class QStandardItemModel;
class Tabelle1;

// Replaces the cells and the title of a column in place. Holds whichever cells are
// out of the data table: the old ones after redo, the new ones after undo.
class cReplaceColumn : public QUndoCommand
{
public:
    // Ownership of items passes to the command.
    cReplaceColumn(QStandardItemModel* model, const QList<QStandardItem*>& items,
                   const QString& title, int column, QUndoCommand* parent = nullptr);
    ~cReplaceColumn() override;
    // The data-table widget whose sorting is held while the cells are exchanged.
    void setTable(Tabelle1* table);
    void undo() override;
    void redo() override;

private:
    // Puts cells into the column in place and returns the cells taken out.
    QList<QStandardItem*> swapCells(const QList<QStandardItem*>& in);
    void setTitle(const QString& title);

    QStandardItemModel* m_model;
    QList<QStandardItem*> m_newItems;
    QList<QStandardItem*> m_oldItems;
    QString m_oldTitle;
    QString m_newTitle;
    int m_column;
    QPointer<Tabelle1> m_table;
};

#endif
