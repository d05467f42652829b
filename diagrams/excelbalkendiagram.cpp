#include "diagrams/excelbalkendiagram.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "diagrams/diagramgeometry.h"

using DiagramGeometry::px;

ExcelBalkenDiagram::ExcelBalkenDiagram(QWidget* parent)
    : Diagram(parent)
{
}

ExcelLayout ExcelBalkenDiagram::columnLayout(const QSize& size) const
{
    ExcelLayout out;
    const int W = size.width();
    const int H = size.height();
    const int count = int(data.size());
    const int m = valuesPerRow();
    out.rowLength = m;
    out.columns = count > 0 ? rowCount() : 0;
    if (out.columns == 0)
        return out;
    const int c = (W - 20) / ((2 * count) / m);
    out.columnWidth = c;

    int x = c / 2;
    for (int r = 0; r < out.columns; ++r) {
        out.columnX << x;
        double S = 0;
        for (int k = 0; k < m; ++k) {
            const double v = data.at(r * m + k);
            if (std::isfinite(v))
                S += v;
        }
        // A row without a usable sum has no shares: its column stays empty.
        if (S != 0 && std::isfinite(S)) {
            // Values of both signs give shares beyond 100 %: their segments are cut at the
            // column's top and foot rather than drawn over the picture's edges.
            const QRect column(x, 10, c, std::max(H - 20, 0));
            int y = 10;
            for (int k = 0; k < m; ++k) {
                const double v = data.at(r * m + k);
                if (!std::isfinite(v))
                    continue; // no segment for NaN
                const int h = px((H - 20) * (v / S));
                QRect rect(x, y, c, h);
                if (!column.contains(rect.normalized()))
                    rect = rect.normalized() & column;
                out.segments << ExcelSegment{r * m + k, r, k, rect};
                y += h;
            }
        }
        x += 2 * c;
    }
    return out;
}

void ExcelBalkenDiagram::paint(QPainter& p, const QSize& size) const
{
    p.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    const ExcelLayout l = columnLayout(size);
    for (const ExcelSegment& s : l.segments)
        p.fillRect(s.rect.normalized(), colorAt(s.position));
}

void ExcelBalkenDiagram::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    render(p, size());
}
