// Measures the CSV import: writes a survey of the given size and reads it into a main
// window, printing the time taken. Usage: benchimport [rows] [columns]
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTextStream>
#include <cstdio>

#include "core/userinput.h"
#include "app/view.h"

namespace {
// Declines the diagram question, so that only the reading is measured.
class Decline : public UserInput::Answerer
{
public:
    UserInput::Reply answer(const UserInput::Ask&) override { return {}; }
};
}

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int rows = argc > 1 ? std::atoi(argv[1]) : 100000;
    const int cols = argc > 2 ? std::atoi(argv[2]) : 20;

    QTemporaryDir dir;
    const QString path = dir.path() + "/survey.csv";
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly))
            return 1;
        QTextStream out(&f);
        for (int c = 0; c < cols; ++c)
            out << (c ? ";" : "") << "\"Frage " << c + 1 << "\"";
        out << "\n";
        for (int r = 0; r < rows; ++r) {
            for (int c = 0; c < cols; ++c)
                out << (c ? ";" : "") << ((r * 31 + c * 7) % 5 == 0 ? "\"ja; sicher\"" : "nein");
            out << "\n";
        }
    }
    Decline decline;
    UserInput::setAnswerer(&decline);
    View v;
    QElapsedTimer t;
    t.start();
    v.importCSV(path);
    const qint64 ms = t.elapsed();
    std::printf("rows=%d columns=%d bytes=%lld import_ms=%lld cells_per_s=%.0f\n",
                v.dataModel()->rowCount(), v.dataModel()->columnCount(),
                QFile(path).size(), ms, ms > 0 ? 1000.0 * rows * cols / ms : 0.0);
    return 0;
}
