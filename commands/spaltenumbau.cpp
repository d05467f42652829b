#include "commands/spaltenumbau.h"

#include <QSignalBlocker>
#include <QStandardItemModel>

QList<QList<QStandardItem*>> SpaltenUmbau::takeRows(QStandardItemModel* model)
{
    const int rows = model->rowCount();
    QList<QList<QStandardItem*>> out(rows);
    // The rows come back unchanged: nobody is told they left, which would cost each
    // listener a call per row and make every view count it as a change of structure.
    const QSignalBlocker quiet(model);
    // From the end: each row leaves from the tail of the table, nothing moves.
    for (int r = rows - 1; r >= 0; --r)
        out[r] = model->takeRow(r);
    return out;
}

void SpaltenUmbau::putRows(QStandardItemModel* model, QList<QList<QStandardItem*>>& rows)
{
    const QSignalBlocker quiet(model);
    for (QList<QStandardItem*>& row : rows)
        model->appendRow(row);
    rows.clear();
}

void SpaltenUmbau::appendColumn(QStandardItemModel* model, const QList<QStandardItem*>& items)
{
    QList<QList<QStandardItem*>> rows = takeRows(model);
    const int columns = model->columnCount();
    model->insertColumns(columns, 1);
    // More cells than rows make new rows, as the model's own append does.
    while (rows.size() < items.size())
        rows << QList<QStandardItem*>(columns, nullptr);
    for (int r = 0; r < rows.size(); ++r) {
        rows[r].resize(columns);
        rows[r] << items.value(r, nullptr);
    }
    putRows(model, rows);
}

QList<QStandardItem*> SpaltenUmbau::takeLastColumn(QStandardItemModel* model)
{
    const int columns = model->columnCount();
    if (columns == 0)
        return {};
    QList<QList<QStandardItem*>> rows = takeRows(model);
    QList<QStandardItem*> cells;
    cells.reserve(rows.size());
    for (QList<QStandardItem*>& row : rows) {
        row.resize(columns);
        cells << row.takeLast();
    }
    model->removeColumns(columns - 1, 1);
    putRows(model, rows);
    return cells;
}

QList<QStandardItem*> SpaltenUmbau::swapColumn(QStandardItemModel* model, int column,
                                               const QList<QStandardItem*>& items)
{
    const int columns = model->columnCount();
    QList<QList<QStandardItem*>> rows = takeRows(model);
    QList<QStandardItem*> cells;
    cells.reserve(rows.size());
    for (int r = 0; r < rows.size(); ++r) {
        rows[r].resize(columns);
        cells << rows[r].at(column);
        rows[r][column] = items.value(r, nullptr);
    }
    putRows(model, rows);
    return cells;
}
