#ifndef HAEUFIGKEITSPROZENTDIAGRAMADAPTER_H
#define HAEUFIGKEITSPROZENTDIAGRAMADAPTER_H

#include "analyses/haeufigkeitsdiagramadapter.h"

// "Häufigkeit %": the counts as shares of all counted cells, in percent. No meta-object
// of its own: to the main window it is a frequency adapter.
class HaeufigkeitsProzentDiagramAdapter : public HaeufigkeitsDiagramAdapter
{
public:
    explicit HaeufigkeitsProzentDiagramAdapter(QWidget* parent = nullptr);

protected:
    void processData(QVector<double>& values) override;
};

#endif
