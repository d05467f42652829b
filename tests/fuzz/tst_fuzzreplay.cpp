#include <QDir>
#include <QFile>
#include <QTest>

#include "fuzzreaders.h"

// Every committed seed and every kept finding goes through its reader again, in every
// build: a fixed crash that comes back fails here, with or without the fuzzers.
class TstFuzzReplay : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { FuzzReaders::setUp(); }
    void cleanupTestCase() { FuzzReaders::tearDown(); }
    void replay_data();
    void replay();
    void everyTargetHasSeeds_data();
    void everyTargetHasSeeds();
};

namespace {
const QString root = QStringLiteral(QV_FUZZ_DIR);

QStringList filesOf(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}
}

void TstFuzzReplay::replay_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("path");
    for (const QString& target : FuzzReaders::names()) {
        for (const QString& kind : {QStringLiteral("corpus"), QStringLiteral("regressions")}) {
            const QString folder = root + QLatin1Char('/') + kind + QLatin1Char('/') + target;
            for (const QString& f : filesOf(folder)) {
                const QString row = target + QLatin1Char('/') + kind + QLatin1Char('/') + f;
                QTest::newRow(qPrintable(row)) << target << folder + QLatin1Char('/') + f;
            }
        }
    }
}

void TstFuzzReplay::replay()
{
    QFETCH(QString, target);
    QFETCH(QString, path);
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    FuzzReaders::Reader read = FuzzReaders::reader(target);
    QVERIFY(read);
    read(f.readAll());
}

void TstFuzzReplay::everyTargetHasSeeds_data()
{
    QTest::addColumn<QString>("target");
    for (const QString& target : FuzzReaders::names())
        QTest::newRow(qPrintable(target)) << target;
}

void TstFuzzReplay::everyTargetHasSeeds()
{
    QFETCH(QString, target);
    QVERIFY(!filesOf(root + QStringLiteral("/corpus/") + target).isEmpty());
}

QTEST_MAIN(TstFuzzReplay)
#include "tst_fuzzreplay.moc"
