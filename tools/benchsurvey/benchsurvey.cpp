// Measures the program on a survey file in one process and prints one line per figure:
// the import with one frequency bar chart per question until every view is computed,
// a picture of every view, the slowest page switch, one cell edit until every view is
// current, saving and loading the statistic file (also in a new window), and the peak
// memory.
// Usage: benchsurvey SURVEY.csv [edit-column]
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QStackedWidget>
#include "core/spaltenspeicher.h"
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

#include "scriptedanswerer.h"
#include "app/fortschrittsdialog.h"
#include "app/view.h"
#include "diagrams/viewpicture.h"

namespace {
// Answers the two diagram questions of the import, and nothing else.
double ms(const QElapsedTimer& t)
{
    return t.nsecsElapsed() / 1e6;
}

// A figure of /proc/self/status in MB (VmHWM: peak resident memory).
double statusMb(const char* key)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(int(qstrlen(key))).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return 0;
}

// Runs the queued work (coalesced recomputations, paints) until none is left.
void settle()
{
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}
}

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Long work shows its dialog, as in the program.
    FortschrittsDialog::install();
    if (argc < 2) {
        std::fprintf(stderr, "usage: benchsurvey SURVEY.csv [edit-column]\n");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    const int editColumn = argc > 2 ? std::atoi(argv[2]) : 0;
    // Every question after an import: vertical bars of the answers' frequencies.
    ScriptedAnswerer answers;
    answers.otherwise(ScriptedAnswerer::preferring(
        {QStringLiteral("BalkenDiagram(V)"), QString::fromUtf8("Häufigkeit")}));

    View v;
    v.resize(1200, 800);
    v.show();
    settle();

    QElapsedTimer t;
    t.start();
    if (!v.importCSV(path)) {
        std::fprintf(stderr, "cannot import %s\n", argv[1]);
        return 1;
    }
    settle();
    const double importMs = ms(t);
    const double importHwm = statusMb("VmHWM:");
    SpaltenSpeicher* m = v.document()->dataModel();
    std::printf("survey %s: rows=%d columns=%d views=%d\n",
                qPrintable(QFileInfo(path).fileName()), m->rowCount(), m->columnCount(),
                v.document()->viewCount() - 1);
    std::printf("import_and_views_ms %.1f\n", importMs);

    // A picture of every view, as dragging, copying and the report make them.
    t.restart();
    qint64 pixels = 0;
    for (int row = 1; row < v.document()->viewCount(); ++row)
        pixels += ViewPicture::of(v.document()->viewPage(row), QSize(800, 550)).sizeInBytes() > 0;
    std::printf("render_all_views_ms %.1f (%lld pictures)\n", ms(t), pixels);

    // Every page in turn, shown and painted; the slowest counts.
    double slowest = 0;
    int slowestRow = 0;
    double total = 0;
    for (int row = 1; row < v.document()->viewCount(); ++row) {
        t.restart();
        v.widgetChanged(row);
        settle();
        const double d = ms(t);
        total += d;
        if (d > slowest) {
            slowest = d;
            slowestRow = row;
        }
    }
    std::printf("page_switch_slowest_ms %.1f (view %d: %s) mean %.1f\n", slowest, slowestRow,
                qPrintable(v.document()->viewListModel()->item(slowestRow)->text()),
                v.document()->viewCount() > 1 ? total / (v.document()->viewCount() - 1) : 0.0);
    v.widgetChanged(0);
    settle();

    // One cell edited as the data table does it, until every view is current.
    const int col = qBound(0, editColumn, qMax(0, m->columnCount() - 1));
    t.restart();
    m->setData(m->index(0, col), QStringLiteral("geaendert"), Qt::EditRole);
    settle();
    std::printf("one_cell_edit_ms %.1f (column %d)\n", ms(t), col);

    QTemporaryDir dir;
    const QString stat = dir.path() + QStringLiteral("/survey.stat");
    t.restart();
    const bool saved = v.save(stat);
    std::printf("save_ms %.1f (%s, %lld bytes)\n", ms(t), saved ? "ok" : "FAILED",
                QFileInfo(stat).size());
    t.restart();
    const bool loaded = v.load(stat);
    settle();
    std::printf("load_ms %.1f (%s, views=%d)\n", ms(t), loaded ? "ok" : "FAILED",
                v.document()->viewCount() - 1);
    std::printf("peak_memory_mb after_import %.0f after_load %.0f\n", importHwm,
                statusMb("VmHWM:"));

    // The same file opened as after a start, in a window with nothing to empty first:
    // the counterpart of the import above.
    {
        View fresh;
        fresh.resize(1200, 800);
        fresh.show();
        settle();
        t.restart();
        const bool again = fresh.load(stat);
        settle();
        std::printf("load_in_new_window_ms %.1f (%s)\n", ms(t), again ? "ok" : "FAILED");
    }
    if (answers.unexpected)
        std::fprintf(stderr, "unexpected questions: %d\n", answers.unexpected);
    return 0;
}
