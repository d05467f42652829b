#include "diagrams/modelclient.h"

ModelClient::ModelClient(QWidget* parent)
    : QWidget(parent)
{
}

void ModelClient::saveData(QDataStream&, int)
{
}

void ModelClient::loadData(QDataStream&, int)
{
}

int ModelClient::neededVersion() const
{
    return 0;
}
