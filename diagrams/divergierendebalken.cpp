#include "diagrams/divergierendebalken.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {
// A share as the painter may use it: not a number or negative counts as none.
double anteil(double v)
{
    return std::isfinite(v) && v > 0 ? v : 0.0;
}
}

QString DivergierendeBalken::prozent(double a)
{
    if (!std::isfinite(a))
        return QString();
    return QString::number(std::lround(100.0 * a)) + QStringLiteral(" %");
}

QVector<QColor> DivergierendeBalken::farben(int stufen)
{
    QVector<QColor> out;
    for (int i = 0; i < stufen; ++i) {
        // 0 at the positive end, 1 at the negative.
        const double t = stufen > 1 ? double(i) / (stufen - 1) : 0.5;
        if (std::fabs(t - 0.5) < 1e-9)
            out << QColor(190, 190, 190);
        else if (t < 0.5)
            out << QColor::fromHsvF(0.33, 0.35 + 0.6 * (0.5 - t) * 2, 0.85 - 0.3 * (0.5 - t) * 2);
        else
            out << QColor::fromHsvF(0.0, 0.35 + 0.6 * (t - 0.5) * 2, 0.9 - 0.3 * (t - 0.5) * 2);
    }
    return out;
}

DivergierendeBalken::Layout DivergierendeBalken::layout(const Daten& d, const QSizeF& size,
                                                        const QFontMetrics& fm)
{
    Layout l;
    const int n = int(d.items.size());
    const int k = int(d.stufen.size());
    const double rand = 6;
    const double zeile = fm.height() + 4;
    // The legend on top, a row of boxes per step and one for the answers put aside.
    double x = rand;
    for (int s = 0; s <= k; ++s) {
        const QString t = s < k ? d.stufen.at(s) : QObject::tr("weiß nicht");
        const double w = zeile + fm.horizontalAdvance(t) + 8;
        l.legende << QRectF(x, rand, zeile - 4, zeile - 4);
        x += w;
    }
    double titelBreite = 0;
    for (const Item& it : d.items)
        titelBreite = std::max(titelBreite, double(fm.horizontalAdvance(it.titel)));
    titelBreite = std::min(titelBreite, size.width() / 3.0);
    const double textBreite = fm.horizontalAdvance(QStringLiteral("100 %")) + 6;
    const double beiseiteBreite = std::max(40.0, size.width() / 10.0);
    const double links = rand + titelBreite + 6 + textBreite;
    const double rechts = size.width() - rand - beiseiteBreite - 6 - textBreite;
    const double oben = rand + zeile + 6;
    const double hoehe = n > 0 ? std::max(0.0, (size.height() - oben - rand) / n) : 0.0;

    // Each item's negative and positive sides, an odd scale's middle halved into both.
    const int mitte = k % 2 ? k / 2 : -1;
    const int negativAb = k % 2 ? k / 2 + 1 : k / 2;
    double breiteste = 0;
    QVector<double> negativ(n, 0.0), positiv(n, 0.0);
    for (int i = 0; i < n; ++i) {
        const Item& it = d.items.at(i);
        for (int s = 0; s < k && s < it.anteile.size(); ++s) {
            const double a = anteil(it.anteile.at(s));
            if (s == mitte) {
                negativ[i] += a / 2;
                positiv[i] += a / 2;
            } else if (s < negativAb) {
                positiv[i] += a;
            } else {
                negativ[i] += a;
            }
        }
        breiteste = std::max({breiteste, negativ.at(i), positiv.at(i)});
    }
    l.mitte = (links + rechts) / 2;
    l.proAnteil = breiteste > 0 && rechts > links ? (rechts - links) / 2 / breiteste : 0.0;

    for (int i = 0; i < n; ++i) {
        const Item& it = d.items.at(i);
        const double y = oben + i * hoehe;
        const double bh = std::max(0.0, hoehe * 0.7);
        const double by = y + (hoehe - bh) / 2;
        l.titel << QRectF(rand, y, titelBreite, hoehe);
        QVector<Segment> segs;
        // Positive steps from the neutral point outwards: the mildest first.
        double xr = l.mitte;
        double xl = l.mitte;
        if (mitte >= 0) {
            const double halb = anteil(it.anteile.value(mitte)) / 2 * l.proAnteil;
            segs << Segment{QRectF(l.mitte - halb, by, 2 * halb, bh), mitte};
            xr = l.mitte + halb;
            xl = l.mitte - halb;
        }
        for (int s = (mitte >= 0 ? mitte : negativAb) - 1; s >= 0; --s) {
            const double w = anteil(it.anteile.value(s)) * l.proAnteil;
            segs << Segment{QRectF(xr, by, w, bh), s};
            xr += w;
        }
        for (int s = negativAb; s < k; ++s) {
            const double w = anteil(it.anteile.value(s)) * l.proAnteil;
            xl -= w;
            segs << Segment{QRectF(xl, by, w, bh), s};
        }
        l.balken << segs;
        l.bottomText << QRectF(xl - textBreite, y, textBreite - 2, hoehe);
        l.topText << QRectF(xr + 2, y, textBreite - 2, hoehe);
        const double bx = size.width() - rand - beiseiteBreite;
        l.beiseite << QRectF(bx, by, anteil(std::min(1.0, it.beiseite)) * beiseiteBreite, bh);
    }
    return l;
}

DivergierendeBalken::DivergierendeBalken(QWidget* parent)
    : QWidget(parent)
{
    setMinimumSize(300, 150);
}

void DivergierendeBalken::setDaten(const Daten& d)
{
    m_daten = d;
    update();
}

void DivergierendeBalken::paint(QPainter& p, const QSize& size) const
{
    p.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    const Layout l = layout(m_daten, QSizeF(size), p.fontMetrics());
    const QVector<QColor> c = farben(int(m_daten.stufen.size()));
    const int k = int(m_daten.stufen.size());
    p.setPen(Qt::black);
    for (int s = 0; s < l.legende.size(); ++s) {
        const QRectF& r = l.legende.at(s);
        p.fillRect(r, s < k ? c.at(s) : QColor(120, 120, 160));
        const QString t = s < k ? m_daten.stufen.at(s) : tr("weiß nicht");
        p.drawText(QPointF(r.right() + 4, r.bottom()), t);
    }
    for (int i = 0; i < l.balken.size(); ++i) {
        const Item& it = m_daten.items.at(i);
        p.drawText(l.titel.at(i), Qt::AlignRight | Qt::AlignVCenter,
                   p.fontMetrics().elidedText(it.titel, Qt::ElideRight, int(l.titel.at(i).width())));
        for (const Segment& s : l.balken.at(i))
            if (s.rect.width() > 0)
                p.fillRect(s.rect, c.value(s.stufe));
        p.fillRect(l.beiseite.at(i), QColor(120, 120, 160));
        p.drawText(l.bottomText.at(i), Qt::AlignRight | Qt::AlignVCenter, prozent(it.bottom2));
        p.drawText(l.topText.at(i), Qt::AlignLeft | Qt::AlignVCenter, prozent(it.top2));
    }
    if (!l.balken.isEmpty()) {
        p.setPen(QPen(Qt::black, 1, Qt::DashLine));
        p.drawLine(QPointF(l.mitte, l.titel.first().top()), QPointF(l.mitte, l.titel.last().bottom()));
    }
}

void DivergierendeBalken::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    paint(p, size());
}
