#ifndef CSETWEIGHT_H
#define CSETWEIGHT_H

#include <QPointer>
#include <QUndoCommand>

class QAbstractItemModel;

// Chooses the survey's weight column (-1: none), undoably. Holds the model through a
// guarded pointer: the stack is emptied with the data table, but never trusts it.
class cSetWeight : public QUndoCommand
{
public:
    cSetWeight(QAbstractItemModel* model, int oldColumn, int newColumn,
               QUndoCommand* parent = nullptr);
    void undo() override;
    void redo() override;

private:
    void apply(int column);

    QPointer<QAbstractItemModel> m_model;
    int m_old;
    int m_new;
};

#endif
