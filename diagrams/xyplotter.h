#ifndef XYPLOTTER_H
#define XYPLOTTER_H

#include <QPoint>
#include <QVector>

#include "diagrams/modelclient.h"
#include "core/rowfilter.h"
#include "diagrams/xyplotgeometry.h"

class QAction;
class QMimeData;
class QPainter;
class RecomputeScheduler;

// "XYPlotter": one marker per row of the data table at (x column, y column), on a
// white field with two arrow-headed axes. A dependency filter limits the rows plotted
// to those whose linked column holds the chosen value.
class XYPlotter : public ModelClient
{
    Q_OBJECT
public:
    explicit XYPlotter(QWidget* parent = nullptr);

    void setModel(QStandardItemModel* m) override;
    // From record version 10 on the filter record; nothing before.
    void saveData(QDataStream& s, int version) override;
    void loadData(QDataStream& s, int version) override;
    // The filter's version while a filter is set; 0 without.
    int neededVersion() const override;
    void setSpalten(int x, int y);

    void setDepFilter(QString value, int column);
    const RowFilter& rowFilter() const { return m_filter; }
    QAction* linkAction() const { return m_linkAction; }
    QAction* unlinkAction() const { return m_unlinkAction; }
    // The lines under the plot: "Filter: ..." while a filter is set, and the base
    // "n = <points plotted>".
    QStringList captionLines(int points) const;

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
    // The name every filtering view recomputes by.
    void updateDiagram() { updateData(); }
    void depAction();
    void undepAction();

protected:
    // Drawn over the plot, laid out as l, when it has at least one point; nothing here.
    virtual void paint(QPainter& p, const XYPlotGeometry::Layout& l) const;
    // Lines of text that paint() puts above the plot.
    virtual int topLines() const { return 0; }

    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;

    int xColumn = 0;
    int yColumn = 1;
    double minX = 0, minY = 0, maxX = 0, maxY = 0;
    QVector<double> xs;
    QVector<double> ys;
    QPoint dragStartPosition;

private:
    RowFilter m_filter;
    QAction* m_linkAction;
    QAction* m_unlinkAction;
    RecomputeScheduler* m_recompute;
};

#endif
