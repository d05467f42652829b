#ifndef GEWICHTUNGSBEFEHL_H
#define GEWICHTUNGSBEFEHL_H

#include <QCoreApplication>
#include <QStringList>

#include "core/tablecontext.h"

class SpaltenSpeicher;

// "Gewichtung...": lets the user choose the column of weights, or none, for every
// counting view; one undo step.
class Gewichtungsbefehl
{
    Q_DECLARE_TR_FUNCTIONS(Gewichtungsbefehl)
public:
    static void waehlen(const TableContext& ctx);
    // The choices offered: "keine", then "<n>: <title>" per column (n counted from 1).
    static QStringList auswahl(const SpaltenSpeicher* model);
};

#endif
