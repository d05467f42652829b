#ifndef SPALTENSTATISTIK_H
#define SPALTENSTATISTIK_H

#include <QStringList>
#include <QVector>

// The seven figures of the statistics table for one column, as the table shows them.
class SpaltenStatistik
{
public:
    // "Min", "Max", "Median", "Summe", "Durchschnitt", "Leer %", "Werte %".
    static QStringList rowNames();

    // Ascending; NaN after every other value, so that the order is a strict one
    // (a NaN compared with < would leave std::sort undefined).
    static void sortValues(QVector<double>& values);

    // The seven texts for the counted values of a column and the table's row count
    // (all rows, counted or not). Without a counted value "Min", "Max" and "Median"
    // are empty; the other figures follow their formulas.
    static QStringList texts(QVector<double> values, int rowCount);

    // 'g' with 6 significant digits: "1.23457e+06", "2.5", "nan", "inf", with the
    // desktop's decimal separator.
    static QString number(double v);
};

#endif
