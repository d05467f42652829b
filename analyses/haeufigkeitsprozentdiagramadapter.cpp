#include "analyses/haeufigkeitsprozentdiagramadapter.h"

#include "diagrams/diagram.h"

HaeufigkeitsProzentDiagramAdapter::HaeufigkeitsProzentDiagramAdapter(QWidget* parent)
    : HaeufigkeitsDiagramAdapter(parent)
{
}

void HaeufigkeitsProzentDiagramAdapter::processData(QVector<double>& values)
{
    double sum = 0;
    for (double v : std::as_const(values))
        sum += v;
    // Empty when nothing was counted: then nothing is divided.
    for (double& v : values)
        v /= sum / 100.0;
    m_diagram->setValuePostfix(QStringLiteral("%"));
    m_diagram->setGewichtet(false);
}
