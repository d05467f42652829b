#ifndef GEWICHTSANPASSUNG_H
#define GEWICHTSANPASSUNG_H

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

// Weights fitted to population margins (raking, iterative proportional fitting): every
// question's answers get their target shares among the respondents who answered it.
class Gewichtsanpassung
{
public:
    // The target shares of one question.
    struct Ziel
    {
        QString frage;           // the column's title
        QStringList antworten;
        QVector<double> prozent; // per answer, in percent (summing to 100)
    };
    // What the user set: the targets, the trimming range (0, 0: none) and the column.
    struct Vorgabe
    {
        QVector<Ziel> ziele;
        double minimum = 0;
        double maximum = 0;
        QString titel;

        QByteArray speichern() const;
        static bool laden(const QByteArray& bytes, Vorgabe* out);
    };
    struct Ergebnis
    {
        QVector<double> gewichte;  // per row, mean 1 over the rows with a weight
        int iterationen = 0;
        double abweichung = 0;     // largest deviation of a margin, percentage points
        bool konvergiert = false;
        double effizienz = 0;      // Kish: (Σw)² / (n Σw²)
        double effektiv = 0;       // (Σw)² / Σw²
    };

    // Per question and row the index of the answer (-1: not answered, that question
    // leaves the row's weight alone); shares per question as fractions of 1. Trimming
    // (when maximum > 0) keeps weights within minimum..maximum times the mean. Converged
    // when every margin is within 0.1 percentage points; fitted on to 1e-9.
    static Ergebnis rechne(const QVector<QVector<int>>& antwort,
                           const QVector<QVector<double>>& anteile, double minimum = 0,
                           double maximum = 0, int maxIterationen = 1000);

    // The effective base of weights: (Σw)² / Σw² (0 without weight).
    static double effektiveBasis(const QVector<double>& w);
    // "0,2–5" or "0.2-5": the trimming range; false when it is not two numbers with
    // 0 <= min < 1 < max. An empty text is no trimming (both 0).
    static bool leseGrenzen(const QString& text, double* minimum, double* maximum);
};

#endif
