#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QRandomGenerator>
#include "core/spaltenspeicher.h"
#include <QTableView>
#include <QtTest>
#include <memory>

#include "analyses/aenlichkeitscodes.h"
#include "analyses/aenlichkeitsmodel.h"
#include "analyses/modelaenlichkeits3dview.h"
#include "analyses/modelaenlichkeitstabelle.h"
#include "core/fehlendewerte.h"
#include "diagrams/balken3ddiagram.h"
#include "tests/helpers/scriptedanswerer.h"
#include "tests/helpers/testutil.h"

// The similarity of respondents: the codes, the table's cells and texts, the 3D view's
// counts, and both at many rows.
class TstAenlichkeit : public QObject
{
    Q_OBJECT
private slots:
    void colours_data();
    void colours();
    void workedExample();
    void equalityOfCells();
    void texts();
    void noRows();
    void followsCellChanges();
    void blockMeansMatchPairs();
    void manyRowsInBlocks();
    void manyRowsTable();
    void drag();
};

namespace {
SpaltenSpeicher* answers()
{
    return TestUtil::makeModel({"Q1", "Q2", "Q3"}, {{"A", "B", "C"}, {"A", "B", "D"}});
}
}

void TstAenlichkeit::colours_data()
{
    QTest::addColumn<int>("p");
    QTest::addColumn<QString>("name");
    QTest::newRow("0") << 0 << "#a0a0a4";
    QTest::newRow("9") << 9 << "#a0a0a4";
    QTest::newRow("10") << 10 << "#c0c0c0";
    QTest::newRow("29") << 29 << "#c0c0c0";
    QTest::newRow("30") << 30 << "#ffff00";
    QTest::newRow("49") << 49 << "#ffff00";
    QTest::newRow("50") << 50 << "#0000ff";
    QTest::newRow("69") << 69 << "#0000ff";
    QTest::newRow("70") << 70 << "#00ff00";
    QTest::newRow("100") << 100 << "#00ff00";
}

void TstAenlichkeit::colours()
{
    QFETCH(int, p);
    QFETCH(QString, name);
    QCOMPARE(AenlichkeitsCodes::colour(p).name(), name);
}

void TstAenlichkeit::workedExample()
{
    std::unique_ptr<SpaltenSpeicher> m(answers());
    ModelAenlichkeitsTabelle t;
    t.setModel(m.get());
    t.setSpalten({0, 1, 2});
    QAbstractItemModel* cells = t.table()->model();
    QCOMPARE(cells->rowCount(), 2);
    QCOMPARE(cells->columnCount(), 2);
    QCOMPARE(cells->index(0, 1).data().toString(), QString("66"));
    QCOMPARE(cells->index(0, 1).data(Qt::BackgroundRole).value<QBrush>().color(),
             QColor(Qt::blue));
    QCOMPARE(cells->index(1, 1).data().toString(), QString("100"));
    QCOMPARE(cells->index(1, 1).data(Qt::BackgroundRole).value<QBrush>().color(),
             QColor(Qt::green));
    QCOMPARE(cells->index(1, 0).data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignRight));
    QCOMPARE(cells->headerData(1, Qt::Horizontal).toString(), QString("2"));
    QCOMPARE(t.table()->horizontalHeader()->sectionSize(1), 50);

    ModelAenlichkeits3dView v;
    v.setModel(m.get());
    v.setSpalten({0, 1, 2});
    QCOMPARE(v.bars()->rowCount(), 2);
    QCOMPARE(v.bars()->columnCount(), 2);
    QCOMPARE(v.bars()->value(0, 1), 2.0);
    QCOMPARE(v.bars()->value(1, 0), 2.0);
    QCOMPARE(v.bars()->value(0, 0), 3.0);
    QVERIFY(v.blockNote()->isHidden());
}

// Two cells without a value agree; such a cell and an empty text do not; texts compare
// exactly; a number and its text agree.
void TstAenlichkeit::equalityOfCells()
{
    SpaltenSpeicher m(4, 2);
    m.zelle(0, 0).setData(QVariant(""));
    m.zelle(1, 0).setData(QVariant(""));
    m.zelle(0, 1).setData(QVariant("Ja"));
    m.zelle(1, 1).setData(QVariant("ja"));
    m.zelle(3, 0).setData(QVariant("3"));
    m.zelle(3, 1).setData(3.0, Qt::DisplayRole);
    m.zelle(2, 1).setData(QVariant("3"));
    // Row 2 column 0 has no item: no value at all.
    AenlichkeitsCodes c;
    c.build(&m, {0, 1});
    QCOMPARE(c.agreements(0, 1), 1);   // "" = "", "Ja" != "ja"
    QCOMPARE(c.agreements(0, 2), 0);   // "" != no value
    QCOMPARE(c.agreements(2, 3), 1);   // "3" = 3.0
    QCOMPARE(c.agreements(2, 2), 2);   // no value agrees with no value
    QCOMPARE(c.percent(0, 1), 50);
    QCOMPARE(c.agreements(-1, 7), 0);

    // An answer declared missing is no answer: it agrees with an empty one.
    m.zelle(2, 0).setData(QVariant("-99"));
    FehlendeWerte::setCodes(&m, 0, {"-99"});
    c.build(&m, {0, 1});
    QCOMPARE(c.agreements(0, 2), 1);   // "" = "-99" declared missing
}

void TstAenlichkeit::texts()
{
    std::unique_ptr<SpaltenSpeicher> m(answers());
    ModelAenlichkeitsTabelle t;
    t.setModel(m.get());
    t.setSpalten({0, 1, 2});
    QCOMPARE(t.toText(), QString("100\t66\n66\t100\n"));
    QCOMPARE(t.toHTML(),
             QString("<TABLE border=1 width=90%>"
                     "<TR><TD bgcolor=\"#00ff00\">100</TD><TD bgcolor=\"#0000ff\">66</TD></TR>"
                     "<TR><TD bgcolor=\"#0000ff\">66</TD><TD bgcolor=\"#00ff00\">100</TD></TR>"
                     "</TABLE>"));
    QVERIFY(dynamic_cast<TextInhalt*>(&t));
}

void TstAenlichkeit::noRows()
{
    std::unique_ptr<SpaltenSpeicher> full(answers());
    std::unique_ptr<SpaltenSpeicher> empty(TestUtil::makeModel({"Q1", "Q2"}, {}));
    ModelAenlichkeitsTabelle t;
    ModelAenlichkeits3dView v;
    for (ModelClient* c : {static_cast<ModelClient*>(&t), static_cast<ModelClient*>(&v)})
        c->setModel(full.get());
    t.setSpalten({0, 1});
    v.setSpalten({0, 1});
    t.setModel(empty.get());
    v.setModel(empty.get());
    QCOMPARE(t.table()->model()->rowCount(), 0);
    QCOMPARE(t.toText(), QString());
    QCOMPARE(t.toHTML(), QString("<TABLE border=1 width=90%></TABLE>"));
    QCOMPARE(v.bars()->rowCount(), 0);
    QVERIFY(v.bars()->bars().isEmpty());
}

void TstAenlichkeit::followsCellChanges()
{
    std::unique_ptr<SpaltenSpeicher> m(answers());
    ModelAenlichkeitsTabelle t;
    ModelAenlichkeits3dView v;
    t.setModel(m.get());
    t.setSpalten({0, 1, 2});
    v.setModel(m.get());
    v.setSpalten({0, 1, 2});
    m->zelle(1, 2).setText("C");
    QTRY_COMPARE(t.table()->model()->index(0, 1).data().toString(), QString("100"));
    QTRY_COMPARE(v.bars()->value(0, 1), 3.0);
}

void TstAenlichkeit::blockMeansMatchPairs()
{
    SpaltenSpeicher m(23, 3);
    QRandomGenerator rng(7);
    for (int r = 0; r < 23; ++r)
        for (int c = 0; c < 3; ++c)
            m.zelle(r, c).setData(QVariant(QString::number(rng.bounded(3))));
    AenlichkeitsCodes codes;
    codes.build(&m, {0, 1, 2});
    const int block = 5;
    const QVector<double> means = codes.blockMeans(block);
    QCOMPARE(means.size(), 25);   // 5 x 5 blocks, the last ones of 3 rows
    for (int a = 0; a < 5; ++a) {
        for (int b = 0; b < 5; ++b) {
            double sum = 0;
            int pairs = 0;
            for (int i = a * block; i < std::min(23, (a + 1) * block); ++i)
                for (int j = b * block; j < std::min(23, (b + 1) * block); ++j) {
                    sum += codes.agreements(i, j);
                    ++pairs;
                }
            QVERIFY(TestUtil::fuzzy(means.at(a * 5 + b), sum / pairs));
        }
    }
}

void TstAenlichkeit::manyRowsInBlocks()
{
    QCOMPARE(ModelAenlichkeits3dView::blockSize(100), 1);
    QCOMPARE(ModelAenlichkeits3dView::blockSize(101), 2);
    QCOMPARE(ModelAenlichkeits3dView::blockSize(250), 3);
    // 250 rows, the same answers in blocks of 3: every block agrees fully with itself.
    SpaltenSpeicher m(250, 2);
    for (int r = 0; r < 250; ++r)
        for (int c = 0; c < 2; ++c)
            m.zelle(r, c).setData(QVariant(QString::number(r / 3)));
    ModelAenlichkeits3dView v;
    v.setModel(&m);
    v.setSpalten({0, 1});
    QCOMPARE(v.bars()->rowCount(), 84);
    QCOMPARE(v.bars()->columnCount(), 84);
    QCOMPARE(v.bars()->value(5, 5), 2.0);
    QCOMPARE(v.bars()->value(5, 6), 0.0);
    QCOMPARE(v.bars()->value(83, 83), 2.0);   // the last block holds row 249 alone
    QVERIFY(!v.blockNote()->isHidden());
    QCOMPARE(v.blockNote()->text(), QString::fromUtf8("Mittelwerte über Blöcke von 3 × 3 Befragten"));
}

void TstAenlichkeit::manyRowsTable()
{
    // 3,000 respondents: nine million cells, none of them an item.
    SpaltenSpeicher m(3000, 2);
    for (int r = 0; r < 3000; ++r) {
        m.zelle(r, 0).setData(QVariant(r % 2 ? "ja" : "nein"));
        m.zelle(r, 1).setData(QVariant(QString::number(r % 5)));
    }
    ModelAenlichkeitsTabelle t;
    t.setModel(&m);
    t.setSpalten({0, 1});
    QAbstractItemModel* cells = t.table()->model();
    QCOMPARE(cells->rowCount(), 3000);
    QCOMPARE(cells->index(2999, 2989).data().toString(), QString("100"));
    QCOMPARE(cells->index(2999, 2998).data().toString(), QString("0"));
    QCOMPARE(cells->index(2999, 1).data().toString(), QString("50"));
    QCOMPARE(cells->index(2999, 1).data(Qt::BackgroundRole).value<QBrush>().color(),
             QColor(Qt::blue));
}

void TstAenlichkeit::drag()
{
    std::unique_ptr<SpaltenSpeicher> m(answers());
    ModelAenlichkeitsTabelle t;
    t.setModel(m.get());
    t.setSpalten({0, 1, 2});
    t.resize(300, 200);
    ScriptedAnswerer sa;
    const QPoint start(2, 2);
    const QPoint far = start + QPoint(0, QApplication::startDragDistance());
    QMouseEvent press(QEvent::MouseButtonPress, start, t.mapToGlobal(start), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&t, &press);
    sa.accept(UserInput::Drag, int(Qt::MoveAction));
    QMouseEvent move(QEvent::MouseMove, far, t.mapToGlobal(far), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(&t, &move);
    QCOMPARE(sa.unexpected, 0);
    QCOMPARE(sa.asked.size(), 1);
    QCOMPARE(sa.asked[0].preset.toString(), t.toHTML());
}

QTEST_MAIN(TstAenlichkeit)
#include "tst_aenlichkeit.moc"
