#ifndef CREPLACECOLUMN_H
#define CREPLACECOLUMN_H

#include <QPointer>
#include <QString>
#include <QUndoCommand>

#include "core/spaltenspeicher.h"

class Tabelle1;

// Replaces the cells and the title of a column in place. Holds whichever cells are
// out of the data table: the old ones after redo, the new ones after undo.
class cReplaceColumn : public QUndoCommand
{
public:
    cReplaceColumn(SpaltenSpeicher* model, SpaltenSpeicher::Spalte cells, const QString& title,
                   int column, QUndoCommand* parent = nullptr);
    // The data-table widget whose sorting is held while the cells are exchanged.
    void setTable(Tabelle1* table);
    void undo() override;
    void redo() override;

private:
    // Puts m_cells into the column in place and keeps the cells taken out.
    void swapCells();
    void setTitle(const QString& title);

    SpaltenSpeicher* m_model;
    SpaltenSpeicher::Spalte m_cells;
    QString m_oldTitle;
    QString m_newTitle;
    int m_column;
    QPointer<Tabelle1> m_table;
};

#endif
