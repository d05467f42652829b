#ifndef MEHRFACHSETBEFEHL_H
#define MEHRFACHSETBEFEHL_H

#include <QCoreApplication>
#include <QVector>

#include "core/mehrfachsets.h"

class ViewHost;
struct TableContext;

// "Mehrfachantworten-Set...": the selected columns become the options of one
// multiple-choice question, with a "Mehrfachantworten" view of it.
class MehrfachSetBefehl
{
    Q_DECLARE_TR_FUNCTIONS(MehrfachSetBefehl)
public:
    // Asks the name and the value that marks a chosen option (empty: any answer);
    // false when cancelled or without selected columns.
    static bool erstellen(const TableContext& context, ViewHost& views);
    // "Mehrfachantworten-Set entfernen...": asks which set goes (its views stay), as one
    // undo step. False when cancelled or without sets.
    static bool entfernen(const TableContext& context);

private:
    // One undo step where there is a stack (the window's); directly otherwise.
    static void aendern(const TableContext& context, const QVector<MehrfachSet>& sets,
                        const QString& text);
};

#endif
