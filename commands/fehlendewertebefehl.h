#ifndef FEHLENDEWERTEBEFEHL_H
#define FEHLENDEWERTEBEFEHL_H

#include <QCoreApplication>
#include <QStringList>

#include "core/tablecontext.h"

class SpaltenSpeicher;

// "Fehlende Werte...": the user ticks, among the answers of the selected columns, those
// that count as no answer ("-99", "weiß nicht"); one undo step.
class FehlendeWerteBefehl
{
    Q_DECLARE_TR_FUNCTIONS(FehlendeWerteBefehl)
public:
    static void festlegen(const TableContext& ctx);
    // The answers offered for columns: every distinct answer as the table holds it
    // (blanks only left out: they are never an answer) and every code declared, sorted.
    static QStringList antworten(const SpaltenSpeicher* model, const QVector<int>& columns);
};

#endif
