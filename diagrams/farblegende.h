#ifndef FARBLEGENDE_H
#define FARBLEGENDE_H

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QVector>
#include <QWidget>

class QFontMetrics;

// A line of what a view's numbers mean, then one colour square with black text per
// colour, flowing into further lines where the width ends. The view that owns it says
// what to write; the legend only lays out and paints.
class FarbLegende : public QWidget
{
    Q_OBJECT
public:
    struct Eintrag {
        QColor colour;
        QString text;
    };
    struct Layout {
        QStringList heading;        // the heading broken into lines at blanks
        QVector<QPoint> headingPos; // baseline start of each heading line
        QVector<QRect> swatches;    // one per entry
        QVector<QPoint> textPos;    // baseline start of each entry's text
        int height = 0;             // what the lines need
    };

    explicit FarbLegende(QWidget* parent = nullptr);

    void setEintraege(const QString& heading, const QVector<Eintrag>& entries);
    const QString& heading() const { return m_heading; }
    const QVector<Eintrag>& eintraege() const { return m_entries; }

    // Pure: the places of heading, squares and texts in that width.
    static Layout layoutFor(const QString& heading, const QVector<Eintrag>& entries, int width,
                            const QFontMetrics& fm);

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int w) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    QString m_heading;
    QVector<Eintrag> m_entries;
};

#endif
