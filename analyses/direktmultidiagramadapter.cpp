#include "analyses/direktmultidiagramadapter.h"

#include "core/spaltenspeicher.h"

#include "core/angaben.h"
#include "core/rowfilter.h"
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
    // The base per column: the cells holding a number other than 0, as the single
    // column's direct view shows them.
    QVector<int> answers;
    QStringList titles;
    for (int c : std::as_const(m_columns)) {
        int n = 0;
        for (int r = 0; r < rows; ++r) {
            // A declared missing answer reads as empty, so as 0: neither drawn nor counted.
            values << ZellenZahl::toDouble(RowFilter::cell(m_model, r, c));
            n += values.last() != 0.0 ? 1 : 0;
        }
        answers << n;
        titles << m_model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
    }
    m_diagram->setCaption(Angaben::lines(m_model, RowFilter(), answers, titles));
    m_diagram->setData(values);
    m_diagram->setRowWidth(rows);
}
