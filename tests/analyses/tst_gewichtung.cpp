#include <QStandardItemModel>
#include <QtTest>
#include <cmath>
#include <memory>

#include "adapterfactory.h"
#include "analyses/viewtypes.h"
#include "core/diagramadapter.h"
#include "core/gewichtung.h"
#include "diagrams/modelclient.h"
#include "core/textinhalt.h"
#include "diagrams/diagram.h"
#include "recordingdiagram.h"
#include "tests/helpers/testutil.h"

namespace {
// Q and R are answered, W holds the weights; the last weight is not valid.
QStandardItemModel* survey()
{
    return TestUtil::makeModel({"Q", "R", "W"}, {{"a", "x", "2"},
                                                 {"b", "x", "0.5"},
                                                 {"a", "y", "1.25"},
                                                 {"", "y", "3"},
                                                 {"b", "", "-1"}});
}

QVector<double> rounded(const QVector<double>& v)
{
    QVector<double> out;
    for (double x : v)
        out << std::round(x * 1000) / 1000;
    return out;
}
}

// The weight: which cells are valid weights, what the counting views count with it,
// and that they follow its choice and its cells.
class TstGewichtung : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void weightCells_data();
    void weightCells();
    void weightedViews_data();
    void weightedViews();
    void viewsFollowTheWeight();
    void largeSumsInFull();
    void distributionWeightedTestNot();
};

void TstGewichtung::weightCells_data()
{
    QTest::addColumn<QVariant>("cell");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<double>("weight");
    QTest::newRow("whole") << QVariant("2") << true << 2.0;
    QTest::newRow("blanks around") << QVariant(" 1.5 ") << true << 1.5;
    QTest::newRow("zero") << QVariant("0") << true << 0.0;
    QTest::newRow("German decimal comma") << QVariant("0,5") << true << 0.5;
    QTest::newRow("double cell") << QVariant(0.25) << true << 0.25;
    QTest::newRow("negative") << QVariant("-1") << false << 0.0;
    QTest::newRow("empty") << QVariant("") << false << 0.0;
    QTest::newRow("text") << QVariant("viel") << false << 0.0;
    QTest::newRow("infinite") << QVariant("inf") << false << 0.0;
    QTest::newRow("not a number") << QVariant("nan") << false << 0.0;
    QTest::newRow("missing cell") << QVariant() << false << 0.0;
}

void TstGewichtung::weightCells()
{
    QFETCH(QVariant, cell);
    QFETCH(bool, valid);
    QFETCH(double, weight);
    double w = 0;
    QCOMPARE(Gewichte::zahl(cell, &w), valid);
    if (valid)
        QCOMPARE(w, weight);
}

void TstGewichtung::weightedViews_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<QVector<double>>("values");
    // a: 2 + 1.25, b: 0.5 + 0 (the row whose weight is -1 counts with 0); sums and
    // percentages at full precision (shown to one decimal by the diagram).
    QTest::newRow("frequency") << "Single:Häufigkeit" << QStringList{"a", "b"}
                               << QVector<double>{3.25, 0.5};
    QTest::newRow("percent") << "Single:Häufigkeit %" << QStringList{"a", "b"}
                             << QVector<double>{86.667, 13.333};
    QTest::newRow("multi frequency")
        << "Multi:Häufigkeit" << QStringList{"", "a", "b", "x", "y"}
        << QVector<double>{0, 3.25, 0.5, 0, 0, 0, 0, 0, 2.5, 4.25};
    QTest::newRow("multi percent")
        << "Multi:Häufigkeit %" << QStringList{"", "a", "b", "x", "y"}
        << QVector<double>{0, 86.667, 13.333, 0, 0, 0, 0, 0, 37.037, 62.963};
    QTest::newRow("combinations") << "Multi:Spaltenhäufigkeit"
                                  << QStringList{",y", "a,x", "a,y", "b,", "b,x"}
                                  << QVector<double>{3, 2, 1.25, 0, 0.5};
}

void TstGewichtung::weightedViews()
{
    QFETCH(QString, key);
    QFETCH(QStringList, labels);
    QFETCH(QVector<double>, values);
    std::unique_ptr<QStandardItemModel> m(survey());
    Gewichtung::of(m.get())->setSpalte(2);
    std::unique_ptr<ModelClient> view(makeAdapter(key));
    view->setModel(m.get());
    auto* a = dynamic_cast<DiagramAdapter*>(view.get());
    a->setDiagram(new RecordingDiagram);
    a->setTitle("T");
    QCOMPARE(a->diagram()->labelList(), labels);
    QCOMPARE(rounded(a->diagram()->values()), values);
    // Each view counts the respondent without a valid weight among its own.
    QCOMPARE(a->diagram()->titleText(),
             QString("T (gewichtet mit W; 1 Befragte ohne gültiges Gewicht)"));
}

void TstGewichtung::viewsFollowTheWeight()
{
    std::unique_ptr<QStandardItemModel> m(survey());
    std::unique_ptr<ModelClient> view(makeAdapter("Single:Häufigkeit"));
    view->setModel(m.get());
    auto* a = dynamic_cast<DiagramAdapter*>(view.get());
    a->setDiagram(new RecordingDiagram);
    a->setTitle("T");
    QCOMPARE(a->diagram()->values(), (QVector<double>{2, 2}));

    Gewichtung* g = Gewichtung::of(m.get());
    g->setSpalte(2);
    QTRY_COMPARE(a->diagram()->values(), (QVector<double>{3.25, 0.5}));
    m->item(4, 2)->setText("1");
    QTRY_COMPARE(a->diagram()->values(), (QVector<double>{3.25, 1.5}));
    QCOMPARE(a->diagram()->titleText(), QString("T (gewichtet mit W)"));

    // A new diagram of a weighted view says so at once (an unweighted view's has no
    // title until the view is retitled, as before).
    a->setDiagram(new RecordingDiagram);
    QCOMPARE(a->diagram()->titleText(), QString("T (gewichtet mit W)"));

    // The weight column taken away: the view counts unweighted at its next
    // recomputation, and with the column back it is weighted again.
    const QList<QStandardItem*> taken = m->takeColumn(2);
    QCOMPARE(Gewichtung::spalteVon(m.get()), -1);
    m->item(0, 0)->setText("b");
    QTRY_COMPARE(a->diagram()->values(), (QVector<double>{1, 3}));
    QCOMPARE(a->diagram()->titleText(), QString("T"));
    m->appendColumn(taken);
    m->setHeaderData(2, Qt::Horizontal, "W");
    m->item(0, 0)->setText("a");
    QTRY_COMPARE(a->diagram()->values(), (QVector<double>{3.25, 1.5}));

    g->setSpalte(-1);
    QTRY_COMPARE(a->diagram()->values(), (QVector<double>{2, 2}));
    // Emptying the data table ends the weighting.
    g->setSpalte(2);
    m->clear();
    QCOMPARE(g->gespeicherteSpalte(), -1);
}

// Population weights: a count of 226,710,664.883 reaches the diagram in full and is
// shown with one decimal, never as "2.26711e+08"; a percentage stays as it was.
void TstGewichtung::largeSumsInFull()
{
    std::unique_ptr<QStandardItemModel> m(TestUtil::makeModel(
        {"Q", "W"}, {{"a", "226710663.883"}, {"a", "1"}, {"b", "1234567"}}));
    Gewichtung::of(m.get())->setSpalte(1);
    std::unique_ptr<ModelClient> view(makeAdapter("Single:Häufigkeit"));
    view->setModel(m.get());
    auto* a = dynamic_cast<DiagramAdapter*>(view.get());
    a->setDiagram(ViewTypes::makeDiagram("Tabelle"));
    QCOMPARE(a->diagram()->values(), (QVector<double>{226710664.883, 1234567}));
    auto* text = dynamic_cast<TextInhalt*>(a->diagram());
    QCOMPARE(text->toText(), QString("\ta\tb\n\t226710664.9\t1234567.0\n"));
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    a->diagram()->setData(a->diagram()->values());
    QLocale::setDefault(QLocale::c());
    QVERIFY(text->toText().contains("226710664,9"));

    std::unique_ptr<ModelClient> percent(makeAdapter("Single:Häufigkeit %"));
    percent->setModel(m.get());
    auto* p = dynamic_cast<DiagramAdapter*>(percent.get());
    p->setDiagram(ViewTypes::makeDiagram("Tabelle"));
    QVERIFY(!p->diagram()->istGewichtet());
    QVERIFY(dynamic_cast<TextInhalt*>(p->diagram())->toText().contains("99.4584%"));
}

// The histogram weighs its classes; the chi-square test counts respondents and says so.
void TstGewichtung::distributionWeightedTestNot()
{
    std::unique_ptr<QStandardItemModel> m(TestUtil::makeModel(
        {"X", "W"}, {{"1", "2"}, {"1", "0.5"}, {"10", "3"}, {"5", "x"}}));
    std::unique_ptr<ModelClient> hist(makeAdapter("Single:HäufigkeitsVerteilung"));
    hist->setModel(m.get());
    auto* h = dynamic_cast<DiagramAdapter*>(hist.get());
    h->setDiagram(new RecordingDiagram);
    h->setTitle("H");
    const QVector<double> plain = h->diagram()->values();
    QCOMPARE(plain.first(), 2.0);
    QCOMPARE(plain.last(), 1.0);
    Gewichtung::of(m.get())->setSpalte(1);
    QTRY_COMPARE(h->diagram()->values().first(), 2.5);
    QCOMPARE(h->diagram()->values().last(), 3.0);
    // The respondent without a valid weight is left out and named.
    double total = 0;
    for (double v : h->diagram()->values())
        total += v;
    QCOMPARE(total, 5.5);
    QCOMPARE(h->diagram()->titleText(),
             QString("H (gewichtet mit W; 1 Befragte ohne gültiges Gewicht)"));

    std::unique_ptr<ModelClient> chi(makeAdapter("Single:Chi Quadrat"));
    chi->setModel(m.get());
    auto* c = dynamic_cast<DiagramAdapter*>(chi.get());
    c->setDiagram(new RecordingDiagram);
    c->setTitle("C");
    QCOMPARE(c->diagram()->titleText(), QString("C (ungewichtet)"));
    double observed = 0;
    const QVector<double>& v = c->diagram()->values();
    for (int i = 0; i < v.size() / 2; ++i)
        observed += v.at(i);
    QCOMPARE(observed, 4.0);
    Gewichtung::of(m.get())->setSpalte(-1);
    QTRY_COMPARE(c->diagram()->titleText(), QString("C"));
}

QTEST_MAIN(TstGewichtung)
#include "tst_gewichtung.moc"
