#include <QStandardItemModel>
#include <QUndoStack>
#include <QtTest>
#include <cmath>
#include <memory>

#include "analyses/haeufigkeitsdiagramadapter.h"
#include "analyses/haeufigkeitsprozentdiagramadapter.h"
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
    void commandUndoRedo();
};

namespace {
QStandardItemModel* survey()
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
    std::unique_ptr<QStandardItemModel> m(
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
    std::unique_ptr<QStandardItemModel> m(survey());
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
    std::unique_ptr<QStandardItemModel> m(survey());
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
    std::unique_ptr<QStandardItemModel> m(survey());
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

QTEST_MAIN(TstFehlendeWerte)
#include "tst_fehlendewerte.moc"
