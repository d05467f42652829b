#ifndef CAPPENDRECODE_H
#define CAPPENDRECODE_H

#include <QUndoCommand>

#include "core/umkodierung.h"

#include "core/spaltenspeicher.h"

class Tabelle1;

// Appends a recoded column with its rule: the rule comes and goes with the column.
class cAppendRecode : public QUndoCommand
{
public:
    // cells: one per row.
    cAppendRecode(SpaltenSpeicher* model, SpaltenSpeicher::Spalte cells,
                  const QString& title, const Umkodierung& rule, Tabelle1* table,
                  QUndoCommand* parent = nullptr);
    void undo() override;
    void redo() override;

private:
    SpaltenSpeicher* m_model;
    Umkodierung m_rule;
    QString m_title;
};

#endif
