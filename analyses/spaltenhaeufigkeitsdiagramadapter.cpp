#include "analyses/spaltenhaeufigkeitsdiagramadapter.h"

#include "core/spaltenspeicher.h"
#include <map>

#include "core/gewichtung.h"
#include "core/recomputescheduler.h"
#include "core/angaben.h"
#include "core/rowfilter.h"
#include "diagrams/diagram.h"

SpaltenHaeufigkeitsDiagramAdapter::SpaltenHaeufigkeitsDiagramAdapter(QWidget* parent)
    : ModelMultiDiagramAdapter(parent)
{
    // A cell change elsewhere leaves this view as it is.
    m_recompute->setColumnTest([this](int first, int last) {
        return RecomputeScheduler::touchesAny(first, last, m_columns);
    });
    m_recompute->setFollowsWeight(true);
}

void SpaltenHaeufigkeitsDiagramAdapter::updateDiagram()
{
    if (!m_diagram || !m_model)
        return;
    // Views made or loaded together are computed once, when all are set up.
    if (m_recompute->postpone())
        return;
    // Keys are the row's texts joined with "," unescaped: a text holding a comma may
    // share its key with another combination. Stored views count that way.
    // Every row counts, with its weight when the survey is weighted.
    const Gewichte weights = Gewichtung::gewichte(m_model);
    m_gewichtet = weights.aktiv();
    int withoutWeight = 0;
    std::map<QString, double> counts;
    for (int r = 0; r < m_model->rowCount(); ++r) {
        QStringList parts;
        for (int c : std::as_const(m_columns))
            parts << RowFilter::cell(m_model, r, c).toString();
        counts[parts.join(QLatin1Char(','))] += weights.at(r);
        if (!weights.gueltigAt(r))
            ++withoutWeight;
    }
    QStringList labels;
    QVector<double> values;
    for (const auto& entry : counts) {
        labels << entry.first;
        values << entry.second;
    }
    // Shares computed by processData are no sums of weights: it may say so.
    m_diagram->setGewichtet(m_gewichtet);
    processData(values);
    setTitelZusatz(m_gewichtet ? Gewichtung::titelZusatz(weights.titel, withoutWeight)
                               : QString());
    // Every row is one combination counted.
    m_diagram->setCaption(Angaben::lines(m_model, RowFilter(), {m_model->rowCount()}));
    m_diagram->setLabels(labels);
    m_diagram->setData(values);
}

void SpaltenHaeufigkeitsDiagramAdapter::processData(QVector<double>&)
{
    // Sums of weights reach the diagram in full (the workbook keeps every digit); the
    // diagram shows them to one decimal.
}
