// Measures the special views on generated surveys and prints one line per figure:
// the similarity table and the 3D view (made, memory, shown), the statistics table
// over many rows, and a paint of the XY plot. Run it on a display (xvfb-run) for the
// 3D view's frames: benchspecial [similarity|statistics|xy] (all three by default)
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QMouseEvent>
#include <QOpenGLWidget>
#include <QPainter>
#include <QRandomGenerator>
#include <QStackedWidget>
#include "core/spaltenspeicher.h"
#include <cstdio>
#include <ctime>
#include <memory>

#include "analyses/modelaenlichkeits3dview.h"
#include "analyses/modelaenlichkeitstabelle.h"
#include "analyses/statistiktabelle.h"
#include "diagrams/balken3ddiagram.h"
#include "diagrams/lineareregression.h"
#include "surveywriter.h"

namespace {
// Resident memory of this process in MB.
double residentMb()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return 0;
}

SpaltenSpeicher* survey(int rows, int cols, int distinct)
{
    QRandomGenerator rng(42);
    return SurveyWriter(rows, cols, [&rng, distinct](int, int) {
               return QString::number(rng.bounded(distinct));
           }).model();
}

double ms(const QElapsedTimer& t)
{
    return t.nsecsElapsed() / 1e6;
}

// Processor time of this process in ms: on a machine shared with other work the wall
// time above also counts the waits for a core.
double cpuMs()
{
    return 1000.0 * double(std::clock()) / CLOCKS_PER_SEC;
}

// Shows a view on a page of a stacked area as the main window does, until its picture
// is on the screen: painted, and for the 3D view rendered and composed.
double switchTo(QStackedWidget& stack, QWidget* view)
{
    auto* gl = view->findChild<QOpenGLWidget*>();
    bool swapped = false;
    QMetaObject::Connection c;
    if (gl)
        c = QObject::connect(gl, &QOpenGLWidget::frameSwapped, [&swapped] { swapped = true; });
    QElapsedTimer t;
    t.start();
    stack.setCurrentWidget(view);
    QApplication::processEvents();
    while (gl && !swapped && t.elapsed() < 5000)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    QObject::disconnect(c);
    return ms(t);
}

void similarity(QStackedWidget& stack, int rows)
{
    std::unique_ptr<SpaltenSpeicher> m(survey(rows, 10, 4));
    QVector<int> columns;
    for (int c = 0; c < 10; ++c)
        columns << c;

    const double before = residentMb();
    QElapsedTimer t;
    t.start();
    auto* table = new ModelAenlichkeitsTabelle;
    table->setModel(m.get());
    table->setSpalten(columns);
    const double made = ms(t);
    const double mem = residentMb() - before;
    stack.addWidget(table);
    const double shown = switchTo(stack, table);
    std::printf("similarity_table rows=%d columns=10 made_ms=%.1f memory_mb=%.1f switch_ms=%.1f\n",
                rows, made, mem, shown);

    const double before3d = residentMb();
    t.restart();
    auto* bars = new ModelAenlichkeits3dView;
    bars->setModel(m.get());
    bars->setSpalten(columns);
    const double made3d = ms(t);
    stack.addWidget(bars);
    const double first = switchTo(stack, bars);
    const double mem3d = residentMb() - before3d;
    stack.setCurrentWidget(table);
    const double again = switchTo(stack, bars);
    // Turning: every pixel of mouse movement is a new frame.
    Balken3dDiagram* gl = bars->bars();
    const auto mouse = [gl](QEvent::Type type, int x) {
        QMouseEvent e(type, QPointF(x, 10), gl->mapToGlobal(QPointF(x, 10)), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(gl, &e);
    };
    mouse(QEvent::MouseButtonPress, 10);
    t.restart();
    for (int i = 1; i <= 10; ++i) {
        mouse(QEvent::MouseMove, 10 + i);
        gl->grabFramebuffer();
    }
    const double frame = ms(t) / 10;
    std::printf("similarity_3d rows=%d columns=10 bars=%d made_ms=%.1f memory_mb=%.1f "
                "first_show_ms=%.1f switch_ms=%.1f frame_ms=%.1f\n",
                rows, bars->bars()->rowCount() * bars->bars()->columnCount(), made3d, mem3d,
                first, again, frame);
    delete table;
    delete bars;
}
} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", qEnvironmentVariableIsEmpty("DISPLAY") ? "offscreen" : "xcb");
    QApplication app(argc, argv);
    const QString only = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    const auto runs = [&only](const char* part) { return only.isEmpty() || only == QLatin1String(part); };
    const int statRows = 100000;

    if (runs("similarity")) {
        if (QGuiApplication::platformName() != QLatin1String("xcb")) {
            std::printf("similarity: needs an X display for the 3D view (xvfb-run)\n");
        } else {
            QStackedWidget stack;
            stack.resize(800, 600);
            stack.show();
            for (int rows : {2000, 10000})
                similarity(stack, rows);
        }
    }
    if (runs("statistics")) {
        std::unique_ptr<SpaltenSpeicher> m(survey(statRows, 50, 1000));
        QVector<int> columns;
        for (int c = 0; c < 50; ++c)
            columns << c;
        QElapsedTimer t;
        t.start();
        const double cpu = cpuMs();
        StatistikTabelle s;
        s.setModel(m.get());
        s.setSpalten(columns);
        std::printf("statistics rows=%d columns=50 made_ms=%.1f cpu_ms=%.1f\n", statRows, ms(t),
                    cpuMs() - cpu);
    }
    if (runs("xy")) {
        std::unique_ptr<SpaltenSpeicher> m(survey(100000, 2, 100000));
        LineareRegression p;
        p.setModel(m.get());
        p.setSpalten(0, 1);
        QImage img(800, 600, QImage::Format_ARGB32_Premultiplied);
        QElapsedTimer t;
        t.start();
        const double cpu = cpuMs();
        for (int i = 0; i < 5; ++i) {
            QPainter painter(&img);
            p.paint(painter, img.size());
        }
        std::printf("xy_plot points=100000 paint_ms=%.1f cpu_ms=%.1f\n", ms(t) / 5,
                    (cpuMs() - cpu) / 5);
    }
    return 0;
}
