#ifndef DIAGRAM_H
#define DIAGRAM_H

#include <QColor>
#include <QList>
#include <QPoint>
#include <QStringList>
#include <QVector>
#include <QWidget>

class QAction;
class QFontMetrics;
class QDataStream;
class QMimeData;
class QPainter;

// Abstract base of the painted charts. An adapter feeds it through the setters; a
// subclass only paints what it holds.
class Diagram : public QWidget
{
    Q_OBJECT
public:
    explicit Diagram(QWidget* parent = nullptr);

    // Font, then colour count and colours.
    virtual void saveData(QDataStream& s, int version);
    virtual void loadData(QDataStream& s, int version);

    QVector<QAction*> actionList() const { return actions; }

    // Draws the chart onto any paint device of the given size: the screen, report
    // pictures and tests share this path. Must not change the diagram.
    virtual void paint(QPainter& p, const QSize& size) const;
    // The chart with its caption lines in a strip under it: what the screen, the
    // pictures and the report show. Without caption lines it is paint() alone.
    void render(QPainter& p, const QSize& size) const;
    // Height of the caption strip for text measured with fm (0 without lines).
    int captionHeight(const QFontMetrics& fm) const;
    const QStringList& captionLines() const { return caption; }

    // What a drag out of the diagram carries: HTML for a diagram that renders itself
    // as text, else a picture of the widget. The caller owns the result.
    QMimeData* createMimeData();

    // Narrow read access for owners and tests.
    const QVector<double>& values() const { return data; }
    const QList<QColor>& colorList() const { return colors; }
    const QStringList& labelList() const { return labels; }
    const QStringList& colLabelList() const { return colLabels; }
    const QString& postfix() const { return valuePostfix; }
    const QString& titleText() const { return title; }
    int rowLength() const { return rowWidth; }
    // Colour of row or slice i: position i modulo the colour count.
    QColor colorAt(int i) const;
    // Whether the values are sums of weights: those are shown in full with one decimal
    // ("226710664.9"), where 'g' would cut them to six digits. Set before setData.
    void setGewichtet(bool g) { gewichtet = g; }
    bool istGewichtet() const { return gewichtet; }
    // A value as tables and labels show it (without the postfix): sums of weights in
    // full, others with six significant digits.
    QString zahlText(double v) const;
    // Replaces the colour list; an empty list is ignored (nothing could be painted).
    void setColors(const QList<QColor>& c);
    // Takes over the look of the diagram this one replaces: its font, and each of its
    // colours that differs from that diagram's defaults (the others stay this type's).
    void takeLook(const Diagram& other);

public slots:
    virtual void setData(const QVector<double>& d);
    virtual void setLabels(const QStringList& l);
    virtual void setColLabels(const QStringList& l);
    virtual void setRowWidth(int w);
    virtual void setTitle(const QString& t);
    virtual void setValuePostfix(const QString& p);
    // What the chart counts ("Filter: ...", "n = ..."), one line each; set by the
    // adapter after every recomputation, never stored.
    virtual void setCaption(const QStringList& lines);
    virtual void colorAction();
    virtual void fontAction();

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void paintEvent(QPaintEvent* e) override = 0;

    // Asks for a colour for slot index % colour count and stores a valid answer.
    void askColor(int index);
    // "Farben": lets the user pick one of the choices (none: slot 0), then asks for its
    // colour. A cancel, or a typed text that names no choice, changes nothing.
    void chooseColor(const QStringList& choices, const QString& prompt);
    // The bar charts' "Farben": a colour per row, chosen among the row labels.
    void chooseRowColor();

    // Row layout of data: values per row (all of them without a row width) and the
    // number of rows (complete rows only; 1 without a row width).
    int valuesPerRow() const;
    int rowCount() const;
    // Category label k, or its position number where labels has no entry k.
    QString labelAt(int k) const;

    QVector<double> data;
    QList<QColor> colors;
    QStringList labels;
    QStringList colLabels;
    QString valuePostfix;
    QString title;
    QStringList caption;
    int rowWidth = 0;
    bool gewichtet = false;
    QPoint dragStartPosition;
    QVector<QAction*> actions;

private:
    // Keeps the colours as the constructors left them, before the first change.
    void rememberDefaultColors();
    QList<QColor> m_defaultColors;   // empty while no colour was changed
};

#endif
