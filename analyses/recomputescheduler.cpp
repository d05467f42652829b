#include "analyses/recomputescheduler.h"

#include <QAbstractItemModel>

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
    if (!m)
        return;
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
    if (!m_structureChanged && m_concerns && topLeft.isValid() && bottomRight.isValid()
        && !m_concerns(qMin(topLeft.column(), bottomRight.column()),
                       qMax(topLeft.column(), bottomRight.column())))
        return;
    schedule();
}

void RecomputeScheduler::schedule()
{
    if (m_pending)
        return;
    m_pending = true;
    // Queued on this object: dropped if the view (and so this) is deleted first.
    QMetaObject::invokeMethod(this, [this] { run(); }, Qt::QueuedConnection);
}

void RecomputeScheduler::run()
{
    m_pending = false;
    m_structureChanged = false;
    if (m_recompute)
        m_recompute();
}
