#ifndef CSVIMPORT_H
#define CSVIMPORT_H

#include <QString>

class CsvReader;
class Fortschritt;
class QStandardItemModel;
class SpaltenSicht;

// Fills the data table from a CSV file (";", or "," or a tab when the header line holds
// no ";"): the first record that is not a comment gives the column titles (also their
// tool tips), every later one a row of text cells.
class CsvImport
{
public:
    // The decoded text of the file; false when it cannot be opened.
    static bool readText(const QString& fileName, QString* text);
    // Whether a decoded text can be a survey: it has a header line, and no NUL in its
    // first 64 KiB (a binary file read as text).
    static bool isSurvey(const QString& text);
    // Replaces the content of the (already emptied) model by the table of the text; the
    // progress, if any, is stepped with the characters read (of text.size()).
    static void fill(const QString& text, QStandardItemModel* model, SpaltenSicht* table,
                     Fortschritt* progress = nullptr);
    // Appends the reader's remaining records as rows (the columns already set up), the
    // way fill() does; for readers that took the header records themselves.
    static void fillRows(CsvReader& reader, QStandardItemModel* model,
                         Fortschritt* progress = nullptr);
};

#endif
