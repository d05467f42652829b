#include "commands/spaltenbearbeitung.h"

#include <QAbstractItemModel>
#include "core/spaltenspeicher.h"
#include <QTableView>
#include <QUndoStack>

#include <utility>

#include "core/fortschritt.h"
#include "core/roles.h"
#include "diagrams/tabelle1.h"
#include "core/userinput.h"
#include "core/waitcursor.h"
#include "core/zellenzahl.h"
#include "commands/cappendcolumn.h"
#include "commands/chidecolumns.h"
#include "commands/cinsertdatablock.h"
#include "commands/crenamecolumn.h"
#include "commands/sortierhalt.h"
#include "commands/zaehlregel.h"

namespace {
// A cell holding a number also matches that number typed in either form: the table
// shows it in the desktop's format ("3,25" on a German desktop where its text is
// "3.25"). A text cell matches its exact text only.
bool replacedCellMatches(const QVariant& v, const QString& oldText, bool oldIsNumber,
                         double oldNumber)
{
    if (oldIsNumber) {
        switch (v.metaType().id()) {
        case QMetaType::Double:
        case QMetaType::Float:
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
            if (v.toDouble() == oldNumber)
                return true;
            break;
        default:
            break;
        }
    }
    return v.toString() == oldText;
}
}

void SpaltenBearbeitung::hideColumns(const TableContext& ctx)
{
    ctx.undo->push(new cHideColumns(ctx.columns, ctx.spalten));
}

void SpaltenBearbeitung::renameColumn(const TableContext& ctx)
{
    if (ctx.columns.size() != 1)
        return;
    const int column = ctx.columns.first();
    const QString title =
        ctx.model->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
    bool ok = false;
    const QString entered = UserInput::getText(ctx.parent, tr("Spalte umbenennen"),
                                               tr("Neuer Spaltenname"), UserInput::Normal,
                                               title, &ok);
    if (!ok)
        return;
    ctx.undo->push(new cRenameColumn(ctx.model, column, title, entered));
}

void SpaltenBearbeitung::replaceValues(const TableContext& ctx)
{
    if (ctx.columns.isEmpty())
        return;
    bool ok = false;
    const QString oldText = UserInput::getText(ctx.parent, tr("Ersetzen"), tr("Alter Wert"),
                                               UserInput::Normal, QString(), &ok);
    if (!ok)
        return;
    const QString newText = UserInput::getText(ctx.parent, tr("Ersetzen"), tr("Neuer Wert"),
                                               UserInput::Normal, oldText, &ok);
    if (!ok)
        return;

    WaitCursor wait;
    ctx.undo->beginMacro(tr("Werte ersetzen"));
    auto* block = new cInsertDataBlock(ctx.model);
    block->setTable(ctx.table);
    const QVector<QVariant> replacement{QVariant(newText)};
    double oldNumber = 0;
    const bool oldIsNumber = ZellenZahl::read(oldText, &oldNumber);
    const int rows = ctx.model->rowCount();
    {
        Fortschritt work(ctx.parent, tr("Werte werden gesucht..."),
                         qint64(rows) * ctx.columns.size());
        qint64 done = 0;
        for (int column : ctx.columns) {
            QVector<int> matched;
            QVector<QVariant> before;
            for (int r = 0; r < rows; ++r) {
                if ((r & 0x3ff) == 0)
                    work.step(done + r);
                const QVariant v = ZaehlRegel::value(ctx.model, r, column);
                if (replacedCellMatches(v, oldText, oldIsNumber, oldNumber)) {
                    matched << r;
                    before << v;
                }
            }
            done += rows;
            block->addColumn(column, std::move(matched), std::move(before), replacement);
        }
    }
    // A selection without a match still makes its (empty) undo step.
    if (block->cellCount() > 0)
        ctx.undo->push(block);
    else
        delete block;
    ctx.undo->endMacro();
}

void SpaltenBearbeitung::gotoColumn(const TableContext& ctx)
{
    const int count = ctx.model->columnCount();
    // A table without columns offers no number to go to, and without a table widget
    // there is nothing to go to.
    if (count < 1 || !ctx.table)
        return;
    bool ok = false;
    const int n = UserInput::getInt(ctx.parent, tr("Gehe zu Spalte"),
                                    tr("Geben sie die Nummer der\ngewünschten Spalte ein."), 1, 1,
                                    count, 1, &ok);
    if (!ok || n < 1 || n > count)
        return;
    QTableView* view = ctx.table->table();
    view->scrollTo(view->model()->index(0, n - 1), QAbstractItemView::EnsureVisible);
    view->selectColumn(n - 1);
}

void SpaltenBearbeitung::copyColumns(const TableContext& ctx)
{
    if (ctx.columns.isEmpty())
        return;
    WaitCursor wait;
    const QVector<int> sources = ctx.columns;
    ctx.undo->beginMacro(QStringLiteral("Spalten kopieren"));
    const int n = int(sources.size());
    // Each copy takes its source's codes and pool as they are: no cell is read.
    QVector<SpaltenSpeicher::Spalte> copies(n);
    for (int j = 0; j < n; ++j)
        copies[j] = ctx.model->spalte(sources.at(j));
    // The shown rows are sorted once, after the last copy.
    SortierHalt hold(ctx.table);
    for (int j = 0; j < n; ++j) {
        const int c = sources.at(j);
        SpaltenSpeicher::Spalte items = std::exchange(copies[j], SpaltenSpeicher::Spalte());
        const QString title = ctx.model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        auto* append = new cAppendColumn(ctx.model, std::move(items), title);
        append->setTable(ctx.table);
        ctx.undo->push(append);
        const int k = ctx.model->columnCount() - 1;
        ctx.model->setHeaderData(k, Qt::Horizontal, QStringLiteral("copy"), Roles::DerivationKind);
        ctx.model->setHeaderData(k, Qt::Horizontal, QString::number(c),
                                 Roles::DerivationParameter);
        ctx.model->setHeaderData(k, Qt::Horizontal,
                                 title + tr("\nKopiert:\nSpalte:") + QString::number(c),
                                 Qt::ToolTipRole);
    }
    ctx.undo->endMacro();
}
