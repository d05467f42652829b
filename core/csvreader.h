#ifndef CSVREADER_H
#define CSVREADER_H

#include <QChar>
#include <QString>
#include <QList>
#include <QStringList>
#include <QStringView>

class QByteArray;
class TextPool;

// The CSV dialect that every reader of the program shares: "#" comment lines, the
// program's own quote rules, and on top of them the quoting of spreadsheet exports
// (a doubled quote inside a quoted field is one quote, and a quoted field may hold
// line breaks). Nothing is ever rejected.
//
// Reads the records of a decoded text one after the other:
//   CsvReader r(text, QLatin1Char(';'));
//   QStringList fields;
//   while (r.next(&fields)) ...
class CsvReader
{
public:
    CsvReader(const QString& text, QChar separator);

    // The fields of the next record, comment lines skipped; false at the end of the text.
    bool next(QStringList* fields);

    // The same record as next() reads, as views: into the text where a field stands as
    // it reads (valid while the reader lives), otherwise into strings the reader holds
    // until the next call. Spares a string per field to a reader that keeps few.
    bool nextViews(QList<QStringView>* fields);
    // Equal fields of a column share one string from the pool (not owned; null: none).
    void setPool(TextPool* pool) { m_pool = pool; }
    // How far reading has come, in characters of the text.
    qsizetype position() const { return m_pos; }
    // Whether a quoted field was found to run to the end of the text without closing:
    // read from a piece of a longer text, its records from there on may read otherwise
    // with the rest of the text.
    bool offenBisEnde() const { return m_openToEnd >= 0; }

    // Splits one line into its fields with the given separator. A quoted field ends at
    // a quote followed by the separator or the end of the line (in a text of several
    // lines it may span them); a doubled quote inside it is one quote, any other inner
    // quote stays. An opening quote that never closes falls back to the rules of a
    // single line: the field is joined with the following ones until one ends with a
    // quote (a lone quote is empty), or takes the rest of the line, quote included.
    // Linear in the text's length.
    static QStringList splitLine(const QString& line, QChar separator = QLatin1Char(';'));

    // The separator of a CSV file to import: ";" unless the first record holds none
    // outside quotes but a tab or a "," (tried in this order) that splits it.
    static QChar detectSeparator(const QString& text);

    // Whether a file name has the ending ".csv", in any letter case.
    static bool hasCsvEnding(const QString& fileName);

    // Decodes a text file's bytes: a byte-order mark selects its encoding; otherwise
    // UTF-8, and Latin-1 when the bytes are not valid UTF-8.
    static QString decode(const QByteArray& bytes);

    // The lines of a decoded text, terminators (\n, \r\n) removed; a final terminator
    // does not start another line.
    static QStringList lines(const QString& text);

    static bool isComment(const QString& line) { return line.startsWith(QLatin1Char('#')); }

private:
    // Reads the record at the current position, whatever its first character.
    bool readRecord(QStringList* fields);
    bool atLineEnd(qsizetype i) const;
    bool atFieldEnd(qsizetype i) const;
    qsizetype lineEnd(qsizetype i) const;
    qsizetype afterLineEnd(qsizetype i) const;
    // Reads the quoted field opening at q into *value; false when it never closes.
    bool readQuoted(qsizetype q, QString* value, qsizetype* end);
    // The rules of a single line: pieces between separators, joined while quoted.
    static QStringList splitPieces(const QString& line, QChar separator);

    QString m_text;
    QChar m_sep;
    qsizetype m_pos = 0;
    // Opening position of a quoted field found to run to the end of the text: every
    // later one needs only its own quotes examined, which keeps reading linear.
    qsizetype m_openToEnd = -1;
    TextPool* m_pool = nullptr;
    // The fields of the last record nextViews() could not view in the text.
    QStringList m_gehalten;
};

#endif
