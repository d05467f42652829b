#ifndef RECOMPUTESCHEDULER_H
#define RECOMPUTESCHEDULER_H

#include <QList>
#include <QObject>
#include <QPointer>
#include <QVector>
#include <functional>

class QAbstractItemModel;
class QModelIndex;

// Coalesces a view's recomputation on cell changes: every dataChanged of the listened
// model that concerns the view asks for one recomputation on the next turn of the event
// loop, and further changes while one is pending ask for nothing more. A column command
// that changes thousands of cells then costs one recomputation per view instead of one
// per cell, and a cell edit recomputes only the views that read the edited column.
class RecomputeScheduler : public QObject
{
    Q_OBJECT
public:
    // Whether a change of the columns first..last concerns the view.
    using ColumnTest = std::function<bool(int first, int last)>;

    // owner becomes the parent; recompute is run once per pending request.
    RecomputeScheduler(QObject* owner, std::function<void()> recompute);

    // Listens to m (may be null) instead of the model listened to before.
    void setModel(QAbstractItemModel* m);
    // Without a test every change concerns the view.
    void setColumnTest(ColumnTest test) { m_concerns = std::move(test); }
    // The view counts with the survey's weight (Gewichtung): choosing another weight,
    // or a change of the weight column's cells, concerns it too. Set before setModel.
    void setFollowsWeight(bool on) { m_followsWeight = on; }
    bool isPending() const { return m_pending; }

    // Whether column lies within first..last (a negative column never does).
    static bool touches(int first, int last, int column)
    {
        return column >= 0 && first <= column && column <= last;
    }
    static bool touchesAny(int first, int last, const QVector<int>& columns)
    {
        for (int c : columns)
            if (touches(first, last, c))
                return true;
        return false;
    }

    // While a hold is active (nested holds count), views postpone their computations:
    // postpone() schedules one and returns true. When the last hold ends, every view
    // postponed meanwhile is computed at once, in the order of its first request, so
    // that a view made and set up in several steps is computed once, and current when
    // the hold ends.
    static void hold(bool on);
    bool postpone();

public slots:
    void schedule();

private:
    // Answers the requests queued since the last turn of the event loop.
    static void runQueued();
    static void runAll(const QVector<QPointer<RecomputeScheduler>>& due);
    void dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight);
    void run();

    std::function<void()> m_recompute;
    ColumnTest m_concerns;
    bool m_followsWeight = false;
    QPointer<QAbstractItemModel> m_model;
    QList<QMetaObject::Connection> m_connections;
    bool m_pending = false;
    bool m_postponed = false;   // waits for the end of the hold
    // Rows or columns were inserted, removed or moved, or the model was reset: column
    // numbers no longer say what changed, so the next change concerns the view.
    bool m_structureChanged = false;
};

#endif
