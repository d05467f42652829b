#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QStackedWidget>
#include "core/spaltenspeicher.h"
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include "analyses/haeufigkeitsdiagramadapter.h"
#include "app/view.h"
#include "core/fehlendewerte.h"
#include "diagrams/diagram.h"
#include "core/mehrfachsets.h"
#include "core/spaltensicht.h"
#include "diagrams/tabelle1.h"
#include "io/googleformsimport.h"
#include "io/plattformimport.h"
#include "io/plattformumfrage.h"
#include "io/spsssyntax.h"
#include "io/umfragedokument.h"
#include "io/xlsxleser.h"
#include "plattformexporte.h"
#include "scriptedanswerer.h"
#include "testutil.h"

// The survey platforms' exports, written as each platform writes them, read to the
// expected table, titles, sets and hidden metadata; the counts are hand counts.
class TstPlattformen : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void splitCheckboxCells_data();
    void splitCheckboxCells();
    void workbookCells();
    void syntaxFile();
    void missingCodesAsShown_data();
    void missingCodesAsShown();
    void qualtrics_data();
    void qualtrics();
    void googleForms_data();
    void googleForms();
    void limeSurvey_data();
    void limeSurvey();
    void limeSurveySpss();
    void kobo_data();
    void kobo();
    void excelWorkbook();
    void tripleS_data();
    void tripleS();
    void plainCsvStaysCsv();
    void damagedFilesChangeNothing_data();
    void damagedFilesChangeNothing();
    void windowTellsWhatItRecognised();
    void structureFileChosen();

private:
    // Reads the file into a fresh document; the document, or null when it failed.
    UmfrageDokument* importiere(const QString& file);
    // Per set option: how many rows chose it.
    static QVector<double> gezaehlt(UmfrageDokument& d, int set);
    static int versteckt(UmfrageDokument& d);
    static QString titel(UmfrageDokument& d, int c)
    {
        return d.dataModel()->headerData(c, Qt::Horizontal).toString();
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<UmfrageDokument> m_doc;
};

void TstPlattformen::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

UmfrageDokument* TstPlattformen::importiere(const QString& file)
{
    m_doc = std::make_unique<UmfrageDokument>();
    return m_doc->importErkannt(file, false) ? m_doc.get() : nullptr;
}

QVector<double> TstPlattformen::gezaehlt(UmfrageDokument& d, int set)
{
    const QVector<MehrfachSet> sets = MehrfachSets::von(d.dataModel());
    if (set >= sets.size())
        return {};
    return MehrfachSets::zaehlen(d.dataModel(), sets.at(set)).gewaehlt;
}

int TstPlattformen::versteckt(UmfrageDokument& d)
{
    int n = 0;
    for (int c = 0; c < d.dataModel()->columnCount(); ++c)
        n += d.spalten()->isHidden(c) ? 1 : 0;
    return n;
}

void TstPlattformen::splitCheckboxCells_data()
{
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QStringList>("known");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("plain") << "A, B" << QStringList{"A", "B"} << QStringList{"A", "B"};
    QTest::newRow("option with comma") << "Rot, Grün, Blau" << QStringList{"Rot, Grün", "Blau"}
                                       << QStringList{"Rot, Grün", "Blau"};
    QTest::newRow("comma option beside its own part")
        << "Rot, Rot, Grün" << QStringList{"Rot", "Rot, Grün"}
        << QStringList{"Rot", "Rot, Grün"};
    QTest::newRow("unknown pieces stay single") << "X, Y" << QStringList{"A"}
                                                << QStringList{"X", "Y"};
    QTest::newRow("one option") << "Deutsch, Schweiz" << QStringList{"Deutsch, Schweiz"}
                                << QStringList{"Deutsch, Schweiz"};
}

void TstPlattformen::splitCheckboxCells()
{
    QFETCH(QString, cell);
    QFETCH(QStringList, known);
    QFETCH(QStringList, expected);
    const QSet<QString> optionen(known.cbegin(), known.cend());
    QCOMPARE(GoogleFormsImport::teile(cell, optionen), expected);
}

void TstPlattformen::workbookCells()
{
    QCOMPARE(XlsxLeser::spalte("A1"), 0);
    QCOMPARE(XlsxLeser::spalte("AB12"), 27);
    QCOMPARE(XlsxLeser::spalte("XFD3"), 16383);
    QCOMPARE(XlsxLeser::spalte("XFE3"), -1);
    QCOMPARE(XlsxLeser::spalte("12"), -1);
    QCOMPARE(XlsxLeser::datum(46015), QString("24.12.2025"));
    QCOMPARE(XlsxLeser::datum(46015.5625), QString("24.12.2025 13:30"));
    QCOMPARE(XlsxLeser::datum(-3), QString());
    QCOMPARE(XlsxLeser::datum(qQNaN()), QString());
    QVERIFY(XlsxLeser::istDatumsFormat(14, QString()));
    QVERIFY(XlsxLeser::istDatumsFormat(164, "dd/mm/yyyy"));
    QVERIFY(!XlsxLeser::istDatumsFormat(164, "0.00\" days\""));
    QVERIFY(!XlsxLeser::istDatumsFormat(165, "[Red]0.0"));
    QVERIFY(!XlsxLeser::istDatumsFormat(2, QString()));
}

void TstPlattformen::syntaxFile()
{
    SpssSyntax s;
    QVERIFY(SpssSyntax::lesen(
        "* Kommentar. Mit Punkt.\n"
        "VARIABLE LABELS a 'Frage A' /b \"Sie sagte \"\"ja\"\".\".\n"
        "VALUE LABELS a 1 'Eins' 2 'Zwei, drei' / b c 'x' 'Iks'.\n"
        "MISSING VALUES a b (-9, -8) / c (LO THRU 0).\n"
        "FREQUENCIES a.\n",
        &s));
    QCOMPARE(s.label("a"), QString("Frage A"));
    QCOMPARE(s.label("b"), QString("Sie sagte \"ja\"."));
    QCOMPARE(s.label("zz"), QString("zz"));
    QCOMPARE(s.wert("a", "2"), QString("Zwei, drei"));
    QCOMPARE(s.wert("a", "7"), QString("7"));
    QCOMPARE(s.wert("c", "x"), QString("Iks"));
    QCOMPARE(s.wert("b", "x"), QString("Iks"));
    QCOMPARE(s.fehlendeWerte.value("a"), QStringList({"-9", "-8"}));
    QCOMPARE(s.fehlendeWerte.value("b"), QStringList({"-9", "-8"}));
    QCOMPARE(s.fehlendeWerte.value("c"), QStringList({"LO THRU 0"}));
    // An unterminated quote and stray symbols end the reading, nothing more.
    QVERIFY(!SpssSyntax::lesen("VALUE LABELS / / ( 'offen", &s));
}

void TstPlattformen::missingCodesAsShown_data()
{
    QTest::addColumn<QString>("missing");
    QTest::addColumn<QStringList>("cells");
    QTest::addColumn<bool>("labelled");
    QTest::addColumn<QStringList>("expected");
    const QStringList cells{"1", "2", "9", "-99", "-1", "0", "3.5", "9.00", "x", ""};
    QTest::newRow("codes as labels") << "(9, -99)" << cells << true
                                     << QStringList{"Weiß nicht", "9.00", "-99"};
    QTest::newRow("codes unlabelled") << "(9)" << cells << false
                                      << QStringList{"9", "9.00"};
    QTest::newRow("undeclared in data kept") << "(-77)" << cells << true << QStringList{"-77"};
    QTest::newRow("lo thru") << "(LO THRU 0)" << cells << true
                             << QStringList{"-99", "-1", "0"};
    QTest::newRow("thru hi, with a value") << "(3 THRU HIGHEST, -1)" << cells << true
                                           << QStringList{"3.5", "Weiß nicht", "9.00", "-1"};
    QTest::newRow("closed range") << "(1 THRU 2)" << cells << true
                                  << QStringList{"Ja", "Nein"};
    QTest::newRow("range over no numbers") << "(1 THRU 2)" << QStringList{"x", ""} << true
                                           << QStringList{};
    QTest::newRow("text codes") << "('x', 'k.A.')" << cells << false
                                << QStringList{"x", "k.A."};
    QTest::newRow("no range of words") << "(a THRU b)" << cells << false
                                       << QStringList{"a THRU b"};
}

void TstPlattformen::missingCodesAsShown()
{
    QFETCH(QString, missing);
    QFETCH(QStringList, cells);
    QFETCH(bool, labelled);
    QFETCH(QStringList, expected);
    SpssSyntax s;
    QVERIFY(SpssSyntax::lesen("VALUE LABELS v 1 'Ja' 2 'Nein' 9 'Weiß nicht'.\n"
                              "MISSING VALUES v " + missing + ".\n", &s));
    QCOMPARE(s.fehlendeCodes("v", cells, labelled), expected);
    QVERIFY(s.fehlendeCodes("w", cells, labelled).isEmpty());
}

void TstPlattformen::qualtrics_data()
{
    QTest::addColumn<int>("art");
    QTest::newRow("csv, three header rows") << 0;
    QTest::newRow("csv, legacy two rows") << 1;
    QTest::newRow("xlsx") << 2;
}

void TstPlattformen::qualtrics()
{
    QFETCH(int, art);
    const QString file = art == 0 ? PlattformExporte::qualtricsCsv(m_dir->path(), true)
        : art == 1                ? PlattformExporte::qualtricsCsv(m_dir->path(), false)
                                  : PlattformExporte::qualtricsXlsx(m_dir->path());
    PlattformUmfrage u;
    QCOMPARE(PlattformImport::lesen(file, &u), PlattformImport::Gelesen);
    QCOMPARE(u.erkanntText(), QString("Erkannt: Qualtrics-Export, 3 Fragen, "
                                      "1 Mehrfachauswahl-Fragen, 17 Metadaten-Spalten "
                                      "ausgeblendet"));
    UmfrageDokument* d = importiere(file);
    QVERIFY(d);
    QCOMPARE(d->erkannteQuelle(), QString("Qualtrics-Export"));
    SpaltenSpeicher* m = d->dataModel();
    QCOMPARE(m->rowCount(), 4);
    QCOMPARE(m->columnCount(), 24);
    QCOMPARE(versteckt(*d), 17);
    QCOMPARE(titel(*d, 17), QString("Wie zufrieden sind Sie?"));
    QCOMPARE(m->headerData(17, Qt::Horizontal, Qt::ToolTipRole).toString(), QString("Q1"));
    QCOMPARE(titel(*d, 20), QString("Welche Getränke mögen Sie? – Saft, frisch gepresst"));
    QCOMPARE(titel(*d, 22), QString("Welche Getränke mögen Sie? - Andere - Text"));
    QCOMPARE(m->zelle(2, 22).text(), QString("Kakao, heiß"));
    // The metadata stay in the table, to filter by.
    QCOMPARE(m->zelle(1, 8).text(), QString("R_2"));
    const QVector<MehrfachSet> sets = MehrfachSets::von(m);
    QCOMPARE(sets.size(), 1);
    QCOMPARE(sets.first().name, QString("Welche Getränke mögen Sie?"));
    QCOMPARE(sets.first().spalten, QVector<int>({18, 19, 20, 21}));
    QCOMPARE(MehrfachSets::optionen(m, sets.first()),
             QStringList({"Kaffee", "Tee", "Saft, frisch gepresst", "Andere"}));
    QCOMPARE(gezaehlt(*d, 0), QVector<double>({3, 1, 2, 1}));
    // The set's view, then a bar chart per single question (the open answer has none).
    QCOMPARE(d->viewCount(), 1 + 1 + 2);
    QCOMPARE(d->stored(1).title.toString(), QString("Welche Getränke mögen Sie?"));
    QCOMPARE(d->stored(2).title.toString(), QString("Balken: Wie zufrieden sind Sie?"));
    QCOMPARE(d->stored(3).title.toString(), QString("Balken: Ihr Alter in Jahren"));
}

void TstPlattformen::googleForms_data()
{
    QTest::addColumn<bool>("deutsch");
    QTest::newRow("Zeitstempel") << true;
    QTest::newRow("Timestamp") << false;
}

void TstPlattformen::googleForms()
{
    QFETCH(bool, deutsch);
    UmfrageDokument* d = importiere(PlattformExporte::googleForms(m_dir->path(), deutsch));
    QVERIFY(d);
    SpaltenSpeicher* m = d->dataModel();
    QCOMPARE(d->erkannteQuelle(), QString("Google-Forms-Export"));
    QCOMPARE(m->rowCount(), 5);
    // Timestamp, name, the joined column (hidden), its three options, the grid's two rows.
    QCOMPARE(m->columnCount(), 8);
    QCOMPARE(versteckt(*d), 2);
    QVERIFY(d->spalten()->isHidden(2));
    // A comma in a free answer splits nothing.
    QCOMPARE(m->zelle(0, 1).text(), QString("Müller, Anna"));
    const QVector<MehrfachSet> sets = MehrfachSets::von(m);
    QCOMPARE(sets.size(), 2);
    QCOMPARE(sets.at(0).name, QString("Welche Sprachen sprechen Sie?"));
    QCOMPARE(MehrfachSets::optionen(m, sets.at(0)),
             QStringList({"Deutsch", "Englisch", "Deutsch, Schweizer Variante"}));
    QCOMPARE(gezaehlt(*d, 0), QVector<double>({2, 3, 2}));
    QCOMPARE(sets.at(1).name, QString("Zufriedenheit"));
    QCOMPARE(MehrfachSets::optionen(m, sets.at(1)), QStringList({"Service", "Preis"}));
    QCOMPARE(gezaehlt(*d, 1), QVector<double>({5, 4}));
    // The rating grid's rows keep their answers.
    QCOMPARE(m->zelle(2, 7).text(), QString("2"));
    PlattformUmfrage u;
    QCOMPARE(PlattformImport::lesen(PlattformExporte::googleForms(m_dir->path(), deutsch), &u),
             PlattformImport::Gelesen);
    QCOMPARE(u.erkanntText(), QString("Erkannt: Google-Forms-Export, 3 Fragen, "
                                      "1 Mehrfachauswahl-Fragen, 1 Metadaten-Spalten "
                                      "ausgeblendet"));
}

void TstPlattformen::limeSurvey_data()
{
    QTest::addColumn<bool>("codes");
    QTest::newRow("codes, ';', with .lss") << true;
    QTest::newRow("text headings, ','") << false;
}

void TstPlattformen::limeSurvey()
{
    QFETCH(bool, codes);
    UmfrageDokument* d = importiere(PlattformExporte::limeSurveyCsv(m_dir->path(), codes));
    QVERIFY(d);
    SpaltenSpeicher* m = d->dataModel();
    QCOMPARE(d->erkannteQuelle(), QString("LimeSurvey-Export"));
    QCOMPARE(m->rowCount(), 3);
    const int erste = codes ? 5 : 4;
    QCOMPARE(versteckt(*d), erste);
    QCOMPARE(titel(*d, erste), QString("Gefällt Ihnen das?"));
    // Codes became their answer texts.
    QCOMPARE(m->zelle(1, erste).text(), QString("Nein"));
    const QVector<MehrfachSet> sets = MehrfachSets::von(m);
    QCOMPARE(sets.size(), 1);
    QCOMPARE(sets.first().name, QString("Welches Obst essen Sie?"));
    QCOMPARE(MehrfachSets::optionen(m, sets.first()),
             QStringList({"Äpfel", "Birnen", "Kirschen, sauer"}));
    QCOMPARE(gezaehlt(*d, 0), QVector<double>({2, 1, 2}));
    if (codes) {
        QCOMPARE(titel(*d, 9), QString("Welches Obst essen Sie? – other"));
        QCOMPARE(titel(*d, 10), QString("Bemerkungen"));
        // Free texts get no chart: the set's view and the one single question.
        QCOMPARE(d->viewCount(), 1 + 1 + 1);
    }
}

void TstPlattformen::limeSurveySpss()
{
    const QString file = PlattformExporte::limeSurveySps(m_dir->path());
    UmfrageDokument* d = importiere(file);
    QVERIFY(d);
    SpaltenSpeicher* m = d->dataModel();
    QCOMPARE(d->erkannteQuelle(), QString("LimeSurvey-SPSS-Export"));
    QCOMPARE(m->rowCount(), 4);
    QCOMPARE(m->columnCount(), 4);
    QCOMPARE(versteckt(*d), 2);
    QCOMPARE(titel(*d, 2), QString("Gefällt Ihnen das?"));
    QCOMPARE(titel(*d, 3), QString("Bemerkungen, frei"));
    QStringList antworten;
    for (int r = 0; r < 4; ++r)
        antworten << m->zelle(r, 2).text();
    QCOMPARE(antworten, QStringList({"Ja", "Nein", "Ja", "Weiß nicht"}));
    QCOMPARE(m->zelle(2, 3).text(), QString("It's fine, really"));
    // The declared missing value is the column's missing code, as its label.
    QCOMPARE(FehlendeWerte::codes(m, 2), QStringList{"Weiß nicht"});
    for (int c : {0, 1, 3})
        QVERIFY(FehlendeWerte::codes(m, c).isEmpty());
    // Left out of the base and listed apart: Ja 2, Nein 1 of 3.
    auto* a = qobject_cast<HaeufigkeitsDiagramAdapter*>(
        d->createView("Häufigkeit", "BalkenDiagram(V)", {2}, "Gefällt", ""));
    QVERIFY(a);
    QCOMPARE(a->diagram()->labelList(), QStringList({"Ja", "Nein"}));
    QCOMPARE(a->diagram()->values(), QVector<double>({2, 1}));
    QVERIFY(a->diagram()->captionLines().contains("n = 3"));
    QVERIFY(a->diagram()->captionLines().contains("fehlend: 1"));
}

void TstPlattformen::kobo_data()
{
    QTest::addColumn<int>("art");
    QTest::newRow("csv with labels") << 0;
    QTest::newRow("csv without labels") << 1;
    QTest::newRow("xlsx") << 2;
}

void TstPlattformen::kobo()
{
    QFETCH(int, art);
    const QString file = art == 2 ? PlattformExporte::koboXlsx(m_dir->path())
                                  : PlattformExporte::koboCsv(m_dir->path(), art == 0);
    UmfrageDokument* d = importiere(file);
    QVERIFY(d);
    SpaltenSpeicher* m = d->dataModel();
    QCOMPARE(d->erkannteQuelle(), QString("KoboToolbox-Export"));
    QCOMPARE(m->rowCount(), 3);
    // start, end, the code column, _id, _uuid, _submission_time, _index.
    QCOMPARE(versteckt(*d), 7);
    QVERIFY(d->spalten()->isHidden(4));
    const QVector<MehrfachSet> sets = MehrfachSets::von(m);
    QCOMPARE(sets.size(), 1);
    QCOMPARE(sets.first().spalten, QVector<int>({5, 6, 7}));
    QCOMPARE(gezaehlt(*d, 0), QVector<double>({2, 2, 1}));
    if (art == 0) {
        QCOMPARE(titel(*d, 2), QString("Ihr Name"));
        QCOMPARE(sets.first().name, QString("Welches Obst mögen Sie?"));
        QCOMPARE(MehrfachSets::optionen(m, sets.first()),
                 QStringList({"Apfel", "Banane, reif", "Kiwi"}));
        // "LO THRU -50" covers the -99 of the data.
        QCOMPARE(FehlendeWerte::codes(m, 3), QStringList({"-99", "-98"}));
        auto* a = qobject_cast<HaeufigkeitsDiagramAdapter*>(
            d->createView("Häufigkeit", "BalkenDiagram(V)", {3}, "Alter", ""));
        QVERIFY(a);
        QCOMPARE(a->diagram()->labelList(), QStringList({"27", "34"}));
        QVERIFY(a->diagram()->captionLines().contains("n = 2"));
        QVERIFY(a->diagram()->captionLines().contains("fehlend: 1"));
    } else {
        QVERIFY(FehlendeWerte::codes(m, 3).isEmpty());
        QCOMPARE(titel(*d, 2), QString("name"));
        QCOMPARE(MehrfachSets::optionen(m, sets.first()),
                 QStringList({"apple", "banana", "kiwi"}));
    }
}

void TstPlattformen::excelWorkbook()
{
    const QString file = PlattformExporte::excel(m_dir->path());
    PlattformUmfrage u;
    QCOMPARE(PlattformImport::lesen(file, &u), PlattformImport::Gelesen);
    QCOMPARE(u.quelle, QString("Excel-Arbeitsmappe"));
    QCOMPARE(u.titel, QStringList({"Name", "Alter", "Gewicht", "Geburtstag", "Abgegeben",
                                   "Einverstanden"}));
    QCOMPARE(u.zeilen.size(), 2);
    QCOMPARE(u.zeilen.at(0), QStringList({"Jörg", "34", "72.5", "17.05.1990",
                                          "01.03.2026 13:30", "WAHR"}));
    QCOMPARE(u.zeilen.at(1), QStringList({"Anna, M.", "51", "0.3", "24.12.1975",
                                          "02.03.2026 08:05", "FALSCH"}));
    // The second sheet when chosen.
    QCOMPARE(PlattformImport::lesen(file, &u, [](const QStringList& b) {
                 return int(b.indexOf("Notizen"));
             }),
             PlattformImport::Gelesen);
    QCOMPARE(u.titel, QStringList({"Notiz"}));
    QCOMPARE(u.zeilen, QList<QStringList>({{"nur ein Test"}}));
    // A cancelled choice reads nothing.
    QCOMPARE(PlattformImport::lesen(file, &u, [](const QStringList&) { return -1; }),
             PlattformImport::Beschaedigt);
}

void TstPlattformen::tripleS_data()
{
    QTest::addColumn<bool>("csv");
    QTest::newRow("fixed width") << false;
    QTest::newRow("csv") << true;
}

void TstPlattformen::tripleS()
{
    QFETCH(bool, csv);
    UmfrageDokument* d = importiere(PlattformExporte::tripleS(m_dir->path(), csv));
    QVERIFY(d);
    SpaltenSpeicher* m = d->dataModel();
    QCOMPARE(d->erkannteQuelle(), QString("Triple-S-Datei"));
    QCOMPARE(m->rowCount(), 4);
    QCOMPARE(titel(*d, 0), QString("Geschlecht"));
    QStringList geschlecht;
    for (int r = 0; r < 4; ++r)
        geschlecht << m->zelle(r, 0).text();
    QCOMPARE(geschlecht, QStringList({"Männlich", "Weiblich", "Männlich", "Divers, anderes"}));
    QCOMPARE(titel(*d, 4), QString("Alter"));
    QCOMPARE(m->zelle(0, 4).text(), QString("34"));
    QCOMPARE(m->zelle(0, 5).text(), QString("gut, sehr"));
    QCOMPARE(m->zelle(2, 5).text(), QString("Grüße"));
    const QVector<MehrfachSet> sets = MehrfachSets::von(m);
    QCOMPARE(sets.size(), csv ? 1 : 2);
    QCOMPARE(MehrfachSets::optionen(m, sets.first()),
             QStringList({"Zeitung", "Radio", "Fernsehen"}));
    QCOMPARE(gezaehlt(*d, 0), QVector<double>({3, 1, 2}));
    if (!csv) {
        QCOMPARE(MehrfachSets::optionen(m, sets.at(1)), QStringList({"Rot", "Grün", "Blau"}));
        QCOMPARE(gezaehlt(*d, 1), QVector<double>({1, 1, 2}));
    }
}

void TstPlattformen::plainCsvStaysCsv()
{
    const QString file = m_dir->filePath("plain.csv");
    QVERIFY(PlattformExporte::schreibe(file, "Frage 1;Frage 2\nja;1\nnein;2\n"));
    UmfrageDokument* d = importiere(file);
    QVERIFY(d);
    QCOMPARE(d->erkannteQuelle(), QString());
    QVERIFY(!d->ansichtenErstellt());
    QCOMPARE(TestUtil::cellTexts(d->dataModel()), QList<QStringList>({{"ja", "1"}, {"nein", "2"}}));
}

void TstPlattformen::damagedFilesChangeNothing_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("workbook cut short") << "kaputt.xlsx" << QByteArray();
    QTest::newRow("zip of no workbook") << "leer.xlsx" << QByteArray("PK\x03\x04garbage", 13);
    QTest::newRow("description without data")
        << "allein.sss"
        << QByteArray("<?xml version=\"1.0\"?><sss><survey><record><variable type=\"single\">"
                      "<position start=\"1\"/></variable></record></survey></sss>");
    QTest::newRow("description of huge positions")
        << "gross.sss"
        << QByteArray("<sss><survey><record><variable type=\"single\"><position start=\"1\" "
                      "finish=\"999999999\"/></variable></record></survey></sss>");
    QTest::newRow("syntax without data")
        << "allein.sps" << QByteArray("GET DATA /FILE='fehlt.dat' /VARIABLES= a F1.\n");
}

void TstPlattformen::damagedFilesChangeNothing()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    const QString file = m_dir->filePath(name);
    if (bytes.isEmpty()) {
        // A real workbook, cut in the middle.
        const QByteArray whole = TestUtil::fileBytes(PlattformExporte::excel(m_dir->path()));
        QVERIFY(whole.size() > 200);
        bytes = whole.left(whole.size() / 2);
    }
    QVERIFY(PlattformExporte::schreibe(file, bytes));
    UmfrageDokument d;
    d.createDemo();
    const QList<QStringList> vorher = TestUtil::cellTexts(d.dataModel());
    const int ansichten = d.viewCount();
    // Nothing is asked: the outcome says why.
    ScriptedAnswerer answers;
    const Ergebnis e = d.importErkannt(file, true);
    QVERIFY(!e);
    QVERIFY(e.unveraendert());
    QCOMPARE(answers.asked.size(), 0);
    QCOMPARE(e.meldung(), QString("Die Datei %1 konnte nicht gelesen werden.").arg(file));
    QCOMPARE(TestUtil::cellTexts(d.dataModel()), vorher);
    QCOMPARE(d.viewCount(), ansichten);
}

void TstPlattformen::windowTellsWhatItRecognised()
{
    const QString file = PlattformExporte::qualtricsCsv(m_dir->path(), true);
    View v;
    const int vorher = v.document()->dataModel()->columnCount();
    {
        // Cancelled after being told: nothing changes.
        ScriptedAnswerer answers;
        answers.accept(UserInput::OpenFile, file).cancel(UserInput::Question);
        v.openImportFile();
        QCOMPARE(answers.unexpected, 0);
        QCOMPARE(answers.asked.size(), 2);
        QCOMPARE(answers.asked.at(1).label,
                 QString("Erkannt: Qualtrics-Export, 3 Fragen, 1 Mehrfachauswahl-Fragen, "
                         "17 Metadaten-Spalten ausgeblendet"));
        QCOMPARE(v.document()->dataModel()->columnCount(), vorher);
    }
    ScriptedAnswerer answers;
    answers.accept(UserInput::OpenFile, file).accept(UserInput::Question, QMessageBox::Ok);
    v.openImportFile();
    QCOMPARE(answers.unexpected, 0);
    QCOMPARE(v.document()->dataModel()->columnCount(), 24);
    QCOMPARE(MehrfachSets::von(v.document()->dataModel()).size(), 1);
    QVERIFY(v.windowTitle().contains("qualtrics.csv"));

    // A plain workbook of two sheets: which sheet, what was recognised, then the views
    // the user picks, as after a CSV import.
    const QString mappe = PlattformExporte::excel(m_dir->path());
    ScriptedAnswerer more;
    more.accept(UserInput::OpenFile, mappe)
        .accept(UserInput::Item, "Daten")
        .accept(UserInput::Question, QMessageBox::Ok)
        .otherwise(ScriptedAnswerer::presets());
    v.openImportFile();
    QCOMPARE(more.asked.at(1).items, QStringList({"Daten", "Notizen"}));
    QCOMPARE(more.asked.at(2).label,
             QString("Erkannt: Excel-Arbeitsmappe, 6 Fragen, 0 Mehrfachauswahl-Fragen, "
                     "0 Metadaten-Spalten ausgeblendet"));
    QCOMPARE(v.document()->dataModel()->rowCount(), 2);
    QCOMPARE(v.document()->dataModel()->zelle(0, 3).text(), QString("17.05.1990"));
}

void TstPlattformen::structureFileChosen()
{
    // The structure file elsewhere: asked for, chosen, applied.
    const QString csv = PlattformExporte::limeSurveyCsv(m_dir->path(), true);
    QDir(m_dir->path()).mkpath("struktur");
    const QString lss = m_dir->filePath("struktur/umfrage.lss");
    QVERIFY(QFile::rename(m_dir->filePath("limesurvey_survey_123.lss"), lss));
    UmfrageDokument d;
    ScriptedAnswerer answers;
    answers.accept(UserInput::OpenFile, lss).accept(UserInput::Question, QMessageBox::Ok);
    QVERIFY(d.importErkannt(csv, true));
    QCOMPARE(answers.unexpected, 0);
    QCOMPARE(answers.asked.first().label,
             QString("LimeSurvey-Umfragestruktur (*.lss);;Alle Dateien (*)"));
    QCOMPARE(titel(d, 5), QString("Gefällt Ihnen das?"));

    // Cancelled: the codes are read as they are.
    ScriptedAnswerer codes;
    codes.cancel(UserInput::OpenFile).accept(UserInput::Question, QMessageBox::Ok);
    QVERIFY(d.importErkannt(csv, true));
    QCOMPARE(codes.unexpected, 0);
    QCOMPARE(titel(d, 5), QString("G1Q1"));
    QCOMPARE(d.dataModel()->zelle(1, 5).text(), QString("A2"));
}

QTEST_MAIN(TstPlattformen)
#include "tst_plattformen.moc"
