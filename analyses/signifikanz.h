#ifndef SIGNIFIKANZ_H
#define SIGNIFIKANZ_H

#include <QString>
#include <QVector>

#include <boost/math/policies/policy.hpp>

// The tests of a crosstab: the pooled two-proportion z-test between two columns and
// Pearson's chi-square test of independence. The distributions come from Boost.Math.
class Signifikanz
{
public:
    // Errors of the distributions as NaN, never as exceptions: a table of any shape must
    // not bring the program down. Every test of the program uses it.
    using Policy = boost::math::policies::policy<
        boost::math::policies::domain_error<boost::math::policies::ignore_error>,
        boost::math::policies::overflow_error<boost::math::policies::ignore_error>,
        boost::math::policies::underflow_error<boost::math::policies::ignore_error>,
        boost::math::policies::evaluation_error<boost::math::policies::ignore_error>,
        boost::math::policies::pole_error<boost::math::policies::ignore_error>>;

    // Two-sided p-value of the pooled z-test of the proportions p1 and p2 observed on
    // bases of n1 and n2 (effective bases when weighted); NaN when there is nothing to
    // test (a base of 0, or a pooled share of 0 or 1).
    static double zTestP(double p1, double n1, double p2, double n2);

    // Upper tail of the chi-square distribution with df degrees of freedom at x; NaN
    // for df < 1 or x not a number.
    static double chiQuadratP(double x, int df);

    struct ChiQuadrat {
        bool berechnet = false;   // false: fewer than two filled rows or columns
        double wert = 0;          // Pearson's chi-square
        int df = 0;
        double p = 0;
        int erwartetUnter5 = 0;   // cells with an expected count below 5
    };
    // Pearson's test on a rows x cols table of observed counts (row after row). Rows and
    // columns without any count take no part: they have nothing expected.
    static ChiQuadrat chiQuadrat(const QVector<double>& table, int rows, int cols);

    // The letter of column i of a block: A ... Z, then AA, AB, ...
    static QString buchstabe(int i);
};

#endif
