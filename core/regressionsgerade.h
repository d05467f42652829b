#ifndef REGRESSIONSGERADE_H
#define REGRESSIONSGERADE_H

#include <QString>
#include <QVector>

class QVariant;

// The least-squares line y = a + b·x through pairs of values: one rule for the
// regression command and the regression view. A pair with a value that is not finite
// is left out; without pairs, or when all x are equal, the line is not defined.
class Regressionsgerade
{
public:
    bool defined = false;
    double a = 0; // intercept
    double b = 0; // slope
    // Coefficient of determination: the share of y's variance the line explains; NaN
    // where the y values do not vary (there is nothing to explain).
    double r2 = 0;

    static Regressionsgerade fit(const QVector<double>& xs, const QVector<double>& ys);

    // The pair of values a row gives to the plot and the line: both cells numbers (in
    // the forms ZellenZahl reads) and finite. An empty or non-number cell is no answer,
    // not a 0, so its row takes no part; false then.
    static bool paar(const QVariant& xCell, const QVariant& yCell, double* x, double* y);

    // "y=<b>*x+<a>", with a minus sign only for a negative intercept; b and |a| with six
    // significant digits in the desktop's number format.
    QString equation() const;
    // "R² = 0.9876" (four significant digits, desktop format); empty where r2 is NaN.
    QString bestimmtheit() const;
};

#endif
