#ifndef CAPPENDRECODE_H
#define CAPPENDRECODE_H

#include <QUndoCommand>

#include "core/umkodierung.h"

class QStandardItem;
class QStandardItemModel;
class Tabelle1;

// Appends a recoded column with its rule: the rule comes and goes with the column.
class cAppendRecode : public QUndoCommand
{
public:
    // Ownership of items (one per row) passes to the command.
    cAppendRecode(QStandardItemModel* model, const QList<QStandardItem*>& items,
                  const QString& title, const Umkodierung& rule, Tabelle1* table,
                  QUndoCommand* parent = nullptr);
    void undo() override;
    void redo() override;

private:
    QStandardItemModel* m_model;
    Umkodierung m_rule;
    QString m_title;
};

#endif
