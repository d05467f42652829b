#include "diagrams/balkendiagram_h.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <limits>

using namespace DiagramGeometry;

BalkenDiagram_h::BalkenDiagram_h(QWidget* parent)
    : Diagram(parent)
{
    // Row 0 blue, row 1 red, like the vertical bars.
    colors[0] = QColor(Qt::blue);
    colors[1] = QColor(Qt::red);
}

BalkenLayoutH BalkenDiagram_h::barLayout(const QSize& size, const QFontMetrics& fm,
                                         const QFontMetrics& titleFm) const
{
    BalkenLayoutH out;
    if (data.isEmpty())
        return out;
    out.blank = false;

    const int W = size.width();
    const int H = size.height();
    const int titleH = titleFm.height();
    const int count = int(data.size());
    const int n = valuesPerRow();
    const int R = rowCount();
    double M = 0;
    const bool anyValue = finiteMax(data, &M);
    // An axis of round steps under the bars, its numbers below the lines.
    const RoundScale rs = roundScale(anyValue ? M : 0, allWhole(data));
    out.hasScale = rs.valid;
    out.reference = rs.top;
    const QString unit = valuePostfix == QLatin1String("%") ? valuePostfix : QString();

    out.title = placeTitle(title, titleFm, W, H - 10, W);

    const int A = layoutRowLegend(out, colLabels, fm, W, 10);
    const int P = H - titleH - 15 - (rs.valid ? fm.height() : 0);
    // Thin enough for the last bar to end at the plot's foot (its 3D face included):
    // with one category a bar of P / 1.5 ran through the title and out of the picture.
    const int b = R < 2 ? px(P / (n * 1.5 + 0.15)) : px(P / ((R + 1) * 1.5 * n));

    // Value texts stand right of every bar, all or none: none where the bars lie closer
    // than a line of text, or where the texts would run into the category labels.
    bool shown = b > 0 && 1.5 * b >= fm.height() + 1;
    const int decimals = valueDecimals(data, valuePostfix);
    int widestValue = 0;
    for (int i = 0; shown && i < count; ++i)
        widestValue = std::max(widestValue,
                               fm.horizontalAdvance(valueText(data.at(i), valuePostfix, decimals)));
    // Room right of the longest bar: its end face, and the value texts 20 pixels from
    // the plot's right edge with a gap before them.
    const auto reserve = [&] {
        const int face = int(std::ceil(0.343 * std::max(b, 0)));
        return std::max(80, 20 + face + (shown ? widestValue + 5 : 0));
    };
    // Category labels take at most half the room the bars and value texts leave, and
    // are elided there: wider, they would push the bars' ends left of their start.
    const int labelMargin = widest(labels, fm) + 10;
    const auto margin = [&] { return std::min(labelMargin, std::max((A - reserve()) / 2, 10)); };
    int L = margin();
    if (shown && A - widestValue - 20 < L) {
        shown = false;
        L = margin();
    }
    const int labelRoom = L < labelMargin ? L - 10 : std::numeric_limits<int>::max();
    const int E = A - L - reserve();

    // The lines stand where bars of their value end; a number is centred under its
    // line, the last one held inside the plot.
    if (rs.valid && E > 0) {
        for (int i = 0; i <= rs.steps; ++i) {
            const int x = L + px(double(i) * rs.step * E / rs.top);
            if (i > 0)
                out.grid << QLine(x, 5, x, P);
            const QString t = axisNumber(i * rs.step, rs.step) + unit;
            const int tw = fm.horizontalAdvance(t);
            out.axisTexts << Text{t, QPoint(std::max(0, std::min(x - tw / 2, A - tw)), P + fm.ascent() + 2)};
        }
        out.gridStep = rs.steps > 0 ? px(rs.step * E / rs.top) : 0;
    }

    // Categories closer than a line of text: every stride-th label only, so that none
    // is drawn over its neighbours (the y of consecutive categories differs by pitch).
    const int pitch = R < 2 ? px(1.5 * b) : px((R + 1) * 1.5 * b);
    const int stride = labelStride(pitch, fm.height());

    int y = px(0.643 * b);
    int r = 0;
    int k = 0;
    for (int i = 0; i < count; ++i) {
        const double v = data.at(i);
        BalkenItemH it;
        it.index = i;
        it.row = r;
        // No bar for NaN or infinity, nor without a positive maximum or room for bars.
        if (std::isfinite(v) && out.hasScale && E > 0) {
            // A negative value has no length: its bar would cover the labels.
            const int e = L + std::clamp(px((v / rs.top) * E), 0, E);
            const int eo = px(e + 0.343 * b);
            const int yTop = px(y - 0.342 * b);
            it.hasBar = true;
            it.front = QRect(L, y, e - L, b);
            it.top = QPolygon({QPoint(L, y), QPoint(e, y), QPoint(eo, yTop),
                               QPoint(px(L + 0.343 * b), yTop)});
            it.end = QPolygon({QPoint(e, y), QPoint(eo, yTop), QPoint(eo, px(y + (1 - 0.342) * b)),
                               QPoint(e, y + b)});
        }
        it.hasValueText = shown;
        if (shown) {
            const QString t = valueText(v, valuePostfix, decimals);
            it.valueText = {t, QPoint(A - fm.horizontalAdvance(t) - 20, y + 10 + b / 4)};
        }
        if (r == 0 && stride > 0 && k % stride == 0) {
            it.hasLabel = true;
            it.label = {fitted(labelAt(k), fm, labelRoom), QPoint(1, y + 10 + b / 4)};
        }
        out.items << it;

        ++k;
        y = R < 2 ? px(y + 1.5 * b) : px(y + (R + 1) * 1.5 * b);
        if (rowWidth > 0 && k >= rowWidth) {
            ++r;
            k = 0;
            y = px(0.843 * b + 1.5 * b * r);
        }
    }
    out.baseLine = QLine(L, 5, L, P);

    out.plotWidth = A;
    out.left = L;
    out.plotHeight = P;
    out.longestBar = E;
    out.perRow = n;
    out.rows = R;
    out.barThickness = b;
    out.valueTextsShown = shown;
    out.labelStride = stride;
    return out;
}

void BalkenDiagram_h::paint(QPainter& p, const QSize& size) const
{
    const BalkenLayoutH l = barLayout(size, QFontMetrics(font(), p.device()),
                                      QFontMetrics(titleFont(font()), p.device()));
    if (l.blank)
        return;
    paintBarFrame(p, l, size, *this);
    drawTexts(p, l.axisTexts, *this);

    for (const BalkenItemH& it : l.items) {
        if (it.hasBar) {
            const QColor c = colorAt(it.row);
            p.setPen(Qt::NoPen);
            p.fillRect(it.front.normalized(), c);
            p.setBrush(c.lighter(150));
            p.drawPolygon(it.top, Qt::OddEvenFill);
            p.setBrush(c.darker(200));
            p.drawPolygon(it.end, Qt::OddEvenFill);
        }
        p.setBrush(Qt::white);
        if (it.hasValueText)
            drawText(p, it.valueText, *this);
        if (it.hasLabel)
            drawText(p, it.label, *this);
    }
    p.setPen(Qt::black);
    p.drawLine(l.baseLine);
}

void BalkenDiagram_h::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    render(p, size());
}

void BalkenDiagram_h::colorAction()
{
    chooseRowColor();
}
