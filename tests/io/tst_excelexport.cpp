#include <QFile>
#include <QProcess>
#include <QStackedWidget>
#include <QStandardItemModel>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include "analyses/kreuztabelle.h"
#include "app/view.h"
#include "core/tabelle1.h"
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
    View v;
    QVERIFY(v.importCSV(csv.fileName(), false));
    v.clearViews();
    v.createView("Häufigkeit", "BalkenDiagram(V)", {1}, "Balken", QString());
    v.createView("Häufigkeit", "TortenDiagram", {0}, "Torte", QString());
    v.createView("Häufigkeit", "Tabelle", {0}, "Tabelle", QString());
    auto* k = qobject_cast<Kreuztabelle*>(v.createView("", "Kreuztabelle", {1, 0}, "Kreuz", ""));
    QVERIFY(k);
    QCoreApplication::processEvents();
    v.document()->dataTable()->table()->setColumnHidden(0, true);

    const QString path = m_dir.filePath("mappe.xlsx");
    QVERIFY(v.document()->exportXlsx(path));
    QCOMPARE(sheetsOf(member(path, "xl/workbook.xml")),
             QStringList({"Daten", "Balken", "Torte", "Tabelle", "Kreuz"}));

    // The title in row 1, the numbers (German commas read) as numbers, the hidden
    // column left out.
    const QString data = member(path, "xl/worksheets/sheet1.xml");
    QVERIFY(member(path, "xl/sharedStrings.xml").contains(">Note<"));
    QVERIFY(!member(path, "xl/sharedStrings.xml").contains(">Frage<"));
    QVERIFY(data.contains("<c r=\"A1\" t=\"s\">"));
    QVERIFY(data.contains("<c r=\"A2\"><v>1</v></c>"));
    QVERIFY(data.contains("<c r=\"A4\"><v>2.5</v></c>"));
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
    QVERIFY(cross.contains("<v>100</v>"));
    // The lines under the table come with it; the columns carry their letters.
    QVERIFY(member(path, "xl/sharedStrings.xml").contains("Frage: χ²"));
    QVERIFY(member(path, "xl/sharedStrings.xml").contains(">Frage: nein (B)<"));
}

void TstExcelExport::throughTheMenu()
{
    QTemporaryDir dir;
    View v;
    v.clearViews();
    v.createView("Häufigkeit", "TortenDiagram", {2}, "Torte", QString());
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

QTEST_MAIN(TstExcelExport)
#include "tst_excelexport.moc"
