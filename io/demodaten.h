#ifndef DEMODATEN_H
#define DEMODATEN_H

class SpaltenSpeicher;

// Generated survey answers, so that a new window never starts empty.
class DemoDaten
{
public:
    // 100 rows, 9 columns from the unseeded rand(), row by row and column by column.
    static void fillTable(SpaltenSpeicher* model);
};

#endif
