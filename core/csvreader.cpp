#include "core/csvreader.h"

#include <QByteArray>
#include <QStringDecoder>

#include "core/textpool.h"

namespace {
const QChar Quote = QLatin1Char('"');
}

CsvReader::CsvReader(const QString& text, QChar separator)
    : m_text(text)
    , m_sep(separator)
{
}

bool CsvReader::atLineEnd(qsizetype i) const
{
    const qsizetype n = m_text.size();
    if (i >= n)
        return true;
    const QChar c = m_text.at(i);
    return c == QLatin1Char('\n')
        || (c == QLatin1Char('\r') && (i + 1 >= n || m_text.at(i + 1) == QLatin1Char('\n')));
}

bool CsvReader::atFieldEnd(qsizetype i) const
{
    return atLineEnd(i) || m_text.at(i) == m_sep;
}

qsizetype CsvReader::lineEnd(qsizetype i) const
{
    while (!atLineEnd(i))
        ++i;
    return i;
}

qsizetype CsvReader::afterLineEnd(qsizetype i) const
{
    const qsizetype n = m_text.size();
    i = lineEnd(i);
    if (i < n && m_text.at(i) == QLatin1Char('\r'))
        ++i;
    return qMin(i + 1, n);
}

bool CsvReader::readQuoted(qsizetype q, QString* value, qsizetype* end)
{
    value->clear();
    const QChar* d = m_text.constData();
    const qsizetype n = m_text.size();
    // An earlier quoted field already ran to the end of the text without closing; the
    // quote runs after this field's own were all examined then, and none closed.
    const bool ownRunOnly = m_openToEnd >= 0 && q > m_openToEnd;
    if (ownRunOnly && (q + 1 >= n || d[q + 1] != Quote))
        return false;

    qsizetype i = q + 1;
    qsizetype seg = i;
    while (i < n) {
        const QChar c = d[i];
        if (c == Quote) {
            value->append(d + seg, i - seg);
            qsizetype k = 0;
            while (i + k < n && d[i + k] == Quote)
                ++k;
            // Pairs are literal quotes; an odd one out closes the field when the field
            // ends behind it, and otherwise stays as it is.
            value->append(QString(k / 2, Quote));
            if (k % 2 == 1) {
                if (atFieldEnd(i + k)) {
                    *end = i + k;
                    return true;
                }
                value->append(Quote);
            }
            i += k;
            seg = i;
            if (ownRunOnly)
                return false;
        } else if (c == QLatin1Char('\r') && i + 1 < n && d[i + 1] == QLatin1Char('\n')) {
            // A line break inside a field is kept as "\n", whatever the file's line ends.
            value->append(d + seg, i - seg);
            ++i;
            seg = i;
        } else {
            ++i;
        }
    }
    if (m_openToEnd < 0)
        m_openToEnd = q;
    return false;
}

bool CsvReader::next(QStringList* fields)
{
    const qsizetype n = m_text.size();
    while (m_pos < n && m_text.at(m_pos) == QLatin1Char('#'))
        m_pos = afterLineEnd(m_pos);
    if (m_pos >= n)
        return false;
    return readRecord(fields);
}

bool CsvReader::nextViews(QList<QStringView>* fields)
{
    fields->clear();
    const qsizetype n = m_text.size();
    while (m_pos < n && m_text.at(m_pos) == QLatin1Char('#'))
        m_pos = afterLineEnd(m_pos);
    if (m_pos >= n)
        return false;
    const QChar* d = m_text.constData();
    const char16_t sep = m_sep.unicode();
    qsizetype p = m_pos;
    for (;;) {
        if (p < n && d[p] == Quote) {
            // Closed by the first quote, with no quote, carriage return or earlier
            // unclosed field to look at: readQuoted would take the characters as they
            // stand. Anything else is read by it, the whole record again.
            qsizetype i = p + 1;
            while (i < n && d[i] != Quote && d[i] != QLatin1Char('\r'))
                ++i;
            const bool schlicht = m_openToEnd < 0 && i < n && d[i] == Quote
                && (i + 1 >= n || d[i + 1] != Quote) && atFieldEnd(i + 1);
            if (!schlicht) {
                fields->clear();
                if (!readRecord(&m_gehalten))
                    return false;
                for (const QString& f : std::as_const(m_gehalten))
                    fields->append(QStringView(f));
                return true;
            }
            fields->append(QStringView(d + p + 1, i - p - 1));
            p = i + 1;
        } else {
            // The field runs to the separator or the line end (a lone \r is text).
            qsizetype i = p;
            for (; i < n; ++i) {
                const char16_t c = d[i].unicode();
                if (c == sep || c == u'\n')
                    break;
                if (c == u'\r' && (i + 1 >= n || d[i + 1] == QLatin1Char('\n')))
                    break;
            }
            fields->append(QStringView(d + p, i - p));
            p = i;
        }
        if (p < n && d[p] == m_sep) {
            ++p;
            continue;
        }
        m_pos = afterLineEnd(p);
        return true;
    }
}

bool CsvReader::readRecord(QStringList* fields)
{
    fields->clear();
    const qsizetype n = m_text.size();
    qsizetype p = m_pos;
    for (;;) {
        if (p < n && m_text.at(p) == Quote) {
            QString value;
            qsizetype end = p;
            if (!readQuoted(p, &value, &end)) {
                // Never closed: the rest of this line by the rules of a single line.
                *fields << splitPieces(m_text.mid(p, lineEnd(p) - p), m_sep);
                m_pos = afterLineEnd(p);
                return true;
            }
            *fields << (m_pool ? m_pool->take(value, int(fields->size())) : value);
            p = end;
        } else {
            // The field runs to the separator or the line end (a lone \r is text).
            const QChar* d = m_text.constData();
            const char16_t sep = m_sep.unicode();
            qsizetype i = p;
            for (; i < n; ++i) {
                const char16_t c = d[i].unicode();
                if (c == sep || c == u'\n')
                    break;
                if (c == u'\r' && (i + 1 >= n || d[i + 1] == QLatin1Char('\n')))
                    break;
            }
            if (m_pool)
                *fields << m_pool->take(QStringView(d + p, i - p), int(fields->size()));
            else
                *fields << m_text.mid(p, i - p);
            p = i;
        }
        if (p < n && m_text.at(p) == m_sep) {
            ++p;
            continue;
        }
        m_pos = afterLineEnd(p);
        return true;
    }
}

QStringList CsvReader::splitLine(const QString& line, QChar separator)
{
    CsvReader r(line, separator);
    QStringList fields;
    if (line.isEmpty() || !r.readRecord(&fields))
        return QStringList{QLatin1String("")};
    return fields;
}

QStringList CsvReader::splitPieces(const QString& line, QChar sep)
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

    auto opens = [&](qsizetype i) { return ends[i] > starts[i] && line.at(starts[i]) == Quote; };
    auto closes = [&](qsizetype i) { return ends[i] > starts[i] && line.at(ends[i] - 1) == Quote; };

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
            out << (len < 2 ? QString(QLatin1String("")) : line.mid(starts[i] + 1, len - 2));
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

QChar CsvReader::detectSeparator(const QString& text)
{
    const QChar semicolon = QLatin1Char(';');
    const QChar tab = QLatin1Char('\t');
    const QChar comma = QLatin1Char(',');
    const auto isCandidate = [&](QChar c) { return c == semicolon || c == tab || c == comma; };
    const qsizetype n = text.size();
    qsizetype start = 0;
    while (start < n && text.at(start) == QLatin1Char('#')) {
        const qsizetype at = text.indexOf(QLatin1Char('\n'), start);
        start = at < 0 ? n : at + 1;
    }
    const auto lineEndAt = [&](qsizetype i) {
        return i >= n || text.at(i) == QLatin1Char('\n')
            || (text.at(i) == QLatin1Char('\r') && (i + 1 >= n || text.at(i + 1) == QLatin1Char('\n')));
    };

    // Separators inside a quoted field do not count: whatever the separator, a quote
    // opens a field only at its start, a doubled quote stays inside, and a single one
    // closes it where a separator or the line end follows.
    int semicolons = 0;
    int tabs = 0;
    int commas = 0;
    const auto count = [&](QChar c) {
        semicolons += c == semicolon;
        tabs += c == tab;
        commas += c == comma;
    };
    bool quoted = false;
    bool fieldStart = true;
    qsizetype i = start;
    for (; i < n; ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c != Quote)
                continue;
            if (i + 1 < n && text.at(i + 1) == Quote)
                ++i;
            else if (lineEndAt(i + 1) || isCandidate(text.at(i + 1)))
                quoted = false;
            continue;
        }
        if (lineEndAt(i))
            break;
        if (c == Quote && fieldStart) {
            quoted = true;
            fieldStart = false;
            continue;
        }
        fieldStart = isCandidate(c);
        count(c);
    }
    if (quoted) {
        // A quote that never closes quotes nothing: the first line as it stands.
        semicolons = tabs = commas = 0;
        for (i = start; !lineEndAt(i); ++i)
            count(text.at(i));
    }
    if (semicolons > 0)
        return semicolon;
    if (tabs > 0)
        return tab;
    if (commas > 0)
        return comma;
    return semicolon;
}

bool CsvReader::hasCsvEnding(const QString& fileName)
{
    return fileName.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive);
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
