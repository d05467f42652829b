#ifndef HAEUFIGKEITSPROZENTMULTIDIAGRAMADAPTER_H
#define HAEUFIGKEITSPROZENTMULTIDIAGRAMADAPTER_H

#include "analyses/haeufigkeitsmultidiagramadapter.h"

// "Häufigkeit %" over several columns: each row in percent of its column's counted
// cells. No meta-object of its own.
class HaeufigkeitsProzentMultiDiagramAdapter : public HaeufigkeitsMultiDiagramAdapter
{
public:
    explicit HaeufigkeitsProzentMultiDiagramAdapter(QWidget* parent = nullptr);

protected:
    void processData(double* begin, double* end) override;
};

#endif
