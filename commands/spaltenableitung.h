#ifndef SPALTENABLEITUNG_H
#define SPALTENABLEITUNG_H

#include "core/spaltenspeicher.h"
#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QVector>

#include "core/tablecontext.h"

class Fortschritt;

// Derives new columns from several selected ones: combining lists a row's answers,
// weighting sums them by factors. A weighted column remembers its sources and factors
// in its header, so that it can be weighted again in place.
class SpaltenAbleitung
{
    Q_DECLARE_TR_FUNCTIONS(SpaltenAbleitung)
public:
    static void combineColumns(const TableContext& ctx);
    static void weightColumns(const TableContext& ctx);

    // Factor text split at ";", or at "," when it holds no ";" (empty parts kept); a
    // part that is not a number in either form is 0.
    static QVector<double> parseFactors(const QString& text);
    // Stored 1-based source list back to column numbers; a part that is not a number
    // gives column -1.
    static QVector<int> parseSources(const QString& list);
    // Column numbers as the 1-based list stored in the header.
    static QString sourceList(const QVector<int>& columns);

    // One new cell per row (the caller owns them): the counted answers of the sources,
    // or their 1-based positions within the sources, joined by ",".
    static SpaltenSpeicher::Spalte combinedCells(const SpaltenSpeicher* model,
                                               const QVector<int>& sources, bool keepValues,
                                               Fortschritt* work = nullptr);
    // One new cell per row (the caller owns them): the sum of the counted sources
    // times their factors, as a double.
    static SpaltenSpeicher::Spalte weightedCells(const SpaltenSpeicher* model,
                                               const QVector<int>& sources,
                                               const QVector<double>& factors,
                                               Fortschritt* work = nullptr);

private:
    static bool factorsMatch(const TableContext& ctx, const QVector<double>& factors,
                             int sourceCount);
    static void markWeighted(const TableContext& ctx, int column, const QString& title,
                             const QVector<int>& sources, const QString& factorText);
};

#endif
