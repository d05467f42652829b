#ifndef EXCELBALKENDIAGRAM_H
#define EXCELBALKENDIAGRAM_H

#include <QRect>
#include <QVector>

#include "diagrams/diagram.h"

// One coloured share of a column.
struct ExcelSegment {
    int index = 0;          // position in the data
    int column = 0;         // the row of values the column shows
    int position = 0;       // k inside the row, also the colour position
    QRect rect;
};

struct ExcelLayout {
    int rowLength = 0;      // m
    int columns = 0;        // R, complete rows
    int columnWidth = 0;    // c
    QVector<int> columnX;   // left edge of every column
    QVector<ExcelSegment> segments;
};

// Every row as one stacked 100 % column ("ExcelBalkenDiagram"); no texts.
class ExcelBalkenDiagram : public Diagram
{
    Q_OBJECT
public:
    explicit ExcelBalkenDiagram(QWidget* parent = nullptr);

    // The geometry for a surface of that size. Pure: recomputed for every paint.
    ExcelLayout columnLayout(const QSize& size) const;
    void paint(QPainter& p, const QSize& size) const override;

protected:
    void paintEvent(QPaintEvent* e) override;
};

#endif
