#include "commands/umkodierbefehl.h"

#include <QHash>
#include <QStandardItemModel>
#include <QUndoStack>
#include <algorithm>

#include "commands/cappendrecode.h"
#include "core/spaltencodes.h"
#include "core/userinput.h"
#include "core/waitcursor.h"

QStringList UmkodierBefehl::arten()
{
    return {tr("Antworten gruppieren"), tr("Gleich breite Bereiche"),
            tr("Gleich viele Antworten (Quantile)"), tr("Eigene Grenzen")};
}

QStringList UmkodierBefehl::antworten(const QStandardItemModel* m, int column, QVector<int>* counts)
{
    const std::shared_ptr<const SpaltenCodes> cells = SpaltenCodes::of(m, column);
    QVector<int> perCode(cells->values.size(), 0);
    for (int c : cells->codes)
        ++perCode[c];
    QHash<QString, int> n;
    for (int i = 0; i < cells->values.size(); ++i) {
        const QString t = cells->values.at(i).isValid() ? cells->values.at(i).toString() : QString();
        if (!t.isEmpty())
            n[t] += perCode.at(i);
    }
    QStringList out = n.keys();
    std::sort(out.begin(), out.end());
    if (counts) {
        counts->clear();
        for (const QString& t : std::as_const(out))
            *counts << n.value(t);
    }
    return out;
}

int UmkodierBefehl::anhaengen(const TableContext& ctx, int source, const Umkodierung& rule,
                              const QString& title)
{
    const QStringList texts = rule.berechne(ctx.model, source);
    QList<QStandardItem*> items;
    items.reserve(texts.size());
    for (const QString& t : texts)
        items << new QStandardItem(t);
    auto* cmd = new cAppendRecode(ctx.model, items, title, rule, ctx.table);
    if (ctx.undo) {
        ctx.undo->push(cmd);
    } else {
        cmd->redo();
        delete cmd;   // the column's cells now belong to the table
    }
    return ctx.model->columnCount() - 1;
}

void UmkodierBefehl::umkodieren(const TableContext& ctx)
{
    if (!ctx.model || !ctx.undo || ctx.columns.isEmpty())
        return;
    const int source = ctx.columns.first();
    Umkodierung rule;
    rule.quelle = ctx.model->headerData(source, Qt::Horizontal, Qt::DisplayRole).toString();
    rule.quellSpalte = source;
    bool ok = false;
    const QStringList kinds = arten();
    const QString kind = UserInput::getItem(ctx.parent, tr("Umkodieren"), tr("Art der Umkodierung"),
                                            kinds, 0, false, &ok);
    if (!ok || !kinds.contains(kind))
        return;
    rule.art = Umkodierung::Art(kinds.indexOf(kind));
    switch (rule.art) {
    case Umkodierung::Gruppen: {
        QVector<int> counts;
        const QStringList answers = antworten(ctx.model, source, &counts);
        QStringList categories;
        for (int i = 0; i < answers.size(); ++i) {
            // The categories named so far are offered again: several answers, one name.
            const QString name = UserInput::getItem(
                ctx.parent, tr("Umkodieren"),
                tr("„%1“ (%2 Antworten): neue Kategorie (leer: nicht zugeordnet)")
                    .arg(answers.at(i))
                    .arg(counts.at(i)),
                QStringList{QString()} + categories, 0, true, &ok).trimmed();
            if (!ok)
                return;
            if (name.isEmpty())
                continue;
            rule.antworten << answers.at(i);
            rule.kategorien << name;
            if (!categories.contains(name))
                categories << name;
        }
        rule.uebrigeBehalten =
            UserInput::question(ctx.parent, tr("Umkodieren"),
                                tr("Nicht zugeordnete Antworten behalten?"),
                                UserInput::Yes | UserInput::No, UserInput::Yes)
            != UserInput::No;
        break;
    }
    case Umkodierung::GleicheBreite:
    case Umkodierung::GleicheAnzahl:
        rule.baender = UserInput::getInt(ctx.parent, tr("Umkodieren"), tr("Anzahl der Bereiche"),
                                         4, 1, 100, 1, &ok);
        if (!ok)
            return;
        break;
    case Umkodierung::Grenzen: {
        const QString text = UserInput::getText(
            ctx.parent, tr("Umkodieren"),
            tr("Untere Grenzen der Bereiche, durch \";\" getrennt (z. B. 18;30;45;65)"),
            UserInput::Normal, QString(), &ok);
        if (!ok || !Umkodierung::leseGrenzen(text, &rule.grenzen))
            return;
        break;
    }
    }
    const QString title = UserInput::getText(ctx.parent, tr("Umkodieren"),
                                             tr("Titel der neuen Spalte"), UserInput::Normal,
                                             rule.quelle + tr(" (umkodiert)"), &ok);
    if (!ok)
        return;
    WaitCursor wait;
    anhaengen(ctx, source, rule, title);
}
