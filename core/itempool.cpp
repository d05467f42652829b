#include "core/itempool.h"

#include <QStandardItem>
#include <QVariant>

#include "core/roles.h"

namespace {
// Cells seen before a column is judged; more than half of them new ends pooling.
constexpr qint64 itemsJudgedAfter = 2000;

QStandardItem* restoredItem(const QString& text, const QVariant& value)
{
    auto* it = new QStandardItem(text);
    it->setData(value, Roles::RestoredValue);
    it->setData(text, Qt::ToolTipRole);
    return it;
}
}

ItemPool::~ItemPool()
{
    for (Column& col : m_columns)
        clear(&col);
}

void ItemPool::clear(Column* col)
{
    qDeleteAll(col->models);
    col->models = QHash<TextKey, QStandardItem*>();
    delete col->nullModel;
    col->nullModel = nullptr;
}

template <class Make>
QStandardItem* ItemPool::model(int c, const QString& text, Make make)
{
    if (c < 0)
        return nullptr;
    if (c >= m_columns.size())
        m_columns.resize(c + 1);
    Column& col = m_columns[c];
    if (col.off)
        return nullptr;
    if (++col.seen == itemsJudgedAfter && qint64(col.models.size()) * 2 > col.seen) {
        col.off = true;
        clear(&col);
        return nullptr;
    }
    if (text.isNull()) {
        if (!col.nullModel)
            col.nullModel = make();
        return col.nullModel;
    }
    QStandardItem*& m = col.models[TextKey{text}];
    if (!m)
        m = make();
    return m;
}

QStandardItem* ItemPool::text(const QString& text, int c)
{
    QStandardItem* m = model(c, text, [&text] { return new QStandardItem(text); });
    return m ? m->clone() : new QStandardItem(text);
}

QStandardItem* ItemPool::restored(const QVariant& value, int c)
{
    const QString text = value.toString();
    // Only a text value is the same as its text; others are rare and made one by one.
    QStandardItem* m = value.typeId() == QMetaType::QString
        ? model(c, text, [&text, &value] { return restoredItem(text, value); })
        : nullptr;
    return m ? m->clone() : restoredItem(text, value);
}
