#ifndef SPALTENHAEUFIGKEITSDIAGRAMADAPTER_H
#define SPALTENHAEUFIGKEITSDIAGRAMADAPTER_H

#include "analyses/modelmultidiagramadapter.h"

// "Spaltenhäufigkeit": how often each combination of answers across the selected
// columns occurs in one row. No filter, no meta-object of its own.
class SpaltenHaeufigkeitsDiagramAdapter : public ModelMultiDiagramAdapter
{
public:
    explicit SpaltenHaeufigkeitsDiagramAdapter(QWidget* parent = nullptr);

    void updateDiagram() override;

protected:
    // Here, weighted sums are rounded to the one decimal they are shown with.
    virtual void processData(QVector<double>& values);

    bool m_gewichtet = false;   // the values are sums of weights
};

#endif
