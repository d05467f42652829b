#ifndef SKALENRECHNUNG_H
#define SKALENRECHNUNG_H

#include <QString>
#include <QVector>
#include <cmath>
#include <limits>

// The figures analysts report of rating scales, apart from any table: weighted means with
// Welch's t-test and the one-way ANOVA between groups, corrections for many tests, and
// the Net Promoter Score with its interval. Weighted figures take the effective base
// (sum of weights)^2 / (sum of squared weights) as their n; unweighted that is the count.
class SkalenRechnung
{
public:
    static constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

    // The sums of one group (a column of a crosstab) that its mean needs.
    struct Summen {
        double w = 0;     // sum of weights
        double wx = 0;    // sum of weight * value
        double wxx = 0;   // sum of weight * value^2
        double ww = 0;    // sum of squared weights
        int n = 0;        // respondents

        void add(double x, double weight)
        {
            w += weight;
            wx += weight * x;
            wxx += weight * x * x;
            ww += weight * weight;
            ++n;
        }
        double neff() const { return ww > 0 ? w * w / ww : 0.0; }
        double mittel() const { return w > 0 ? wx / w : NaN; }
        // Sample variance on the effective base; NaN below two respondents' worth.
        double varianz() const;
        double sd() const { return std::sqrt(varianz()); }
    };

    // Two-sided p of Welch's t-test between the means of two groups; NaN when there is
    // nothing to test (an effective base of 1 or less, or no spread in either group).
    static double welchP(const Summen& a, const Summen& b);

    struct Anova {
        bool berechnet = false;   // false: fewer than two groups, or no spread within
        double f = 0;
        double df1 = 0;
        double df2 = 0;
        double p = NaN;
    };
    // One-way ANOVA of the groups with a base; weighted on their effective bases.
    static Anova anova(const QVector<Summen>& gruppen);

    // Stored in files by number: append only.
    enum Korrektur { Ohne = 0, Bonferroni = 1, Holm = 2 };
    static constexpr int KorrekturAnzahl = 3;
    // The p-values corrected for their number; NaN (no test) stays NaN and does not count.
    static QVector<double> korrigiere(const QVector<double>& p, Korrektur k);

    // The letters of k groups from the p-values of their pairs (k x k, symmetric): each
    // group gets the letters of the groups its value is significantly above, upper case
    // at p < 0.01, lower case at p < 0.05 (after the correction over the block's pairs).
    // Of pPaare only the entries i * k + j with i < j are read.
    static QVector<QString> buchstaben(const QVector<double>& werte,
                                       const QVector<double>& pPaare, Korrektur k);

    // The Net Promoter Score of a 0-10 question: its groups' shares (0..1) of the
    // weighted base, the score in points (-100 .. 100) and its 95 % interval from the
    // variance of the difference of two shares of one sample.
    struct Nps {
        double basis = 0;   // sum of weights
        double neff = 0;
        int n = 0;
        double promotoren = NaN;
        double passive = NaN;
        double detraktoren = NaN;
        double wert = NaN;
        double se = NaN;     // in points
        double unten = NaN;
        double oben = NaN;
        bool berechnet() const { return n > 0 && basis > 0; }
    };
    struct NpsSummen {
        double w = 0, ww = 0, p = 0, d = 0;
        int n = 0;
        // A score outside 0..10 is not counted.
        void add(int score, double weight)
        {
            if (score < 0 || score > 10)
                return;
            w += weight;
            ww += weight * weight;
            if (score >= 9)
                p += weight;
            else if (score <= 6)
                d += weight;
            ++n;
        }
        Nps ergebnis() const;
    };
    // Two-sided p of the z-test of the difference of two independent scores.
    static double npsP(const Nps& a, const Nps& b);
};

#endif
