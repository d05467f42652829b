#ifndef SPALTENBEARBEITUNG_H
#define SPALTENBEARBEITUNG_H

#include <QCoreApplication>

#include "core/tablecontext.h"

// Hide, rename, replace values in, go to and copy the selected columns of the data
// table. Every change goes on the undo stack.
class SpaltenBearbeitung
{
    Q_DECLARE_TR_FUNCTIONS(SpaltenBearbeitung)
public:
    // One undo step hiding the selected columns in the data table's view.
    static void hideColumns(const TableContext& ctx);
    // Asks for the new title of the one selected column.
    static void renameColumn(const TableContext& ctx);
    // Asks for an old and a new value and replaces every cell of the selected columns
    // whose whole text equals the old value (a cell holding a number also when the old
    // value is that number in either form), as one undo step "Werte ersetzen".
    static void replaceValues(const TableContext& ctx);
    // Asks for a 1-based column number, scrolls to that column and selects it.
    static void gotoColumn(const TableContext& ctx);
    // Appends a copy of each selected column, marked as a copy of its source.
    static void copyColumns(const TableContext& ctx);
};

#endif
