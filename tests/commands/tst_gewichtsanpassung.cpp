#include "core/spaltenspeicher.h"
#include <QUndoStack>
#include <QtTest>
#include <cmath>

#include "commands/gewichtsanpassungsbefehl.h"
#include "core/gewichtsanpassung.h"
#include "core/gewichtung.h"
#include "tablefixture.h"
#include "tests/helpers/scriptedanswerer.h"

// Raking: weights whose margins meet the targets, trimming, and a fit that cannot work.
class TstGewichtsanpassung : public QObject
{
    Q_OBJECT
private slots:
    void textbookMargins();
    void threeQuestionsWithGaps();
    void trimming();
    void doesNotConverge();
    void trimmingRange_data();
    void trimmingRange();
    void dialogUndoRedo();
};

namespace {
// Per question the share of the weights of each answer among the rows answering it,
// summed here from the weights alone.
QVector<double> margin(const QVector<int>& answers, const QVector<double>& w, int k)
{
    QVector<double> s(k, 0.0);
    double total = 0;
    for (int r = 0; r < answers.size(); ++r)
        if (answers.at(r) >= 0) {
            s[answers.at(r)] += w.at(r);
            total += w.at(r);
        }
    for (double& x : s)
        x /= total;
    return s;
}

// A sample of n rows from cell counts of two questions (row-major a x b).
void sample(const QVector<int>& counts, int b, QVector<int>* q1, QVector<int>* q2)
{
    for (int cell = 0; cell < counts.size(); ++cell)
        for (int i = 0; i < counts.at(cell); ++i) {
            *q1 << cell / b;
            *q2 << cell % b;
        }
}
}

void TstGewichtsanpassung::textbookMargins()
{
    // Men/women by young/old: 20, 30 / 35, 15 of 100; targets 49/51 and 40/60.
    QVector<int> sex, age;
    sample({20, 30, 35, 15}, 2, &sex, &age);
    const auto e = Gewichtsanpassung::rechne({sex, age}, {{0.49, 0.51}, {0.40, 0.60}});
    QVERIFY(e.konvergiert);
    const QVector<double> s = margin(sex, e.gewichte, 2);
    const QVector<double> a = margin(age, e.gewichte, 2);
    QVERIFY(std::fabs(s.at(0) - 0.49) < 1e-6 && std::fabs(s.at(1) - 0.51) < 1e-6);
    QVERIFY(std::fabs(a.at(0) - 0.40) < 1e-6 && std::fabs(a.at(1) - 0.60) < 1e-6);
    // Raking weights are products of a factor per answer: w11·w22 = w12·w21.
    const double w11 = e.gewichte.at(0), w12 = e.gewichte.at(20), w21 = e.gewichte.at(50),
                 w22 = e.gewichte.at(85);
    QVERIFY(std::fabs(w11 * w22 - w12 * w21) < 1e-9);
    // Mean 1; Kish efficiency and effective base from the weights.
    double sum = 0, sq = 0;
    for (double w : e.gewichte) {
        sum += w;
        sq += w * w;
    }
    QVERIFY(std::fabs(sum - 100) < 1e-9);
    QVERIFY(std::fabs(e.effektiv - sum * sum / sq) < 1e-9);
    QVERIFY(std::fabs(e.effizienz - sum * sum / (100 * sq)) < 1e-12);
    QVERIFY(e.iterationen > 1);
}

void TstGewichtsanpassung::threeQuestionsWithGaps()
{
    // A third question that some did not answer: it leaves their weight alone.
    QVector<int> q1, q2, q3;
    for (int r = 0; r < 300; ++r) {
        q1 << r % 2;
        q2 << (r / 2) % 3;
        q3 << (r % 7 == 0 ? -1 : (r * 7 / 3) % 4);
    }
    const QVector<QVector<double>> targets{{0.3, 0.7}, {0.2, 0.3, 0.5}, {0.1, 0.2, 0.3, 0.4}};
    const auto e = Gewichtsanpassung::rechne({q1, q2, q3}, targets);
    QVERIFY(e.konvergiert);
    const QVector<QVector<int>> qs{q1, q2, q3};
    for (int q = 0; q < 3; ++q) {
        const QVector<double> m = margin(qs.at(q), e.gewichte, int(targets.at(q).size()));
        for (int k = 0; k < m.size(); ++k)
            QVERIFY2(std::fabs(m.at(k) - targets.at(q).at(k)) < 1e-6, qPrintable(QString::number(q)));
    }
}

void TstGewichtsanpassung::trimming()
{
    QVector<int> sex, age;
    sample({40, 10, 10, 40}, 2, &sex, &age);
    const auto free = Gewichtsanpassung::rechne({sex, age}, {{0.5, 0.5}, {0.8, 0.2}});
    const auto trimmed = Gewichtsanpassung::rechne({sex, age}, {{0.5, 0.5}, {0.8, 0.2}}, 0.5, 1.6);
    double freeMax = 0, lo = 1e9, hi = 0;
    for (double w : free.gewichte)
        freeMax = qMax(freeMax, w);
    for (double w : trimmed.gewichte) {
        lo = qMin(lo, w);
        hi = qMax(hi, w);
    }
    QVERIFY(freeMax > 1.6);
    QVERIFY2(lo >= 0.5 - 1e-12 && hi <= 1.6 + 1e-12, qPrintable(QString("%1 %2").arg(lo).arg(hi)));
    QVERIFY(trimmed.effizienz > free.effizienz);
    QVERIFY(!trimmed.konvergiert);   // these margins need weights beyond 1.6
    QVERIFY(trimmed.abweichung > 0.1);
}

void TstGewichtsanpassung::doesNotConverge()
{
    // A target share for an answer nobody gave cannot be met.
    QVector<int> q{0, 0, 1, 1};
    const auto e = Gewichtsanpassung::rechne({q}, {{0.5, 0.4, 0.1}});
    QVERIFY(!e.konvergiert);
    QVERIFY(std::fabs(e.abweichung - 10.0) < 1e-6);
}

void TstGewichtsanpassung::trimmingRange_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<double>("lo");
    QTest::addColumn<double>("hi");
    QTest::newRow("German") << "0,2–5" << true << 0.2 << 5.0;
    QTest::newRow("hyphen") << "0.2-5" << true << 0.2 << 5.0;
    QTest::newRow("semicolon") << "0,25; 4" << true << 0.25 << 4.0;
    QTest::newRow("empty: none") << "  " << true << 0.0 << 0.0;
    QTest::newRow("min above 1") << "2–5" << false << 0.0 << 0.0;
    QTest::newRow("one number") << "5" << false << 0.0 << 0.0;
}

void TstGewichtsanpassung::trimmingRange()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(double, lo);
    QFETCH(double, hi);
    double a = -1, b = -1;
    QCOMPARE(Gewichtsanpassung::leseGrenzen(text, &a, &b), ok);
    if (ok) {
        QCOMPARE(a, lo);
        QCOMPARE(b, hi);
    }
}

void TstGewichtsanpassung::dialogUndoRedo()
{
    TableFixture f({"Geschlecht"}, {{"m"}, {"m"}, {"m"}, {"w"}, {""}});
    ScriptedAnswerer script;
    script.accept(UserInput::Double, 50.0)
        .accept(UserInput::Double, 50.0)
        .accept(UserInput::Text, QString(""))
        .accept(UserInput::Text, QString("Gewicht"))
        .accept(UserInput::Information, int(QMessageBox::Ok));
    GewichtsanpassungsBefehl::anpassen(f.context({0}));
    QCOMPARE(script.unexpected, 0);
    QCOMPARE(script.asked.at(0).preset.toDouble(), 75.0);   // the sample's share offered
    QVERIFY(script.asked.last().label.contains("Effizienz (Kish)"));
    QCOMPARE(f.model->columnCount(), 2);
    QCOMPARE(Gewichtung::spalteVon(f.model.get()), 1);
    // m: 3 rows share 50 %, w: 1 row 50 %; the row without answer keeps weight 1.
    const double wm = f.value(0, 1).toDouble(), ww = f.value(3, 1).toDouble();
    QVERIFY(std::fabs(3 * wm - ww) < 1e-9);
    f.undo.undo();
    QCOMPARE(f.model->columnCount(), 1);
    QCOMPARE(Gewichtung::spalteVon(f.model.get()), -1);
    f.undo.redo();
    QCOMPARE(Gewichtung::spalteVon(f.model.get()), 1);

    // Shares that do not add up to 100 are refused.
    script.accept(UserInput::Double, 50.0)
        .accept(UserInput::Double, 40.0)
        .accept(UserInput::Warning, int(QMessageBox::Ok));
    GewichtsanpassungsBefehl::anpassen(f.context({0}));
    QCOMPARE(script.unexpected, 0);
    QCOMPARE(f.model->columnCount(), 2);
}

QTEST_MAIN(TstGewichtsanpassung)
#include "tst_gewichtsanpassung.moc"
