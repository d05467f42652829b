#include "analyses/haeufigkeitsprozentmultidiagramadapter.h"

#include "diagrams/diagram.h"

HaeufigkeitsProzentMultiDiagramAdapter::HaeufigkeitsProzentMultiDiagramAdapter(QWidget* parent)
    : HaeufigkeitsMultiDiagramAdapter(parent)
{
}

void HaeufigkeitsProzentMultiDiagramAdapter::processData(double* begin, double* end)
{
    double sum = 0;
    for (double* v = begin; v != end; ++v)
        sum += *v;
    // A column without a counted cell gives 0 / 0, not-a-number, in every entry: the
    // diagrams draw such values as missing.
    for (double* v = begin; v != end; ++v)
        *v /= sum / 100.0;
    m_diagram->setValuePostfix(QStringLiteral("%"));
    m_diagram->setGewichtet(false);
}
