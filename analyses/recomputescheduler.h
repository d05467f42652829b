#ifndef RECOMPUTESCHEDULER_H
#define RECOMPUTESCHEDULER_H

#include <QObject>
#include <functional>

class QAbstractItemModel;

// Coalesces a view's recomputation on cell changes: every dataChanged of the listened
// model asks for one recomputation on the next turn of the event loop, and further
// changes while one is pending ask for nothing more. A column command that changes
// thousands of cells then costs one recomputation per view instead of one per cell.
class RecomputeScheduler : public QObject
{
    Q_OBJECT
public:
    // owner becomes the parent; recompute is run once per pending request.
    RecomputeScheduler(QObject* owner, std::function<void()> recompute);

    // Listens to m (may be null) instead of the model listened to before.
    void setModel(QAbstractItemModel* m);
    bool isPending() const { return m_pending; }

public slots:
    void schedule();

private:
    void run();

    std::function<void()> m_recompute;
    QMetaObject::Connection m_connection;
    bool m_pending = false;
};

#endif
