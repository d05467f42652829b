// What the bar charts write beside their bars: axis numbers clear of every line, value
// texts without a decimal for counts, category labels that do not run into each other.

#include <QImage>
#include <QPainter>
#include <QSvgGenerator>
#include <QSvgRenderer>
#include <QTest>
#include <algorithm>

#include "diagrams/balkendiagram.h"
#include "diagrams/balkendiagram_h.h"
#include "diagrams/diagramgeometry.h"
#include "diagrams/viewpicture.h"
#include "tests/helpers/testutil.h"

using DiagramGeometry::Text;
using TestUtil::feed;

namespace {

// Metrics of the device the pictures are painted on, so that the layout asserted is
// the one drawn.
struct Surface {
    QImage img{1, 1, QImage::Format_ARGB32};
    QFontMetrics fm(const Diagram& d) const { return QFontMetrics(d.font(), &img); }
    QFontMetrics tfm(const Diagram& d) const
    {
        return QFontMetrics(DiagramGeometry::titleFont(d.font()), &img);
    }
};

// Whether the axis-parallel line touches the rectangle (both inclusive of their ends).
bool crosses(const QLine& line, const QRect& r)
{
    const QRect span(QPoint(std::min(line.x1(), line.x2()), std::min(line.y1(), line.y2())),
                     QPoint(std::max(line.x1(), line.x2()), std::max(line.y1(), line.y2())));
    return span.intersects(r);
}

bool dark(const QImage& img, int x, int y)
{
    return qGray(img.pixel(x, y)) < 128;
}

bool white(const QImage& img, int x, int y)
{
    return (img.pixel(x, y) & 0xffffff) == 0xffffff;
}

// The SVG a view is exported and copied as, drawn back into a picture.
QImage fromSvg(Diagram& d, const QSize& size)
{
    QSvgRenderer svg(ViewPicture::svgOf(&d, size, QString()));
    QImage img(size, QImage::Format_ARGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    svg.render(&p);
    return img;
}

QStringList valueTexts(const BalkenLayout& l)
{
    QStringList out;
    for (const BalkenItem& it : l.items)
        if (it.hasValueText)
            out << it.valueText.text;
    return out;
}

QStringList valueTexts(const BalkenLayoutH& l)
{
    QStringList out;
    for (const BalkenItemH& it : l.items)
        if (it.hasValueText)
            out << it.valueText.text;
    return out;
}

} // namespace

class TstBarLabels : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void axisNumbersClearOfLines_data();
    void axisNumbersClearOfLines();
    void valueDecimals_data();
    void valueDecimals();
    void countsWithoutDecimal_data();
    void countsWithoutDecimal();
    void labelStride_data();
    void labelStride();
    void crowdedLabelsThinned();
};

void TstBarLabels::axisNumbersClearOfLines_data()
{
    QTest::addColumn<bool>("vertical");
    QTest::addColumn<QVector<double>>("values");
    QTest::addColumn<QString>("postfix");
    QTest::addColumn<QStringList>("rowLabels");
    QTest::addColumn<QSize>("size");

    QTest::newRow("counts") << true << QVector<double>{52, 17, 33} << QString() << QStringList()
                            << QSize(400, 300);
    QTest::newRow("percent") << true << QVector<double>{62.5, 37.5} << QString("%") << QStringList()
                             << QSize(400, 300);
    QTest::newRow("weighted, legend") << true << QVector<double>{1.5, 2.25, 0.5, 3}
                                      << QString() << QStringList{"ja", "nein"} << QSize(500, 260);
    QTest::newRow("thousands") << true << QVector<double>{12000, 4000} << QString() << QStringList()
                               << QSize(300, 500);
    QTest::newRow("horizontal counts") << false << QVector<double>{52, 17, 33} << QString()
                                       << QStringList() << QSize(400, 300);
    QTest::newRow("horizontal percent") << false << QVector<double>{62.5, 37.5} << QString("%")
                                        << QStringList{"r"} << QSize(400, 300);
}

// Every axis number stands beside its grid line, centred on it, and no grid line, axis
// or base line runs through it; on the picture the line's pixel row is not inked
// across the number, and the gap before the axis is white.
void TstBarLabels::axisNumbersClearOfLines()
{
    QFETCH(bool, vertical);
    QFETCH(QVector<double>, values);
    QFETCH(QString, postfix);
    QFETCH(QStringList, rowLabels);
    QFETCH(QSize, size);
    const int rowWidth = rowLabels.size() > 1 ? int(values.size() / rowLabels.size()) : 0;
    Surface s;

    if (vertical) {
        BalkenDiagram d;
        feed(d, values, rowWidth, {"a", "b"}, rowLabels, postfix, "Titel");
        const QFontMetrics fm = s.fm(d);
        const BalkenLayout l = d.barLayout(size, fm, s.tfm(d));
        QVERIFY(!l.axisTexts.isEmpty());
        QCOMPARE(l.axisTexts.size(), l.grid.size());
        QVector<QLine> lines = l.grid;
        lines << l.baseLine << l.axisLine;
        QVERIFY(!l.axisLine.isNull());
        const QImage img = TestUtil::render(d, size);
        for (int i = 0; i < l.axisTexts.size(); ++i) {
            const QRect box = DiagramGeometry::textBox(l.axisTexts.at(i), fm);
            const int y = l.grid.at(i).y1();
            for (const QLine& line : lines)
                QVERIFY2(!crosses(line, box),
                         qPrintable(l.axisTexts.at(i).text + " crossed by a line"));
            // Left of the axis, its middle on its line.
            QVERIFY(box.right() < l.left);
            QVERIFY(box.left() >= 0);
            QVERIFY(qAbs(box.center().y() - y) <= 1);
            bool clear = false;
            for (int x = box.left(); x <= box.right(); ++x)
                clear = clear || !dark(img, x, y);
            QVERIFY2(clear, qPrintable(l.axisTexts.at(i).text + " struck through"));
            QVERIFY(!dark(img, l.left - 1, y));
            QVERIFY(dark(img, l.left + 1, y));
        }
        // The vector path (SVG, like the PDF) measures with its own device and draws
        // the same: the lines begin at the axis, no number is crossed, and the gap
        // before the axis stays white (antialiased lines may grey pixels next to them).
        QSvgGenerator device;
        device.setSize(size);
        const QFontMetrics vfm(d.font(), &device);
        const BalkenLayout v = d.barLayout(size, vfm,
                                           QFontMetrics(DiagramGeometry::titleFont(d.font()), &device));
        const QImage svg = fromSvg(d, size);
        for (int i = 0; i < v.grid.size(); ++i) {
            QVERIFY(white(svg, v.left - 2, v.grid.at(i).y1()));
            QVERIFY(!white(svg, v.left + 2, v.grid.at(i).y1()));
            for (const QLine& line : v.grid)
                QVERIFY(!crosses(line, DiagramGeometry::textBox(v.axisTexts.at(i), vfm)));
        }
        // Neighbouring numbers do not overlap either.
        for (int i = 1; i < l.axisTexts.size(); ++i)
            QVERIFY(!DiagramGeometry::textBox(l.axisTexts.at(i), fm)
                         .intersects(DiagramGeometry::textBox(l.axisTexts.at(i - 1), fm)));
    } else {
        BalkenDiagram_h d;
        feed(d, values, rowWidth, {"a", "b"}, rowLabels, postfix, "Titel");
        const QFontMetrics fm = s.fm(d);
        const BalkenLayoutH l = d.barLayout(size, fm, s.tfm(d));
        QVERIFY(!l.axisTexts.isEmpty());
        QVector<QLine> lines = l.grid;
        lines << l.baseLine;
        for (const Text& t : l.axisTexts) {
            const QRect box = DiagramGeometry::textBox(t, fm);
            for (const QLine& line : lines)
                QVERIFY2(!crosses(line, box), qPrintable(t.text + " crossed by a line"));
            QVERIFY(box.top() > l.plotHeight);
        }
        // Each number under its line (the first under the base line), the middle ones
        // centred on it.
        for (int i = 1; i + 1 < l.axisTexts.size(); ++i) {
            const QRect box = DiagramGeometry::textBox(l.axisTexts.at(i), s.fm(d));
            QVERIFY(qAbs(box.center().x() - l.grid.at(i - 1).x1()) <= 1);
        }
    }
}

void TstBarLabels::valueDecimals_data()
{
    QTest::addColumn<QVector<double>>("values");
    QTest::addColumn<QString>("postfix");
    QTest::addColumn<int>("decimals");
    QTest::newRow("counts") << QVector<double>{52, 0, 3} << QString() << 0;
    QTest::newRow("counts with a unit") << QVector<double>{52, 3} << QString(" Stk") << 0;
    QTest::newRow("weighted sums") << QVector<double>{52.4, 3} << QString() << 1;
    QTest::newRow("NaN among counts") << QVector<double>{qQNaN(), 3} << QString() << 0;
    QTest::newRow("percentages") << QVector<double>{50, 50} << QString("%") << 1;
    QTest::newRow("empty") << QVector<double>{} << QString() << 0;
}

void TstBarLabels::valueDecimals()
{
    QFETCH(QVector<double>, values);
    QFETCH(QString, postfix);
    QFETCH(int, decimals);
    QCOMPARE(DiagramGeometry::valueDecimals(values, postfix), decimals);
}

void TstBarLabels::countsWithoutDecimal_data()
{
    QTest::addColumn<QVector<double>>("values");
    QTest::addColumn<QString>("postfix");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("unweighted counts") << QVector<double>{52, 7} << QString()
                                       << QStringList{"52", "7"};
    QTest::newRow("weighted sums") << QVector<double>{52.4, 7} << QString()
                                   << QStringList{"52.4", "7.0"};
    QTest::newRow("percent") << QVector<double>{88, 12} << QString("%")
                             << QStringList{"88.0%", "12.0%"};
}

// Both bar charts label the same values the same way.
void TstBarLabels::countsWithoutDecimal()
{
    QFETCH(QVector<double>, values);
    QFETCH(QString, postfix);
    QFETCH(QStringList, texts);
    Surface s;
    const QSize size(600, 400);
    BalkenDiagram v;
    feed(v, values, 0, {"ja", "nein"}, {}, postfix);
    QCOMPARE(valueTexts(v.barLayout(size, s.fm(v), s.tfm(v))), texts);
    BalkenDiagram_h h;
    feed(h, values, 0, {"ja", "nein"}, {}, postfix);
    QCOMPARE(valueTexts(h.barLayout(size, s.fm(h), s.tfm(h))), texts);
}

void TstBarLabels::labelStride_data()
{
    QTest::addColumn<int>("pitch");
    QTest::addColumn<int>("lineHeight");
    QTest::addColumn<int>("stride");
    QTest::newRow("room for all") << 20 << 15 << 1;
    QTest::newRow("exactly a line") << 15 << 15 << 1;
    QTest::newRow("a pixel short") << 14 << 15 << 2;
    QTest::newRow("half") << 7 << 14 << 2;
    QTest::newRow("one pixel") << 1 << 15 << 15;
    QTest::newRow("same row") << 0 << 15 << 0;
}

void TstBarLabels::labelStride()
{
    QFETCH(int, pitch);
    QFETCH(int, lineHeight);
    QFETCH(int, stride);
    QCOMPARE(DiagramGeometry::labelStride(pitch, lineHeight), stride);
}

// Hundreds of categories on a report picture: the labels drawn are at least a line of
// text apart, every stride-th from the first, and the first is kept.
void TstBarLabels::crowdedLabelsThinned()
{
    Surface s;
    for (int categories : {300, 40, 3}) {
        QVector<double> values;
        QStringList labels;
        for (int i = 0; i < categories; ++i) {
            values << 1 + i % 5;
            labels << QStringLiteral("Antwort %1").arg(i);
        }
        BalkenDiagram_h d;
        feed(d, values, 0, labels, {}, {}, "Freitext");
        const QSize size(800, 550);
        const QFontMetrics fm = s.fm(d);
        const BalkenLayoutH l = d.barLayout(size, fm, s.tfm(d));
        QVERIFY(l.labelStride > 0);
        int shown = 0;
        int lastY = 0;
        for (int i = 0; i < l.items.size(); ++i) {
            const BalkenItemH& it = l.items.at(i);
            QCOMPARE(it.hasLabel, i % l.labelStride == 0);
            if (!it.hasLabel)
                continue;
            QCOMPARE(it.label.text, labels.at(i));
            if (shown > 0)
                QVERIFY2(it.label.pos.y() - lastY >= fm.height(),
                         qPrintable(QString("%1 categories, label %2").arg(categories).arg(i)));
            lastY = it.label.pos.y();
            ++shown;
        }
        QVERIFY(shown >= 2);
        if (categories == 3)
            QCOMPARE(shown, 3);   // room for all: none left out
    }
}

QTEST_MAIN(TstBarLabels)
#include "tst_barlabels.moc"
