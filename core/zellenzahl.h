#ifndef ZELLENZAHL_H
#define ZELLENZAHL_H

class QString;
class QVariant;

// How a cell or an entry becomes a number, in one place. A text is a number in the C
// form QVariant::toDouble reads ("3.25", "-1e-5", surrounding blanks allowed) or in the
// German form a spreadsheet on a German desktop writes: an optional sign, digits
// (optionally grouped by "." in threes), "," and at least one digit ("3,25",
// "1.234,56"). A text without a comma keeps the C reading ("1.234" is 1.234).
class ZellenZahl
{
public:
    // The cell's value as a number; a text that is not a number gives 0. The plain
    // decimal texts that fill most survey columns skip the toolkit's general parser:
    // over millions of cells that parser dominates the statistics.
    static double toDouble(const QVariant& v);
    // Whether the text is a number in either form; its value (else 0) goes to *value.
    static bool read(const QString& text, double* value);
};

#endif
