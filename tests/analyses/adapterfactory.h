#ifndef ADAPTERFACTORY_H
#define ADAPTERFACTORY_H

#include <QString>
#include <QStringList>

#include "analyses/modeldiagramadapter.h"
#include "analyses/modelmultidiagramadapter.h"
#include "analyses/viewtypes.h"

// Every adapter of the program's type tables, keyed "Single:<type name>" or
// "Multi:<type name>" in table order.
inline QStringList adapterClasses()
{
    QStringList out;
    for (const ViewTypes::SingleAdapterType& t : ViewTypes::singleAdapterTypes())
        if (t.make)
            out << QStringLiteral("Single:") + t.name;
    for (const ViewTypes::MultiAdapterType& t : ViewTypes::multiAdapterTypes())
        if (t.make)
            out << QStringLiteral("Multi:") + t.name;
    return out;
}

// The adapter of a key of adapterClasses(), set to evaluate column 0 (and 1).
inline ModelClient* makeAdapter(const QString& key)
{
    if (key.startsWith(QLatin1String("Single:"))) {
        ModelDiagramAdapter* a = ViewTypes::makeSingleAdapter(key.mid(7));
        if (a)
            a->setModelColumn(0);
        return a;
    }
    ModelMultiDiagramAdapter* a = ViewTypes::makeMultiAdapter(key.mid(6));
    if (a)
        a->setSpalten({0, 1});
    return a;
}

#endif
