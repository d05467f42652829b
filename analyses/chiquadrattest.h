#ifndef CHIQUADRATTEST_H
#define CHIQUADRATTEST_H

#include <QStringList>
#include <QVector>
#include <functional>

// The chi-square goodness-of-fit computation against a normal distribution, apart
// from the view that shows it.
class ChiQuadratTest
{
public:
    // The density's normalising constant as the test has always used it (a little
    // below the square root of 2 pi).
    static constexpr double Root2Pi = 2.5066280138863846;
    static constexpr double Step = 0.0001;

    struct Result {
        // False with fewer than two distinct finite values: no classes can be formed.
        bool defined = false;
        int count = 0;             // n, the counted values
        double lo = 0, hi = 0;     // extremes of the finite values
        QStringList labels;        // class midpoints
        QVector<double> observed;  // values per class
        QVector<double> expected;  // n times the class probability
        double chi2 = 0;
    };

    // m classes of equal width over the range of the values, closed below and open
    // above; the largest value counts in the last class. w(upper, lower) gives the
    // probability of a class.
    static Result compute(const QVector<double>& values, int m,
                          const std::function<double(double, double)>& w);

    // The mean and the standard deviation (n - 1) of the finite values, where they
    // can be tested (as compute() needs: two distinct finite values); false otherwise.
    static bool startParameters(const QVector<double>& values, double* mean, double* deviation);

    // Probability mass of N(mean, deviation) between lower and upper, summed in steps
    // of Step from lower; 0 unless lower < upper. A range that would take more than a
    // million steps, or where a step no longer moves x, is integrated in closed form
    // instead: the sum would hang the program.
    static double probability(double upper, double lower, double mean, double deviation);
};

#endif
