// Every value text a chart draws is whole and on white, not under a bar or another text,
// and every bar stays inside its chart, for any number of categories: the pictures are
// probed. These are the pictures of the screen, the clipboard and both reports.

#include <QFontMetrics>
#include <QPainter>
#include <QTest>

#include "diagrams/balkendiagram.h"
#include "diagrams/balkendiagram_h.h"
#include "diagrams/diagramgeometry.h"
#include "diagrams/excelbalkendiagram.h"
#include "diagrams/tortendiagram.h"
#include "tests/helpers/testutil.h"

namespace {
using DiagramGeometry::Text;

// Row colours that nothing else in a chart uses.
const QList<QColor> RowColors = {QColor(0, 160, 0), QColor(160, 0, 160)};

// The pixels of a bar: its front and its lighter and darker faces.
QSet<QRgb> barPixels()
{
    QSet<QRgb> out;
    for (const QColor& c : RowColors)
        out << c.rgb() << c.lighter(150).rgb() << c.darker(200).rgb();
    return out;
}

// Values with the largest first, as a count in percent shows them (28.6 % of 7).
QVector<double> values(int count, double largest, bool negative)
{
    QVector<double> out;
    for (int i = 0; i < count; ++i)
        out << largest * (count - i % 7) / count;
    if (negative && count > 1)
        out[count - 1] = -largest;
    return out;
}

QStringList categories(int n)
{
    QStringList out;
    for (int k = 0; k < n; ++k)
        out << QStringLiteral("Antwort %1").arg(k + 1);
    return out;
}

QRect inkOf(const Text& t, const QFontMetrics& fm)
{
    return fm.tightBoundingRect(t.text).translated(t.pos);
}

// Where a text's ink is fully black when drawn alone, the chart shows it black too:
// nothing painted later covers it.
bool wholeIn(const QImage& img, const Text& t, const QFont& font)
{
    QImage alone(img.size(), QImage::Format_ARGB32);
    alone.fill(Qt::white);
    {
        QPainter p(&alone);
        p.setFont(font);
        p.setPen(Qt::black);
        p.drawText(t.pos, t.text);
    }
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if ((alone.pixel(x, y) & 0xffffff) == 0 && (img.pixel(x, y) & 0xffffff) != 0)
                return false;
    return true;
}

void checkTexts(const QImage& img, const QVector<Text>& texts, const QFontMetrics& fm,
                bool onWhite)
{
    const QSet<QRgb> bars = barPixels();
    const QRect picture(QPoint(0, 0), img.size());
    QVector<QRect> inks;
    for (const Text& t : texts) {
        const QRect ink = inkOf(t, fm);
        QVERIFY2(picture.contains(ink), qPrintable(t.text));
        for (const QRect& other : std::as_const(inks))
            QVERIFY2(!other.intersects(ink), qPrintable(t.text));
        inks << ink;
        if (!onWhite)
            continue;
        for (int y = ink.top(); y <= ink.bottom(); ++y)
            for (int x = ink.left(); x <= ink.right(); ++x)
                QVERIFY2(!bars.contains(img.pixel(x, y) | 0xff000000u),
                         qPrintable(QStringLiteral("%1 at %2,%3").arg(t.text).arg(x).arg(y)));
    }
}

// Every bar pixel lies in area (the legend's row labels have the rows' colours).
void checkBarsInside(const QImage& img, const QRect& area, const QRect& legend)
{
    const QSet<QRgb> bars = barPixels();
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (bars.contains(img.pixel(x, y) | 0xff000000u) && !area.contains(x, y)
                && !legend.contains(x, y))
                QFAIL(qPrintable(QStringLiteral("bar at %1,%2 outside the chart").arg(x).arg(y)));
}
}

class TstChartBounds : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void barCharts_data();
    void barCharts();
    void pies_data();
    void pies();
    void stackedColumnsInside();
};

void TstChartBounds::barCharts_data()
{
    QTest::addColumn<bool>("horizontal");
    QTest::addColumn<int>("categories");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("postfix");
    QTest::addColumn<bool>("negative");
    QTest::addColumn<QSize>("size");
    const QSize screen(400, 300);
    const QSize report(800, 550);
    for (bool h : {false, true}) {
        const char* kind = h ? "horizontal" : "vertical";
        for (int n : {1, 2, 7, 40, 300}) {
            for (int rows : {1, 2}) {
                QTest::addRow("%s, %d x %d in percent", kind, n, rows)
                    << h << n << rows << "%" << false << screen;
                QTest::addRow("%s, %d x %d counts, report", kind, n, rows)
                    << h << n << rows << "" << false << report;
            }
        }
        QTest::addRow("%s, a negative value", kind) << h << 5 << 1 << "" << true << screen;
        QTest::addRow("%s, smallest size", kind) << h << 3 << 2 << "%" << false << QSize(150, 120);
    }
}

void TstChartBounds::barCharts()
{
    QFETCH(bool, horizontal);
    QFETCH(int, categories);
    QFETCH(int, rows);
    QFETCH(QString, postfix);
    QFETCH(bool, negative);
    QFETCH(QSize, size);
    BalkenDiagram v;
    BalkenDiagram_h h;
    Diagram& d = horizontal ? static_cast<Diagram&>(h) : v;
    d.setColors(RowColors);
    TestUtil::feed(d, values(categories * rows, 28.6, negative), rows > 1 ? categories : 0,
                   ::categories(categories), rows > 1 ? QStringList{"Daten", "Normal"} : QStringList(),
                   postfix, "Titel der Ansicht");
    const QImage img = TestUtil::render(d, size);
    const QFontMetrics fm(d.font());
    const QFontMetrics titleFm(DiagramGeometry::titleFont(d.font()));
    QVector<Text> texts;
    if (horizontal) {
        const BalkenLayoutH l = h.barLayout(size, fm, titleFm);
        for (const BalkenItemH& it : l.items)
            if (it.hasValueText)
                texts << it.valueText;
        checkBarsInside(img, QRect(QPoint(l.left, 0), QPoint(l.plotWidth, l.plotHeight)),
                        l.legendBox);
        // A few bars always show their values.
        if (categories * rows <= 7 && size.height() >= 300)
            QCOMPARE(texts.size(), categories * rows);
    } else {
        const BalkenLayout l = v.barLayout(size, fm, titleFm);
        for (const BalkenItem& it : l.items)
            if (it.hasValueText)
                texts << it.valueText;
        checkBarsInside(img, QRect(QPoint(l.left, l.baseY - l.plotHeight),
                                   QPoint(l.left + l.plotWidth, l.baseY)),
                        l.legendBox);
        if (categories * rows <= 2)
            QCOMPARE(texts.size(), categories * rows);
    }
    checkTexts(img, texts, fm, true);
}

void TstChartBounds::pies_data()
{
    QTest::addColumn<int>("categories");
    QTest::addColumn<int>("rings");
    QTest::addColumn<QSize>("size");
    for (int n : {1, 3, 12, 60}) {
        for (int rings : {1, 2}) {
            QTest::addRow("%d x %d", n, rings) << n << rings << QSize(400, 300);
            QTest::addRow("%d x %d, narrow", n, rings) << n << rings << QSize(120, 300);
        }
    }
}

void TstChartBounds::pies()
{
    QFETCH(int, categories);
    QFETCH(int, rings);
    QFETCH(QSize, size);
    TortenDiagram d;
    TestUtil::feed(d, values(categories * rings, 28.6, false), rings > 1 ? categories : 0,
                   ::categories(categories), {}, "%", "Titel");
    const QImage img = TestUtil::render(d, size);
    const QFontMetrics fm(d.font());
    const TortenLayout l = d.pieLayout(size, fm, QFontMetrics(DiagramGeometry::titleFont(d.font())));
    if (categories <= 3 && rings == 1 && size.width() >= 400)
        QCOMPARE(l.valueTexts.size(), categories);
    QVERIFY(!l.valueTexts.isEmpty());
    // Slices lie under the texts by design; texts are drawn over them, whole.
    checkTexts(img, l.valueTexts, fm, false);
    for (const Text& t : l.valueTexts)
        QVERIFY2(wholeIn(img, t, d.font()), qPrintable(t.text));
}

// A row whose values do not all have the same sign has shares beyond 100 %: its column
// still stays between the top and the foot of the chart.
void TstChartBounds::stackedColumnsInside()
{
    ExcelBalkenDiagram d;
    const QSize size(300, 200);
    TestUtil::feed(d, {5, -4, 2, 2, 1, -3}, 2);
    const QImage img = TestUtil::render(d, size);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            if ((img.pixel(x, y) & 0xffffff) != 0xffffff)
                QVERIFY2(y >= 10 && y < size.height() - 10,
                         qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
}

QTEST_MAIN(TstChartBounds)
#include "tst_chartbounds.moc"
