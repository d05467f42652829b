#ifndef CHIDECOLUMNS_H
#define CHIDECOLUMNS_H

#include <QPointer>
#include <QUndoCommand>
#include <QVector>

class SpaltenSicht;

// Hides columns of the data table from view; the data table keeps them.
class cHideColumns : public QUndoCommand
{
public:
    cHideColumns(const QVector<int>& columns, SpaltenSicht* spalten,
                 QUndoCommand* parent = nullptr);
    ~cHideColumns() override;
    void undo() override;
    void redo() override;

private:
    QVector<int> m_columns;
    // Guarded: the stack may outlive the document when the window closes.
    QPointer<SpaltenSicht> m_spalten;
};

#endif
