#include "commands/gewichtsanpassungsbefehl.h"

#include <QHash>
#include <QStandardItemModel>
#include <QUndoStack>
#include <cmath>

#include "commands/cappendcolumn.h"
#include "commands/csetweight.h"
#include "commands/umkodierbefehl.h"
#include "core/gewichtung.h"
#include "core/roles.h"
#include "core/spaltencodes.h"
#include "core/userinput.h"
#include "core/waitcursor.h"
#include "core/zahltext.h"
#include "core/zellenzahl.h"

namespace {
// The new column and the weighting by it, in one step; the targets stay with the column.
class cAppendFittedWeight : public QUndoCommand
{
public:
    cAppendFittedWeight(QStandardItemModel* m, const QList<QStandardItem*>& items,
                        const QString& title, const QByteArray& targets, Tabelle1* table)
        : m_model(m)
        , m_targets(targets)
        , m_append(new cAppendColumn(m, items, title))
    {
        setText(QStringLiteral("Gewichte anpassen"));
        m_append->setTable(table);
    }
    ~cAppendFittedWeight() override
    {
        delete m_weight;
        delete m_append;
    }
    void redo() override
    {
        m_append->redo();
        const int k = m_model->columnCount() - 1;
        m_model->setHeaderData(k, Qt::Horizontal, m_targets, Roles::WeightTargets);
        if (!m_weight)
            m_weight = new cSetWeight(m_model, Gewichtung::spalteVon(m_model), k);
        m_weight->redo();
    }
    void undo() override
    {
        m_weight->undo();
        m_append->undo();
    }

private:
    QStandardItemModel* m_model;
    QByteArray m_targets;
    cAppendColumn* m_append;
    cSetWeight* m_weight = nullptr;
};

int spalteMitTitel(const QStandardItemModel* m, const QString& titel)
{
    for (int c = 0; c < m->columnCount(); ++c)
        if (m->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString() == titel)
            return c;
    return -1;
}

QString prozentText(double v, int decimals)
{
    return ZahlText::shown(v, 'f', decimals);
}
}

bool GewichtsanpassungsBefehl::rechne(const QStandardItemModel* m,
                                      const Gewichtsanpassung::Vorgabe& vorgabe,
                                      Gewichtsanpassung::Ergebnis* out)
{
    QVector<QVector<int>> antwort;
    QVector<QVector<double>> anteile;
    for (const Gewichtsanpassung::Ziel& z : vorgabe.ziele) {
        const int c = spalteMitTitel(m, z.frage);
        if (c < 0)
            return false;
        QHash<QString, int> index;
        for (int i = 0; i < z.antworten.size(); ++i)
            index.insert(z.antworten.at(i), i);
        const std::shared_ptr<const SpaltenCodes> cells = SpaltenCodes::of(m, c);
        QVector<int> proCode(cells->values.size(), -1);
        for (int i = 0; i < cells->values.size(); ++i) {
            const QVariant& v = cells->values.at(i);
            const QString t = v.isValid() ? v.toString() : QString();
            // An answer without a target weighs nothing in that question's margin.
            proCode[i] = t.isEmpty() ? -1 : index.value(t, -2);
        }
        QVector<int> a;
        a.reserve(cells->codes.size());
        for (int code : cells->codes)
            a << proCode.at(code);
        antwort << a;
        QVector<double> p;
        for (double x : z.prozent)
            p << x / 100.0;
        anteile << p;
    }
    // Respondents whose answer has no target get no weight in the fit: their weight is 0.
    for (QVector<int>& a : antwort)
        for (int& x : a)
            if (x == -2)
                x = -1;
    *out = Gewichtsanpassung::rechne(antwort, anteile, vorgabe.minimum, vorgabe.maximum);
    return true;
}

int GewichtsanpassungsBefehl::anhaengen(const TableContext& ctx,
                                        const Gewichtsanpassung::Vorgabe& vorgabe,
                                        const QVector<double>& gewichte)
{
    QList<QStandardItem*> items;
    items.reserve(gewichte.size());
    for (double w : gewichte) {
        auto* it = new QStandardItem;
        it->setData(w, Qt::DisplayRole);
        items << it;
    }
    auto* cmd = new cAppendFittedWeight(ctx.model, items, vorgabe.titel, vorgabe.speichern(),
                                        ctx.table);
    if (ctx.undo) {
        ctx.undo->push(cmd);
    } else {
        cmd->redo();
        delete cmd;   // the column's cells now belong to the table
    }
    return ctx.model->columnCount() - 1;
}

QString GewichtsanpassungsBefehl::bericht(const Gewichtsanpassung::Ergebnis& e)
{
    return tr("Schritte: %1\nGrößte Abweichung: %2 Prozentpunkte\nEffizienz (Kish): %3 %\n"
              "Effektive Basis: %4 von %5")
        .arg(e.iterationen)
        .arg(prozentText(e.abweichung, 4), prozentText(e.effizienz * 100, 1),
             prozentText(e.effektiv, 0))
        .arg(e.gewichte.size());
}

void GewichtsanpassungsBefehl::anpassen(const TableContext& ctx)
{
    if (!ctx.model || !ctx.undo || ctx.columns.isEmpty())
        return;
    Gewichtsanpassung::Vorgabe vorgabe;
    bool ok = false;
    for (int c : ctx.columns) {
        Gewichtsanpassung::Ziel z;
        z.frage = ctx.model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        QVector<int> counts;
        z.antworten = UmkodierBefehl::antworten(ctx.model, c, &counts);
        int total = 0;
        for (int n : counts)
            total += n;
        double summe = 0;
        for (int i = 0; i < z.antworten.size(); ++i) {
            // The sample's share is offered: only the answers to change need typing.
            const double p = UserInput::getDouble(
                ctx.parent, tr("Gewichte anpassen"),
                tr("%1: Zielanteil von „%2“ in %").arg(z.frage, z.antworten.at(i)),
                total > 0 ? 100.0 * counts.at(i) / total : 0.0, 0.0, 100.0, 2, &ok);
            if (!ok)
                return;
            z.prozent << p;
            summe += p;
        }
        if (std::fabs(summe - 100.0) > 0.1) {
            UserInput::warning(ctx.parent, tr("Gewichte anpassen"),
                               tr("Die Zielanteile von „%1“ ergeben %2 % statt 100 %.")
                                   .arg(z.frage, prozentText(summe, 1)));
            return;
        }
        vorgabe.ziele << z;
    }
    const QString range = UserInput::getText(
        ctx.parent, tr("Gewichte anpassen"),
        tr("Gewichte begrenzen auf (z. B. 0,2–5; leer: nicht begrenzen)"), UserInput::Normal,
        QString(), &ok);
    if (!ok)
        return;
    if (!Gewichtsanpassung::leseGrenzen(range, &vorgabe.minimum, &vorgabe.maximum)) {
        UserInput::warning(ctx.parent, tr("Gewichte anpassen"),
                           tr("„%1“ ist kein Bereich wie 0,2–5.").arg(range));
        return;
    }
    vorgabe.titel = UserInput::getText(ctx.parent, tr("Gewichte anpassen"),
                                       tr("Titel der neuen Spalte"), UserInput::Normal,
                                       tr("Gewicht"), &ok);
    if (!ok)
        return;
    Gewichtsanpassung::Ergebnis e;
    {
        WaitCursor wait;
        rechne(ctx.model, vorgabe, &e);
    }
    if (!e.konvergiert) {
        UserInput::warning(ctx.parent, tr("Gewichte anpassen"),
                           tr("Die Anpassung konvergiert nicht: keine neue Spalte.\n") + bericht(e));
        return;
    }
    anhaengen(ctx, vorgabe, e.gewichte);
    UserInput::information(ctx.parent, tr("Gewichte anpassen"), bericht(e));
}
