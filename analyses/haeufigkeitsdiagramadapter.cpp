#include "analyses/haeufigkeitsdiagramadapter.h"

#include <QDataStream>
#include <QStandardItemModel>
#include <QHash>
#include <algorithm>

#include "core/recomputescheduler.h"
#include "diagrams/diagram.h"

HaeufigkeitsDiagramAdapter::HaeufigkeitsDiagramAdapter(QWidget* parent)
    : ModelDiagramAdapter(parent)
{
    // A cell change elsewhere leaves this view as it is.
    m_recompute->setColumnTest([this](int first, int last) {
        return RecomputeScheduler::touches(first, last, m_modelColumn)
            || RecomputeScheduler::touches(first, last, m_filter.depColumn());
    });
    m_actions << RowFilter::createActions(this);
}

void HaeufigkeitsDiagramAdapter::saveData(QDataStream& s, int version)
{
    if (version > 1)
        ModelDiagramAdapter::saveData(s, version);
    m_filter.write(s);
}

void HaeufigkeitsDiagramAdapter::loadData(QDataStream& s, int version)
{
    if (version > 1)
        ModelDiagramAdapter::loadData(s, version);
    if (m_filter.read(s))
        setDepFilter(m_filter.depValue(), m_filter.depColumn());
}

void HaeufigkeitsDiagramAdapter::setDepFilter(QString value, int column)
{
    m_filter.setDependency(value, column);
    updateDiagram();
}

void HaeufigkeitsDiagramAdapter::setInputFilter(const QVariant& v)
{
    m_filter.setInputFilter(v);
    updateDiagram();
}

void HaeufigkeitsDiagramAdapter::updateDiagram()
{
    if (!m_diagram || !m_model)
        return;
    // Views made or loaded together are computed once, when all are set up.
    if (m_recompute->postpone())
        return;
    const QHash<QString, int> counts = m_filter.countTexts(m_model, m_modelColumn);
    // Sorted by QString's operator<: code units, no locale.
    QStringList labels = counts.keys();
    std::sort(labels.begin(), labels.end());
    QVector<double> values;
    values.reserve(labels.size());
    for (const QString& label : std::as_const(labels))
        values << double(counts.value(label));
    processData(values);
    m_diagram->setLabels(labels);
    m_diagram->setData(values);
}

void HaeufigkeitsDiagramAdapter::depAction()
{
    RowFilter::runDepAction(this);
}

void HaeufigkeitsDiagramAdapter::undepAction()
{
    RowFilter::runUndepAction(this);
}

void HaeufigkeitsDiagramAdapter::processData(QVector<double>&)
{
}
