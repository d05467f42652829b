#include <QDataStream>
#include <QFile>
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
    void commandLineFile_data();
    void commandLineFile();

private:
    static QString run(const QStringList& args, const QString& home, int* exitCode);
};

QString TstStartup::run(const QStringList& args, const QString& home, int* exitCode)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("XDG_CONFIG_HOME", home);
    env.insert("QUORVANDEL7_STARTUP_REPORT", "1");
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(QUORVANDEL7_EXE), args);
    if (!p.waitForStarted() || !p.waitForFinished(120000))
        return QString();
    *exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return QString::fromUtf8(p.readAllStandardOutput());
}

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

void TstStartup::commandLineFile_data()
{
    QTest::addColumn<int>("arguments");
    QTest::addColumn<bool>("loads");
    QTest::newRow("one argument loads it") << 1 << true;
    QTest::newRow("two arguments load nothing") << 2 << false;
}

void TstStartup::commandLineFile()
{
    QFETCH(int, arguments);
    QFETCH(bool, loads);
    QTemporaryDir home;
    // A statistic file of one column, two rows and no views, named with an umlaut.
    const QString path = home.path() + "/Übersicht.stat";
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QDataStream s(&f);
    s.setVersion(QDataStream::Qt_4_6);
    s << qint32(0xFFAA01BB) << qint16(5) << qint32(2) << qint32(1);
    s << false << QVariant(QString("Frage")) << QString() << QString() << QString() << QString();
    s << QVariant(QString("ja")) << QVariant(QString("nein")) << qint32(1);
    f.close();

    QStringList args{path};
    if (arguments == 2)
        args << path;
    int rc = -1;
    const QString out = run(args, home.path(), &rc);
    QCOMPARE(rc, 0);
    if (loads) {
        QVERIFY2(out.contains("title=quorvandel7 - " + path + "\n"), qPrintable(out));
        QVERIFY2(out.contains("rows=2\ncolumns=1\n"), qPrintable(out));
    } else {
        QVERIFY2(out.contains("title=quorvandel7\n"), qPrintable(out));
        QVERIFY2(out.contains("rows=100\n"), qPrintable(out));
    }
}

QTEST_MAIN(TstStartup)
#include "tst_startup.moc"
