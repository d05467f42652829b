#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStackedWidget>
#include "core/spaltenspeicher.h"
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include "analyses/kreuztabelle.h"
#include "analyses/statistiktabelle.h"
#include "core/gewichtung.h"
#include "app/view.h"
#include "core/spaltensicht.h"
#include "diagrams/tabelle1.h"
#include "io/excelexport.h"
#include "io/umfragedokument.h"
#include "scriptedanswerer.h"

namespace {
// One member of the workbook (a zip file) through unzip; empty when it is missing.
QString member(const QString& xlsx, const QString& name)
{
    const QString tool = QStandardPaths::findExecutable("unzip");
    if (tool.isEmpty())
        return QString();
    QProcess p;
    p.start(tool, {"-p", xlsx, name});
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The sheet names in the order of the workbook.
QStringList sheetsOf(const QString& workbookXml)
{
    QStringList out;
    static const QRegularExpression sheet("<sheet name=\"([^\"]*)\"");
    for (auto it = sheet.globalMatch(workbookXml); it.hasNext();)
        out << it.next().captured(1);
    return out;
}

// A number cell of a sheet: its value and its number format's code; false when the
// cell is missing or no number.
bool numberCell(const QString& xlsx, const QString& sheet, const QString& ref, double* value,
                QString* format)
{
    const QString xml = member(xlsx, sheet);
    const QRegularExpression cell("<c r=\"" + ref + "\"(?: s=\"(\\d+)\")?><v>([^<]*)</v></c>");
    const QRegularExpressionMatch c = cell.match(xml);
    if (!c.hasMatch())
        return false;
    bool ok = false;
    *value = c.captured(2).toDouble(&ok);
    const QString styles = member(xlsx, "xl/styles.xml");
    const int xfs = int(styles.indexOf("<cellXfs"));
    QStringList ids;
    static const QRegularExpression xf("<xf numFmtId=\"(\\d+)\"");
    for (auto it = xf.globalMatch(styles, xfs); it.hasNext();)
        ids << it.next().captured(1);
    const QString id = ids.value(c.captured(1).toInt(), "0");
    const QRegularExpression fmt("<numFmt numFmtId=\"" + id + "\" formatCode=\"([^\"]*)\"");
    *format = fmt.match(styles).captured(1);
    return ok;
}
}

class TstExcelExport : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void sheetNames_data();
    void sheetNames();
    void workbookOfDataAndViews();
    void throughTheMenu();
    void numbersInFullWithFormats();

private:
    QTemporaryDir m_dir;
};

void TstExcelExport::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QCoreApplication::setOrganizationName("Orvinsk-Test");
    QCoreApplication::setApplicationName("tst_excelexport");
    if (QStandardPaths::findExecutable("unzip").isEmpty())
        QSKIP("unzip is not installed");
}

void TstExcelExport::sheetNames_data()
{
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("plain") << QStringList{"Alter", "Note"} << QStringList{"Alter", "Note"};
    QTest::newRow("forbidden signs") << QStringList{"a/b:c*d?[e]\\f"}
                                     << QStringList{"a_b_c_d__e__f"};
    QTest::newRow("apostrophes at the ends") << QStringList{"'zitiert'"}
                                             << QStringList{"zitiert"};
    QTest::newRow("too long") << QStringList{QString(40, 'x')} << QStringList{QString(31, 'x')};
    QTest::newRow("same but for case")
        << QStringList{"Note", "note", "NOTE"} << QStringList{"Note", "note (2)", "NOTE (3)"};
    QTest::newRow("the data sheet's name") << QStringList{"daten"} << QStringList{"daten (2)"};
    QTest::newRow("long duplicates stay short")
        << QStringList{QString(35, 'y'), QString(35, 'y')}
        << QStringList{QString(31, 'y'), QString(27, 'y') + " (2)"};
    QTest::newRow("empty") << QStringList{"", " "} << QStringList{"Ansicht 1", "Ansicht 2"};
}

void TstExcelExport::sheetNames()
{
    QFETCH(QStringList, titles);
    QFETCH(QStringList, names);
    QCOMPARE(ExcelExport::sheetNames(titles), names);
}

void TstExcelExport::workbookOfDataAndViews()
{
    QFile csv(m_dir.filePath("umfrage.csv"));
    QVERIFY(csv.open(QIODevice::WriteOnly));
    csv.write("Frage;Note\nja;1\nja;2,5\nnein;2,5\n");
    csv.close();
    UmfrageDokument v;
    v.createDemo();
    QVERIFY(v.importData(csv.fileName()));
    v.clearViews();
    v.createView("Häufigkeit", "BalkenDiagram(V)", {1}, "Balken", QString());
    v.createView("Häufigkeit", "TortenDiagram", {0}, "Torte", QString());
    v.createView("Häufigkeit", "Tabelle", {0}, "Tabelle", QString());
    auto* k = qobject_cast<Kreuztabelle*>(v.createView("", "Kreuztabelle", {1, 0}, "Kreuz", ""));
    QVERIFY(k);
    QCoreApplication::processEvents();
    v.spalten()->setHidden(0, true);

    const QString path = m_dir.filePath("mappe.xlsx");
    QVERIFY(v.exportXlsx(path));
    QCOMPARE(sheetsOf(member(path, "xl/workbook.xml")),
             QStringList({"Daten", "Balken", "Torte", "Tabelle", "Kreuz"}));

    // The title in row 1, the numbers (German commas read) as numbers, the hidden
    // column left out.
    const QString data = member(path, "xl/worksheets/sheet1.xml");
    QVERIFY(member(path, "xl/sharedStrings.xml").contains(">Note<"));
    QVERIFY(!member(path, "xl/sharedStrings.xml").contains(">Frage<"));
    QVERIFY(data.contains("<c r=\"A1\" t=\"s\">"));
    double value = 0;
    QString format;
    QVERIFY(numberCell(path, "xl/worksheets/sheet1.xml", "A2", &value, &format));
    QCOMPARE(value, 1.0);
    QCOMPARE(format, QString("0"));
    QVERIFY(numberCell(path, "xl/worksheets/sheet1.xml", "A4", &value, &format));
    QCOMPARE(value, 2.5);
    QVERIFY(!data.contains("r=\"B"));

    // The bar and pie charts are chart objects over the cells of their sheets.
    const QString bars = member(path, "xl/charts/chart1.xml");
    QVERIFY(bars.contains("<c:barChart>"));
    QVERIFY(bars.contains("<c:barDir val=\"col\"/>"));
    QVERIFY(bars.contains("Balken!$B$2:$B$"));
    QVERIFY(member(path, "xl/charts/chart2.xml").contains("<c:pieChart>"));
    QVERIFY(member(path, "xl/worksheets/sheet2.xml").contains("<drawing "));
    QVERIFY(member(path, "xl/worksheets/_rels/sheet3.xml.rels").contains("drawing"));

    // The crosstab: its counts are numbers, in cells of their own, the percentages
    // beside them.
    const QString cross = member(path, "xl/worksheets/sheet5.xml");
    QCOMPARE(k->ergebnis().gesamt, 3.0);
    QVERIFY2(cross.contains("<v>3</v>"), qPrintable(cross.left(2000)));
    // Percentages as shares in a percent format.
    QVERIFY(cross.contains("<v>1</v>"));
    QVERIFY(member(path, "xl/styles.xml").contains("formatCode=\"0.0%\""));
    // The lines under the table come with it; the columns carry their letters.
    QVERIFY(member(path, "xl/sharedStrings.xml").contains("Frage: χ²"));
    QVERIFY(member(path, "xl/sharedStrings.xml").contains(">Frage: nein (B)<"));
}

void TstExcelExport::throughTheMenu()
{
    QTemporaryDir dir;
    View v;
    v.document()->clearViews();
    v.document()->createView("Häufigkeit", "TortenDiagram", {2}, "Torte", QString());
    ScriptedAnswerer ans;
    ans.accept(UserInput::SaveFile, dir.filePath("menu"));
    v.actExportXlsx->trigger();
    QCOMPARE(ans.unexpected, 0);
    QCOMPARE(ans.asked.first().title, QString("Exportieren als Excel"));
    QCOMPARE(ans.asked.first().label, QString("Excel (*.xlsx)"));
    QCOMPARE(sheetsOf(member(dir.filePath("menu.xlsx"), "xl/workbook.xml")),
             QStringList({"Daten", "Torte"}));
    // No temporary file is left beside it.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
             QStringList({"menu.xlsx"}));

    const QString blocked = dir.filePath("fehlt/mappe.xlsx");
    ans.accept(UserInput::SaveFile, blocked).accept(UserInput::Warning, QMessageBox::Ok);
    v.actExportXlsx->trigger();
    QCOMPARE(ans.unexpected, 0);
    QVERIFY(ans.asked.last().label.contains(blocked));
}

// Every number is a number cell with its full value and a number format: sums of
// population weights keep their digits, percentages are shares in a percent format,
// the statistics are not cut to six digits.
void TstExcelExport::numbersInFullWithFormats()
{
    QFile csv(m_dir.filePath("gewichtet.csv"));
    QVERIFY(csv.open(QIODevice::WriteOnly));
    csv.write("Frage;Gewicht;Note\nja;226710663.883;1\nja;1;2\nnein;100000000.5;4\n");
    csv.close();
    UmfrageDokument v;
    v.createDemo();
    QVERIFY(v.importData(csv.fileName()));
    v.clearViews();
    Gewichtung::of(v.dataModel())->setSpalte(1);
    v.createView("Häufigkeit", "Tabelle", {0}, "Anzahl", QString());
    v.createView("Häufigkeit %", "Tabelle", {0}, "Anteil", QString());
    auto* st = qobject_cast<StatistikTabelle*>(v.createView("", "Statistik", {2, 0}, "Stat", ""));
    QVERIFY(st);
    QVERIFY(v.createView("", "Ähnlichkeit", {0, 2}, "Ähnlich", ""));
    QCoreApplication::processEvents();
    const QString path = m_dir.filePath("voll.xlsx");
    QVERIFY(v.exportXlsx(path));

    double value = 0;
    QString format;
    QVERIFY(numberCell(path, "xl/worksheets/sheet2.xml", "B2", &value, &format));
    QCOMPARE(value, 226710664.883);
    QCOMPARE(format, QString("0.0"));
    QVERIFY(numberCell(path, "xl/worksheets/sheet3.xml", "B2", &value, &format));
    QCOMPARE(value, 226710664.883 / (226710664.883 + 100000000.5));
    QCOMPARE(format, QString("0.0%"));
    // No percentage is left as text.
    QVERIFY(!member(path, "xl/sharedStrings.xml").contains(QRegularExpression(">[0-9.,e+-]+ ?%<")));

    const SpaltenStatistik::Kennzahlen k = st->kennzahlen().first();
    QVERIFY(numberCell(path, "xl/worksheets/sheet4.xml", "B6", &value, &format));   // mean
    QCOMPARE(value, k.mittel);
    QVERIFY(QString::number(value, 'g', 17).size() > 8);
    QVERIFY(numberCell(path, "xl/worksheets/sheet4.xml", "B7", &value, &format));   // Leer %
    QCOMPARE(format, QString("0.0%"));
    QVERIFY(numberCell(path, "xl/worksheets/sheet4.xml", "B9", &value, &format));   // deviation
    QCOMPARE(value, k.standardabweichung);
    QVERIFY(numberCell(path, "xl/worksheets/sheet4.xml", "B10", &value, &format));  // n
    QCOMPARE(value, 3.0);
    QCOMPARE(format, QString("0"));
    QVERIFY(member(path, "xl/sharedStrings.xml").contains(">Standardabweichung<"));

    // The first two respondents answer one of the two questions alike: 50 %.
    QVERIFY(numberCell(path, "xl/worksheets/sheet5.xml", "A2", &value, &format));
    QCOMPARE(value, 0.5);
    QCOMPARE(format, QString("0.0%"));
}

QTEST_MAIN(TstExcelExport)
#include "tst_excelexport.moc"
