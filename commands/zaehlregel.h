#ifndef ZAEHLREGEL_H
#define ZAEHLREGEL_H

#include <QVariant>

class SpaltenSpeicher;

// The cell rule shared by combining, weighting, numbers, percent and the column
// statistics: an empty cell, one of blanks only and a cell holding "0" are "no answer".
class ZaehlRegel
{
public:
    // Valid and not null (a null string counts as null), text neither empty, blanks
    // only nor "0".
    static bool isCounted(const QVariant& value);
    // The display value of cell (row, column); invalid for a cell without an item and
    // for a position outside the table.
    static QVariant value(const SpaltenSpeicher* model, int row, int column);
};

#endif
