// The diagram base (fields, setters, actions, record, drag) and the two bar charts.

#include <QAction>
#include <QApplication>
#include <QDataStream>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QTest>
#include <cmath>
#include <limits>

#include "diagrams/balkendiagram.h"
#include "diagrams/balkendiagram_h.h"
#include "diagrams/diagramgeometry.h"
#include "diagrams/tabellendiagramm.h"
#include "diagrams/tortendiagram.h"
#include "tests/helpers/scriptedanswerer.h"
#include "tests/helpers/testutil.h"

namespace {

// A concrete diagram that counts its paints and remembers the unit it painted with.
class Probe : public Diagram
{
public:
    int paints = 0;
    QString paintedPostfix;

protected:
    void paintEvent(QPaintEvent*) override
    {
        ++paints;
        paintedPostfix = postfix();
    }
};

const double NaN = std::numeric_limits<double>::quiet_NaN();
const QString kRowPrompt = QStringLiteral("Zeile auswählen deren Farbe sie ändern wollen");
const QString kLabelPrompt = QStringLiteral("Zeile auswählen deren Farbe sie ändern wollen");

QList<QColor> defaultColors()
{
    return {Qt::red, Qt::blue, Qt::cyan, Qt::magenta, Qt::yellow,
            Qt::green, Qt::gray, Qt::darkBlue, Qt::darkCyan, Qt::darkMagenta};
}

QFontMetrics fm(const Diagram& d)
{
    return QFontMetrics(d.font());
}

QFontMetrics tfm(const Diagram& d)
{
    return QFontMetrics(DiagramGeometry::titleFont(d.font()));
}

BalkenLayout layoutV(const BalkenDiagram& d, const QSize& s)
{
    return d.barLayout(s, fm(d), tfm(d));
}

BalkenLayoutH layoutH(const BalkenDiagram_h& d, const QSize& s)
{
    return d.barLayout(s, fm(d), tfm(d));
}

using TestUtil::feed;

QStringList texts(const QVector<DiagramGeometry::Text>& ts)
{
    QStringList out;
    for (const auto& t : ts)
        out << t.text;
    return out;
}

QPoint centre(const QRect& r)
{
    return QPoint(r.x() + r.width() / 2, r.y() + r.height() / 2);
}

Diagram* makeDiagram(const QString& type)
{
    if (type == QLatin1String("V"))
        return new BalkenDiagram;
    if (type == QLatin1String("H"))
        return new BalkenDiagram_h;
    return new TortenDiagram;
}

void sendMouse(QWidget* w, QEvent::Type type, const QPoint& pos, Qt::MouseButton button,
               Qt::MouseButtons buttons)
{
    QMouseEvent e(type, QPointF(pos), QPointF(w->mapToGlobal(pos)), button, buttons,
                  Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

} // namespace

class TstDiagram : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void defaults();
    void settersRepaint_data();
    void settersRepaint();
    void postfixDoesNotRepaint();
    void colorAction_data();
    void colorAction();
    void fontAction();
    void recordBytes();
    void recordRoundTrip();
    void recordDamaged();
    void mimeData();
    void dragNeedsDistance();

    void percentScale_data();
    void percentScale();
    void percentBarEndsAtItsLine();
    void plainScale();
    void clusters();
    void titlePlacement();
    void longLabelsElided();
    void valueTextsAllOrNone();
    void nanAndNoScale();
    void tinySurfacesEnd_data();
    void tinySurfacesEnd();
    void emptyPaintsNothing();

    void horizontalOneValue();
    void horizontalLongLabel();
    void horizontalRows();
    void horizontalNoGridStep();
    void horizontalNanAndNoScale();
};

void TstDiagram::initTestCase()
{
    QLocale::setDefault(QLocale::c());
    // The pixel probes render into images; their metrics must match the ones the
    // layout tests use.
    QImage img(10, 10, QImage::Format_ARGB32);
    BalkenDiagram d;
    QCOMPARE(QFontMetrics(d.font(), &img).height(), fm(d).height());
    QCOMPARE(QFontMetrics(d.font(), &img).horizontalAdvance("Abc 12.5%"),
             fm(d).horizontalAdvance("Abc 12.5%"));
}

void TstDiagram::defaults()
{
    Probe p;
    QCOMPARE(p.minimumSize(), QSize(100, 140));
    QCOMPARE(p.colorList(), defaultColors());
    QVERIFY(p.values().isEmpty());
    QVERIFY(p.labelList().isEmpty());
    QVERIFY(p.colLabelList().isEmpty());
    QVERIFY(p.postfix().isEmpty());
    QVERIFY(p.titleText().isEmpty());
    QCOMPARE(p.rowLength(), 0);
    const QVector<QAction*> acts = p.actionList();
    QCOMPARE(acts.size(), 2);
    QCOMPARE(acts.at(0)->text(), QStringLiteral("Farben"));
    QCOMPARE(acts.at(1)->text(), QStringLiteral("Schriftart"));
    QCOMPARE(acts.at(0)->parent(), &p);
    // The eleventh row takes the first colour again.
    QCOMPARE(p.colorAt(10), QColor(Qt::red));

    QList<QColor> bars = defaultColors();
    bars[0] = Qt::blue;
    bars[1] = Qt::red;
    QCOMPARE(BalkenDiagram().colorList(), bars);
    QCOMPARE(BalkenDiagram_h().colorList(), bars);
    QCOMPARE(TortenDiagram().colorList(), defaultColors() + defaultColors());
}

void TstDiagram::settersRepaint_data()
{
    QTest::addColumn<int>("setter");
    QTest::newRow("setData") << 0;
    QTest::newRow("setLabels") << 1;
    QTest::newRow("setColLabels") << 2;
    QTest::newRow("setRowWidth") << 3;
    QTest::newRow("setTitle") << 4;
}

void TstDiagram::settersRepaint()
{
    QFETCH(int, setter);
    Probe p;
    p.resize(200, 200);
    p.show();
    QVERIFY(QTest::qWaitForWindowExposed(&p));
    QTRY_VERIFY(p.paints > 0);
    QCoreApplication::processEvents();
    p.paints = 0;
    switch (setter) {
    case 0: p.setData({1, 2}); QCOMPARE(p.values(), QVector<double>({1, 2})); break;
    case 1: p.setLabels({"a"}); QCOMPARE(p.labelList(), QStringList({"a"})); break;
    case 2: p.setColLabels({"r"}); QCOMPARE(p.colLabelList(), QStringList({"r"})); break;
    case 3: p.setRowWidth(3); QCOMPARE(p.rowLength(), 3); break;
    default: p.setTitle("T"); QCOMPARE(p.titleText(), QStringLiteral("T")); break;
    }
    QTRY_VERIFY(p.paints > 0);
}

void TstDiagram::postfixDoesNotRepaint()
{
    Probe p;
    p.resize(200, 200);
    p.show();
    QVERIFY(QTest::qWaitForWindowExposed(&p));
    QTRY_VERIFY(p.paints > 0);
    QCoreApplication::processEvents();
    p.paints = 0;
    p.setValuePostfix("%");
    QCOMPARE(p.postfix(), QStringLiteral("%"));
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    QCOMPARE(p.paints, 0);
    // The next repaint shows the new unit.
    p.setTitle("x");
    QTRY_VERIFY(p.paints > 0);
    QCOMPARE(p.paintedPostfix, QStringLiteral("%"));
}

void TstDiagram::colorAction_data()
{
    QTest::addColumn<QString>("type");       // V, H: row labels; P: pie, category labels
    QTest::addColumn<QStringList>("choices");
    QTest::addColumn<QString>("item");       // reply to the row choice; "<cancel>"
    QTest::addColumn<bool>("colorAsked");
    QTest::addColumn<bool>("colorAccepted");
    QTest::addColumn<int>("slot");           // slot that must turn green, -1: none

    const QStringList rows = {"2019", "2020", "2021"};
    QTest::newRow("bars: second row") << "V" << rows << "2020" << true << true << 1;
    QTest::newRow("bars: cancelled choice") << "V" << rows << "<cancel>" << false << false << -1;
    QTest::newRow("bars: cancelled colour") << "V" << rows << "2021" << true << false << -1;
    QTest::newRow("bars: typed unknown row") << "V" << rows << "2030" << false << false << -1;
    QTest::newRow("bars: no row labels") << "V" << QStringList() << "" << true << true << 0;
    QTest::newRow("horizontal: third row") << "H" << rows << "2021" << true << true << 2;
    QTest::newRow("horizontal: cancelled") << "H" << rows << "<cancel>" << false << false << -1;
    QStringList eleven;
    for (int i = 0; i < 11; ++i)
        eleven << QStringLiteral("L%1").arg(i);
    QTest::newRow("pie: eleventh slice has its own slot") << "P" << eleven << "L10" << true << true << 10;
    QTest::newRow("pie: no labels") << "P" << QStringList() << "" << true << true << 0;
    QTest::newRow("pie: typed unknown label") << "P" << eleven << "L99" << false << false << -1;
}

void TstDiagram::colorAction()
{
    QFETCH(QString, type);
    QFETCH(QStringList, choices);
    QFETCH(QString, item);
    QFETCH(bool, colorAsked);
    QFETCH(bool, colorAccepted);
    QFETCH(int, slot);

    std::unique_ptr<Diagram> d(makeDiagram(type));
    const bool pie = type == QLatin1String("P");
    if (pie)
        d->setLabels(choices);
    else
        d->setColLabels(choices);
    // The other list must not be offered.
    if (pie)
        d->setColLabels({"x"});
    else
        d->setLabels({"y"});
    const QList<QColor> before = d->colorList();

    ScriptedAnswerer sa;
    if (!choices.isEmpty()) {
        if (item == QLatin1String("<cancel>"))
            sa.cancel(UserInput::Item);
        else
            sa.accept(UserInput::Item, item);
    }
    if (colorAsked) {
        if (colorAccepted)
            sa.accept(UserInput::Color, QColor(Qt::green));
        else
            sa.cancel(UserInput::Color);
    }
    d->actionList().at(0)->trigger();
    QCOMPARE(sa.pending(), 0);
    QCOMPARE(sa.unexpected, 0);

    if (!choices.isEmpty()) {
        const UserInput::Ask& ask = sa.asked.at(0);
        QCOMPARE(ask.kind, UserInput::Item);
        QCOMPARE(ask.title, QStringLiteral("Zeile"));
        QCOMPARE(ask.label, pie ? kLabelPrompt : kRowPrompt);
        QCOMPARE(ask.items, choices);
        QCOMPARE(ask.preset.toInt(), 0);
        QVERIFY(ask.editable);
    }
    if (colorAsked) {
        const int expectedSlot = slot >= 0 ? slot : choices.indexOf(item);
        QCOMPARE(sa.asked.last().kind, UserInput::Color);
        QCOMPARE(sa.asked.last().preset.value<QColor>(), before.at(std::max(expectedSlot, 0)));
    }
    QList<QColor> expected = before;
    if (slot >= 0)
        expected[slot] = Qt::green;
    QCOMPARE(d->colorList(), expected);
}

void TstDiagram::fontAction()
{
    BalkenDiagram d;
    const QFont before = d.font();
    {
        ScriptedAnswerer sa;
        sa.cancel(UserInput::Font);
        d.actionList().at(1)->trigger();
        QCOMPARE(sa.unexpected, 0);
        QCOMPARE(sa.asked.at(0).preset.value<QFont>(), before);
        QCOMPARE(d.font(), before);
    }
    const QFont chosen(QStringLiteral("DejaVu Serif"), 17);
    ScriptedAnswerer sa;
    sa.accept(UserInput::Font, chosen);
    d.actionList().at(1)->trigger();
    QCOMPARE(sa.unexpected, 0);
    QCOMPARE(d.font().family(), chosen.family());
    QCOMPARE(d.font().pointSize(), 17);
}

void TstDiagram::recordBytes()
{
    TortenDiagram d;
    const QFont f(QStringLiteral("DejaVu Sans"), 9);
    d.setFont(f);
    QList<QColor> colors = d.colorList();
    colors[3] = QColor(1, 2, 3);
    d.setColors(colors);

    QByteArray got;
    {
        QDataStream s(&got, QIODevice::WriteOnly);
        s.setVersion(QDataStream::Qt_4_6);
        d.saveData(s, 5);
    }
    QByteArray expected;
    {
        QDataStream s(&expected, QIODevice::WriteOnly);
        s.setVersion(QDataStream::Qt_4_6);
        s << d.font() << qint32(20);
        for (const QColor& c : colors)
            s << c;
    }
    QCOMPARE(got, expected);
    // Qt 4.6 layout: 54 bytes of font for this family, the count, 11 bytes per colour.
    QCOMPARE(got.size(), 54 + 4 + 20 * 11);
    QCOMPARE(got.mid(54, 4), QByteArray::fromHex("00000014"));
    QCOMPARE(got.mid(58, 11), QByteArray::fromHex("01ffffffff000000000000"));
}

void TstDiagram::recordRoundTrip()
{
    BalkenDiagram src;
    feed(src, {1, 2, 3}, 0, {"a"}, {}, "%", "Titel");
    src.setFont(QFont(QStringLiteral("DejaVu Serif"), 13));
    QList<QColor> colors = src.colorList();
    colors[0] = QColor(10, 20, 30);
    colors.removeLast();
    src.setColors(colors);

    QByteArray bytes;
    {
        QDataStream s(&bytes, QIODevice::WriteOnly);
        s.setVersion(QDataStream::Qt_4_6);
        src.saveData(s, 5);
    }
    BalkenDiagram dst;
    QDataStream s(bytes);
    s.setVersion(QDataStream::Qt_4_6);
    dst.loadData(s, 5);
    QCOMPARE(s.status(), QDataStream::Ok);
    QVERIFY(s.atEnd());
    QCOMPARE(dst.font().family(), QStringLiteral("DejaVu Serif"));
    QCOMPARE(dst.font().pointSize(), 13);
    QCOMPARE(dst.colorList(), colors);
    // Data, labels, unit and title are the adapter's to set again.
    QVERIFY(dst.values().isEmpty());
    QVERIFY(dst.labelList().isEmpty());
    QVERIFY(dst.titleText().isEmpty());
    QVERIFY(dst.postfix().isEmpty());
}

void TstDiagram::recordDamaged()
{
    BalkenDiagram src;
    src.setFont(QFont(QStringLiteral("DejaVu Serif"), 13));
    QByteArray bytes;
    {
        QDataStream s(&bytes, QIODevice::WriteOnly);
        s.setVersion(QDataStream::Qt_4_6);
        src.saveData(s, 5);
    }
    // A cut record, and one whose count promises far more colours than follow.
    QByteArray huge;
    {
        QDataStream w(&huge, QIODevice::WriteOnly);
        w.setVersion(QDataStream::Qt_4_6);
        w << src.font() << qint32(1000000000) << QColor(Qt::green);
    }
    for (const QByteArray& damaged : {bytes.left(bytes.size() - 5), huge}) {
        BalkenDiagram dst;
        const QFont fontBefore = dst.font();
        const QList<QColor> colorsBefore = dst.colorList();
        QDataStream s(damaged);
        s.setVersion(QDataStream::Qt_4_6);
        dst.loadData(s, 5);
        QCOMPARE(dst.font(), fontBefore);
        QCOMPARE(dst.colorList(), colorsBefore);
    }
}

void TstDiagram::mimeData()
{
    BalkenDiagram bars;
    bars.resize(160, 150);
    feed(bars, {1, 2});
    std::unique_ptr<QMimeData> md(bars.createMimeData());
    QVERIFY(md->hasImage());
    QVERIFY(!md->hasHtml());
    const QImage img = qvariant_cast<QImage>(md->imageData());
    QCOMPARE(img.size(), QSize(160, 150));
    // The picture is the diagram: its first bar is blue.
    const BalkenLayout l = layoutV(bars, bars.size());
    const QPoint c = centre(l.items.at(0).front);
    QVERIFY(TestUtil::isColor(img.convertToFormat(QImage::Format_ARGB32), c.x(), c.y(), Qt::blue));

    TabellenDiagramm table;
    feed(table, {1, 2}, 0, {"a", "b"});
    std::unique_ptr<QMimeData> tmd(table.createMimeData());
    QVERIFY(tmd->hasHtml());
    QVERIFY(!tmd->hasImage());
    QCOMPARE(tmd->html(), table.toHTML());
}

void TstDiagram::dragNeedsDistance()
{
    const int dist = QApplication::startDragDistance();
    for (const bool table : {false, true}) {
        std::unique_ptr<Diagram> d(table ? static_cast<Diagram*>(new TabellenDiagramm)
                                         : new BalkenDiagram);
        d->resize(200, 200);
        feed(*d, {1, 2}, 0, {"a", "b"});
        ScriptedAnswerer sa;
        const QPoint start(50, 60);
        // A right press does not mark a start; a move without the left button does nothing.
        sendMouse(d.get(), QEvent::MouseButtonPress, QPoint(5, 5), Qt::RightButton, Qt::RightButton);
        sendMouse(d.get(), QEvent::MouseMove, QPoint(100, 100), Qt::NoButton, Qt::RightButton);
        sendMouse(d.get(), QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
        // Manhattan length one short of the distance: no drag yet.
        const QPoint near = start + QPoint(dist / 2, dist - 1 - dist / 2);
        sendMouse(d.get(), QEvent::MouseMove, near, Qt::NoButton, Qt::LeftButton);
        QCOMPARE(sa.asked.size(), 0);

        sa.accept(UserInput::Drag, int(Qt::CopyAction));
        const QPoint far = start + QPoint(dist / 2, dist - dist / 2);
        sendMouse(d.get(), QEvent::MouseMove, far, Qt::NoButton, Qt::LeftButton);
        QCOMPARE(sa.unexpected, 0);
        QCOMPARE(sa.asked.size(), 1);
        const UserInput::Ask& ask = sa.asked.at(0);
        QCOMPARE(ask.kind, UserInput::Drag);
        QCOMPARE(ask.step, int(Qt::CopyAction | Qt::MoveAction));
        if (table) {
            QCOMPARE(ask.preset.toString(), static_cast<TabellenDiagramm*>(d.get())->toHTML());
        } else {
            QVERIFY(ask.items.contains(QStringLiteral("application/x-qt-image")));
        }
        // The drag changed nothing.
        QCOMPARE(d->values(), QVector<double>({1, 2}));
    }
}

void TstDiagram::percentScale_data()
{
    QTest::addColumn<double>("max");
    QTest::addColumn<double>("top");
    QTest::addColumn<QStringList>("axis");

    const QStringList quarters = {"0%", "25%", "50%", "75%", "100%"};
    QTest::newRow("75.01") << 75.01 << 100.0 << quarters;
    QTest::newRow("75") << 75.0 << 75.0 << quarters.mid(0, 4);
    QTest::newRow("50.5") << 50.5 << 75.0 << quarters.mid(0, 4);
    QTest::newRow("40") << 40.0 << 50.0 << QStringList{"0%", "10%", "20%", "30%", "40%", "50%"};
    QTest::newRow("30") << 30.0 << 30.0 << QStringList{"0%", "5%", "10%", "15%", "20%", "25%", "30%"};
    QTest::newRow("20") << 20.0 << 20.0 << QStringList{"0%", "4%", "8%", "12%", "16%", "20%"};
    QTest::newRow("10.5") << 10.5 << 20.0 << QStringList{"0%", "4%", "8%", "12%", "16%", "20%"};
    QTest::newRow("3") << 3.0 << 10.0 << QStringList{"0%", "2%", "4%", "6%", "8%", "10%"};
    QTest::newRow("negative") << -4.0 << 10.0 << QStringList{"0%", "2%", "4%", "6%", "8%", "10%"};
}

// A bar of 50 % on a scale up to 50 % ends exactly at the "50%" line, and a bar of
// 30 % at the "30%" line: the chart does not misstate its values.
void TstDiagram::percentBarEndsAtItsLine()
{
    BalkenDiagram d;
    feed(d, {50, 30}, 0, {"a", "b"}, {}, "%");
    const QSize size(400, 320);
    const BalkenLayout l = layoutV(d, size);
    QVERIFY(l.percentScale);
    QCOMPARE(l.axisTexts.last().text, QString("50%"));
    QCOMPARE(l.items.at(0).front.top(), l.grid.last().y1());
    QCOMPARE(l.axisTexts.at(3).text, QString("30%"));
    QCOMPARE(l.items.at(1).front.top(), l.grid.at(3).y1());
    // On the picture: bar colour just below the line, none above the bar's top face.
    const QImage img = TestUtil::render(d, size);
    const QRect bar = l.items.at(1).front;
    const int x = bar.center().x();
    QVERIFY(TestUtil::isColor(img, x, bar.top() + 2, d.colorAt(0)));
    QVERIFY(!TestUtil::isColor(img, x, l.grid.at(4).y1() + 2, d.colorAt(0)));
}

void TstDiagram::percentScale()
{
    QFETCH(double, max);
    QFETCH(double, top);
    QFETCH(QStringList, axis);

    BalkenDiagram d;
    feed(d, {max}, 0, {}, {}, "%");
    const QSize size(300, 260);
    const BalkenLayout l = layoutV(d, size);
    QVERIFY(l.percentScale);
    QCOMPARE(l.reference, top);

    QStringList texts;
    for (const auto& t : l.axisTexts)
        texts << t.text;
    QCOMPARE(texts, axis);
    QCOMPARE(l.grid.size(), axis.size());
    const int P = 260 - tfm(d).height() - fm(d).height() - 25;
    QCOMPARE(l.plotHeight, P);
    QCOMPARE(l.baseY, 240);
    const double step = axis.size() > 1 ? axis.at(1).chopped(1).toDouble() : 0;
    // The axis texts take the left margin: the widest is the scale top's.
    const int L = 5 + fm(d).horizontalAdvance(axis.last()) + DiagramGeometry::AxisGap;
    // The lines stand where bars of their value end (over the usable height), from the
    // axis on; the numbers left of it, centred on their lines.
    const int U = l.usableHeight;
    for (int i = 0; i < l.grid.size(); ++i) {
        const int y = 240 - int(i * step * U / top);
        QCOMPARE(l.grid.at(i), QLine(L, y, 295, y));
        QCOMPARE(l.axisTexts.at(i).pos,
                 DiagramGeometry::axisTextLeftOf(axis.at(i), fm(d), L, y).pos);
    }
    QCOMPARE(l.left, L);
    QCOMPARE(l.plotWidth, 300 - L);
    QCOMPARE(l.barWidth, int((300 - L) / 2.0));
    QCOMPARE(l.usableHeight, int(P - 0.4 * l.barWidth));
    const BalkenItem& bar = l.items.at(0);
    if (max > 0) {
        QVERIFY(bar.hasBar);
        QCOMPARE(bar.front.height(), int(max / top * l.usableHeight));
    }
}

void TstDiagram::plainScale()
{
    BalkenDiagram d;
    feed(d, {2, 4, 8});
    const QSize size(400, 300);
    const BalkenLayout l = layoutV(d, size);
    QVERIFY(!l.percentScale);
    // Counts up to 8: an axis 0, 2, 4, 6, 8 whose numbers take the left margin.
    QCOMPARE(texts(l.axisTexts), QStringList({"0", "2", "4", "6", "8"}));
    QCOMPARE(l.reference, 8.0);
    const int L = 5 + fm(d).horizontalAdvance("8") + DiagramGeometry::AxisGap;
    QCOMPARE(l.left, L);
    QCOMPARE(l.plotWidth, 400 - L);
    const int b = int((400 - L) / (3 * 1.5 + 0.5));
    QCOMPARE(l.barWidth, b);
    const int P = 300 - tfm(d).height() - fm(d).height() - 25;
    const int U = int(P - 0.4 * b);
    QCOMPARE(l.usableHeight, U);

    // A line per step from the axis on, where a bar of that value ends, its number
    // left of the axis.
    QCOMPARE(l.grid.size(), 5);
    for (int i = 0; i < 5; ++i) {
        const int y = 280 - int(i * 2.0 * U / 8);
        QCOMPARE(l.grid.at(i), QLine(L, y, 395, y));
        QCOMPARE(l.axisTexts.at(i).pos,
                 DiagramGeometry::axisTextLeftOf(QString::number(2 * i), fm(d), L, y).pos);
    }
    QCOMPARE(l.baseLine, QLine(L, 280, 395, 280));
    QCOMPARE(l.axisLine, QLine(L, 280, L, l.grid.last().y1()));

    QCOMPARE(l.items.size(), 3);
    const int xs[] = {L + b / 2, int(L + b / 2 + 1.5 * b), int(int(L + b / 2 + 1.5 * b) + 1.5 * b)};
    const int hs[] = {int(0.25 * U), int(0.5 * U), U};
    for (int i = 0; i < 3; ++i) {
        const BalkenItem& it = l.items.at(i);
        QCOMPARE(it.front, QRect(xs[i], 280 - hs[i], b, hs[i]));
        QCOMPARE(it.label.text, QString::number(i));
        QCOMPARE(it.label.pos, QPoint(xs[i] + (b - fm(d).horizontalAdvance(QString::number(i))) / 2, 295));
    }
    // The bars of 4 and 8 end on the lines of 4 and 8.
    QCOMPARE(l.items.at(1).front.top(), l.grid.at(2).y1());
    QCOMPARE(l.items.at(2).front.top(), l.grid.at(4).y1());
    // The tallest bar fills the usable height exactly; its 3D faces.
    const int x = xs[2];
    const int top = 280 - U;
    QCOMPARE(l.items.at(2).side,
             QPolygon({QPoint(x + b, 280), QPoint(x + b, top), QPoint(int(x + 1.353 * b), int(top - 0.353 * b)),
                       QPoint(int(x + 1.353 * b), int(280 - 0.353 * b))}));
    QCOMPARE(l.items.at(2).top,
             QPolygon({QPoint(x, top), QPoint(x + b, top), QPoint(int(x + 1.353 * b), int(top - 0.353 * b)),
                       QPoint(int(x + 0.353 * b), int(top - 0.353 * b))}));
    // Value texts "2", "4", "8" (counts) fit and stand above each bar.
    QVERIFY(l.valueTextsShown);
    const int tw = fm(d).horizontalAdvance("8");
    QCOMPARE(l.items.at(2).valueText.text, QStringLiteral("8"));
    QCOMPARE(l.items.at(2).valueText.pos, QPoint(int((1.343 * b - tw) * 0.5 + x), int(top - 0.4 * b)));

    const QImage img = TestUtil::render(d, size);
    const QPoint c = centre(l.items.at(1).front);
    QVERIFY(TestUtil::isColor(img, c.x(), c.y(), Qt::blue));
    QVERIFY(TestUtil::isColor(img, x + b + 10, 280 - U / 2, QColor(Qt::blue).darker(200)));
    QVERIFY(TestUtil::isColor(img, x + b / 2, top - 5, QColor(Qt::blue).lighter(150)));
    QVERIFY(TestUtil::isColor(img, xs[0] - 3, 278, Qt::white));
    QVERIFY(TestUtil::isColor(img, xs[0] - 3, 280, Qt::black));
    // Pixel probe: the bar of 4 is blue one row under the line of 4 and white above it
    // (its top face is drawn right of the front), and the number "8" stands left of
    // the bars at its line.
    const int y4 = l.grid.at(2).y1();
    QVERIFY(TestUtil::isColor(img, xs[1] + 2, y4 + 1, Qt::blue));
    QVERIFY(TestUtil::isColor(img, xs[1] + 2, y4 - 5, Qt::white));
    int ink = 0;
    for (int y = l.grid.at(4).y1() - fm(d).ascent(); y < l.grid.at(4).y1(); ++y)
        for (int x8 = 5; x8 < L; ++x8)
            ink += img.pixelColor(x8, y).lightness() < 128 ? 1 : 0;
    QVERIFY(ink > 3);
}

void TstDiagram::clusters()
{
    BalkenDiagram d;
    feed(d, {1, 2, 3, 4, 5, 6}, 3, {"a", "b", "c"}, {"erste", "zweite"});
    const QSize size(500, 300);
    const BalkenLayout l = layoutV(d, size);
    const int lw = std::max(fm(d).horizontalAdvance("erste"), fm(d).horizontalAdvance("zweite"))
        + DiagramGeometry::swatchRoom(fm(d)) + 10;
    QVERIFY(l.hasLegend);
    QCOMPARE(l.legendBox, QRect(500 - lw - 5, 25, lw, 2 * fm(d).height() + 5));
    QCOMPARE(l.legend.size(), 2);
    QCOMPARE(l.legend.at(1).pos, QPoint(500 - lw - 5 + 6, 25 + 2 * fm(d).height()));
    QCOMPARE(d.colorAt(l.legend.at(0).colorIndex), QColor(Qt::blue));
    QCOMPARE(d.colorAt(l.legend.at(1).colorIndex), QColor(Qt::red));

    QCOMPARE(l.rows, 2);
    QCOMPARE(l.perRow, 3);
    const int L = 5 + fm(d).horizontalAdvance("6") + DiagramGeometry::AxisGap;
    const int A = 500 - lw - 5 - L;
    QCOMPARE(l.plotWidth, A);
    const int b = int(A / (3 * 1.5 * 3 - 1.0));
    QCOMPARE(l.barWidth, b);

    // Row 0 at 5 + b/2, 4.5 b apart; row 1 1.5 b to the right of row 0.
    int x0 = L + b / 2;
    QList<int> row0;
    for (int k = 0; k < 3; ++k) {
        row0 << x0;
        x0 = int(x0 + 1.5 * 3 * b);
    }
    int x1 = int(L + b / 2 + 1.5 * b);
    QStringList labelTexts;
    for (int i = 0; i < 6; ++i) {
        const BalkenItem& it = l.items.at(i);
        QCOMPARE(it.row, i / 3);
        if (i < 3) {
            QCOMPARE(it.front.x(), row0.at(i));
            QVERIFY(it.hasLabel);
            labelTexts << it.label.text;
            QCOMPARE(it.label.pos.x(), it.front.x() + (2 * b - fm(d).horizontalAdvance(it.label.text)) / 2);
        } else {
            QCOMPARE(it.front.x(), x1);
            QVERIFY(!it.hasLabel);
            x1 = int(x1 + 1.5 * 3 * b);
        }
    }
    QCOMPARE(labelTexts, QStringList({"a", "b", "c"}));

    const QImage img = TestUtil::render(d, size);
    for (int i = 0; i < 6; ++i) {
        const QPoint c = centre(l.items.at(i).front);
        QVERIFY(TestUtil::isColor(img, c.x(), c.y(), i < 3 ? Qt::blue : Qt::red));
    }
}

void TstDiagram::titlePlacement()
{
    for (const bool horizontal : {false, true}) {
        std::unique_ptr<Diagram> d(horizontal ? static_cast<Diagram*>(new BalkenDiagram_h)
                                              : new BalkenDiagram);
        const QString shortTitle = QStringLiteral("Kurz");
        const QString longTitle = QStringLiteral("Ein sehr langer Titel, der nicht in die Breite passt");
        const int W = 200;
        QVERIFY(tfm(*d).horizontalAdvance(longTitle) > W - 10);
        for (const QString& t : {shortTitle, longTitle}) {
            feed(*d, {1}, 0, {}, {}, {}, t);
            const int tw = tfm(*d).horizontalAdvance(t);
            const QPoint expected(t == longTitle ? 5 : (W - tw) / 2,
                                  horizontal ? 300 - 10 : tfm(*d).height());
            const QPoint got = horizontal
                ? layoutH(*static_cast<BalkenDiagram_h*>(d.get()), QSize(W, 300)).title.pos
                : layoutV(*static_cast<BalkenDiagram*>(d.get()), QSize(W, 300)).title.pos;
            QCOMPARE(got, expected);
            // A title that does not fit is elided, not cut off mid-letter.
            const QString shown = horizontal
                ? layoutH(*static_cast<BalkenDiagram_h*>(d.get()), QSize(W, 300)).title.text
                : layoutV(*static_cast<BalkenDiagram*>(d.get()), QSize(W, 300)).title.text;
            if (t == longTitle) {
                QVERIFY(shown.endsWith(QChar(0x2026)));
                QVERIFY(tfm(*d).horizontalAdvance(shown) <= W - 10);
            } else {
                QCOMPARE(shown, t);
            }
        }
    }
}

void TstDiagram::longLabelsElided()
{
    // Labels wider than the distance between clusters would run into each other.
    BalkenDiagram d;
    const QString longLabel = QStringLiteral("Stimme voll und ganz zu, mit allem Nachdruck");
    feed(d, {1, 2, 3, 4}, 2, {longLabel, "b"}, {"r0", "r1"});
    const BalkenLayout l = layoutV(d, QSize(300, 240));
    const int pitch = l.items.at(1).front.x() - l.items.at(0).front.x();
    QCOMPARE(pitch, int(4.5 * l.barWidth));
    const DiagramGeometry::Text& first = l.items.at(0).label;
    QVERIFY(first.text.endsWith(QChar(0x2026)));
    QVERIFY(fm(d).horizontalAdvance(first.text) <= pitch - 4);
    QCOMPARE(first.pos.x(), l.items.at(0).front.x()
                                + (2 * l.barWidth - fm(d).horizontalAdvance(first.text)) / 2);
    QVERIFY(first.pos.x() + fm(d).horizontalAdvance(first.text) < l.items.at(1).label.pos.x());
    QCOMPARE(l.items.at(1).label.text, QStringLiteral("b"));
}

void TstDiagram::valueTextsAllOrNone()
{
    BalkenDiagram d;
    const QSize size(400, 300);
    feed(d, {1, 2, 3, 4});
    BalkenLayout l = layoutV(d, size);
    QVERIFY(fm(d).horizontalAdvance("4") < l.barWidth);
    QVERIFY(l.valueTextsShown);

    // One text as wide as the bar or wider hides every value text.
    feed(d, {1, 2, 3, 4}, 0, {}, {}, QStringLiteral(" Teilnehmer"));
    l = layoutV(d, size);
    QVERIFY(fm(d).horizontalAdvance("1 Teilnehmer") >= l.barWidth);
    QVERIFY(!l.valueTextsShown);
    for (const BalkenItem& it : l.items)
        QVERIFY(!it.hasValueText);
    feed(d, {1, 2, 3, 123456789.5});
    l = layoutV(d, size);
    QVERIFY(fm(d).horizontalAdvance("1.0") < l.barWidth);
    QVERIFY(fm(d).horizontalAdvance("123456789.5") >= l.barWidth);
    QVERIFY(!l.valueTextsShown);
}

void TstDiagram::nanAndNoScale()
{
    BalkenDiagram d;
    const QSize size(300, 260);
    feed(d, {NaN, 2}, 0, {"leer", "voll"}, {}, "%");
    BalkenLayout l = layoutV(d, size);
    QVERIFY(!l.items.at(0).hasBar);
    QCOMPARE(l.items.at(0).valueText.text, QStringLiteral("nan%"));
    QCOMPARE(l.items.at(0).valueText.pos.y(), int(l.baseY - 0.4 * l.barWidth));
    QVERIFY(l.items.at(1).hasBar);
    QCOMPARE(l.reference, 10.0);   // the NaN does not take part in the maximum
    QCOMPARE(l.items.at(0).label.text, QStringLiteral("leer"));

    // Without a positive maximum: title, labels and base line; no scale, no bars.
    for (const QVector<double>& values : {QVector<double>{0, 0}, QVector<double>{-1, -3},
                                          QVector<double>{NaN, NaN}}) {
        feed(d, values, 0, {"a", "b"}, {"r"}, {}, "T");
        l = layoutV(d, size);
        QVERIFY(!l.blank);
        QVERIFY(!l.hasScale);
        QCOMPARE(l.title.text, QStringLiteral("T"));
        QVERIFY(l.hasLegend);
        QVERIFY(l.grid.isEmpty());
        QVERIFY(l.axisTexts.isEmpty());
        QCOMPARE(l.items.size(), 2);
        for (const BalkenItem& it : l.items) {
            QVERIFY(!it.hasBar);
            QVERIFY(it.hasLabel);
        }
        const QImage img = TestUtil::render(d, size);
        QVERIFY(TestUtil::isColor(img, l.items.at(0).label.pos.x() + 20, l.baseY - 20, Qt::white));
    }
}

void TstDiagram::tinySurfacesEnd_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("0x0") << QSize(0, 0);
    QTest::newRow("1x1") << QSize(1, 1);
    QTest::newRow("step 0") << QSize(120, 52);
    QTest::newRow("negative step") << QSize(40, 20);
    QTest::newRow("wide, flat") << QSize(2000, 30);
}

void TstDiagram::tinySurfacesEnd()
{
    QFETCH(QSize, size);
    BalkenDiagram v;
    BalkenDiagram_h h;
    for (Diagram* d : {static_cast<Diagram*>(&v), static_cast<Diagram*>(&h)}) {
        feed(*d, {1, 5, 3, 2}, 2, {"a", "b"}, {"eine Zeile mit langem Namen", "zwei"}, {}, "T");
        if (!size.isEmpty()) // a null image cannot be painted on
            TestUtil::render(*d, size);
    }
    const BalkenLayout lv = layoutV(v, size);
    if (lv.usableHeight <= 0)
        QVERIFY(lv.grid.isEmpty());
    QCOMPARE(lv.grid.size(), lv.axisTexts.size());
    const BalkenLayoutH lh = layoutH(h, size);
    QVERIFY(lh.grid.size() <= std::max(0, size.width()));
    feed(v, {1, 5}, 0, {}, {}, "%");
    QCOMPARE(layoutV(v, size).items.size(), 2);
    if (!size.isEmpty())
        TestUtil::render(v, size);
}

void TstDiagram::emptyPaintsNothing()
{
    BalkenDiagram v;
    BalkenDiagram_h h;
    for (Diagram* d : {static_cast<Diagram*>(&v), static_cast<Diagram*>(&h)}) {
        d->setTitle("Titel");
        d->setLabels({"a"});
        QImage img(200, 200, QImage::Format_ARGB32);
        img.fill(Qt::green);
        QPainter p(&img);
        d->paint(p, img.size());
        p.end();
        QCOMPARE(img.pixelColor(100, 100), QColor(Qt::green));
        QCOMPARE(img.pixelColor(100, 10), QColor(Qt::green));
    }
}

void TstDiagram::horizontalOneValue()
{
    BalkenDiagram_h d;
    feed(d, {5}, 0, {"x"}, {}, " Stk");
    const QSize size(400, 300);
    const BalkenLayoutH l = layoutH(d, size);
    const int L = fm(d).horizontalAdvance("x") + 10;
    const int P = 300 - tfm(d).height() - 15 - fm(d).height();
    QCOMPARE(l.left, L);
    QCOMPARE(l.plotWidth, 400);
    QCOMPARE(l.plotHeight, P);
    // The bar ends at the plot's foot, and its end face left of its value text.
    const int b = int(P / 1.65);
    QCOMPARE(l.barThickness, b);
    const int t = fm(d).horizontalAdvance("5 Stk");
    const int E = 400 - L - std::max(80, 20 + int(std::ceil(0.343 * b)) + t + 5);
    QCOMPARE(l.longestBar, E);
    const BalkenItemH& it = l.items.at(0);
    const int y = int(0.643 * b);
    QCOMPARE(it.front, QRect(L, y, E, b));
    QVERIFY(it.front.bottom() < P);
    // The value text ends 20 pixels left of the plot's right edge.
    QVERIFY(it.hasValueText);
    QCOMPARE(it.valueText.text, QStringLiteral("5 Stk"));
    QCOMPARE(it.valueText.pos.x() + t, 380);
    QCOMPARE(it.valueText.pos.y(), y + 10 + b / 4);
    QCOMPARE(it.label.pos, QPoint(1, y + 10 + b / 4));
    const int e = L + E;
    QVERIFY(int(e + 0.343 * b) < it.valueText.pos.x());
    QCOMPARE(it.end, QPolygon({QPoint(e, y), QPoint(int(e + 0.343 * b), int(y - 0.342 * b)),
                               QPoint(int(e + 0.343 * b), int(y + (1 - 0.342) * b)),
                               QPoint(e, y + b)}));
    QCOMPARE(l.baseLine, QLine(L, 5, L, P));
    // Values up to 5: lines at 1, 2, ... 5 right of L, the last where the bar ends,
    // with the numbers 0 to 5 under them.
    QCOMPARE(l.reference, 5.0);
    QCOMPARE(l.gridStep, E / 5);
    QCOMPARE(l.grid.size(), 5);
    QCOMPARE(l.grid.first(), QLine(L + E / 5, 5, L + E / 5, P));
    QCOMPARE(l.grid.last().x1(), L + E);
    QCOMPARE(texts(l.axisTexts), QStringList({"0", "1", "2", "3", "4", "5"}));
    for (const auto& t5 : l.axisTexts)
        QVERIFY(t5.pos.y() > P && t5.pos.y() < 300 - tfm(d).height());

    const QImage img = TestUtil::render(d, size);
    QVERIFY(TestUtil::isColor(img, L + 30, y + b / 2, Qt::blue));
    QVERIFY(TestUtil::isColor(img, e + 3, y + b / 2, QColor(Qt::blue).darker(200)));
    QVERIFY(TestUtil::isColor(img, L + 30, y - 3, QColor(Qt::blue).lighter(150)));
    QVERIFY(TestUtil::isColor(img, e - 2, y + b + 3, Qt::white));
}

void TstDiagram::horizontalLongLabel()
{
    BalkenDiagram_h d;
    const QSize size(500, 300);
    feed(d, {2, 4}, 0, {"a", "b"});
    const BalkenLayoutH shortL = layoutH(d, size);
    feed(d, {2, 4}, 0, {"a", "ein recht langer Kategorienname"});
    const BalkenLayoutH longL = layoutH(d, size);
    const int grow = longL.left - shortL.left;
    QCOMPARE(grow, fm(d).horizontalAdvance("ein recht langer Kategorienname") - fm(d).horizontalAdvance("b"));
    QCOMPARE(longL.items.at(1).front.x(), longL.left);
    QCOMPARE(longL.items.at(1).front.width(), shortL.items.at(1).front.width() - grow);
    QCOMPARE(longL.items.at(1).front.right(), shortL.items.at(1).front.right());

    // Labels wider than half the room left of the value texts are held to that half
    // and elided: the bars keep their direction and length in proportion.
    const QSize narrow(240, 300);
    const BalkenLayoutH capped = layoutH(d, narrow);
    QCOMPARE(capped.left, (240 - 80) / 2);
    QCOMPARE(capped.longestBar, 240 - 80 - 80);
    QCOMPARE(capped.items.at(1).front, QRect(80, capped.items.at(1).front.y(), 80, capped.barThickness));
    QCOMPARE(capped.items.at(0).front.width(), 40);
    const QString shown = capped.items.at(1).label.text;
    QVERIFY(shown.endsWith(QChar(0x2026)));
    QVERIFY(fm(d).horizontalAdvance(shown) <= 70);
    QCOMPARE(capped.items.at(0).label.text, QStringLiteral("a"));
}

void TstDiagram::horizontalRows()
{
    BalkenDiagram_h d;
    feed(d, {1, 2, 3, 4}, 2, {"a", "b"}, {"r0", "r1"});
    const QSize size(400, 300);
    const BalkenLayoutH l = layoutH(d, size);
    const int lw = std::max(fm(d).horizontalAdvance("r0"), fm(d).horizontalAdvance("r1"))
        + DiagramGeometry::swatchRoom(fm(d)) + 10;
    QCOMPARE(l.plotWidth, 400 - lw - 10);
    QCOMPARE(l.legendBox, QRect(400 - lw - 10, 25, lw, 2 * fm(d).height() + 5));
    const int P = 300 - tfm(d).height() - 15 - fm(d).height();
    const int b = int(P / (3 * 1.5 * 2));
    QCOMPARE(l.barThickness, b);
    const int y00 = int(0.643 * b);
    const int y01 = int(y00 + 4.5 * b);
    const int y10 = int(0.843 * b + 1.5 * b);
    const int y11 = int(y10 + 4.5 * b);
    QCOMPARE(l.items.at(0).front.y(), y00);
    QCOMPARE(l.items.at(1).front.y(), y01);
    QCOMPARE(l.items.at(2).front.y(), y10);
    QCOMPARE(l.items.at(3).front.y(), y11);
    QVERIFY(l.items.at(0).hasLabel && l.items.at(1).hasLabel);
    QVERIFY(!l.items.at(2).hasLabel && !l.items.at(3).hasLabel);
    // Bar ends in proportion to the largest value.
    const int E = l.longestBar;
    for (int i = 0; i < 4; ++i)
        QCOMPARE(l.items.at(i).front.width(), int((i + 1) / 4.0 * E));

    const QImage img = TestUtil::render(d, size);
    for (int i = 0; i < 4; ++i) {
        const QRect& f = l.items.at(i).front;
        QVERIFY(TestUtil::isColor(img, f.x() + 5, f.y() + b / 2, i < 2 ? Qt::blue : Qt::red));
    }
}

void TstDiagram::horizontalNoGridStep()
{
    BalkenDiagram_h d;
    const QString row = QStringLiteral("eine sehr lange Zeilenbeschriftung");
    feed(d, {1, 2}, 0, {}, {row});
    // A plot width of 40 leaves a grid step of 0 with the labels still left of it.
    const int W = fm(d).horizontalAdvance(row) + DiagramGeometry::swatchRoom(fm(d)) + 10 + 10 + 40;
    const BalkenLayoutH l = layoutH(d, QSize(W, 200));
    QCOMPARE(l.plotWidth, 40);
    QVERIFY(l.left < l.plotWidth - 20);
    QCOMPARE(l.gridStep, 0);
    QVERIFY(l.grid.isEmpty());
    TestUtil::render(d, QSize(W, 200));
}

void TstDiagram::horizontalNanAndNoScale()
{
    BalkenDiagram_h d;
    const QSize size(400, 300);
    feed(d, {NaN, 4, 2});
    BalkenLayoutH l = layoutH(d, size);
    QVERIFY(!l.items.at(0).hasBar);
    QCOMPARE(l.items.at(0).valueText.text, QStringLiteral("nan"));
    QCOMPARE(l.items.at(1).front.width(), l.longestBar);
    QCOMPARE(l.items.at(2).front.width(), l.longestBar / 2);

    feed(d, {0, -2}, 0, {"a", "b"}, {}, {}, "T");
    l = layoutH(d, size);
    QVERIFY(!l.hasScale);
    for (const BalkenItemH& it : l.items) {
        QVERIFY(!it.hasBar);
        QVERIFY(it.hasLabel);
    }
    QCOMPARE(l.items.at(1).valueText.text, QStringLiteral("-2"));
    const QImage img = TestUtil::render(d, size);
    QVERIFY(TestUtil::isColor(img, l.left + 20, l.items.at(0).valueText.pos.y() - 5, Qt::white));
}

QTEST_MAIN(TstDiagram)
#include "tst_diagram.moc"
