// Memory and time of holding a survey in the column store against the item model
// it replaces: reading a CSV into the table, then counting every column's answers.
// Each kind runs in a process of its own, so that each peak is its own.
// Usage: benchspeicher FILE.csv [lesen|speicher|items]   (no kind: each in turn;
// "lesen" only reads the records, and its "distinct" is the number of records)
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QProcess>
#include <QStandardItemModel>
#include <cstdio>
#include <ctime>
#include <malloc.h>

#include "io/csvimport.h"
#include "core/csvreader.h"
#include "core/itempool.h"
#include "core/spaltenspeicher.h"
#include "core/textkey.h"
#include "core/textpool.h"

namespace {
double heapMb()
{
    const struct mallinfo2 mi = mallinfo2();
    return double(mi.uordblks + mi.hblkhd) / (1024.0 * 1024.0);
}

// A figure of /proc/self/status in MB (VmHWM: peak resident memory).
double statusMb(const char* key)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(int(qstrlen(key))).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return 0;
}

// Processor time of this process: on a shared machine the wall clock also counts the
// others' work.
double cpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

double ms(const QElapsedTimer& t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

// Only reads the records: the share of the figures below that is the reader's.
void lesen(QString* text, double* fillMs, double*, qint64* records)
{
    QElapsedTimer t;
    t.start();
    CsvReader reader(*text, CsvReader::detectSeparator(*text));
    QStringList fields;
    while (reader.next(&fields))
        ++*records;
    *text = QString();
    *fillMs = ms(t);
}

// Reads the text into the store; counts each column's codes.
void speicher(QString* text, double* fillMs, double* countMs, qint64* distinct)
{
    QElapsedTimer t;
    t.start();
    static SpaltenSpeicher s; // kept to the end, so the figures below include it
    {
        CsvReader reader(*text, CsvReader::detectSeparator(*text));
        QStringList fields;
        reader.next(&fields);
        SpaltenSpeicher::Aufbau a(&s, fields);
        while (reader.next(&fields))
            a.zeile(fields);
    }
    *text = QString();
    *fillMs = ms(t);
    t.restart();
    for (int c = 0; c < s.columnCount(); ++c) {
        std::vector<qint64> counts(size_t(s.poolGroesse(c)), 0);
        s.codes(c).jedeZeile([&counts](int, quint32 code) { ++counts[code]; });
        for (qint64 n : counts)
            *distinct += n > 0;
    }
    *countMs = ms(t);
    // The numbering the counting views use, equal values merged once per pool entry.
    t.restart();
    QVector<int> codes;
    QVector<QVariant> werte;
    double slowest = 0;
    const double cpu = cpuMs();
    for (int c = 0; c < s.columnCount(); ++c) {
        QElapsedTimer one;
        one.start();
        s.dichteCodes(c, &codes, &werte);
        slowest = std::max(slowest, ms(one));
    }
    std::printf("dense_codes_ms=%.0f (cpu %.0f, slowest column %.0f) ", ms(t), cpuMs() - cpu,
                slowest);
    // Where the memory goes: each column's pool and width.
    if (qEnvironmentVariableIsSet("BENCH_SPALTEN"))
        for (int c = 0; c < s.columnCount(); ++c)
            std::printf("column %d pool=%d width=%d distinct_codes=%d\n", c, s.poolGroesse(c),
                        s.codes(c).breite, int(s.codesEindeutig(c)));
    std::printf("store_bytes_MB=%.1f ", double(s.belegteBytes()) / (1024.0 * 1024.0));
}

// Reads the text into an item model as the import does today (pooled texts and items);
// counts each column's texts.
void items(QString* text, double* fillMs, double* countMs, qint64* distinct)
{
    QElapsedTimer t;
    t.start();
    static QStandardItemModel m;
    {
        CsvReader reader(*text, CsvReader::detectSeparator(*text));
        TextPool texts;
        ItemPool pool;
        reader.setPool(&texts);
        QStringList fields;
        reader.next(&fields);
        m.setColumnCount(int(fields.size()));
        m.setHorizontalHeaderLabels(fields);
        QList<QStandardItem*> row;
        while (reader.next(&fields)) {
            row.clear();
            for (int c = 0; c < fields.size(); ++c)
                row << pool.text(fields.at(c), c);
            m.appendRow(row);
        }
    }
    *text = QString();
    *fillMs = ms(t);
    t.restart();
    for (int c = 0; c < m.columnCount(); ++c) {
        QHash<TextKey, qint64> counts;
        for (int r = 0; r < m.rowCount(); ++r) {
            const QStandardItem* it = m.item(r, c);
            ++counts[TextKey{it ? it->text() : QString()}];
        }
        *distinct += counts.size();
    }
    *countMs = ms(t);
}
}

int main(int argc, char** argv)
{
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: benchspeicher FILE.csv [lesen|speicher|items]\n");
        return 2;
    }
    const QString file = QString::fromLocal8Bit(argv[1]);
    if (argc < 3) {
        for (const char* kind : {"lesen", "speicher", "items"}) {
            QProcess p;
            p.setProcessChannelMode(QProcess::ForwardedChannels);
            p.start(QCoreApplication::applicationFilePath(), {file, QString::fromLatin1(kind)});
            p.waitForFinished(-1);
        }
        return 0;
    }
    const QByteArray kind = argv[2];
    const double rssBefore = statusMb("VmRSS:");
    const double heapBefore = heapMb();
    QString text;
    if (!CsvImport::readText(file, &text)) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    const double textMb = double(text.size()) * 2 / (1024.0 * 1024.0);
    double fillMs = 0, countMs = 0;
    const double cpuBefore = cpuMs();
    qint64 distinct = 0;
    std::printf("%-8s file=%s file_MB=%.1f text_MB=%.1f ", kind.constData(),
                qPrintable(QFileInfo(file).fileName()),
                double(QFileInfo(file).size()) / (1024.0 * 1024.0), textMb);
    if (kind == "items")
        items(&text, &fillMs, &countMs, &distinct);
    else if (kind == "lesen")
        lesen(&text, &fillMs, &countMs, &distinct);
    else
        speicher(&text, &fillMs, &countMs, &distinct);
    std::printf("fill_ms=%.0f count_ms=%.0f cpu_ms=%.0f distinct=%lld table_heap_MB=%.1f "
                "rss_after_MB=%.1f (start %.1f) peak_rss_MB=%.1f\n",
                fillMs, countMs, cpuMs() - cpuBefore, distinct, heapMb() - heapBefore,
                statusMb("VmRSS:"), rssBefore, statusMb("VmHWM:"));
    return 0;
}
