#ifndef ZEILENFABRIK_H
#define ZEILENFABRIK_H

#include <QList>
#include <QMutex>
#include <QWaitCondition>
#include <atomic>
#include <cstdint>
#include <functional>

class Fortschritt;
class QStandardItem;
class QStandardItemModel;

// Fills the data table with rows made on a second thread: the maker reads its file and
// makes the items (plain QStandardItems, in no model yet) there, while the window's thread
// only appends the finished rows, in the maker's order. The model is never touched off
// the window's thread. Without a second core the maker runs on the calling thread.
class ZeilenFabrik
{
public:
    using Row = QList<QStandardItem*>;
    // Called once; hands every row to put() and may say how far it came with setDone().
    using Maker = std::function<void(ZeilenFabrik&)>;

    // Runs make and appends each row it puts to model. The progress, if any, is stepped
    // with the maker's setDone() figures. Returns the number of rows appended.
    static qint64 run(QStandardItemModel* model, const Maker& make,
                      Fortschritt* progress = nullptr);

    // The maker's side: the next row (its items are the model's once appended).
    void put(Row row);
    // The next rows rows, row r of width(r) items, item (r, c) from make(r, c). The
    // items are made column by column: a column's items then lie together in memory,
    // and counting, which reads a column at a time, finds them in the cache.
    void putColumnwise(int rows, const std::function<int(int)>& width,
                       const std::function<QStandardItem*(int, int)>& make);
    // The rows putColumnwise puts, for putLater.
    static QList<Row> makeColumnwise(int rows, const std::function<int(int)>& width,
                                     const std::function<QStandardItem*(int, int)>& make);
    // How many rows putColumnwise is best given at once.
    static constexpr int BlockRows = 256;
    // Rows whose items the window's thread may make itself, in their turn: while the
    // maker reads on, the window's thread, which otherwise mostly waits, shares the work.
    // make() runs on the window's thread (or here, without a second thread).
    using Later = std::function<QList<Row>()>;
    void putLater(Later make);
    // Whether putLater is worth it: there is a second thread.
    bool sharesWork() const { return m_threaded; }
    void setDone(qint64 done) { m_done.store(done, std::memory_order_relaxed); }

    // Whether rows are made on a second thread where one is free (tests compare both).
    static void setThreaded(bool on);

    ZeilenFabrik(const ZeilenFabrik&) = delete;
    ZeilenFabrik& operator=(const ZeilenFabrik&) = delete;

private:
    ZeilenFabrik(QStandardItemModel* model, Fortschritt* progress, bool threaded);
    // The maker's side: hands the rows made so far over.
    void flush();
    void finish();
    // The window's side: appends what arrives until the maker has finished.
    void drain();
    void append(Row& row);

    QStandardItemModel* m_model;
    Fortschritt* m_progress;
    bool m_threaded;
    qint64 m_appended = 0;
    std::atomic<qint64> m_done{0};
    // Rows made, or to be made on the window's thread, in order.
    struct Job {
        QList<Row> rows;
        Later later;
    };
    QList<Job> m_block;
    int m_blockRows = 0;
    std::uintptr_t m_region = 0; // the maker's allocation region last given huge pages

    QMutex m_mutex;
    QWaitCondition m_arrived;
    QList<QList<Job>> m_queue;
    bool m_finished = false;
};

#endif
