#include "diagrams/xmasdiagram.h"

#include <QPainter>
#include <cmath>

XmasDiagram::XmasDiagram(QWidget* parent)
    : Diagram(parent)
{
    setFixedSize(150, 280);
}

XmasLayout XmasDiagram::pictureLayout()
{
    XmasLayout l;
    l.tree = QPolygon({QPoint(25, 230), QPoint(125, 230), QPoint(75, 30), QPoint(25, 230)});
    l.trunk = QRect(60, 230, 30, 50);
    l.textPos = QPoint(35, 30);
    l.ornament = QPolygon({QPoint(0, 20), QPoint(10, 35), QPoint(0, 45), QPoint(10, 55),
                           QPoint(15, 80), QPoint(20, 55), QPoint(30, 45), QPoint(25, 35),
                           QPoint(30, 20), QPoint(20, 10), QPoint(10, 0), QPoint(5, 18)});
    for (int i = 0; i < 8; ++i) {
        const double a = i * 0.7853981625;
        l.star << QPoint(int(120 + 30 * std::cos(a)), int(60 + 30 * std::sin(a)));
        l.star << QPoint(int(120 + 10 * std::cos(a + 0.39269908125)),
                         int(60 + 10 * std::sin(a + 0.39269908125)));
    }
    return l;
}

void XmasDiagram::paint(QPainter& p, const QSize& size) const
{
    const XmasLayout l = pictureLayout();
    p.fillRect(QRect(QPoint(0, 0), size), Qt::blue);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::green);
    p.drawPolygon(l.tree, Qt::OddEvenFill);
    p.setBrush(QColor(240, 100, 0));
    p.drawRect(l.trunk);
    p.setPen(Qt::white);
    p.setFont(QFont(QStringLiteral("Arial"), 10));
    p.drawText(l.textPos, greeting());
    p.drawPolygon(l.ornament, Qt::OddEvenFill);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::yellow);
    p.drawPolygon(l.star, Qt::OddEvenFill);
}

void XmasDiagram::setCaption(const QStringList& lines)
{
    Diagram::setCaption(lines);
    setFixedSize(150, 280 + captionHeight(fontMetrics()));
}

void XmasDiagram::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    render(p, size());
}
