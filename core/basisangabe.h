#ifndef BASISANGABE_H
#define BASISANGABE_H

#include <QString>

// What a table of a weighted survey says of its base: the effective base and the margin
// of error at 95 % for a share of 50 %; and which bases are too small to read.
class Basisangabe
{
public:
    // Columns of fewer respondents are marked "kleine Basis".
    static constexpr int KleineBasis = 30;

    // 1.96 · √(0.25 / effective base) in percentage points; 0 without a base.
    static double fehlerspanne(double effektiv);
    // "n = 812 (effektiv 640), Fehlerspanne ±3,9 Prozentpunkte"
    static QString zeile(int n, double effektiv);
    // "kleine Basis"
    static QString kleineBasis();
};

#endif
