#include <QDir>
#include "core/spaltenspeicher.h"
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include "io/csvimport.h"
#include "core/spaltensicht.h"
#include "core/csvreader.h"
#include "diagrams/tabelle1.h"
#include "app/view.h"
#include "io/datacsvexport.h"
#include "scriptedanswerer.h"
#include "testutil.h"

namespace {
// The columns the table widget hides, as the document hands them to the export.
QVector<int> hiddenOf(const Tabelle1& table)
{
    QVector<int> out;
    for (int c = 0; table.table()->model() && c < table.table()->model()->columnCount(); ++c)
        if (table.table()->isColumnHidden(c))
            out << c;
    return out;
}
}

class TstDataCsv : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void hostileValuesComeBackUnchanged();
    void importReadsSpreadsheetFiles_data();
    void importReadsSpreadsheetFiles();
    void bytesOfASmallTable();
    void throughTheMenu_data();
    void throughTheMenu();
    void unwritableFileIsReported();

private:
    QTemporaryDir m_dir;
};

void TstDataCsv::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QCoreApplication::setOrganizationName("Orvinsk-Test");
    QCoreApplication::setApplicationName("tst_datacsv");
}

void TstDataCsv::hostileValuesComeBackUnchanged()
{
    const QStringList headers{"Titel \"x\"; y", "#Frage", "Ort, Land", "\""};
    const QList<QStringList> rows{
        {"Er sagte \"super\"; ich nicht", "\"", ";", "\"\""},
        {"#kein Kommentar", "Zeile eins\nZeile zwei", " führend", "ende\""},
        {"\"anfang", "a;b;c", "中文 Größe", ""},
        {"", "\";\"", "\"\";", "x\"\"\";"},
    };
    SpaltenSpeicher* m = TestUtil::makeModel(headers, rows, this);
    Tabelle1 table;
    table.setModel(m);
    SpaltenSicht tableSpalten(m);
    table.setSpalten(&tableSpalten);
    const QString text = CsvReader::decode(DataCsvExport::toCsv(m, hiddenOf(table)));

    SpaltenSpeicher back;
    Tabelle1 backTable;
    backTable.setModel(&back);
    SpaltenSicht backTableSpalten(&back);
    backTable.setSpalten(&backTableSpalten);
    CsvImport::fill(text, &back);
    QCOMPARE(back.columnCount(), headers.size());
    for (int c = 0; c < headers.size(); ++c)
        QCOMPARE(back.headerData(c, Qt::Horizontal).toString(), headers[c]);
    QCOMPARE(TestUtil::cellTexts(&back), rows);
}

void TstDataCsv::importReadsSpreadsheetFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray bom("\xEF\xBB\xBF");
    QTest::newRow("semicolon, CRLF")
        << QByteArray("Frage;\"Ort, Land\"\r\n\"Er sagte \"\"super\"\"; ich nicht\";\"Berlin, "
                      "Mitte\"\r\n\"Zeile eins\r\nZeile zwei\";\r\n");
    QTest::newRow("comma, byte-order mark")
        << bom + "Frage,\"Ort, Land\"\n\"Er sagte \"\"super\"\"; ich nicht\",\"Berlin, Mitte\"\n"
                 "\"Zeile eins\nZeile zwei\",\n";
    QTest::newRow("tab, byte-order mark, CRLF")
        << bom + "Frage\tOrt, Land\r\n\"Er sagte \"\"super\"\"; ich nicht\"\tBerlin, Mitte\r\n"
                 "\"Zeile eins\r\nZeile zwei\"\t\r\n";
}

void TstDataCsv::importReadsSpreadsheetFiles()
{
    QFETCH(QByteArray, bytes);
    SpaltenSpeicher m;
    Tabelle1 table;
    table.setModel(&m);
    SpaltenSicht tableSpalten(&m);
    table.setSpalten(&tableSpalten);
    CsvImport::fill(CsvReader::decode(bytes), &m);
    QCOMPARE(m.columnCount(), 2);
    QCOMPARE(m.headerData(0, Qt::Horizontal).toString(), QString("Frage"));
    QCOMPARE(m.headerData(1, Qt::Horizontal).toString(), QString("Ort, Land"));
    QCOMPARE(TestUtil::cellTexts(&m),
             (QList<QStringList>{{"Er sagte \"super\"; ich nicht", "Berlin, Mitte"},
                                 {"Zeile eins\nZeile zwei", ""}}));
}

void TstDataCsv::bytesOfASmallTable()
{
    SpaltenSpeicher m(0, 3);
    m.setHorizontalHeaderLabels({"A", "B", "C"});
    m.zeileAnfuegen({"2", "weg", "x"});
    m.zeileAnfuegen({"1", "weg"});
    m.setData(m.index(0, 2), 0.1 + 0.2, Qt::EditRole);
    Tabelle1 table;
    table.setModel(&m);
    SpaltenSicht tableSpalten(&m);
    table.setSpalten(&tableSpalten);
    tableSpalten.setHidden(1, true);
    // A header click sorts what is shown; the file keeps the data table's order.
    table.table()->sortByColumn(0, Qt::AscendingOrder);
    QCOMPARE(DataCsvExport::toCsv(&m, hiddenOf(table)),
             QByteArray("#Erstellt mit quorvandel7\n\"A\";\"C\"\n\"2\";\"0.30000000000000004\"\n"
                        "\"1\";\"\"\n"));

    SpaltenSpeicher empty(0, 1);
    empty.setHorizontalHeaderLabels({"Nur Kopf"});
    Tabelle1 emptyTable;
    emptyTable.setModel(&empty);
    SpaltenSicht emptyTableSpalten(&empty);
    emptyTable.setSpalten(&emptyTableSpalten);
    QCOMPARE(DataCsvExport::toCsv(&empty, hiddenOf(emptyTable)),
             QByteArray("#Erstellt mit quorvandel7\n\"Nur Kopf\"\n"));
}

void TstDataCsv::throughTheMenu_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("written");
    QTest::newRow("ending appended") << "daten" << "daten.csv";
    QTest::newRow("ending kept") << "daten.csv" << "daten.csv";
    QTest::newRow("upper-case ending kept") << "DATEN.CSV" << "DATEN.CSV";
    QTest::newRow("other ending gets one") << "daten.txt" << "daten.txt.csv";
}

void TstDataCsv::throughTheMenu()
{
    QFETCH(QString, answer);
    QFETCH(QString, written);
    QTemporaryDir dir;
    View v;
    ScriptedAnswerer ans;
    ans.accept(UserInput::SaveFile, dir.path() + "/" + answer);
    v.exportFile();
    QCOMPARE(ans.unexpected, 0);
    QCOMPARE(ans.asked.first().title, QString("Datei wählen"));
    QCOMPARE(ans.asked.first().label, QString("Datendateien (*.csv)"));
    QCOMPARE(ans.asked.first().preset.toString(), QDir::homePath());
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{written});
    QFile f(dir.path() + "/" + written);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), DataCsvExport::toCsv(v.document()->dataModel(), hiddenOf(*v.dataTable())));
}

void TstDataCsv::unwritableFileIsReported()
{
    View v;
    const QString name = m_dir.path() + "/fehlt/daten.csv";
    ScriptedAnswerer ans;
    ans.accept(UserInput::SaveFile, name).accept(UserInput::Warning, QMessageBox::Ok);
    v.exportFile();
    QCOMPARE(ans.unexpected, 0);
    QVERIFY(ans.asked.last().label.contains(name));
    QVERIFY(!QFile::exists(name));
}

QTEST_MAIN(TstDataCsv)
#include "tst_datacsv.moc"
