#include "commands/fehlendewertebefehl.h"

#include <QSet>
#include "core/spaltenspeicher.h"
#include <QUndoStack>
#include <algorithm>

#include "commands/csetmissing.h"
#include "core/fehlendewerte.h"
#include "core/spaltencodes.h"
#include "core/userinput.h"

QStringList FehlendeWerteBefehl::antworten(const SpaltenSpeicher* model,
                                           const QVector<int>& columns)
{
    QSet<QString> texts;
    for (int c : columns) {
        const std::shared_ptr<const SpaltenCodes> cells = SpaltenCodes::read(model, c, false);
        for (const QVariant& v : cells->values) {
            const QString t = v.toString();
            if (!FehlendeWerte::leer(t))
                texts.insert(t);
        }
        for (const QString& code : FehlendeWerte::codes(model, c))
            texts.insert(code);
    }
    QStringList out(texts.cbegin(), texts.cend());
    std::sort(out.begin(), out.end());
    return out;
}

void FehlendeWerteBefehl::festlegen(const TableContext& ctx)
{
    if (!ctx.model || !ctx.undo || ctx.columns.isEmpty())
        return;
    const QStringList items = antworten(ctx.model, ctx.columns);
    QStringList ticked;
    for (int c : ctx.columns)
        for (const QString& code : FehlendeWerte::codes(ctx.model, c))
            if (!ticked.contains(code))
                ticked << code;
    bool ok = false;
    const QStringList chosen = UserInput::getChecked(
        ctx.parent, tr("Fehlende Werte"),
        tr("Antworten, die als fehlend gelten (nicht gezählt, nicht in Basis und "
           "Statistik):"),
        items, ticked, &ok);
    if (!ok)
        return;
    // Choosing what is in force already makes no undo step.
    QVector<int> changed;
    for (int c : ctx.columns)
        if (FehlendeWerte::codes(ctx.model, c) != chosen && !changed.contains(c))
            changed << c;
    if (changed.isEmpty())
        return;
    ctx.undo->beginMacro(tr("Fehlende Werte"));
    for (int c : changed)
        ctx.undo->push(new cSetMissing(ctx.model, c, FehlendeWerte::codes(ctx.model, c), chosen));
    ctx.undo->endMacro();
}
