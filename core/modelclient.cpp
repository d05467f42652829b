#include "core/modelclient.h"

#include "core/userinputevents.h"

ModelClient::ModelClient(QWidget* parent)
    : QWidget(parent)
{
    // A menu entry of a view (its actions are its children or its diagram's) may
    // change one of its settings.
    static const bool listening = [] {
        QObject::connect(UserInputEvents::instance(), &UserInputEvents::entryChosen,
                         UserInputEvents::instance(),
                         [](QObject* action) { notifyChanged(action); });
        return true;
    }();
    Q_UNUSED(listening);
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
