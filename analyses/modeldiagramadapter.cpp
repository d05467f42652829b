#include "analyses/modeldiagramadapter.h"

ModelDiagramAdapter::ModelDiagramAdapter(QWidget* parent)
    : DiagrammAdapterBasis(parent)
{
}

void ModelDiagramAdapter::setModelColumn(int c)
{
    m_modelColumn = c;
    updateDiagram();
}

void ModelDiagramAdapter::typAction()
{
    emit changeDiagram(this);
}
