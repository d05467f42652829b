#include "io/viewtext.h"

#include "core/diagramadapter.h"
#include "core/textinhalt.h"
#include "diagrams/diagram.h"

TextInhalt* ViewText::of(QWidget* view)
{
    if (auto* t = dynamic_cast<TextInhalt*>(view))
        return t;
    if (auto* a = dynamic_cast<DiagramAdapter*>(view)) {
        if (Diagram* d = a->diagram())
            return dynamic_cast<TextInhalt*>(d);
    }
    return nullptr;
}
