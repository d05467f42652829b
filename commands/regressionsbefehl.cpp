#include "commands/regressionsbefehl.h"

#include <QStandardItemModel>

#include <cmath>

#include "core/fortschritt.h"
#include "core/userinput.h"
#include "core/waitcursor.h"
#include "commands/zaehlzelle.h"

QString RegressionsBefehl::message(const QVector<double>& x, const QVector<double>& y)
{
    const int n = int(std::min(x.size(), y.size()));
    bool allEqual = true;
    double sx = 0.0;
    double sy = 0.0;
    for (int i = 0; i < n; ++i) {
        sx += x.at(i);
        sy += y.at(i);
        allEqual = allEqual && x.at(i) == x.at(0);
    }
    const double mx = sx / n;
    const double my = sy / n;
    double sxy = 0.0;
    double sxx = 0.0;
    for (int i = 0; i < n; ++i) {
        sxy += (x.at(i) - mx) * (y.at(i) - my);
        sxx += (x.at(i) - mx) * (x.at(i) - mx);
    }
    // Equal x values leave the slope undefined; rounding of the mean can make Sxx a
    // tiny positive number then, so the values themselves are compared.
    if (allEqual || sxx == 0.0)
        return tr("Die Regressionsgerade ist nicht bestimmt:\nalle x-Werte sind gleich.");
    const double b = sxy / sxx;
    const double a = my - b * mx;
    const QString form = a < 0 ? tr("Die Gleichung der Regressionsgeraden lautet:\n\ty=%1*x-%2")
                               : tr("Die Gleichung der Regressionsgeraden lautet:\n\ty=%1*x+%2");
    return form.arg(b).arg(std::fabs(a));
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
        // Every row takes part: an empty cell is the value 0 here.
        for (int r = 0; r < rows; ++r) {
            if ((r & 0x3ff) == 0)
                work.step(r);
            x << ZaehlZelle::value(ctx.model, r, ctx.columns.at(0)).toDouble();
            y << ZaehlZelle::value(ctx.model, r, ctx.columns.at(1)).toDouble();
        }
        text = message(x, y);
    }
    UserInput::information(ctx.parent, tr("Lineare Regression"), text);
}
