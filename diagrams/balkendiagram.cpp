#include "diagrams/balkendiagram.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>

using namespace DiagramGeometry;

namespace {

// The percent axis: scale top, step and number of steps for the largest value.
struct PercentScale {
    double top;
    int step;
    int steps;
};

PercentScale percentScale(bool anyValue, double max)
{
    if (anyValue && max > 75)
        return {100, 25, 4};
    if (anyValue && max > 50)
        return {75, 25, 3};
    if (anyValue && max > 30)
        return {50, 10, 5};
    if (anyValue && max > 20)
        return {30, 5, 6};
    if (anyValue && max > 10)
        return {20, 4, 5};
    return {10, 2, 5};
}

} // namespace

BalkenDiagram::BalkenDiagram(QWidget* parent)
    : Diagram(parent)
{
    // Row 0 blue, row 1 red; the rest as in every diagram.
    colors[0] = QColor(Qt::blue);
    colors[1] = QColor(Qt::red);
}

BalkenLayout BalkenDiagram::barLayout(const QSize& size, const QFontMetrics& fm,
                                      const QFontMetrics& titleFm) const
{
    BalkenLayout out;
    if (data.isEmpty())
        return out;
    out.blank = false;

    const int W = size.width();
    const int H = size.height();
    const int fontH = fm.height();
    const int titleH = titleFm.height();
    out.title = placeTitle(title, titleFm, W, titleH, W);

    const int P = H - titleH - fontH - 25;
    const int y0 = H - 20;
    const int count = int(data.size());
    const int n = valuesPerRow();
    const int R = rowCount();

    int A = layoutRowLegend(out, colLabels, fm, W, 5);

    double M = 0;
    const bool anyValue = finiteMax(data, &M);
    int L = 5;
    PercentScale sc{0, 0, 0};
    RoundScale rs;
    int gridRight = 0;
    // The axis numbers stand left of the axis at L, 5 pixels from the edge; the widest
    // is the scale top's.
    const auto axisMargin = [&](const QString& widestNumber) {
        return 5 + fm.horizontalAdvance(widestNumber) + AxisGap;
    };
    if (valuePostfix != QLatin1String("%")) {
        // Counts and other values: an axis of round steps with its numbers beside it.
        rs = roundScale(anyValue ? M : 0, allWhole(data));
        gridRight = A - 5;
        if (rs.valid) {
            L = axisMargin(axisNumber(rs.top, rs.step));
            A -= L;
        } else {
            A -= 5;
        }
        out.reference = rs.top;
        out.hasScale = rs.valid;
    } else {
        sc = percentScale(anyValue, M);
        gridRight = A - 5;
        L = axisMargin(QStringLiteral("%1%").arg(sc.top));
        A -= L;
        out.reference = sc.top;
        out.hasScale = true;
        out.percentScale = true;
    }

    const int b = R < 2 ? px(A / (n * 1.5 + 0.5)) : px(A / ((R + 1) * 1.5 * n - 1.0));
    const int U = px(P - 0.4 * b);
    // The lines stand where bars of their value end: over U, not over P. A surface too
    // low for any bar has no scale to show. They start at the axis, so that none runs
    // through a number left of it.
    if (rs.valid && U > 0) {
        for (int i = 0; i <= rs.steps; ++i) {
            const int y = y0 - px((double(i) * rs.step * U) / rs.top);
            out.grid << QLine(L, y, gridRight, y);
            out.axisTexts << axisTextLeftOf(axisNumber(i * rs.step, rs.step), fm, L, y);
        }
    }
    if (out.percentScale) {
        for (int i = 0; i <= sc.steps; ++i) {
            // Rounded as a bar's height is, so that a bar of the line's value meets it.
            const int y = y0 - px((double(i) * sc.step * U) / sc.top);
            out.grid << QLine(L, y, gridRight, y);
            out.axisTexts << axisTextLeftOf(QStringLiteral("%1%").arg(i * sc.step), fm, L, y);
        }
    }
    if (!out.grid.isEmpty())
        out.axisLine = QLine(L, y0, L, out.grid.last().y1());
    const int decimals = valueDecimals(data, valuePostfix);

    bool shown = true;
    for (double v : data) {
        if (fm.horizontalAdvance(valueText(v, valuePostfix, decimals)) >= b) {
            shown = false;
            break;
        }
    }

    // A category label wider than the distance to the next cluster is elided, so that
    // neighbouring labels do not run into each other.
    const int labelRoom = px((R <= 1 ? 1.5 : 1.5 * (R + 1)) * b) - 4;

    int x = L + b / 2;
    int r = 0;
    int k = 0;
    for (int i = 0; i < count; ++i) {
        const double v = data.at(i);
        BalkenItem it;
        it.index = i;
        it.row = r;
        int h = 0;
        // No bar for NaN or infinity, nor without a positive reference or room for bars.
        if (std::isfinite(v) && out.hasScale && b > 0) {
            // Between the base line and the plot's top: a negative value ran down over
            // the labels, a percentage above the scale up into the title.
            h = std::clamp(px(v / out.reference * U), 0, std::max(U, 0));
            const int xs = px(x + 1.353 * b);
            const int xt = px(x + 0.353 * b);
            const int yTop = px(y0 - h - 0.353 * b);
            it.hasBar = true;
            it.front = QRect(x, y0 - h, b, h);
            it.side = QPolygon({QPoint(x + b, y0), QPoint(x + b, y0 - h), QPoint(xs, yTop),
                                QPoint(xs, px(y0 - 0.353 * b))});
            it.top = QPolygon({QPoint(x, y0 - h), QPoint(x + b, y0 - h), QPoint(xs, yTop),
                               QPoint(xt, yTop)});
        }
        if (shown) {
            const QString t = valueText(v, valuePostfix, decimals);
            it.hasValueText = true;
            it.valueText = {t, QPoint(px((1.343 * b - fm.horizontalAdvance(t)) * 0.5 + x),
                                      px(y0 - h - 0.4 * b))};
        }
        if (r == 0) {
            const QString t = fitted(labelAt(k), fm, labelRoom);
            it.hasLabel = true;
            it.label = {t, QPoint(x + (R * b - fm.horizontalAdvance(t)) / 2, H - 5)};
        }
        out.items << it;

        ++k;
        x = R <= 1 ? px(x + 1.5 * b) : px(x + 1.5 * (R + 1) * b);
        if (rowWidth > 0 && k >= rowWidth) {
            ++r;
            k = 0;
            x = px((L + b / 2) + r * 1.5 * b);
        }
    }
    // With an axis the base line is its 0 line, starting at the axis like the others.
    out.baseLine = out.grid.isEmpty() ? QLine(5, y0, A - 5, y0) : QLine(L, y0, gridRight, y0);

    out.plotHeight = P;
    out.baseY = y0;
    out.plotWidth = A;
    out.left = L;
    out.perRow = n;
    out.rows = R;
    out.barWidth = b;
    out.usableHeight = U;
    out.valueTextsShown = shown;
    return out;
}

void BalkenDiagram::paint(QPainter& p, const QSize& size) const
{
    const BalkenLayout l = barLayout(size, QFontMetrics(font(), p.device()),
                                     QFontMetrics(titleFont(font()), p.device()));
    if (l.blank)
        return;
    paintBarFrame(p, l, size, *this);
    if (!l.axisLine.isNull())
        p.drawLine(l.axisLine);
    drawTexts(p, l.axisTexts, *this);

    for (const BalkenItem& it : l.items) {
        if (it.hasBar) {
            const QColor c = colorAt(it.row);
            p.fillRect(it.front.normalized(), c);
            p.setPen(c.darker(200));
            p.setBrush(c.darker(200));
            p.drawPolygon(it.side, Qt::OddEvenFill);
            p.setPen(c);
            p.setBrush(c.lighter(150));
            p.drawPolygon(it.top, Qt::OddEvenFill);
        }
        p.setPen(Qt::black);
        p.setBrush(Qt::white);
        if (it.hasValueText)
            drawText(p, it.valueText, *this);
        if (it.hasLabel)
            drawText(p, it.label, *this);
    }
    p.setPen(Qt::black);
    p.drawLine(l.baseLine);
}

void BalkenDiagram::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    render(p, size());
}

void BalkenDiagram::colorAction()
{
    chooseRowColor();
}
