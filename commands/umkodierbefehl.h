#ifndef UMKODIERBEFEHL_H
#define UMKODIERBEFEHL_H

#include <QCoreApplication>
#include <QStringList>

#include "core/tablecontext.h"
#include "core/umkodierung.h"

class SpaltenSpeicher;

// "Umkodieren...": a new column from the first selected column, its answers grouped into
// categories or its numbers into bands; one undo step. The rule stays with the column.
class UmkodierBefehl
{
    Q_DECLARE_TR_FUNCTIONS(UmkodierBefehl)
public:
    static void umkodieren(const TableContext& ctx);
    // Appends the column of rule over source (undoable when undo is given, else at once,
    // as when a views file is applied); returns the new column.
    static int anhaengen(const TableContext& ctx, int source, const Umkodierung& rule,
                         const QString& title);
    // The distinct answers of a column as the views see them (no empty one), sorted,
    // with their counts.
    static QStringList antworten(const SpaltenSpeicher* m, int column, QVector<int>* counts);
    static QStringList arten();
};

#endif
