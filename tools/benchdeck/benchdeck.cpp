// Measures the PowerPoint deck: a generated survey with 60 views of every kind the deck
// knows (bars, pies, stacked columns, tables, crosstabs, pictures), written as a new
// deck and then updated in place as next month's export would.
// Usage: benchdeck [rows] [views]
#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
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
    const int rows = argc > 1 ? std::atoi(argv[1]) : 10000;
    const int views = argc > 2 ? std::atoi(argv[2]) : 60;
    const int cols = 20;

    QTemporaryDir dir;
    const QString survey = dir.path() + "/survey.csv";
    if (!SurveyWriter(rows, cols,
                      SurveyWriter::cycling({"ja", "nein", "vielleicht", "weiss nicht", "keine"}))
             .writeCsv(survey))
        return 1;
    ScriptedAnswerer answers;
    answers.otherwise(ScriptedAnswerer::preferring({QStringLiteral("BalkenDiagram(V)")}));
    UmfrageDokument doc;
    if (!doc.importCSV(survey))
        return 1;
    doc.clearViews();
    // A realistic mix: mostly charts, some tables, a few crosstabs and pictures.
    struct Kind {
        const char* adapter;
        const char* type;
        int columns;
    };
    const Kind kinds[] = {
        {"Häufigkeit", "BalkenDiagram(V)", 1}, {"Häufigkeit %", "TortenDiagram", 1},
        {"Häufigkeit", "BalkenDiagram(H)", 1}, {"Häufigkeit", "ExcelBalkenDiagram", 3},
        {"Häufigkeit", "Tabelle", 1},          {"Häufigkeit", "BalkenDiagram(V)", 2},
        {"", "Kreuztabelle", 2},               {"Häufigkeit %", "TortenDiagram", 1},
        {"Häufigkeit", "BalkenDiagram(H)", 1}, {"Häufigkeit", "XmasDiagram", 1},
    };
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < views; ++i) {
        const Kind& k = kinds[i % 10];
        QVector<int> c;
        for (int j = 0; j < k.columns; ++j)
            c << (i + j) % cols;
        doc.createView(QString::fromUtf8(k.adapter), QString::fromUtf8(k.type), c,
                       QStringLiteral("Frage %1").arg(i + 1), QStringLiteral("<p>Notiz %1</p>").arg(i));
    }
    QApplication::processEvents();
    const qint64 buildMs = t.restart();

    const QString deck = dir.path() + "/deck.pptx";
    const bool written = doc.exportPptx(deck);
    const qint64 writeMs = t.restart();
    const qint64 bytes = QFileInfo(deck).size();
    const bool updated = doc.exportPptx(deck);
    const qint64 updateMs = t.elapsed();

    std::printf("rows=%d views=%d build_views_ms=%lld\n", doc.dataModel()->rowCount(),
                doc.viewCount() - 1, buildMs);
    std::printf("deck_write_ms=%lld deck_bytes=%lld written=%d\n", writeMs, bytes, written);
    std::printf("deck_update_ms=%lld updated=%d target_ms=3000\n", updateMs, updated);
    return written && updated ? 0 : 1;
}
