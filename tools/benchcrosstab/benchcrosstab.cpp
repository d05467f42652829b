// Measures the crosstab and the weighting on generated surveys and prints one line per
// figure (medians of five runs, wall and processor time):
// - crosstab: 100,000 respondents, a row question of 10 answers against three banner
//   questions of 5 answers each, made unweighted and weighted with every column read
//   from the table, made when another view has just read them, and recomputed after
//   one cell of a banner question changed;
// - weighting: a 100,000 x 50 survey with a view per question in the window (as after
//   a CSV import), every view counting again after "Gewichtung..." chose a weight,
//   after undo, and after one weight changed; for comparison, every view after a cell
//   of each column changed (each reads its column again).
// Usage: benchcrosstab [crosstab|weighting] (both by default)
#include <QApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include "core/spaltenspeicher.h"
#include <QUndoStack>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <memory>

#include "analyses/kreuztabelle.h"
#include "app/view.h"
#include "commands/gewichtungsbefehl.h"
#include "core/gewichtung.h"
#include "diagrams/tabelle1.h"
#include "scriptedanswerer.h"
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

// Median of five runs of f, each followed by the views' recomputation on the next
// turn of the event loop; prepare (untimed) runs before each.
Figure median(const std::function<void()>& f, const std::function<void()>& prepare = {})
{
    QVector<double> wall, cpu;
    for (int i = 0; i < 5; ++i) {
        if (prepare) {
            prepare();
            QCoreApplication::sendPostedEvents();
            QCoreApplication::processEvents();
        }
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
    if (target <= 0)
        std::printf("%-40s wall_ms=%7.1f cpu_ms=%7.1f\n", name, f.wall, f.cpu);
    else
        std::printf("%-40s wall_ms=%7.1f cpu_ms=%7.1f target_ms=%6.0f %s\n", name, f.wall,
                    f.cpu, target, f.wall <= target ? "ok" : "SLOW");
}

// Answers as survey texts: "Antwort 1" ... "Antwort n".
QString answer(QRandomGenerator& rng, int n)
{
    return QStringLiteral("Antwort %1").arg(1 + rng.bounded(n));
}

void crosstab()
{
    const int rows = 100000;
    QRandomGenerator rng(42);
    const std::unique_ptr<SpaltenSpeicher> m(
        SurveyWriter(rows, 5, [&rng](int, int c) {
            return c == 0 ? answer(rng, 10)
                 : c < 4  ? answer(rng, 5)
                          : QString::number(0.5 + rng.bounded(150) / 100.0);
        })
            .setTitles({"Marke", "Alter", "Region", "Einkommen", "Gewicht"})
            .model());
    const QVector<int> columns{0, 1, 2, 3};
    const auto make = [&] {
        Kreuztabelle k;
        k.setModel(m.get());
        k.setSpalten(columns);
    };
    // A cell of each of the four questions and of the weights changed before: every
    // column is read from the table again.
    int flip = 0;
    const auto touch = [&] {
        ++flip;
        for (int c = 0; c < 5; ++c)
            m->zelle(flip % 7, c).setText(m->zelle(flip % 7 + 1, c).text());
    };
    print("crosstab_made", median(make, touch), 200);
    Gewichtung::of(m.get())->setSpalte(4);
    print("crosstab_made_weighted", median(make, touch), 200);
    // Columns another view has read just before are not read again.
    print("crosstab_made_weighted_columns_read", median(make), 200);
    Kreuztabelle k;
    k.setModel(m.get());
    k.setSpalten(columns);
    print("crosstab_banner_cell_changed_weighted", median([&] {
              m->zelle(0, 2).setText(answer(rng, 5) + QString::number(++flip % 2));
          }),
          200);
}

void weighting()
{
    const int rows = 100000;
    const int cols = 50;
    ScriptedAnswerer answers;
    View v;
    v.document()->clearViews();
    SpaltenSpeicher* m = v.document()->dataModel();
    QRandomGenerator rng(7);
    {
        Tabelle1::BulkFill hold(v.dataTable());
        m->clear();
        v.document()->undoStack()->clear();
        QStringList titles;
        for (int c = 0; c < cols - 1; ++c)
            titles << QStringLiteral("Frage %1").arg(c + 1);
        SurveyWriter(rows, cols, [&](int, int c) {
            return c < cols - 1 ? answer(rng, 2 + c % 9)
                                : QString::number(0.5 + rng.bounded(150) / 100.0);
        }).setTitles(titles << QStringLiteral("Gewicht")).fill(m);
    }
    // One count per question, every other one in percent, and five over two questions.
    {
        ViewHost::CreatingMany many(*v.document());
        for (int c = 0; c < cols; ++c)
            v.document()->createView(QString::fromUtf8(c % 2 ? "Häufigkeit %" : "Häufigkeit"),
                         QStringLiteral("BalkenDiagram(V)"), {c},
                         QStringLiteral("Ansicht %1").arg(c + 1), QString());
        for (int c = 0; c < 5; ++c)
            v.document()->createView(QString::fromUtf8("Häufigkeit"), QStringLiteral("TortenDiagram"),
                         {c, c + 1}, QStringLiteral("Multi %1").arg(c + 1), QString());
    }
    QCoreApplication::processEvents();
    std::printf("weighting: %d x %d survey, %d views\n", rows, cols, v.document()->viewCount() - 1);
    const TableContext ctx = v.tableContext();
    const QString weight = Gewichtungsbefehl::auswahl(m).at(cols);
    print("weighting_all_views",
          median(
              [&] {
                  answers.accept(UserInput::Item, weight);
                  Gewichtungsbefehl::waehlen(ctx);
              },
              [&] {
                  if (Gewichtung::spalteVon(m) >= 0)
                      v.document()->undoStack()->undo();
              }),
          1000);
    print("weighting_undo_all_views", median([&] { v.document()->undoStack()->undo(); },
                                             [&] {
                                                 if (Gewichtung::spalteVon(m) < 0)
                                                     v.document()->undoStack()->redo();
                                             }),
          1000);
    v.document()->undoStack()->redo();
    QCoreApplication::processEvents();
    v.document()->undoStack()->redo();
    QCoreApplication::processEvents();
    int flip = 0;
    // For comparison: a round in which every view reads its column again, as each did
    // before columns were kept between rounds.
    print("all_views_after_a_cell_of_each_column", median([&] {
              ++flip;
              for (int c = 0; c < cols; ++c)
                  m->zelle(flip % 7, c).setText(m->zelle(flip % 7 + 1, c).text());
          }),
          0);
    print("weighting_one_weight_changed", median([&] {
              m->zelle(0, cols - 1).setText(QString::number(1 + ++flip % 2));
          }),
          1000);
    if (answers.unexpected)
        std::fprintf(stderr, "unexpected questions: %d\n", answers.unexpected);
}
} // namespace

int main(int argc, char** argv)
{
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString only = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (only.isEmpty() || only == QLatin1String("crosstab"))
        crosstab();
    if (only.isEmpty() || only == QLatin1String("weighting"))
        weighting();
    return 0;
}
