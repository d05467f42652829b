#ifndef MODELAENLICHKEITS3DVIEW_H
#define MODELAENLICHKEITS3DVIEW_H

#include <QVector>

#include "diagrams/modelclient.h"

class Balken3dDiagram;
class FarbLegende;
class QLabel;
class RecomputeScheduler;

// "Ähnlichkeit 3D": for every pair of respondents the number of chosen columns with
// the same answer, as a field of 3D bars. Beyond MaxCells respondents a side, blocks
// of respondents are drawn as one bar each, their mean, and a line over the view
// says so: a million bars could not be turned smoothly.
class ModelAenlichkeits3dView : public ModelClient
{
    Q_OBJECT
public:
    static constexpr int MaxCells = 100;

    explicit ModelAenlichkeits3dView(QWidget* parent = nullptr);

    void setModel(QStandardItemModel* m) override;
    void setSpalten(const QVector<int>& columns);
    const QVector<int>& spalten() const { return m_columns; }

    Balken3dDiagram* bars() const { return m_bars; }
    // The line over the view; hidden while every pair has its own bar.
    QLabel* blockNote() const { return m_note; }
    // What the heights and colours mean, under the bars.
    FarbLegende* legende() const { return m_legend; }
    // Respondents per block side: 1 up to MaxCells rows, else ceil(rows / MaxCells).
    static int blockSize(int rows);

public slots:
    void updateDiagram();

private:
    QVector<int> m_columns;
    Balken3dDiagram* m_bars;
    QLabel* m_note;
    FarbLegende* m_legend;
    RecomputeScheduler* m_recompute;
};

#endif
