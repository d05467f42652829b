// Measures the CSV import: writes a survey of the given size and reads it into a survey
// document, printing the time taken. Usage: benchimport [rows] [columns]
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include "core/spaltenspeicher.h"
#include <QTemporaryDir>
#include <cstdio>

#include "io/umfragedokument.h"
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
    // Only the reading is measured: no views are made.
    ScriptedAnswerer decline;
    decline.otherwise([](const UserInput::Ask&) { return UserInput::Reply(); });
    UmfrageDokument doc;
    doc.createDemo();
    QElapsedTimer t;
    t.start();
    doc.importData(path);
    const qint64 ms = t.elapsed();
    std::printf("rows=%d columns=%d bytes=%lld import_ms=%lld cells_per_s=%.0f\n",
                doc.dataModel()->rowCount(), doc.dataModel()->columnCount(),
                QFile(path).size(), ms, ms > 0 ? 1000.0 * rows * cols / ms : 0.0);
    return 0;
}
