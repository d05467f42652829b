#ifndef DIREKTMULTIDIAGRAMADAPTER_H
#define DIREKTMULTIDIAGRAMADAPTER_H

#include "analyses/modelmultidiagramadapter.h"

// "Direkt" for several columns: one diagram row per column, one value per data row,
// zeros kept so that the positions line up. No meta-object of its own.
class DirektMultiDiagramAdapter : public ModelMultiDiagramAdapter
{
public:
    explicit DirektMultiDiagramAdapter(QWidget* parent = nullptr);

    void updateDiagram() override;
};

#endif
