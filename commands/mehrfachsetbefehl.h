#ifndef MEHRFACHSETBEFEHL_H
#define MEHRFACHSETBEFEHL_H

#include <QCoreApplication>

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
};

#endif
