#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QStandardItemModel>
#include <QtTest>
#include <cmath>
#include <memory>

#include "analyses/batterie.h"
#include "analyses/viewtypes.h"
#include "core/fehlendewerte.h"
#include "core/gewichtung.h"
#include "io/statistikdatei.h"
#include "diagrams/divergierendebalken.h"
#include "testutil.h"

using DB = DivergierendeBalken;

// Diverging bars of a battery of rating items: their numbers against hand-worked
// shares, their geometry, and one painted picture.
class TstBatterie : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void anteileUndReihenfolge();
    void gewichtet();
    void geometrieUngeradeUndGerade();
    void bildUndAnsicht();
    void fehlendeCodesZaehlenNicht();
};

namespace {
const QStringList fuenf{"sehr gut", "gut", "teils/teils", "schlecht", "sehr schlecht"};

QStringList wiederhole(const QList<std::pair<QString, int>>& teile)
{
    QStringList out;
    for (const auto& t : teile)
        for (int i = 0; i < t.second; ++i)
            out << t.first;
    return out;
}
}

void TstBatterie::anteileUndReihenfolge()
{
    // Item "Preis": 10 answers in the base, 2 put aside, 1 empty (no answer).
    const QStringList preis = wiederhole({{"sehr gut", 1}, {"gut", 2}, {"teils/teils", 2},
                                          {"schlecht", 3}, {"sehr schlecht", 2},
                                          {"weiß nicht", 2}, {"", 1}});
    const QStringList service = wiederhole({{"sehr gut", 6}, {"gut", 2}, {"teils/teils", 1},
                                            {"schlecht", 1}, {"sehr schlecht", 0},
                                            {"keine Angabe", 0}, {"", 3}});
    const DB::Daten d = Batterie::rechne({"Preis", "Service"}, {preis, service});
    QCOMPARE(d.stufen, fuenf);
    // Sorted by net agreement: Service (0.8 - 0.1) before Preis (0.3 - 0.5).
    QCOMPARE(d.items.at(0).titel, QString("Service"));
    const DB::Item& p = d.items.at(1);
    QCOMPARE(p.anteile, QVector<double>({0.1, 0.2, 0.2, 0.3, 0.2}));
    QCOMPARE(p.beiseite, 2.0 / 12);
    QVERIFY(std::fabs(p.top2 - 0.3) < 1e-12);
    QVERIFY(std::fabs(p.bottom2 - 0.5) < 1e-12);
    QCOMPARE(Batterie::text(d).section('\n', 2, 2),
             QString("Preis\t10.0\t20.0\t20.0\t30.0\t20.0\t16.7\t30.0\t50.0\t-20.0"));
}

void TstBatterie::gewichtet()
{
    // Weights 2, 1, 1, 4 on "stimme voll zu", "stimme eher zu", "weiß nicht",
    // "stimme gar nicht zu": base 7 (2 + 1 + 4), put aside 1 of 8.
    const QStringList a{"stimme voll zu", "stimme eher zu", "weiß nicht", "stimme gar nicht zu"};
    const DB::Daten d = Batterie::rechne({"A"}, {a}, Gewichte::ausWerten({2, 1, 1, 4}, "w"));
    QCOMPARE(d.stufen.size(), 4);
    const DB::Item& it = d.items.at(0);
    QVERIFY(std::fabs(it.anteile.at(0) - 2.0 / 7) < 1e-12);
    QVERIFY(std::fabs(it.top2 - 3.0 / 7) < 1e-12);
    QVERIFY(std::fabs(it.bottom2 - 4.0 / 7) < 1e-12);
    QCOMPARE(it.beiseite, 1.0 / 8);
}

void TstBatterie::geometrieUngeradeUndGerade()
{
    const QFontMetrics fm(QFont("DejaVu Sans", 9));
    DB::Daten d;
    d.stufen = fuenf;
    d.items << DB::Item{"A", {0.1, 0.2, 0.2, 0.3, 0.2}, 0.1, 0.3, 0.5}
            << DB::Item{"B", {0.6, 0.2, 0.1, 0.1, 0.0}, 0.0, 0.8, 0.1};
    const DB::Layout l = DB::layout(d, QSizeF(600, 300), fm);
    // The widest side is B's positive 0.85 (0.8 + half the middle): it fills half the area.
    QVERIFY(l.proAnteil > 0);
    const auto& a = l.balken.at(0);
    QCOMPARE(a.size(), 5);
    // The middle step is split at the neutral point.
    QVERIFY(std::fabs(a.at(0).rect.center().x() - l.mitte) < 1e-9);
    QCOMPARE(a.at(0).stufe, 2);
    // Positive steps to the right, the mildest first; negative to the left.
    QCOMPARE(a.at(1).stufe, 1);
    QVERIFY(std::fabs(a.at(1).rect.left() - a.at(0).rect.right()) < 1e-9);
    QCOMPARE(a.at(2).stufe, 0);
    QVERIFY(a.at(2).rect.left() > a.at(1).rect.left());
    QCOMPARE(a.at(3).stufe, 3);
    QVERIFY(std::fabs(a.at(3).rect.right() - a.at(0).rect.left()) < 1e-9);
    QVERIFY(std::fabs(a.at(3).rect.width() - 0.3 * l.proAnteil) < 1e-9);
    // A's negative side: 0.1 + 0.3 + 0.2 = 0.6 of the scale left of the centre.
    QVERIFY(std::fabs(l.mitte - a.at(4).rect.left() - 0.6 * l.proAnteil) < 1e-9);
    // The shares are written outside the bar ends; the aside bar in its own column.
    QVERIFY(l.bottomText.at(0).right() <= a.at(4).rect.left());
    QVERIFY(l.topText.at(0).left() >= a.at(2).rect.right());
    QVERIFY(l.beiseite.at(0).left() > l.topText.at(1).right() - 1);
    QCOMPARE(l.beiseite.at(1).width(), 0.0);

    // An even scale: the bars meet at the centre, between the two middle steps.
    DB::Daten g;
    g.stufen = {"1", "2", "3", "4"};
    g.items << DB::Item{"C", {0.25, 0.25, 0.25, 0.25}, 0, 0.5, 0.5};
    const DB::Layout e = DB::layout(g, QSizeF(400, 200), fm);
    QCOMPARE(e.balken.at(0).at(0).stufe, 1);
    QVERIFY(std::fabs(e.balken.at(0).at(0).rect.left() - e.mitte) < 1e-9);
    QCOMPARE(e.balken.at(0).at(2).stufe, 2);
    QVERIFY(std::fabs(e.balken.at(0).at(2).rect.right() - e.mitte) < 1e-9);
    // Shares that are no numbers take no room; nothing at all gives an empty layout.
    g.items[0].anteile = {std::nan(""), 0.5, 0.5, -1};
    const DB::Layout n = DB::layout(g, QSizeF(400, 200), fm);
    QCOMPARE(n.balken.at(0).at(1).rect.width(), 0.0);
    QVERIFY(DB::layout(DB::Daten(), QSizeF(10, 10), fm).balken.isEmpty());
}

void TstBatterie::bildUndAnsicht()
{
    std::unique_ptr<QStandardItemModel> m(TestUtil::makeModel(
        {"Preis", "Service", "Gewicht"},
        {{"1", "5", "1"}, {"2", "5", "1"}, {"5", "4", "1"}, {"3", "weiß nicht", "1"}}));
    const ViewTypes::SpecialViewType* type = ViewTypes::specialViewType("Batterie");
    QVERIFY(type && type->make);
    std::unique_ptr<ModelClient> v(type->make(m.get(), {0, 1}));
    auto* b = qobject_cast<Batterie*>(v.get());
    QVERIFY(b);
    QCOMPARE(b->neededVersion(), int(StatistikDatei::SkalenVersion));
    QCOMPARE(b->daten().items.at(0).titel, QString("Service"));
    QCOMPARE(b->daten().items.at(0).top2, 1.0);
    // The view follows a cell change.
    m->item(0, 1)->setText("1");
    m->item(1, 1)->setText("1");
    QTRY_VERIFY(b->daten().items.at(0).titel == "Preis");

    QImage img(500, 240, QImage::Format_RGB32);
    QPainter p(&img);
    p.setFont(QFont("DejaVu Sans", 9));
    b->balken()->paint(p, img.size());
    const DB::Layout l = DB::layout(b->daten(), QSizeF(img.size()), p.fontMetrics());
    p.end();
    // The most positive step of Service (5, green) right of the centre.
    for (const DB::Segment& seg : l.balken.at(1))
        if (seg.stufe == 0 && seg.rect.width() > 2) {
            const QColor c = img.pixelColor(seg.rect.center().toPoint());
            QVERIFY(c.green() > c.red());
            QVERIFY(seg.rect.left() >= l.mitte - 1e-9);
        }
}

// An answer declared missing is no answer to the battery either.
void TstBatterie::fehlendeCodesZaehlenNicht()
{
    std::unique_ptr<QStandardItemModel> m(TestUtil::makeModel(
        {"Preis", "Service"}, {{"1", "5"}, {"2", "5"}, {"5", "4"}, {"3", "1"}}));
    FehlendeWerte::setCodes(m.get(), 0, {"1"});
    const ViewTypes::SpecialViewType* type = ViewTypes::specialViewType("Batterie");
    std::unique_ptr<ModelClient> v(type->make(m.get(), {0, 1}));
    auto* b = qobject_cast<Batterie*>(v.get());
    QVERIFY(b);
    bool found = false;
    for (const auto& item : b->daten().items)
        if (item.titel == "Preis") {
            found = true;
            QCOMPARE(item.top2, 1.0 / 3.0);   // 5 of 2, 5, 3; with the code it was 1 of 4
        }
    QVERIFY(found);
}

QTEST_MAIN(TstBatterie)
#include "tst_batterie.moc"
