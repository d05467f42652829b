#ifndef ZELLENZAHL_H
#define ZELLENZAHL_H

class QVariant;

// A cell's value as a number, exactly as QVariant::toDouble gives it (a text that is
// not a number gives 0), but without the toolkit's general parser for the plain
// decimal texts that fill most survey columns: over millions of cells that parser
// dominates the statistics.
class ZellenZahl
{
public:
    static double toDouble(const QVariant& v);
};

#endif
