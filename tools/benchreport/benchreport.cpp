// Measures the HTML report and the views CSV: reads a generated survey with one bar
// chart per column into a shown main window, then times writing the report of all
// views, writing the views CSV file and importing it again.
// Usage: benchreport [rows] [columns]
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include "core/spaltenspeicher.h"
#include <QTemporaryDir>
#include <cstdio>

#include "app/view.h"
#include "scriptedanswerer.h"
#include "surveywriter.h"

namespace {
qint64 dirBytes(const QString& path)
{
    qint64 n = 0;
    for (const QFileInfo& fi : QDir(path).entryInfoList(QDir::Files))
        n += fi.size();
    return n;
}
}

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int rows = argc > 1 ? std::atoi(argv[1]) : 10000;
    const int cols = argc > 2 ? std::atoi(argv[2]) : 100;

    QTemporaryDir dir;
    const QString survey = dir.path() + "/survey.csv";
    if (!SurveyWriter(rows, cols,
                      SurveyWriter::cycling({"ja", "nein", "vielleicht", "weiss nicht", "keine"}))
             .writeCsv(survey))
        return 1;
    // The questions after the import: vertical bars, answer frequencies.
    ScriptedAnswerer answers;
    answers.otherwise(ScriptedAnswerer::preferring({QStringLiteral("BalkenDiagram(V)")}));
    View v;
    v.resize(800, 550);
    v.show();
    v.importCSV(survey);
    QApplication::processEvents();
    const int views = v.document()->viewCount() - 1;

    QElapsedTimer t;
    t.start();
    v.document()->exportHTML(dir.path() + "/report.html");
    const qint64 reportMs = t.restart();
    v.document()->exportViewsCSV(dir.path() + "/views.csv");
    const qint64 exportMs = t.restart();
    v.document()->importViewsCSV(dir.path() + "/views.csv");
    const qint64 importMs = t.elapsed();

    std::printf("rows=%d columns=%d views=%d\n", v.document()->dataModel()->rowCount(),
                v.document()->dataModel()->columnCount(), views);
    std::printf("report_ms=%lld pictures_bytes=%lld\n", reportMs,
                dirBytes(dir.path() + "/report_files"));
    std::printf("views_csv_export_ms=%lld views_csv_import_ms=%lld views_after_import=%d\n",
                exportMs, importMs, v.document()->viewCount() - 1);
    return 0;
}
