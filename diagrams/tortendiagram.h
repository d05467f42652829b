#ifndef TORTENDIAGRAM_H
#define TORTENDIAGRAM_H

#include <QRect>
#include <QVector>

#include "diagrams/diagram.h"
#include "diagrams/diagramgeometry.h"

class QFontMetrics;

// One drawn slice; angles in sixteenths of a degree, counter-clockwise from 3 o'clock.
struct TortenSlice {
    int index = 0;          // position in the data
    int ring = 0;
    int position = 0;       // k inside the ring, also the colour position
    QRect square;
    int startAngle = 0;
    int span = 0;
};

struct TortenLayout {
    bool blank = true;      // first ring without total: a white surface only
    DiagramGeometry::Text title;
    int legendWidth = 0;    // lw
    bool hasLegendFrame = false;
    QRect legendFrame;
    QVector<DiagramGeometry::Text> legend;      // first ring, coloured by position
    QVector<QRect> ringSquares;                 // one per ring, outermost first
    QVector<TortenSlice> slices;                // in data order
    QVector<DiagramGeometry::Text> valueTexts;  // black, in data order
};

// Pie chart ("TortenDiagram"); each further row is a smaller pie on top, so rows
// appear as rings.
class TortenDiagram : public Diagram
{
    Q_OBJECT
public:
    explicit TortenDiagram(QWidget* parent = nullptr);

    // The geometry for a surface of that size; fm measures the widget font, titleFm
    // the title font. Pure: recomputed for every paint.
    TortenLayout pieLayout(const QSize& size, const QFontMetrics& fm,
                           const QFontMetrics& titleFm) const;
    void paint(QPainter& p, const QSize& size) const override;

protected:
    void paintEvent(QPaintEvent* e) override;
};

#endif
