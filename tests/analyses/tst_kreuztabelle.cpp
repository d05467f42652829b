#include <QAction>
#include <QDataStream>
#include <QLabel>
#include <QStandardItemModel>
#include <QTableWidget>
#include <QtTest>
#include <cmath>
#include <memory>

#include "analyses/kreuztabelle.h"
#include "analyses/kreuztabellenrechnung.h"
#include "analyses/signifikanz.h"
#include "core/gewichtung.h"
#include "core/mehrfachsets.h"
#include "io/statistikdatei.h"
#include "testutil.h"

using KR = KreuztabellenRechnung;

namespace {
// Respondents as (row answer, column answer, how many); "" leaves a question unanswered.
struct Gruppe {
    QString zeile;
    QString spalte;
    int anzahl;
};

void expand(const QList<Gruppe>& groups, QStringList* rows, QStringList* cols)
{
    for (const Gruppe& g : groups)
        for (int i = 0; i < g.anzahl; ++i) {
            *rows << g.zeile;
            *cols << g.spalte;
        }
}

// "Kauf" (ja / nein) by "G" (m / w): ja is bought by 60 % of m and 20 % of w; five
// respondents who bought left G empty, seven who gave G left the row question empty.
KR::Ergebnis example()
{
    QStringList rows, cols;
    expand({{"ja", "m", 30}, {"ja", "w", 10}, {"nein", "m", 20}, {"nein", "w", 40},
            {"ja", "", 5}, {"", "m", 7}},
           &rows, &cols);
    return KR::rechne(KR::Frage::ausTexten("Kauf", rows), {KR::Frage::ausTexten("G", cols)});
}
}

Q_DECLARE_METATYPE(QList<Gruppe>)

namespace {
// A question of six respondents: with options, a set whose row texts list the indexes
// chosen ("02": the first and the third option); without, a column of those texts.
KR::Frage frage(const QString& titel, const QStringList& optionen, const QStringList& rows)
{
    if (optionen.isEmpty())
        return KR::Frage::ausTexten(titel, rows);
    QVector<QVector<int>> chosen;
    for (const QString& r : rows) {
        QVector<int> one;
        for (QChar c : r)
            one << c.digitValue();
        chosen << one;
    }
    return KR::Frage::ausWahlen(titel, optionen, chosen);
}

const QStringList kanalOptionen{"Zeitung", "Radio", "TV"};
// R1 Zeitung+Radio, R2 Zeitung, R3 TV, R4 Zeitung+TV, R5 nothing, R6 Radio.
const QStringList kanal{"01", "0", "2", "02", "", "1"};
// R1..R5 give G; R6 does not.
const QStringList geschlecht{"m", "m", "w", "w", "m", ""};
const QStringList markeOptionen{"A", "B"};
// R1 A, R2 A+B, R3 nothing, R4 B, R5 A, R6 B.
const QStringList marke{"0", "01", "", "1", "0", "1"};
}

// The crosstab: its tests against published and hand-worked values, its layout as text
// and HTML, and the view that follows the data, the weight and its own menu.
class TstKreuztabelle : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void chiSquarePublished_data();
    void chiSquarePublished();
    void distributionsAtCriticalValues_data();
    void distributionsAtCriticalValues();
    void zTest_data();
    void zTest();
    void letters();
    void countsAndLetters();
    void percentModes_data();
    void percentModes();
    void emptyBannerColumnsLeftOut();
    void testLines_data();
    void testLines();
    void handWorkedWeighted();
    void uniformWeightsChangeNoTest();
    void clipboardAndReportLayout();
    void viewFollowsDataWeightAndMenu();
    void setsCountRespondents_data();
    void setsCountRespondents();
    void setRowsKeepLettersSetColumnsDoNot();
    void setTableLayoutAndNotes();
    void setsReadFromTheDataTable();
    void viewWithSetsRecordAndRemovedSet();
};

void TstKreuztabelle::chiSquarePublished_data()
{
    QTest::addColumn<QVector<double>>("table");
    QTest::addColumn<int>("rows");
    QTest::addColumn<double>("chi");
    QTest::addColumn<int>("df");
    QTest::addColumn<double>("p");
    QTest::addColumn<double>("tolerance");
    // Physicians' Health Study, aspirin and myocardial infarction (Agresti, Categorical
    // Data Analysis): X² = 25.01, df 1; p = erfc(sqrt(X²/2)).
    QTest::newRow("2x2 aspirin") << QVector<double>{189, 10845, 104, 10933} << 2 << 25.01 << 1
                                 << 5.6919e-7 << 0.005;
    // Party identification by gender (Agresti): X² = 30.07, df 2; p = exp(-X²/2).
    QTest::newRow("2x3 party") << QVector<double>{762, 327, 468, 484, 239, 477} << 2 << 30.07
                               << 2 << 2.9536e-7 << 0.005;
    // Occupation by neighbourhood (the common worked example): X² ≈ 24.6, df 6.
    QTest::newRow("3x4 neighbourhoods")
        << QVector<double>{90, 60, 104, 95, 30, 50, 51, 20, 30, 40, 45, 35} << 3 << 24.571 << 6
        << 4.0984e-4 << 0.001;
    // By hand: every expected count 40/3; 3 x 10/3 + 6 x 5/6 = 15; p = e^-7.5 (1 + 7.5).
    QTest::newRow("3x3 by hand") << QVector<double>{20, 10, 10, 10, 20, 10, 10, 10, 20} << 3
                                 << 15.0 << 4 << 0.0047012 << 1e-9;
}

void TstKreuztabelle::chiSquarePublished()
{
    QFETCH(QVector<double>, table);
    QFETCH(int, rows);
    QFETCH(double, chi);
    QFETCH(int, df);
    QFETCH(double, p);
    QFETCH(double, tolerance);
    const Signifikanz::ChiQuadrat t =
        Signifikanz::chiQuadrat(table, rows, int(table.size()) / rows);
    QVERIFY(t.berechnet);
    QVERIFY2(std::fabs(t.wert - chi) < tolerance, qPrintable(QString::number(t.wert, 'g', 10)));
    QCOMPARE(t.df, df);
    QVERIFY2(std::fabs(t.p - p) / p < 1e-3, qPrintable(QString::number(t.p, 'g', 10)));
    QCOMPARE(t.erwartetUnter5, 0);
}

void TstKreuztabelle::distributionsAtCriticalValues_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<int>("df");
    QTest::addColumn<double>("p");
    // The critical values of the printed chi-square tables.
    QTest::newRow("df 1, 5 %") << 3.841459 << 1 << 0.05;
    QTest::newRow("df 1, 1 %") << 6.634897 << 1 << 0.01;
    QTest::newRow("df 4, 5 %") << 9.487729 << 4 << 0.05;
    QTest::newRow("df 4, 1 %") << 13.276704 << 4 << 0.01;
    QTest::newRow("nothing observed") << 0.0 << 3 << 1.0;
}

void TstKreuztabelle::distributionsAtCriticalValues()
{
    QFETCH(double, x);
    QFETCH(int, df);
    QFETCH(double, p);
    QVERIFY(std::fabs(Signifikanz::chiQuadratP(x, df) - p) < 1e-6);
    QVERIFY(std::isnan(Signifikanz::chiQuadratP(x, 0)));
}

void TstKreuztabelle::zTest_data()
{
    QTest::addColumn<double>("p1");
    QTest::addColumn<double>("n1");
    QTest::addColumn<double>("p2");
    QTest::addColumn<double>("n2");
    QTest::addColumn<double>("p");
    // 0.6 against 0.4 on 50 each: pooled 0.5, se 0.1, z = 2, p = 2 (1 - Φ(2)).
    QTest::newRow("z 2") << 0.6 << 50.0 << 0.4 << 50.0 << 0.0455003;
    QTest::newRow("z 2.83") << 0.6 << 100.0 << 0.4 << 100.0 << 0.0046777;
    QTest::newRow("symmetric") << 0.4 << 100.0 << 0.6 << 100.0 << 0.0046777;
    QTest::newRow("equal") << 0.3 << 10.0 << 0.3 << 20.0 << 1.0;
    QTest::newRow("empty base") << 0.5 << 0.0 << 0.4 << 20.0 << qQNaN();
    QTest::newRow("nobody has it") << 0.0 << 10.0 << 0.0 << 20.0 << qQNaN();
    QTest::newRow("everybody has it") << 1.0 << 10.0 << 1.0 << 20.0 << qQNaN();
}

void TstKreuztabelle::zTest()
{
    QFETCH(double, p1);
    QFETCH(double, n1);
    QFETCH(double, p2);
    QFETCH(double, n2);
    QFETCH(double, p);
    const double got = Signifikanz::zTestP(p1, n1, p2, n2);
    if (std::isnan(p))
        QVERIFY(std::isnan(got));
    else
        QVERIFY2(std::fabs(got - p) < 1e-6, qPrintable(QString::number(got, 'g', 10)));
}

void TstKreuztabelle::letters()
{
    QCOMPARE(Signifikanz::buchstabe(0), QString("A"));
    QCOMPARE(Signifikanz::buchstabe(25), QString("Z"));
    QCOMPARE(Signifikanz::buchstabe(26), QString("AA"));
    QCOMPARE(Signifikanz::buchstabe(27), QString("AB"));
}

void TstKreuztabelle::countsAndLetters()
{
    const KR::Ergebnis e = example();
    QCOMPARE(e.zeilen, (QStringList{"ja", "nein"}));
    QCOMPARE(e.zeilenSumme, (QVector<double>{45, 60}));
    QCOMPARE(e.basis, 105);
    QCOMPARE(e.bloecke.size(), 1);
    const KR::Block& b = e.bloecke.first();
    QCOMPARE(b.antworten, (QStringList{"m", "w"}));
    QCOMPARE(b.zellen, (QVector<double>{30, 10, 20, 40}));
    QCOMPARE(b.basis, (QVector<int>{50, 50}));
    // ja: 60 % of m against 20 % of w, z = 4.08, p = 4.5e-5: m is above w at 1 %.
    QCOMPARE(b.buchstaben, (QVector<QString>{"B", "", "", "A"}));
    QVERIFY(std::fabs(b.test.wert - 50.0 / 3) < 1e-9);
    QCOMPARE(b.test.df, 1);
    QVERIFY(std::fabs(b.test.p - 4.4557e-5) < 1e-8);

    // 30 % against 20 % on 100 each: z = 1.63, not significant; 30 of 50 against 20
    // of 50 is z = 2, a lower-case letter.
    QStringList rows, cols;
    expand({{"x", "a", 30}, {"y", "a", 20}, {"x", "b", 20}, {"y", "b", 30}}, &rows, &cols);
    const KR::Block small =
        KR::rechne(KR::Frage::ausTexten("R", rows), {KR::Frage::ausTexten("S", cols)}).bloecke.first();
    QCOMPARE(small.buchstaben, (QVector<QString>{"b", "", "", "a"}));
}

void TstKreuztabelle::percentModes_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("ja");
    QTest::addColumn<QStringList>("gesamt");
    QTest::newRow("Spalten") << int(KR::Spalten)
                             << QStringList{"ja", "45 42.9 %", "30 60.0 % B", "10 20.0 %"}
                             << QStringList{"Gesamt", "105 100.0 %", "50 100.0 %", "50 100.0 %"};
    QTest::newRow("Zeilen") << int(KR::Zeilen)
                            << QStringList{"ja", "45 100.0 %", "30 75.0 % B", "10 25.0 %"}
                            << QStringList{"Gesamt", "105 100.0 %", "50 50.0 %", "50 50.0 %"};
    QTest::newRow("Gesamt") << int(KR::Gesamt)
                            << QStringList{"ja", "45 42.9 %", "30 30.0 % B", "10 10.0 %"}
                            << QStringList{"Gesamt", "105 100.0 %", "50 50.0 %", "50 50.0 %"};
    QTest::newRow("keine") << int(KR::Keine) << QStringList{"ja", "45", "30 B", "10"}
                           << QStringList{"Gesamt", "105", "50", "50"};
}

void TstKreuztabelle::percentModes()
{
    QFETCH(int, mode);
    QFETCH(QStringList, ja);
    QFETCH(QStringList, gesamt);
    const QVector<QStringList> cells = KR::raster(example(), KR::Prozente(mode));
    QCOMPARE(cells.size(), 5);
    QCOMPARE(cells.at(0), (QStringList{"Kauf", "Gesamt", "G: m (A)", "G: w (B)"}));
    QCOMPARE(cells.at(1), ja);
    QCOMPARE(cells.at(3), gesamt);
    QCOMPARE(cells.at(4), (QStringList{"Basis (n)", "105", "50", "50"}));
}

void TstKreuztabelle::emptyBannerColumnsLeftOut()
{
    // "n" is answered only by respondents who left "Kauf" empty: no base, no column.
    // The others keep their letters (m A, w C) in the header, the cells and the base.
    QStringList rows, cols;
    expand({{"ja", "m", 30}, {"ja", "w", 10}, {"nein", "m", 20}, {"nein", "w", 40},
            {"", "n", 4}, {"", "m", 3}},
           &rows, &cols);
    QStringList alter;
    for (int i = 0; i < rows.size(); ++i)
        alter << (i % 2 ? "alt" : "jung");
    const KR::Ergebnis e = KR::rechne(KR::Frage::ausTexten("Kauf", rows),
                                      {KR::Frage::ausTexten("G", cols),
                                       KR::Frage::ausTexten("Alter", alter)});
    const KR::Block& g = e.bloecke.first();
    QCOMPARE(g.antworten, (QStringList{"m", "n", "w"}));
    QCOMPARE(g.gezeigt(), (QVector<int>{0, 2}));
    QCOMPARE(e.bloecke.at(1).gezeigt(), (QVector<int>{0, 1}));
    const QVector<QStringList> cells = KR::raster(e, KR::Spalten);
    QCOMPARE(cells.size(), 5);
    QCOMPARE(cells.at(0), (QStringList{"Kauf", "Gesamt", "G: m (A)", "G: w (C)",
                                       "Alter: alt (A)", "Alter: jung (B)"}));
    QCOMPARE(cells.at(1).mid(0, 4), (QStringList{"ja", "40 40.0 %", "30 60.0 % C", "10 20.0 %"}));
    QCOMPARE(cells.at(3).mid(0, 4), (QStringList{"Gesamt", "100 100.0 %", "50 100.0 %", "50 100.0 %"}));
    QCOMPARE(cells.at(4), (QStringList{"Basis (n)", "100", "50", "50", "50", "50"}));
    for (const QStringList& row : cells)
        QCOMPARE(row.size(), 6);
    // The test is the one of the table without the empty column.
    QCOMPARE(KR::testZeile(g), QString("G: χ² = 16.67; df = 1; p < 0.001"));

    // Weighted: the weighted base row leaves it out too.
    const KR::Ergebnis w = KR::rechne(KR::Frage::ausTexten("Kauf", rows),
                                      {KR::Frage::ausTexten("G", cols)},
                                      Gewichte::ausWerten(QVector<double>(rows.size(), 2.0), "W"));
    const QVector<QStringList> weighted = KR::raster(w, KR::Keine);
    QCOMPARE(weighted.first(), (QStringList{"Kauf", "Gesamt", "G: m (A)", "G: w (C)"}));
    QCOMPARE(weighted.last(), (QStringList{"Basis gewichtet", "200.0", "100.0", "100.0"}));
}

void TstKreuztabelle::testLines_data()
{
    QTest::addColumn<QList<Gruppe>>("groups");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("significant")
        << QList<Gruppe>{{"ja", "m", 30}, {"ja", "w", 10}, {"nein", "m", 20}, {"nein", "w", 40}}
        << QStringList{"G: χ² = 16.67; df = 1; p < 0.001"};
    QTest::newRow("small cells")
        << QList<Gruppe>{{"ja", "m", 3}, {"ja", "w", 1}, {"nein", "m", 2}, {"nein", "w", 4}}
        << QStringList{"G: χ² = 1.67; df = 1; p = 0.197",
                       "Vorsicht: 4 Zellen mit erwarteter Häufigkeit unter 5",
                       "kleine Basis (unter 30 Befragte): G: m (A), G: w (B)"};
    QTest::newRow("one column answer")
        << QList<Gruppe>{{"ja", "m", 3}, {"nein", "m", 2}}
        << QStringList{"G: χ² nicht berechenbar (zu wenige besetzte Zeilen oder Spalten)",
                       "kleine Basis (unter 30 Befragte): G: m (A)"};
}

void TstKreuztabelle::testLines()
{
    QFETCH(QList<Gruppe>, groups);
    QFETCH(QStringList, lines);
    QStringList rows, cols;
    expand(groups, &rows, &cols);
    const KR::Ergebnis e =
        KR::rechne(KR::Frage::ausTexten("Kauf", rows), {KR::Frage::ausTexten("G", cols)});
    QCOMPARE(KR::hinweise(e), lines);
}

void TstKreuztabelle::handWorkedWeighted()
{
    // Eight respondents: (row, column, weight); "x" is no valid weight and weighs 0.
    const QStringList rows{"ja", "ja", "ja", "nein", "nein", "nein", "ja", "nein"};
    const QStringList cols{"m", "m", "w", "m", "w", "w", "w", ""};
    const Gewichte w = Gewichte::ausWerten({2, 1, 1, 1, 2, 2, qQNaN(), 1}, "Gewicht", 2);
    const KR::Ergebnis e =
        KR::rechne(KR::Frage::ausTexten("Kauf", rows), {KR::Frage::ausTexten("G", cols)}, w);
    QVERIFY(e.gewichtet);
    QCOMPARE(e.zeilenSumme, (QVector<double>{4, 6}));
    QCOMPARE(e.basis, 8);
    QCOMPARE(e.ohneGewicht, 1);
    const KR::Block& b = e.bloecke.first();
    QCOMPARE(b.zellen, (QVector<double>{3, 1, 1, 4}));
    QCOMPARE(b.summe, (QVector<double>{4, 5}));
    QCOMPARE(b.basis, (QVector<int>{3, 4}));
    // n_eff = (Σw)² / Σw²: m 16 / 6, w 25 / 9, the block 81 / 15.
    QVERIFY(TestUtil::fuzzy(b.neffSpalte(0), 16.0 / 6));
    QVERIFY(TestUtil::fuzzy(b.neffSpalte(1), 25.0 / 9));
    QVERIFY(TestUtil::fuzzy(b.neff, 5.4));
    // The z-test of ja (75 % of m, 20 % of w) on the effective bases: p = 0.199.
    const double p = Signifikanz::zTestP(0.75, 16.0 / 6, 0.2, 25.0 / 9);
    QVERIFY(std::fabs(p - 0.1986) < 1e-3);
    QCOMPARE(b.buchstaben, (QVector<QString>{"", "", "", ""}));
    // χ² on the table scaled to n_eff 5.4: {1.8, 0.6; 0.6, 2.4} gives 1.6335.
    QVERIFY(std::fabs(b.test.wert - 1.6335) < 1e-9);
    QVERIFY(std::fabs(b.test.p - 0.20122) < 1e-5);
    QCOMPARE(b.test.erwartetUnter5, 4);

    const QVector<QStringList> cells = KR::raster(e, KR::Spalten);
    QCOMPARE(cells.at(1), (QStringList{"ja", "4.0 40.0 %", "3.0 75.0 %", "1.0 20.0 %"}));
    QCOMPARE(cells.at(4), (QStringList{"Basis (n)", "8", "3", "4"}));
    QCOMPARE(cells.at(5), (QStringList{"Basis gewichtet", "10.0", "4.0", "5.0"}));
    QCOMPARE(KR::hinweise(e),
             (QStringList{"gewichtet mit Gewicht", "1 Befragte ohne gültiges Gewicht",
                          // Σw = 10, Σw² = 16: effective base 6.25, ±1.96·√(0.25/6.25).
                          "n = 8 (effektiv 6), Fehlerspanne ±39.2 Prozentpunkte",
                          "G: χ² = 1.63; df = 1; p = 0.201",
                          "Vorsicht: 4 Zellen mit erwarteter Häufigkeit unter 5",
                          "kleine Basis (unter 30 Befragte): G: m (A), G: w (B)"}));
}

void TstKreuztabelle::uniformWeightsChangeNoTest()
{
    // Weighting everyone alike doubles the counts but leaves n_eff, the letters and
    // χ² as they were; uneven weights shrink n_eff and so the letters.
    QStringList rows, cols;
    expand({{"x", "a", 30}, {"y", "a", 20}, {"x", "b", 20}, {"y", "b", 30}}, &rows, &cols);
    const KR::Frage r = KR::Frage::ausTexten("R", rows);
    const KR::Frage c = KR::Frage::ausTexten("S", cols);
    const KR::Block plain = KR::rechne(r, {c}).bloecke.first();
    const KR::Block doubled =
        KR::rechne(r, {c}, Gewichte::ausWerten(QVector<double>(100, 2.0), "W")).bloecke.first();
    QCOMPARE(doubled.zellen, (QVector<double>{60, 40, 40, 60}));
    QCOMPARE(doubled.buchstaben, plain.buchstaben);
    QVERIFY(std::fabs(doubled.test.wert - plain.test.wert) < 1e-9);
    QVector<double> uneven;
    for (int i = 0; i < 100; ++i)
        uneven << (i % 2 ? 3.0 : 1.0);
    const KR::Block shrunk = KR::rechne(r, {c}, Gewichte::ausWerten(uneven, "W")).bloecke.first();
    // Alternating 1 and 3 in every cell: n_eff = (2n)² / 5n = 0.8 n, z = 2 √0.8 = 1.79.
    QVERIFY(TestUtil::fuzzy(shrunk.neffSpalte(0), 40.0));
    QCOMPARE(shrunk.buchstaben, (QVector<QString>{"", "", "", ""}));
}

void TstKreuztabelle::clipboardAndReportLayout()
{
    QStringList rows, cols;
    expand({{"ja", "m", 30}, {"ja", "w", 10}, {"nein", "m", 20}, {"nein", "<w>", 40}}, &rows,
           &cols);
    const KR::Ergebnis e = KR::rechne(KR::Frage::ausTexten("Kauf", rows),
                                      {KR::Frage::ausTexten("G", cols),
                                       KR::Frage::ausTexten("H", QStringList(100, "h"))});
    const QString text = KR::text(e, KR::Spalten);
    QCOMPARE(text.section('\n', 0, 0),
             QString("Kauf\tGesamt\tG: <w> (A)\tG: m (B)\tG: w (C)\tH: h (A)"));
    // ja: m (60 %) above "<w>" (0 %) at 1 %; w (100 %) above "<w>" at 1 % and above m
    // at 5 % (z = 2.45).
    QCOMPARE(text.section('\n', 1, 1),
             QString("ja\t40 40.0 %\t0 0.0 %\t30 60.0 % A\t10 100.0 % Ab\t40 40.0 %"));
    QCOMPARE(text.section('\n', 3, 3),
             QString("Gesamt\t100 100.0 %\t40 100.0 %\t50 100.0 %\t10 100.0 %\t100 100.0 %"));
    QCOMPARE(text.section('\n', 4, 4), QString("Basis (n)\t100\t40\t50\t10\t100"));
    QCOMPARE(text.section('\n', 5, 5), QString());
    QVERIFY(text.section('\n', 6, 6).startsWith("G: χ² = "));
    // ja and w expect 40 x 10 / 100 = 4.
    QCOMPARE(text.section('\n', 7),
             QString("Vorsicht: 1 Zellen mit erwarteter Häufigkeit unter 5\n"
                     "H: χ² nicht berechenbar (zu wenige besetzte Zeilen oder Spalten)\n"
                     "kleine Basis (unter 30 Befragte): G: w (C)\n"));

    const QString html = KR::html(e, KR::Spalten);
    QVERIFY(html.startsWith("<TABLE border=1 width=90%><TR><TH>Kauf</TH><TH>Gesamt</TH>"
                            "<TH>G: &lt;w&gt; (A)</TH>"));
    QVERIFY(html.contains("<TR><TD>ja</TD><TD>40 40.0 %</TD><TD>0 0.0 %</TD>"
                          "<TD>30 60.0 % A</TD>"));
    QVERIFY(html.contains("</TABLE><P>G: χ² = "));
    QVERIFY(html.endsWith("<P>H: χ² nicht berechenbar (zu wenige besetzte Zeilen oder "
                          "Spalten)</P><P>kleine Basis (unter 30 Befragte): G: w (C)</P>"));
}

void TstKreuztabelle::viewFollowsDataWeightAndMenu()
{
    std::unique_ptr<QStandardItemModel> m(TestUtil::makeModel(
        {"Kauf", "G", "Gewicht"},
        {{"ja", "m", "2"}, {"ja", "w", "1"}, {"nein", "m", "1"}, {"nein", "w", "abc"}}));
    Kreuztabelle k;
    k.setModel(m.get());
    k.setSpalten({0, 1});
    QCOMPARE(k.table()->item(1, 0)->text(), QString("ja"));
    QCOMPARE(k.table()->item(1, 2)->text(), QString("1 50.0 %"));
    QCOMPARE(k.toText().section('\n', 0, 0), QString("Kauf\tGesamt\tG: m (A)\tG: w (B)"));

    // A cell of a shown column recomputes the view once the event loop runs.
    m->item(1, 1)->setText("m");
    QTRY_COMPARE(k.table()->item(1, 2)->text(), QString("2 66.7 %"));

    // Choosing a weight, and changing a weight, recompute it too.
    Gewichtung::of(m.get())->setSpalte(2);
    QTRY_VERIFY(k.ergebnis().gewichtet);
    QCOMPARE(k.table()->item(1, 2)->text(), QString("3.0 75.0 %"));
    QVERIFY(k.notes()->text().startsWith("gewichtet mit Gewicht\n1 Befragte ohne gültiges Gewicht"));
    m->item(0, 2)->setText("4");
    QTRY_COMPARE(k.table()->item(1, 2)->text(), QString("5.0 83.3 %"));
    Gewichtung::of(m.get())->setSpalte(-1);
    QTRY_VERIFY(!k.ergebnis().gewichtet);

    // The menu's percentage mode changes what is shown and is kept in the record.
    QCOMPARE(k.prozentActions().size(), 4);
    QVERIFY(k.prozentActions().at(0)->isChecked());
    k.prozentActions().at(3)->trigger();
    QCOMPARE(k.prozente(), KR::Keine);
    QCOMPARE(k.table()->item(1, 2)->text(), QString("2"));
    QByteArray record;
    {
        QDataStream s(&record, QIODevice::WriteOnly);
        k.saveData(s, 5);
    }
    QCOMPARE(record.toHex(), QByteArray("00000003"));
    Kreuztabelle other;
    QDataStream in(record);
    other.loadData(in, 6);
    QCOMPARE(other.prozente(), KR::Keine);
    QVERIFY(other.prozentActions().at(3)->isChecked());
    // A record from a damaged file keeps the default.
    Kreuztabelle damaged;
    QDataStream bad(QByteArray::fromHex("00000009"));
    damaged.loadData(bad, 6);
    QCOMPARE(damaged.prozente(), KR::Spalten);
}

void TstKreuztabelle::setsCountRespondents_data()
{
    QTest::addColumn<QStringList>("zeilenOptionen");
    QTest::addColumn<QStringList>("zeilen");
    QTest::addColumn<QStringList>("blockOptionen");
    QTest::addColumn<QStringList>("block");
    QTest::addColumn<QVector<double>>("gewichte");   // empty: unweighted
    QTest::addColumn<QVector<double>>("zeilenSumme");
    QTest::addColumn<int>("basis");
    QTest::addColumn<QVector<double>>("zellen");
    QTest::addColumn<QVector<double>>("summe");
    QTest::addColumn<QVector<double>>("blockZeilenSumme");
    QTest::addColumn<double>("gesamt");
    QTest::addColumn<QString>("testZeile");
    // Rows: who chose each option (R1 counts under Zeitung and Radio); a column's base
    // is its respondents who chose any option (R5 chose none, R6 gave no G).
    QTest::newRow("set as rows")
        << kanalOptionen << kanal << QStringList() << geschlecht << QVector<double>()
        << QVector<double>{3, 2, 2} << 5 << QVector<double>{2, 1, 1, 0, 0, 2}
        << QVector<double>{2, 2} << QVector<double>{3, 1, 2} << 4.0
        << "G: kein χ²-Test, da Befragte in mehreren Zeilen zählen (Mehrfachantworten)";
    // Columns: who chose each option; a row's sum within the block counts R1 once.
    QTest::newRow("set as block")
        << QStringList() << geschlecht << kanalOptionen << kanal << QVector<double>()
        << QVector<double>{3, 2} << 5 << QVector<double>{2, 1, 0, 1, 0, 2}
        << QVector<double>{3, 1, 2} << QVector<double>{2, 2} << 4.0
        << "Kanal: kein χ²-Test und keine Buchstaben, da Befragte in mehreren Spalten "
           "zählen (Mehrfachantworten)";
    // R2 chose Zeitung and both brands: in two cells of the Zeitung row.
    QTest::newRow("set by set")
        << kanalOptionen << kanal << markeOptionen << marke << QVector<double>()
        << QVector<double>{3, 2, 2} << 5 << QVector<double>{2, 2, 1, 1, 0, 1}
        << QVector<double>{2, 3} << QVector<double>{3, 2, 1} << 4.0
        << "Marke: kein χ²-Test und keine Buchstaben, da Befragte in mehreren Spalten "
           "zählen (Mehrfachantworten)";
    // R1 weighs 2: every cell and sum R1 is in weighs it once.
    QTest::newRow("set as rows, weighted")
        << kanalOptionen << kanal << QStringList() << geschlecht
        << QVector<double>{2, 1, 1, 1, 1, 1} << QVector<double>{4, 3, 2} << 5
        << QVector<double>{3, 1, 2, 0, 0, 2} << QVector<double>{3, 2}
        << QVector<double>{4, 2, 2} << 5.0
        << "G: kein χ²-Test, da Befragte in mehreren Zeilen zählen (Mehrfachantworten)";
}

void TstKreuztabelle::setsCountRespondents()
{
    QFETCH(QStringList, zeilenOptionen);
    QFETCH(QStringList, zeilen);
    QFETCH(QStringList, blockOptionen);
    QFETCH(QStringList, block);
    QFETCH(QVector<double>, gewichte);
    QFETCH(QVector<double>, zeilenSumme);
    QFETCH(int, basis);
    QFETCH(QVector<double>, zellen);
    QFETCH(QVector<double>, summe);
    QFETCH(QVector<double>, blockZeilenSumme);
    QFETCH(double, gesamt);
    QFETCH(QString, testZeile);
    const KR::Frage r = frage(zeilenOptionen.isEmpty() ? "G" : "Kanal", zeilenOptionen, zeilen);
    const KR::Frage b = frage(blockOptionen.isEmpty() ? "G"
                                  : blockOptionen == markeOptionen ? "Marke" : "Kanal",
                              blockOptionen, block);
    const KR::Ergebnis e = KR::rechne(
        r, {b}, gewichte.isEmpty() ? Gewichte() : Gewichte::ausWerten(gewichte, "W"));
    QCOMPARE(e.zeilenSumme, zeilenSumme);
    QCOMPARE(e.basis, basis);
    const KR::Block& k = e.bloecke.first();
    QCOMPARE(k.zellen, zellen);
    QCOMPARE(k.summe, summe);
    QCOMPARE(k.zeilenSumme, blockZeilenSumme);
    QCOMPARE(k.gesamt, gesamt);
    // No test where respondents are in several cells.
    QVERIFY(!k.test.berechnet);
    QCOMPARE(KR::testZeile(k), testZeile);
}

void TstKreuztabelle::setRowsKeepLettersSetColumnsDoNot()
{
    // 100 respondents, 50 m and 50 w, every one chose Radio; Zeitung 30 of m, 10 of w.
    QStringList g, k;
    for (int i = 0; i < 100; ++i) {
        const bool m = i < 50;
        g << (m ? "m" : "w");
        k << (((m && i < 30) || (!m && i < 60)) ? "01" : "1");
    }
    const KR::Frage set = frage("Kanal", {"Zeitung", "Radio"}, k);
    const KR::Frage col = KR::Frage::ausTexten("G", g);
    // Each option is a yes/no question over disjoint columns: 60 % of m against 20 %
    // of w, as in the single-answer example; Radio 100 % everywhere, nothing to test.
    const KR::Block rows = KR::rechne(set, {col}).bloecke.first();
    QCOMPARE(rows.summe, (QVector<double>{50, 50}));
    QCOMPARE(rows.buchstaben, (QVector<QString>{"B", "", "", ""}));
    // The same shares across a set's columns: they overlap, so no letters.
    const KR::Block cols = KR::rechne(col, {set}).bloecke.first();
    QCOMPARE(cols.zellen, (QVector<double>{30, 50, 10, 50}));
    QCOMPARE(cols.buchstaben, (QVector<QString>{"", "", "", ""}));
}

void TstKreuztabelle::setTableLayoutAndNotes()
{
    const KR::Ergebnis e = KR::rechne(frage("Kanal", kanalOptionen, kanal),
                                      {KR::Frage::ausTexten("G", geschlecht)});
    const QVector<QStringList> cells = KR::raster(e, KR::Spalten);
    QCOMPARE(cells.at(0), (QStringList{"Kanal", "Gesamt", "G: m (A)", "G: w (B)"}));
    // Of the 2 in m who chose any channel both read the paper and one hears the radio:
    // the column adds up to 150 %.
    QCOMPARE(cells.at(1), (QStringList{"Zeitung", "3 60.0 %", "2 100.0 %", "1 50.0 %"}));
    QCOMPARE(cells.at(2), (QStringList{"Radio", "2 40.0 %", "1 50.0 %", "0 0.0 %"}));
    // 2 of 2 against 0 of 2 is z = 2, significant at 5 %.
    QCOMPARE(cells.at(3), (QStringList{"TV", "2 40.0 %", "0 0.0 %", "2 100.0 % a"}));
    // "Gesamt" is the base of respondents.
    QCOMPARE(cells.at(4), (QStringList{"Gesamt", "5 100.0 %", "2 100.0 %", "2 100.0 %"}));
    QCOMPARE(cells.at(5), (QStringList{"Basis (n)", "5", "2", "2"}));
    QCOMPARE(KR::hinweise(e),
             (QStringList{"Mehrfachantworten (Kanal): Befragte zählen bei jeder gewählten "
                          "Option, Prozente können zusammen über 100 % liegen; Basis sind "
                          "Befragte.",
                          "G: kein χ²-Test, da Befragte in mehreren Zeilen zählen "
                          "(Mehrfachantworten)",
                          "kleine Basis (unter 30 Befragte): G: m (A), G: w (B)"}));
}

void TstKreuztabelle::setsReadFromTheDataTable()
{
    // The set's rule: "ja" chooses; "nein" and blanks do not.
    std::unique_ptr<QStandardItemModel> m(TestUtil::makeModel(
        {"G", "Kanal – Zeitung", "Kanal – Radio"},
        {{"m", "ja", "nein"}, {"w", " ", "ja"}, {"m", "ja", "ja"}, {"w", "nein", ""}}));
    const KR::Frage f = KR::Frage::ausSet(m.get(), {"Kanal", {1, 2}, "ja"});
    QVERIFY(f.mehrfach);
    QCOMPARE(f.titel, QString("Kanal"));
    QCOMPARE(f.antworten, (QStringList{"Zeitung", "Radio"}));
    QCOMPARE(f.anfang, (QVector<int>{0, 1, 2, 4, 4}));
    QCOMPARE(f.gewaehlt, (QVector<int>{0, 1, 0, 1}));
    // Without a value any answer chooses.
    const KR::Frage any = KR::Frage::ausSet(m.get(), {"Kanal", {1, 2}, ""});
    QCOMPARE(any.gewaehlt, (QVector<int>{0, 1, 1, 0, 1, 0}));
}

void TstKreuztabelle::viewWithSetsRecordAndRemovedSet()
{
    std::unique_ptr<QStandardItemModel> m(TestUtil::makeModel(
        {"G", "Kanal – Zeitung", "Kanal – Radio", "Alter"},
        {{"m", "1", "", "18"}, {"w", "1", "1", "30"}, {"m", "", "1", "30"}, {"w", "", "", "18"}}));
    const MehrfachSet set{"Kanal", {1, 2}, ""};
    MehrfachSets::of(m.get())->add(set);
    using E = Kreuztabelle::Eintrag;
    const QVector<E> entries{E::ausSet(set), E::spalte(0), E::spalte(3)};
    Kreuztabelle k;
    k.setModel(m.get());
    k.setEintraege(entries);
    QCOMPARE(k.spalten(), (QVector<int>{1, 2, 0, 3}));
    QCOMPARE(k.neededVersion(), int(StatistikDatei::KreuzSetVersion));
    QCOMPARE(k.table()->item(1, 0)->text(), QString("Zeitung"));
    // Zeitung in m: R1 of R1 and R3 (R4 in w chose nothing and is in no base).
    QCOMPARE(k.table()->item(1, 2)->text(), QString("1 50.0 %"));
    QCOMPARE(k.table()->item(2, 3)->text(), QString("1 100.0 %"));

    // The record names the entries; another view over the same columns reads them back.
    k.setProzente(KR::Zeilen);
    QByteArray record;
    {
        QDataStream s(&record, QIODevice::WriteOnly);
        s.setVersion(QDataStream::Qt_4_6);
        k.saveData(s, 1);
    }
    TestUtil::Out expected;
    expected << qint32(0x101) << qint32(3) << true << QString("Kanal") << qint32(2) << false
             << QString() << qint32(1) << false << QString() << qint32(1);
    QCOMPARE(record.toHex(), expected.bytes.toHex());
    Kreuztabelle back;
    back.setModel(m.get());
    back.setSpalten(k.spalten());
    {
        QDataStream s(record);
        s.setVersion(QDataStream::Qt_4_6);
        back.loadData(s, 5);
    }
    QCOMPARE(back.eintraege(), entries);
    QCOMPARE(back.prozente(), KR::Zeilen);
    // Entries that do not divide the columns (a damaged record) leave plain columns.
    Kreuztabelle damaged;
    damaged.setSpalten({1, 2, 0});
    {
        QDataStream s(record);
        s.setVersion(QDataStream::Qt_4_6);
        damaged.loadData(s, 9);
    }
    QVERIFY(!damaged.hatSets());
    QCOMPARE(damaged.neededVersion(), int(StatistikDatei::GewichtVersion));
    QDataStream huge(QByteArray::fromHex("00000100" "7fffffff"));
    damaged.loadData(huge, 9);
    QVERIFY(!damaged.hatSets());

    // The set removed: its entry is left out and said so; G becomes the rows.
    MehrfachSets::of(m.get())->setSets({});
    QTRY_VERIFY(k.ergebnis().fehlendeSets == QStringList{"Kanal"});
    QCOMPARE(k.ergebnis().zeilenTitel, QString("G"));
    QCOMPARE(k.ergebnis().bloecke.size(), 1);
    QVERIFY(k.notes()->text().startsWith(
        "Das Mehrfachantworten-Set \"Kanal\" fehlt in den Daten; es wurde ausgelassen."));
    // Back again, it is shown again.
    MehrfachSets::of(m.get())->add(set);
    QTRY_VERIFY(k.ergebnis().fehlendeSets.isEmpty());
    QVERIFY(k.ergebnis().zeilenMehrfach);
    // With one question left there is no table, only the note.
    Kreuztabelle two;
    two.setModel(m.get());
    two.setEintraege({E::ausSet(set), E::spalte(0)});
    MehrfachSets::of(m.get())->setSets({});
    QTRY_VERIFY(!two.ergebnis().fehlendeSets.isEmpty());
    QCOMPARE(two.table()->rowCount(), 0);
    QVERIFY(two.notes()->text().contains("Kanal"));
}

QTEST_MAIN(TstKreuztabelle)
#include "tst_kreuztabelle.moc"
