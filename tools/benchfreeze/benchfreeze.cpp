// Measures how long the window goes without handling events during each long piece of
// work on a survey file, and whether the progress display came up: one line per work
// with the time until the first event was handled (the display's delay included), the
// longest stretch after that, and the number of progress dialogs shown.
// Usage: benchfreeze SURVEY.csv
#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProgressDialog>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <functional>

#include "scriptedanswerer.h"
#include "app/fortschrittsdialog.h"
#include "app/view.h"

namespace {
// Answers the two diagram questions of the import, and nothing else.
// Counts the progress dialogs shown.
class DialogCount : public QObject
{
public:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::Show && qobject_cast<QProgressDialog*>(o))
            ++shown;
        return false;
    }
    int shown = 0;
};

void measure(const char* name, const std::function<bool()>& work, DialogCount& dialogs)
{
    // A timer that fires whenever events are handled: the gaps between its firings are
    // the stretches in which the window could not repaint.
    QElapsedTimer clock;
    QTimer tick;
    tick.setInterval(5);
    qint64 last = 0;
    qint64 first = -1;
    qint64 longest = 0;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const qint64 now = clock.elapsed();
        if (first < 0)
            first = now;
        else
            longest = qMax(longest, now - last);
        last = now;
    });
    dialogs.shown = 0;
    clock.start();
    tick.start();
    const bool ok = work();
    const qint64 total = clock.elapsed();
    tick.stop();
    if (first < 0)
        first = total;
    else
        longest = qMax(longest, total - last);
    std::printf("%-14s total_ms %7lld  until_first_events_ms %6lld  longest_after_ms %6lld  "
                "dialogs %d%s\n",
                name, total, first, longest, dialogs.shown, ok ? "" : "  FAILED");
    std::fflush(stdout);
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
        std::fprintf(stderr, "usage: benchfreeze SURVEY.csv\n");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    // Every question after an import: vertical bars of the answers' frequencies.
    ScriptedAnswerer answers;
    answers.otherwise(ScriptedAnswerer::preferring(
        {QStringLiteral("BalkenDiagram(V)"), QString::fromUtf8("Häufigkeit")}));
    DialogCount dialogs;
    app.installEventFilter(&dialogs);

    View v;
    v.resize(1200, 800);
    v.show();
    QApplication::processEvents();
    std::printf("survey %s\n", qPrintable(QFileInfo(path).fileName()));

    QTemporaryDir dir;
    const QString stat = dir.filePath(QStringLiteral("survey.stat"));
    measure("import+views", [&] { return v.importCSV(path); }, dialogs);
    measure("save", [&] { return v.save(stat); }, dialogs);
    measure("load", [&] { return v.load(stat); }, dialogs);
    measure("views_export",
            [&] { return v.document()->exportViewsCSV(dir.filePath(QStringLiteral("views.csv"))); },
            dialogs);
    measure("views_import",
            [&] { return v.document()->importViewsCSV(dir.filePath(QStringLiteral("views.csv"))); },
            dialogs);
    measure("data_export",
            [&] { return v.document()->exportCSV(dir.filePath(QStringLiteral("data.csv"))); }, dialogs);
    measure("report",
            [&] { return v.document()->exportHTML(dir.filePath(QStringLiteral("report.html"))); },
            dialogs);
    measure("new", [&] { v.createDemoViews(); return true; }, dialogs);
    if (answers.unexpected)
        std::fprintf(stderr, "unexpected questions: %d\n", answers.unexpected);
    return 0;
}
