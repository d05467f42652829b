#include "analyses/modelaenlichkeits3dview.h"

#include <QGridLayout>
#include <QLabel>
#include "core/spaltenspeicher.h"

#include "analyses/aenlichkeitscodes.h"
#include "core/recomputescheduler.h"
#include "core/waitcursor.h"
#include "diagrams/balken3ddiagram.h"
#include "diagrams/farblegende.h"

ModelAenlichkeits3dView::ModelAenlichkeits3dView(QWidget* parent)
    : ModelClient(parent)
    , m_bars(new Balken3dDiagram(this))
    , m_note(new QLabel(this))
    , m_legend(new FarbLegende(this))
    , m_recompute(new RecomputeScheduler(this, [this] { updateDiagram(); }))
{
    // A cell change elsewhere leaves this view as it is.
    m_recompute->setColumnTest([this](int first, int last) {
        return RecomputeScheduler::touchesAny(first, last, m_columns);
    });
    auto* layout = new QGridLayout(this);
    layout->addWidget(m_note, 0, 0);
    layout->addWidget(m_bars, 1, 0);
    layout->addWidget(m_legend, 2, 0);
    layout->setRowStretch(1, 1);
    m_note->hide();
}

int ModelAenlichkeits3dView::blockSize(int rows)
{
    return rows <= MaxCells ? 1 : (rows + MaxCells - 1) / MaxCells;
}

void ModelAenlichkeits3dView::setModel(SpaltenSpeicher* m)
{
    m_model = m;
    m_recompute->setModel(m);
    updateDiagram();
}

void ModelAenlichkeits3dView::setSpalten(const QVector<int>& columns)
{
    m_columns = columns;
    updateDiagram();
}

void ModelAenlichkeits3dView::updateDiagram()
{
    if (!m_model || m_columns.isEmpty())
        return;
    // Views made or loaded together are computed once, when all are set up.
    if (m_recompute->postpone())
        return;
    WaitCursor wait;
    AenlichkeitsCodes codes;
    codes.build(m_model, m_columns);
    const int rows = codes.rows();
    const int block = blockSize(rows);
    if (block == 1) {
        m_bars->setRowCount(rows);
        m_bars->setColumnCount(rows);
        for (int a = 0; a < rows; ++a)
            for (int b = 0; b < rows; ++b)
                m_bars->setData(a, b, codes.agreements(a, b));
        m_note->hide();
    } else {
        const QVector<double> means = codes.blockMeans(block);
        const int n = (rows + block - 1) / block;
        m_bars->setRowCount(n);
        m_bars->setColumnCount(n);
        for (int a = 0; a < n; ++a)
            for (int b = 0; b < n; ++b)
                m_bars->setData(a, b, means.at(qsizetype(a) * n + b));
        m_note->setText(tr("Mittelwerte über Blöcke von %1 × %1 Befragten").arg(block));
        m_note->show();
    }
    // The colours are those of the bar's height against the highest bar.
    m_legend->setEintraege(
        tr("Höhe einer Säule: in wie vielen der %1 gewählten Spalten die beiden Befragten "
           "gleich antworten; Farbe: Höhe im Verhältnis zur höchsten Säule")
            .arg(codes.columnCount()),
        AenlichkeitsCodes::farbStufen());
    m_bars->update();
}
