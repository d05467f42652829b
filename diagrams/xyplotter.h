#ifndef XYPLOTTER_H
#define XYPLOTTER_H

#include <QPoint>
#include <QVector>

#include "core/modelclient.h"
#include "diagrams/xyplotgeometry.h"

class QMimeData;
class QPainter;
class RecomputeScheduler;

// "XYPlotter": one marker per row of the data table at (x column, y column), on a
// white field with two arrow-headed axes.
class XYPlotter : public ModelClient
{
    Q_OBJECT
public:
    explicit XYPlotter(QWidget* parent = nullptr);

    void setModel(QStandardItemModel* m) override;
    void setSpalten(int x, int y);

    int xSpalte() const { return xColumn; }
    int ySpalte() const { return yColumn; }
    const QVector<double>& xValues() const { return xs; }
    const QVector<double>& yValues() const { return ys; }

    // Draws the whole plot onto any paint device of that size; changes nothing.
    void paint(QPainter& p, const QSize& size) const;
    // The layout paint() uses on that painter's device.
    XYPlotGeometry::Layout plotLayout(const QPainter& p, const QSize& size) const;
    // The column's title in the data table (empty without a model or column).
    QString spaltenTitel(int column) const;
    // A picture of the plot; the caller owns the result.
    QMimeData* createMimeData();

public slots:
    void updateData();

protected:
    // Drawn over the plot, laid out as l, when it has at least one point; nothing here.
    virtual void paint(QPainter& p, const XYPlotGeometry::Layout& l) const;
    // Lines of text that paint() puts above the plot.
    virtual int topLines() const { return 0; }

    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

    int xColumn = 0;
    int yColumn = 1;
    double minX = 0, minY = 0, maxX = 0, maxY = 0;
    QVector<double> xs;
    QVector<double> ys;
    QPoint dragStartPosition;

private:
    RecomputeScheduler* m_recompute;
};

#endif
