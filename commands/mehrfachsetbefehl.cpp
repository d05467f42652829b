#include "commands/mehrfachsetbefehl.h"

#include <QStandardItemModel>

#include "core/mehrfachsets.h"
#include "core/tablecontext.h"
#include "core/userinput.h"
#include "core/viewhost.h"

bool MehrfachSetBefehl::erstellen(const TableContext& context, ViewHost& views)
{
    if (!context.model || context.columns.isEmpty())
        return false;
    const QString title = tr("Mehrfachantworten-Set");
    bool ok = false;
    const QString name = UserInput::getText(context.parent, title, tr("Name der Frage:"),
                                            QLineEdit::Normal, QString(), &ok)
                             .trimmed();
    if (!ok || name.isEmpty())
        return false;
    const QString wert = UserInput::getText(
        context.parent, title,
        tr("Gewählt, wenn die Zelle diesen Wert hat (leer: jede Antwort):"),
        QLineEdit::Normal, QString(), &ok);
    if (!ok)
        return false;
    MehrfachSet set;
    set.name = name;
    set.spalten = context.columns;
    set.wert = wert.trimmed();
    MehrfachSets::of(context.model)->add(set);
    ViewRecord r;
    r.viewType = QStringLiteral("Mehrfachantworten");
    r.columns = set.spalten;
    r.title = name;
    r.notes = QLatin1String("");
    views.createFromRecord(r, 5);
    return true;
}
