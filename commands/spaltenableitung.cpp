#include "commands/spaltenableitung.h"

#include <QStandardItemModel>
#include <QStringList>
#include <QUndoStack>

#include "core/fortschritt.h"
#include "core/roles.h"
#include "core/userinput.h"
#include "core/waitcursor.h"
#include "core/zellenzahl.h"
#include "commands/cappendcolumn.h"
#include "commands/creplacecolumn.h"
#include "commands/spaltenbearbeitung.h"
#include "commands/zaehlregel.h"

QVector<double> SpaltenAbleitung::parseFactors(const QString& text)
{
    // ";" lets a factor carry a decimal comma ("0,5; 2"). Without one the text is the
    // older list split at "," ("0.5,2"), as weighted columns in saved files hold it.
    const QChar separator = text.contains(QLatin1Char(';')) ? QLatin1Char(';')
                                                            : QLatin1Char(',');
    QVector<double> factors;
    const QStringList parts = text.split(separator);
    for (const QString& p : parts) {
        double v = 0;
        ZellenZahl::read(p, &v);
        factors << v;
    }
    return factors;
}

QVector<int> SpaltenAbleitung::parseSources(const QString& list)
{
    QVector<int> columns;
    const QStringList parts = list.split(QLatin1Char(','));
    for (const QString& p : parts)
        columns << p.toInt() - 1;
    return columns;
}

QString SpaltenAbleitung::sourceList(const QVector<int>& columns)
{
    QStringList parts;
    for (int c : columns)
        parts << QString::number(c + 1);
    return parts.join(QLatin1Char(','));
}

QList<QStandardItem*> SpaltenAbleitung::combinedCells(const QStandardItemModel* model,
                                                      const QVector<int>& sources,
                                                      bool keepValues, Fortschritt* work)
{
    QList<QStandardItem*> items;
    const int rows = model->rowCount();
    items.reserve(rows);
    for (int r = 0; r < rows; ++r) {
        if (work && (r & 0x3ff) == 0)
            work->step(r);
        QString text;
        for (int j = 0; j < sources.size(); ++j) {
            const QVariant v = ZaehlRegel::value(model, r, sources.at(j));
            if (!ZaehlRegel::isCounted(v))
                continue;
            if (!text.isEmpty())
                text += QLatin1Char(',');
            text += keepValues ? v.toString() : QString::number(j + 1);
        }
        items << new QStandardItem(text);
    }
    return items;
}

QList<QStandardItem*> SpaltenAbleitung::weightedCells(const QStandardItemModel* model,
                                                      const QVector<int>& sources,
                                                      const QVector<double>& factors,
                                                      Fortschritt* work)
{
    QList<QStandardItem*> items;
    const int rows = model->rowCount();
    const int n = int(std::min(sources.size(), factors.size()));
    items.reserve(rows);
    for (int r = 0; r < rows; ++r) {
        if (work && (r & 0x3ff) == 0)
            work->step(r);
        double sum = 0.0;
        for (int j = 0; j < n; ++j) {
            const QVariant v = ZaehlRegel::value(model, r, sources.at(j));
            if (ZaehlRegel::isCounted(v))
                sum += ZellenZahl::toDouble(v) * factors.at(j);
        }
        auto* item = new QStandardItem;
        item->setData(sum, Qt::DisplayRole);
        items << item;
    }
    return items;
}

void SpaltenAbleitung::combineColumns(const TableContext& ctx)
{
    if (ctx.columns.size() < 2)
        return;
    const QVector<int> sources = ctx.columns;
    bool ok = false;
    const QString title = UserInput::getText(ctx.parent, tr("Zusammenfügen"),
                                             tr("Titel der neuen Spalte"), UserInput::Normal,
                                             QString(), &ok);
    if (!ok)
        return;
    const bool keepValues =
        UserInput::question(ctx.parent, tr("Zusammenfügen"), tr("Werte beibehalten?"),
                            UserInput::Yes | UserInput::No, UserInput::Yes)
        != UserInput::No;

    WaitCursor wait;
    ctx.undo->beginMacro(tr("Spalten zusammenfassen"));
    QList<QStandardItem*> cells;
    {
        Fortschritt work(ctx.parent, tr("Spalten werden zusammengefasst..."),
                         ctx.model->rowCount());
        cells = combinedCells(ctx.model, sources, keepValues, &work);
    }
    auto* append = new cAppendColumn(ctx.model, cells, title);
    append->setTable(ctx.table);
    ctx.undo->push(append);
    SpaltenBearbeitung::hideColumns(ctx);
    const int k = ctx.model->columnCount() - 1;
    const QString list = sourceList(sources);
    ctx.model->setHeaderData(k, Qt::Horizontal, QStringLiteral("combined"),
                             Roles::DerivationKind);
    ctx.model->setHeaderData(k, Qt::Horizontal, list, Roles::DerivationSources);
    ctx.model->setHeaderData(k, Qt::Horizontal, title + tr("\nZusammengefasst:\nSpalte:") + list,
                             Qt::ToolTipRole);
    ctx.undo->endMacro();
}

bool SpaltenAbleitung::factorsMatch(const TableContext& ctx, const QVector<double>& factors,
                                    int sourceCount)
{
    if (factors.size() == sourceCount)
        return true;
    UserInput::warning(ctx.parent, tr("Gewichten"),
                       tr("Die Zahl der Faktoren stimmt nicht\nmit der Zahl der markierten "
                          "Spalten\nüberein!"));
    return false;
}

void SpaltenAbleitung::markWeighted(const TableContext& ctx, int column, const QString& title,
                                    const QVector<int>& sources, const QString& factorText)
{
    const QString list = sourceList(sources);
    QStandardItemModel* m = ctx.model;
    m->setHeaderData(column, Qt::Horizontal, QStringLiteral("weight"), Roles::DerivationKind);
    m->setHeaderData(column, Qt::Horizontal, factorText, Roles::DerivationParameter);
    m->setHeaderData(column, Qt::Horizontal, list, Roles::DerivationSources);
    m->setHeaderData(column, Qt::Horizontal,
                     title + tr("\nGewichtet:\nSpalte:") + list + tr("\nFaktor:") + factorText,
                     Qt::ToolTipRole);
}

void SpaltenAbleitung::weightColumns(const TableContext& ctx)
{
    QStandardItemModel* m = ctx.model;
    const QString factorLabel =
        tr("Geben sie Gewichtungsfaktoren durch Semikolon getrennt ein.");
    bool ok = false;

    if (ctx.columns.size() == 1) {
        const int c = ctx.columns.first();
        if (m->headerData(c, Qt::Horizontal, Roles::DerivationKind).toString()
            != QLatin1String("weight"))
            return;
        const QString title = m->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        const QString stored =
            m->headerData(c, Qt::Horizontal, Roles::DerivationParameter).toString();
        const QVector<int> sources =
            parseSources(m->headerData(c, Qt::Horizontal, Roles::DerivationSources).toString());
        const QString factorText = UserInput::getText(ctx.parent, tr("Gewichten"), factorLabel,
                                                      UserInput::Normal, stored, &ok);
        if (!ok)
            return;
        const QVector<double> factors = parseFactors(factorText);
        if (!factorsMatch(ctx, factors, int(sources.size())))
            return;
        WaitCursor wait;
        ctx.undo->beginMacro(tr("Spalten gewichten"));
        QList<QStandardItem*> cells;
        {
            Fortschritt work(ctx.parent, tr("Spalte wird gewichtet..."), m->rowCount());
            cells = weightedCells(m, sources, factors, &work);
        }
        auto* replace = new cReplaceColumn(m, cells, title, c);
        replace->setTable(ctx.table);
        ctx.undo->push(replace);
        markWeighted(ctx, c, title, sources, factorText);
        ctx.undo->endMacro();
        return;
    }
    if (ctx.columns.size() < 2)
        return;

    const QVector<int> sources = ctx.columns;
    const QString title = UserInput::getText(ctx.parent, tr("Gewichten"),
                                             tr("Titel der neuen Spalte"), UserInput::Normal,
                                             QString(), &ok);
    if (!ok)
        return;
    const QString factorText = UserInput::getText(ctx.parent, tr("Gewichten"), factorLabel,
                                                  UserInput::Normal, QString(), &ok);
    if (!ok)
        return;
    const QVector<double> factors = parseFactors(factorText);
    if (!factorsMatch(ctx, factors, int(sources.size())))
        return;
    WaitCursor wait;
    ctx.undo->beginMacro(tr("Spalten gewichten"));
    QList<QStandardItem*> cells;
    {
        Fortschritt work(ctx.parent, tr("Spalten werden gewichtet..."), m->rowCount());
        cells = weightedCells(m, sources, factors, &work);
    }
    auto* append = new cAppendColumn(m, cells, title);
    append->setTable(ctx.table);
    ctx.undo->push(append);
    markWeighted(ctx, m->columnCount() - 1, title, sources, factorText);
    ctx.undo->endMacro();
}
