#include "diagrams/balken3ddiagram.h"

#include <QMouseEvent>
#include <QOpenGLContext>
#include <QOpenGLFunctions_1_1>
#include <QOpenGLVersionFunctionsFactory>
#include <cmath>

namespace {
// The unit cube [0, 1]^3 as six quads, each wound counter-clockwise seen from outside,
// so that the faces turned away can be culled. Bars are mirrored by their negative
// height and the projection mirrors y again, so outside stays counter-clockwise.
constexpr int cubeFaces[6][4][3] = {
    {{0, 0, 0}, {0, 1, 0}, {1, 1, 0}, {1, 0, 0}},
    {{0, 0, 1}, {1, 0, 1}, {1, 1, 1}, {0, 1, 1}},
    {{0, 0, 0}, {0, 0, 1}, {0, 1, 1}, {0, 1, 0}},
    {{1, 0, 0}, {1, 1, 0}, {1, 1, 1}, {1, 0, 1}},
    {{0, 0, 0}, {1, 0, 0}, {1, 0, 1}, {0, 0, 1}},
    {{0, 1, 0}, {0, 1, 1}, {1, 1, 1}, {1, 1, 0}},
};
}

Balken3dDiagram::Balken3dDiagram(QWidget* parent)
    : QOpenGLWidget(parent)
{
    // Keeps the last frame between paints, so that an unchanged scene is not drawn again.
    setUpdateBehavior(QOpenGLWidget::PartialUpdate);
}

Balken3dDiagram::~Balken3dDiagram()
{
    releaseLists();
    // The base class destroys the context later; its signal must not reach this part
    // of the object any more.
    if (context())
        disconnect(context(), nullptr, this, nullptr);
}

void Balken3dDiagram::setRowCount(int n)
{
    rows = std::max(0, n);
    values = QVector<double>(qsizetype(rows) * rows, 0.0);
    barsDirty = true;
    frameCurrent = false;
}

void Balken3dDiagram::setColumnCount(int m)
{
    cols = std::max(0, m);
    values = QVector<double>(qsizetype(cols) * rows, 0.0);
    barsDirty = true;
    frameCurrent = false;
}

void Balken3dDiagram::setData(int row, int col, double value)
{
    if (row < 0 || row >= rows || col < 0 || col >= cols)
        return;
    values[qsizetype(row) * cols + col] = value;
    barsDirty = true;
    frameCurrent = false;
}

double Balken3dDiagram::value(int row, int col) const
{
    if (row < 0 || row >= rows || col < 0 || col >= cols)
        return 0;
    return values.at(qsizetype(row) * cols + col);
}

QColor Balken3dDiagram::bandColour(double h)
{
    if (h < 2.5)
        return QColor(Qt::gray);
    if (h < 7.5)
        return QColor(Qt::lightGray);
    if (h < 12.5)
        return QColor(Qt::yellow);
    if (h < 17.5)
        return QColor(Qt::blue);
    return QColor(Qt::green);
}

QVector<Balken3dDiagram::Bar> Balken3dDiagram::bars(int rows, int cols,
                                                     const QVector<double>& values)
{
    QVector<Bar> out;
    if (rows <= 0 || cols <= 0 || values.size() < qsizetype(rows) * cols)
        return out;
    double largest = 0;
    bool any = false;
    for (double v : values) {
        if (std::isfinite(v) && (!any || v > largest)) {
            largest = v;
            any = true;
        }
    }
    if (!any || !(largest > 0))
        return out;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            const double h = 25.0 * values.at(qsizetype(r) * cols + c) / largest;
            if (h == 0 || !std::isfinite(h))
                continue;
            out << Bar{r, c, h, bandColour(h)};
        }
    }
    return out;
}

QVector<Balken3dDiagram::Bar> Balken3dDiagram::bars() const
{
    return bars(rows, cols, values);
}

void Balken3dDiagram::initializeGL()
{
    // A new context (the widget moved to another window) needs new lists.
    gl = QOpenGLVersionFunctionsFactory::get<QOpenGLFunctions_1_1>(context());
    if (!gl)
        return;
    // Opaque white: the widget's picture is composed with others, and a clear alpha
    // of 0 would let the window behind show through.
    gl->glClearColor(1, 1, 1, 1);
    gl->glEnable(GL_DEPTH_TEST);
    barList = gl->glGenLists(1);
    barsDirty = true;
    frameCurrent = false;
    connect(context(), &QOpenGLContext::aboutToBeDestroyed, this,
            &Balken3dDiagram::releaseLists, Qt::UniqueConnection);
}

void Balken3dDiagram::releaseLists()
{
    if (!gl || !context())
        return;
    makeCurrent();
    if (barList)
        gl->glDeleteLists(barList, 1);
    barList = 0;
    doneCurrent();
    gl = nullptr;
}

void Balken3dDiagram::resizeGL(int, int)
{
    // The projection depends on the column count too; paintGL sets it.
    frameCurrent = false;
}

void Balken3dDiagram::buildBars()
{
    // One batch of quads for all bars: the cube's faces, placed and scaled here once,
    // instead of a transformed cube per bar and frame.
    gl->glNewList(barList, GL_COMPILE);
    gl->glBegin(GL_QUADS);
    for (const Bar& b : bars()) {
        gl->glColor4f(b.colour.redF(), b.colour.greenF(), b.colour.blueF(), b.colour.alphaF());
        const double x = 2.0 * b.column;
        const double z = 2.0 * b.row;
        for (const auto& face : cubeFaces)
            for (const auto& v : face)
                gl->glVertex3d(x + v[0], -b.height * v[1], z + v[2]);
    }
    gl->glEnd();
    gl->glEndList();
    barsDirty = false;
}

void Balken3dDiagram::paintGL()
{
    if (!gl || frameCurrent)
        return;
    // An empty matrix still gets a usable projection.
    const double halfWidth = 1.5 * std::max(cols, 1);
    gl->glMatrixMode(GL_PROJECTION);
    gl->glLoadIdentity();
    gl->glOrtho(-halfWidth, halfWidth, 20, -20, 10, 150);
    gl->glMatrixMode(GL_MODELVIEW);

    if (barsDirty)
        buildBars();
    gl->glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    gl->glLoadIdentity();
    gl->glTranslated(0, 6, -110);
    gl->glRotated(xRot / 16.0, 1, 0, 0);
    gl->glRotated(yRot / 16.0, 0, 1, 0);
    gl->glRotated(zRot / 16.0, 0, 0, 1);

    const QColor floor(Qt::gray);
    gl->glColor4f(floor.redF(), floor.greenF(), floor.blueF(), 1);
    gl->glBegin(GL_QUADS);
    gl->glVertex3d(cols + 1, 0, -rows);
    gl->glVertex3d(-cols, 0, -rows);
    gl->glVertex3d(-cols, 0, rows + 1);
    gl->glVertex3d(cols + 1, 0, rows + 1);
    gl->glEnd();

    gl->glTranslated(-2 * (cols / 2), 0, -2 * (rows / 2));
    // Only the faces turned towards the viewer: half the pixels to fill.
    gl->glEnable(GL_CULL_FACE);
    gl->glCallList(barList);
    gl->glDisable(GL_CULL_FACE);
    frameCurrent = true;
}

void Balken3dDiagram::mousePressEvent(QMouseEvent* e)
{
    lastPos = e->position().toPoint();
}

void Balken3dDiagram::mouseMoveEvent(QMouseEvent* e)
{
    const QPoint pos = e->position().toPoint();
    const int dx = pos.x() - lastPos.x();
    const int dy = pos.y() - lastPos.y();
    if (e->buttons() & Qt::LeftButton) {
        xRot += 8 * dy;
        yRot += 8 * dx;
        frameCurrent = false;
        update();
    } else if (e->buttons() & Qt::RightButton) {
        xRot += 8 * dy;
        zRot += 8 * dx;
        frameCurrent = false;
        update();
    }
    lastPos = pos;
}
