#include "io/csvimport.h"

#include <QFile>
#include <QStringList>

#include "core/spaltenspeicher.h"

#include "core/csvreader.h"
#include "core/fortschritt.h"

#include <optional>

bool CsvImport::readText(const QString& fileName, QString* text)
{
    QFile f(fileName);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    *text = CsvReader::decode(f.readAll());
    return true;
}

CsvImport::Umfrage::Umfrage(const QString& text)
    : Umfrage(text, CsvReader::detectSeparator(text))
{
}

CsvImport::Umfrage::Umfrage(const QString& text, QChar separator)
    : reader(text, separator)
{
    hatKopf = reader.next(&titel);
    if (!hatKopf || QStringView(text).left(64 * 1024).contains(QChar(0)))
        return;
    for (const QString& title : std::as_const(titel))
        if (!title.trimmed().isEmpty()) {
            istUmfrage = true;
            return;
        }
}

bool CsvImport::isSurvey(const QString& text)
{
    return Umfrage(text).istUmfrage;
}

void CsvImport::fill(const QString& text, SpaltenSpeicher* model, Fortschritt* progress)
{
    Umfrage survey(text);
    fill(survey, model, progress);
}

void CsvImport::fill(Umfrage& survey, SpaltenSpeicher* model, Fortschritt* progress)
{
    if (!survey.hatKopf)
        return;
    const QStringList& fields = survey.titel;
    model->setColumnCount(fields.size());
    model->setHorizontalHeaderLabels(fields);
    for (int c = 0; c < fields.size(); ++c)
        model->setHeaderData(c, Qt::Horizontal, fields.at(c), Qt::ToolTipRole);
    fillRows(survey.reader, model, progress);
}

void CsvImport::fillRows(CsvReader& reader, SpaltenSpeicher* model, Fortschritt* progress)
{
    // Each record goes straight into the columns' codes; the store keeps each distinct
    // text of a column once.
    SpaltenSpeicher::Aufbau bau(model);
    QStringList fields;
    qint64 n = 0;
    while (reader.next(&fields)) {
        bau.zeile(fields);
        if (progress && (++n & 1023) == 0)
            progress->step(reader.position());
    }
}

namespace {
// Bytes decoded at a time.
qsizetype StueckBytes = qsizetype(4) << 20;

void kopfSetzen(SpaltenSpeicher* model, const QStringList& fields)
{
    model->setColumnCount(int(fields.size()));
    model->setHorizontalHeaderLabels(fields);
    for (int c = 0; c < fields.size(); ++c)
        model->setHeaderData(c, Qt::Horizontal, fields.at(c), Qt::ToolTipRole);
}
}

void CsvImport::Datei::setStueckBytes(qsizetype bytes)
{
    StueckBytes = qMax<qsizetype>(1, bytes);
}

bool CsvImport::Datei::lesen(const QString& fileName)
{
    QFile f(fileName);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    m_bytes = f.readAll();
    // As decode() chooses: the encoding of a byte-order mark; otherwise UTF-8, and
    // Latin-1 when the bytes are not valid UTF-8, which only all of them tell.
    const std::optional<QStringConverter::Encoding> bom =
        QStringConverter::encodingForData(m_bytes);
    if (bom && *bom != QStringConverter::Utf8) {
        m_art = 2;
        m_bom = *bom;
    } else {
        QStringDecoder pruefung(QStringDecoder::Utf8);
        for (qsizetype at = 0; at < m_bytes.size() && !pruefung.hasError(); at += StueckBytes)
            (void)QString(pruefung.decode(QByteArrayView(m_bytes.constData() + at, qMin(StueckBytes, m_bytes.size() - at))));
        m_art = pruefung.hasError() ? 1 : 0;
    }
    vonVorn();
    return true;
}

void CsvImport::Datei::vonVorn()
{
    m_pos = 0;
    m_decoder = QStringDecoder(m_art == 2 ? m_bom : QStringConverter::Utf8);
}

bool CsvImport::Datei::weiter(QString* text)
{
    if (m_pos >= m_bytes.size())
        return false;
    const QByteArrayView stueck = QByteArrayView(m_bytes.constData() + m_pos, qMin(StueckBytes, m_bytes.size() - m_pos));
    m_pos += stueck.size();
    if (m_art == 1)
        text->append(QString::fromLatin1(stueck));
    else
        text->append(QString(m_decoder.decode(stueck)));
    return true;
}

QString CsvImport::Datei::rest()
{
    QString text;
    while (weiter(&text)) {
    }
    return text;
}

QString CsvImport::Datei::anfang()
{
    vonVorn();
    QString text;
    while (weiter(&text)) {
        if (m_pos >= m_bytes.size())
            break;
        // The header is whole when it closes well before the end of the text decoded:
        // no quote runs on past it, and the separator is found on it alone.
        CsvReader reader(text, CsvReader::detectSeparator(text));
        QStringList fields;
        reader.next(&fields);
        if (!reader.offenBisEnde() && reader.position() < text.size() / 2
            && text.size() >= 64 * 1024)
            break;
        // Small pieces: the header needs more of them.
        if (StueckBytes < 64 * 1024 && !reader.offenBisEnde()
            && reader.position() < text.size() / 2)
            break;
    }
    return text;
}

bool CsvImport::Datei::istUmfrage()
{
    return isSurvey(anfang());
}

void CsvImport::Datei::fuellen(SpaltenSpeicher* model, Fortschritt* progress)
{
    QString text = anfang();
    const QChar sep = CsvReader::detectSeparator(text);
    std::optional<SpaltenSpeicher::Aufbau> bau;
    // Views into the piece: a field's text is copied only when its column has not
    // met it before.
    QList<QStringView> fields;
    QString weiterText;
    qint64 n = 0;
    for (;;) {
        // A piece of text from a record's start to its last line break; what follows
        // waits for the next piece. At the end the piece is the rest of the text.
        bool ende = false;
        qsizetype schnitt = -1;
        for (;;) {
            ende = m_pos >= m_bytes.size();
            if (ende)
                break;
            schnitt = text.lastIndexOf(QLatin1Char('\n'));
            if (schnitt >= 0)
                break;
            weiter(&text);
        }
        if (!ende) {
            weiterText = text.mid(schnitt + 1);
            text.truncate(schnitt + 1);
        }
        bool nochmal = false;
        {
            CsvReader reader(text, sep);
            for (;;) {
                const qsizetype start = reader.position();
                if (!reader.nextViews(&fields))
                    break;
                if (!ende && reader.offenBisEnde()) {
                    // A quote that does not close in this piece: from this record on
                    // the rest of the text decides how the records read.
                    text = text.mid(start) + weiterText + rest();
                    weiterText.clear();
                    nochmal = true;
                    break;
                }
                if (!bau) {
                    QStringList titel;
                    for (QStringView f : std::as_const(fields))
                        titel << f.toString();
                    kopfSetzen(model, titel);
                    bau.emplace(model);
                    continue;
                }
                bau->zeileAusSichten(fields);
                if (progress && (++n & 1023) == 0)
                    progress->step(m_pos);
            }
        }
        if (nochmal)
            continue;
        if (ende)
            break;
        text = std::move(weiterText);
        weiterText = QString();
        weiter(&text);
    }
}
