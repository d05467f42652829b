#include <QFontMetrics>
#include <QPainter>
#include <QtTest>
#include <cmath>
#include <limits>

#include "diagrams/diagramgeometry.h"
#include "diagrams/farblegende.h"
#include "tests/helpers/testutil.h"

// The round steps of the value axes, the numbers written at them, and the colour
// legend's layout.
class TstScales : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void roundScale_data();
    void roundScale();
    void roundRange_data();
    void roundRange();
    void axisNumber_data();
    void axisNumber();
    void legendFlowsAndPaintsBlackText();
};

void TstScales::roundScale_data()
{
    QTest::addColumn<double>("max");
    QTest::addColumn<bool>("whole");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<double>("top");
    QTest::addColumn<double>("step");
    QTest::addColumn<int>("steps");
    QTest::newRow("count 8") << 8.0 << true << true << 8.0 << 2.0 << 4;
    QTest::newRow("count 10") << 10.0 << true << true << 10.0 << 2.0 << 5;
    QTest::newRow("count 11") << 11.0 << true << true << 15.0 << 5.0 << 3;
    QTest::newRow("count 3") << 3.0 << true << true << 3.0 << 1.0 << 3;
    QTest::newRow("count 1: no step below 1") << 1.0 << true << true << 1.0 << 1.0 << 1;
    QTest::newRow("fraction 1") << 1.0 << false << true << 1.0 << 0.2 << 5;
    QTest::newRow("0.3 exactly") << 0.3 << false << true << 0.3 << 0.1 << 3;
    QTest::newRow("thousands") << 1234.0 << true << true << 1500.0 << 500.0 << 3;
    QTest::newRow("round top kept") << 1000.0 << true << true << 1000.0 << 200.0 << 5;
    QTest::newRow("zero") << 0.0 << true << false << 0.0 << 0.0 << 0;
    QTest::newRow("negative") << -4.0 << true << false << 0.0 << 0.0 << 0;
    QTest::newRow("nan") << std::nan("") << true << false << 0.0 << 0.0 << 0;
    QTest::newRow("infinite") << std::numeric_limits<double>::infinity() << true << false << 0.0 << 0.0 << 0;
    QTest::newRow("top beyond a double") << 1.7e308 << false << false << 0.0 << 0.0 << 0;
    QTest::newRow("tiny") << 3e-300 << false << true << 3e-300 << 1e-300 << 3;
}

void TstScales::roundScale()
{
    QFETCH(double, max);
    QFETCH(bool, whole);
    QFETCH(bool, valid);
    QFETCH(double, top);
    QFETCH(double, step);
    QFETCH(int, steps);
    const DiagramGeometry::RoundScale s = DiagramGeometry::roundScale(max, whole);
    QCOMPARE(s.valid, valid);
    if (!valid)
        return;
    QVERIFY(qFuzzyCompare(s.top, top));
    QVERIFY(qFuzzyCompare(s.step, step));
    QCOMPARE(s.steps, steps);
    QVERIFY(s.top >= max * (1 - 1e-12));
}

void TstScales::roundRange_data()
{
    QTest::addColumn<double>("lo");
    QTest::addColumn<double>("hi");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<double>("first");
    QTest::addColumn<double>("step");
    QTest::addColumn<int>("steps");
    QTest::newRow("0 to 2") << 0.0 << 2.0 << true << 0.0 << 0.5 << 4;
    QTest::newRow("1 to 5") << 1.0 << 5.0 << true << 1.0 << 1.0 << 4;
    QTest::newRow("ages") << 23.0 << 67.0 << true << 20.0 << 10.0 << 5;
    QTest::newRow("negative") << -3.5 << 1.2 << true << -4.0 << 1.0 << 6;
    QTest::newRow("all equal") << 4.0 << 4.0 << true << 3.0 << 1.0 << 2;
    QTest::newRow("all zero") << 0.0 << 0.0 << true << -1.0 << 1.0 << 2;
    QTest::newRow("span beyond a double") << -1e308 << 1e308 << false << 0.0 << 0.0 << 0;
    QTest::newRow("nan") << std::nan("") << 1.0 << false << 0.0 << 0.0 << 0;
    QTest::newRow("far from 0, tiny span") << 1e17 << 1e17 + 64 << false << 0.0 << 0.0 << 0;
}

void TstScales::roundRange()
{
    QFETCH(double, lo);
    QFETCH(double, hi);
    QFETCH(bool, valid);
    QFETCH(double, first);
    QFETCH(double, step);
    QFETCH(int, steps);
    const DiagramGeometry::RoundRange r = DiagramGeometry::roundRange(lo, hi);
    QCOMPARE(r.valid, valid);
    if (!valid)
        return;
    QVERIFY(qFuzzyCompare(r.first + 1, first + 1));
    QVERIFY(qFuzzyCompare(r.step, step));
    QCOMPARE(r.steps, steps);
    QVERIFY(r.first <= lo && r.last() >= hi);
}

void TstScales::axisNumber_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("step");
    QTest::addColumn<QString>("text");
    QTest::newRow("whole") << 40.0 << 20.0 << "40";
    QTest::newRow("thousands in full") << 1500000.0 << 500000.0 << "1500000";
    QTest::newRow("halves") << 1.5 << 0.5 << "1.5";
    QTest::newRow("zero on a tenth step") << 0.0 << 0.1 << "0.0";
    QTest::newRow("sum of tenths") << 0.1 * 3 << 0.1 << "0.3";
    QTest::newRow("twentieths") << 0.15 << 0.05 << "0.15";
    QTest::newRow("huge") << 2e20 << 1e20 << "2e+20";
}

void TstScales::axisNumber()
{
    QFETCH(double, value);
    QFETCH(double, step);
    QFETCH(QString, text);
    QCOMPARE(DiagramGeometry::axisNumber(value, step), text);
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QString shown = DiagramGeometry::axisNumber(value, step);
    QLocale::setDefault(QLocale::c());
    QCOMPARE(shown, QString(text).replace(QLatin1Char('.'), QLatin1Char(',')));
}

void TstScales::legendFlowsAndPaintsBlackText()
{
    const QVector<FarbLegende::Eintrag> entries = {{Qt::yellow, "gelb"}, {Qt::cyan, "cyan"},
                                                   {Qt::green, "ein langer Eintrag"}};
    FarbLegende legend;
    legend.setEintraege("Was die Farben sagen", entries);
    const QFontMetrics fm = legend.fontMetrics();
    // Wide: heading, then all entries on one line, squares left of their texts.
    const FarbLegende::Layout wide = FarbLegende::layoutFor(legend.heading(), entries, 600, fm);
    QCOMPARE(wide.swatches.size(), 3);
    QCOMPARE(wide.textPos.at(0).y(), wide.textPos.at(2).y());
    QCOMPARE(wide.heading, QStringList{"Was die Farben sagen"});
    QVERIFY(wide.textPos.at(0).y() > wide.headingPos.at(0).y());
    for (int i = 0; i < 3; ++i) {
        QVERIFY(wide.swatches.at(i).right() < wide.textPos.at(i).x());
        QVERIFY(wide.swatches.at(i).width() >= 4);
    }
    // Narrow: one entry a line, all inside the width.
    const FarbLegende::Layout narrow = FarbLegende::layoutFor(legend.heading(), entries, 90, fm);
    QVERIFY(narrow.textPos.at(1).y() > narrow.textPos.at(0).y());
    QVERIFY(narrow.textPos.at(2).y() > narrow.textPos.at(1).y());
    QVERIFY(narrow.height > wide.height);
    // The heading wraps at blanks into the narrow width.
    QVERIFY(narrow.heading.size() >= 2);
    QCOMPARE(narrow.heading.join(' '), QString("Was die Farben sagen"));
    for (const QString& h : narrow.heading)
        QVERIFY(fm.horizontalAdvance(h) <= 90 - 8);
    QCOMPARE(legend.heightForWidth(90), narrow.height);

    // Painted: the yellow square, and the text beside it black, never yellow.
    legend.resize(600, wide.height);
    const QImage img = legend.grab().toImage();
    const QPoint c = wide.swatches.at(0).center();
    QVERIFY(TestUtil::isColor(img, c.x(), c.y(), Qt::yellow));
    int yellow = 0;
    int dark = 0;
    const QPoint t = wide.textPos.at(0);
    for (int y = t.y() - fm.ascent(); y <= t.y(); ++y)
        for (int x = t.x(); x < t.x() + fm.horizontalAdvance("gelb"); ++x) {
            const QColor px = img.pixelColor(x, y);
            yellow += px.red() > 200 && px.green() > 200 && px.blue() < 100;
            dark += px.lightness() < 100;
        }
    QCOMPARE(yellow, 0);
    QVERIFY(dark > 5);
}

QTEST_MAIN(TstScales)
#include "tst_scales.moc"
