#include "core/spaltencodes.h"

#include <QHash>
#include <QPair>
#include <QStandardItemModel>
#include <cstring>
#include <limits>

#include "core/fehlendewerte.h"
#include "core/textkey.h"

namespace {
// Columns kept after a round while they hold no more than this many codes (and values):
// 64 MB at four bytes each, a 100,000 x 50 survey several times over. Larger tables are
// read again in each round, as before.
constexpr qsizetype KeptBudget = qsizetype(16) << 20;

// The columns kept, and what tells them apart from a change. Every change of the data
// table reaches the views by a signal (the commands that work silently tell the
// columns they changed afterwards), and so reaches this too.
struct Kept
{
    int rounds = 0;
    QHash<QPair<const QAbstractItemModel*, int>, std::shared_ptr<const SpaltenCodes>> columns;
    QHash<const QAbstractItemModel*, QList<QMetaObject::Connection>> watched;

    void forget(const QAbstractItemModel* m, int first, int last)
    {
        for (auto it = columns.begin(); it != columns.end();) {
            if (it.key().first == m && first <= it.key().second && it.key().second <= last)
                it = columns.erase(it);
            else
                ++it;
        }
    }

    void forgetAll(const QAbstractItemModel* m) { forget(m, 0, std::numeric_limits<int>::max()); }

    void watch(const QStandardItemModel* m)
    {
        if (watched.contains(m))
            return;
        QList<QMetaObject::Connection>& c = watched[m];
        c << QObject::connect(m, &QAbstractItemModel::dataChanged,
                              [this, m](const QModelIndex& a, const QModelIndex& b) {
                                  if (a.isValid() && b.isValid())
                                      forget(m, qMin(a.column(), b.column()),
                                             qMax(a.column(), b.column()));
                                  else
                                      forgetAll(m);
                              });
        const auto all = [this, m] { forgetAll(m); };
        // Missing codes are kept in the header: a change there changes what is seen.
        c << QObject::connect(m, &QAbstractItemModel::headerDataChanged,
                              [this, m](Qt::Orientation o, int first, int last) {
                                  if (o == Qt::Horizontal)
                                      forget(m, first, last);
                              });
        c << QObject::connect(m, &QAbstractItemModel::rowsInserted, all)
          << QObject::connect(m, &QAbstractItemModel::rowsRemoved, all)
          << QObject::connect(m, &QAbstractItemModel::rowsMoved, all)
          << QObject::connect(m, &QAbstractItemModel::columnsInserted, all)
          << QObject::connect(m, &QAbstractItemModel::columnsRemoved, all)
          << QObject::connect(m, &QAbstractItemModel::columnsMoved, all)
          << QObject::connect(m, &QAbstractItemModel::modelReset, all)
          << QObject::connect(m, &QAbstractItemModel::layoutChanged, all)
          << QObject::connect(m, &QObject::destroyed, [this, m] {
                 forgetAll(m);
                 watched.remove(m);
             });
    }

    void clear()
    {
        columns.clear();
        for (const QList<QMetaObject::Connection>& list : std::as_const(watched))
            for (const QMetaObject::Connection& c : list)
                QObject::disconnect(c);
        watched.clear();
    }

    qsizetype size() const
    {
        qsizetype n = 0;
        for (const std::shared_ptr<const SpaltenCodes>& c : columns)
            n += c->codes.size() + c->values.size();
        return n;
    }

    // A model that outlives the program's statics must not call back into them.
    ~Kept() { clear(); }
};

Kept& kept()
{
    static Kept k;
    return k;
}
}

SpaltenCodes::Runde::Runde()
{
    ++kept().rounds;
}

SpaltenCodes::Runde::~Runde()
{
    // Kept for the next round until they change: a recomputation of every view that
    // changes none of their columns (a new weight) then reads no column again.
    if (--kept().rounds == 0 && kept().size() > KeptBudget)
        kept().clear();
}

std::shared_ptr<const SpaltenCodes> SpaltenCodes::of(const QStandardItemModel* m, int column)
{
    Kept& k = kept();
    if (!m)
        return read(m, column);
    const QPair<const QAbstractItemModel*, int> key(m, column);
    if (const auto found = k.columns.constFind(key); found != k.columns.cend())
        return found.value();
    if (k.rounds == 0)
        return read(m, column);
    k.watch(m);
    std::shared_ptr<const SpaltenCodes> made = read(m, column);
    k.columns.insert(key, made);
    return made;
}

std::shared_ptr<const SpaltenCodes> SpaltenCodes::read(const QStandardItemModel* m, int column,
                                                       bool asSeen)
{
    auto out = std::make_shared<SpaltenCodes>();
    const int rows = m ? m->rowCount() : 0;
    out->codes.resize(rows);
    // Equal values by kind: texts (a null text apart from an empty one), numbers by bit
    // pattern, whole numbers and truth values by type and text. Any other kind of value
    // gets a code of its own per cell: never merged, never wrong.
    QHash<TextKey, int> texts;
    QHash<quint64, int> numbers;
    QHash<QPair<int, QString>, int> others;
    int nullText = -1;
    int missing = -1;
    const auto fresh = [&out](const QVariant& v) {
        out->values << v;
        return int(out->values.size()) - 1;
    };
    for (int r = 0; r < rows; ++r) {
        // item() is null outside the table and for a missing item, where data() is invalid.
        const QStandardItem* item = m->item(r, column);
        const QVariant v = item ? item->data(Qt::DisplayRole) : QVariant();
        int code = -1;
        switch (v.metaType().id()) {
        case QMetaType::QString: {
            const QString& text = *static_cast<const QString*>(v.constData());
            if (text.isNull()) {
                code = nullText < 0 ? (nullText = fresh(v)) : nullText;
                break;
            }
            auto it = texts.constFind(TextKey{text});
            code = it != texts.cend() ? it.value() : texts.insert(TextKey{text}, fresh(v)).value();
            break;
        }
        case QMetaType::Double: {
            quint64 bits = 0;
            std::memcpy(&bits, v.constData(), sizeof bits);
            auto it = numbers.constFind(bits);
            code = it != numbers.cend() ? it.value() : numbers.insert(bits, fresh(v)).value();
            break;
        }
        case QMetaType::UnknownType:
            code = missing < 0 ? (missing = fresh(v)) : missing;
            break;
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Bool: {
            const QPair<int, QString> key(v.metaType().id(), v.toString());
            auto it = others.constFind(key);
            code = it != others.cend() ? it.value() : others.insert(key, fresh(v)).value();
            break;
        }
        default:
            code = fresh(v);
            break;
        }
        out->codes[r] = code;
    }
    if (asSeen) {
        // Once per distinct value: codes of no answer keep their own number but read
        // as the empty text, which every view already leaves out.
        const QStringList declared = FehlendeWerte::codes(m, column);
        for (QVariant& v : out->values)
            v = FehlendeWerte::gesehen(v, declared);
    }
    return out;
}
