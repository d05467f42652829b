#include <QMouseEvent>
#include <QPainter>
#include <QStandardItemModel>
#include <QtTest>
#include <memory>

#include "commands/regressionsbefehl.h"
#include "core/regressionsgerade.h"
#include "core/tablecontext.h"
#include "diagrams/lineareregression.h"
#include "diagrams/viewpicture.h"
#include "diagrams/xyplotgeometry.h"
#include "diagrams/xyplotter.h"
#include "tests/helpers/scriptedanswerer.h"
#include "tests/helpers/testutil.h"

// The XY plot and its regression line: equation, pixels of axes, markers and line,
// the degenerate value sets, cell changes and the drag.
class TstXYPlot : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void equation_data();
    void equation();
    void viewAndCommandAgree_data();
    void viewAndCommandAgree();
    void equationOnGermanDesktop();
    void pixels();
    void degenerate_data();
    void degenerate();
    void followsCells();
    void drag();
};

namespace {
QStandardItemModel* pairs(const QList<QStringList>& rows)
{
    return TestUtil::makeModel({"X", "Y"}, rows);
}

QImage draw(const XYPlotter& p, const QSize& size = QSize(220, 220))
{
    QImage img(size, QImage::Format_ARGB32);
    img.fill(Qt::black);
    QPainter painter(&img);
    p.draw(painter, size);
    return img;
}

int count(const QImage& img, const QColor& c, const QRect& area)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += TestUtil::isColor(img, x, y, c);
    return n;
}
}

void TstXYPlot::equation_data()
{
    QTest::addColumn<QList<QStringList>>("rows");
    QTest::addColumn<QString>("text");
    QTest::newRow("through the origin") << QList<QStringList>{{"1", "2"}, {"2", "4"}, {"3", "6"}}
                                        << "y=2*x+0";
    QTest::newRow("positive intercept") << QList<QStringList>{{"0", "1"}, {"1", "3"}, {"2", "5"}}
                                        << "y=2*x+1";
    QTest::newRow("falling") << QList<QStringList>{{"0", "5"}, {"1", "3"}, {"2", "1"}}
                             << "y=-2*x+5";
    QTest::newRow("negative intercept") << QList<QStringList>{{"0", "-1.5"}, {"2", "-0.5"}}
                                        << "y=0.5*x-1.5";
    QTest::newRow("six digits") << QList<QStringList>{{"0", "0"}, {"3", "1"}}
                                << "y=0.333333*x+0";
    QTest::newRow("German decimal commas")
        << QList<QStringList>{{"0", "-1,5"}, {"2,0", "-0,5"}, {"1.000,5", "498,75"}}
        << "y=0.5*x-1.5";
    QTest::newRow("not a number counts as 0")
        << QList<QStringList>{{"nein", "1"}, {"1", "3"}, {"2", "5"}} << "y=2*x+1";
    QTest::newRow("nan and inf cells are left out")
        << QList<QStringList>{{"0", "1"}, {"nan", "7"}, {"1", "3"}, {"2", "inf"}, {"2", "5"}}
        << "y=2*x+1";
}

void TstXYPlot::equation()
{
    QFETCH(QList<QStringList>, rows);
    QFETCH(QString, text);
    std::unique_ptr<QStandardItemModel> m(pairs(rows));
    LineareRegression p;
    p.setModel(m.get());
    p.setSpalten(0, 1);
    const XYPlotGeometry::Layout l = XYPlotGeometry::layout(p.xValues(), p.yValues(), {220, 220});
    const XYPlotGeometry::RegressionLayout r =
        XYPlotGeometry::regressionLayout(l, p.xValues(), p.yValues());
    QVERIFY(r.drawn);
    QCOMPARE(r.text, text);
    QCOMPARE(r.textPos, QPoint(70, 70));
}

void TstXYPlot::viewAndCommandAgree_data()
{
    QTest::addColumn<QList<QStringList>>("rows");
    QTest::addColumn<bool>("defined");
    QTest::newRow("through the origin")
        << QList<QStringList>{{"1", "2"}, {"2", "4"}, {"3", "6"}} << true;
    QTest::newRow("plus") << QList<QStringList>{{"1", "3"}, {"2", "5"}, {"3", "7"}} << true;
    QTest::newRow("minus") << QList<QStringList>{{"1", "-1"}, {"2", "0"}, {"3", "1"}} << true;
    QTest::newRow("falling") << QList<QStringList>{{"0", "5"}, {"1", "3"}, {"2", "1"}} << true;
    QTest::newRow("empty cell is 0") << QList<QStringList>{{"", "1"}, {"1", "3"}, {"2", "5"}}
                                     << true;
    QTest::newRow("nan row left out")
        << QList<QStringList>{{"0", "1"}, {"nan", "7"}, {"1", "3"}, {"2", "5"}} << true;
    QTest::newRow("all x equal") << QList<QStringList>{{"0.1", "1"}, {"0.1", "2"}, {"0.1", "3"}}
                                 << false;
    QTest::newRow("one row") << QList<QStringList>{{"2", "1"}} << false;
}

// The "Regression" command and the "Lineare Regression" view over the same columns
// compute one line and write one equation.
void TstXYPlot::viewAndCommandAgree()
{
    QFETCH(QList<QStringList>, rows);
    QFETCH(bool, defined);
    std::unique_ptr<QStandardItemModel> m(pairs(rows));
    LineareRegression view;
    view.setModel(m.get());
    view.setSpalten(0, 1);
    const Regressionsgerade g = Regressionsgerade::fit(view.xValues(), view.yValues());
    QCOMPARE(g.defined, defined);

    ScriptedAnswerer script;
    script.accept(UserInput::Information, QMessageBox::Ok);
    TableContext context;
    context.model = m.get();
    context.columns = {0, 1};
    RegressionsBefehl::linReg(context);
    QCOMPARE(script.asked.size(), 1);
    const QString said = script.asked.first().label;

    const XYPlotGeometry::Layout l =
        XYPlotGeometry::layout(view.xValues(), view.yValues(), {220, 220});
    const XYPlotGeometry::RegressionLayout drawn =
        XYPlotGeometry::regressionLayout(l, view.xValues(), view.yValues());
    QCOMPARE(drawn.drawn, defined);
    if (defined) {
        QCOMPARE(drawn.text, g.equation());
        QVERIFY2(said.endsWith(QLatin1Char('\t') + g.equation()), qPrintable(said));
    } else {
        QVERIFY2(said.contains(QLatin1String("nicht bestimmt")), qPrintable(said));
    }
}

void TstXYPlot::equationOnGermanDesktop()
{
    Regressionsgerade r;
    r.defined = true;
    r.b = 0.21;
    r.a = 5.31;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QString plus = r.equation();
    r.a = -1234567;
    const QString minus = r.equation();
    QLocale::setDefault(QLocale::c());
    QCOMPARE(plus, QString("y=0,21*x+5,31"));
    QCOMPARE(minus, QString("y=0,21*x-1,23457e+06"));
}

// (0, 1), (1, 3), (2, 5) on 220 x 220: 100 pixels per x unit, 50 per y unit.
void TstXYPlot::pixels()
{
    std::unique_ptr<QStandardItemModel> m(pairs({{"0", "1"}, {"1", "3"}, {"2", "5"}}));
    XYPlotter plain;
    LineareRegression line;
    for (XYPlotter* p : {static_cast<XYPlotter*>(&plain), static_cast<XYPlotter*>(&line)}) {
        p->setModel(m.get());
        p->setSpalten(0, 1);
    }
    const QImage a = draw(plain);
    QVERIFY(TestUtil::isColor(a, 100, 100, Qt::white));
    QVERIFY(TestUtil::isColor(a, 15, 100, Qt::black));    // y axis
    QVERIFY(TestUtil::isColor(a, 100, 205, Qt::black));   // x axis
    QVERIFY(TestUtil::isColor(a, 10, 10, Qt::black));     // arrow stroke
    QVERIFY(TestUtil::isColor(a, 210, 210, Qt::black));
    // The marker of (1, 3) at (115, 105): a plus of blue strokes, white between them.
    for (const QPoint& pt : {QPoint(115, 105), QPoint(113, 105), QPoint(117, 105),
                             QPoint(115, 103), QPoint(115, 107)})
        QVERIFY2(TestUtil::isColor(a, pt.x(), pt.y(), Qt::blue), qPrintable(QString("%1,%2").arg(pt.x()).arg(pt.y())));
    QVERIFY(TestUtil::isColor(a, 113, 103, Qt::white));
    QVERIFY(TestUtil::isColor(a, 215, 5, Qt::blue));      // largest values: the far corner
    QCOMPARE(count(a, Qt::red, a.rect()), 0);
    QCOMPARE(count(a, Qt::black, QRect(70, 55, 80, 18)), 0);

    const QImage b = draw(line);
    // The line passes through the markers and between them.
    QVERIFY(TestUtil::isColor(b, 115, 105, Qt::red));
    QVERIFY(TestUtil::isColor(b, 65, 155, Qt::red));
    QVERIFY(TestUtil::isColor(b, 67, 155, Qt::red));      // five pixels wide
    QVERIFY(TestUtil::isColor(a, 65, 155, Qt::white));
    // The equation, black, on its baseline at (70, 70).
    QVERIFY(count(b, Qt::black, QRect(70, 55, 80, 16)) > 10);
    // The widget's own picture is the same drawing.
    line.resize(220, 220);
    QCOMPARE(ViewPicture::of(&line, QSize(220, 220)).convertToFormat(QImage::Format_RGB32),
             b.convertToFormat(QImage::Format_RGB32));
}

void TstXYPlot::degenerate_data()
{
    QTest::addColumn<QList<QStringList>>("rows");
    QTest::addColumn<int>("markers");
    QTest::addColumn<QPoint>("marker");   // centre of the first marker
    QTest::newRow("no rows") << QList<QStringList>{} << 0 << QPoint();
    // Equal values span v - 1 to v + 1: the points lie in the middle.
    QTest::newRow("all x equal") << QList<QStringList>{{"4", "1"}, {"4", "3"}} << 2
                                 << QPoint(115, 205);
    QTest::newRow("one point") << QList<QStringList>{{"7", "7"}} << 1 << QPoint(115, 105);
    QTest::newRow("only non-finite") << QList<QStringList>{{"inf", "1"}, {"2", "nan"}} << 0
                                     << QPoint();
}

// Nothing is drawn from values that have no scale; no regression without Sxx.
void TstXYPlot::degenerate()
{
    QFETCH(QList<QStringList>, rows);
    QFETCH(int, markers);
    QFETCH(QPoint, marker);
    std::unique_ptr<QStandardItemModel> m(pairs(rows));
    LineareRegression p;
    p.setModel(m.get());
    p.setSpalten(0, 1);
    const QImage img = draw(p);
    QCOMPARE(count(img, Qt::red, img.rect()), 0);
    QCOMPARE(count(img, Qt::black, QRect(70, 55, 80, 18)), 0);
    QCOMPARE(count(img, Qt::blue, img.rect()) > 0, markers > 0);
    if (markers > 0)
        QVERIFY(TestUtil::isColor(img, marker.x(), marker.y(), Qt::blue));
    QVERIFY(TestUtil::isColor(img, 15, 100, Qt::black));   // the axes are always there
}

void TstXYPlot::followsCells()
{
    std::unique_ptr<QStandardItemModel> m(pairs({{"0", "1"}, {"1", "3"}, {"2", "5"}}));
    XYPlotter p;
    p.setModel(m.get());
    p.setSpalten(0, 1);
    QCOMPARE(p.yValues(), (QVector<double>{1, 3, 5}));
    m->item(1, 1)->setText("9");
    m->item(2, 1)->setText("x");
    QTRY_COMPARE(p.yValues(), (QVector<double>{1, 9, 0}));
    QCOMPARE(p.metaObject()->className(), "XYPlotter");
    QVERIFY(p.metaObject()->indexOfSlot("updateData()") >= 0);
}

void TstXYPlot::drag()
{
    std::unique_ptr<QStandardItemModel> m(pairs({{"0", "1"}, {"1", "3"}}));
    LineareRegression p;
    p.setModel(m.get());
    p.setSpalten(0, 1);
    p.resize(200, 150);
    ScriptedAnswerer sa;
    const QPoint start(50, 50);
    const QPoint far = start + QPoint(QApplication::startDragDistance(), 0);
    QMouseEvent press(QEvent::MouseButtonPress, start, p.mapToGlobal(start), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&p, &press);
    sa.accept(UserInput::Drag, int(Qt::CopyAction));
    QMouseEvent move(QEvent::MouseMove, far, p.mapToGlobal(far), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(&p, &move);
    QCOMPARE(sa.unexpected, 0);
    QCOMPARE(sa.asked.size(), 1);
    QVERIFY(!sa.asked[0].items.contains("text/html"));
    const QImage img = sa.asked[0].preset.value<QImage>();
    QCOMPARE(img.size(), QSize(200, 150));
    QVERIFY(TestUtil::isColor(img, 15, 75, Qt::black));
}

QTEST_MAIN(TstXYPlot)
#include "tst_xyplot.moc"
