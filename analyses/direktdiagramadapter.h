#ifndef DIREKTDIAGRAMADAPTER_H
#define DIREKTDIAGRAMADAPTER_H

#include "analyses/modeldiagramadapter.h"

// "Direkt" for one column: the cells themselves read as numbers, zeros left out.
class DirektDiagramAdapter : public ModelDiagramAdapter
{
    Q_OBJECT
public:
    explicit DirektDiagramAdapter(QWidget* parent = nullptr);

public slots:
    void updateDiagram() override;
};

#endif
