#ifndef DIVERGIERENDEBALKEN_H
#define DIVERGIERENDEBALKEN_H

#include <QColor>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <QVector>
#include <QWidget>

class QFontMetrics;
class QPainter;

// Rating items of one scale as bars centred at the neutral point: negative answers to
// the left, positive to the right, the answers put aside in a column of their own, the
// top-2 and bottom-2 shares written at the ends. It paints what it is handed.
class DivergierendeBalken : public QWidget
{
    Q_OBJECT
public:
    struct Item {
        QString titel;
        QVector<double> anteile;   // per step, positive end first: shares (0..1) of the base
        double beiseite = 0;       // share of all who answered that was put aside
        double top2 = 0;
        double bottom2 = 0;
    };
    struct Daten {
        QStringList stufen;        // positive end first
        QVector<Item> items;       // in the order shown
    };

    struct Segment {
        QRectF rect;
        int stufe = 0;
    };
    struct Layout {
        double mitte = 0;               // x of the neutral point
        double proAnteil = 0;           // pixels per share of 1
        QVector<QRectF> titel;          // per item: its title's box
        QVector<QVector<Segment>> balken;
        QVector<QRectF> beiseite;       // per item: the bar put aside (may be empty)
        QVector<QRectF> bottomText;     // per item: where the bottom-2 share is written
        QVector<QRectF> topText;
        QVector<QRectF> legende;        // per step, then one for the answers put aside
    };
    // The geometry of the data in a widget of that size with that font. The widest side
    // of any item fills half the bar area; an odd scale's middle step is split at the
    // neutral point, an even scale's bars meet between its two middle steps.
    static Layout layout(const Daten& d, const QSizeF& size, const QFontMetrics& fm);
    // Colours per step: green at the positive end to red at the negative, grey in the middle.
    static QVector<QColor> farben(int stufen);
    // "34 %", empty for no share.
    static QString prozent(double anteil);

    explicit DivergierendeBalken(QWidget* parent = nullptr);
    void setDaten(const Daten& d);
    const Daten& daten() const { return m_daten; }
    void paint(QPainter& p, const QSize& size) const;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    Daten m_daten;
};

#endif
