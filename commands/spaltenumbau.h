#ifndef SPALTENUMBAU_H
#define SPALTENUMBAU_H

#include <QList>

class QStandardItem;
class QStandardItemModel;

// Appends or removes the last column of a large data table in one pass. The model's own
// column calls move the whole table once per row, which takes minutes on a large
// survey; taking the rows out, changing the column count of the empty table and putting
// the rows back costs one step per cell. The header items of the other columns stay.
// The rows leave and come back without signals (only the column change is told), so
// the model's row-mapping listeners (the sorting proxy) must be held off meanwhile.
class SpaltenUmbau
{
public:
    // items: one per row (ownership passes to the model).
    static void appendColumn(QStandardItemModel* model, const QList<QStandardItem*>& items);
    // The cells of the last column (null for a cell without an item), owned by the caller;
    // the column and its header are removed.
    static QList<QStandardItem*> takeLastColumn(QStandardItemModel* model);
    // Puts items (one per row, owned by the model afterwards) into column in place of
    // its cells, which are returned (null for a cell without an item) to the caller.
    static QList<QStandardItem*> swapColumn(QStandardItemModel* model, int column,
                                            const QList<QStandardItem*>& items);

private:
    static QList<QList<QStandardItem*>> takeRows(QStandardItemModel* model);
    static void putRows(QStandardItemModel* model, QList<QList<QStandardItem*>>& rows);
};

#endif
