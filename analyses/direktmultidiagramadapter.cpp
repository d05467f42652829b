#include "analyses/direktmultidiagramadapter.h"

#include <QStandardItemModel>

#include "core/recomputescheduler.h"
#include "core/zellenzahl.h"
#include "diagrams/diagram.h"

DirektMultiDiagramAdapter::DirektMultiDiagramAdapter(QWidget* parent)
    : ModelMultiDiagramAdapter(parent)
{
    // A cell change elsewhere leaves this view as it is.
    m_recompute->setColumnTest([this](int first, int last) {
        return RecomputeScheduler::touchesAny(first, last, m_columns);
    });
}

void DirektMultiDiagramAdapter::updateDiagram()
{
    if (!m_diagram || !m_model)
        return;
    // Views made or loaded together are computed once, when all are set up.
    if (m_recompute->postpone())
        return;
    const int rows = m_model->rowCount();
    QVector<double> values;
    values.reserve(rows * m_columns.size());
    for (int c : std::as_const(m_columns)) {
        for (int r = 0; r < rows; ++r)
            values << ZellenZahl::toDouble(m_model->data(m_model->index(r, c)));
    }
    m_diagram->setData(values);
    m_diagram->setRowWidth(rows);
}
