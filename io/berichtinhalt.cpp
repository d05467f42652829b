#include "io/berichtinhalt.h"

#include <QTextDocument>

#include "core/diagramadapter.h"
#include "core/viewhost.h"
#include "diagrams/diagram.h"
#include "io/viewtext.h"

bool BerichtInhalt::of(ViewHost& views, int row, Eintrag& out)
{
    QWidget* view = views.viewPage(row);
    if (!view)
        return false;
    const ViewRecord::Stored it = views.stored(row);
    out.title = it.title.toString();
    out.notes = plainNotes(it.notes.toString());
    out.view = view;
    out.text = ViewText::of(view);
    out.bild = out.text && ViewText::auchBild(view);
    out.captions.clear();
    if (auto* a = dynamic_cast<DiagramAdapter*>(view))
        if (const Diagram* d = a->diagram())
            out.captions = d->captionLines();
    return true;
}

QString BerichtInhalt::plainNotes(const QString& html)
{
    QTextDocument doc;
    doc.setHtml(html);
    return doc.toPlainText();
}
