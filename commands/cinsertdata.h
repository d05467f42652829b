#ifndef CINSERTDATA_H
#define CINSERTDATA_H

#include <QModelIndex>
#include <QUndoCommand>
#include <QVariant>

// Sets one cell of the data table.
class cInsertData : public QUndoCommand
{
public:
    cInsertData(const QModelIndex& index, const QVariant& oldValue, const QVariant& newValue,
                QUndoCommand* parent = nullptr);
    ~cInsertData() override;
    void undo() override;
    void redo() override;

private:
    QModelIndex m_index;
    QVariant m_oldValue;
    QVariant m_newValue;
};

#endif
