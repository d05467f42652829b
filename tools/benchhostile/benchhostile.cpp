// Opens or imports each given file the way the program does and reports the time it
// took and the peak memory of the process. Each file runs in a child process of its
// own, so that the peaks do not add up, and one that runs away is stopped.
//
// Usage: benchhostile [--limit-s S] [--limit-mb M] <file or folder>...
//   ".stat" files are opened (View::load), ".csv" files imported (View::importCSV, the
//   diagram and adapter questions answered with their preselected entries). A folder
//   stands for the .stat and .csv files in it. Limits: 3 s and 500 MB by default; the
//   exit code is 1 when a file breaks one of them.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include "core/spaltenspeicher.h"
#include <cstdio>
#include <cstdlib>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "scriptedanswerer.h"
#include "app/view.h"

namespace {
// A user who confirms every question with what the dialog preselects.
// Peak resident memory of this process so far, in KiB (VmHWM).
long peakKiB(const QString& process = QStringLiteral("self"))
{
    QFile f(QStringLiteral("/proc/%1/status").arg(process));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

// Child: one file, one line of figures on stdout.
int measureOne(int argc, char** argv, const QString& path)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Takes every question's preset and confirms every message.
    ScriptedAnswerer answers;
    answers.otherwise(ScriptedAnswerer::presets());
    View v;
    const long before = peakKiB();
    QElapsedTimer t;
    t.start();
    if (path.endsWith(QLatin1String(".stat")))
        v.load(path);
    else
        v.importCSV(path);
    const qint64 ms = t.elapsed();
    std::printf("%lld %ld %ld %d %d %d\n", ms, before, peakKiB(), v.document()->dataModel()->rowCount(),
                v.document()->dataModel()->columnCount(), v.document()->viewCount() - 1);
    std::fflush(stdout);
    return 0;
}

struct Figures {
    bool ok = false;
    QString why;
    qint64 ms = 0;
    long baseKiB = 0, peakKiB = 0;
    int rows = 0, columns = 0, views = 0;
};

Figures runChild(const char* self, const QString& path, int limitS)
{
    Figures fig;
    int out[2];
    if (pipe(out) != 0) {
        fig.why = QStringLiteral("pipe failed");
        return fig;
    }
    const QByteArray file = QFile::encodeName(path);
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        close(out[1]);
        // A runaway allocation ends in the child, not in the machine.
        rlimit as{8L << 30, 8L << 30};
        setrlimit(RLIMIT_AS, &as);
        execl(self, self, "--one", file.constData(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(out[1]);
    // The child gets ten times the limit before it is stopped, so that a slow file
    // still shows how slow it is.
    QElapsedTimer t;
    t.start();
    int status = 0;
    bool killed = false;
    while (waitpid(pid, &status, WNOHANG) == 0) {
        if (t.elapsed() > qint64(limitS) * 10000) {
            fig.peakKiB = peakKiB(QString::number(pid));
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            killed = true;
            break;
        }
        usleep(20000);
    }
    QByteArray text;
    char buf[256];
    ssize_t n;
    while ((n = read(out[0], buf, sizeof buf)) > 0)
        text.append(buf, int(n));
    close(out[0]);
    if (killed) {
        fig.why = QStringLiteral("stopped after %1 s, peak %2 MB so far")
                      .arg(t.elapsed() / 1000)
                      .arg(fig.peakKiB / 1024);
        return fig;
    }
    const QList<QByteArray> f = text.trimmed().split(' ');
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || f.size() != 6) {
        fig.why = WIFSIGNALED(status) ? QStringLiteral("died of signal %1").arg(WTERMSIG(status))
                                      : QStringLiteral("failed");
        return fig;
    }
    fig.ok = true;
    fig.ms = f[0].toLongLong();
    fig.baseKiB = f[1].toLong();
    fig.peakKiB = f[2].toLong();
    fig.rows = f[3].toInt();
    fig.columns = f[4].toInt();
    fig.views = f[5].toInt();
    return fig;
}
}

int main(int argc, char** argv)
{
    if (argc == 3 && QByteArray(argv[1]) == "--one")
        return measureOne(1, argv, QFile::decodeName(argv[2]));

    int limitS = 3;
    int limitMB = 500;
    QStringList files;
    for (int i = 1; i < argc; ++i) {
        const QByteArray a(argv[i]);
        if (a == "--limit-s" && i + 1 < argc) {
            limitS = std::atoi(argv[++i]);
        } else if (a == "--limit-mb" && i + 1 < argc) {
            limitMB = std::atoi(argv[++i]);
        } else {
            const QString p = QFile::decodeName(a);
            if (QFileInfo(p).isDir()) {
                const QDir d(p);
                for (const QString& f : d.entryList({"*.stat", "*.csv"}, QDir::Files, QDir::Name))
                    files << d.filePath(f);
            } else {
                files << p;
            }
        }
    }
    if (files.isEmpty()) {
        std::fprintf(stderr, "usage: %s [--limit-s S] [--limit-mb M] <file or folder>...\n",
                     argv[0]);
        return 2;
    }

    // /proc/self/exe: the child is this very program, wherever it was started from.
    const QByteArray self = QFile::encodeName(QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget());
    bool allWithin = true;
    std::printf("%-42s %8s %9s %9s %7s %7s %6s  %s\n", "file", "ms", "base_MB", "peak_MB",
                "rows", "cols", "views", "verdict");
    for (const QString& path : files) {
        const Figures fig = runChild(self.constData(), path, limitS);
        const QString name = QFileInfo(path).fileName();
        if (!fig.ok) {
            allWithin = false;
            std::printf("%-42s %s\n", qPrintable(name), qPrintable(fig.why));
            continue;
        }
        const double peakMB = fig.peakKiB / 1024.0;
        const bool within = fig.ms <= limitS * 1000 && peakMB <= limitMB;
        allWithin = allWithin && within;
        std::printf("%-42s %8lld %9.1f %9.1f %7d %7d %6d  %s\n", qPrintable(name), fig.ms,
                    fig.baseKiB / 1024.0, peakMB, fig.rows, fig.columns, fig.views,
                    within ? "within limits" : "OVER LIMIT");
    }
    std::fflush(stdout);
    return allWithin ? 0 : 1;
}
