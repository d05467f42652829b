#include "diagrams/farblegende.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

#include "diagrams/diagramgeometry.h"

FarbLegende::FarbLegende(QWidget* parent)
    : QWidget(parent)
{
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

void FarbLegende::setEintraege(const QString& heading, const QVector<Eintrag>& entries)
{
    m_heading = heading;
    m_entries = entries;
    updateGeometry();
    update();
}

FarbLegende::Layout FarbLegende::layoutFor(const QString& heading,
                                           const QVector<Eintrag>& entries, int width,
                                           const QFontMetrics& fm)
{
    Layout l;
    const int lineH = fm.height() + 2;
    const int s = DiagramGeometry::swatchSize(fm);
    const int room = DiagramGeometry::swatchRoom(fm);
    int y = 2 + fm.ascent();
    // The heading wraps at blanks; a single word wider than the line is elided.
    QString line;
    const auto flush = [&] {
        l.heading << DiagramGeometry::fitted(line, fm, width - 8);
        l.headingPos << QPoint(4, y);
        y += lineH;
        line.clear();
    };
    for (const QString& word : heading.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString longer = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
        if (!line.isEmpty() && fm.horizontalAdvance(longer) > width - 8)
            flush();
        line = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
    }
    if (!line.isEmpty())
        flush();
    int x = 4;
    for (const Eintrag& e : entries) {
        const int w = room + fm.horizontalAdvance(e.text);
        // A new line where the entry would run past the right edge (not for the first).
        if (x > 4 && x + w > width - 4) {
            x = 4;
            y += lineH;
        }
        l.swatches << QRect(x, y - (fm.ascent() + s) / 2, s, s);
        l.textPos << QPoint(x + room, y);
        x += w + 14;
    }
    const bool any = !heading.isEmpty() || !entries.isEmpty();
    l.height = any ? y - fm.ascent() + lineH + 2 : 0;
    return l;
}

int FarbLegende::heightForWidth(int w) const
{
    return layoutFor(m_heading, m_entries, w, fontMetrics()).height;
}

QSize FarbLegende::sizeHint() const
{
    const int w = std::max(width(), 200);
    return QSize(w, heightForWidth(w));
}

QSize FarbLegende::minimumSizeHint() const
{
    return QSize(50, heightForWidth(std::max(width(), 50)));
}

void FarbLegende::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    const Layout l = layoutFor(m_heading, m_entries, width(), fontMetrics());
    p.setPen(Qt::black);
    for (int i = 0; i < l.heading.size(); ++i)
        p.drawText(l.headingPos.at(i), l.heading.at(i));
    for (int i = 0; i < m_entries.size(); ++i) {
        p.setBrush(m_entries.at(i).colour);
        p.drawRect(l.swatches.at(i));
        p.drawText(l.textPos.at(i), m_entries.at(i).text);
    }
}
