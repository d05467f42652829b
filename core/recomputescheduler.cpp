#include "core/recomputescheduler.h"

#include <QAbstractItemModel>
#include <QCoreApplication>
#include <QPointer>
#include <QVector>
#include <utility>

#include "core/fortschritt.h"
#include "core/gewichtung.h"
#include "core/spaltencodes.h"

namespace {
int holds = 0;
QVector<QPointer<RecomputeScheduler>>& postponed()
{
    static QVector<QPointer<RecomputeScheduler>> list;
    return list;
}
// Requests made outside a hold, answered together on the next turn of the event loop.
QVector<QPointer<RecomputeScheduler>>& queued()
{
    static QVector<QPointer<RecomputeScheduler>> list;
    return list;
}
bool drainPosted = false;
}

RecomputeScheduler::RecomputeScheduler(QObject* owner, std::function<void()> recompute)
    : QObject(owner)
    , m_recompute(std::move(recompute))
{
}

void RecomputeScheduler::setModel(QAbstractItemModel* m)
{
    // By handle: safe even when the old model is already gone.
    for (const QMetaObject::Connection& c : std::as_const(m_connections))
        QObject::disconnect(c);
    m_connections.clear();
    m_model = m;
    if (!m)
        return;
    if (m_followsWeight)
        m_connections << connect(Gewichtung::of(m), &Gewichtung::changed, this,
                                 &RecomputeScheduler::schedule);
    m_connections << connect(m, &QAbstractItemModel::dataChanged, this,
                             &RecomputeScheduler::dataChanged);
    const auto structure = [this] { m_structureChanged = true; };
    m_connections << connect(m, &QAbstractItemModel::rowsInserted, this, structure)
                  << connect(m, &QAbstractItemModel::rowsRemoved, this, structure)
                  << connect(m, &QAbstractItemModel::rowsMoved, this, structure)
                  << connect(m, &QAbstractItemModel::columnsInserted, this, structure)
                  << connect(m, &QAbstractItemModel::columnsRemoved, this, structure)
                  << connect(m, &QAbstractItemModel::columnsMoved, this, structure)
                  << connect(m, &QAbstractItemModel::modelReset, this, structure)
                  << connect(m, &QAbstractItemModel::layoutChanged, this, structure);
}

void RecomputeScheduler::dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight)
{
    if (!m_structureChanged && m_concerns && topLeft.isValid() && bottomRight.isValid()) {
        const int first = qMin(topLeft.column(), bottomRight.column());
        const int last = qMax(topLeft.column(), bottomRight.column());
        if (!m_concerns(first, last)
            && !(m_followsWeight && touches(first, last, Gewichtung::spalteVon(m_model))))
            return;
    }
    schedule();
}

void RecomputeScheduler::schedule()
{
    if (holds > 0) {
        if (!m_postponed) {
            m_postponed = true;
            m_pending = true;
            postponed() << QPointer<RecomputeScheduler>(this);
        }
        return;
    }
    if (m_pending)
        return;
    m_pending = true;
    // By guarded pointer: a view deleted meanwhile is passed over.
    queued() << QPointer<RecomputeScheduler>(this);
    if (!drainPosted && QCoreApplication::instance()) {
        drainPosted = true;
        QMetaObject::invokeMethod(QCoreApplication::instance(), &RecomputeScheduler::runQueued,
                                  Qt::QueuedConnection);
    }
}

void RecomputeScheduler::runQueued()
{
    drainPosted = false;
    const QVector<QPointer<RecomputeScheduler>> due = std::exchange(queued(), {});
    runAll(due);
}

void RecomputeScheduler::runAll(const QVector<QPointer<RecomputeScheduler>>& due)
{
    if (due.isEmpty())
        return;
    // Computed together, the views read each column once.
    const SpaltenCodes::Runde round;
    // Usually within the work that held (an import, a load), whose dialog it keeps
    // repainting. Events let through between two views cannot compute one twice: a
    // queued request finds it answered, and one answered meanwhile is passed over here.
    Fortschritt work(nullptr,
                     QCoreApplication::translate("RecomputeScheduler",
                                                 "Ansichten werden berechnet"),
                     due.size());
    for (int i = 0; i < due.size(); ++i) {
        const QPointer<RecomputeScheduler>& s = due.at(i);
        if (s && s->m_pending)
            s->run();
        work.step(i + 1);
    }
}

void RecomputeScheduler::hold(bool on)
{
    holds = qMax(0, holds + (on ? 1 : -1));
    if (on || holds > 0)
        return;
    // A computation may hold again and postpone more: take the list as it stands.
    runAll(std::exchange(postponed(), {}));
}

bool RecomputeScheduler::postpone()
{
    if (holds == 0)
        return false;
    schedule();
    return true;
}

void RecomputeScheduler::run()
{
    // A request already answered (by the end of a hold) asks for nothing more.
    if (!m_pending)
        return;
    m_pending = false;
    m_postponed = false;
    m_structureChanged = false;
    if (m_recompute)
        m_recompute();
}
