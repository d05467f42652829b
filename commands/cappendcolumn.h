#ifndef CAPPENDCOLUMN_H
#define CAPPENDCOLUMN_H

#include <QPointer>
#include <QString>
#include <QUndoCommand>

#include "core/spaltenspeicher.h"

class Tabelle1;

// Appends a column of given cells as the last column. Holds the column while it is
// out of the data table.
class cAppendColumn : public QUndoCommand
{
public:
    // cells: one per row, top to bottom.
    cAppendColumn(SpaltenSpeicher* model, SpaltenSpeicher::Spalte cells, const QString& title,
                  QUndoCommand* parent = nullptr);
    // The data-table widget whose sorting is held while the column comes and goes.
    void setTable(Tabelle1* table);
    void undo() override;
    void redo() override;

private:
    SpaltenSpeicher* m_model;
    SpaltenSpeicher::Spalte m_cells;
    int m_column = -1;
    QString m_title;
    QPointer<Tabelle1> m_table;
};

#endif
