#ifndef BALKENDIAGRAM_H
#define BALKENDIAGRAM_H

#include <QPolygon>
#include <QRect>
#include <QVector>

#include "diagrams/diagram.h"
#include "diagrams/diagramgeometry.h"

class QFontMetrics;

// What the vertical bar chart draws for one value, in drawing order.
struct BalkenItem {
    int index = 0;          // position in the data
    int row = 0;            // colour position
    bool hasBar = false;    // false for a non-finite value or without a usable scale
    QRect front;
    QPolygon side;          // darker face at the right
    QPolygon top;           // lighter face on top
    bool hasValueText = false;
    DiagramGeometry::Text valueText;
    bool hasLabel = false;  // category labels come from row 0 only
    DiagramGeometry::Text label;
};

struct BalkenLayout : DiagramGeometry::BarFrame {
    QVector<DiagramGeometry::Text> axisTexts;   // the numbers left of the axis
    QLine axisLine;         // the value axis at L, null without grid lines
    QVector<BalkenItem> items;

    int plotHeight = 0;     // P
    int baseY = 0;          // y0
    int plotWidth = 0;      // A, after the scale took its margin
    int left = 0;           // L
    int perRow = 0;         // n
    int rows = 0;           // R
    int barWidth = 0;       // b
    int usableHeight = 0;   // U
    bool percentScale = false;
    bool hasScale = false;  // a positive reference exists
    double reference = 0;   // the scale's top: a bar of this value is U high
    bool valueTextsShown = false;
};

// Vertical pseudo-3D bars ("BalkenDiagram(V)"); several rows stand as clusters.
class BalkenDiagram : public Diagram
{
    Q_OBJECT
public:
    explicit BalkenDiagram(QWidget* parent = nullptr);

    // The geometry for a surface of that size; fm measures the widget font, titleFm
    // the title font. Pure: recomputed for every paint.
    BalkenLayout barLayout(const QSize& size, const QFontMetrics& fm,
                           const QFontMetrics& titleFm) const;
    void paint(QPainter& p, const QSize& size) const override;

public slots:
    void colorAction() override;

protected:
    void paintEvent(QPaintEvent* e) override;
};

#endif
