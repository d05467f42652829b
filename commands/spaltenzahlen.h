#ifndef SPALTENZAHLEN_H
#define SPALTENZAHLEN_H

#include <QCoreApplication>
#include <QString>
#include <QVector>

#include "core/tablecontext.h"

// Turns the answers of the selected columns into numbers or into percentages of their
// column's total, and summarises them in a message.
class SpaltenZahlen
{
    Q_DECLARE_TR_FUNCTIONS(SpaltenZahlen)
public:
    // Figures of the pooled counted values of k columns of R rows each.
    struct Kennzahlen {
        int count = 0;              // n, the counted values
        bool hasValues = false;     // minimum, maximum and median exist
        double minimum = 0;
        double maximum = 0;
        double median = 0;          // element n / 2 of the sorted values
        double sum = 0;
        double average = 0;         // sum / n
        double emptyCount = 0;      // k * R - n
        double emptyShare = 0;      // in percent of k * R
        double valueShare = 0;      // in percent of k * R
    };

    static void numericColumns(const TableContext& ctx);
    static void normalizeColumns(const TableContext& ctx);
    static void statColumns(const TableContext& ctx);

    static Kennzahlen compute(QVector<double> values, int columnCount, int rowCount);
    // The text of the statistics message for the given (0-based) columns.
    static QString statText(const QVector<int>& columns, const Kennzahlen& k);
};

#endif
