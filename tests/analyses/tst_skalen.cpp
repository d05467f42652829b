#include <QAction>
#include <QDataStream>
#include <QLabel>
#include "core/spaltenspeicher.h"
#include <QTableWidget>
#include <QtTest>
#include <cmath>
#include <memory>

#include "analyses/haeufigkeitsdiagramadapter.h"
#include "analyses/haeufigkeitsprozentdiagramadapter.h"
#include "analyses/kreuztabelle.h"
#include "io/statistikdatei.h"
#include "diagrams/balkendiagram.h"
#include "scriptedanswerer.h"

#include "analyses/kreuztabellenrechnung.h"
#include "analyses/skalenrechnung.h"
#include "core/gewichtung.h"
#include "core/skala.h"
#include "testutil.h"

using KR = KreuztabellenRechnung;
using SR = SkalenRechnung;

namespace {
SR::Summen summen(const QVector<double>& x, const QVector<double>& w = {})
{
    SR::Summen s;
    for (int i = 0; i < x.size(); ++i)
        s.add(x.at(i), w.isEmpty() ? 1.0 : w.at(i));
    return s;
}

SR::Nps nps(const QVector<int>& scores, const QVector<double>& w = {})
{
    SR::NpsSummen s;
    for (int i = 0; i < scores.size(); ++i)
        s.add(scores.at(i), w.isEmpty() ? 1.0 : w.at(i));
    return s.ergebnis();
}

// 20 scores: 8 promoters, 7 passives, 5 detractors.
const QVector<int> npsA{10, 10, 10, 10, 10, 9, 9, 9, 8, 8, 8, 8, 7, 7, 7, 6, 5, 3, 0, 2};
const QVector<double> npsAGewicht{2, 2, 2, 2, 2, 1, 1, 1, 1, 1, 1, 1, 0.5, 0.5, 0.5, 1, 1, 2, 1, 1};
// 20 scores: 3 promoters, 7 passives, 10 detractors.
const QVector<int> npsB{10, 10, 9, 8, 8, 8, 8, 7, 7, 7, 6, 5, 3, 0, 2, 4, 1, 6, 5, 3};

bool nahe(double a, double b, double eps)
{
    return std::fabs(a - b) <= eps;
}
}

// Rating scales: recognising and ordering them, and the figures reported of them (means
// with Welch letters and ANOVA, NETs, the NPS), against values worked out by hand or
// with an independent arbitrary-precision computation.
class TstSkalen : public QObject
{
    Q_OBJECT
private slots:
    void ordne_data();
    void ordne();
    void beiseite();
    void werte();
    void welch_data();
    void welch();
    void anova_data();
    void anova();
    void korrektur();
    void npsIntervall_data();
    void npsIntervall();
    void kreuztabelleNetsUndBeiseite();
    void kreuztabelleMittelwerte();
    void kreuztabelleNps();
    void ansichtMenueUndSatz();
    void haeufigkeitMitZusammenfassungen();
};

void TstSkalen::ordne_data()
{
    QTest::addColumn<QStringList>("antworten");
    QTest::addColumn<QStringList>("erwartet");
    QTest::addColumn<int>("stufen");

    QTest::newRow("zufrieden, five steps, aside last")
        << QStringList{"eher unzufrieden", "weiß nicht", "sehr zufrieden", "teils/teils",
                       "sehr unzufrieden", "eher zufrieden"}
        << QStringList{"sehr zufrieden", "eher zufrieden", "teils/teils", "eher unzufrieden",
                       "sehr unzufrieden", "weiß nicht"}
        << 5;
    QTest::newRow("stimme zu, the ends spelt otherwise")
        << QStringList{"Keine Angabe", "stimme eher zu", "stimme überhaupt nicht zu",
                       "stimme voll und ganz zu", "stimme eher nicht zu"}
        << QStringList{"stimme voll und ganz zu", "stimme eher zu", "stimme eher nicht zu",
                       "stimme überhaupt nicht zu", "Keine Angabe"}
        << 4;
    QTest::newRow("sehr gut ... sehr schlecht, seven steps")
        << QStringList{"gut", "schlecht", "sehr gut", "eher gut", "mittel", "eher schlecht",
                       "sehr schlecht"}
        << QStringList{"sehr gut", "gut", "eher gut", "mittel", "eher schlecht", "schlecht",
                       "sehr schlecht"}
        << 7;
    QTest::newRow("numbers 1-5, some not given")
        << QStringList{"1", "3", "2", "5", "Weiss nicht"}
        << QStringList{"5", "3", "2", "1", "Weiss nicht"} << 5;
    QTest::newRow("numbers 1-7") << QStringList{"6", "1", "7", "4"}
                                 << QStringList{"7", "6", "4", "1"} << 7;
    QTest::newRow("numbers 0-10")
        << QStringList{"0", "10", "9", "7", "k.A."} << QStringList{"10", "9", "7", "0", "k.A."}
        << 11;
    QTest::newRow("numbers beyond the scales: as before")
        << QStringList{"12", "3", "100"} << QStringList{"12", "3", "100"} << 0;
    QTest::newRow("a few small numbers are no scale")
        << QStringList{"0", "1", "2", "3"} << QStringList{"0", "1", "2", "3"} << 0;
    QTest::newRow("both ends but no step between") << QStringList{"1", "5"}
                                                   << QStringList{"1", "5"} << 0;
    QTest::newRow("decimals are no scale") << QStringList{"2.5", "1", "3"}
                                           << QStringList{"2.5", "1", "3"} << 0;
    QTest::newRow("words of no scale: as before, aside last")
        << QStringList{"keine Angabe", "rot", "gut", "blau"}
        << QStringList{"rot", "gut", "blau", "keine Angabe"} << 0;
    QTest::newRow("one step is no scale") << QStringList{"sehr gut", "weiß nicht"}
                                          << QStringList{"sehr gut", "weiß nicht"} << 0;
}

void TstSkalen::ordne()
{
    QFETCH(QStringList, antworten);
    QFETCH(QStringList, erwartet);
    QFETCH(int, stufen);
    QCOMPARE(Skala::ordne(antworten), erwartet);
    QCOMPARE(int(Skala::erkenne(antworten).stufen.size()), stufen);
}

// The answers put aside in their spellings, and long free-text columns judged without
// building each answer's key: that shortcut rests on how lower case maps characters,
// which is checked here for every one.
void TstSkalen::beiseite()
{
    for (const QString& t :
         {QStringLiteral("weiß nicht"), QStringLiteral("  Weiss   Nicht\t"),
          QStringLiteral("WEISS NICHT / KEINE ANGABE"), QStringLiteral("K. A."),
          QStringLiteral("\u212A.a."), QStringLiteral("Kann ich nicht beurteilen"),
          QStringLiteral("weiß nicht/keine angabe")})
        QVERIFY2(Skala::beiseite(t), qPrintable(t));
    for (const QString& t :
         {QString(), QStringLiteral("   "), QStringLiteral("keine"),
          QStringLiteral("Keine Angabe!"), QStringLiteral("kann ich nicht beurteilen, leider"),
          QStringLiteral("rot"), QStringLiteral("xweiss nicht")})
        QVERIFY2(!Skala::beiseite(t), qPrintable(t));

    for (char32_t c = 0; c <= 0x10FFFF; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF)
            continue;
        const QString zeichen = QString::fromUcs4(&c, 1);
        const QString klein = zeichen.toLower();
        const bool leer = zeichen.at(0).isSpace();
        QVERIFY2(klein.size() >= zeichen.size(), qPrintable(QString::number(c, 16)));
        for (QChar k : klein)
            QVERIFY2(k.isSpace() == leer, qPrintable(QString::number(c, 16)));
        if (klein.startsWith(QLatin1Char('w')) || klein.startsWith(QLatin1Char('k')))
            QVERIFY2(c == 'w' || c == 'W' || c == 'k' || c == 'K' || c == 0x212A,
                     qPrintable(QString::number(c, 16)));
    }
}

void TstSkalen::werte()
{
    // A verbal scale scores its positive end highest; an even one has no neutral step.
    const Skala vier = Skala::erkenne({"sehr zufrieden", "eher zufrieden", "eher unzufrieden",
                                       "sehr unzufrieden"});
    QCOMPARE(vier.wert("sehr zufrieden"), 4.0);
    QCOMPARE(vier.wert("Sehr Unzufrieden "), 1.0);
    QCOMPARE(vier.neutral(), -1);
    QVERIFY(std::isnan(vier.wert("weiß nicht")));
    const Skala fuenf = Skala::erkenne({"sehr gut", "sehr schlecht", "teils/teils"});
    QCOMPARE(fuenf.stufen, QStringList({"sehr gut", "gut", "teils/teils", "schlecht",
                                        "sehr schlecht"}));
    QCOMPARE(fuenf.neutral(), 2);
    QCOMPARE(Skala::erkenne({"1", "4", "7"}).wert("7"), 7.0);
}

void TstSkalen::welch_data()
{
    QTest::addColumn<QVector<double>>("wa");
    QTest::addColumn<QVector<double>>("wb");
    QTest::addColumn<double>("p");
    QTest::newRow("unweighted") << QVector<double>() << QVector<double>() << 0.07057967269063426;
    QTest::newRow("weighted")
        << QVector<double>{1, 2, 1, 0.5, 1, 2} << QVector<double>{1, 1, 2, 1, 0.5, 1, 1}
        << 0.07661164873797615;
}

void TstSkalen::welch()
{
    QFETCH(QVector<double>, wa);
    QFETCH(QVector<double>, wb);
    QFETCH(double, p);
    const SR::Summen a = summen({2, 4, 4, 5, 7, 8}, wa);
    const SR::Summen b = summen({1, 2, 2, 3, 3, 5, 4}, wb);
    QVERIFY2(nahe(SR::welchP(a, b), p, 1e-9), qPrintable(QString::number(SR::welchP(a, b), 'g', 17)));
    QVERIFY(nahe(SR::welchP(b, a), p, 1e-9));
    // One respondent, or no spread at all, gives nothing to test.
    QVERIFY(std::isnan(SR::welchP(a, summen({3}))));
    QVERIFY(std::isnan(SR::welchP(summen({2, 2}), summen({3, 3}))));
}

void TstSkalen::anova_data()
{
    QTest::addColumn<QVector<QVector<double>>>("w");
    QTest::addColumn<double>("f");
    QTest::addColumn<double>("df2");
    QTest::addColumn<double>("p");
    QTest::newRow("unweighted") << QVector<QVector<double>>{{}, {}, {}} << 9.264705882352941
                                << 15.0 << 0.0023987773293929083;
    QTest::newRow("weighted")
        << QVector<QVector<double>>{{1, 2, 1, 1, 0.5, 1}, {1, 1, 1, 2, 2, 1}, {0.5, 1, 1, 1, 1, 3}}
        << 5.6300183516637 << 11.699828473413379 << 0.019373342395686484;
}

void TstSkalen::anova()
{
    QFETCH(QVector<QVector<double>>, w);
    QFETCH(double, f);
    QFETCH(double, df2);
    QFETCH(double, p);
    const QVector<QVector<double>> g{{6, 8, 4, 5, 3, 4}, {8, 12, 9, 11, 6, 8}, {13, 9, 11, 8, 7, 12}};
    // A group nobody is in takes no part.
    const SR::Anova a = SR::anova({summen(g[0], w[0]), SR::Summen(), summen(g[1], w[1]),
                                   summen(g[2], w[2])});
    QVERIFY(a.berechnet);
    QVERIFY(nahe(a.f, f, 1e-9));
    QCOMPARE(a.df1, 2.0);
    QVERIFY(nahe(a.df2, df2, 1e-9));
    QVERIFY(nahe(a.p, p, 1e-9));
    QVERIFY(!SR::anova({summen(g[0])}).berechnet);
    QVERIFY(!SR::anova({summen({1, 1}), summen({2, 2})}).berechnet);
}

void TstSkalen::korrektur()
{
    const QVector<double> p{0.01, 0.04, SR::NaN, 0.03};
    const QVector<double> holm = SR::korrigiere(p, SR::Holm);
    const QVector<double> bonf = SR::korrigiere(p, SR::Bonferroni);
    const QVector<double> holmErwartet{0.03, 0.06, SR::NaN, 0.06};
    const QVector<double> bonfErwartet{0.03, 0.12, SR::NaN, 0.09};
    for (int i = 0; i < p.size(); ++i) {
        QCOMPARE(std::isnan(holm.at(i)), std::isnan(p.at(i)));
        if (!std::isnan(p.at(i))) {
            QVERIFY(nahe(holm.at(i), holmErwartet.at(i), 1e-12));
            QVERIFY(nahe(bonf.at(i), bonfErwartet.at(i), 1e-12));
        }
    }
    // Letters: B (5) is above C (1) at p = 0.004 and above A (3) at p = 0.03; Holm over
    // the three pairs keeps the first (0.012 -> lower case), drops the second (0.06).
    QVector<double> paare(9, SR::NaN);
    paare[0 * 3 + 1] = 0.03;
    paare[0 * 3 + 2] = 0.5;
    paare[1 * 3 + 2] = 0.004;
    QCOMPARE(SR::buchstaben({3, 5, 1}, paare, SR::Ohne), QVector<QString>({"", "aC", ""}));
    QCOMPARE(SR::buchstaben({3, 5, 1}, paare, SR::Holm), QVector<QString>({"", "c", ""}));
    QCOMPARE(SR::buchstaben({3, 5, 1}, paare, SR::Bonferroni), QVector<QString>({"", "c", ""}));
}

void TstSkalen::npsIntervall_data()
{
    QTest::addColumn<QVector<double>>("w");
    QTest::addColumn<double>("wert");
    QTest::addColumn<double>("unten");
    QTest::addColumn<double>("oben");
    // By hand: P = 0.40, D = 0.25, Var = (0.65 - 0.15^2) / 20, se = 17.713 points.
    QTest::newRow("unweighted") << QVector<double>() << 15.0 << -19.71682164301308
                                << 49.71682164301308;
    QTest::newRow("weighted") << npsAGewicht << 28.571428571428573 << -11.272435354220437
                              << 68.41529249707758;
}

void TstSkalen::npsIntervall()
{
    QFETCH(QVector<double>, w);
    QFETCH(double, wert);
    QFETCH(double, unten);
    QFETCH(double, oben);
    const SR::Nps n = nps(npsA, w);
    QVERIFY(nahe(n.wert, wert, 1e-9));
    QVERIFY(nahe(n.unten, unten, 1e-9));
    QVERIFY(nahe(n.oben, oben, 1e-9));
    if (w.isEmpty()) {
        QCOMPARE(n.promotoren, 0.4);
        QCOMPARE(n.passive, 0.35);
        QCOMPARE(n.detraktoren, 0.25);
        // 15 against -35 points.
        QVERIFY(nahe(SR::npsP(n, nps(npsB)), 0.03746815707750562, 1e-9));
    }
    // Scores outside 0..10 are not counted; nobody gives nothing to show.
    QVERIFY(!nps({11, -1}).berechnet());
}

void TstSkalen::kreuztabelleNetsUndBeiseite()
{
    // Row question "Zufriedenheit" against G; "weiß nicht" is out of every base.
    QStringList z, g;
    const auto add = [&](const QString& a, const QString& b, int n) {
        for (int i = 0; i < n; ++i) {
            z << a;
            g << b;
        }
    };
    add("sehr zufrieden", "m", 30);
    add("zufrieden", "m", 20);
    add("unzufrieden", "m", 50);
    add("sehr zufrieden", "w", 10);
    add("zufrieden", "w", 10);
    add("unzufrieden", "w", 80);
    add("weiß nicht", "m", 25);
    KR::Optionen o;
    o.zusammenfassungen = KR::topBottom2({"sehr zufrieden", "zufrieden", "unzufrieden",
                                          "weiß nicht"});
    QCOMPARE(o.zusammenfassungen.size(), 2);
    QCOMPARE(o.zusammenfassungen.at(0).name, QString("Top-2 (zufrieden)"));
    // A NET listing an answer twice still counts its respondents once.
    o.zusammenfassungen[0].antworten << "zufrieden";
    const KR::Ergebnis e = KR::rechne(KR::Frage::ausTexten("Zufriedenheit", z),
                                      {KR::Frage::ausTexten("G", g)}, Gewichte(), o);
    QCOMPARE(e.zeilen, QStringList({"sehr zufrieden", "zufrieden", "unzufrieden", "weiß nicht",
                                    "Top-2 (zufrieden)", "Bottom-2 (unzufrieden)"}));
    QCOMPARE(e.basis, 200);
    const KR::Block& b = e.bloecke.at(0);
    QCOMPARE(b.summe, QVector<double>({100, 100}));
    QCOMPARE(b.zelle(4, 0), 50.0);
    QCOMPARE(b.zelle(4, 1), 20.0);
    QCOMPARE(b.zelle(3, 0), 25.0);
    // 50 % against 20 % of 100 each: z = 4.4, p < 0.01.
    QCOMPARE(b.buchstaben.at(4 * 2 + 0), QString("B"));
    QCOMPARE(b.buchstaben.at(5 * 2 + 1), QString("A"));
    const QVector<QStringList> r = KR::raster(e, KR::Spalten);
    // The aside row is shown with its share of the base and letters like any row.
    QCOMPARE(r.at(4).at(2), QString("25 25.0 % B"));
    QCOMPARE(r.at(5).at(2), QString("50 50.0 % B"));
    QCOMPARE(r.at(5).at(1), QString("70 35.0 %"));
    // The test of independence is of the answers in the base: 3 x 2.
    QCOMPARE(b.test.df, 2);
}

void TstSkalen::kreuztabelleMittelwerte()
{
    // The unweighted example of the t-test in two columns, a third column of one
    // respondent; scores 1-5 as texts.
    QStringList z, g;
    const QVector<QVector<double>> werte{{4, 4, 5, 5, 5, 3}, {1, 2, 2, 3, 3, 5, 4}, {3}};
    for (int c = 0; c < werte.size(); ++c)
        for (double v : werte.at(c)) {
            z << QString::number(v);
            g << QString(QChar('p' + c));
        }
    z << "keine Angabe";
    g << "p";
    KR::Optionen o;
    o.mittelwerte = true;
    const KR::Ergebnis e = KR::rechne(KR::Frage::ausTexten("Note", z),
                                      {KR::Frage::ausTexten("G", g)}, Gewichte(), o);
    QVERIFY(e.mittelwerte);
    const KR::Block& b = e.bloecke.at(0);
    QCOMPARE(b.mittel.at(0).n, 6);
    QCOMPARE(b.mittel.at(0).mittel(), 26.0 / 6);
    // By hand: 68 - 20^2 / 7 = 76 / 7 around the mean, over 6.
    QVERIFY(nahe(b.mittel.at(1).sd(), std::sqrt(76.0 / 42), 1e-12));
    // Independently computed: t = 2.428, df = 10.04, p = 0.03547.
    QVERIFY(nahe(SR::welchP(b.mittel.at(0), b.mittel.at(1)), 0.035473995982477184, 1e-9));
    QCOMPARE(b.mittelBuchstaben, QVector<QString>({"b", "", ""}));
    QVERIFY(b.anova.berechnet);
    QCOMPARE(b.anova.df1, 2.0);
    QCOMPARE(b.anova.df2, 11.0);
    const QVector<QStringList> r = KR::raster(e, KR::Spalten);
    const QStringList mittel = r.at(r.size() - 3);
    QCOMPARE(mittel.at(0), QString("Mittelwert"));
    QCOMPARE(mittel.at(2), QString("4.33 b"));
    QCOMPARE(r.last().at(0), QString("Basis Mittelwert"));
    QCOMPARE(r.last().mid(1), QStringList({"14", "6", "7", "1"}));
    // Under the table the block's ANOVA.
    QVERIFY(KR::hinweise(e).join('\n').contains("G: Mittelwerte F = "));
    // Weighted, the letters follow the weighted test.
    const Gewichte w = Gewichte::ausWerten(QVector<double>(z.size(), 2.0), "w");
    const KR::Ergebnis ew = KR::rechne(KR::Frage::ausTexten("Note", z),
                                       {KR::Frage::ausTexten("G", g)}, w, o);
    QCOMPARE(ew.bloecke.at(0).mittelBuchstaben, QVector<QString>({"b", "", ""}));
    QCOMPARE(ew.bloecke.at(0).mittel.at(0).neff(), 6.0);
}

void TstSkalen::kreuztabelleNps()
{
    QStringList z, g;
    for (int s : npsA) {
        z << QString::number(s);
        g << "A";
    }
    for (int s : npsB) {
        z << QString::number(s);
        g << "B";
    }
    KR::Optionen o;
    o.nps = true;
    const KR::Ergebnis e = KR::rechne(KR::Frage::ausTexten("Empfehlung", z),
                                      {KR::Frage::ausTexten("Gruppe", g)}, Gewichte(), o);
    QVERIFY(e.mitNps);
    QCOMPARE(e.zeilen.first(), QString("10"));
    const KR::Block& b = e.bloecke.at(0);
    QVERIFY(nahe(b.nps.at(0).wert, 15.0, 1e-9));
    QVERIFY(nahe(b.nps.at(1).wert, -35.0, 1e-9));
    // p = 0.037: A is above B at 5 %.
    QCOMPARE(b.npsBuchstaben, QVector<QString>({"b", ""}));
    QVERIFY(nahe(e.npsGesamt.wert, -10.0, 1e-9));
    const QVector<QStringList> r = KR::raster(e, KR::Spalten);
    int zeile = -1;
    for (int i = 0; i < r.size(); ++i)
        if (r.at(i).first() == "NPS")
            zeile = i;
    QVERIFY(zeile > 0);
    QCOMPARE(r.at(zeile).at(2), QString("15.0 b"));
    QCOMPARE(r.at(zeile + 1).at(2), QString("[-19.7; 49.7]"));
}

void TstSkalen::ansichtMenueUndSatz()
{
    std::unique_ptr<SpaltenSpeicher> m(TestUtil::makeModel(
        {"Zufriedenheit", "G"},
        {{"sehr zufrieden", "m"}, {"zufrieden", "w"}, {"unzufrieden", "m"},
         {"sehr unzufrieden", "w"}, {"weiß nicht", "m"}, {"zufrieden", "m"}}));
    Kreuztabelle k;
    k.setModel(m.get());
    k.setSpalten({0, 1});
    // Rows from the positive end; "weiß nicht" last and out of the base.
    QCOMPARE(k.ergebnis().zeilen, QStringList({"sehr zufrieden", "zufrieden", "unzufrieden",
                                               "sehr unzufrieden", "weiß nicht"}));
    QCOMPARE(k.ergebnis().basis, 5);
    QVERIFY(k.notes()->text().contains("Nicht in der Basis: weiß nicht"));
    // Without the new settings the record is the one of before.
    QCOMPARE(k.neededVersion(), int(StatistikDatei::GewichtVersion));

    {
        ScriptedAnswerer answers;
        answers.accept(UserInput::Item, "Top-2 und Bottom-2");
        k.zusammenfassungenBearbeiten();
        QCOMPARE(answers.pending(), 0);
    }
    {
        ScriptedAnswerer answers;
        answers.accept(UserInput::Item, "Neue Zusammenfassung...")
            .accept(UserInput::Checks, QStringList{"zufrieden", "unzufrieden"})
            .accept(UserInput::Text, "Mitte");
        k.zusammenfassungenBearbeiten();
        QCOMPARE(answers.pending(), 0);
    }
    QCOMPARE(k.ergebnis().zeilen.mid(5), QStringList({"Top-2 (zufrieden)",
                                                      "Bottom-2 (unzufrieden)", "Mitte"}));
    k.mittelwerteAction()->trigger();
    k.korrekturActions().at(SR::Holm)->trigger();
    QVERIFY(k.ergebnis().mittelwerte);
    QCOMPARE(k.ergebnis().korrektur, SR::Holm);
    QCOMPARE(k.neededVersion(), int(StatistikDatei::SkalenVersion));
    // Taking a NET away again.
    {
        ScriptedAnswerer answers;
        answers.accept(UserInput::Item, "Entfernen: Bottom-2 (unzufrieden)");
        k.zusammenfassungenBearbeiten();
    }
    QCOMPARE(k.optionen().zusammenfassungen.size(), 2);

    QByteArray record;
    {
        QDataStream s(&record, QIODevice::WriteOnly);
        s.setVersion(QDataStream::Qt_4_6);
        k.saveData(s, StatistikDatei::SkalenVersion);
    }
    TestUtil::Out expected;
    expected << qint32(0x200) << qint32(2) << QString("Top-2 (zufrieden)")
             << QVariant(QStringList{"sehr zufrieden", "zufrieden"}) << QString("Mitte")
             << QVariant(QStringList{"zufrieden", "unzufrieden"}) << true << false << qint32(2);
    QCOMPARE(record.toHex(), expected.bytes.toHex());
    Kreuztabelle back;
    back.setModel(m.get());
    back.setSpalten({0, 1});
    {
        QDataStream s(record);
        s.setVersion(QDataStream::Qt_4_6);
        back.loadData(s, StatistikDatei::SkalenVersion);
    }
    QCOMPARE(back.optionen(), k.optionen());
    QVERIFY(back.mittelwerteAction()->isChecked());
    QCOMPARE(back.toText(), k.toText());
    QVERIFY(back.toText().contains("Buchstaben der Mittelwerte: Welch-t-Test, zweiseitig, "
                                   "Holm-korrigiert"));

    // Damaged settings: a hostile count, an unknown correction, a cut record.
    for (int cut : {4, 8, 20, int(record.size()) - 1}) {
        Kreuztabelle damaged;
        QDataStream s(record.left(cut));
        s.setVersion(QDataStream::Qt_4_6);
        damaged.loadData(s, StatistikDatei::SkalenVersion);
        QVERIFY(damaged.optionen().leer());
    }
    QByteArray bad = record;
    bad[bad.size() - 1] = 9;
    Kreuztabelle damaged;
    QDataStream s(bad);
    s.setVersion(QDataStream::Qt_4_6);
    damaged.loadData(s, StatistikDatei::SkalenVersion);
    QVERIFY(damaged.optionen().leer());
    QDataStream huge(QByteArray::fromHex("00000200" "7fffffff"));
    damaged.loadData(huge, StatistikDatei::SkalenVersion);
    QVERIFY(damaged.optionen().leer());
}

void TstSkalen::haeufigkeitMitZusammenfassungen()
{
    std::unique_ptr<SpaltenSpeicher> m(TestUtil::makeModel(
        {"Note"}, {{"1"}, {"2"}, {"4"}, {"5"}, {"5"}, {"weiß nicht"}, {"3"}, {"5"}}));
    HaeufigkeitsProzentDiagramAdapter a;
    auto* d = new BalkenDiagram;
    a.setModel(m.get());
    a.setDiagram(d);
    // The numeric scale from 5 down, "weiß nicht" last.
    QCOMPARE(d->labelList(), QStringList({"5", "4", "3", "2", "1", "weiß nicht"}));
    QCOMPARE(a.neededVersion(), 0);
    {
        ScriptedAnswerer answers;
        answers.accept(UserInput::Item, "Top-2 und Bottom-2");
        a.antwortAnzeige().zusammenfassungenAction()->trigger();
        QCOMPARE(answers.pending(), 0);
    }
    QTRY_COMPARE(d->labelList().mid(6), QStringList({"Top-2 (4–5)", "Bottom-2 (1–2)"}));
    // Shares of the answers, the NETs their sums (4 of 8 and 2 of 8).
    QCOMPARE(d->values().mid(6), QVector<double>({50.0, 25.0}));
    QCOMPARE(d->values().at(0), 37.5);
    QCOMPARE(a.neededVersion(), int(StatistikDatei::SkalenVersion));

    // Kept in the record at its version and read back; at an older version the record
    // is the one of before.
    QByteArray neu, alt;
    {
        QDataStream s(&neu, QIODevice::WriteOnly);
        s.setVersion(QDataStream::Qt_4_6);
        a.saveData(s, StatistikDatei::SkalenVersion);
        QDataStream t(&alt, QIODevice::WriteOnly);
        t.setVersion(QDataStream::Qt_4_6);
        a.saveData(t, StatistikDatei::XYFilterVersion);
    }
    const QVector<Zusammenfassung> netze = a.antwortAnzeige().zusammenfassungen();
    a.antwortAnzeige().setZusammenfassungen({});
    QByteArray vorher, ohne;
    {
        QDataStream t(&vorher, QIODevice::WriteOnly);
        t.setVersion(QDataStream::Qt_4_6);
        a.saveData(t, StatistikDatei::XYFilterVersion);
        QDataStream u(&ohne, QIODevice::WriteOnly);
        u.setVersion(QDataStream::Qt_4_6);
        a.saveData(u, StatistikDatei::SkalenVersion);
    }
    QCOMPARE(alt.toHex(), vorher.toHex());
    // At the new version the list follows: its count and each NET.
    TestUtil::Out liste;
    liste << qint32(2) << QString("Top-2 (4–5)") << QVariant(QStringList{"5", "4"})
          << QString("Bottom-2 (1–2)") << QVariant(QStringList{"2", "1"});
    QCOMPARE(neu.toHex(), (ohne.left(ohne.size() - 4) + liste.bytes).toHex());
    a.antwortAnzeige().setZusammenfassungen(netze);
    HaeufigkeitsProzentDiagramAdapter b;
    b.setDiagram(new BalkenDiagram);
    QDataStream in(neu);
    in.setVersion(QDataStream::Qt_4_6);
    b.loadData(in, StatistikDatei::SkalenVersion);
    QCOMPARE(b.antwortAnzeige().zusammenfassungen(), a.antwortAnzeige().zusammenfassungen());
    // A cut list keeps no NETs.
    HaeufigkeitsProzentDiagramAdapter c;
    c.setDiagram(new BalkenDiagram);
    QDataStream cut(neu.left(neu.size() - 3));
    cut.setVersion(QDataStream::Qt_4_6);
    c.loadData(cut, StatistikDatei::SkalenVersion);
    QVERIFY(c.antwortAnzeige().zusammenfassungen().isEmpty());
}

QTEST_MAIN(TstSkalen)
#include "tst_skalen.moc"
