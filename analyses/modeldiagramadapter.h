#ifndef MODELDIAGRAMADAPTER_H
#define MODELDIAGRAMADAPTER_H

#include "analyses/diagrammadapterbasis.h"

// Base of the views that evaluate one column of the data table and feed the result
// into an exchangeable diagram.
class ModelDiagramAdapter : public DiagrammAdapterBasis
{
    Q_OBJECT
public:
    explicit ModelDiagramAdapter(QWidget* parent = nullptr);

    void setModelColumn(int c);
    int modelColumn() const { return m_modelColumn; }

public slots:
    void updateDiagram() override = 0;
    // Asks for another diagram type (changeDiagram), as "Typ..." does.
    void typAction();

protected:
    int m_modelColumn = 0;
};

#endif
