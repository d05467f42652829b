#ifndef ADAPTERFACTORY_H
#define ADAPTERFACTORY_H

#include <QString>

#include "analyses/direktdiagramadapter.h"
#include "analyses/direktmultidiagramadapter.h"
#include "analyses/haeufigkeitsdiagramadapter.h"
#include "analyses/haeufigkeitsmultidiagramadapter.h"
#include "analyses/haeufigkeitsprozentdiagramadapter.h"
#include "analyses/haeufigkeitsprozentmultidiagramadapter.h"
#include "analyses/haeufigkeitsverteilungsadapter.h"
#include "analyses/spaltenhaeufigkeitsdiagramadapter.h"

// Every adapter of this folder by class name, set to evaluate columns 0 (and 1).
inline ModelClient* makeAdapter(const QString& cls)
{
    ModelDiagramAdapter* single = nullptr;
    ModelMultiDiagramAdapter* multi = nullptr;
    if (cls == "HaeufigkeitsDiagramAdapter")
        single = new HaeufigkeitsDiagramAdapter;
    else if (cls == "HaeufigkeitsProzentDiagramAdapter")
        single = new HaeufigkeitsProzentDiagramAdapter;
    else if (cls == "DirektDiagramAdapter")
        single = new DirektDiagramAdapter;
    else if (cls == "HaeufigkeitsVerteilungsAdapter")
        single = new HaeufigkeitsVerteilungsAdapter;
    else if (cls == "HaeufigkeitsMultiDiagramAdapter")
        multi = new HaeufigkeitsMultiDiagramAdapter;
    else if (cls == "HaeufigkeitsProzentMultiDiagramAdapter")
        multi = new HaeufigkeitsProzentMultiDiagramAdapter;
    else if (cls == "DirektMultiDiagramAdapter")
        multi = new DirektMultiDiagramAdapter;
    else if (cls == "SpaltenHaeufigkeitsDiagramAdapter")
        multi = new SpaltenHaeufigkeitsDiagramAdapter;
    if (single)
        single->setModelColumn(0);
    if (multi)
        multi->setSpalten({0, 1});
    return single ? static_cast<ModelClient*>(single) : multi;
}

inline QStringList adapterClasses()
{
    return {"HaeufigkeitsDiagramAdapter", "HaeufigkeitsProzentDiagramAdapter",
            "DirektDiagramAdapter", "HaeufigkeitsVerteilungsAdapter",
            "HaeufigkeitsMultiDiagramAdapter", "HaeufigkeitsProzentMultiDiagramAdapter",
            "DirektMultiDiagramAdapter", "SpaltenHaeufigkeitsDiagramAdapter"};
}

#endif
