#ifndef PLATTFORMEXPORTE_H
#define PLATTFORMEXPORTE_H

#include <QList>
#include <QString>
#include <QStringList>

// Example exports of the survey platforms, written into a folder as each platform
// writes them: header variants, umlauts, options holding commas. Each returns the
// path of the file to open (the files that belong beside it written too). The
// expected counts are in the comments of the source.
class PlattformExporte
{
public:
    // Qualtrics: 17 metadata columns, Q1 single choice, Q2 multiple choice over four
    // options (one with a comma) plus its "_TEXT", Q3 a number; 4 responses.
    // mitImportId: the third header row of newer exports; else the legacy two rows.
    static QString qualtricsCsv(const QString& dir, bool mitImportId);
    static QString qualtricsXlsx(const QString& dir);
    // The rows of the Qualtrics export (header rows first), for the workbook too.
    static QList<QStringList> qualtricsRecords(bool mitImportId);

    // Google Forms: timestamp, a name (a comma inside), a checkbox question with an
    // option holding ", ", a grid of two rows; 5 responses. deutsch: "Zeitstempel".
    static QString googleForms(const QString& dir, bool deutsch);

    // LimeSurvey: codes or text headings, ";" or ","; with codes also the .lss beside.
    static QString limeSurveyCsv(const QString& dir, bool codes);
    // The SPSS export: .sps syntax and its .dat file.
    static QString limeSurveySps(const QString& dir);

    // KoboToolbox: group paths, one select-multiple, metadata; with .sps labels beside.
    static QString koboCsv(const QString& dir, bool mitLabels);
    static QString koboXlsx(const QString& dir);

    // An Excel workbook of two sheets ("Daten" first): text, whole and broken numbers,
    // a date, a date with time, a boolean.
    static QString excel(const QString& dir);

    // Triple-S: description and data, fixed-width or CSV; a single, a multiple (flags
    // or, fixed only, spread codes), a quantity and a character variable.
    static QString tripleS(const QString& dir, bool csv);

    // Writes rows to an .xlsx sheet per list (names given); false when it fails.
    static bool schreibeXlsx(const QString& path, const QStringList& blaetter,
                             const QList<QList<QStringList>>& inhalt);
    static bool schreibe(const QString& path, const QByteArray& bytes);
};

#endif
