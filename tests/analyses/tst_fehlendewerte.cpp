#include "core/spaltenspeicher.h"
#include <QUndoStack>
#include <QtTest>
#include <cmath>
#include <memory>

#include "analyses/chiquadrat.h"
#include "analyses/direktdiagramadapter.h"
#include "analyses/direktmultidiagramadapter.h"
#include "analyses/haeufigkeitsdiagramadapter.h"
#include "analyses/haeufigkeitsmultidiagramadapter.h"
#include "analyses/haeufigkeitsprozentdiagramadapter.h"
#include "analyses/haeufigkeitsprozentmultidiagramadapter.h"
#include "analyses/haeufigkeitsverteilungsadapter.h"
#include "analyses/statistiktabelle.h"
#include "analyses/kreuztabellenrechnung.h"
#include "commands/fehlendewertebefehl.h"
#include "commands/zaehlregel.h"
#include "core/fehlendewerte.h"
#include "core/rowfilter.h"
#include "core/spaltencodes.h"
#include "recordingdiagram.h"
#include "tests/helpers/scriptedanswerer.h"
#include "tests/helpers/testutil.h"

// Answers of blanks only and answers declared missing are no answers to every view.
class TstFehlendeWerte : public QObject
{
    Q_OBJECT
private slots:
    void gesehen_data();
    void gesehen();
    void blanksAreNoAnswer();
    void frequencyLeavesCodesOut();
    void crosstabAndFilterCells();
    void directValuesLeaveCodesOut();
    void zeilen_data();
    void zeilen();
    void multiFrequencyListsMissing();
    void numericViewsLeaveCodesOut();
    void commandUndoRedo();
};

namespace {
SpaltenSpeicher* survey()
{
    return TestUtil::makeModel({"Q", "G"}, {{"a", "x"},
                                           {"-99", "x"},
                                           {"  ", "y"},
                                           {"b", "y"},
                                           {"-99", "y"},
                                           {"a", "x"},
                                           {"", "x"}});
}
}

void TstFehlendeWerte::gesehen_data()
{
    QTest::addColumn<QVariant>("cell");
    QTest::addColumn<QStringList>("codes");
    QTest::addColumn<QVariant>("seen");
    const QVariant empty(QString(""));
    QTest::newRow("answer") << QVariant("ja") << QStringList{"-99"} << QVariant("ja");
    QTest::newRow("blanks") << QVariant("  ") << QStringList{} << empty;
    QTest::newRow("tab and nbsp") << QVariant(QString("\t\u00a0")) << QStringList{} << empty;
    QTest::newRow("blank around text") << QVariant(" a ") << QStringList{} << QVariant(" a ");
    QTest::newRow("code") << QVariant("weiß nicht") << QStringList{"-99", "weiß nicht"} << empty;
    QTest::newRow("number cell of code") << QVariant(-99.0) << QStringList{"-99"} << empty;
    QTest::newRow("other number") << QVariant(-9.0) << QStringList{"-99"} << QVariant(-9.0);
    QTest::newRow("missing item") << QVariant() << QStringList{"-99"} << QVariant();
}

void TstFehlendeWerte::gesehen()
{
    QFETCH(QVariant, cell);
    QFETCH(QStringList, codes);
    QFETCH(QVariant, seen);
    const QVariant got = FehlendeWerte::gesehen(cell, codes);
    QCOMPARE(got.typeId(), seen.typeId());
    QCOMPARE(got, seen);
}

void TstFehlendeWerte::blanksAreNoAnswer()
{
    // Two answers of a single blank were counted as an answer.
    std::unique_ptr<SpaltenSpeicher> m(
        TestUtil::makeModel({"Q"}, {{" "}, {" "}, {"ja"}, {"   "}}));
    HaeufigkeitsDiagramAdapter a;
    a.setModel(m.get());
    a.setDiagram(new RecordingDiagram);
    QCOMPARE(a.diagram()->labelList(), QStringList{"ja"});
    QCOMPARE(a.diagram()->values(), QVector<double>{1});
    // The column commands' rule agrees; the codes remember the cells as they are.
    QVERIFY(!ZaehlRegel::isCounted(QVariant(" ")));
    QVERIFY(ZaehlRegel::isCounted(QVariant(" x")));
    QCOMPARE(SpaltenCodes::read(m.get(), 0, false)->values.first(), QVariant(" "));
}

void TstFehlendeWerte::frequencyLeavesCodesOut()
{
    std::unique_ptr<SpaltenSpeicher> m(survey());
    FehlendeWerte::setCodes(m.get(), 0, {"-99", "-99", " "});
    QCOMPARE(FehlendeWerte::codes(m.get(), 0), QStringList{"-99"});
    HaeufigkeitsDiagramAdapter a;
    a.setModel(m.get());
    a.setDiagram(new RecordingDiagram);
    QCOMPARE(a.diagram()->labelList(), QStringList({"a", "b"}));
    QCOMPARE(a.diagram()->values(), QVector<double>({2, 1}));
    QVERIFY(a.diagram()->captionLines().contains("n = 3"));
    QVERIFY(a.diagram()->captionLines().contains("fehlend: 2"));

    HaeufigkeitsProzentDiagramAdapter p;
    p.setModel(m.get());
    p.setDiagram(new RecordingDiagram);
    QCOMPARE(p.diagram()->values().size(), 2);
    QCOMPARE(std::round(p.diagram()->values().at(0) * 100), 6667.0);

    // Through the linked column only the rows of "y" are counted, and missing.
    a.setDepFilter("y", 1);
    QCOMPARE(a.diagram()->labelList(), QStringList{"b"});
    QVERIFY(a.diagram()->captionLines().contains("fehlend: 1"));
}

void TstFehlendeWerte::crosstabAndFilterCells()
{
    std::unique_ptr<SpaltenSpeicher> m(survey());
    FehlendeWerte::setCodes(m.get(), 0, {"-99"});
    const auto f = KreuztabellenRechnung::Frage::ausSpalte(m.get(), 0);
    QCOMPARE(f.antworten, QStringList({"a", "b"}));
    QCOMPARE(f.codes, QVector<int>({0, -1, -1, 1, -1, 0, -1}));
    const auto e = KreuztabellenRechnung::rechne(
        f, {KreuztabellenRechnung::Frage::ausSpalte(m.get(), 1)}, Gewichte());
    QCOMPARE(e.bloecke.first().basis, QVector<int>({2, 1}));

    // The cell-by-cell path of the statistics and the tests.
    RowFilter filter;
    QVariant v;
    QVERIFY(!filter.admitsCell(m.get(), 1, 0, &v));
    QVERIFY(!filter.admitsCell(m.get(), 2, 0, &v));
    QVERIFY(filter.admitsCell(m.get(), 0, 0, &v));
    QVERIFY(!filter.admits(m.get(), 4, 0));
    QVERIFY(FehlendeWerte::fehlend(m.get(), 4, 0));
    QVERIFY(!FehlendeWerte::fehlend(m.get(), 4, 1));
}

void TstFehlendeWerte::commandUndoRedo()
{
    std::unique_ptr<SpaltenSpeicher> m(survey());
    QUndoStack undo;
    HaeufigkeitsDiagramAdapter a;
    a.setModel(m.get());
    a.setDiagram(new RecordingDiagram);
    QCOMPARE(a.diagram()->labelList(), QStringList({"-99", "a", "b"}));

    ScriptedAnswerer script;
    script.accept(UserInput::Checks, QStringList{"-99"});
    TableContext ctx;
    ctx.model = m.get();
    ctx.undo = &undo;
    ctx.columns = {0};
    FehlendeWerteBefehl::festlegen(ctx);
    QCOMPARE(script.unexpected, 0);
    // The blank answer is never offered: it is no answer anyway.
    QCOMPARE(script.asked.first().items, QStringList({"-99", "a", "b"}));
    QCOMPARE(undo.count(), 1);
    QTRY_COMPARE(a.diagram()->labelList(), QStringList({"a", "b"}));
    undo.undo();
    QVERIFY(FehlendeWerte::codes(m.get(), 0).isEmpty());
    QTRY_COMPARE(a.diagram()->labelList(), QStringList({"-99", "a", "b"}));
    undo.redo();
    QCOMPARE(FehlendeWerte::codes(m.get(), 0), QStringList{"-99"});
    QTRY_COMPARE(a.diagram()->labelList(), QStringList({"a", "b"}));

    // The same answer again makes no undo step.
    script.accept(UserInput::Checks, QStringList{"-99"});
    FehlendeWerteBefehl::festlegen(ctx);
    QCOMPARE(undo.count(), 1);
}

namespace {
// Numbers with two declared codes and a blank: four values 1..4 remain.
SpaltenSpeicher* numbers()
{
    SpaltenSpeicher* m = TestUtil::makeModel(
        {"N"}, {{"1"}, {"2"}, {"-99"}, {"3"}, {"-99"}, {" "}, {"4"}});
    FehlendeWerte::setCodes(m, 0, {"-99"});
    return m;
}
}

void TstFehlendeWerte::directValuesLeaveCodesOut()
{
    // The direct views plotted -99 as a value and counted it in the base.
    std::unique_ptr<SpaltenSpeicher> m(numbers());
    DirektDiagramAdapter single;
    single.setModel(m.get());
    single.setDiagram(new RecordingDiagram);
    QCOMPARE(single.diagram()->values(), QVector<double>({1, 2, 3, 4}));
    QVERIFY(single.diagram()->captionLines().contains("n = 4"));

    // Several columns keep one slot per row: a missing answer is an empty slot.
    DirektMultiDiagramAdapter multi;
    multi.setModel(m.get());
    multi.setDiagram(new RecordingDiagram);
    multi.setSpalten({0});
    QCOMPARE(multi.diagram()->values(), QVector<double>({1, 2, 0, 3, 0, 0, 4}));
    QVERIFY(multi.diagram()->captionLines().contains("n = 4"));
}

void TstFehlendeWerte::zeilen_data()
{
    QTest::addColumn<QVector<int>>("anzahlen");
    QTest::addColumn<QString>("line");
    QTest::newRow("no column") << QVector<int>{} << QString();
    QTest::newRow("none missing") << QVector<int>{0, 0} << QString();
    QTest::newRow("one column") << QVector<int>{3} << QString("fehlend: 3");
    QTest::newRow("equal") << QVector<int>{2, 2, 2} << QString("fehlend: 2");
    QTest::newRow("differ") << QVector<int>{2, 0, 1} << QString("fehlend: 2 (A), 1 (C)");
    QTest::newRow("no title") << QVector<int>{0, 1, 0, 5} << QString("fehlend: 1 (B), 5 (4)");
}

void TstFehlendeWerte::zeilen()
{
    QFETCH(QVector<int>, anzahlen);
    QFETCH(QString, line);
    QCOMPARE(FehlendeWerte::zeile(anzahlen, {"A", "B", "C"}), line);
}

void TstFehlendeWerte::multiFrequencyListsMissing()
{
    std::unique_ptr<SpaltenSpeicher> m(TestUtil::makeModel(
        {"A", "B", "G"}, {{"a", "x", "1"},
                          {"-99", "x", "1"},
                          {"b", "weiß nicht", "2"},
                          {"-99", "y", "2"},
                          {"a", "", "2"}}));
    FehlendeWerte::setCodes(m.get(), 0, {"-99"});
    HaeufigkeitsMultiDiagramAdapter a;
    a.setModel(m.get());
    a.setDiagram(new RecordingDiagram);
    a.setSpalten({0, 1});
    // Only A misses answers so far.
    QVERIFY(a.diagram()->captionLines().contains("fehlend: 2 (A)"));
    QVERIFY(!a.diagram()->labelList().contains("-99"));

    FehlendeWerte::setCodes(m.get(), 1, {"weiß nicht"});
    a.updateDiagram();
    const QStringList labels = a.diagram()->labelList();
    QVERIFY(!labels.contains("-99") && !labels.contains("weiß nicht"));
    QVERIFY(a.diagram()->captionLines().contains("fehlend: 2 (A), 1 (B)"));
    QVERIFY(a.diagram()->captionLines().contains("n = 3"));

    // Through the linked column only rows of "2" count, and each column misses one.
    a.setDepFilter("2", 2);
    QVERIFY(a.diagram()->captionLines().contains("fehlend: 1"));

    // The shares of A are of its three answers.
    HaeufigkeitsProzentMultiDiagramAdapter p;
    p.setModel(m.get());
    p.setDiagram(new RecordingDiagram);
    p.setSpalten({0});
    const int at = p.diagram()->labelList().indexOf("a");
    QVERIFY(at >= 0);
    QCOMPARE(std::round(p.diagram()->values().at(at) * 100), 6667.0);
    QVERIFY(p.diagram()->captionLines().contains("fehlend: 2"));
    // Without codes nothing is said.
    FehlendeWerte::setCodes(m.get(), 0, {});
    p.updateDiagram();
    for (const QString& line : p.diagram()->captionLines())
        QVERIFY(!line.startsWith("fehlend"));
}

void TstFehlendeWerte::numericViewsLeaveCodesOut()
{
    // Statistic, distribution and the chi-square test see 1, 2, 3, 4 only.
    std::unique_ptr<SpaltenSpeicher> m(numbers());
    StatistikTabelle s;
    s.setModel(m.get());
    s.setSpalten({0});
    QCOMPARE(s.kennzahlen().size(), 1);
    QCOMPARE(s.kennzahlen().first().n, 4);
    QCOMPARE(s.kennzahlen().first().min, 1.0);
    QCOMPARE(s.kennzahlen().first().mittel, 2.5);

    HaeufigkeitsVerteilungsAdapter d;
    d.setModel(m.get());
    d.setDiagram(new RecordingDiagram);
    double sum = 0;
    for (double v : d.diagram()->values())
        sum += v;
    QCOMPARE(sum, 4.0);
    QVERIFY(d.diagram()->captionLines().contains("n = 4"));

    ChiQuadrat c;
    c.setDiagram(new RecordingDiagram);
    c.setModel(m.get());
    QCOMPARE(c.mean(), 2.5);
    QVERIFY(c.diagram()->captionLines().contains("n = 4"));
}

QTEST_MAIN(TstFehlendeWerte)
#include "tst_fehlendewerte.moc"
