// Measures the window's data table on a survey file: the file imported with one
// frequency bar chart per question, the table shown at a fixed size, then paging down
// through it with the viewport painted after every step, sorting by a few columns
// through the proxy (as a header click does) ascending and descending, and editing a
// cell through the proxy until the views and the table are current. Prints
// milliseconds per step.
// Usage: benchtabelle SURVEY.csv [page-steps] [edits]
#include <QAbstractItemModel>
#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QHeaderView>
#include <QScrollBar>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "scriptedanswerer.h"
#include "app/view.h"
#include "diagrams/tabelle1.h"

namespace {
double ms(const QElapsedTimer& t)
{
    return t.nsecsElapsed() / 1e6;
}

double median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

double mean(const std::vector<double>& v)
{
    double s = 0;
    for (double d : v)
        s += d;
    return v.empty() ? 0 : s / double(v.size());
}

// Runs the queued work (coalesced recomputations, paints) until none is left.
void settle()
{
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}

void print(const char* what, const std::vector<double>& v)
{
    std::printf("%-28s median %8.2f ms  mean %8.2f ms  max %8.2f ms  (%zu steps)\n", what,
                median(v), mean(v), v.empty() ? 0.0 : *std::max_element(v.begin(), v.end()),
                v.size());
}
}

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: benchtabelle SURVEY.csv [page-steps] [edits]\n");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    const int pageSteps = argc > 2 ? std::max(1, std::atoi(argv[2])) : 200;
    const int edits = argc > 3 ? std::max(1, std::atoi(argv[3])) : 20;
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
    v.widgetChanged(0);
    settle();

    QTableView* tv = v.dataTable()->table();
    QSortFilterProxyModel* proxy = v.dataTable()->proxy();
    const QAbstractItemModel* m = proxy->sourceModel();
    QWidget* port = tv->viewport();
    std::printf("survey %s: rows=%d columns=%d, import with views %.0f ms, viewport %dx%d, "
                "sorted by column %d\n",
                qPrintable(QFileInfo(path).fileName()), m->rowCount(), m->columnCount(),
                importMs, port->width(), port->height(), proxy->sortColumn());

    // Paging down, each page painted as the window shows it.
    std::vector<double> steps;
    QScrollBar* bar = tv->verticalScrollBar();
    bar->setValue(0);
    port->repaint();
    for (int i = 0; i < pageSteps; ++i) {
        t.restart();
        bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
        port->repaint();
        steps.push_back(ms(t));
    }
    print("page_down", steps);
    // The same to the right and back, the columns' widths and headers in play.
    steps.clear();
    QScrollBar* hbar = tv->horizontalScrollBar();
    for (int i = 0; i < 20; ++i) {
        t.restart();
        hbar->triggerAction(i < 10 ? QAbstractSlider::SliderPageStepAdd
                                   : QAbstractSlider::SliderPageStepSub);
        port->repaint();
        steps.push_back(ms(t));
    }
    print("page_right_left", steps);

    // Sorting by a header click, the first page painted: a single-choice question, a
    // 0-10 scale, a checkbox and a free-text column (the generator's order).
    const int sortColumns[] = {0, 2, 3, 9};
    std::vector<double> asc, desc;
    for (int c : sortColumns) {
        if (c >= m->columnCount())
            continue;
        bar->setValue(0);
        t.restart();
        tv->sortByColumn(c, Qt::AscendingOrder);
        port->repaint();
        asc.push_back(ms(t));
        t.restart();
        tv->sortByColumn(c, Qt::DescendingOrder);
        port->repaint();
        desc.push_back(ms(t));
        std::printf("sort column %d: ascending %.1f ms, descending %.1f ms\n", c, asc.back(),
                    desc.back());
    }
    print("sort_ascending", asc);
    print("sort_descending", desc);

    // Editing a cell through the proxy, sorted by column 0: a cell of the sort column
    // (its row moves) and one of another column, each until the views and the table
    // are current.
    tv->sortByColumn(0, Qt::AscendingOrder);
    bar->setValue(bar->maximum() / 2);
    settle();
    for (int c : {0, 1}) {
        steps.clear();
        for (int i = 0; i < edits; ++i) {
            const QModelIndex at = tv->indexAt(QPoint(port->width() / 2, port->height() / 2));
            const QModelIndex cell = proxy->index(at.isValid() ? at.row() : 0, c);
            const QString text = i % 2 ? QStringLiteral("zurueck") : QStringLiteral("geaendert");
            t.restart();
            proxy->setData(cell, text, Qt::EditRole);
            settle();
            port->repaint();
            steps.push_back(ms(t));
        }
        print(c == 0 ? "edit_sort_column" : "edit_other_column", steps);
    }
    if (answers.unexpected)
        std::fprintf(stderr, "unexpected questions: %d\n", answers.unexpected);
    return 0;
}
