#include <QStandardItemModel>
#include <QtTest>
#include <cmath>
#include <memory>

#include "adapterfactory.h"
#include "core/gewichtung.h"
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
    // a: 2 + 1.25, b: 0.5 + 0 (the row whose weight is -1 counts with 0); sums shown to
    // one decimal, percentages at full precision.
    QTest::newRow("frequency") << "Single:Häufigkeit" << QStringList{"a", "b"}
                               << QVector<double>{3.3, 0.5};
    QTest::newRow("percent") << "Single:Häufigkeit %" << QStringList{"a", "b"}
                             << QVector<double>{86.667, 13.333};
    QTest::newRow("multi frequency")
        << "Multi:Häufigkeit" << QStringList{"", "a", "b", "x", "y"}
        << QVector<double>{0, 3.3, 0.5, 0, 0, 0, 0, 0, 2.5, 4.3};
    QTest::newRow("multi percent")
        << "Multi:Häufigkeit %" << QStringList{"", "a", "b", "x", "y"}
        << QVector<double>{0, 86.667, 13.333, 0, 0, 0, 0, 0, 37.037, 62.963};
    QTest::newRow("combinations") << "Multi:Spaltenhäufigkeit"
                                  << QStringList{",y", "a,x", "a,y", "b,", "b,x"}
                                  << QVector<double>{3, 2, 1.3, 0, 0.5};
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
    QTRY_COMPARE(a->diagram()->values(), (QVector<double>{3.3, 0.5}));
    m->item(4, 2)->setText("1");
    QTRY_COMPARE(a->diagram()->values(), (QVector<double>{3.3, 1.5}));
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
    QTRY_COMPARE(a->diagram()->values(), (QVector<double>{3.3, 1.5}));

    g->setSpalte(-1);
    QTRY_COMPARE(a->diagram()->values(), (QVector<double>{2, 2}));
    // Emptying the data table ends the weighting.
    g->setSpalte(2);
    m->clear();
    QCOMPARE(g->gespeicherteSpalte(), -1);
}

QTEST_MAIN(TstGewichtung)
#include "tst_gewichtung.moc"
