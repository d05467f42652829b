#include <QDir>
#include <QStackedWidget>
#include <QStandardItemModel>
#include "core/spaltenspeicher.h"
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

#include "analyses/mehrfachantworten.h"
#include "core/mehrfachsets.h"
#include "core/roles.h"
#include "diagrams/tabelle1.h"
#include "app/view.h"
#include "core/spaltensicht.h"
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

// An export in the service's layout: optionally the nine respondent columns, a
// single-choice question, a multiple-choice question with an "other" option and its
// free text, and an open question.
QByteArray exportLayout(bool respondentColumns)
{
    const QByteArray lead = respondentColumns
        ? "Respondent ID,Collector ID,Start Date,End Date,IP Address,Email Address,"
          "First Name,Last Name,Custom Data 1,"
        : "";
    const QByteArray leadSub = respondentColumns ? ",,,,,,,,," : "";
    const QByteArray leadRow = respondentColumns
        ? "11,7,01/02/2026,01/02/2026,10.0.0.1,,,,," : "";
    QByteArray out = lead
        + "Wie alt sind Sie?,Welche Kanäle nutzen Sie?,,,,Was wünschen Sie sich?\n"
        + leadSub
        + "Response,Zeitung,Radio,Sonstiges (bitte angeben),Open-Ended Response,"
          "Open-Ended Response\n";
    const char* const rows[] = {
        "18-29,Zeitung,Radio,,,mehr",
        "18-29,,Radio,Sonstiges (bitte angeben),Podcast,",
        "30-49,,,,,nichts",
        "30-49,Zeitung,,,,",
    };
    for (const char* r : rows)
        out += leadRow + r + "\n";
    return out;
}

QStringList viewTitles(UmfrageDokument& v)
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
    void exportLayoutKeepsNames_data();
    void exportLayoutKeepsNames();
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
    QVERIFY(!v.document()->undoStack()->canUndo());

    SpaltenSpeicher* m = v.document()->dataModel();
    QCOMPARE(m->columnCount(), 8);
    QCOMPARE(m->headerData(2, Qt::Horizontal).toString(),
             QString("Welche Farben mögen Sie? – Rot"));
    QCOMPARE(m->headerData(5, Qt::Horizontal).toString(), QString("Kommentar"));
    QCOMPARE(m->headerData(3, Qt::Horizontal).toString(),
             QString("Welche Farben mögen Sie? – Grün"));
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

    // The multiple-choice question as one view, then the bar charts of the others in
    // column order, then their pies.
    QCOMPARE(viewTitles(*v.document()),
             (QStringList{"Welche Farben mögen Sie?", "Balken: Wie alt sind Sie?",
                          "Balken: Γνώμη", "Torten:Wie alt sind Sie?", "Torten:Γνώμη"}));
    const QList<QStringList> columns{{"2", "3", "4"}, {"1"}, {"7"}, {"1"}, {"7"}};
    const QStringList types{"Mehrfachantworten", "BalkenDiagram(H)", "BalkenDiagram(H)",
                            "TortenDiagram", "TortenDiagram"};
    for (int r = 1; r <= 5; ++r) {
        const QStandardItem* it = v.document()->viewListModel()->item(r);
        QCOMPARE(it->data(Roles::ViewAdapterType).toString(),
                 QString(r == 1 ? "" : "Häufigkeit"));
        QCOMPARE(it->data(Roles::ViewType).toString(), types.at(r - 1));
        QCOMPARE(it->data(Roles::ViewColumns).toStringList(), columns.at(r - 1));
    }
    QCOMPARE(MehrfachSets::von(m),
             (QVector<MehrfachSet>{{"Welche Farben mögen Sie?", {2, 3, 4}, ""}}));
}

void TstSurveyMonkey::exportLayoutKeepsNames_data()
{
    QTest::addColumn<bool>("respondentColumns");
    QTest::newRow("with the respondent columns") << true;
    QTest::newRow("without them") << false;
}

void TstSurveyMonkey::exportLayoutKeepsNames()
{
    QFETCH(bool, respondentColumns);
    const int o = respondentColumns ? 9 : 0;
    View v;
    QVERIFY(v.document()->importSM(writeFile("layout.csv", exportLayout(respondentColumns))));
    SpaltenSpeicher* m = v.document()->dataModel();
    QCOMPARE(m->columnCount(), o + 6);
    QCOMPARE(m->rowCount(), 4);
    const QString q = "Welche Kanäle nutzen Sie?";
    const QStringList titles{"Wie alt sind Sie?", q + " – Zeitung", q + " – Radio",
                             q + " – Sonstiges (bitte angeben)", q + " – Open-Ended Response",
                             "Was wünschen Sie sich?"};
    for (int c = 0; c < 6; ++c)
        QCOMPARE(m->headerData(o + c, Qt::Horizontal).toString(), titles.at(c));
    if (respondentColumns)
        QCOMPARE(m->headerData(0, Qt::Horizontal).toString(), QString("Respondent ID"));
    for (int c = 0; c < o; ++c)
        QVERIFY(v.dataTable()->table()->isColumnHidden(c));

    // One view for the multiple-choice question, bars and pies for the single choice;
    // the free texts get none.
    QCOMPARE(viewTitles(*v.document()), (QStringList{q, "Balken: Wie alt sind Sie?",
                                         "Torten:Wie alt sind Sie?"}));
    auto* mehrfach = qobject_cast<Mehrfachantworten*>(v.viewArea()->widget(1));
    QVERIFY(mehrfach);
    QCOMPARE(mehrfach->spalten(), (QVector<int>{o + 1, o + 2, o + 3}));
    QTRY_COMPARE(mehrfach->basisText(), QString("n = 3"));
    QCOMPARE(mehrfach->zaehlung().optionen,
             (QStringList{"Zeitung", "Radio", "Sonstiges (bitte angeben)"}));
    QCOMPARE(mehrfach->zaehlung().gewaehlt, (QVector<double>{2, 2, 1}));
    QCOMPARE(mehrfach->zaehlung().antworten, 5.0);
    QCOMPARE(v.document()->viewListModel()->item(2)->data(Roles::ViewColumns).toStringList(),
             QStringList{QString::number(o)});

    const auto fragen = SurveyMonkeyImport::fragen(
        QStringList{"A", "B", "", "", "C", "", "", "D"},
        QStringList{"Response", "x", "y", "Open-Ended Response", "Response",
                    "Open-Ended Response", "z", ""});
    QCOMPARE(fragen.size(), 3);
    QCOMPARE(fragen.at(1).columns, (QVector<int>{1, 2, 3}));
    QCOMPARE(fragen.at(1).options, (QVector<int>{1, 2}));
    QVERIFY(fragen.at(1).mehrfach());
    // A single choice with its free text beside it, then an untitled option: one
    // question of two choices.
    QCOMPARE(fragen.at(2).columns, (QVector<int>{4, 5, 6}));
    QVERIFY(fragen.at(2).mehrfach());
    QVERIFY(!fragen.at(0).mehrfach());
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
    UmfrageDokument v;
    v.createDemo();
    QVERIFY(v.importSM(path));
    SpaltenSicht* t = v.spalten();
    QCOMPARE(v.dataModel()->rowCount(), 1);
    QVERIFY(!t->isHidden(0));
    QVERIFY(!t->isHidden(1));
    QVERIFY(t->isHidden(2));
    QVERIFY(t->isHidden(3));
    QCOMPARE(viewTitles(v), (QStringList{"Balken: A", "Balken: B", "Torten:A", "Torten:B"}));
}

void TstSurveyMonkey::fileWithoutSubHeaderRowMakesNoViews()
{
    UmfrageDokument v;
    v.createDemo();
    QVERIFY(v.importSM(writeFile("voll.csv", "A,B\nx,y\n")));
    QCOMPARE(v.viewListModel()->rowCount(), 1 + 4);
    // A later survey without its sub-header row must not take the earlier one's.
    QVERIFY(v.importSM(writeFile("nurkopf.csv", "A,B\n")));
    QCOMPARE(v.dataModel()->columnCount(), 2);
    QCOMPARE(v.viewListModel()->rowCount(), 1);
    QVERIFY(v.spalten()->isHidden(0));
    QVERIFY(v.spalten()->isHidden(1));
}

void TstSurveyMonkey::unreadableFileChangesNothing()
{
    View v;
    const int views = v.document()->viewListModel()->rowCount();
    const QString cell = v.document()->dataModel()->zelle(0, 0).text();
    const QString missing = m_dir.path() + "/fehlt/umfrage.csv";
    ScriptedAnswerer ans;
    ans.accept(UserInput::OpenFile, missing).accept(UserInput::Warning, QMessageBox::Ok);
    v.importSMFile();
    QCOMPARE(ans.unexpected, 0);
    QVERIFY(ans.asked.last().label.contains(missing));
    QCOMPARE(WindowUtil::title(v), QString("quorvandel7"));
    QCOMPARE(v.document()->viewListModel()->rowCount(), views);
    QCOMPARE(v.document()->dataModel()->zelle(0, 0).text(), cell);
}

QTEST_MAIN(TstSurveyMonkey)
#include "tst_surveymonkey.moc"
