#include <QLabel>
#include <QPainter>
#include "core/spaltenspeicher.h"
#include <QtTest>
#include <memory>

#include <QGridLayout>

#include "analyses/aenlichkeitscodes.h"
#include "core/angaben.h"
#include "analyses/chiquadrat.h"
#include "analyses/direktdiagramadapter.h"
#include "analyses/direktmultidiagramadapter.h"
#include "analyses/modelaenlichkeits3dview.h"
#include "analyses/modelaenlichkeitstabelle.h"
#include "analyses/spaltenhaeufigkeitsdiagramadapter.h"
#include "diagrams/farblegende.h"
#include "diagrams/xmasdiagram.h"
#include "analyses/haeufigkeitsdiagramadapter.h"
#include "analyses/haeufigkeitsmultidiagramadapter.h"
#include "analyses/haeufigkeitsprozentdiagramadapter.h"
#include "diagrams/balkendiagram.h"
#include "diagrams/tabellendiagramm.h"
#include "diagrams/viewpicture.h"
#include "tests/helpers/testutil.h"

// Every counting chart says under itself which filter it applies and how many answers
// it counts; the numbers it shows stay as they were.
class TstAngaben : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void baseLine_data();
    void baseLine();
    void frequencyFollowsItsFilter();
    void multiColumnBasePerColumn();
    void drawnUnderTheChart();
    void tableShowsThemBelowItsTable();
    void everyOtherAdapterSaysItsBase();
    void chiSquareDrawsThemWithItsDiagram();
    void xmasGrowsByItsLines();
    void similarityViewsExplainTheirColours();
};

void TstAngaben::initTestCase()
{
    QLocale::setDefault(QLocale::c());
}

void TstAngaben::baseLine_data()
{
    QTest::addColumn<QVector<int>>("counts");
    QTest::addColumn<QString>("line");
    QTest::newRow("one column") << QVector<int>{12} << "n = 12";
    QTest::newRow("equal bases") << QVector<int>{3, 3} << "n = 3";
    QTest::newRow("bases differ") << QVector<int>{2, 3} << "n = 2 (A), 3 (B)";
    QTest::newRow("nothing counted") << QVector<int>{0} << "n = 0";
    QTest::newRow("large") << QVector<int>{1234567} << "n = 1234567";
}

void TstAngaben::baseLine()
{
    QFETCH(QVector<int>, counts);
    QFETCH(QString, line);
    QCOMPARE(Angaben::baseLine(counts, {"A", "B"}), line);
}

void TstAngaben::frequencyFollowsItsFilter()
{
    std::unique_ptr<SpaltenSpeicher> m(TestUtil::makeModel(
        {"Frage", "Region"}, {{"b", "Nord"}, {"a", "Süd"}, {"b", "Nord"}, {"", "Nord"}}));
    HaeufigkeitsDiagramAdapter counts;
    HaeufigkeitsProzentDiagramAdapter percent;
    for (HaeufigkeitsDiagramAdapter* a : {&counts, static_cast<HaeufigkeitsDiagramAdapter*>(&percent)}) {
        auto* d = new BalkenDiagram;
        a->setModel(m.get());
        a->setDiagram(d);
        // The empty answer is not counted: three answers.
        QCOMPARE(d->captionLines(), QStringList{"n = 3"});
        a->setDepFilter("Nord", 1);
        QCOMPARE(d->captionLines(), (QStringList{"Filter: Region = Nord", "n = 2"}));
        a->setDepFilter("Ost", 1);
        QCOMPARE(d->captionLines(), (QStringList{"Filter: Region = Ost", "n = 0"}));
        a->undepAction();
        QCOMPARE(d->captionLines(), QStringList{"n = 3"});
    }
    // The percentages are those of the counted answers, as before.
    QCOMPARE(percent.diagram()->values().size(), 2);
    QCOMPARE(percent.diagram()->values().at(1), 200.0 / 3);
}

void TstAngaben::multiColumnBasePerColumn()
{
    std::unique_ptr<SpaltenSpeicher> m(TestUtil::makeModel(
        {"Eins", "Zwei", "G"}, {{"A", "B", "x"}, {"B", "B", "y"}, {"A", "", "x"}}));
    HaeufigkeitsMultiDiagramAdapter a;
    auto* d = new BalkenDiagram;
    a.setModel(m.get());
    a.setDiagram(d);
    a.setSpalten({0, 1});
    QCOMPARE(d->captionLines(), QStringList{"n = 3 (Eins), 2 (Zwei)"});
    a.setDepFilter("x", 2);
    QCOMPARE(d->captionLines(), (QStringList{"Filter: G = x", "n = 2 (Eins), 1 (Zwei)"}));
    a.setDepFilter("y", 2);
    QCOMPARE(d->captionLines(), (QStringList{"Filter: G = y", "n = 1"}));
}

void TstAngaben::drawnUnderTheChart()
{
    BalkenDiagram d;
    d.setData({4, 2});
    d.setLabels({"a", "b"});
    const QSize size(300, 220);
    QImage plain(size, QImage::Format_ARGB32);
    plain.fill(Qt::white);
    {
        QPainter p(&plain);
        d.render(p, size);
    }
    // Without caption lines the chart is drawn as it always was.
    QImage direct(size, QImage::Format_ARGB32);
    direct.fill(Qt::white);
    {
        QPainter p(&direct);
        d.paint(p, size);
    }
    QCOMPARE(plain, direct);

    d.setCaption({"Filter: Region = Nord", "n = 6"});
    const QImage withLines = ViewPicture::of(&d, size);
    const int strip = d.captionHeight(QFontMetrics(d.font(), &withLines));
    QVERIFY(strip > 0);
    // The strip holds text, and the chart above it is the chart at the smaller height.
    int ink = 0;
    for (int y = size.height() - strip; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            ink += withLines.pixelColor(x, y).lightness() < 128 ? 1 : 0;
    QVERIFY(ink > 20);
    const BalkenLayout l = d.barLayout(QSize(size.width(), size.height() - strip),
                                       QFontMetrics(d.font(), &withLines),
                                       QFontMetrics(DiagramGeometry::titleFont(d.font()), &withLines));
    const QRect bar = l.items.first().front;
    QCOMPARE(withLines.pixelColor(bar.center()), QColor(Qt::blue));
    QVERIFY(bar.bottom() < size.height() - strip);
}

void TstAngaben::tableShowsThemBelowItsTable()
{
    TabellenDiagramm t;
    t.setLabels({"a"});
    t.setData({1});
    const QString text = t.toText();
    const QString html = t.toHTML();
    QVERIFY(t.captionLabelWidget()->isHidden());
    t.setCaption({"Filter: G = x", "n = 1"});
    QCOMPARE(t.captionLabelWidget()->text(), QString("Filter: G = x\nn = 1"));
    QVERIFY(!t.captionLabelWidget()->isHidden());
    // What the table gives to the clipboard and the report's cells stay as they were.
    QCOMPARE(t.toText(), text);
    QCOMPARE(t.toHTML(), html);
    t.setCaption({});
    QVERIFY(t.captionLabelWidget()->isHidden());
}

// Direct values count the cells that give a number; the column combinations count
// every row.
void TstAngaben::everyOtherAdapterSaysItsBase()
{
    std::unique_ptr<SpaltenSpeicher> m(TestUtil::makeModel(
        {"A", "B"}, {{"3", "1"}, {"", "2"}, {"x", "0"}, {"5", "4"}}));
    DirektDiagramAdapter direct;
    auto* d1 = new BalkenDiagram;
    direct.setModel(m.get());
    direct.setDiagram(d1);
    QCOMPARE(d1->values(), (QVector<double>{3, 5}));
    QCOMPARE(d1->captionLines(), QStringList{"n = 2"});

    DirektMultiDiagramAdapter multi;
    auto* d2 = new BalkenDiagram;
    multi.setModel(m.get());
    multi.setDiagram(d2);
    multi.setSpalten({0, 1});
    QCOMPARE(d2->captionLines(), QStringList{"n = 2 (A), 3 (B)"});

    SpaltenHaeufigkeitsDiagramAdapter combos;
    auto* d3 = new BalkenDiagram;
    combos.setModel(m.get());
    combos.setDiagram(d3);
    combos.setSpalten({0, 1});
    QCOMPARE(d3->captionLines(), QStringList{"n = 4"});
}

void TstAngaben::chiSquareDrawsThemWithItsDiagram()
{
    std::unique_ptr<SpaltenSpeicher> m(TestUtil::makeModel(
        {"Wert", "G"}, {{"1", "a"}, {"2", "a"}, {"2", "b"}, {"3", "a"}, {"4", "b"}}));
    ChiQuadrat v;
    auto* d = new BalkenDiagram;
    v.setModel(m.get());
    v.setDiagram(d);
    auto* grid = qobject_cast<QGridLayout*>(v.layout());
    const int items = grid->count();
    QCOMPARE(d->captionLines(), QStringList{"n = 5"});
    v.setDepFilter("a", 1);
    QCOMPARE(d->captionLines(), (QStringList{"Filter: G = a", "n = 3"}));
    // The grid of controls holds what it held: the lines belong to the diagram.
    QCOMPARE(grid->count(), items);
    for (QLabel* l : v.findChildren<QLabel*>())
        QVERIFY(!l->text().contains(QStringLiteral("n = ")));
}

void TstAngaben::xmasGrowsByItsLines()
{
    XmasDiagram x;
    QCOMPARE(x.size(), QSize(150, 280));
    x.setCaption({"n = 7"});
    const int strip = x.captionHeight(x.fontMetrics());
    QCOMPARE(x.size(), QSize(150, 280 + strip));
    // The picture keeps its place; the line is written under it on white.
    const QImage img = ViewPicture::of(&x);
    QCOMPARE(img.pixelColor(75, 250), QColor(240, 100, 0));
    int ink = 0;
    for (int y = 280; y < img.height(); ++y)
        for (int c = 0; c < 150; ++c)
            ink += img.pixelColor(c, y).lightness() < 128 ? 1 : 0;
    QVERIFY(ink > 5);
    x.setCaption({});
    QCOMPARE(x.size(), QSize(150, 280));
}

void TstAngaben::similarityViewsExplainTheirColours()
{
    std::unique_ptr<SpaltenSpeicher> m(TestUtil::makeModel(
        {"A", "B", "C"}, {{"x", "y", "z"}, {"x", "y", "w"}}));
    ModelAenlichkeitsTabelle table;
    table.setModel(m.get());
    table.setSpalten({0, 1, 2});
    const QString text = table.toText();
    const QVector<FarbLegende::Eintrag> bands = table.legende()->eintraege();
    QCOMPARE(bands.size(), 5);
    // Every colour of a cell has its entry: the two cells' colours among them.
    const QList<QColor> used = {AenlichkeitsCodes::colour(66), AenlichkeitsCodes::colour(100)};
    for (const QColor& c : used) {
        bool found = false;
        for (const auto& b : bands)
            found = found || b.colour == c;
        QVERIFY(found);
    }
    QCOMPARE(bands.at(0).text, QString("unter 10 %"));
    QCOMPARE(bands.at(3).text, QString("50 bis 69 %"));
    QVERIFY(table.legende()->heading().contains(QStringLiteral("Prozent")));
    QCOMPARE(table.toText(), text);   // the clipboard's text stays as it was

    ModelAenlichkeits3dView bars;
    bars.setModel(m.get());
    bars.setSpalten({0, 1, 2});
    QCOMPARE(bars.legende()->eintraege().size(), 5);
    QVERIFY(bars.legende()->heading().contains(QStringLiteral("3 gewählten Spalten")));
}

QTEST_MAIN(TstAngaben)
#include "tst_angaben.moc"
