#ifndef ZAHLTEXT_H
#define ZAHLTEXT_H

#include <QString>

// Numbers as the user sees them: the digits the program always wrote, with the decimal
// separator of the desktop's number format (the default locale, which is the system's
// unless a test sets another). Under the C locale the texts are exactly the C texts.
// Never for what is stored: cells, files and exports keep the C form, so that a file
// written on one desktop reads the same on another.
class ZahlText
{
public:
    // QString::number(v, format, precision) with the desktop's decimal separator: 'g' 6
    // is also what QString::arg(double) writes.
    static QString shown(double v, char format = 'g', int precision = 6);
    // A sum of weights: in full with one decimal, never in exponent form
    // ("226710664.9"); 'g' where 'f' would write an absurd number of digits.
    static QString gewichteteSumme(double v);
    // A number's text in the C form, with the desktop's decimal separator.
    static QString shownText(const QString& cText);
};

#endif
