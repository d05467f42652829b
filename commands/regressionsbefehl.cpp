#include "commands/regressionsbefehl.h"

#include "core/spaltenspeicher.h"

#include "core/fortschritt.h"
#include "core/regressionsgerade.h"
#include "core/userinput.h"
#include "core/waitcursor.h"
#include "core/zahltext.h"
#include "commands/zaehlregel.h"

QString RegressionsBefehl::message(const QVector<double>& x, const QVector<double>& y)
{
    if (x.isEmpty() || y.isEmpty())
        return tr("Die Regressionsgerade ist nicht bestimmt:\nkeine Zeile hat in beiden Spalten eine Zahl.");
    const Regressionsgerade g = Regressionsgerade::fit(x, y);
    if (!g.defined)
        return tr("Die Regressionsgerade ist nicht bestimmt:\nalle x-Werte sind gleich.");
    return tr("Die Gleichung der Regressionsgeraden lautet:\n\t%1").arg(g.equation());
}

void RegressionsBefehl::linReg(const TableContext& ctx)
{
    if (ctx.columns.size() != 2)
        return;
    QString text;
    {
        WaitCursor wait;
        const int rows = ctx.model->rowCount();
        QVector<double> x;
        QVector<double> y;
        x.reserve(rows);
        y.reserve(rows);
        Fortschritt work(ctx.parent, tr("Regression wird berechnet..."), rows);
        // A row with an empty or non-number cell takes no part, as in the XY plot.
        for (int r = 0; r < rows; ++r) {
            if ((r & 0x3ff) == 0)
                work.step(r);
            double vx = 0;
            double vy = 0;
            if (Regressionsgerade::paar(ZaehlRegel::value(ctx.model, r, ctx.columns.at(0)),
                                        ZaehlRegel::value(ctx.model, r, ctx.columns.at(1)),
                                        &vx, &vy)) {
                x << vx;
                y << vy;
            }
        }
        text = message(x, y);
    }
    UserInput::information(ctx.parent, tr("Lineare Regression"), text);
}
