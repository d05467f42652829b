// Measures the column commands on a large survey with many views open: each command
// until every view has recomputed, its undo and redo, and the memory its undo step
// holds. Usage: benchcolumns [rows] [columns] [views] [unsorted]
#include <QApplication>
#include <QElapsedTimer>
#include <QItemSelectionModel>
#include "core/spaltenspeicher.h"
#include <QTableView>
#include <QUndoStack>
#include <cstdio>
#include <functional>
#include <malloc.h>

#include "diagrams/tabelle1.h"
#include "app/view.h"
#include "scriptedanswerer.h"
#include "surveywriter.h"

namespace {
double heapMB()
{
    const struct mallinfo2 mi = mallinfo2();
    return double(mi.uordblks + mi.hblkhd) / (1024.0 * 1024.0);
}

// Runs f, then lets every view recompute; milliseconds for both.
qint64 timed(const std::function<void()>& f)
{
    QElapsedTimer t;
    t.start();
    f();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    return t.elapsed();
}

void select(View& v, const QVector<int>& columns)
{
    QTableView* table = v.dataTable()->table();
    table->selectionModel()->clearSelection();
    for (int c : columns)
        table->selectionModel()->select(table->model()->index(0, c),
                                        QItemSelectionModel::Select | QItemSelectionModel::Columns);
}

void report(const char* name, qint64 doMs, qint64 undoMs, qint64 redoMs, double stepMB)
{
    std::printf("%-28s do_ms=%6lld undo_ms=%6lld redo_ms=%6lld undo_step_MB=%7.1f\n", name,
                doMs, undoMs, redoMs, stepMB);
}

// Does, undoes and redoes one command; the undo step's memory is what the heap grew
// by through the command.
void measure(View& v, const char* name, const QVector<int>& columns,
             const std::function<void()>& command)
{
    QUndoStack* undo = v.document()->undoStack();
    select(v, columns);
    QCoreApplication::processEvents();
    const double before = heapMB();
    const qint64 doMs = timed(command);
    const double step = heapMB() - before;
    const qint64 undoMs = timed([undo] { undo->undo(); });
    const qint64 redoMs = timed([undo] { undo->redo(); });
    report(name, doMs, undoMs, redoMs, step);
}
}

int main(int argc, char** argv)
{
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int rows = argc > 1 ? std::atoi(argv[1]) : 100000;
    const int cols = argc > 2 ? std::atoi(argv[2]) : 20;
    const int views = argc > 3 ? std::atoi(argv[3]) : 50;
    const bool sorted = !(argc > 4 && QByteArray(argv[4]) == "unsorted");

    // The commands' questions, scripted before each command.
    ScriptedAnswerer answers;
    View v;
    v.document()->clearViews();
    SpaltenSpeicher* m = v.document()->dataModel();
    {
        Tabelle1::BulkFill hold(v.dataTable());
        m->clear();
        v.document()->undoStack()->clear();
        // Even rows answer "5", odd rows 1 to 4: replacing "5" matches half the cells.
        SurveyWriter(rows, cols, [](int r, int c) {
            return r % 2 == 0 ? QStringLiteral("5") : QString::number(1 + (r * 3 + c) % 4);
        }).fill(m);
    }
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < views; ++i) {
        const int c = i % cols;
        if (i % 5 == 4)
            v.document()->createView(QString::fromUtf8("Häufigkeit"), QStringLiteral("BalkenDiagram(V)"),
                         {c, (c + 1) % cols}, QStringLiteral("Multi %1").arg(i), QString());
        else if (i % 2 == 0)
            v.document()->createView(QString::fromUtf8("Häufigkeit"), QStringLiteral("BalkenDiagram(V)"),
                         {c}, QStringLiteral("Ansicht %1").arg(i), QString());
        else
            v.document()->createView(QString::fromUtf8("Häufigkeit %"), QStringLiteral("TortenDiagram"),
                         {c}, QStringLiteral("Ansicht %1").arg(i), QString());
    }
    QCoreApplication::processEvents();
    std::printf("rows=%d columns=%d views=%d sorted=%d (views built in %lld ms)\n", rows, cols,
                v.document()->viewCount() - 1, int(sorted), t.elapsed());
    v.goHome();
    if (sorted)
        v.dataTable()->table()->sortByColumn(0, Qt::AscendingOrder);

    const qint64 recompute = timed([m, rows, cols] {
        emit m->dataChanged(m->index(0, 0), m->index(rows - 1, cols - 1));
    });
    std::printf("%-28s %lld ms\n", "all views recompute once", recompute);

    QVector<int> all;
    for (int c = 0; c < cols; ++c)
        all << c;

    measure(v, "Spalten als Zahlen", all, [&] {
        v.dataNumericColumns();
    });
    // What the views alone cost once every cell holds a number: the floor of the
    // commands' figures, which all end with every view recomputing.
    const qint64 recomputeNumbers = timed([m, rows, cols] {
        emit m->dataChanged(m->index(0, 0), m->index(rows - 1, cols - 1));
    });
    std::printf("%-28s %lld ms\n", "views recompute on numbers", recomputeNumbers);
    measure(v, "Werte ersetzen (half)", all, [&] {
        answers.accept(UserInput::Text, QStringLiteral("5")).accept(UserInput::Text, QStringLiteral("fuenf"));
        v.dataReplaceColumns();
    });
    measure(v, "Spalten normieren", all, [&] {
        v.dataNormalizeColumn();
    });
    measure(v, "Spalten kopieren (1)", {0}, [&] {
        v.dataCopyColumns();
    });
    measure(v, "Spalten zusammenfassen (2)", {1, 2}, [&] {
        answers.accept(UserInput::Text, QStringLiteral("Kombi")).accept(UserInput::Question, int(QMessageBox::Yes));
        v.dataCombineColumns();
    });
    measure(v, "Spalten gewichten (2)", {3, 4}, [&] {
        answers.accept(UserInput::Text, QStringLiteral("Gewicht")).accept(UserInput::Text, QStringLiteral("0.5,2"));
        v.dataWeightColumns();
    });
    // Re-weighting needs a weighted column whose marks are not lost to undo and redo.
    select(v, {3, 4});
    answers.accept(UserInput::Text, QStringLiteral("Gewicht")).accept(UserInput::Text, QStringLiteral("0.5,2"));
    v.dataWeightColumns();
    measure(v, "neu gewichten", {m->columnCount() - 1}, [&] {
        answers.accept(UserInput::Text, QStringLiteral("1,3"));
        v.dataWeightColumns();
    });
    std::printf("undo steps=%d heap_MB=%.1f\n", v.document()->undoStack()->count(), heapMB());
    if (answers.unexpected || answers.pending())
        std::fprintf(stderr, "unexpected questions: %d, unasked answers: %d\n",
                     answers.unexpected, answers.pending());
    return 0;
}
