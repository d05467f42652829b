#include "diagrams/tortendiagram.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <limits>

#include "core/zahltext.h"

using namespace DiagramGeometry;

namespace {

// Sum of the finite values from..from+m-1 (the last ring may be shorter).
double ringTotal(const QVector<double>& d, int from, int m)
{
    double t = 0;
    for (int i = from; i < std::min<int>(from + m, int(d.size())); ++i) {
        if (std::isfinite(d.at(i)))
            t += d.at(i);
    }
    return t;
}

bool usable(double total)
{
    return total != 0 && std::isfinite(total);
}

} // namespace

TortenDiagram::TortenDiagram(QWidget* parent)
    : Diagram(parent)
{
    setMinimumSize(100, 140);
    // Twenty slots: a pie has more slices than a bar chart has rows.
    const QList<QColor> first = colors;
    colors << first;
}

TortenLayout TortenDiagram::pieLayout(const QSize& size, const QFontMetrics& fm,
                                      const QFontMetrics& titleFm) const
{
    TortenLayout out;
    const int W = size.width();
    const int H = size.height();
    const int count = int(data.size());
    const int m = valuesPerRow();
    double T = ringTotal(data, 0, m);
    if (!usable(T))
        return out;
    out.blank = false;

    const int titleH = titleFm.height();
    out.title = placeTitle(title, titleFm, W, titleH, W - 10);

    const int fontH = fm.height();
    // Long labels take at most half the width beside the pie and are elided there:
    // a legend as wide as the diagram would leave no room for the pie itself.
    // Each entry is a colour square and the label beside it.
    const int labelWidth = widest(labels, fm) + swatchRoom(fm);
    const int lw = std::max(std::min(labelWidth, (W - 20) / 2), 20);
    const int labelRoom = lw < labelWidth ? lw - swatchRoom(fm) : std::numeric_limits<int>::max();
    out.legendWidth = lw;
    if (!labels.isEmpty()) {
        out.hasLegendFrame = true;
        out.legendFrame = QRect(W - lw - 12, titleH + 5, lw + 5, fontH * int(labels.size()) + 10);
    }

    int d = std::min(H - 10 - titleH, W - lw - 20);
    QRect square(5, titleH + 5, d, d);
    out.ringSquares << square;
    int a = 0;
    int legendY = titleH + 5 + fontH;
    QVector<QRect> placed;   // the value texts' line boxes
    int ring = 0;
    int k = 0;
    for (int i = 0; i < count; ++i) {
        const double v = data.at(i);
        // Zero and NaN values leave a gap in neither colours nor labels: k still counts.
        if (v != 0 && std::isfinite(v) && usable(T)) {
            const double s = v / T * 360 * 16;
            const int S = px(s);
            out.slices << TortenSlice{i, ring, k, square, a, S};
            a += S;
            if (ring == 0) {
                out.legend << Text{fitted(labelAt(k), fm, labelRoom), QPoint(W - lw - 10, legendY), k};
                legendY += fontH;
            }
            const QString t = zahlText(v) + valuePostfix;
            const double theta = -(a - s / 2) / 16 * 3.1415 / 180;
            const int r = 3 * d / 8;
            // Placed around the centre of the ring's own square: an inner ring's square
            // is shifted by d/8 per ring, and its texts must follow it (for the outer ring
            // the shift is 0).
            const QPoint shift = square.topLeft() - out.ringSquares.first().topLeft();
            const int tw = fm.horizontalAdvance(t);
            QRect box(px(shift.x() + 5 + d / 2 + r * std::cos(theta) - tw / 2),
                      px(shift.y() + 15 + d / 2 + r * std::sin(theta) + fontH) - fm.ascent(),
                      tw, fm.ascent() + fm.descent());
            // Every text shown is whole: moved inside the picture, and left out where it
            // would cover a text placed before it (slices too narrow for their values).
            box.moveLeft(std::clamp(box.left(), 0, std::max(W - tw, 0)));
            box.moveTop(std::clamp(box.top(), 0, std::max(H - box.height(), 0)));
            const bool fits = tw <= W && box.height() <= H
                && std::none_of(placed.cbegin(), placed.cend(),
                                [&box](const QRect& o) { return o.intersects(box); });
            if (fits) {
                placed << box;
                out.valueTexts << Text{t, QPoint(box.left(), box.top() + fm.ascent())};
            }
        }
        if (rowWidth >= 1 && k + 1 == rowWidth) {
            k = 0;
            a = 0;
            ++ring;
            T = ringTotal(data, i + 1, m);
            square = QRect(square.x() + d / 8, square.y() + d / 8, 0, 0);
            d = px(0.75 * d);
            square.setSize(QSize(d, d));
            if (i + 1 < count)
                out.ringSquares << square;
        } else {
            ++k;
        }
    }
    return out;
}

void TortenDiagram::paint(QPainter& p, const QSize& size) const
{
    const QFont tf = titleFont(font());
    const TortenLayout l = pieLayout(size, QFontMetrics(font(), p.device()),
                                     QFontMetrics(tf, p.device()));
    p.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    if (l.blank)
        return;
    p.setPen(Qt::black);
    p.setFont(tf);
    p.drawText(l.title.pos, l.title.text);
    p.setFont(font());
    if (l.hasLegendFrame) {
        p.setBrush(Qt::NoBrush);
        p.drawRect(l.legendFrame);
    }
    p.setPen(Qt::NoPen);
    for (const TortenSlice& s : l.slices) {
        p.setBrush(colorAt(s.position));
        p.drawPie(s.square, s.startAngle, s.span);
    }
    drawTexts(p, l.legend, *this);
    // The texts come after all slices, so that no later slice or inner ring covers them.
    drawTexts(p, l.valueTexts, *this);
}

void TortenDiagram::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    render(p, size());
}
