#ifndef CRENAMECOLUMN_H
#define CRENAMECOLUMN_H

#include <QString>
#include <QUndoCommand>

class QAbstractItemModel;

// Changes a column title; a plain column's tool tip follows its title, a derived
// column keeps the description of its derivation.
class cRenameColumn : public QUndoCommand
{
public:
    cRenameColumn(QAbstractItemModel* model, int column, const QString& oldTitle,
                  const QString& newTitle, QUndoCommand* parent = nullptr);
    ~cRenameColumn() override;
    void undo() override;
    void redo() override;

private:
    void apply(const QString& title);

    QAbstractItemModel* m_model;
    int m_column;
    QString m_oldTitle;
    QString m_newTitle;
};

#endif
