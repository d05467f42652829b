#include "diagrams/balkendiagram_h.h"

#include <QFontMetrics>
#include <QPainter>
#include <cmath>

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
    const int fontH = fm.height();
    const int titleH = titleFm.height();
    const int count = int(data.size());
    const int n = rowWidth >= 1 ? rowWidth : count;
    const int R = rowWidth >= 1 ? count / rowWidth : 1;
    double M = 0;
    const bool anyValue = finiteMax(data, &M);
    out.hasScale = anyValue && M > 0;

    const int tw = titleFm.horizontalAdvance(title);
    out.title = {title, QPoint(tw > W - 10 ? 5 : (W - tw) / 2, H - 10)};

    int A = W;
    if (!colLabels.isEmpty()) {
        const int lw = widest(colLabels, fm) + 10;
        A = W - lw - 10;
        out.hasLegend = true;
        out.legendBox = QRect(A, 25, lw, fontH * int(colLabels.size()) + 5);
        for (int r = 0; r < colLabels.size(); ++r)
            out.legend << Text{colLabels.at(r), QPoint(A + 6, 25 + (r + 1) * fontH), r};
    }

    const int L = widest(labels, fm) + 10;
    const int P = H - titleH - 15;
    const int E = A - L - 80;
    const int b = R < 2 ? px(P / (n * 1.5)) : px(P / ((R + 1) * 1.5 * n));

    if (L < A - 20) {
        const int g = (A - 40) / 5;
        // A long legend can leave no positive step: then there is no grid.
        if (g > 0) {
            out.gridStep = g;
            for (int x = A - 20; x > L; x -= g)
                out.grid << QLine(x, 5, x, P);
        }
    }

    int y = px(0.643 * b);
    int r = 0;
    int k = 0;
    for (int i = 0; i < count; ++i) {
        const double v = data.at(i);
        BalkenItemH it;
        it.index = i;
        it.row = r;
        if (std::isfinite(v) && out.hasScale) {
            const int e = L + px((v / M) * E);
            const int eo = px(e + 0.343 * b);
            const int yTop = px(y - 0.342 * b);
            it.hasBar = true;
            it.front = QRect(L, y, e - L, b);
            it.top = QPolygon({QPoint(L, y), QPoint(e, y), QPoint(eo, yTop),
                               QPoint(px(L + 0.343 * b), yTop)});
            it.end = QPolygon({QPoint(e, y), QPoint(eo, yTop), QPoint(eo, px(y + (1 - 0.342) * b)),
                               QPoint(e, y + b)});
        }
        const QString t = valueText(v, valuePostfix);
        it.valueText = {t, QPoint(A - fm.horizontalAdvance(t) - 20, y + 10 + b / 4)};
        if (r == 0) {
            it.hasLabel = true;
            it.label = {k < labels.size() ? labels.at(k) : QString::number(k),
                        QPoint(1, y + 10 + b / 4)};
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
    return out;
}

void BalkenDiagram_h::paint(QPainter& p, const QSize& size) const
{
    const QFont tf = titleFont(font());
    const BalkenLayoutH l = barLayout(size, QFontMetrics(font(), p.device()),
                                      QFontMetrics(tf, p.device()));
    if (l.blank)
        return;
    p.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    p.setPen(Qt::black);
    p.setFont(tf);
    p.drawText(l.title.pos, l.title.text);
    p.setFont(font());
    if (l.hasLegend) {
        p.setBrush(Qt::white);
        p.drawRect(l.legendBox);
        drawTexts(p, l.legend, *this);
    }
    p.setPen(Qt::black);
    p.drawLines(l.grid);

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
    paint(p, size());
}

void BalkenDiagram_h::colorAction()
{
    chooseColor(colLabels, tr("Zeile auswählen deren Farbe sie ändern wollen"));
}
