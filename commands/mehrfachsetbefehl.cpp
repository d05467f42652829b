#include "commands/mehrfachsetbefehl.h"

#include <QStandardItemModel>
#include <QUndoStack>

#include "commands/cchangesets.h"
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
                                            UserInput::Normal, QString(), &ok)
                             .trimmed();
    if (!ok || name.isEmpty())
        return false;
    const QString wert = UserInput::getText(
        context.parent, title,
        tr("Gewählt, wenn die Zelle diesen Wert hat (leer: jede Antwort):"),
        UserInput::Normal, QString(), &ok);
    if (!ok)
        return false;
    MehrfachSet set;
    set.name = name;
    set.spalten = context.columns;
    set.wert = wert.trimmed();
    QVector<MehrfachSet> sets = MehrfachSets::von(context.model);
    sets << set;
    aendern(context, sets, tr("Mehrfachantworten-Set erstellen"));
    ViewRecord r;
    r.viewType = QStringLiteral("Mehrfachantworten");
    r.columns = set.spalten;
    r.title = name;
    r.notes = QLatin1String("");
    views.createFromRecord(r, 5);
    return true;
}

bool MehrfachSetBefehl::entfernen(const TableContext& context)
{
    const QVector<MehrfachSet> sets = MehrfachSets::von(context.model);
    if (sets.isEmpty())
        return false;
    QStringList names;
    for (const MehrfachSet& s : sets)
        names << s.name;
    bool ok = false;
    const QString title = tr("Mehrfachantworten-Set entfernen");
    const QString name =
        UserInput::getItem(context.parent, title, tr("Set:"), names, 0, false, &ok);
    // Names need not be unique: the first one chosen in the list is the set.
    const int i = int(names.indexOf(name));
    if (!ok || i < 0)
        return false;
    QVector<MehrfachSet> rest = sets;
    rest.remove(i);
    aendern(context, rest, title);
    return true;
}

void MehrfachSetBefehl::aendern(const TableContext& context, const QVector<MehrfachSet>& sets,
                                const QString& text)
{
    const QVector<MehrfachSet> before = MehrfachSets::von(context.model);
    if (context.undo)
        context.undo->push(new cChangeSets(context.model, before, sets, text));
    else
        MehrfachSets::of(context.model)->setSets(sets);
}
