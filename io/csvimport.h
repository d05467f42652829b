#ifndef CSVIMPORT_H
#define CSVIMPORT_H

#include <QString>
#include <QStringDecoder>

#include <QByteArray>

#include <QStringList>

#include "core/csvreader.h"

class Fortschritt;
class SpaltenSpeicher;

// Fills the data table from a CSV file (";", or "," or a tab when the header line holds
// no ";"): the first record that is not a comment gives the column titles (also their
// tool tips), every later one a row of text cells.
class CsvImport
{
public:
    // The decoded text of the file; false when it cannot be opened.
    static bool readText(const QString& fileName, QString* text);
    // A decoded text with its separator found and its first record read, once: the
    // titles, and the reader standing at the first row.
    struct Umfrage {
        explicit Umfrage(const QString& text);
        // The same with the separator already known.
        Umfrage(const QString& text, QChar separator);
        CsvReader reader;
        QStringList titel;
        bool hatKopf = false;   // the text has a record at all
        // Whether the text can be a survey: it has a header line with a title, and no
        // NUL in its first 64 KiB (a binary file read as text).
        bool istUmfrage = false;
    };

    // Whether a decoded text can be a survey (see Umfrage::istUmfrage).
    static bool isSurvey(const QString& text);
    // Replaces the content of the (already emptied) model by the table of the text; the
    // progress, if any, is stepped with the characters read (of text.size()).
    static void fill(const QString& text, SpaltenSpeicher* model,
                     Fortschritt* progress = nullptr);
    // The same for a text whose header was read already; reads the rest of it.
    static void fill(Umfrage& survey, SpaltenSpeicher* model,
                     Fortschritt* progress = nullptr);
    // The bytes of a CSV file, decoded piece by piece while the table is filled: the
    // table is read without the whole text beside it (the bytes are half its size or
    // less). The records are those of readText() and fill() on the same file.
    class Datei
    {
    public:
        // False when the file cannot be opened.
        bool lesen(const QString& fileName);
        // Whether it can be a survey (isSurvey() of its text).
        bool istUmfrage();
        qint64 groesse() const { return m_bytes.size(); }
        // Replaces the content of the (already emptied) model by the file's table; the
        // progress, if any, is stepped with the bytes read (of groesse()).
        void fuellen(SpaltenSpeicher* model, Fortschritt* progress = nullptr);
        // The bytes decoded at a time (tests make pieces small to have many).
        static void setStueckBytes(qsizetype bytes);

    private:
        // Appends at least one more piece of decoded text to *text; false at the end.
        bool weiter(QString* text);
        // The decoded text from here to the end.
        QString rest();
        // Decoding starts again at the first byte.
        void vonVorn();
        // The first piece of text that holds the header whole (or the whole text).
        QString anfang();

        QByteArray m_bytes;
        qsizetype m_pos = 0;  // bytes decoded so far
        int m_art = 0;        // 0 UTF-8, 1 Latin-1, 2 another encoding of a byte-order mark
        QStringConverter::Encoding m_bom = QStringConverter::Utf8;
        QStringDecoder m_decoder;
    };

    // Appends the reader's remaining records as rows (the columns already set up), the
    // way fill() does; for readers that took the header records themselves.
    static void fillRows(CsvReader& reader, SpaltenSpeicher* model,
                         Fortschritt* progress = nullptr);
};

#endif
