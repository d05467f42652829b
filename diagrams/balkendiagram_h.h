#ifndef BALKENDIAGRAM_H_H
#define BALKENDIAGRAM_H_H

#include <QPolygon>
#include <QRect>
#include <QVector>

#include "diagrams/diagram.h"
#include "diagrams/diagramgeometry.h"

class QFontMetrics;

// What the horizontal bar chart draws for one value, in drawing order.
struct BalkenItemH {
    int index = 0;          // position in the data
    int row = 0;            // colour position
    bool hasBar = false;    // false for a non-finite value or without a usable scale
    QRect front;
    QPolygon top;           // lighter face above
    QPolygon end;           // darker face at the bar's end
    bool hasValueText = false;
    DiagramGeometry::Text valueText;   // right-aligned, right of every bar
    bool hasLabel = false;  // from row 0 only; every labelStride-th where crowded
    DiagramGeometry::Text label;
};

struct BalkenLayoutH : DiagramGeometry::BarFrame {
    QVector<BalkenItemH> items;

    int plotWidth = 0;      // A
    int left = 0;           // L, the label margin
    int plotHeight = 0;     // P
    int longestBar = 0;     // E
    int perRow = 0;         // n
    int rows = 0;           // R
    int barThickness = 0;   // b
    QVector<DiagramGeometry::Text> axisTexts;   // the numbers under the grid lines
    int labelStride = 1;    // every how many categories a label stands (0: none)
    int gridStep = 0;       // pixels between grid lines, 0 when no grid is drawn
    bool hasScale = false;  // the largest value is positive
    double reference = 0;   // the scale's top: a bar of this value is E long
    bool valueTextsShown = false;
};

// Horizontal pseudo-3D bars ("BalkenDiagram(H)"), labels at the left, title below.
class BalkenDiagram_h : public Diagram
{
    Q_OBJECT
public:
    explicit BalkenDiagram_h(QWidget* parent = nullptr);

    // The geometry for a surface of that size; fm measures the widget font, titleFm
    // the title font. Pure: recomputed for every paint.
    BalkenLayoutH barLayout(const QSize& size, const QFontMetrics& fm,
                            const QFontMetrics& titleFm) const;
    void paint(QPainter& p, const QSize& size) const override;

public slots:
    void colorAction() override;

protected:
    void paintEvent(QPaintEvent* e) override;
};

#endif
