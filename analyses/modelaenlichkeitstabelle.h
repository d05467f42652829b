#ifndef MODELAENLICHKEITSTABELLE_H
#define MODELAENLICHKEITSTABELLE_H

#include <QPoint>
#include <QVector>

#include "diagrams/modelclient.h"
#include "core/textinhalt.h"

class AenlichkeitsModel;
class FarbLegende;
class QMimeData;
class QTableView;
class RecomputeScheduler;

// "Ähnlichkeit": for every pair of respondents the share of the chosen columns in
// which they gave the same answer, in percent, as a coloured R x R table.
class ModelAenlichkeitsTabelle : public ModelClient, public TextInhalt
{
    Q_OBJECT
public:
    explicit ModelAenlichkeitsTabelle(QWidget* parent = nullptr);

    void setModel(QStandardItemModel* m) override;
    void setSpalten(const QVector<int>& columns);
    const QVector<int>& spalten() const { return m_columns; }

    // Row after row, cells separated by tabs, every row ending with a line feed.
    QString toText() override;
    QString toHTML() override;

    QTableView* table() const { return m_table; }
    AenlichkeitsModel* tableModel() const { return m_cells; }
    // What the numbers and colours mean, under the table.
    FarbLegende* legende() const { return m_legend; }
    // What a drag out of the view carries: its HTML. The caller owns the result.
    QMimeData* createMimeData();

public slots:
    void updateDiagram();

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;

private:
    QVector<int> m_columns;
    QTableView* m_table;
    AenlichkeitsModel* m_cells;
    FarbLegende* m_legend;
    QPoint m_dragStartPosition;
    RecomputeScheduler* m_recompute;
};

#endif
