#ifndef TABLECONTEXT_H
#define TABLECONTEXT_H

#include <QVector>

class SpaltenSpeicher;
class QUndoStack;
class QWidget;
class SpaltenSicht;
class Tabelle1;

// What a column command or an import/export gets to work with: never the main window,
// so that each can be driven by a test on a bare model.
struct TableContext
{
    SpaltenSpeicher* model = nullptr; // the data table
    SpaltenSicht* spalten = nullptr;     // its hidden columns and bulk fills
    // The table widget a window shows the data table in, if any: its sorting is held
    // while a command changes many rows, and it scrolls to a column found.
    Tabelle1* table = nullptr;
    QUndoStack* undo = nullptr;          // where changes to the data table go
    QWidget* parent = nullptr;           // parent of the questions asked
    QVector<int> columns;                // selected columns, in the selection model's order
};

#endif
