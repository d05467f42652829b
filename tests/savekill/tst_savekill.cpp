#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include "core/spaltenspeicher.h"
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <cstdio>
#include <cstring>

#include "io/statistikdatei.h"
#include "io/umfragedokument.h"

// A save killed at any moment leaves the statistic file complete: the state from
// before the save or the one saved, never a mixture or a cut file. The saving is done
// by this same program, started again as a child with "--save-child <file>".

namespace {
// The state the child saves: large enough that writing it takes a while.
constexpr int newRows = 20000;
constexpr int newColumns = 10;
const QStringList newViewTypes = {QStringLiteral("Häufigkeit"), QStringLiteral("Direkt"),
                                  QStringLiteral("Häufigkeit %")};

// The state the file holds before each save.
constexpr int oldRows = 3;
constexpr int oldColumns = 2;

QString cellText(int r, int c)
{
    return QStringLiteral("Antwort %1/%2").arg(r % 97).arg(c);
}

void fillState(UmfrageDokument& v, int rows, int columns, const QString& prefix, const QStringList& views)
{
    v.clearViews();
    SpaltenSpeicher* m = v.dataModel();
    m->clear();
    m->setColumnCount(columns);
    QStringList titles;
    for (int c = 0; c < columns; ++c)
        titles << QStringLiteral("%1 %2").arg(prefix).arg(c + 1);
    m->setHorizontalHeaderLabels(titles);
    for (int r = 0; r < rows; ++r) {
        QVariantList row;
        for (int c = 0; c < columns; ++c)
            row << QVariant(prefix + cellText(r, c));
        m->zeileAnfuegen(row);
    }
    for (int i = 0; i < views.size(); ++i)
        v.createView(views.at(i), QStringLiteral("BalkenDiagram(V)"), {i % columns},
                     views.at(i), QString());
}

// Child: builds the new state, says "ready", saves, says "saved".
int saveChild(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    UmfrageDokument v;
    fillState(v, newRows, newColumns, QStringLiteral("neu "), newViewTypes);
    std::fputs("ready\n", stdout);
    std::fflush(stdout);
    const bool ok = v.save(QString::fromLocal8Bit(argv[2]));
    std::fputs(ok ? "saved\n" : "failed\n", stdout);
    std::fflush(stdout);
    return ok ? 0 : 1;
}

struct FileState {
    StatistikDatei::Result result = StatistikDatei::NotStatFile;
    int rows = -1, columns = -1, views = -1;
    QString firstCell, lastCell;
};
}

class TstSaveKill : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase() { delete m_window; }
    void killedSaveLeavesCompleteFile_data();
    void killedSaveLeavesCompleteFile();

private:
    void writeOldState();
    FileState readFile();
    QProcess* startChild();

    QTemporaryDir m_dir;
    QString m_path;
    UmfrageDokument* m_window = nullptr;
    qint64 m_saveMs = 0;
};

void TstSaveKill::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_path = m_dir.filePath(QStringLiteral("stand.stat"));
    m_window = new UmfrageDokument;

    // An undisturbed save, timed from "ready" to its end: the kills are spread over it.
    writeOldState();
    QScopedPointer<QProcess> child(startChild());
    QVERIFY(child->waitForReadyRead(60000));
    QElapsedTimer t;
    t.start();
    QByteArray said = child->readAll();
    while (!said.contains("saved") && child->waitForReadyRead(120000))
        said += child->readAll();
    m_saveMs = t.elapsed();
    QVERIFY(child->waitForFinished(120000));
    QCOMPARE(child->exitCode(), 0);
    const FileState s = readFile();
    QCOMPARE(s.result, StatistikDatei::Ok);
    QCOMPARE(s.rows, newRows);
    QCOMPARE(s.views, newViewTypes.size());
    qInfo("an undisturbed save takes %lld ms", m_saveMs);
}

void TstSaveKill::writeOldState()
{
    fillState(*m_window, oldRows, oldColumns, QStringLiteral("alt "), {QStringLiteral("Direkt")});
    QVERIFY(m_window->save(m_path));
    const FileState s = readFile();
    QCOMPARE(s.rows, oldRows);
}

QProcess* TstSaveKill::startChild()
{
    auto* p = new QProcess;
    p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p->start(QCoreApplication::applicationFilePath(), {QStringLiteral("--save-child"), m_path});
    return p;
}

FileState TstSaveKill::readFile()
{
    FileState s;
    QFile f(m_path);
    if (!f.open(QIODevice::ReadOnly))
        return s;
    quint16 version = 0;
    s.result = StatistikDatei::checkHeader(&f, &version);
    if (s.result != StatistikDatei::Ok)
        return s;
    m_window->clearViews();
    SpaltenSpeicher* m = m_window->dataModel();
    m->clear();
    const StatistikDatei::Outcome o = m_window->readStatFile(&f, version);
    s.result = o.result;
    s.rows = m->rowCount();
    s.columns = m->columnCount();
    s.views = m_window->viewCount() - 1;
    if (s.rows > 0 && s.columns > 0) {
        s.firstCell = m->index(0, 0).data().toString();
        s.lastCell = m->index(s.rows - 1, s.columns - 1).data().toString();
    }
    return s;
}

void TstSaveKill::killedSaveLeavesCompleteFile_data()
{
    QTest::addColumn<double>("share");
    // Kill moments as shares of an undisturbed save, from its start to just after it.
    for (double share : {0.0, 0.15, 0.3, 0.5, 0.7, 0.9, 1.2})
        QTest::newRow(qPrintable(QStringLiteral("at %1 %").arg(int(share * 100)))) << share;
}

void TstSaveKill::killedSaveLeavesCompleteFile()
{
    QFETCH(double, share);
    writeOldState();
    QScopedPointer<QProcess> child(startChild());
    QVERIFY(child->waitForReadyRead(60000));
    QThread::msleep(ulong(share * m_saveMs));
    child->kill();   // SIGKILL: nothing in the child runs any more
    QVERIFY(child->waitForFinished(60000));

    const FileState s = readFile();
    QCOMPARE(s.result, StatistikDatei::Ok);
    const bool isOld = s.rows == oldRows && s.columns == oldColumns && s.views == 1
        && s.firstCell == QStringLiteral("alt ") + cellText(0, 0)
        && s.lastCell == QStringLiteral("alt ") + cellText(oldRows - 1, oldColumns - 1);
    const bool isNew = s.rows == newRows && s.columns == newColumns
        && s.views == newViewTypes.size()
        && s.firstCell == QStringLiteral("neu ") + cellText(0, 0)
        && s.lastCell == QStringLiteral("neu ") + cellText(newRows - 1, newColumns - 1);
    qInfo("file after the kill: %s", isOld ? "old state" : isNew ? "new state" : "neither");
    QVERIFY2(isOld || isNew, qPrintable(QStringLiteral("%1 rows, %2 columns, %3 views")
                                            .arg(s.rows).arg(s.columns).arg(s.views)));
}

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--save-child") == 0)
        return saveChild(argc, argv);
    QApplication app(argc, argv);
    TstSaveKill t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_savekill.moc"
