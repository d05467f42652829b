#ifndef TABELLENDIAGRAMM_H
#define TABELLENDIAGRAMM_H

#include "core/textinhalt.h"
#include "diagrams/diagram.h"

class QLabel;
class QTableWidget;

// The values as a table ("Tabelle"): a centred title over a table whose column headers
// are the labels and whose row headers are the row labels. It paints through its
// child widgets, so paint() draws nothing: grab() the widget for a picture.
class TabellenDiagramm : public Diagram, public TextInhalt
{
    Q_OBJECT
public:
    explicit TabellenDiagramm(QWidget* parent = nullptr);

    // Rebuilds the table and the title label from the fields.
    void updateData();

    QString toHTML() override;
    QString toText() override;

    // Read access for owners and tests.
    const QTableWidget* tableWidget() const { return table; }
    const QLabel* titleLabelWidget() const { return titleLabel; }
    const QLabel* captionLabelWidget() const { return captionLabel; }

public slots:
    void setData(const QVector<double>& d) override;
    // Shown in a label under the table; the table's texts stay as they are.
    void setCaption(const QStringList& lines) override;

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    QString headerText(int column) const;
    QString rowHeaderText(int row) const;
    QString cellText(int row, int column) const;

    QTableWidget* table = nullptr;
    QLabel* titleLabel = nullptr;
    QLabel* captionLabel = nullptr;
};

#endif
