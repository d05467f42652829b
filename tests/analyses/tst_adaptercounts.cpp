#include "core/spaltenspeicher.h"
#include <QtTest>
#include <cmath>
#include <cstring>
#include <memory>

#include "adapterfactory.h"
#include "analyses/direktdiagramadapter.h"
#include "analyses/direktmultidiagramadapter.h"
#include "analyses/haeufigkeitsdiagramadapter.h"
#include "analyses/haeufigkeitsmultidiagramadapter.h"
#include "analyses/haeufigkeitsprozentdiagramadapter.h"
#include "analyses/haeufigkeitsprozentmultidiagramadapter.h"
#include "analyses/haeufigkeitsverteilungsadapter.h"
#include "analyses/spaltenhaeufigkeitsdiagramadapter.h"
#include "core/rowfilter.h"
#include "diagrams/balkendiagram.h"
#include "recordingdiagram.h"
#include "tests/helpers/scriptedanswerer.h"
#include "tests/helpers/testutil.h"

// What each adapter computes from its column(s) and the order in which it feeds the
// diagram.
class TstAdapterCounts : public QObject
{
    Q_OBJECT
private slots:
    void frequency_data();
    void frequency();
    void doubleCellLabels();
    void tallyCountsByText();
    void percent();
    void dependencyDialog();
    void direct();
    void distribution_data();
    void distribution();
    void distributionDialogs();
    void distributionGermanCellsAndEntries();
    void multiFrequency();
    void multiDependencyNoMatch();
    void combinations();
    void emptyColumnList();
};

namespace {
// One column "Q" with the given texts, a second column "G" with the given groups.
SpaltenSpeicher* column(const QStringList& texts, const QStringList& groups = {})
{
    QList<QStringList> rows;
    for (int i = 0; i < texts.size(); ++i)
        rows << QStringList{texts[i], groups.value(i)};
    return TestUtil::makeModel({"Q", "G"}, rows);
}

QVector<double> rounded(const QVector<double>& v)
{
    QVector<double> out;
    for (double x : v)
        out << std::round(x * 100) / 100;
    return out;
}
}

void TstAdapterCounts::frequency_data()
{
    QTest::addColumn<QStringList>("cells");
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<QVector<double>>("values");
    QTest::newRow("empty left out") << QStringList{"b", "a", "b", ""} << QStringList{"a", "b"}
                                    << QVector<double>{1, 2};
    QTest::newRow("code units")
        << QStringList{"über", "apfel", "Zebra", "2", "10", "zz", "2"}
        << QStringList{"10", "2", "Zebra", "apfel", "zz", "über"}
        << QVector<double>{1, 2, 1, 1, 1, 1};
    QTest::newRow("nothing counted") << QStringList{"", ""} << QStringList{} << QVector<double>{};
}

void TstAdapterCounts::frequency()
{
    QFETCH(QStringList, cells);
    QFETCH(QStringList, labels);
    QFETCH(QVector<double>, values);
    std::unique_ptr<SpaltenSpeicher> m(column(cells));
    HaeufigkeitsDiagramAdapter a;
    auto* d = new BalkenDiagram;
    a.setModel(m.get());
    a.setDiagram(d);
    QCOMPARE(d->labelList(), labels);
    QCOMPARE(d->values(), values);
    QCOMPARE(d->postfix(), QString());
}

void TstAdapterCounts::doubleCellLabels()
{
    // Cells that column operations turned into doubles: labelled by their shortest
    // exact text.
    std::unique_ptr<SpaltenSpeicher> m(column({"", "", ""}));
    m->zelle(0, 0).setData(0.1 + 0.2, Qt::DisplayRole);
    m->zelle(1, 0).setData(3.0, Qt::DisplayRole);
    m->zelle(2, 0).setData(3.0, Qt::DisplayRole);
    HaeufigkeitsDiagramAdapter a;
    a.setModel(m.get());
    a.setDiagram(new RecordingDiagram);
    QCOMPARE(a.diagram()->labelList(), QStringList({"0.30000000000000004", "3"}));
    QCOMPARE(a.diagram()->values(), QVector<double>({1, 2}));
}

void TstAdapterCounts::tallyCountsByText()
{
    // Counting goes by codes of equal cells, short texts hashed apart from long ones;
    // the counts must still be those of each cell's text.
    quint64 otherNanBits = 0x7ff8000000000123ULL;
    double otherNan = 0;
    std::memcpy(&otherNan, &otherNanBits, sizeof otherNan);
    const QString withNul = QString(QLatin1String("a")) + QChar(0);
    const QVariantList cells{0.0, -0.0, qQNaN(), otherNan, 3.0, QString("3"), 3, 0.1 + 0.2,
                             true, QVariant(), QString(), QString(""), QString("a"), withNul,
                             QString(withNul) + QChar(0), QString("abcdefg"),
                             QString("abcdefgh"), QString("abcdefg") + QChar(0), 1e300,
                             QString("ja"), QString("ja"), qlonglong(3), uint(7)};
    SpaltenSpeicher m(cells.size(), 1);
    QHash<QString, int> expected;
    for (int r = 0; r < cells.size(); ++r) {
        m.zelle(r, 0).setData(cells.at(r), Qt::DisplayRole);
        ++expected[RowFilter::cell(&m, r, 0).toString()];
    }
    RowFilter everything;
    everything.setInputFilter(QVariant());
    const QHash<QString, int> counts = everything.countTexts(&m, 0);
    QCOMPARE(counts, expected);
    QCOMPARE(counts.value(QStringLiteral("3")), 4);
    QCOMPARE(counts.value(QStringLiteral("nan")), 2);
    QCOMPARE(counts.value(QString(QLatin1String("a")) + QChar(0)), 1);
}

void TstAdapterCounts::percent()
{
    std::unique_ptr<SpaltenSpeicher> m(column({"b", "a", "b", ""}));
    HaeufigkeitsProzentDiagramAdapter a;
    auto* d = new RecordingDiagram;
    a.setModel(m.get());
    a.setDiagram(d);
    QCOMPARE(d->calls, QStringList({"setValuePostfix", "setLabels", "setData"}));
    QCOMPARE(d->labelList(), QStringList({"a", "b"}));
    QVERIFY(TestUtil::fuzzy(d->values()[0], 100.0 / 3));
    QVERIFY(TestUtil::fuzzy(d->values()[1], 200.0 / 3));
    QCOMPARE(d->postfix(), QString("%"));

    a.setDepFilter("keine", 1);
    QVERIFY(d->values().isEmpty());
}

void TstAdapterCounts::dependencyDialog()
{
    std::unique_ptr<SpaltenSpeicher> m(
        column({"a", "b", "b", "c"}, {"x", "y", "x", "x"}));
    HaeufigkeitsDiagramAdapter a;
    auto* d = new RecordingDiagram;
    a.setModelColumn(0);
    a.setModel(m.get());
    a.setDiagram(d);
    ScriptedAnswerer answers;
    answers.accept(UserInput::Columns, QVariantList{1}).accept(UserInput::Item, "x");
    answers.accept(UserInput::Columns, QVariantList{1}).cancel(UserInput::Item);
    a.depAction();
    QCOMPARE(d->labelList(), QStringList({"a", "b", "c"}));
    QCOMPARE(d->values(), QVector<double>({1, 1, 1}));
    a.depAction();   // cancelled: the link stays
    QCOMPARE(a.rowFilter().depValue(), QString("x"));
    QCOMPARE(a.rowFilter().depColumn(), 1);

    m->removeColumn(1);   // the linked column vanishes: reads as "" everywhere
    a.updateDiagram();
    QVERIFY(d->labelList().isEmpty());
    a.undepAction();
    QCOMPARE(d->labelList(), QStringList({"a", "b", "c"}));
    QCOMPARE(d->values(), QVector<double>({1, 2, 1}));
    QCOMPARE(a.rowFilter().depColumn(), -1);
    QVERIFY(a.rowFilter().depValue().isNull());
}

void TstAdapterCounts::direct()
{
    std::unique_ptr<SpaltenSpeicher> m(column({"3", "", "abc", "0", "5"}, {"1", "0", "", "x", "2"}));
    DirektDiagramAdapter single;
    auto* d = new RecordingDiagram;
    single.setModel(m.get());
    single.setDiagram(d);
    QCOMPARE(d->values(), QVector<double>({3, 5}));
    QCOMPARE(d->calls, QStringList({"setData"}));

    DirektMultiDiagramAdapter multi;
    auto* md = new RecordingDiagram;
    multi.setModel(m.get());
    multi.setDiagram(md);
    multi.setSpalten({1, 0});
    QCOMPARE(md->values(), QVector<double>({1, 0, 0, 0, 2, 3, 0, 0, 0, 5}));
    QCOMPARE(md->rowLength(), 5);
    QCOMPARE(md->calls.mid(md->calls.size() - 2), QStringList({"setData", "setRowWidth"}));
    QVERIFY(md->labelList().isEmpty());

    // German decimal commas are the numbers they say.
    std::unique_ptr<SpaltenSpeicher> german(column({"3,25", "0,0", "1.234,5"}, {"-0,5"}));
    single.setModel(german.get());
    QCOMPARE(d->values(), QVector<double>({3.25, 1234.5}));
    multi.setModel(german.get());
    QCOMPARE(md->values(), QVector<double>({-0.5, 0, 0, 3.25, 0, 1234.5}));
}

void TstAdapterCounts::distribution_data()
{
    QTest::addColumn<QStringList>("cells");
    QTest::addColumn<double>("lo");
    QTest::addColumn<double>("hi");
    QTest::addColumn<int>("classes");
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<QVector<double>>("counts");
    QTest::newRow("fixed 0..10")
        << QStringList{"1", "2", "3", "4"} << 0.0 << 10.0 << 10
        << QStringList{"0.5", "1.5", "2.5", "3.5", "4.5", "5.5", "6.5", "7.5", "8.5", "9.5"}
        << QVector<double>{0, 1, 1, 1, 1, 0, 0, 0, 0, 0};
    QTest::newRow("fixed, half-open")
        << QStringList{"-1", "0", "5", "7.5", "10", "x"} << 0.0 << 10.0 << 4
        << QStringList{"1.25", "3.75", "6.25", "8.75"} << QVector<double>{2, 0, 1, 1};
    QTest::newRow("automatic keeps the maximum")
        << QStringList{"1", "2", "3", "4", "5", ""} << 0.0 << 0.0 << 4
        << QStringList{"1.5", "2.5", "3.5", "4.5"} << QVector<double>{1, 1, 1, 2};
    QTest::newRow("one value")
        << QStringList{"5"} << 0.0 << 0.0 << 5
        << QStringList{"4.65", "4.95", "5.25", "5.55", "5.85"} << QVector<double>{0, 1, 0, 0, 0};
    QTest::newRow("all equal") << QStringList{"3", "3"} << 0.0 << 0.0 << 4 << QStringList{}
                               << QVector<double>{0, 0, 0, 0};
    QTest::newRow("nothing counted")
        << QStringList{"", ""} << 0.0 << 0.0 << 4 << QStringList{} << QVector<double>{};
}

void TstAdapterCounts::distribution()
{
    QFETCH(QStringList, cells);
    QFETCH(double, lo);
    QFETCH(double, hi);
    QFETCH(int, classes);
    QFETCH(QStringList, labels);
    QFETCH(QVector<double>, counts);
    std::unique_ptr<SpaltenSpeicher> m(column(cells));
    HaeufigkeitsVerteilungsAdapter a;
    auto* d = new RecordingDiagram;
    a.setModel(m.get());
    a.setDiagram(d);
    ScriptedAnswerer answers;
    answers.accept(UserInput::Int, classes)
        .accept(UserInput::Double, lo)
        .accept(UserInput::Double, hi);
    a.intervalAction();
    a.minMaxAction();
    QCOMPARE(d->labelList(), labels);
    QCOMPARE(d->values(), counts);
    QCOMPARE(d->calls.mid(d->calls.size() - 2), QStringList({"setLabels", "setData"}));
}

void TstAdapterCounts::distributionDialogs()
{
    std::unique_ptr<SpaltenSpeicher> m(column({"1", "5"}));
    HaeufigkeitsVerteilungsAdapter a;
    a.setModel(m.get());
    a.setDiagram(new RecordingDiagram);
    ScriptedAnswerer answers;
    answers.cancel(UserInput::Int)
        .accept(UserInput::Double, 1.0).cancel(UserInput::Double)
        .accept(UserInput::Double, 0.0).accept(UserInput::Double, 5.0)
        .accept(UserInput::Double, 0.0).accept(UserInput::Double, 0.0);
    a.intervalAction();
    QCOMPARE(a.classCount(), 10);
    const UserInput::Ask& ask = answers.asked[0];
    QCOMPARE(ask.title, QString("Intervalle"));
    QCOMPARE(ask.label, QString("Anzahl der Intervalle"));
    QCOMPARE(ask.preset, QVariant(10));
    QCOMPARE(ask.minimum, 4.0);
    QCOMPARE(ask.maximum, 100.0);
    QCOMPARE(ask.step, 1);

    a.minMaxAction();   // second question cancelled: both bounds stay
    QCOMPARE(a.rangeMinimum(), 0.0);
    QCOMPARE(a.rangeMaximum(), 0.0);
    a.minMaxAction();
    QCOMPARE(a.rangeMinimum(), 0.0);
    QCOMPARE(a.rangeMaximum(), 5.0);
    QCOMPARE(a.diagram()->values().count(1.0), 1);   // 5 is at the fixed maximum
    a.minMaxAction();   // 0 and 0: the range of the data again, with its maximum
    QCOMPARE(a.diagram()->values().count(1.0), 2);

    const UserInput::Ask& lo = answers.asked[5];
    QCOMPARE(lo.title, QString("Skala"));
    QCOMPARE(lo.label, QString("Bitte geben sie das neue Minimum ein"));
    QCOMPARE(lo.preset, QVariant(0.0));
    QCOMPARE(lo.minimum, -100.0);
    QCOMPARE(lo.maximum, 100.0);
    QCOMPARE(lo.step, 3);
    QCOMPARE(answers.asked[6].label, QString("Bitte geben sie das neue Maximum ein"));
    QCOMPARE(answers.asked[6].preset, QVariant(5.0));
}

void TstAdapterCounts::distributionGermanCellsAndEntries()
{
    std::unique_ptr<SpaltenSpeicher> m(column({"3,25", "12,50", "19,99", "8", "100"}));
    HaeufigkeitsVerteilungsAdapter a;
    auto* d = new RecordingDiagram;
    a.setModel(m.get());
    a.setDiagram(d);
    ScriptedAnswerer answers;
    answers.accept(UserInput::Int, 4)
        .accept(UserInput::Double, QString("0,0"))
        .accept(UserInput::Double, QString("100,5"));
    a.intervalAction();
    a.minMaxAction();
    QCOMPARE(a.rangeMaximum(), 100.5);
    QCOMPARE(d->values(), QVector<double>({4, 0, 0, 1}));
    QCOMPARE(d->labelList(), QStringList({"12.5625", "37.6875", "62.8125", "87.9375"}));
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    a.updateDiagram();
    QLocale::setDefault(QLocale::c());
    QCOMPARE(d->labelList(), QStringList({"12,5625", "37,6875", "62,8125", "87,9375"}));
}

void TstAdapterCounts::multiFrequency()
{
    std::unique_ptr<SpaltenSpeicher> m(
        TestUtil::makeModel({"Eins", "Zwei"}, {{"A", "B"}, {"B", "B"}, {"A", ""}}));
    HaeufigkeitsMultiDiagramAdapter counts;
    auto* d = new RecordingDiagram;
    counts.setModel(m.get());
    counts.setDiagram(d);
    counts.setSpalten({0, 1});
    QCOMPARE(d->calls.mid(d->calls.size() - 4),
             QStringList({"setRowWidth", "setLabels", "setColLabels", "setData"}));
    QCOMPARE(d->labelList(), QStringList({"", "A", "B"}));
    QCOMPARE(d->colLabelList(), QStringList({"Eins", "Zwei"}));
    QCOMPARE(d->rowLength(), 3);
    QCOMPARE(d->values(), QVector<double>({0, 2, 1, 0, 0, 2}));
    counts.setSpalten({1, 0});   // the order of the columns is the order of the rows
    QCOMPARE(d->values(), QVector<double>({0, 0, 2, 0, 2, 1}));

    HaeufigkeitsProzentMultiDiagramAdapter percent;
    auto* pd = new BalkenDiagram;
    percent.setModel(m.get());
    percent.setDiagram(pd);
    percent.setSpalten({0, 1});
    QCOMPARE(rounded(pd->values()), QVector<double>({0, 66.67, 33.33, 0, 0, 100}));
    QCOMPARE(pd->postfix(), QString("%"));
}

void TstAdapterCounts::multiDependencyNoMatch()
{
    std::unique_ptr<SpaltenSpeicher> m(
        TestUtil::makeModel({"Eins", "Zwei"}, {{"A", "B"}, {"B", "B"}}));
    HaeufigkeitsProzentMultiDiagramAdapter a;
    auto* d = new RecordingDiagram;
    a.setModel(m.get());
    a.setDiagram(d);
    a.setSpalten({0, 1});
    a.setDepFilter("keine", 0);
    QCOMPARE(d->labelList(), QStringList({"A", "B"}));
    QCOMPARE(d->values().size(), 4);
    for (double v : d->values())
        QVERIFY(std::isnan(v));   // 0 / 0 for a column without a counted cell
    a.undepAction();
    QCOMPARE(d->values(), QVector<double>({50, 50, 0, 100}));
}

void TstAdapterCounts::combinations()
{
    std::unique_ptr<SpaltenSpeicher> m(
        TestUtil::makeModel({"Eins", "Zwei"}, {{"A", "B"}, {"B", "B"}, {"A", ""}, {"", ""}}));
    SpaltenHaeufigkeitsDiagramAdapter a;
    auto* d = new RecordingDiagram;
    a.setModel(m.get());
    a.setDiagram(d);
    a.setSpalten({0, 1});
    QCOMPARE(d->labelList(), QStringList({",", "A,", "A,B", "B,B"}));
    QCOMPARE(d->values(), QVector<double>({1, 1, 1, 1}));
    QCOMPARE(d->calls.mid(d->calls.size() - 2), QStringList({"setLabels", "setData"}));
    QVERIFY(!d->calls.contains("setRowWidth"));
}

void TstAdapterCounts::emptyColumnList()
{
    std::unique_ptr<SpaltenSpeicher> m(column({"a", "b", ""}));
    SpaltenHaeufigkeitsDiagramAdapter combinations;
    auto* cd = new RecordingDiagram;
    combinations.setModel(m.get());
    combinations.setDiagram(cd);
    QCOMPARE(cd->labelList(), QStringList({""}));
    QCOMPARE(cd->values(), QVector<double>({3}));

    HaeufigkeitsMultiDiagramAdapter counts;
    auto* d = new RecordingDiagram;
    counts.setModel(m.get());
    counts.setDiagram(d);
    QVERIFY(d->calls.isEmpty());
}

QTEST_MAIN(TstAdapterCounts)
#include "tst_adaptercounts.moc"
