#include "commands/gewichtungsbefehl.h"

#include "core/spaltenspeicher.h"
#include <QUndoStack>

#include "commands/csetweight.h"
#include "core/gewichtung.h"
#include "core/userinput.h"

QStringList Gewichtungsbefehl::auswahl(const SpaltenSpeicher* model)
{
    // Numbered: titles may repeat or be empty.
    QStringList items{tr("keine")};
    for (int c = 0; c < model->columnCount(); ++c)
        items << QStringLiteral("%1: %2").arg(c + 1).arg(
            model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString());
    return items;
}

void Gewichtungsbefehl::waehlen(const TableContext& ctx)
{
    if (!ctx.model || !ctx.undo)
        return;
    const int current = Gewichtung::spalteVon(ctx.model);
    bool ok = false;
    const QStringList items = auswahl(ctx.model);
    const QString chosen =
        UserInput::getItem(ctx.parent, tr("Gewichtung"), tr("Spalte mit den Gewichten"), items,
                           current + 1, false, &ok);
    if (!ok)
        return;
    const int index = int(items.indexOf(chosen));
    if (index < 0)
        return;
    const int column = index - 1;
    // Choosing what is in force already makes no undo step.
    if (column == current)
        return;
    ctx.undo->push(new cSetWeight(ctx.model, current, column));
}
