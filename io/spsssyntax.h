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
};

#endif
