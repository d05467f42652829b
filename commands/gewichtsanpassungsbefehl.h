#ifndef GEWICHTSANPASSUNGSBEFEHL_H
#define GEWICHTSANPASSUNGSBEFEHL_H

#include <QCoreApplication>
#include <QStringList>

#include "core/gewichtsanpassung.h"
#include "core/tablecontext.h"

class SpaltenSpeicher;

// "Gewichte anpassen...": target shares for the answers of the selected questions; the
// weights fitted to them become a new column that weights the survey (one undo step).
class GewichtsanpassungsBefehl
{
    Q_DECLARE_TR_FUNCTIONS(GewichtsanpassungsBefehl)
public:
    static void anpassen(const TableContext& ctx);
    // Fits the weights of vorgabe to the survey (questions found by title); false, with
    // nothing computed, when a question is not there.
    static bool rechne(const SpaltenSpeicher* m, const Gewichtsanpassung::Vorgabe& vorgabe,
                       Gewichtsanpassung::Ergebnis* out);
    // Appends the weights as the column of vorgabe's title and weights the survey with
    // it; undoable when ctx.undo is set. Returns the new column.
    static int anhaengen(const TableContext& ctx, const Gewichtsanpassung::Vorgabe& vorgabe,
                         const QVector<double>& gewichte);
    // What the dialog reports of a fit.
    static QString bericht(const Gewichtsanpassung::Ergebnis& e);
};

#endif
