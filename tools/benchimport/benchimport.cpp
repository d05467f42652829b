// Measures the CSV import: writes a survey of the given size and reads it into a main
// window, printing the time taken. Usage: benchimport [rows] [columns]
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <cstdio>

#include "app/view.h"
#include "scriptedanswerer.h"
#include "surveywriter.h"

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int rows = argc > 1 ? std::atoi(argv[1]) : 100000;
    const int cols = argc > 2 ? std::atoi(argv[2]) : 20;

    QTemporaryDir dir;
    const QString path = dir.path() + "/survey.csv";
    // One answer in five holds the separator, quoted.
    const QString nein = QStringLiteral("nein");
    if (!SurveyWriter(rows, cols, SurveyWriter::cycling({QStringLiteral("ja; sicher"), nein,
                                                          nein, nein, nein}))
             .writeCsv(path))
        return 1;
    // Declines the diagram question, so that only the reading is measured.
    ScriptedAnswerer decline;
    decline.otherwise([](const UserInput::Ask&) { return UserInput::Reply(); });
    View v;
    QElapsedTimer t;
    t.start();
    v.importCSV(path);
    const qint64 ms = t.elapsed();
    std::printf("rows=%d columns=%d bytes=%lld import_ms=%lld cells_per_s=%.0f\n",
                v.document()->dataModel()->rowCount(), v.document()->dataModel()->columnCount(),
                QFile(path).size(), ms, ms > 0 ? 1000.0 * rows * cols / ms : 0.0);
    return 0;
}
