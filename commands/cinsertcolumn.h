#ifndef CINSERTCOLUMN_H
#define CINSERTCOLUMN_H

#include <QString>
#include <QUndoCommand>

class QAbstractItemModel;

// Inserts an empty titled column at a position.
class cInsertColumn : public QUndoCommand
{
public:
    cInsertColumn(QAbstractItemModel* model, int column, const QString& title,
                  QUndoCommand* parent = nullptr);
    ~cInsertColumn() override;
    void undo() override;
    void redo() override;

private:
    int m_column;
    QString m_title;
    QAbstractItemModel* m_model;
};

#endif
