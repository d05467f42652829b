#ifndef REGRESSIONSBEFEHL_H
#define REGRESSIONSBEFEHL_H

#include <QCoreApplication>
#include <QString>
#include <QVector>

#include "core/tablecontext.h"

// Reports the least-squares line through two selected columns (first x, second y).
class RegressionsBefehl
{
    Q_DECLARE_TR_FUNCTIONS(RegressionsBefehl)
public:
    static void linReg(const TableContext& ctx);
    // The message for the pairs (x[i], y[i]) that take part.
    static QString message(const QVector<double>& x, const QVector<double>& y);
};

#endif
