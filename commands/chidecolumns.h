#ifndef CHIDECOLUMNS_H
#define CHIDECOLUMNS_H

#include <QPointer>
#include <QTableView>
#include <QUndoCommand>
#include <QVector>

// Hides columns in the data table's view; the data table keeps them.
class cHideColumns : public QUndoCommand
{
public:
    cHideColumns(const QVector<int>& columns, QTableView* table, QUndoCommand* parent = nullptr);
    ~cHideColumns() override;
    void undo() override;
    void redo() override;

private:
    QVector<int> m_columns;
    // Guarded: the stack may outlive the view when the window closes.
    QPointer<QTableView> m_table;
};

#endif
