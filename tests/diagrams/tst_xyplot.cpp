#include <QMouseEvent>
#include <QPainter>
#include "core/spaltenspeicher.h"
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
    void axesShowTheirValues();
    void degenerate_data();
    void degenerate();
    void followsCells();
    void pairsWithoutNumbersLeftOut();
    void drag();
    void captionRoom_data();
    void captionRoom();
};

namespace {
SpaltenSpeicher* pairs(const QList<QStringList>& rows)
{
    return TestUtil::makeModel({"X", "Y"}, rows);
}

QImage draw(const XYPlotter& p, const QSize& size = QSize(220, 220))
{
    QImage img(size, QImage::Format_ARGB32);
    img.fill(Qt::black);
    QPainter painter(&img);
    p.paint(painter, size);
    return img;
}

XYPlotGeometry::Layout layoutOf(const XYPlotter& p, const QSize& size = QSize(220, 220))
{
    QImage img(size, QImage::Format_ARGB32);
    QPainter painter(&img);
    return p.plotLayout(painter, size);
}

QStringList labelTexts(const XYPlotGeometry::Layout& l)
{
    QStringList out;
    for (const auto& t : l.labels)
        out << t.text;
    return out;
}

// Where nothing but the regression's equation is drawn: the line above the plot.
QRect equationRow(const XYPlotGeometry::Layout& l, const XYPlotter& p)
{
    return QRect(l.topTextPos.x(), 0, l.width - l.topTextPos.x(), 5 + p.fontMetrics().height());
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
    // The points scatter around the line: R² says how much of y it explains.
    QTest::newRow("scatter") << QList<QStringList>{{"0", "0"}, {"1", "2"}, {"2", "1"}, {"3", "3"}}
                             << "y=0.8*x+0.3    R\u00B2 = 0.64";
    QTest::newRow("flat") << QList<QStringList>{{"0", "0"}, {"1", "1"}, {"2", "0"}}
                          << "y=0*x+0.333333    R\u00B2 = 0";
    QTest::newRow("German decimal commas")
        << QList<QStringList>{{"0", "-1,5"}, {"2,0", "-0,5"}, {"1.000,5", "498,75"}}
        << "y=0.5*x-1.5";
    QTest::newRow("not a number is left out")
        << QList<QStringList>{{"nein", "9"}, {"1", "3"}, {"2", "5"}} << "y=2*x+1";
    QTest::newRow("nan and inf cells are left out")
        << QList<QStringList>{{"0", "1"}, {"nan", "7"}, {"1", "3"}, {"2", "inf"}, {"2", "5"}}
        << "y=2*x+1";
}

void TstXYPlot::equation()
{
    QFETCH(QList<QStringList>, rows);
    QFETCH(QString, text);
    std::unique_ptr<SpaltenSpeicher> m(pairs(rows));
    LineareRegression p;
    p.setModel(m.get());
    p.setSpalten(0, 1);
    const XYPlotGeometry::Layout l = layoutOf(p);
    const XYPlotGeometry::RegressionLayout r =
        XYPlotGeometry::regressionLayout(l, p.xValues(), p.yValues());
    QVERIFY(r.drawn);
    // Lines through every point explain all of y.
    QCOMPARE(r.text, text.contains(QStringLiteral("R\u00B2")) ? text : text + QStringLiteral("    R\u00B2 = 1"));
    QCOMPARE(r.textPos, l.topTextPos);
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
    QTest::newRow("empty cell left out")
        << QList<QStringList>{{"", "9"}, {"1", "3"}, {"2", "5"}, {"3", ""}} << true;
    QTest::newRow("only one full pair")
        << QList<QStringList>{{"", "1"}, {"1", "3"}, {"2", "-"}} << false;
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
    std::unique_ptr<SpaltenSpeicher> m(pairs(rows));
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

    const XYPlotGeometry::Layout l = layoutOf(view);
    const XYPlotGeometry::RegressionLayout drawn =
        XYPlotGeometry::regressionLayout(l, view.xValues(), view.yValues());
    QCOMPARE(drawn.drawn, defined);
    if (defined) {
        QVERIFY(drawn.text.startsWith(g.equation() + QLatin1Char(' ')));
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

// (0, 1), (1, 3), (2, 5) on 220 x 220: markers of nine pixels off the frame, the line
// over them, the equation above the plot.
void TstXYPlot::pixels()
{
    std::unique_ptr<SpaltenSpeicher> m(pairs({{"0", "1"}, {"1", "3"}, {"2", "5"}}));
    XYPlotter plain;
    LineareRegression line;
    for (XYPlotter* p : {static_cast<XYPlotter*>(&plain), static_cast<XYPlotter*>(&line)}) {
        p->setModel(m.get());
        p->setSpalten(0, 1);
    }
    const XYPlotGeometry::Layout l = layoutOf(plain);
    const QImage a = draw(plain);
    const QLine yAxis = l.axes.at(0);
    const QLine xAxis = l.axes.at(3);
    QVERIFY(TestUtil::isColor(a, yAxis.x1(), (yAxis.y1() + yAxis.y2()) / 2, Qt::black));
    QVERIFY(TestUtil::isColor(a, (xAxis.x1() + xAxis.x2()) / 2, xAxis.y1(), Qt::black));
    constexpr int arm = XYPlotGeometry::MarkerArm;
    QVERIFY(2 * arm + 1 >= 5);
    const double xs[] = {0, 1, 2};
    const double ys[] = {1, 3, 5};
    for (int i = 0; i < 3; ++i) {
        const int cx = int(l.mapX(xs[i]));
        const int cy = int(l.mapY(ys[i]));
        // A plus of blue strokes, white between them, and not on the frame.
        for (const QPoint& pt : {QPoint(cx, cy), QPoint(cx - arm, cy), QPoint(cx + arm, cy),
                                 QPoint(cx, cy - arm), QPoint(cx, cy + arm)})
            QVERIFY2(TestUtil::isColor(a, pt.x(), pt.y(), Qt::blue), qPrintable(QString("%1,%2").arg(pt.x()).arg(pt.y())));
        QVERIFY(TestUtil::isColor(a, cx - arm, cy - arm, Qt::white));
        QVERIFY(cx - arm - 1 > yAxis.x1());
        QVERIFY(cy + arm + 1 < xAxis.y1());
    }
    QCOMPARE(count(a, Qt::red, a.rect()), 0);
    QCOMPARE(count(a, Qt::black, equationRow(l, plain)), 0);

    const QImage b = draw(line);
    const XYPlotGeometry::Layout lb = layoutOf(line);
    // The line passes through the markers and between them, five pixels wide.
    const int mx = int(lb.mapX(0.5));
    const int my = int(lb.mapY(2));
    QVERIFY(TestUtil::isColor(b, int(lb.mapX(1)), int(lb.mapY(3)), Qt::red));
    QVERIFY(TestUtil::isColor(b, mx, my, Qt::red));
    QVERIFY(TestUtil::isColor(b, mx + 2, my, Qt::red) || TestUtil::isColor(b, mx, my - 2, Qt::red));
    // The markers stay under it: their strokes reach out beside the line.
    QVERIFY(count(b, Qt::blue, b.rect()) > 6);
    // The equation with R², black, above the plot.
    QVERIFY(count(b, Qt::black, equationRow(lb, line)) > 10);
    // The widget's own picture is the same drawing.
    line.resize(220, 220);
    QCOMPARE(ViewPicture::of(&line, QSize(220, 220)).convertToFormat(QImage::Format_RGB32),
             b.convertToFormat(QImage::Format_RGB32));
}

// Both axes carry round steps with their numbers, the column titles name them, and the
// base is written under the plot.
void TstXYPlot::axesShowTheirValues()
{
    std::unique_ptr<SpaltenSpeicher> m(TestUtil::makeModel(
        {"Alter", "Einkommen"},
        {{"23", "1800"}, {"41", "3900"}, {"67", "2600"}, {"x", ""}, {"0", "0"}}));
    XYPlotter p;
    p.setModel(m.get());
    p.setSpalten(0, 1);
    const QSize size(320, 240);
    const XYPlotGeometry::Layout l = layoutOf(p, size);
    // x from 0 to 67: steps of 20 up to 80; y 0 to 3900 by 1000. The row without numbers
    // is no point.
    QCOMPARE(l.minX, 0.0);
    QCOMPARE(l.maxX, 80.0);
    QCOMPARE(l.minY, 0.0);
    QCOMPARE(l.maxY, 4000.0);
    const QStringList t = labelTexts(l);
    QCOMPARE(t.mid(0, 2), QStringList({"Einkommen", "Alter"}));
    QCOMPARE(t.mid(2, 5), QStringList({"0", "20", "40", "60", "80"}));
    QCOMPARE(t.mid(7), QStringList({"0", "1000", "2000", "3000", "4000"}));
    QCOMPARE(l.ticks.size(), 10);
    // Each x number is centred under its tick, each y number ends left of its tick.
    const QFontMetrics fm = p.fontMetrics();
    for (int i = 0; i < 5; ++i) {
        const auto& xl = l.labels.at(2 + i);
        QCOMPARE(xl.pos.x() + fm.horizontalAdvance(xl.text) / 2, l.ticks.at(i).x1());
        QVERIFY(xl.pos.y() > l.ticks.at(i).y2());
        const auto& yl = l.labels.at(7 + i);
        QVERIFY(yl.pos.x() + fm.horizontalAdvance(yl.text) < l.ticks.at(5 + i).x1());
    }
    QCOMPARE(l.points, 4);
    // The drawing: the names and the numbers are ink, the base "n = 4" in the last line.
    const QImage img = draw(p, size);
    int ink = 0;
    for (int y = l.captionPos.y() - fm.ascent(); y <= l.captionPos.y(); ++y)
        for (int x = 5; x < 5 + fm.horizontalAdvance("n = 4"); ++x)
            ink += img.pixelColor(x, y).lightness() < 128 ? 1 : 0;
    QVERIFY(ink > 10);
    QVERIFY(l.captionPos.y() > l.labels.at(1).pos.y());   // under the x axis's name
}

void TstXYPlot::degenerate_data()
{
    QTest::addColumn<QList<QStringList>>("rows");
    QTest::addColumn<int>("markers");
    QTest::newRow("no rows") << QList<QStringList>{} << 0;
    // Equal values span a step either side: the points lie in the middle.
    QTest::newRow("all x equal") << QList<QStringList>{{"4", "1"}, {"4", "3"}} << 2;
    QTest::newRow("one point") << QList<QStringList>{{"7", "7"}} << 1;
    QTest::newRow("only non-finite") << QList<QStringList>{{"inf", "1"}, {"2", "nan"}} << 0;
    QTest::newRow("beyond a double's span") << QList<QStringList>{{"-1e308", "1"}, {"1e308", "2"}} << 0;
}

// Nothing is drawn from values that have no scale; no regression without Sxx.
void TstXYPlot::degenerate()
{
    QFETCH(QList<QStringList>, rows);
    QFETCH(int, markers);
    std::unique_ptr<SpaltenSpeicher> m(pairs(rows));
    LineareRegression p;
    p.setModel(m.get());
    p.setSpalten(0, 1);
    const QImage img = draw(p);
    const XYPlotGeometry::Layout l = layoutOf(p);
    QCOMPARE(l.points, markers);
    QCOMPARE(count(img, Qt::red, img.rect()), 0);
    QCOMPARE(count(img, Qt::black, equationRow(l, p)), 0);
    QCOMPARE(count(img, Qt::blue, img.rect()) > 0, markers > 0);
    if (markers > 0) {
        // The first point stands in the middle of its axes' spans.
        const QLine x = l.markers.at(0);
        QCOMPARE((x.x1() + x.x2()) / 2, int(l.mapX((l.minX + l.maxX) / 2)));
        QVERIFY(TestUtil::isColor(img, (x.x1() + x.x2()) / 2, x.y1(), Qt::blue));
    }
    const QLine yAxis = l.axes.at(0);   // the axes are always there
    QVERIFY(TestUtil::isColor(img, yAxis.x1(), (yAxis.y1() + yAxis.y2()) / 2, Qt::black));
}

void TstXYPlot::followsCells()
{
    std::unique_ptr<SpaltenSpeicher> m(pairs({{"0", "1"}, {"1", "3"}, {"2", "5"}}));
    XYPlotter p;
    p.setModel(m.get());
    p.setSpalten(0, 1);
    QCOMPARE(p.yValues(), (QVector<double>{1, 3, 5}));
    m->zelle(1, 1).setText("9");
    m->zelle(2, 1).setText("x");
    QTRY_COMPARE(p.yValues(), (QVector<double>{1, 9}));
    QCOMPARE(p.xValues(), (QVector<double>{0, 1}));
    QCOMPARE(p.metaObject()->className(), "XYPlotter");
    QVERIFY(p.metaObject()->indexOfSlot("updateData()") >= 0);
}

// A row whose x or y cell is empty, blank or a word is no point at 0: it is neither
// plotted nor fitted, and the base under the plot counts only the pairs used.
void TstXYPlot::pairsWithoutNumbersLeftOut()
{
    std::unique_ptr<SpaltenSpeicher> m(pairs(
        {{"1", "3"}, {"", "7"}, {"4", ""}, {"ja", "2"}, {"  ", "8"}, {"2", "5"}, {"3,0", "7"}}));
    LineareRegression view;
    view.setModel(m.get());
    view.setSpalten(0, 1);
    QCOMPARE(view.xValues(), (QVector<double>{1, 2, 3}));
    QCOMPARE(view.yValues(), (QVector<double>{3, 5, 7}));
    const XYPlotGeometry::Layout l = layoutOf(view);
    QCOMPARE(l.points, 3);
    QCOMPARE(l.minX, 1.0);   // no point drags the axes down to 0
    QCOMPARE(view.captionLines(l.points), QStringList{"n = 3"});
    const XYPlotGeometry::RegressionLayout r =
        XYPlotGeometry::regressionLayout(l, view.xValues(), view.yValues());
    QVERIFY(r.text.startsWith("y=2*x+1"));

    // A cell answered later brings its row in.
    m->zelle(2, 1).setText("9");
    QTRY_COMPARE(view.xValues(), (QVector<double>{1, 4, 2, 3}));
    QCOMPARE(view.captionLines(layoutOf(view).points), QStringList{"n = 4"});
}

void TstXYPlot::drag()
{
    std::unique_ptr<SpaltenSpeicher> m(pairs({{"0", "1"}, {"1", "3"}}));
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
    const QLine yAxis = layoutOf(p, QSize(200, 150)).axes.at(0);
    QVERIFY(TestUtil::isColor(img, yAxis.x1(), (yAxis.y1() + yAxis.y2()) / 2, Qt::black));
}

void TstXYPlot::captionRoom_data()
{
    QTest::addColumn<int>("asked");
    QTest::addColumn<int>("lines");
    QTest::newRow("none asked: the base still") << 0 << 1;
    QTest::newRow("the base") << 1 << 1;
    QTest::newRow("filter and base") << 2 << 2;
    QTest::newRow("three") << 3 << 3;
}

// The lines under the plot end at the bottom; each further line lifts the x axis by one
// line and never lets the first line touch the x column's name.
void TstXYPlot::captionRoom()
{
    QFETCH(int, asked);
    QFETCH(int, lines);
    const QVector<double> xs{1, 2, 3};
    const QVector<double> ys{2, 4, 6};
    QImage img(QSize(300, 200), QImage::Format_ARGB32);
    const QFontMetrics fm(QFont(), &img);
    const auto base = XYPlotGeometry::layout(xs, ys, img.size(), fm, "X", "Y", 0, 1);
    const auto l = XYPlotGeometry::layout(xs, ys, img.size(), fm, "X", "Y", 0, asked);
    QCOMPARE(l.lineHeight, fm.height());
    QCOMPARE(l.captionPos.y() + (lines - 1) * l.lineHeight, img.height() - 5 - fm.descent());
    QCOMPARE(l.axes.at(3).y1(), base.axes.at(3).y1() - (lines - 1) * fm.height());
    QVERIFY(l.captionPos.y() - fm.ascent() > l.labels.at(1).pos.y());
    QCOMPARE(l.points, 3);
}

QTEST_MAIN(TstXYPlot)
#include "tst_xyplot.moc"
