#include <QApplication>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QtTest>

#include "diagrams/balken3ddiagram.h"
#include "tests/helpers/testutil.h"

// The 3D bar diagram: heights and colour bands, its cells, turning with the mouse,
// and a rendered frame (with a display; the suite runs under xvfb-run).
class TstBalken3d : public QObject
{
    Q_OBJECT
private slots:
    void bars_data();
    void bars();
    void cells();
    void turning();
    void renderedBands();
};

void TstBalken3d::bars_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("cols");
    QTest::addColumn<QVector<double>>("values");
    QTest::addColumn<QVector<double>>("heights");
    QTest::addColumn<QList<QColor>>("colours");
    QTest::newRow("worked example") << 2 << 2 << QVector<double>{1, 2, 3, 4}
                                    << QVector<double>{6.25, 12.5, 18.75, 25}
                                    << QList<QColor>{Qt::lightGray, Qt::blue, Qt::green, Qt::green};
    QTest::newRow("zero cell leaves a gap") << 1 << 3 << QVector<double>{10, 0, 1}
                                            << QVector<double>{25, 2.5}
                                            << QList<QColor>{Qt::green, Qt::lightGray};
    QTest::newRow("band edges") << 1 << 5 << QVector<double>{0.99, 3, 7.5, 12.5, 25}
                                << QVector<double>{0.99, 3, 7.5, 12.5, 25}
                                << QList<QColor>{Qt::gray, Qt::lightGray, Qt::yellow, Qt::blue, Qt::green};
    QTest::newRow("no cells") << 0 << 0 << QVector<double>{} << QVector<double>{}
                              << QList<QColor>{};
    QTest::newRow("largest value 0") << 1 << 2 << QVector<double>{0, 0} << QVector<double>{}
                                     << QList<QColor>{};
    QTest::newRow("largest value negative") << 1 << 2 << QVector<double>{-1, -3}
                                            << QVector<double>{} << QList<QColor>{};
}

void TstBalken3d::bars()
{
    QFETCH(int, rows);
    QFETCH(int, cols);
    QFETCH(QVector<double>, values);
    QFETCH(QVector<double>, heights);
    QFETCH(QList<QColor>, colours);
    const QVector<Balken3dDiagram::Bar> b = Balken3dDiagram::bars(rows, cols, values);
    QVector<double> h;
    QList<QColor> c;
    for (const Balken3dDiagram::Bar& bar : b) {
        h << bar.height;
        c << bar.colour;
    }
    QCOMPARE(h, heights);
    QCOMPARE(c, colours);
}

void TstBalken3d::cells()
{
    Balken3dDiagram d;
    d.setRowCount(2);
    d.setColumnCount(3);
    d.setData(1, 2, 5);
    d.setData(2, 0, 7);    // outside: ignored
    d.setData(0, 3, 7);
    d.setData(-1, 0, 7);
    QCOMPARE(d.value(1, 2), 5.0);
    QCOMPARE(d.bars().size(), 1);
    QCOMPARE(d.bars().at(0).row, 1);
    QCOMPARE(d.bars().at(0).column, 2);
    d.setColumnCount(3);   // every call discards the cells
    QCOMPARE(d.value(1, 2), 0.0);
    QVERIFY(d.bars().isEmpty());
}

void TstBalken3d::turning()
{
    Balken3dDiagram d;
    QCOMPARE(QList<int>({d.xRotation(), d.yRotation(), d.zRotation()}),
             QList<int>({-480, 2480, -160}));
    const auto send = [&d](QEvent::Type type, QPoint pos, Qt::MouseButton b, Qt::MouseButtons held) {
        QMouseEvent e(type, pos, d.mapToGlobal(pos), b, held, Qt::NoModifier);
        QCoreApplication::sendEvent(&d, &e);
    };
    send(QEvent::MouseButtonPress, {20, 20}, Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseMove, {30, 20}, Qt::NoButton, Qt::LeftButton);
    QCOMPARE(d.yRotation(), 2480 + 80);
    send(QEvent::MouseMove, {30, 23}, Qt::NoButton, Qt::LeftButton);
    QCOMPARE(d.xRotation(), -480 + 24);
    send(QEvent::MouseButtonPress, {30, 23}, Qt::RightButton, Qt::RightButton);
    send(QEvent::MouseMove, {40, 23}, Qt::NoButton, Qt::RightButton);
    QCOMPARE(d.zRotation(), -160 + 80);
    QCOMPARE(d.yRotation(), 2480 + 80);
    send(QEvent::MouseMove, {90, 90}, Qt::NoButton, Qt::NoButton);   // no button: no turn
    QCOMPARE(QList<int>({d.xRotation(), d.yRotation(), d.zRotation()}),
             QList<int>({-480 + 24, 2480 + 80, -160 + 80}));
}

namespace {
int count(const QImage& img, const QColor& c)
{
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += TestUtil::isColor(img, x, y, c);
    return n;
}
}

void TstBalken3d::renderedBands()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        QSKIP("needs an X display with OpenGL (run under xvfb-run)");
    Balken3dDiagram d;
    d.resize(400, 300);
    // One row of bars 5, 10, 15, 20, 25 units high: light gray, yellow, blue, green.
    d.setRowCount(1);
    d.setColumnCount(5);
    for (int c = 0; c < 5; ++c)
        d.setData(0, c, c + 1);
    d.show();
    QVERIFY(QTest::qWaitForWindowExposed(&d));
    QVERIFY(d.isValid());
    const QImage img = d.grabFramebuffer();
    for (const QColor& c : {QColor(Qt::lightGray), QColor(Qt::yellow), QColor(Qt::blue),
                            QColor(Qt::green), QColor(Qt::gray), QColor(Qt::white)})
        QVERIFY2(count(img, c) > 50, qPrintable(c.name()));

    // Only the floor once the values give no scale.
    d.setData(0, 0, 0);
    for (int c = 0; c < 5; ++c)
        d.setData(0, c, 0);
    d.update();
    const QImage floorOnly = d.grabFramebuffer();
    QCOMPARE(count(floorOnly, Qt::green) + count(floorOnly, Qt::blue)
                 + count(floorOnly, Qt::yellow) + count(floorOnly, Qt::lightGray),
             0);
    QVERIFY(count(floorOnly, Qt::gray) > 50);
}

int main(int argc, char** argv)
{
    // OpenGL needs a real display; without one the rendering test is skipped.
    qputenv("QT_QPA_PLATFORM", qEnvironmentVariableIsEmpty("DISPLAY") ? "offscreen" : "xcb");
    QApplication app(argc, argv);
    TstBalken3d t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_balken3d.moc"
