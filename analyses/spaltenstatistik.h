#ifndef SPALTENSTATISTIK_H
#define SPALTENSTATISTIK_H

#include <QStringList>
#include <QVector>

// The figures of the statistics table for one column, as the table shows them.
class SpaltenStatistik
{
public:
    // "Min", "Max", "Median", "Summe", "Durchschnitt", "Leer %", "Werte %",
    // "Standardabweichung", "n".
    static QStringList rowNames();

    // One column's figures. With weights, median, sum, mean and standard deviation are
    // weighted; the shares stay shares of the table's cells and n the counted cells.
    struct Kennzahlen {
        int n = 0;                 // counted values
        double min = 0, max = 0, median = 0;   // meaningless while n is 0
        double summe = 0, mittel = 0;
        double leerProzent = 0, werteProzent = 0;
        // Sample standard deviation (n - 1, or the effective base minus 1 when weighted);
        // NaN where it is not defined.
        double standardabweichung = 0;
        bool gewichtet = false;
        double gewichtSumme = 0;   // sum of the weights of the counted values
        double nEffektiv = 0;      // (sum of weights)^2 / sum of squared weights

        // The figures in row order; NaN where the table shows no number.
        QVector<double> zeilen() const;
    };
    // weights: one per value, or empty for the unweighted figures.
    static Kennzahlen rechnen(QVector<double> values, int rowCount,
                              const QVector<double>& weights = {});
    static QStringList texts(const Kennzahlen& k);

    // Ascending; NaN after every other value, so that the order is a strict one
    // (a NaN compared with < would leave std::sort undefined).
    static void sortValues(QVector<double>& values);

    // The texts for the counted values of a column and the table's row count
    // (all rows, counted or not). Without a counted value "Min", "Max" and "Median"
    // are empty; the other figures follow their formulas.
    static QStringList texts(QVector<double> values, int rowCount);

    // 'g' with 6 significant digits: "1.23457e+06", "2.5", "nan", "inf", with the
    // desktop's decimal separator.
    static QString number(double v);
};

#endif
