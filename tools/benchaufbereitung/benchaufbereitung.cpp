// Measures preparing the data on generated surveys and prints one line per figure
// (medians of five runs, wall time):
// - raking: 100,000 respondents weighted to the margins of three questions (2, 5 and
//   4 answers), from the table's columns to the weights (aim: 0.5 s);
// - recode: a 100,000-row column of ages into own bands, from the column to the new
//   column's cells, and the same with the column appended (aim: 0.2 s).
// Usage: benchaufbereitung [rows]
#include <QApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include "core/spaltenspeicher.h"
#include <algorithm>
#include <cstdio>
#include <functional>

#include "commands/gewichtsanpassungsbefehl.h"
#include "commands/umkodierbefehl.h"
#include "core/tablecontext.h"
#include "core/umkodierung.h"

namespace {
double medianMs(const std::function<void()>& f)
{
    QVector<double> ms;
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer t;
        t.start();
        f();
        ms << t.nsecsElapsed() / 1e6;
    }
    std::sort(ms.begin(), ms.end());
    return ms.at(2);
}
}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const int rows = argc > 1 ? qMax(1, QString::fromLocal8Bit(argv[1]).toInt()) : 100000;
    QRandomGenerator rng(7);
    SpaltenSpeicher m(rows, 4);
    m.setHorizontalHeaderLabels({"Geschlecht", "Altersgruppe", "Region", "Alter"});
    const QStringList sex{"m", "w"}, ages{"18-29", "30-44", "45-59", "60-74", "75+"},
        regions{"Nord", "Ost", "Süd", "West"};
    for (int r = 0; r < rows; ++r) {
        m.zelle(r, 0).setData(QVariant(sex.at(rng.bounded(100) < 45 ? 0 : 1)));
        m.zelle(r, 1).setData(QVariant(ages.at(rng.bounded(5))));
        m.zelle(r, 2).setData(QVariant(regions.at(rng.bounded(4))));
        m.zelle(r, 3).setData(QVariant(QString::number(18 + rng.bounded(70))));
    }

    Gewichtsanpassung::Vorgabe v;
    v.ziele = {{"Geschlecht", sex, {49, 51}},
               {"Altersgruppe", ages, {18, 24, 25, 21, 12}},
               {"Region", regions, {20, 15, 35, 30}}};
    Gewichtsanpassung::Ergebnis e;
    const double raking = medianMs([&] { GewichtsanpassungsBefehl::rechne(&m, v, &e); });
    std::printf("raking %d x 3 questions: %.1f ms (%d iterations, deviation %.2g pp, "
                "efficiency %.3f)\n",
                rows, raking, e.iterationen, e.abweichung, e.effizienz);

    Umkodierung u;
    u.art = Umkodierung::Grenzen;
    u.grenzen = {18, 30, 45, 65};
    u.quelle = "Alter";
    u.quellSpalte = 3;
    const double recode = medianMs([&] { u.berechne(&m, 3); });
    std::printf("recode %d rows into bands: %.1f ms\n", rows, recode);
    TableContext ctx;
    ctx.model = &m;
    QElapsedTimer t;
    t.start();
    UmkodierBefehl::anhaengen(ctx, 3, u, "Altersgruppe 2");
    const double append = t.nsecsElapsed() / 1e6;
    std::printf("recode %d rows with the column appended: %.1f ms\n", rows, append);
    return 0;
}
