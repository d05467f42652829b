#ifndef XLSXLESER_H
#define XLSXLESER_H

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

class QIODevice;

// Reads one sheet of an Excel workbook (.xlsx) as a table of texts: numbers as numbers
// (no binary noise such as 0.30000000000000004), dates as German dates, booleans as
// "WAHR"/"FALSCH", shared and inline strings as they are. Damaged or hostile files are
// refused: every part is read in bounded pieces, and a sheet whose few cells would span
// a huge empty table is no survey.
class XlsxLeser
{
public:
    // Whether the bytes start like a zip package.
    static bool istZip(const QByteArray& anfang);
    // The sheets' names in workbook order; false for a damaged workbook.
    static bool blaetter(QIODevice& in, QStringList* namen);
    // The rows of sheet blatt (0-based), every row as long as the longest; false (and
    // nothing in *rows) for a damaged workbook or a sheet it lacks.
    static bool lesen(QIODevice& in, int blatt, QList<QStringList>* rows);

    // A serial day number of the 1900 date system as a German date ("24.12.2026"), with
    // the time of day when it has one; empty outside the years 1900 to 9999.
    static QString datum(double serial);
    // Whether a number format (its id and, for a custom one, its code) shows a date.
    static bool istDatumsFormat(int id, const QString& code);
    // The cell column of a reference ("AB12" -> 27), -1 for none.
    static int spalte(const QString& ref);
};

#endif
