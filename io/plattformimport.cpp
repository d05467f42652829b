#include "io/plattformimport.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "core/csvreader.h"
#include "io/googleformsimport.h"
#include "io/koboimport.h"
#include "io/limesurveyimport.h"
#include "io/plattformumfrage.h"
#include "io/qualtricsimport.h"
#include "io/spsssyntax.h"
#include "io/triplesimport.h"
#include "io/xlsxleser.h"

namespace {
// A file beside one: of the same name with that ending, else the only one of that
// ending in the folder.
QString daneben(const QString& fileName, const QString& endung)
{
    if (fileName.isEmpty())
        return QString();
    const QFileInfo info(fileName);
    const QString gleich = info.absolutePath() + QLatin1Char('/') + info.completeBaseName()
        + endung;
    if (QFileInfo::exists(gleich))
        return gleich;
    const QStringList alle =
        info.absoluteDir().entryList({QLatin1Char('*') + endung}, QDir::Files);
    return alle.size() == 1 ? info.absoluteDir().filePath(alle.first()) : QString();
}

bool leseText(const QString& fileName, QString* text)
{
    QFile f(fileName);
    if (fileName.isEmpty() || !f.open(QIODevice::ReadOnly))
        return false;
    *text = CsvReader::decode(f.readAll());
    return true;
}
}

PlattformImport::Ergebnis PlattformImport::lesen(const QString& fileName, PlattformUmfrage* u,
                                                 const BlattWahl& wahl,
                                                 const StrukturWahl& struktur)
{
    QFile f(fileName);
    if (!f.open(QIODevice::ReadOnly))
        return Beschaedigt;
    return lesenBytes(f.readAll(), fileName, u, wahl, struktur);
}

PlattformImport::Ergebnis PlattformImport::lesenBytes(const QByteArray& bytes,
                                                      const QString& fileName,
                                                      PlattformUmfrage* u, const BlattWahl& wahl,
                                                      const StrukturWahl& struktur)
{
    *u = PlattformUmfrage();
    if (XlsxLeser::istZip(bytes)) {
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        QStringList blaetter;
        if (!XlsxLeser::blaetter(buffer, &blaetter))
            return Beschaedigt;
        int blatt = 0;
        if (blaetter.size() > 1 && wahl)
            blatt = wahl(blaetter);
        if (blatt < 0)
            return Beschaedigt;
        QList<QStringList> records;
        // Closing the package closed the buffer too.
        if (!buffer.isOpen())
            buffer.open(QIODevice::ReadOnly);
        buffer.seek(0);
        if (!XlsxLeser::lesen(buffer, blatt, &records) || records.isEmpty())
            return Beschaedigt;
        return lesenTabelle(records, fileName, u, true, struktur);
    }
    if (TripleSImport::erkennt(bytes)) {
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        TripleSImport::Metadaten m;
        QString daten;
        if (!TripleSImport::leseMetadaten(buffer, &m)
            || !leseText(TripleSImport::datenDatei(fileName, m), &daten)
            || !TripleSImport::lesen(m, daten, u))
            return Beschaedigt;
        return Gelesen;
    }
    // A binary file is no text export.
    if (bytes.left(64 * 1024).contains('\0'))
        return KeinePlattform;
    const QString text = CsvReader::decode(bytes);
    if (SpssSyntax::erkennt(text)) {
        SpssSyntax syntax;
        if (!SpssSyntax::lesen(text, &syntax) || syntax.variablen.isEmpty())
            return Beschaedigt;
        // The data file named in the syntax, looked for beside it.
        QString datenName = QFileInfo(fileName).absoluteDir().filePath(
            QFileInfo(QString(syntax.datenDatei).replace(QLatin1Char('\\'), QLatin1Char('/')))
                .fileName());
        if (syntax.datenDatei.isEmpty() || !QFileInfo::exists(datenName))
            datenName = daneben(fileName, QStringLiteral(".dat"));
        QString daten;
        if (!leseText(datenName, &daten))
            return Beschaedigt;
        LimeSurveyImport::lesenSpss(syntax, daten, u);
        return Gelesen;
    }
    const QChar sep = CsvReader::detectSeparator(text);
    CsvReader reader(text, sep);
    QList<QStringList> kopf;
    QStringList rec;
    while (kopf.size() < 3 && reader.next(&rec))
        kopf << rec;
    if (QualtricsImport::erkennt(kopf)) {
        // The rows go straight into the table, as a plain CSV file's do.
        QualtricsImport::lesen(kopf, u);
        u->csvText = text;
        u->trenner = sep;
        u->kopfZeilen = QualtricsImport::kopfZeilen(kopf);
        return Gelesen;
    }
    if (!GoogleFormsImport::erkennt(kopf) && !LimeSurveyImport::erkennt(kopf)
        && !KoboImport::erkennt(kopf)) {
        // A plain CSV file: its text and separator serve the import as such, so that
        // it is read and its separator found once.
        u->csvText = text;
        u->trenner = sep;
        return KeinePlattform;
    }
    QList<QStringList> records = kopf;
    while (reader.next(&rec))
        records << rec;
    return lesenTabelle(records, fileName, u, false, struktur);
}

PlattformImport::Ergebnis PlattformImport::lesenTabelle(const QList<QStringList>& records,
                                                        const QString& fileName,
                                                        PlattformUmfrage* u,
                                                        bool ausArbeitsmappe,
                                                        const StrukturWahl& strukturWahl)
{
    const QList<QStringList> kopf = records.mid(0, 3);
    if (QualtricsImport::erkennt(kopf)) {
        QualtricsImport::lesen(kopf, u);
        u->zeilen = records.mid(QualtricsImport::kopfZeilen(kopf));
        return Gelesen;
    }
    const QStringList titel = records.value(0);
    const QList<QStringList> rows = records.mid(1);
    if (GoogleFormsImport::erkennt(kopf)) {
        GoogleFormsImport::lesen(titel, rows, u);
        return Gelesen;
    }
    if (LimeSurveyImport::erkennt(kopf)) {
        LimeSurveyImport::Struktur struktur;
        QString lssName = daneben(fileName, QStringLiteral(".lss"));
        // Only code headings need the structure to be read.
        if (lssName.isEmpty() && strukturWahl && titel.contains(QLatin1String("submitdate")))
            lssName = strukturWahl();
        QFile lss(lssName);
        if (!lss.fileName().isEmpty() && lss.open(QIODevice::ReadOnly)
            && !LimeSurveyImport::leseStruktur(lss, &struktur))
            return Beschaedigt;
        LimeSurveyImport::lesen(titel, rows, struktur, u);
        return Gelesen;
    }
    if (KoboImport::erkennt(kopf)) {
        SpssSyntax labels;
        QString text;
        const bool mitLabels = leseText(daneben(fileName, QStringLiteral(".sps")), &text)
            && SpssSyntax::lesen(text, &labels);
        KoboImport::lesen(titel, rows, mitLabels ? &labels : nullptr, u);
        return Gelesen;
    }
    if (!ausArbeitsmappe)
        return KeinePlattform;
    // A workbook of no platform: the first row the header.
    u->quelle = QStringLiteral("Excel-Arbeitsmappe");
    u->titel = titel;
    u->zeilen = rows;
    u->fragen = int(titel.size());
    u->angleichen();
    u->eigeneAnsichten = false;
    return Gelesen;
}
