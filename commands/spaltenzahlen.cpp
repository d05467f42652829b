#include "commands/spaltenzahlen.h"

#include "core/spaltenspeicher.h"
#include <QUndoStack>

#include <cmath>
#include <functional>

#include "analyses/spaltenstatistik.h"
#include "core/fortschritt.h"
#include "core/userinput.h"
#include "core/waitcursor.h"
#include "core/zahltext.h"
#include "core/zellenzahl.h"
#include "commands/cinsertdatablock.h"
#include "commands/zaehlregel.h"
#include "core/fehlendewerte.h"

namespace {
// Gives the counted cells of the selected columns new values in one undo step. convert
// gets a column's counted values and returns their new values, or nothing to leave the
// column as it is.
void changeCountedCells(const TableContext& ctx, const QString& macro, const QString& progress,
                        const std::function<QVector<QVariant>(const QVector<QVariant>&)>& convert)
{
    if (ctx.columns.isEmpty())
        return;
    WaitCursor wait;
    ctx.undo->beginMacro(macro);
    auto* block = new cInsertDataBlock(ctx.model);
    block->setTable(ctx.table);
    const int rows = ctx.model->rowCount();
    {
        Fortschritt work(ctx.parent, progress, qint64(rows) * ctx.columns.size());
        qint64 done = 0;
        for (int column : ctx.columns) {
            QVector<int> counted;
            QVector<QVariant> before;
            for (int r = 0; r < rows; ++r) {
                if ((r & 0x3ff) == 0)
                    work.step(done + r);
                const QVariant v = ZaehlRegel::value(ctx.model, r, column);
                if (!ZaehlRegel::isCounted(v))
                    continue;
                counted << r;
                before << v;
            }
            done += rows;
            QVector<QVariant> after = convert(before);
            if (!after.isEmpty())
                block->addColumn(column, std::move(counted), std::move(before), std::move(after));
        }
    }
    if (block->cellCount() > 0)
        ctx.undo->push(block);
    else
        delete block;
    ctx.undo->endMacro();
}
}

void SpaltenZahlen::numericColumns(const TableContext& ctx)
{
    changeCountedCells(ctx, tr("Spalte als Zahlen"), tr("Spalten werden umgewandelt..."),
                       [](const QVector<QVariant>& before) {
                           // Always stored as a double, even where the text already reads
                           // as the number.
                           QVector<QVariant> after;
                           after.reserve(before.size());
                           for (const QVariant& v : before)
                               after << QVariant(ZellenZahl::toDouble(v));
                           return after;
                       });
}

void SpaltenZahlen::normalizeColumns(const TableContext& ctx)
{
    changeCountedCells(ctx, tr("Spalte in Prozent"), tr("Spalten werden umgerechnet..."),
                       [](const QVector<QVariant>& before) {
                           double sum = 0.0;
                           for (const QVariant& v : before)
                               sum += ZellenZahl::toDouble(v);
                           // A total of 0 (or beyond the doubles) has no percentages: the
                           // column stays as it is rather than filling with inf and nan.
                           QVector<QVariant> after;
                           if (sum == 0.0 || !std::isfinite(sum))
                               return after;
                           after.reserve(before.size());
                           for (const QVariant& v : before)
                               after << QVariant(ZellenZahl::toDouble(v) / sum * 100.0);
                           return after;
                       });
}

SpaltenZahlen::Kennzahlen SpaltenZahlen::compute(QVector<double> values, int columnCount,
                                                 int rowCount)
{
    Kennzahlen k;
    // NaN last, as in the statistics table: compared with <, it leaves the order undefined.
    SpaltenStatistik::sortValues(values);
    const int n = int(values.size());
    const double cells = double(columnCount) * double(rowCount);
    k.count = n;
    k.hasValues = n > 0;
    if (k.hasValues) {
        k.minimum = values.first();
        k.maximum = values.last();
        k.median = values.at(n / 2);
    }
    for (double v : qAsConst(values))
        k.sum += v;
    k.average = k.sum / n;
    k.emptyCount = cells - n;
    k.emptyShare = k.emptyCount / cells * 100;
    k.valueShare = n * 100.0 / cells;
    return k;
}

QString SpaltenZahlen::statText(const QVector<int>& columns, const Kennzahlen& k)
{
    QString list;
    for (int c : columns)
        list += QString::number(c + 1) + QLatin1Char(' ');
    // Without a counted value there is no smallest, largest or middle one to show.
    const auto shown = [&k](double v) { return k.hasValues ? ZahlText::shown(v) : QString(); };
    return tr("Statistik für Spalte: %1\n\nMinimum: %2\nMaximum: %3\nDurchschnitt: %4\nMedian: "
              "%5\nSumme: %6\nLeer: %7 (%8%)\nWerte: %9 (%10%)\n")
        .arg(list)
        .arg(shown(k.minimum))
        .arg(shown(k.maximum))
        .arg(ZahlText::shown(k.average))
        .arg(shown(k.median))
        .arg(ZahlText::shown(k.sum))
        .arg(ZahlText::shown(k.emptyCount))
        .arg(ZahlText::shown(k.emptyShare))
        .arg(k.count)
        .arg(ZahlText::shown(k.valueShare));
}

void SpaltenZahlen::statColumns(const TableContext& ctx)
{
    if (ctx.columns.isEmpty())
        return;
    QString text;
    {
        WaitCursor wait;
        const int rows = ctx.model->rowCount();
        QVector<double> values;
        Fortschritt work(ctx.parent, tr("Statistik wird berechnet..."),
                         qint64(rows) * ctx.columns.size());
        qint64 done = 0;
        for (int column : ctx.columns) {
            // Answers declared missing are no values of the statistic.
            const QStringList missing = FehlendeWerte::codes(ctx.model, column);
            for (int r = 0; r < rows; ++r) {
                if ((r & 0x3ff) == 0)
                    work.step(done + r);
                const QVariant v = ZaehlRegel::value(ctx.model, r, column);
                if (ZaehlRegel::isCounted(v) && !FehlendeWerte::erklaert(v, missing))
                    values << ZellenZahl::toDouble(v);
            }
            done += rows;
        }
        text = statText(ctx.columns, compute(values, int(ctx.columns.size()), rows));
    }
    UserInput::information(ctx.parent, tr("Statistik"), text);
}
