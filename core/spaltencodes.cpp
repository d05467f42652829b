#include "core/spaltencodes.h"

#include <QHash>
#include <QPair>
#include "core/spaltenspeicher.h"
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

    void watch(const SpaltenSpeicher* m)
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

std::shared_ptr<const SpaltenCodes> SpaltenCodes::of(const SpaltenSpeicher* m, int column)
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

std::shared_ptr<const SpaltenCodes> SpaltenCodes::read(const SpaltenSpeicher* m, int column,
                                                       bool asSeen)
{
    auto out = std::make_shared<SpaltenCodes>();
    const int rows = m ? m->rowCount() : 0;
    if (column >= 0 && column < (m ? m->columnCount() : 0)) {
        // The store numbers its pool once; the cells need no reading of their own.
        m->dichteCodes(column, &out->codes, &out->values);
    } else if (rows > 0) {
        // A column beyond the table reads as missing cells.
        out->codes.fill(0, rows);
        out->values << QVariant();
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
