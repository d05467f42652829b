// Measures the rating-scale figures of the crosstab on a generated survey of 100,000
// respondents: a 0-10 recommendation question against three banner questions (5, 4 and
// 8 answers), with the NPS and the means with their letters and ANOVA (Holm), unweighted
// and weighted, every column read from the table; and the computation alone, without
// reading the table. Prints medians of five runs, wall and processor time.
#include <QApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include "core/spaltenspeicher.h"
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <memory>

#include "analyses/kreuztabelle.h"
#include "core/gewichtung.h"
#include "surveywriter.h"

namespace {
double cpuMs()
{
    return 1000.0 * double(std::clock()) / CLOCKS_PER_SEC;
}

struct Figure {
    double wall = 0;
    double cpu = 0;
};

Figure median(const std::function<void()>& f, const std::function<void()>& prepare = {})
{
    QVector<double> wall, cpu;
    for (int i = 0; i < 5; ++i) {
        if (prepare)
            prepare();
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        QElapsedTimer t;
        t.start();
        const double c = cpuMs();
        f();
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        wall << t.nsecsElapsed() / 1e6;
        cpu << cpuMs() - c;
    }
    std::sort(wall.begin(), wall.end());
    std::sort(cpu.begin(), cpu.end());
    return {wall.at(2), cpu.at(2)};
}

void print(const char* name, const Figure& f, double target)
{
    std::printf("%-40s wall_ms=%7.1f cpu_ms=%7.1f target_ms=%6.0f %s\n", name, f.wall, f.cpu,
                target, f.wall <= target ? "ok" : "SLOW");
}
}

int main(int argc, char** argv)
{
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int rows = 100000;
    QRandomGenerator rng(36);
    const int banner[3] = {5, 4, 8};
    const std::unique_ptr<SpaltenSpeicher> m(
        SurveyWriter(rows, 5, [&rng, &banner](int, int c) {
            if (c == 0)
                return QString::number(rng.bounded(11));
            if (c < 4)
                return QStringLiteral("Gruppe %1").arg(1 + rng.bounded(banner[c - 1]));
            return QString::number(0.5 + rng.bounded(150) / 100.0);
        })
            .setTitles({"Empfehlung", "Region", "Alter", "Kanal", "Gewicht"})
            .model());
    KreuztabellenRechnung::Optionen o;
    o.nps = true;
    o.mittelwerte = true;
    o.korrektur = SkalenRechnung::Holm;
    o.zusammenfassungen = KreuztabellenRechnung::topBottom2(
        {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10"});
    int flip = 0;
    // A cell of every column changed before: the table is read again.
    const auto touch = [&] {
        ++flip;
        for (int c = 0; c < 5; ++c)
            m->zelle(flip % 7, c).setText(m->zelle(flip % 7 + 1, c).text());
    };
    const auto make = [&] {
        Kreuztabelle k;
        k.setOptionen(o);
        k.setModel(m.get());
        k.setSpalten({0, 1, 2, 3});
    };
    print("nps_means_letters_view", median(make, touch), 200);
    Gewichtung::of(m.get())->setSpalte(4);
    print("nps_means_letters_view_weighted", median(make, touch), 200);

    // The computation alone, from questions already read.
    using KR = KreuztabellenRechnung;
    const KR::Frage zeilen = KR::Frage::ausSpalte(m.get(), 0);
    const QVector<KR::Frage> spalten{KR::Frage::ausSpalte(m.get(), 1),
                                     KR::Frage::ausSpalte(m.get(), 2),
                                     KR::Frage::ausSpalte(m.get(), 3)};
    const Gewichte w = Gewichtung::gewichte(m.get());
    KR::Ergebnis e;
    print("nps_means_letters_computed_weighted",
          median([&] { e = KR::rechne(zeilen, spalten, w, o); }), 200);
    std::printf("nps_total=%.2f [%.2f; %.2f] mean_total=%.3f letters_block1=\"%s\"\n",
                e.npsGesamt.wert, e.npsGesamt.unten, e.npsGesamt.oben, e.mittelGesamt.mittel(),
                qPrintable(QStringList(e.bloecke.at(0).mittelBuchstaben.cbegin(),
                                       e.bloecke.at(0).mittelBuchstaben.cend())
                               .join(QLatin1Char(','))));
    return 0;
}
