#include "core/spaltenspeicher.h"
#include <QtTest>
#include <memory>

#include "analyses/haeufigkeitsdiagramadapter.h"
#include "analyses/kreuztabellenrechnung.h"
#include "core/basisangabe.h"
#include "core/gewichtung.h"
#include "recordingdiagram.h"
#include "tests/helpers/testutil.h"

// The effective base and margin of error of weighted tables, and small bases marked.
class TstBasisangabe : public QObject
{
    Q_OBJECT
private slots:
    void zeile_data();
    void zeile();
    void crosstabNotes();
    void weightedFrequencyCaption();
};

void TstBasisangabe::zeile_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<double>("effective");
    QTest::addColumn<QString>("line");
    // 1.96 · √(0.25 / 640) = 3.87 points.
    QTest::newRow("issue example") << 812 << 640.0
                                   << "n = 812 (effektiv 640), Fehlerspanne ±3.9 Prozentpunkte";
    QTest::newRow("unweighted 100") << 100 << 100.0
                                    << "n = 100 (effektiv 100), Fehlerspanne ±9.8 Prozentpunkte";
    QTest::newRow("no base") << 0 << 0.0 << "n = 0 (effektiv 0), Fehlerspanne ±0.0 Prozentpunkte";
}

void TstBasisangabe::zeile()
{
    QFETCH(int, n);
    QFETCH(double, effective);
    QFETCH(QString, line);
    QCOMPARE(Basisangabe::zeile(n, effective), line);
}

void TstBasisangabe::crosstabNotes()
{
    using KR = KreuztabellenRechnung;
    // 40 respondents: column "a" has 32, "b" 8 (a small base).
    QStringList rows, cols;
    QVector<double> w;
    for (int i = 0; i < 40; ++i) {
        rows << (i % 2 ? "ja" : "nein");
        cols << (i < 32 ? "a" : "b");
        w << (i < 20 ? 2.0 : 1.0);
    }
    const auto unweighted = KR::rechne(KR::Frage::ausTexten("Kauf", rows),
                                       {KR::Frage::ausTexten("G", cols)}, Gewichte());
    const QStringList plain = KR::hinweise(unweighted);
    QVERIFY(plain.contains("kleine Basis (unter 30 Befragte): G: b (B)"));
    QVERIFY(!plain.join('\n').contains("effektiv"));

    const auto weighted = KR::rechne(KR::Frage::ausTexten("Kauf", rows),
                                     {KR::Frage::ausTexten("G", cols)},
                                     Gewichte::ausWerten(w, "W"));
    // Σw = 60, Σw² = 100: effective base 36, margin 1.96·√(0.25/36) = 16.3 points.
    QVERIFY(KR::hinweise(weighted).contains(
        "n = 40 (effektiv 36), Fehlerspanne ±16.3 Prozentpunkte"));
    QVERIFY(KR::html(weighted, KR::Spalten).contains("effektiv 36"));
}

void TstBasisangabe::weightedFrequencyCaption()
{
    std::unique_ptr<SpaltenSpeicher> m(
        TestUtil::makeModel({"Q", "W"}, {{"a", "2"}, {"b", "1"}, {"a", "1"}, {"", "5"}}));
    Gewichtung::of(m.get())->setSpalte(1);
    HaeufigkeitsDiagramAdapter a;
    a.setModel(m.get());
    a.setDiagram(new RecordingDiagram);
    // The counted rows weigh 2, 1, 1: (Σw)² / Σw² = 16 / 6.
    QTRY_VERIFY(a.diagram()->captionLines().contains(
        "n = 3 (effektiv 3), Fehlerspanne ±" + QString::number(Basisangabe::fehlerspanne(16.0 / 6), 'f', 1)
        + " Prozentpunkte"));
}

QTEST_MAIN(TstBasisangabe)
#include "tst_basisangabe.moc"
