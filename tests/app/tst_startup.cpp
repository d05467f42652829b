#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

// Starts the real program and checks that it comes up with its window and the
// demonstration data and shuts down cleanly, writing its window settings.
class TstStartup : public QObject
{
    Q_OBJECT
private slots:
    void startsAndEndsCleanly();
};

void TstStartup::startsAndEndsCleanly()
{
    QTemporaryDir home;
    QVERIFY(home.isValid());
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("XDG_CONFIG_HOME", home.path());
    env.insert("QUORVANDEL7_STARTUP_REPORT", "1");
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(QUORVANDEL7_EXE), {});
    QVERIFY(p.waitForStarted());
    QVERIFY(p.waitForFinished(120000));
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QCOMPARE(p.exitCode(), 0);
    const QString out = QString::fromUtf8(p.readAllStandardOutput());
    QVERIFY2(out.contains("title=quorvandel7\n"), qPrintable(out));
    QVERIFY2(out.contains("rows=100\n"), qPrintable(out));
    QVERIFY2(out.contains("columns=9\n"), qPrintable(out));

    QSettings written(home.path() + "/Orvinsk/quorvandel7.conf", QSettings::IniFormat);
    QCOMPARE(written.value("MainWindow/size").toSize(), QSize(800, 550));
    QVERIFY(!written.value("MainWindow/state").toByteArray().isEmpty());
}

QTEST_MAIN(TstStartup)
#include "tst_startup.moc"
