#include "analyses/direktdiagramadapter.h"

#include "core/spaltenspeicher.h"
#include <algorithm>

#include "core/angaben.h"
#include "core/rowfilter.h"
#include "core/recomputescheduler.h"
#include "core/zellenzahl.h"
#include "diagrams/diagram.h"

DirektDiagramAdapter::DirektDiagramAdapter(QWidget* parent)
    : ModelDiagramAdapter(parent)
{
    // A cell change elsewhere leaves this view as it is.
    m_recompute->setColumnTest([this](int first, int last) {
        return RecomputeScheduler::touches(first, last, m_modelColumn);
    });
}

void DirektDiagramAdapter::updateDiagram()
{
    if (!m_diagram || !m_model)
        return;
    // Views made or loaded together are computed once, when all are set up.
    if (m_recompute->postpone())
        return;
    const int rows = m_model->rowCount();
    QVector<double> values;
    values.reserve(rows);
    // Read as every view sees a cell: an answer declared missing is the empty one.
    for (int r = 0; r < rows; ++r)
        values << ZellenZahl::toDouble(RowFilter::cell(m_model, r, m_modelColumn));
    // Empty, missing and non-numeric cells read as 0; they are not shown.
    values.erase(std::remove(values.begin(), values.end(), 0.0), values.end());
    m_diagram->setCaption(Angaben::lines(m_model, RowFilter(), {int(values.size())}));
    m_diagram->setData(values);
}
