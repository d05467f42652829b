#ifndef BALKEN3DDIAGRAM_H
#define BALKEN3DDIAGRAM_H

#include <QColor>
#include <QOpenGLWidget>
#include <QPoint>
#include <QVector>

class QOpenGLFunctions_1_1;

// A matrix of values as a field of 3D bars on a gray floor, turned with the mouse.
// The bars are compiled into one display list when the values change, not per frame.
class Balken3dDiagram : public QOpenGLWidget
{
    Q_OBJECT
public:
    struct Bar {
        int row = 0;
        int column = 0;
        double height = 0;   // 25 for the largest value
        QColor colour;
    };

    explicit Balken3dDiagram(QWidget* parent = nullptr);
    ~Balken3dDiagram() override;

    // Every call discards all cell values: rows x rows zeros, then columns x rows.
    void setRowCount(int n);
    void setColumnCount(int m);
    int rowCount() const { return rows; }
    int columnCount() const { return cols; }
    // Cell (row, col); outside the counts nothing happens. Call update() after filling.
    void setData(int row, int col, double value);
    double value(int row, int col) const;

    int xRotation() const { return xRot; }
    int yRotation() const { return yRot; }
    int zRotation() const { return zRot; }

    // The bars of the current cells: one per non-zero finite height, row by row. None
    // without cells or when the largest value is 0 or less (no scale for the heights).
    QVector<Bar> bars() const;
    static QVector<Bar> bars(int rows, int cols, const QVector<double>& values);
    // Gray below 2.5, light gray below 7.5, yellow below 12.5, blue below 17.5, else green.
    static QColor bandColour(double height);

protected:
    void initializeGL() override;
    void resizeGL(int w, int h) override;
    void paintGL() override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;

private:
    void buildBars();
    void releaseLists();

    QPoint lastPos;
    unsigned barList = 0;     // display list: every bar of the current values
    bool barsDirty = true;
    // The picture in the frame buffer shows the current cells, turn and size: showing
    // the view again (switching to its page) then costs no new frame.
    bool frameCurrent = false;
    int xRot = -480;
    int yRot = 2480;
    int zRot = -160;
    int rows = 0;
    int cols = 0;
    QVector<double> values;
    QOpenGLFunctions_1_1* gl = nullptr;
};

#endif
