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
    QObject::disconnect(m_connection);
    m_connection = QMetaObject::Connection();
    if (m)
        m_connection = connect(m, &QAbstractItemModel::dataChanged, this,
                               &RecomputeScheduler::schedule);
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
    if (m_recompute)
        m_recompute();
}
