#include "io/viewtext.h"

#include "analyses/diagrammadapterbasis.h"
#include "analyses/mehrfachantworten.h"
#include "core/diagramadapter.h"
#include "core/textinhalt.h"
#include "diagrams/diagram.h"

TextInhalt* ViewText::of(QWidget* view)
{
    if (auto* t = dynamic_cast<TextInhalt*>(view))
        return t;
    // An adapter whose text says more than its table (a test with its result).
    if (auto* b = dynamic_cast<DiagrammAdapterBasis*>(view)) {
        if (TextInhalt* t = b->viewText())
            return t;
    }
    if (auto* a = dynamic_cast<DiagramAdapter*>(view)) {
        if (Diagram* d = a->diagram())
            return dynamic_cast<TextInhalt*>(d);
    }
    return nullptr;
}

bool ViewText::auchBild(QWidget* view)
{
    auto* m = qobject_cast<Mehrfachantworten*>(view);
    return m && m->diagram() && !dynamic_cast<TextInhalt*>(m->diagram());
}
