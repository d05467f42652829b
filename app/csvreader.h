#ifndef CSVREADER_H
#define CSVREADER_H

#include <QChar>
#include <QStringList>

class QByteArray;
class QString;

// The ";" CSV dialect that every reader of the program shares: one record per line,
// "#" comment lines, and the quote rules below. Nothing is ever rejected.
class CsvReader
{
public:
    // Splits one line into its fields with the given separator and applies the quote
    // rules: a field opening a quote is joined with the following fields until one
    // ends with a quote, then loses its outer quotes; an opening quote that never
    // closes leaves the rest of the line as one field, quote included. Linear in the
    // line's length.
    static QStringList splitLine(const QString& line, QChar separator = QLatin1Char(';'));

    // Decodes a text file's bytes: a byte-order mark selects its encoding; otherwise
    // UTF-8, and Latin-1 when the bytes are not valid UTF-8.
    static QString decode(const QByteArray& bytes);

    // The lines of a decoded text, terminators (\n, \r\n) removed; a final terminator
    // does not start another line.
    static QStringList lines(const QString& text);

    static bool isComment(const QString& line) { return line.startsWith(QLatin1Char('#')); }
};

#endif
