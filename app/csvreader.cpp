#include "app/csvreader.h"

#include <QByteArray>
#include <QString>
#include <QStringDecoder>

QStringList CsvReader::splitLine(const QString& line, QChar sep)
{
    // Field boundaries first: start index and length of each piece between separators.
    QList<qsizetype> starts;
    QList<qsizetype> ends;
    qsizetype from = 0;
    for (;;) {
        const qsizetype at = line.indexOf(sep, from);
        starts << from;
        if (at < 0) {
            ends << line.size();
            break;
        }
        ends << at;
        from = at + 1;
    }

    const QChar quote = QLatin1Char('"');
    auto opens = [&](qsizetype i) { return ends[i] > starts[i] && line.at(starts[i]) == quote; };
    auto closes = [&](qsizetype i) { return ends[i] > starts[i] && line.at(ends[i] - 1) == quote; };

    QStringList out;
    const qsizetype n = starts.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (!opens(i)) {
            out << line.mid(starts[i], ends[i] - starts[i]);
            continue;
        }
        if (closes(i)) {
            // A lone quote both opens and closes: it becomes empty.
            const qsizetype len = ends[i] - starts[i];
            out << (len < 2 ? QString() : line.mid(starts[i] + 1, len - 2));
            if (out.last().isNull())
                out.last() = QLatin1String("");
            continue;
        }
        // Join with the following fields up to the first that ends with a quote.
        qsizetype j = i + 1;
        while (j < n && !closes(j))
            ++j;
        if (j >= n) {
            // Never closed: the rest of the line is one field, opening quote included.
            out << line.mid(starts[i]);
            break;
        }
        out << line.mid(starts[i] + 1, ends[j] - starts[i] - 2);
        i = j;
    }
    return out;
}

QString CsvReader::decode(const QByteArray& bytes)
{
    const std::optional<QStringConverter::Encoding> bom =
        QStringConverter::encodingForData(bytes);
    if (bom && *bom != QStringConverter::Utf8) {
        QStringDecoder d(*bom);
        return d.decode(bytes);
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return QString::fromLatin1(bytes);
}

QStringList CsvReader::lines(const QString& text)
{
    QStringList out;
    qsizetype from = 0;
    const qsizetype n = text.size();
    while (from < n) {
        qsizetype at = text.indexOf(QLatin1Char('\n'), from);
        if (at < 0)
            at = n;
        qsizetype end = at;
        if (end > from && text.at(end - 1) == QLatin1Char('\r'))
            --end;
        out << text.mid(from, end - from);
        from = at + 1;
    }
    return out;
}
