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

void ModelClient::notifyChanged(const QObject* w)
{
    for (const QObject* o = w; o; o = o->parent()) {
        if (auto* view = qobject_cast<const ModelClient*>(o)) {
            emit const_cast<ModelClient*>(view)->changed();
            return;
        }
    }
}
