#include "analyses/modelmultidiagramadapter.h"

ModelMultiDiagramAdapter::ModelMultiDiagramAdapter(QWidget* parent)
    : DiagrammAdapterBasis(parent)
{
}

void ModelMultiDiagramAdapter::setSpalten(const QVector<int>& columns)
{
    m_columns = columns;
    updateDiagram();
}

void ModelMultiDiagramAdapter::typAction()
{
    emit changeDiagram(this);
}
