#ifndef XMASDIAGRAM_H
#define XMASDIAGRAM_H

#include <QPoint>
#include <QPolygon>
#include <QRect>

#include "diagrams/diagram.h"

struct XmasLayout {
    QPolygon tree;
    QRect trunk;
    QPoint textPos;
    QPolygon ornament;      // 12 points, orange with a white outline
    QPolygon star;          // 16 points, outer and inner in turn
};

// A fixed greeting picture ("XmasDiagram"); it shows none of the diagram's data.
class XmasDiagram : public Diagram
{
    Q_OBJECT
public:
    explicit XmasDiagram(QWidget* parent = nullptr);

    // The picture's geometry on its fixed 150 x 280 surface.
    static XmasLayout pictureLayout();
    static QString greeting() { return QStringLiteral("Happy Xmas"); }
    void paint(QPainter& p, const QSize& size) const override;

public slots:
    // The caption lines go under the picture: the fixed size grows by their strip.
    void setCaption(const QStringList& lines) override;

protected:
    void paintEvent(QPaintEvent* e) override;
};

#endif
