#include "plattformexporte.h"

#include <QDir>
#include <QFile>
#include <QDateTime>

#include "io/officepaket.h"

namespace {
QString pfad(const QString& dir, const char* name)
{
    return QDir(dir).filePath(QString::fromUtf8(name));
}

QByteArray csvZeile(const QStringList& felder, char sep = ',')
{
    QByteArray out;
    for (int i = 0; i < felder.size(); ++i) {
        if (i > 0)
            out += sep;
        QString f = felder.at(i);
        out += '"' + f.replace(QLatin1String("\""), QLatin1String("\"\"")).toUtf8() + '"';
    }
    return out + "\r\n";
}

QByteArray csv(const QList<QStringList>& records, char sep = ',')
{
    QByteArray out;
    for (const QStringList& r : records)
        out += csvZeile(r, sep);
    return out;
}
}

bool PlattformExporte::schreibe(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

namespace {
QString xmlText(QString t)
{
    return t.replace(QLatin1String("&"), QLatin1String("&amp;"))
        .replace(QLatin1String("<"), QLatin1String("&lt;"))
        .replace(QLatin1String(">"), QLatin1String("&gt;"))
        .replace(QLatin1String("\""), QLatin1String("&quot;"));
}

QString spaltenName(int c)
{
    QString out;
    for (++c; c > 0; c = (c - 1) / 26)
        out.prepend(QChar('A' + (c - 1) % 26));
    return out;
}

// The serial day number of the 1900 date system.
double serial(const QDateTime& dt)
{
    return double(QDate(1899, 12, 30).daysTo(dt.date()))
        + dt.time().msecsSinceStartOfDay() / 86400000.0;
}
}

bool PlattformExporte::schreibeXlsx(const QString& path, const QStringList& blaetter,
                                    const QList<QList<QStringList>>& inhalt)
{
    // Written part by part as a spreadsheet program does: shared strings for texts
    // (inline strings on the second sheet), a built-in and a custom date format.
    QList<QPair<QString, QByteArray>> teile;
    QString wb = QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
        "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
        "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
        "<sheets>");
    QString rels = QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">");
    QStringList strings;
    for (int b = 0; b < blaetter.size(); ++b) {
        wb += QStringLiteral("<sheet name=\"%1\" sheetId=\"%2\" r:id=\"rId%2\"/>")
                  .arg(xmlText(blaetter.at(b))).arg(b + 1);
        rels += QStringLiteral("<Relationship Id=\"rId%1\" Type=\"http://schemas.openxmlformats."
                               "org/officeDocument/2006/relationships/worksheet\" "
                               "Target=\"worksheets/sheet%1.xml\"/>").arg(b + 1);
        QString sheet = QStringLiteral(
            "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
            "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
            "<sheetData>");
        const QList<QStringList>& rows = inhalt.value(b);
        for (int r = 0; r < rows.size(); ++r) {
            sheet += QStringLiteral("<row r=\"%1\">").arg(r + 1);
            for (int c = 0; c < rows.at(r).size(); ++c) {
                const QString t = rows.at(r).at(c);
                const QString ref = spaltenName(c) + QString::number(r + 1);
                bool zahl = false;
                t.toDouble(&zahl);
                if (t.isEmpty())
                    continue;
                // "#d:2026-12-24" and "#t:2026-12-24 13:30" mark dates; "#b:1" a boolean.
                if (t.startsWith(QLatin1String("#d:"))) {
                    const QDateTime dt(QDate::fromString(t.mid(3), Qt::ISODate), QTime(0, 0));
                    sheet += QStringLiteral("<c r=\"%1\" s=\"1\"><v>%2</v></c>")
                                 .arg(ref).arg(serial(dt), 0, 'g', 17);
                } else if (t.startsWith(QLatin1String("#t:"))) {
                    const QDateTime dt =
                        QDateTime::fromString(t.mid(3), QStringLiteral("yyyy-MM-dd HH:mm"));
                    sheet += QStringLiteral("<c r=\"%1\" s=\"2\"><v>%2</v></c>")
                                 .arg(ref).arg(serial(dt), 0, 'g', 17);
                } else if (t.startsWith(QLatin1String("#b:"))) {
                    sheet += QStringLiteral("<c r=\"%1\" t=\"b\"><v>%2</v></c>").arg(ref, t.mid(3));
                } else if (zahl) {
                    sheet += QStringLiteral("<c r=\"%1\"><v>%2</v></c>").arg(ref, t);
                } else if (b > 0) {
                    sheet += QStringLiteral("<c r=\"%1\" t=\"inlineStr\"><is><t>%2</t></is></c>")
                                 .arg(ref, xmlText(t));
                } else {
                    int i = int(strings.indexOf(t));
                    if (i < 0) {
                        i = int(strings.size());
                        strings << t;
                    }
                    sheet += QStringLiteral("<c r=\"%1\" t=\"s\"><v>%2</v></c>").arg(ref).arg(i);
                }
            }
            sheet += QStringLiteral("</row>");
        }
        sheet += QStringLiteral("</sheetData></worksheet>");
        teile.append({QStringLiteral("xl/worksheets/sheet%1.xml").arg(b + 1), sheet.toUtf8()});
    }
    const int n = int(blaetter.size());
    rels += QStringLiteral("<Relationship Id=\"rId%1\" Type=\"http://schemas.openxmlformats.org/"
                           "officeDocument/2006/relationships/sharedStrings\" "
                           "Target=\"sharedStrings.xml\"/>"
                           "<Relationship Id=\"rId%2\" Type=\"http://schemas.openxmlformats.org/"
                           "officeDocument/2006/relationships/styles\" Target=\"styles.xml\"/>"
                           "</Relationships>").arg(n + 1).arg(n + 2);
    wb += QStringLiteral("</sheets></workbook>");
    QString sst = QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
        "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">");
    for (const QString& t : strings)
        sst += QStringLiteral("<si><t xml:space=\"preserve\">%1</t></si>").arg(xmlText(t));
    sst += QStringLiteral("</sst>");
    const QString styles = QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
        "<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
        "<numFmts count=\"1\"><numFmt numFmtId=\"164\" formatCode=\"dd/mm/yyyy\\ hh:mm\"/>"
        "</numFmts><cellXfs count=\"3\"><xf numFmtId=\"0\"/><xf numFmtId=\"14\"/>"
        "<xf numFmtId=\"164\"/></cellXfs></styleSheet>");
    teile.prepend({QStringLiteral("xl/styles.xml"), styles.toUtf8()});
    teile.prepend({QStringLiteral("xl/sharedStrings.xml"), sst.toUtf8()});
    teile.prepend({QStringLiteral("xl/_rels/workbook.xml.rels"), rels.toUtf8()});
    teile.prepend({QStringLiteral("xl/workbook.xml"), wb.toUtf8()});

    // Zipped as the program's own Office packages are; the content types say what a
    // spreadsheet program writes.
    OfficePaket zip;
    for (const auto& [name, bytes] : teile)
        zip.teile.insert(name, bytes);
    zip.setzeStandardtyp(QStringLiteral("rels"),
                         QStringLiteral("application/vnd.openxmlformats-package.relationships+xml"));
    zip.setzeStandardtyp(QStringLiteral("xml"), QStringLiteral("application/xml"));
    zip.setzeInhaltstyp(QStringLiteral("xl/workbook.xml"),
                        QStringLiteral("application/vnd.openxmlformats-officedocument."
                                       "spreadsheetml.sheet.main+xml"));
    for (int b = 0; b < blaetter.size(); ++b)
        zip.setzeInhaltstyp(QStringLiteral("xl/worksheets/sheet%1.xml").arg(b + 1),
                            QStringLiteral("application/vnd.openxmlformats-officedocument."
                                           "spreadsheetml.worksheet+xml"));
    return zip.schreiben(path);
}

QList<QStringList> PlattformExporte::qualtricsRecords(bool mitImportId)
{
    const QStringList meta = {
        QStringLiteral("StartDate"), QStringLiteral("EndDate"), QStringLiteral("Status"),
        QStringLiteral("IPAddress"), QStringLiteral("Progress"),
        QStringLiteral("Duration (in seconds)"), QStringLiteral("Finished"),
        QStringLiteral("RecordedDate"),
        mitImportId ? QStringLiteral("ResponseId") : QStringLiteral("ResponseID"),
        QStringLiteral("RecipientLastName"), QStringLiteral("RecipientFirstName"),
        QStringLiteral("RecipientEmail"), QStringLiteral("ExternalReference"),
        QStringLiteral("LocationLatitude"), QStringLiteral("LocationLongitude"),
        QStringLiteral("DistributionChannel"), QStringLiteral("UserLanguage")};
    QStringList namen = meta;
    namen << QStringLiteral("Q1") << QStringLiteral("Q2_1") << QStringLiteral("Q2_2")
          << QStringLiteral("Q2_3") << QStringLiteral("Q2_4") << QStringLiteral("Q2_4_TEXT")
          << QStringLiteral("Q3");
    QStringList texte = meta;
    texte[5] = QStringLiteral("Duration (in seconds)");
    const QString frage = QStringLiteral("Welche Getränke mögen Sie?");
    texte << QStringLiteral("Wie zufrieden sind Sie?")
          << frage + QStringLiteral(" - Selected Choice - Kaffee")
          << frage + QStringLiteral(" - Selected Choice - Tee")
          << frage + QStringLiteral(" - Selected Choice - Saft, frisch gepresst")
          << frage + QStringLiteral(" - Selected Choice - Andere")
          << frage + QStringLiteral(" - Andere - Text")
          << QStringLiteral("Ihr Alter in Jahren");
    QList<QStringList> out{namen, texte};
    if (mitImportId) {
        QStringList ids;
        for (const QString& n : namen)
            ids << QStringLiteral("{\"ImportId\":\"%1\"}").arg(n);
        out << ids;
    }
    auto antwort = [&](const QString& id, const QStringList& fragen) {
        QStringList r{QStringLiteral("2026-03-01 10:00:00"), QStringLiteral("2026-03-01 10:05:00"),
                      QStringLiteral("IP Address"), QStringLiteral("1.2.3.4"),
                      QStringLiteral("100"), QStringLiteral("300"), QStringLiteral("True"),
                      QStringLiteral("2026-03-01 10:05:01"), id, QString(), QString(), QString(),
                      QString(), QStringLiteral("52.5"), QStringLiteral("13.4"),
                      QStringLiteral("anonymous"), QStringLiteral("DE")};
        return r + fragen;
    };
    // Kaffee 3, Tee 1, Saft 2, Andere 1 (with its text); 4 responses.
    out << antwort(QStringLiteral("R_1"), {QStringLiteral("Sehr zufrieden"),
                                          QStringLiteral("Kaffee"), QString(),
                                          QStringLiteral("Saft, frisch gepresst"), QString(),
                                          QString(), QStringLiteral("34")});
    out << antwort(QStringLiteral("R_2"), {QStringLiteral("Zufrieden"), QStringLiteral("Kaffee"),
                                          QStringLiteral("Tee"), QString(), QString(), QString(),
                                          QStringLiteral("51")});
    out << antwort(QStringLiteral("R_3"), {QStringLiteral("Unzufrieden"), QString(), QString(),
                                          QStringLiteral("Saft, frisch gepresst"),
                                          QStringLiteral("Andere"), QStringLiteral("Kakao, heiß"),
                                          QStringLiteral("27")});
    out << antwort(QStringLiteral("R_4"), {QStringLiteral("Zufrieden"), QStringLiteral("Kaffee"),
                                          QString(), QString(), QString(), QString(),
                                          QStringLiteral("45")});
    return out;
}

QString PlattformExporte::qualtricsCsv(const QString& dir, bool mitImportId)
{
    const QString p = pfad(dir, mitImportId ? "qualtrics.csv" : "qualtrics_alt.csv");
    schreibe(p, "\xEF\xBB\xBF" + csv(qualtricsRecords(mitImportId)));
    return p;
}

QString PlattformExporte::qualtricsXlsx(const QString& dir)
{
    const QString p = pfad(dir, "qualtrics.xlsx");
    schreibeXlsx(p, {QStringLiteral("Sheet0")}, {qualtricsRecords(true)});
    return p;
}

QString PlattformExporte::googleForms(const QString& dir, bool deutsch)
{
    const QString p = pfad(dir, deutsch ? "formular_de.csv" : "formular_en.csv");
    // Deutsch 2, "Deutsch, Schweizer Variante" 2, Englisch 3; 5 responses.
    const QList<QStringList> records = {
        {deutsch ? QStringLiteral("Zeitstempel") : QStringLiteral("Timestamp"),
         QStringLiteral("Wie heißen Sie?"), QStringLiteral("Welche Sprachen sprechen Sie?"),
         QStringLiteral("Zufriedenheit [Service]"), QStringLiteral("Zufriedenheit [Preis]")},
        {QStringLiteral("01.03.2026 10:00:00"), QStringLiteral("Müller, Anna"),
         QStringLiteral("Deutsch, Englisch"), QStringLiteral("5"), QStringLiteral("3")},
        {QStringLiteral("01.03.2026 10:05:00"), QStringLiteral("Jörg"),
         QStringLiteral("Deutsch, Schweizer Variante"), QStringLiteral("4"), QStringLiteral("4")},
        {QStringLiteral("01.03.2026 11:00:00"), QStringLiteral("Zoë"),
         QStringLiteral("Deutsch, Schweizer Variante, Englisch"), QStringLiteral("5"),
         QStringLiteral("2")},
        {QStringLiteral("02.03.2026 09:00:00"), QStringLiteral("Ali"), QStringLiteral("Englisch"),
         QStringLiteral("3"), QString()},
        {QStringLiteral("02.03.2026 09:30:00"), QStringLiteral("Bea"), QStringLiteral("Deutsch"),
         QStringLiteral("4"), QStringLiteral("5")}};
    schreibe(p, csv(records));
    return p;
}

QString PlattformExporte::limeSurveyCsv(const QString& dir, bool codes)
{
    const QString p = pfad(dir, codes ? "limesurvey_survey_123.csv" : "limesurvey_text.csv");
    // Äpfel 2, Birnen 1, "Kirschen, sauer" 2; Ja 2, Nein 1; 3 responses.
    QList<QStringList> records;
    if (codes) {
        records << QStringList{QStringLiteral("id"), QStringLiteral("submitdate"),
                               QStringLiteral("lastpage"), QStringLiteral("startlanguage"),
                               QStringLiteral("seed"), QStringLiteral("G1Q1"),
                               QStringLiteral("Q2[SQ001]"), QStringLiteral("Q2[SQ002]"),
                               QStringLiteral("Q2[SQ003]"), QStringLiteral("Q2[other]"),
                               QStringLiteral("Q3")};
        records << QStringList{"1", "2026-03-01 10:00:00", "2", "de", "123", "A1", "Y", "", "Y",
                               "", "Gut so"}
                << QStringList{"2", "2026-03-01 11:00:00", "2", "de", "456", "A2", "Y", "Y", "",
                               "Quitten", ""}
                << QStringList{"3", "2026-03-02 09:00:00", "2", "de", "789", "A1", "", "", "Y",
                               "", "Mehr Obst, bitte"};
        const QByteArray lss =
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<document>\n"
            " <LimeSurveyDocType>Survey</LimeSurveyDocType>\n"
            " <questions><fields><fieldname>qid</fieldname></fields><rows>\n"
            "  <row><qid>11</qid><parent_qid>0</parent_qid><type>L</type><title>G1Q1</title>"
            "<question><![CDATA[Gefällt Ihnen das?]]></question><language>de</language></row>\n"
            "  <row><qid>12</qid><parent_qid>0</parent_qid><type>M</type><title>Q2</title>"
            "<question>Welches Obst essen Sie?</question><language>de</language></row>\n"
            "  <row><qid>13</qid><parent_qid>0</parent_qid><type>T</type><title>Q3</title>"
            "<question>Bemerkungen</question><language>de</language></row>\n"
            " </rows></questions>\n"
            " <subquestions><rows>\n"
            "  <row><qid>21</qid><parent_qid>12</parent_qid><title>SQ001</title>"
            "<question>Äpfel</question></row>\n"
            "  <row><qid>22</qid><parent_qid>12</parent_qid><title>SQ002</title>"
            "<question>Birnen</question></row>\n"
            "  <row><qid>23</qid><parent_qid>12</parent_qid><title>SQ003</title>"
            "<question>Kirschen, sauer</question></row>\n"
            " </rows></subquestions>\n"
            " <answers><rows>\n"
            "  <row><qid>11</qid><code>A1</code><answer>Ja</answer></row>\n"
            "  <row><qid>11</qid><code>A2</code><answer>Nein</answer></row>\n"
            " </rows></answers>\n</document>\n";
        schreibe(pfad(dir, "limesurvey_survey_123.lss"), lss);
        schreibe(p, csv(records, ';'));
    } else {
        records << QStringList{QStringLiteral("Antwort ID"), QStringLiteral("Datum Abgeschickt"),
                               QStringLiteral("Letzte Seite"), QStringLiteral("Start-Sprache"),
                               QStringLiteral("Gefällt Ihnen das?"),
                               QStringLiteral("Welches Obst essen Sie? [Äpfel]"),
                               QStringLiteral("Welches Obst essen Sie? [Birnen]"),
                               QStringLiteral("Welches Obst essen Sie? [Kirschen, sauer]"),
                               QStringLiteral("Bemerkungen")};
        records << QStringList{"1", "01.03.2026", "2", "de", "Ja", "Ja", "", "Ja", "Gut so"}
                << QStringList{"2", "01.03.2026", "2", "de", "Nein", "Ja", "Ja", "", ""}
                << QStringList{"3", "02.03.2026", "2", "de", "Ja", "", "", "Ja", "Mehr Obst"};
        schreibe(p, csv(records, ','));
    }
    return p;
}

QString PlattformExporte::limeSurveySps(const QString& dir)
{
    const QString p = pfad(dir, "survey_123_SPSS_syntax_file.sps");
    const QByteArray sps =
        "* Encoding: UTF-8.\n"
        "GET DATA\n /TYPE=TXT\n /FILE='survey_123_SPSS_data_file.dat'\n /DELCASE=LINE\n"
        " /DELIMITERS=\",\"\n /QUALIFIER=\"'\"\n /ARRANGEMENT=DELIMITED\n /FIRSTCASE=1\n"
        " /IMPORTCASE=ALL\n /VARIABLES=\n id F6\n submitdate SDATE10\n G1Q1 F1\n Q3 A200\n.\n"
        "VARIABLE LABELS id 'Antwort ID'\n submitdate 'Datum Abgeschickt'\n"
        " G1Q1 'Gefällt Ihnen das?'\n Q3 'Bemerkungen, frei'.\n"
        "VALUE LABELS G1Q1\n 1 'Ja'\n 2 'Nein'\n 9 'Weiß nicht'.\n"
        "MISSING VALUES G1Q1 (9).\nEXECUTE.\n";
    // Ja 2, Nein 1, "Weiß nicht" 1; 4 responses.
    const QByteArray dat = "1,'2026-03-01',1,'Gut so'\n2,'2026-03-01',2,''\n"
                           "3,'2026-03-02',1,'It''s fine, really'\n4,'2026-03-02',9,''\n";
    schreibe(p, sps);
    schreibe(pfad(dir, "survey_123_SPSS_data_file.dat"), dat);
    return p;
}

namespace {
QList<QStringList> koboRecords()
{
    // apple 2, banana 2, kiwi 1; 3 submissions.
    return {{"start", "end", "grp/name", "grp/alter", "grp/obst", "grp/obst/apple",
             "grp/obst/banana", "grp/obst/kiwi", "_id", "_uuid", "_submission_time", "_index"},
            {"2026-03-01T10:00", "2026-03-01T10:05", "Jürgen", "34", "apple kiwi", "1", "0", "1",
             "101", "u-1", "2026-03-01T10:06", "1"},
            {"2026-03-01T11:00", "2026-03-01T11:04", "Anna", "-99", "banana", "0", "1", "0", "102",
             "u-2", "2026-03-01T11:06", "2"},
            {"2026-03-02T09:00", "2026-03-02T09:02", "Zoë", "27", "apple banana", "1", "1", "0",
             "103", "u-3", "2026-03-02T09:03", "3"}};
}
}

QString PlattformExporte::koboCsv(const QString& dir, bool mitLabels)
{
    const QString sub = mitLabels ? QStringLiteral("mit") : QStringLiteral("ohne");
    QDir(dir).mkpath(sub);
    const QString p = QDir(dir).filePath(sub + QStringLiteral("/kobo_daten.csv"));
    schreibe(p, csv(koboRecords(), ';'));
    if (mitLabels)
        schreibe(QDir(dir).filePath(sub + QStringLiteral("/kobo_daten.sps")),
                 "VARIABLE LABELS\n grp_name 'Ihr Name'\n /grp_alter 'Ihr Alter'\n"
                 " /grp_obst 'Welches Obst mögen Sie?'.\n"
                 "VALUE LABELS\n /grp_obst 'apple' 'Apfel' 'banana' 'Banane, reif' "
                 "'kiwi' 'Kiwi'.\n"
                 "MISSING VALUES grp_alter (LO THRU -50, -98).\n");
    return p;
}

QString PlattformExporte::koboXlsx(const QString& dir)
{
    const QString p = pfad(dir, "kobo.xlsx");
    schreibeXlsx(p, {QStringLiteral("survey")}, {koboRecords()});
    return p;
}

QString PlattformExporte::excel(const QString& dir)
{
    const QString p = pfad(dir, "umfrage.xlsx");
    schreibeXlsx(p, {QStringLiteral("Daten"), QStringLiteral("Notizen")},
                 {{{"Name", "Alter", "Gewicht", "Geburtstag", "Abgegeben", "Einverstanden"},
                   {"Jörg", "34", "72.5", "#d:1990-05-17", "#t:2026-03-01 13:30", "#b:1"},
                   {"Anna, M.", "51", "0.3", "#d:1975-12-24", "#t:2026-03-02 08:05", "#b:0"}},
                  {{"Notiz"}, {"nur ein Test"}}});
    return p;
}

QString PlattformExporte::tripleS(const QString& dir, bool csvDaten)
{
    const QString p = pfad(dir, csvDaten ? "umfrage_csv.sss" : "umfrage.sss");
    // Fixed: Q1 at 1, Q2 flags at 2-4, Q3 at 5-7, Q4 at 8-17, Q5 spread 2x2 at 18-21.
    // CSV: fields 1, 2-4, 5, 6.
    QByteArray sss =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<sss version=\"2.0\">\n"
        " <survey><name>Test</name>\n"
        "  <record ident=\"A\"" + QByteArray(csvDaten ? " format=\"csv\"" : "") + ">\n"
        "   <variable ident=\"1\" type=\"single\"><name>Q1</name><label>Geschlecht</label>\n"
        "    <position start=\"1\" finish=\"1\"/>\n"
        "    <values><value code=\"1\">Männlich</value><value code=\"2\">Weiblich</value>"
        "<value code=\"3\">Divers, anderes</value></values></variable>\n"
        "   <variable ident=\"2\" type=\"multiple\"><name>Q2</name><label>Medien</label>\n"
        "    <position start=\"2\" finish=\"4\"/>\n"
        "    <values><value code=\"1\">Zeitung</value><value code=\"2\">Radio</value>"
        "<value code=\"3\">Fernsehen</value></values></variable>\n"
        "   <variable ident=\"3\" type=\"quantity\"><name>Q3</name><label>Alter</label>\n"
        "    <position start=\"" + QByteArray(csvDaten ? "5" : "5") + "\" finish=\""
        + QByteArray(csvDaten ? "5" : "7") + "\"/>\n"
        "    <values><range from=\"0\" to=\"120\"/></values></variable>\n"
        "   <variable ident=\"4\" type=\"character\"><name>Q4</name><label>Kommentar</label>\n"
        "    <position start=\"" + QByteArray(csvDaten ? "6" : "8") + "\" finish=\""
        + QByteArray(csvDaten ? "6" : "17") + "\"/><size>10</size></variable>\n";
    if (!csvDaten)
        sss += "   <variable ident=\"5\" type=\"multiple\"><name>Q5</name><label>Farben</label>\n"
               "    <position start=\"18\" finish=\"21\"/><spread subfields=\"2\" width=\"2\"/>\n"
               "    <values><value code=\"1\">Rot</value><value code=\"2\">Grün</value>"
               "<value code=\"10\">Blau</value></values></variable>\n";
    sss += "  </record>\n </survey>\n</sss>\n";
    schreibe(p, sss);
    // Männlich 2, Weiblich 1, "Divers, anderes" 1; Zeitung 3, Radio 1, Fernsehen 2;
    // Rot 1, Grün 1, Blau 2; 4 respondents.
    if (csvDaten)
        schreibe(pfad(dir, "umfrage_csv.csv"),
                 "1,1,0,1,34,\"gut, sehr\"\n2,1,1,0,51,\n1,0,0,1,27,Grüße\n3,1,0,0,45,ok\n");
    else
        schreibe(pfad(dir, "umfrage.asc"),
                 QByteArray("1101 34gut, sehr 0110\n") + "2110 51          0210\n"
                     + QByteArray("1001 27Grüße         \n") + "3100 45ok        0000\n");
    return p;
}
