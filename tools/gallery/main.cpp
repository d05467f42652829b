// Renders every chart type with sample data to PNG files, for looking at them.
// Usage: gallery OUTPUT_FOLDER

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLayout>
#include <QtNumeric>
#include <QPainter>
#include <QTextStream>
#include <functional>
#include <memory>

#include "app/viewtypes.h"
#include "diagrams/diagram.h"
#include "diagrams/viewpicture.h"

namespace {

struct Sample {
    QString name;
    QVector<double> values;
    int rowWidth;
    QStringList labels;
    QStringList rowLabels;
    QString postfix;
    QString title;
};

QList<Sample> samples()
{
    return {
        {QStringLiteral("einzeln"), {12, 7, 3.5, 1, 5}, 0,
         {QStringLiteral("Ja"), QStringLiteral("Nein"), QStringLiteral("Vielleicht"),
          QStringLiteral("Weiss nicht"), QStringLiteral("Keine Angabe")},
         {}, QString(), QStringLiteral("Frage 3")},
        {QStringLiteral("prozent"), {42.5, 27.5, 18, 12}, 0,
         {QStringLiteral("sehr gut"), QStringLiteral("gut"), QStringLiteral("mittel"),
          QStringLiteral("schlecht")},
         {QStringLiteral("Alle")}, QStringLiteral("%"), QStringLiteral("Zufriedenheit")},
        {QStringLiteral("mehrere"), {40, 35, 25, 20, 50, 30, 10, 60, 30}, 3,
         {QStringLiteral("Ja"), QStringLiteral("Nein"), QStringLiteral("Egal")},
         {QStringLiteral("2021"), QStringLiteral("2022"), QStringLiteral("2023")},
         QStringLiteral("%"),
         QStringLiteral("Haben Sie in den letzten zwoelf Monaten an einer Umfrage teilgenommen?")},
        // Zero and NaN values (a column without counted cells), long category labels.
        {QStringLiteral("luecken"), {0, 30, qQNaN(), 70, 20, qQNaN()}, 3,
         {QStringLiteral("Stimme voll und ganz zu"), QStringLiteral("Stimme eher nicht zu"),
          QStringLiteral("Keine Meinung")},
         {QStringLiteral("Gruppe A"), QStringLiteral("Gruppe B")}, QStringLiteral("%"),
         QStringLiteral("Lücken in den Antworten")},
    };
}

void feed(Diagram& d, const Sample& s)
{
    d.setLabels(s.labels);
    d.setColLabels(s.rowLabels);
    d.setRowWidth(s.rowWidth);
    d.setValuePostfix(s.postfix);
    d.setTitle(s.title);
    d.setData(s.values);
}

QImage picture(Diagram& d, const QSize& size)
{
    // A diagram may not shrink below its minimum: show it at the size it takes.
    d.resize(size);
    return ViewPicture::of(&d, d.size());
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        err << "usage: gallery OUTPUT_FOLDER\n";
        return 2;
    }
    QDir out(args.at(1));
    if (!out.mkpath(QStringLiteral("."))) {
        err << "cannot create " << args.at(1) << "\n";
        return 1;
    }

    // File names cannot hold the type names' brackets.
    auto fileName = [](QString name) {
        return name.remove(QLatin1Char('(')).remove(QLatin1Char(')'));
    };
    // A roomy size, a small one and the smallest a diagram allows.
    const QList<QSize> sizes = {QSize(480, 360), QSize(240, 200), QSize(100, 140)};

    // Every picture also goes onto one overview sheet: a row per type and sample.
    QList<QList<QImage>> sheetRows;
    int written = 0;
    for (const ViewTypes::DiagramType& type : ViewTypes::diagramTypes()) {
        for (const Sample& s : samples()) {
            QList<QImage> row;
            for (const QSize& size : sizes) {
                std::unique_ptr<Diagram> d(type.make());
                feed(*d, s);
                const QImage img = picture(*d, size);
                const QString file = out.filePath(QStringLiteral("%1_%2_%3x%4.png")
                                                      .arg(fileName(type.name), s.name)
                                                      .arg(d->width())
                                                      .arg(d->height()));
                if (d->size() != size && !row.isEmpty())
                    continue; // a fixed-size diagram gives one picture
                if (!img.save(file)) {
                    err << "cannot write " << file << "\n";
                    return 1;
                }
                row << img;
                ++written;
            }
            sheetRows << row;
        }
    }

    const int gap = 10;
    int sheetW = 0;
    int sheetH = gap;
    for (const QList<QImage>& row : sheetRows) {
        int w = gap;
        int h = 0;
        for (const QImage& img : row) {
            w += img.width() + gap;
            h = std::max(h, img.height());
        }
        sheetW = std::max(sheetW, w);
        sheetH += h + gap;
    }
    QImage sheet(sheetW, sheetH, QImage::Format_ARGB32);
    sheet.fill(QColor(200, 200, 200));
    {
        QPainter p(&sheet);
        int y = gap;
        for (const QList<QImage>& row : sheetRows) {
            int x = gap;
            int h = 0;
            for (const QImage& img : row) {
                p.drawImage(x, y, img);
                x += img.width() + gap;
                h = std::max(h, img.height());
            }
            y += h + gap;
        }
    }
    if (!sheet.save(out.filePath(QStringLiteral("overview.png")))) {
        err << "cannot write the overview\n";
        return 1;
    }
    QTextStream(stdout) << written << " pictures and overview.png in " << out.absolutePath()
                        << "\n";
    return 0;
}
