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

#include <QDoubleSpinBox>
#include "core/spaltenspeicher.h"

#include "analyses/chiquadrat.h"
#include "analyses/haeufigkeitsdiagramadapter.h"
#include "analyses/haeufigkeitsprozentdiagramadapter.h"
#include "analyses/viewtypes.h"
#include "diagrams/balkendiagram.h"
#include "diagrams/diagram.h"
#include "diagrams/tortendiagram.h"
#include "diagrams/viewpicture.h"
#include "diagrams/vierdiagramview.h"
#include "diagrams/xyplotter.h"

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

// A small survey for the views that read the data table themselves: age, group,
// points and three answers, 40 respondents.
SpaltenSpeicher* survey(QObject* parent)
{
    auto* m = new SpaltenSpeicher(parent);
    m->setHorizontalHeaderLabels({QStringLiteral("Alter"), QStringLiteral("Gruppe"),
                                  QStringLiteral("Punkte"), QStringLiteral("Frage 1"),
                                  QStringLiteral("Frage 2"), QStringLiteral("Frage 3")});
    const QStringList answers = {QStringLiteral("ja"), QStringLiteral("nein"),
                                 QStringLiteral("vielleicht")};
    for (int r = 0; r < 40; ++r) {
        const int age = 18 + (r * 37) % 50;
        QVariantList row;
        row << QVariant(QString::number(age))
            << QVariant(r % 3 ? QStringLiteral("A") : QStringLiteral("B"))
            << QVariant(QString::number(age / 4 + (r * 7) % 9))
            << QVariant(answers.at(r % 3))
            << QVariant(answers.at((r / 2) % 3))
            << QVariant(r % 5 ? answers.at((r / 3) % 3) : QString());
        m->zeileAnfuegen(row);
    }
    return m;
}

// Every view that is not a bare diagram, made as the program makes it, with a name
// for its file.
QList<QPair<QString, ModelClient*>> specialViews(SpaltenSpeicher* m)
{
    QList<QPair<QString, ModelClient*>> out;
    const QMap<QString, QVector<int>> columns = {
        {QStringLiteral("Ähnlichkeit"), {3, 4, 5}},
        {QStringLiteral("Ähnlichkeit 3D"), {3, 4, 5}},
        {QStringLiteral("Statistik"), {0, 2, 3}},
        {QStringLiteral("XYPlotter"), {0, 2}},
        {QStringLiteral("Lineare Regression"), {0, 2}},
        {QStringLiteral("Kreuztabelle"), {3, 1, 4}},
    };
    for (const ViewTypes::SpecialViewType& t : ViewTypes::specialViewTypes()) {
        if (t.make)
            out << qMakePair(t.name, t.make(m, columns.value(t.name)));
    }
    auto* chi = new ChiQuadrat;
    chi->setModelColumn(0);
    chi->setModel(m);
    chi->setDiagram(ViewTypes::makeDiagram(QStringLiteral("BalkenDiagram(V)")));
    chi->setTitle(QStringLiteral("Alter: Chi Quadrat"));
    chi->meanBox()->setValue(42);
    chi->deviationBox()->setValue(14);
    chi->updateDiagram();
    out << qMakePair(QStringLiteral("Chi Quadrat"), static_cast<ModelClient*>(chi));

    auto* vier = new VierDiagramView;
    vier->setModel(m);
    for (int p = 0; p < 4; ++p) {
        ModelDiagramAdapter* a = p < 2 ? static_cast<ModelDiagramAdapter*>(new HaeufigkeitsDiagramAdapter)
                                       : new HaeufigkeitsProzentDiagramAdapter;
        a->setModelColumn(3 + p % 2);
        vier->setClient(a, p);
        a->setDiagram(p < 2 ? static_cast<Diagram*>(new TortenDiagram) : new BalkenDiagram);
        a->setTitle(m->headerData(3 + p % 2, Qt::Horizontal).toString());
    }
    out << qMakePair(QStringLiteral("Vier Ansichten"), static_cast<ModelClient*>(vier));
    return out;
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

    // The views that read the data table: one picture each at two sizes. The 3D view
    // needs OpenGL: run the gallery with QT_QPA_PLATFORM=xcb on a display for it.
    SpaltenSpeicher* data = survey(&app);
    for (const auto& [name, view] : specialViews(data)) {
        QList<QImage> row;
        for (const QSize& size : {QSize(480, 360), QSize(640, 480)}) {
            view->resize(size);
            const QImage img = ViewPicture::of(view, size);
            const QString file = out.filePath(QStringLiteral("ansicht_%1_%2x%3.png")
                                                  .arg(fileName(name).replace(QLatin1Char(' '),
                                                                              QLatin1Char('_')))
                                                  .arg(size.width())
                                                  .arg(size.height()));
            if (!img.save(file)) {
                err << "cannot write " << file << "\n";
                return 1;
            }
            row << img;
            ++written;
        }
        sheetRows << row;
        delete view;
    }

    // Each diagram type fed by a count with a dependency filter set, so that the filter
    // line and the base show; the XY plot and the regression line with their base.
    for (const ViewTypes::DiagramType& type : ViewTypes::diagramTypes()) {
        auto* a = new HaeufigkeitsDiagramAdapter;
        a->setModel(data);
        a->setModelColumn(4);
        a->setDiagram(type.make());
        a->setTitle(QStringLiteral("Frage 2"));
        a->setDepFilter(QStringLiteral("A"), 1);
        const QSize size(480, 360);
        a->resize(size);
        const QImage img = ViewPicture::of(a, size);
        const QString file = out.filePath(QStringLiteral("gefiltert_%1.png").arg(fileName(type.name)));
        if (!img.save(file)) {
            err << "cannot write " << file << "\n";
            return 1;
        }
        sheetRows << QList<QImage>{img};
        ++written;
        delete a;
    }
    for (const QString& name : {QStringLiteral("XYPlotter"), QStringLiteral("Lineare Regression")}) {
        for (const ViewTypes::SpecialViewType& t : ViewTypes::specialViewTypes()) {
            if (t.name != name || !t.make)
                continue;
            std::unique_ptr<ModelClient> v(t.make(data, {0, 2}));
            if (auto* xy = qobject_cast<XYPlotter*>(v.get()))
                xy->setDepFilter(QStringLiteral("A"), 1);
            const QSize size(480, 360);
            v->resize(size);
            const QImage img = ViewPicture::of(v.get(), size);
            const QString file = out.filePath(QStringLiteral("gefiltert_%1.png")
                                                  .arg(QString(name).replace(QLatin1Char(' '), QLatin1Char('_'))));
            if (!img.save(file)) {
                err << "cannot write " << file << "\n";
                return 1;
            }
            sheetRows << QList<QImage>{img};
            ++written;
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
