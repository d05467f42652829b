// The pie, the table, the stacked 100 % columns and the Xmas picture, and that every
// painted chart shows on screen what its paint path draws.

#include <QLabel>
#include <QPainter>
#include <QTableWidget>
#include <QTest>
#include <cmath>
#include <limits>

#include "diagrams/balkendiagram.h"
#include "diagrams/balkendiagram_h.h"
#include "diagrams/diagramgeometry.h"
#include "diagrams/excelbalkendiagram.h"
#include "diagrams/tabellendiagramm.h"
#include "diagrams/tortendiagram.h"
#include "diagrams/xmasdiagram.h"
#include "analyses/viewtypes.h"
#include "tests/helpers/testutil.h"

namespace {

const double NaN = std::numeric_limits<double>::quiet_NaN();

using TestUtil::feed;

TortenLayout pie(const TortenDiagram& d, const QSize& s)
{
    return d.pieLayout(s, QFontMetrics(d.font()),
                       QFontMetrics(DiagramGeometry::titleFont(d.font())));
}

// The pixel at the given angle (degrees, counter-clockwise from 3 o'clock) and
// fraction of the radius inside a pie square.
QPoint polar(const QRect& square, double degrees, double fraction)
{
    const double r = square.width() / 2.0 * fraction;
    const double a = degrees * M_PI / 180;
    return QPoint(int(square.x() + square.width() / 2.0 + r * std::cos(a)),
                  int(square.y() + square.height() / 2.0 - r * std::sin(a)));
}

bool allWhite(const QImage& img)
{
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (!TestUtil::isColor(img, x, y, Qt::white))
                return false;
    return true;
}

QStringList texts(const QVector<DiagramGeometry::Text>& list)
{
    QStringList out;
    for (const auto& t : list)
        out << t.text;
    return out;
}

} // namespace

class TstCharts : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void pieSpans();
    void pieZeroSlicesKeepColours();
    void pieBlank_data();
    void pieBlank();
    void pieTwentyColours();
    void pieRings();
    void pieRingTexts();
    void pieRingWithoutTotal();
    void pieTitleAndTexts();
    void pieLongLegend();

    void tableTexts();
    void tableWithoutRowLabels();
    void germanDesktopTexts();
    void tableFollowsOnlySetData();
    void tableHeadersFollowLabels();

    void stackedShares();
    void stackedColumns();
    void stackedWithoutShares();

    void xmasFixed();

    void screenMatchesPaint_data();
    void screenMatchesPaint();
};

void TstCharts::initTestCase()
{
    QLocale::setDefault(QLocale::c());
}

void TstCharts::pieSpans()
{
    TortenDiagram d;
    feed(d, {1, 1, 2}, 0, {"P", "Q", "R"});
    const QSize size(400, 300);
    const TortenLayout l = pie(d, size);
    QCOMPARE(l.slices.size(), 3);
    const int spans[] = {1440, 1440, 2880};
    const int starts[] = {0, 1440, 2880};
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(l.slices.at(i).span, spans[i]);
        QCOMPARE(l.slices.at(i).startAngle, starts[i]);
        QCOMPARE(l.slices.at(i).position, i);
    }
    QCOMPARE(texts(l.legend), QStringList({"P", "Q", "R"}));
    QCOMPARE(d.colorAt(l.legend.at(0).colorIndex), QColor(Qt::red));
    QCOMPARE(d.colorAt(l.legend.at(1).colorIndex), QColor(Qt::blue));
    QCOMPARE(d.colorAt(l.legend.at(2).colorIndex), QColor(Qt::cyan));

    // Pie square and legend from the metrics.
    const QFontMetrics fm(d.font());
    const int titleH = QFontMetrics(DiagramGeometry::titleFont(d.font())).height();
    // Each legend entry is a colour square and its label.
    const int lw = std::max(20, std::max({fm.horizontalAdvance("P"), fm.horizontalAdvance("Q"),
                                          fm.horizontalAdvance("R")})
                                    + DiagramGeometry::swatchRoom(fm));
    QCOMPARE(l.legendWidth, lw);
    QCOMPARE(l.legendFrame, QRect(400 - lw - 12, titleH + 5, lw + 5, 3 * fm.height() + 10));
    const int d0 = std::min(300 - 10 - titleH, 400 - lw - 20);
    QCOMPARE(l.ringSquares, QVector<QRect>({QRect(5, titleH + 5, d0, d0)}));
    for (int i = 0; i < 3; ++i)
        QCOMPARE(l.legend.at(i).pos, QPoint(400 - lw - 10, titleH + 5 + (i + 1) * fm.height()));

    const QImage img = TestUtil::render(d, size);
    const QRect sq = l.ringSquares.at(0);
    QVERIFY(TestUtil::isColor(img, polar(sq, 45, 0.9).x(), polar(sq, 45, 0.9).y(), Qt::red));
    QVERIFY(TestUtil::isColor(img, polar(sq, 135, 0.9).x(), polar(sq, 135, 0.9).y(), Qt::blue));
    QVERIFY(TestUtil::isColor(img, polar(sq, 250, 0.9).x(), polar(sq, 250, 0.9).y(), Qt::cyan));
}

void TstCharts::pieZeroSlicesKeepColours()
{
    TortenDiagram d;
    const QSize size(400, 300);
    for (const double gap : {0.0, NaN}) {
        feed(d, {gap, 3, 1}, 0, {"P", "Q", "R"});
        const TortenLayout l = pie(d, size);
        QCOMPARE(l.slices.size(), 2);
        QCOMPARE(l.slices.at(0).position, 1);
        QCOMPARE(l.slices.at(0).startAngle, 0);
        QCOMPARE(l.slices.at(0).span, 4320);
        QCOMPARE(l.slices.at(1).position, 2);
        QCOMPARE(texts(l.legend), QStringList({"Q", "R"}));
        QCOMPARE(d.colorAt(l.legend.at(0).colorIndex), QColor(Qt::blue));
        QCOMPARE(l.valueTexts.size(), 2);
        QCOMPARE(texts(l.valueTexts), QStringList({"3", "1"}));
        const QImage img = TestUtil::render(d, size);
        const QPoint p = polar(l.ringSquares.at(0), 100, 0.9);
        QVERIFY(TestUtil::isColor(img, p.x(), p.y(), Qt::blue));
    }
}

void TstCharts::pieBlank_data()
{
    QTest::addColumn<QVector<double>>("values");
    QTest::addColumn<int>("rowWidth");
    QTest::newRow("no values") << QVector<double>() << 0;
    QTest::newRow("all zero") << QVector<double>{0, 0, 0} << 0;
    QTest::newRow("first ring cancels out") << QVector<double>{2, -2, 1, 1} << 2;
    QTest::newRow("only NaN") << QVector<double>{NaN} << 0;
}

void TstCharts::pieBlank()
{
    QFETCH(QVector<double>, values);
    QFETCH(int, rowWidth);
    TortenDiagram d;
    feed(d, values, rowWidth, {"a", "b"}, {}, {}, "Ein Titel");
    QVERIFY(pie(d, QSize(200, 200)).blank);
    QImage img(200, 200, QImage::Format_ARGB32);
    img.fill(Qt::green);
    QPainter p(&img);
    d.paint(p, img.size());
    p.end();
    QVERIFY(allWhite(img));
}

void TstCharts::pieTwentyColours()
{
    TortenDiagram d;
    QCOMPARE(d.colorList().size(), 20);
    QVector<double> values(21, 1.0);
    feed(d, values);
    const TortenLayout l = pie(d, QSize(400, 300));
    QCOMPARE(l.slices.size(), 21);
    QCOMPARE(d.colorAt(l.slices.at(10).position), QColor(Qt::red));
    QCOMPARE(d.colorAt(l.slices.at(11).position), QColor(Qt::blue));
    QCOMPARE(d.colorAt(l.slices.at(20).position), QColor(Qt::red));
    // The eleventh slice has a slot of its own.
    QList<QColor> c = d.colorList();
    c[0] = Qt::black;
    d.setColors(c);
    QCOMPARE(d.colorAt(10), QColor(Qt::red));
    QCOMPARE(d.colorAt(20), QColor(Qt::black));
}

void TstCharts::pieRings()
{
    TortenDiagram d;
    feed(d, {1, 1, 1, 3}, 2, {"a", "b"});
    const QSize size(400, 320);
    const TortenLayout l = pie(d, size);
    QCOMPARE(l.ringSquares.size(), 2);
    const QRect outer = l.ringSquares.at(0);
    const int d0 = outer.width();
    QCOMPARE(l.ringSquares.at(1), QRect(outer.x() + d0 / 8, outer.y() + d0 / 8,
                                        int(0.75 * d0), int(0.75 * d0)));
    QCOMPARE(l.slices.size(), 4);
    const int spans[] = {2880, 2880, 1440, 4320};
    const int starts[] = {0, 2880, 0, 1440};
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(l.slices.at(i).span, spans[i]);
        QCOMPARE(l.slices.at(i).startAngle, starts[i]);
        QCOMPARE(l.slices.at(i).ring, i / 2);
        QCOMPARE(l.slices.at(i).position, i % 2);
        QCOMPARE(l.slices.at(i).square, l.ringSquares.at(i / 2));
    }
    QCOMPARE(texts(l.legend), QStringList({"a", "b"}));

    // The outer ring stays visible as a band around the inner pie.
    const QImage img = TestUtil::render(d, size);
    auto at = [&](double deg, double frac) { return polar(outer, deg, frac); };
    QVERIFY(TestUtil::isColor(img, at(100, 0.9).x(), at(100, 0.9).y(), Qt::red));
    QVERIFY(TestUtil::isColor(img, at(260, 0.9).x(), at(260, 0.9).y(), Qt::blue));
    QVERIFY(TestUtil::isColor(img, at(45, 0.3).x(), at(45, 0.3).y(), Qt::red));
    QVERIFY(TestUtil::isColor(img, at(135, 0.3).x(), at(135, 0.3).y(), Qt::blue));
}

void TstCharts::pieRingTexts()
{
    TortenDiagram d;
    feed(d, {1, 1, 1, 3, 2, 1}, 2, {}, {}, "%");
    const QSize size(400, 320);
    const TortenLayout l = pie(d, size);
    const QFontMetrics fm(d.font());
    QCOMPARE(l.ringSquares.size(), 3);
    QCOMPARE(l.valueTexts.size(), 6);
    // Every text stands at 3/8 of its own ring's diameter from that ring's centre, in
    // the middle direction of its slice (the outer ring's offsets hold for all rings).
    const QRect outer = l.ringSquares.at(0);
    for (int i = 0; i < 6; ++i) {
        const TortenSlice& s = l.slices.at(i);
        const QRect sq = l.ringSquares.at(s.ring);
        const double mid = (s.startAngle + s.span / 2.0) / 16 * M_PI / 180;
        const int r = 3 * sq.width() / 8;
        const int t = fm.horizontalAdvance(l.valueTexts.at(i).text);
        const double cx = sq.x() + sq.width() / 2 + r * std::cos(mid) - t / 2;
        const double cy = sq.y() - outer.y() + 15 + sq.width() / 2 - r * std::sin(mid) + fm.height();
        QVERIFY2(std::abs(l.valueTexts.at(i).pos.x() - cx) <= 2, qPrintable(QString::number(i)));
        QVERIFY2(std::abs(l.valueTexts.at(i).pos.y() - cy) <= 2, qPrintable(QString::number(i)));
    }

    // The outer ring's texts reach into the inner pie and stay readable there: texts
    // are drawn after every slice.
    feed(d, {1, 1, 1, 1}, 2, {}, {}, "%");
    const TortenLayout two = pie(d, size);
    const QImage img = TestUtil::render(d, size);
    const QRect inner = two.ringSquares.at(1);
    const QPointF c = QRectF(inner).center();
    const DiagramGeometry::Text& top = two.valueTexts.at(0);
    const QRect box = fm.boundingRect(top.text).translated(top.pos);
    int blackInside = 0;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            if (std::hypot(x - c.x(), y - c.y()) < inner.width() / 2.0 - 2
                && TestUtil::isColor(img, x, y, Qt::black))
                ++blackInside;
    QVERIFY(blackInside > 0);
}

void TstCharts::pieRingWithoutTotal()
{
    TortenDiagram d;
    feed(d, {1, 3, 2, -2, 1, 1}, 2);
    const TortenLayout l = pie(d, QSize(400, 320));
    QCOMPARE(l.ringSquares.size(), 3);
    // The middle ring has no shares: no slices, no texts; the inner ring still shrinks.
    QCOMPARE(l.slices.size(), 4);
    QCOMPARE(l.slices.at(2).ring, 2);
    QCOMPARE(l.slices.at(2).square, l.ringSquares.at(2));
    QCOMPARE(l.valueTexts.size(), 4);
    const QImage img = TestUtil::render(d, QSize(400, 320));
    // Where the middle ring would be, the outer slice shows through.
    const QPoint p = polar(l.ringSquares.at(0), 270, 0.6);
    QVERIFY(TestUtil::isColor(img, p.x(), p.y(), Qt::blue));
}

void TstCharts::pieTitleAndTexts()
{
    TortenDiagram d;
    const QFontMetrics fm(d.font());
    const QFontMetrics tfm(DiagramGeometry::titleFont(d.font()));
    const QString longTitle = QStringLiteral("Ein Titel, der breiter ist als das ganze Diagramm");
    QVERIFY(tfm.horizontalAdvance(longTitle) > 190);
    feed(d, {1}, 0, {}, {}, "%", longTitle);
    TortenLayout l = pie(d, QSize(200, 200));
    QCOMPARE(l.title.pos, QPoint(5, tfm.height()));
    QVERIFY(tfm.horizontalAdvance(l.title.text) <= 190);
    QVERIFY(!l.hasLegendFrame);

    feed(d, {1}, 0, {}, {}, "%", "Kurz");
    l = pie(d, QSize(200, 200));
    QCOMPARE(l.title.pos, QPoint((200 - 10 - tfm.horizontalAdvance("Kurz")) / 2, tfm.height()));
    // A whole pie's text lies to the left of the centre, at 3/8 of the diameter.
    QCOMPARE(l.valueTexts.size(), 1);
    QCOMPARE(l.valueTexts.at(0).text, QStringLiteral("1%"));
    const int dd = l.ringSquares.at(0).width();
    const int t = fm.horizontalAdvance("1%");
    QVERIFY(std::abs(l.valueTexts.at(0).pos.x() - (5 + dd / 2 - 3 * dd / 8 - t / 2)) <= 1);
    QVERIFY(std::abs(l.valueTexts.at(0).pos.y() - (15 + dd / 2 + fm.height())) <= 1);
    QCOMPARE(l.legend.at(0).text, QStringLiteral("0"));   // no label: its position
}

void TstCharts::pieLongLegend()
{
    // A legend wider than half the room beside the pie is held to that half, elided.
    TortenDiagram d;
    const QFontMetrics fm(d.font());
    const QString longLabel = QStringLiteral("Stimme voll und ganz zu, mit allem Nachdruck");
    feed(d, {1, 2}, 0, {longLabel, "b"});
    const TortenLayout l = pie(d, QSize(200, 200));
    QVERIFY(fm.horizontalAdvance(longLabel) > 90);
    QCOMPARE(l.legendWidth, 90);
    QCOMPARE(l.ringSquares.at(0).width(), 200 - 90 - 20);
    QVERIFY(l.legend.at(0).text.endsWith(QChar(0x2026)));
    QVERIFY(fm.horizontalAdvance(l.legend.at(0).text) <= 90);
    QCOMPARE(l.legend.at(1).text, QStringLiteral("b"));
}

void TstCharts::tableTexts()
{
    TabellenDiagramm d;
    feed(d, {1, 2, 3, 4}, 2, {"a", "b"}, {"r1", "r2"}, "%", "T");
    QCOMPARE(d.tableWidget()->rowCount(), 2);
    QCOMPARE(d.tableWidget()->columnCount(), 2);
    QCOMPARE(d.toText(), QStringLiteral("\ta\tb\nr1\t1%\t2%\nr2\t3%\t4%\n"));
    QCOMPARE(d.toHTML(), QStringLiteral("<TABLE><TR><TD></TD><TD>a</TD><TD>b</TD></TR>"
                                        "<TR><TD>r1</TD><TD>1%</TD><TD>2%</TD></TR>"
                                        "<TR><TD>r2</TD><TD>3%</TD><TD>4%</TD></TR></TABLE>"));
    QCOMPARE(d.tableWidget()->item(0, 1)->data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignRight));
    QCOMPARE(d.titleLabelWidget()->text(), QStringLiteral("T"));
    QCOMPARE(d.titleLabelWidget()->alignment(), Qt::AlignHCenter | Qt::AlignVCenter);

    // General format with six digits; NaN as the toolkit writes it; no escaping.
    feed(d, {1234567, 0.5, NaN}, 0, {"<b>"});
    QCOMPARE(d.toText(), QStringLiteral("\t<b>\t\t\n\t1.23457e+06\t0.5\tnan\n"));
    // Five values in rows of two: the fifth is not shown.
    feed(d, {1, 2, 3, 4, 5}, 2);
    QCOMPARE(d.tableWidget()->rowCount(), 2);
    QCOMPARE(d.toText(), QStringLiteral("\t\t\n\t1\t2\n\t3\t4\n"));
}

void TstCharts::germanDesktopTexts()
{
    // The same digits with the desktop's decimal comma, in every chart's value texts.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QVector<double> shares{400.0 / 15, 1100.0 / 15};
    TortenDiagram torte;
    feed(torte, shares, 0, {"ja", "nein"}, {}, "%");
    TabellenDiagramm tabelle;
    feed(tabelle, shares, 0, {"ja", "nein"}, {}, "%");
    const QString bar = DiagramGeometry::valueText(shares.first(), "%");
    const QStringList pieTexts = texts(pie(torte, QSize(300, 200)).valueTexts);
    QLocale::setDefault(QLocale::c());
    QCOMPARE(pieTexts, QStringList({"26,6667%", "73,3333%"}));
    QCOMPARE(tabelle.toText(), QStringLiteral("\tja\tnein\n\t26,6667%\t73,3333%\n"));
    QCOMPARE(bar, QStringLiteral("26,7%"));
}

void TstCharts::tableWithoutRowLabels()
{
    TabellenDiagramm d;
    feed(d, {1, 2, 3, 4}, 2, {"a", "b"});
    QCOMPARE(d.toText(), QStringLiteral("\ta\tb\n\t1\t2\n\t3\t4\n"));
    QCOMPARE(d.toHTML(), QStringLiteral("<TABLE><TR><TD></TD><TD>a</TD><TD>b</TD></TR>"
                                        "<TR><TD></TD><TD>1</TD><TD>2</TD></TR>"
                                        "<TR><TD></TD><TD>3</TD><TD>4</TD></TR></TABLE>"));
    // Extra labels have no column to name.
    feed(d, {1, 2}, 0, {"a", "b", "c"}, {"r", "s"});
    QCOMPARE(d.toText(), QStringLiteral("\ta\tb\nr\t1\t2\n"));
}

void TstCharts::tableFollowsOnlySetData()
{
    TabellenDiagramm d;
    feed(d, {1, 2}, 0, {"a", "b"}, {}, {}, "alt");
    d.setTitle("neu");
    d.setLabels({"x", "y"});
    d.setValuePostfix("%");
    QCOMPARE(d.titleLabelWidget()->text(), QStringLiteral("alt"));
    QCOMPARE(d.toText(), QStringLiteral("\ta\tb\n\t1\t2\n"));
    d.setData({1, 2});
    QCOMPARE(d.titleLabelWidget()->text(), QStringLiteral("neu"));
    QCOMPARE(d.toText(), QStringLiteral("\tx\ty\n\t1%\t2%\n"));
}

void TstCharts::tableHeadersFollowLabels()
{
    // Headers of a previous fill do not linger when the labels shrink.
    TabellenDiagramm d;
    feed(d, {1, 2}, 0, {"a", "b"}, {"r"});
    feed(d, {3, 4}, 0, {"c"});
    QCOMPARE(d.toText(), QStringLiteral("\tc\t\n\t3\t4\n"));
}

void TstCharts::stackedShares()
{
    ExcelBalkenDiagram d;
    feed(d, {1, 3}, 2);
    const QSize size(220, 120);
    const ExcelLayout l = d.columnLayout(size);
    QCOMPARE(l.columns, 1);
    QCOMPARE(l.columnWidth, 100);
    QCOMPARE(l.segments.size(), 2);
    QCOMPARE(l.segments.at(0).rect, QRect(50, 10, 100, 25));
    QCOMPARE(l.segments.at(1).rect, QRect(50, 35, 100, 75));
    const QImage img = TestUtil::render(d, size);
    QVERIFY(TestUtil::isColor(img, 100, 20, Qt::red));
    QVERIFY(TestUtil::isColor(img, 100, 100, Qt::blue));
    QVERIFY(TestUtil::isColor(img, 100, 5, Qt::white));
    QVERIFY(TestUtil::isColor(img, 40, 60, Qt::white));

    // NaN has no segment, the rest share the column.
    feed(d, {NaN, 1, 1}, 3);
    const ExcelLayout n = d.columnLayout(size);
    QCOMPARE(n.segments.size(), 2);
    QCOMPARE(n.segments.at(0).position, 1);
    QCOMPARE(n.segments.at(0).rect.y(), 10);
    QCOMPARE(n.segments.at(0).rect.height(), 50);
}

void TstCharts::stackedColumns()
{
    ExcelBalkenDiagram d;
    feed(d, {1, 1, 2, 2}, 2);
    const QSize size(420, 220);
    const ExcelLayout l = d.columnLayout(size);
    QCOMPARE(l.columns, 2);
    QCOMPARE(l.columnWidth, 100);
    QCOMPARE(l.columnX, QVector<int>({50, 250}));
    QCOMPARE(l.segments.size(), 4);
    for (const ExcelSegment& s : l.segments)
        QCOMPARE(s.rect.height(), 100);
    QCOMPARE(l.segments.at(3).rect, QRect(250, 110, 100, 100));
    const QImage img = TestUtil::render(d, size);
    QVERIFY(TestUtil::isColor(img, 300, 50, Qt::red));
    QVERIFY(TestUtil::isColor(img, 300, 150, Qt::blue));
    QVERIFY(TestUtil::isColor(img, 200, 100, Qt::white));

    // Without a row length all values form one column.
    feed(d, {1, 1, 2});
    const ExcelLayout one = d.columnLayout(size);
    QCOMPARE(one.columns, 1);
    QCOMPARE(one.columnWidth, 200);
    QCOMPARE(one.segments.size(), 3);
}

void TstCharts::stackedWithoutShares()
{
    ExcelBalkenDiagram d;
    // A zero row sum leaves its column empty; the next column is still drawn.
    feed(d, {0, 0, 1, 1}, 2);
    const ExcelLayout l = d.columnLayout(QSize(420, 220));
    QCOMPARE(l.segments.size(), 2);
    QCOMPARE(l.segments.at(0).column, 1);
    const QImage img = TestUtil::render(d, QSize(420, 220));
    QVERIFY(TestUtil::isColor(img, 100, 100, Qt::white));

    for (const QVector<double>& v : {QVector<double>(), QVector<double>{1, 2}}) {
        feed(d, v, 3); // no complete row
        QCOMPARE(d.columnLayout(QSize(200, 200)).segments.size(), 0);
        QVERIFY(allWhite(TestUtil::render(d, QSize(200, 200))));
    }
}

void TstCharts::xmasFixed()
{
    XmasDiagram d;
    QCOMPARE(d.size(), QSize(150, 280));
    QCOMPARE(d.minimumSize(), QSize(150, 280));
    QCOMPARE(d.maximumSize(), QSize(150, 280));
    d.resize(400, 400);
    QCOMPARE(d.size(), QSize(150, 280));

    const QImage plain = TestUtil::render(d, d.size());
    feed(d, {1, 2, 3}, 1, {"a"}, {"r"}, "%", "Titel");
    QCOMPARE(TestUtil::render(d, d.size()), plain);

    QVERIFY(TestUtil::isColor(plain, 140, 270, Qt::blue));
    QVERIFY(TestUtil::isColor(plain, 75, 150, Qt::green));
    QVERIFY(TestUtil::isColor(plain, 75, 260, QColor(240, 100, 0)));
    QVERIFY(TestUtil::isColor(plain, 120, 60, Qt::yellow));
    QVERIFY(TestUtil::isColor(plain, 15, 40, QColor(240, 100, 0)));
    const XmasLayout l = XmasDiagram::pictureLayout();
    QCOMPARE(l.ornament.size(), 12);
    QCOMPARE(l.star.size(), 16);
    QCOMPARE(l.star.at(0), QPoint(150, 60));
    QCOMPARE(l.star.at(1), QPoint(int(120 + 10 * std::cos(0.39269908125)),
                                  int(60 + 10 * std::sin(0.39269908125))));
    QCOMPARE(l.star.at(8), QPoint(int(120 + 30 * std::cos(4 * 0.7853981625)),
                                  int(60 + 30 * std::sin(4 * 0.7853981625))));
}

void TstCharts::screenMatchesPaint_data()
{
    QTest::addColumn<QString>("type");
    // Every diagram type that paints itself; the table draws through child widgets.
    for (const QString& name : ViewTypes::diagramNames())
        if (name != "Tabelle")
            QTest::newRow(qPrintable(name)) << name;
}

void TstCharts::screenMatchesPaint()
{
    QFETCH(QString, type);
    std::unique_ptr<Diagram> d(ViewTypes::makeDiagram(type));
    QVERIFY(d);
    feed(*d, {3, 1, 2, 2, 4, 1}, 3, {"a", "b", "c"}, {"r1", "r2"}, "%", "Titel");
    d->resize(260, 200);
    const QImage grabbed = d->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    const QImage painted = TestUtil::render(*d, d->size());
    QCOMPARE(grabbed.size(), painted.size());
    QCOMPARE(grabbed, painted);
}

QTEST_MAIN(TstCharts)
#include "tst_charts.moc"
