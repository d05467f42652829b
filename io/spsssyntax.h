#ifndef SPSSSYNTAX_H
#define SPSSSYNTAX_H

#include <QHash>
#include <QString>
#include <QStringList>

// What a survey platform's SPSS syntax file (.sps) says about its variables: their
// labels, their value labels and their missing values, and where a "GET DATA" command
// names them, the data file and its columns.
class SpssSyntax
{
public:
    QHash<QString, QString> variablenLabels;
    QHash<QString, QHash<QString, QString>> wertLabels;  // variable -> code -> label
    QHash<QString, QStringList> fehlendeWerte;           // variable -> codes ("LO THRU 0" kept as one)
    QStringList variablen;   // of GET DATA /VARIABLES, in order
    QString datenDatei;      // of GET DATA /FILE
    QChar trenner = QLatin1Char(',');
    QChar qualifier = QLatin1Char('\'');
    int ersteZeile = 1;      // /FIRSTCASE

    // Whether the text looks like SPSS syntax with labels or a data command.
    static bool erkennt(const QString& text);
    // Reads what it knows and skips every other command; false when nothing of use was
    // found. Linear in the text, whatever it holds.
    static bool lesen(const QString& text, SpssSyntax* out);

    // The label of a code of a variable, the code itself where it has none.
    QString wert(const QString& variable, const QString& code) const;
    // The variable label, or the name where it has none.
    QString label(const QString& variable) const;
    // The missing values of a variable as its cells show them: each declared code, as
    // its label where the cells are labelled, and of a range ("LO THRU 0", "1 THRU 3")
    // the codes among vorkommend (the column's distinct raw cells) that it covers.
    // A declared number also covers a raw cell of the same value written otherwise
    // ("9.00" for 9).
    QStringList fehlendeCodes(const QString& variable, const QStringList& vorkommend,
                              bool beschriftet) const;
};

#endif
