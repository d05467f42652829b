#include <QDir>
#include <QStackedWidget>
#include <QStandardItemModel>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

#include "core/roles.h"
#include "core/tabelle1.h"
#include "app/view.h"
#include "windowutil.h"
#include "io/surveymonkeyimport.h"
#include "scriptedanswerer.h"
#include "testutil.h"

namespace {
// A SurveyMonkey export as a spreadsheet user gets it: byte-order mark, CRLF, a question
// over three columns, free text, a respondent id without sub-header, quoted commas,
// doubled quotes, a line break inside an answer and a survey in Greek.
const char* const Survey =
    "\xEF\xBB\xBF"
    "\"Respondent ID\",\"Wie alt sind Sie?\",\"Welche Farben mögen Sie?\",,,"
    "\"Kommentar\",\"Ort, Land\",\"Γνώμη\"\r\n"
    "#exportiert am 1.2.2026\r\n"
    ",\"Response\",\"Rot\",\"Grün\",\"Blau\",\"Open-Ended Response\",,\"Απάντηση\"\r\n"
    "\"1001\",\"18-29\",\"Rot\",,\"Blau\",\"Er sagte \"\"super\"\", ich nicht\","
    "\"Berlin, Mitte\",\"ναι\"\r\n"
    "\"1002\",\"30-49\",,\"Grün\",,\"Zeile eins\r\nZeile zwei\",,\"όχι\"\r\n";

QStringList viewTitles(View& v)
{
    QStringList out;
    for (int r = 1; r < v.viewListModel()->rowCount(); ++r)
        out << v.viewListModel()->item(r)->text();
    return out;
}
}

class TstSurveyMonkey : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void importThroughMenu();
    void usableSubHeader_data();
    void usableSubHeader();
    void shortSubHeaderRowHidesTheRest();
    void fileWithoutSubHeaderRowMakesNoViews();
    void unreadableFileChangesNothing();

private:
    QString writeFile(const QString& name, const QByteArray& bytes);
    QTemporaryDir m_dir;
};

void TstSurveyMonkey::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QCoreApplication::setOrganizationName("Orvinsk-Test");
    QCoreApplication::setApplicationName("tst_surveymonkey");
}

QString TstSurveyMonkey::writeFile(const QString& name, const QByteArray& bytes)
{
    const QString path = m_dir.path() + "/" + name;
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return QString();
    f.write(bytes);
    return path;
}

void TstSurveyMonkey::importThroughMenu()
{
    const QString path = writeFile("UMFRAGE.CSV", Survey);
    View v;
    ScriptedAnswerer ans;
    ans.accept(UserInput::OpenFile, path);
    v.importSMFile();
    QCOMPARE(ans.unexpected, 0);
    QCOMPARE(ans.asked.first().title, QString("Datei wählen"));
    QCOMPARE(ans.asked.first().label, QString("SurveyMonkey-Dateien (*.csv);;Alle Dateien (*)"));
    QCOMPARE(ans.asked.first().preset.toString(), QDir::homePath());
    QCOMPARE(WindowUtil::title(v), "Quorvandel7 - " + path);
    QCOMPARE(v.viewArea()->currentIndex(), 0);
    QVERIFY(!v.undoStack()->canUndo());

    QStandardItemModel* m = v.dataModel();
    QCOMPARE(m->columnCount(), 8);
    QCOMPARE(m->headerData(2, Qt::Horizontal).toString(), QString("Welche Farben mögen Sie?"));
    QCOMPARE(m->headerData(3, Qt::Horizontal).toString(), QString());
    QCOMPARE(m->headerData(6, Qt::Horizontal).toString(), QString("Ort, Land"));
    QVERIFY(!m->headerData(1, Qt::Horizontal, Qt::ToolTipRole).isValid());
    const QList<QStringList> rows{
        {"1001", "18-29", "Rot", "", "Blau", "Er sagte \"super\", ich nicht", "Berlin, Mitte", "ναι"},
        {"1002", "30-49", "", "Grün", "", "Zeile eins\nZeile zwei", "", "όχι"}};
    QCOMPARE(TestUtil::cellTexts(m), rows);

    // Columns without sub-header are hidden; free text stays visible.
    QTableView* t = v.dataTable()->table();
    const QList<bool> hidden{true, false, false, false, false, false, true, false};
    for (int c = 0; c < 8; ++c)
        QCOMPARE(t->isColumnHidden(c), hidden[c]);

    // All bar charts in column order, then all pies; untitled columns by their number.
    QCOMPARE(viewTitles(v),
             (QStringList{"Balken: Wie alt sind Sie?", "Balken: Welche Farben mögen Sie?",
                          "Balken: 4", "Balken: 5", "Balken: Γνώμη",
                          "Torten:Wie alt sind Sie?", "Torten:Welche Farben mögen Sie?",
                          "Torten:4", "Torten:5", "Torten:Γνώμη"}));
    const QList<int> columns{1, 2, 3, 4, 7, 1, 2, 3, 4, 7};
    for (int r = 1; r <= 10; ++r) {
        const QStandardItem* it = v.viewListModel()->item(r);
        QCOMPARE(it->data(Roles::ViewAdapterType).toString(), QString("Häufigkeit"));
        QCOMPARE(it->data(Roles::ViewType).toString(),
                 QString(r <= 5 ? "BalkenDiagram(H)" : "TortenDiagram"));
        QCOMPARE(it->data(Roles::ViewColumns).toStringList(),
                 QStringList{QString::number(columns[r - 1])});
    }
}

void TstSurveyMonkey::usableSubHeader_data()
{
    QTest::addColumn<QStringList>("subHeaders");
    QTest::addColumn<int>("column");
    QTest::addColumn<bool>("usable");
    QTest::addColumn<bool>("freeText");
    const QStringList row{"", "Response", "Open-Ended Response", "Open-Ended Responses",
                          "Απάντηση", "回答", " "};
    QTest::newRow("empty") << row << 0 << false << false;
    QTest::newRow("free text") << row << 2 << true << true;
    QTest::newRow("free text by its first 19 characters") << row << 3 << true << true;
    QTest::newRow("Greek") << row << 4 << true << false;
    QTest::newRow("Japanese") << row << 5 << true << false;
    QTest::newRow("beyond the row") << row << 7 << false << false;
    QTest::newRow("negative column") << row << -1 << false << false;
}

void TstSurveyMonkey::usableSubHeader()
{
    QFETCH(QStringList, subHeaders);
    QFETCH(int, column);
    QFETCH(bool, usable);
    QFETCH(bool, freeText);
    QCOMPARE(SurveyMonkeyImport::isUsable(subHeaders, column), usable);
    if (usable)
        QCOMPARE(SurveyMonkeyImport::isFreeText(subHeaders.at(column)), freeText);
}

void TstSurveyMonkey::shortSubHeaderRowHidesTheRest()
{
    const QString path = writeFile("kurz.csv", "A,B,C,D\nx,y\n1,2,3,4\n");
    View v;
    QVERIFY(v.importSM(path));
    QTableView* t = v.dataTable()->table();
    QCOMPARE(v.dataModel()->rowCount(), 1);
    QVERIFY(!t->isColumnHidden(0));
    QVERIFY(!t->isColumnHidden(1));
    QVERIFY(t->isColumnHidden(2));
    QVERIFY(t->isColumnHidden(3));
    QCOMPARE(viewTitles(v), (QStringList{"Balken: A", "Balken: B", "Torten:A", "Torten:B"}));
}

void TstSurveyMonkey::fileWithoutSubHeaderRowMakesNoViews()
{
    View v;
    QVERIFY(v.importSM(writeFile("voll.csv", "A,B\nx,y\n")));
    QCOMPARE(v.viewListModel()->rowCount(), 1 + 4);
    // A later survey without its sub-header row must not take the earlier one's.
    QVERIFY(v.importSM(writeFile("nurkopf.csv", "A,B\n")));
    QCOMPARE(v.dataModel()->columnCount(), 2);
    QCOMPARE(v.viewListModel()->rowCount(), 1);
    QVERIFY(v.dataTable()->table()->isColumnHidden(0));
    QVERIFY(v.dataTable()->table()->isColumnHidden(1));
}

void TstSurveyMonkey::unreadableFileChangesNothing()
{
    View v;
    const int views = v.viewListModel()->rowCount();
    const QString cell = v.dataModel()->item(0, 0)->text();
    const QString missing = m_dir.path() + "/fehlt/umfrage.csv";
    ScriptedAnswerer ans;
    ans.accept(UserInput::OpenFile, missing).accept(UserInput::Warning, QMessageBox::Ok);
    v.importSMFile();
    QCOMPARE(ans.unexpected, 0);
    QVERIFY(ans.asked.last().label.contains(missing));
    QCOMPARE(WindowUtil::title(v), QString("quorvandel7"));
    QCOMPARE(v.viewListModel()->rowCount(), views);
    QCOMPARE(v.dataModel()->item(0, 0)->text(), cell);
}

QTEST_MAIN(TstSurveyMonkey)
#include "tst_surveymonkey.moc"
