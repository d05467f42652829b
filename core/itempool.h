#ifndef ITEMPOOL_H
#define ITEMPOOL_H

#include <QHash>
#include <QList>
#include <QString>

#include "core/textkey.h"

class QStandardItem;
class QVariant;

// Makes the cell items of a table read from a file. Equal cells of a column are copies
// of one model item: a copy shares the model item's role list until it is changed, so a
// repeated answer costs only the item itself. A column whose texts are mostly different
// (free text) gets items of its own, as before.
class ItemPool
{
public:
    ItemPool() = default;
    ~ItemPool();
    ItemPool(const ItemPool&) = delete;
    ItemPool& operator=(const ItemPool&) = delete;

    // A new item of column whose text is text.
    QStandardItem* text(const QString& text, int column);
    // A new item restored from a file: the value's text, the value itself in
    // Roles::RestoredValue and the text again as tool tip.
    QStandardItem* restored(const QVariant& value, int column);

private:
    struct Column {
        QHash<TextKey, QStandardItem*> models;
        // Null and empty texts are equal as keys but are written apart.
        QStandardItem* nullModel = nullptr;
        qint64 seen = 0;
        bool off = false;
    };
    // The item to copy for text in column, made by make() when new; null when the
    // column is not pooled.
    template <class Make>
    QStandardItem* model(int column, const QString& text, Make make);
    static void clear(Column* col);

    QList<Column> m_columns;
};

#endif
