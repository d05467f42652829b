#include "core/zeilenfabrik.h"

#include <QStandardItemModel>
#include <QThread>

#include "core/fortschritt.h"

#ifdef __GLIBC__
#include <malloc.h>
#endif
#if defined(__linux__) && defined(__GLIBC__)
#include <sys/mman.h>
#include <cstdint>
#include <cstdlib>
#endif

namespace {
bool threadedMode = true;
// Rows handed over at once: few enough for a smooth progress display, many enough that
// the hand-over costs nothing next to making them.
constexpr int blockRows = ZeilenFabrik::BlockRows;

// A table is millions of small items. The allocator's defaults grow and trim the heap a
// little at a time, and the page faults of that dominate making the items; grow it in
// large steps and keep what was freed for the next table. Without the "fast" free lists
// the items of the previous table are merged as they are freed, not all at once in the
// middle of reading the next one.
void tuneAllocator()
{
#ifdef __GLIBC__
    static const bool once = [] {
        mallopt(M_TOP_PAD, 64 << 20);
        mallopt(M_TRIM_THRESHOLD, 256 << 20);
        mallopt(M_MMAP_THRESHOLD, 64 << 20);
        mallopt(M_MXFAST, 0);
        return true;
    }();
    Q_UNUSED(once);
#endif
}

// The second thread allocates from an arena of its own: 64 MB regions, each on a 64 MB
// boundary. Huge pages for the region it is filling cut the page faults of making
// millions of items to a few hundred. Called now and then on that thread; only advice.
void adviseHugePages(std::uintptr_t* lastRegion)
{
#if defined(__linux__) && defined(__GLIBC__) && defined(MADV_HUGEPAGE)
    constexpr std::uintptr_t region = std::uintptr_t(64) << 20;
    void* probe = std::malloc(64);
    const std::uintptr_t base = reinterpret_cast<std::uintptr_t>(probe) & ~(region - 1);
    std::free(probe);
    if (base == *lastRegion)
        return;
    *lastRegion = base;
    madvise(reinterpret_cast<void*>(base), region, MADV_HUGEPAGE);
#else
    Q_UNUSED(lastRegion);
#endif
}
}

ZeilenFabrik::ZeilenFabrik(QStandardItemModel* model, Fortschritt* progress, bool threaded)
    : m_model(model), m_progress(progress), m_threaded(threaded)
{
}

void ZeilenFabrik::setThreaded(bool on)
{
    threadedMode = on;
}

qint64 ZeilenFabrik::run(QStandardItemModel* model, const Maker& make, Fortschritt* progress)
{
    tuneAllocator();
    const bool threaded = threadedMode && QThread::idealThreadCount() > 1;
    ZeilenFabrik f(model, progress, threaded);
    if (!threaded) {
        make(f);
        return f.m_appended;
    }
    QThread* worker = QThread::create([&f, &make] {
        adviseHugePages(&f.m_region);
        make(f);
        f.finish();
    });
    worker->start();
    f.drain();
    worker->wait();
    delete worker;
    return f.m_appended;
}

void ZeilenFabrik::append(Row& row)
{
    m_model->appendRow(row);
    ++m_appended;
}

void ZeilenFabrik::put(Row row)
{
    if (!m_threaded) {
        append(row);
        if (m_progress && m_appended % blockRows == 0)
            m_progress->step(m_done.load(std::memory_order_relaxed));
        return;
    }
    if (m_block.isEmpty() || m_block.last().later)
        m_block.append(Job());
    m_block.last().rows.append(std::move(row));
    if (++m_blockRows >= blockRows)
        flush();
}

void ZeilenFabrik::putLater(Later make)
{
    if (!m_threaded) {
        for (Row& row : make())
            put(std::move(row));
        return;
    }
    m_block.append(Job{{}, std::move(make)});
    flush();
}

void ZeilenFabrik::putColumnwise(int rows, const std::function<int(int)>& width,
                                 const std::function<QStandardItem*(int, int)>& make)
{
    for (Row& row : makeColumnwise(rows, width, make))
        put(std::move(row));
}

QList<ZeilenFabrik::Row> ZeilenFabrik::makeColumnwise(
    int rows, const std::function<int(int)>& width,
    const std::function<QStandardItem*(int, int)>& make)
{
    QList<Row> block(rows);
    QList<int> widths(rows);
    int widest = 0;
    for (int r = 0; r < rows; ++r) {
        widths[r] = width(r);
        block[r].reserve(widths.at(r));
        widest = qMax(widest, widths.at(r));
    }
    for (int c = 0; c < widest; ++c) {
        for (int r = 0; r < rows; ++r) {
            if (c < widths.at(r))
                block[r] << make(r, c);
        }
    }
    return block;
}

void ZeilenFabrik::flush()
{
    if (m_block.isEmpty())
        return;
    adviseHugePages(&m_region);
    QMutexLocker lock(&m_mutex);
    m_queue.append(std::move(m_block));
    m_block = QList<Job>();
    m_blockRows = 0;
    m_arrived.wakeOne();
}

void ZeilenFabrik::finish()
{
    flush();
    QMutexLocker lock(&m_mutex);
    m_finished = true;
    m_arrived.wakeOne();
}

void ZeilenFabrik::drain()
{
    for (;;) {
        QList<QList<Job>> blocks;
        bool finished = false;
        {
            QMutexLocker lock(&m_mutex);
            // A timeout keeps the progress display alive while a block is slow to come.
            if (m_queue.isEmpty() && !m_finished)
                m_arrived.wait(&m_mutex, 100);
            blocks.swap(m_queue);
            finished = m_finished;
        }
        for (QList<Job>& block : blocks) {
            for (Job& job : block) {
                if (job.later)
                    job.rows = job.later();
                for (Row& row : job.rows)
                    append(row);
            }
            if (m_progress)
                m_progress->step(m_done.load(std::memory_order_relaxed));
        }
        if (blocks.isEmpty() && finished)
            return;
        if (blocks.isEmpty() && m_progress)
            m_progress->step(m_done.load(std::memory_order_relaxed));
    }
}
