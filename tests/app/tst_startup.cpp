#include <QDataStream>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QItemSelectionModel>
#include <QSortFilterProxyModel>
#include <QStackedWidget>
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>

#include "analyses/modelmultidiagramadapter.h"
#include "diagrams/tabelle1.h"
#include "app/view.h"
#include "diagrams/tabellendiagramm.h"
#include "scriptedanswerer.h"

// Starts the real program and checks that it comes up with its window and the
// demonstration data and shuts down cleanly, writing its window settings.
class TstStartup : public QObject
{
    Q_OBJECT
private slots:
    void startsAndEndsCleanly();
    void commandLineFile_data();
    void commandLineFile();
    void userWorkSurvivesRestart();

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

// What a user does in one sitting (import, one view per question, a view of two
// questions with its diagram exchanged, save) comes back when the program is started
// again with the saved file.
void TstStartup::userWorkSurvivesRestart()
{
    QTemporaryDir home;
    QVERIFY(home.isValid());
    QCoreApplication::setOrganizationName("Orvinsk");
    QCoreApplication::setApplicationName("quorvandel7-test");
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, home.path());

    const QString csv = home.path() + "/umfrage.csv";
    QFile f(csv);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("#Umfrage\nGeschlecht;Alter;Zufrieden\nw;30;ja\nm;41;nein\nw;30;ja\n");
    f.close();

    View v;
    ScriptedAnswerer ans;
    ans.accept(UserInput::OpenFile, csv)
        .accept(UserInput::Item, "BalkenDiagram(V)")
        .accept(UserInput::Item, QString::fromUtf8("Häufigkeit %"));
    v.actImportCsv->trigger();
    QCOMPARE(v.viewArea()->count(), 4);
    QCOMPARE(v.viewArea()->currentIndex(), 0);

    QTableView* table = v.dataTable()->table();
    table->selectColumn(0);
    table->selectionModel()->select(v.dataTable()->proxy()->index(0, 2),
                                    QItemSelectionModel::Select | QItemSelectionModel::Columns);
    ans.accept(UserInput::Item, "TortenDiagram")
        .accept(UserInput::Item, QString::fromUtf8("Häufigkeit"))
        .accept(UserInput::Text, "Vergleich");
    v.actCreateView->trigger();
    QCOMPARE(v.viewArea()->count(), 5);
    auto* multi = qobject_cast<ModelMultiDiagramAdapter*>(v.viewArea()->widget(4));
    QVERIFY(multi);

    ans.accept(UserInput::Item, "Tabelle");
    multi->typAction();
    QVERIFY(qobject_cast<TabellenDiagramm*>(multi->diagram()));

    ans.accept(UserInput::SaveFile, home.path() + "/arbeit");
    v.actSaveAs->trigger();
    QCOMPARE(ans.pending(), 0);
    QCOMPARE(ans.unexpected, 0);
    const QString saved = home.path() + "/arbeit.stat";
    QVERIFY(QFile::exists(saved));

    int rc = -1;
    const QString out = run({saved}, home.path(), &rc);
    QCOMPARE(rc, 0);
    QVERIFY2(out.contains("title=quorvandel7 - " + saved + "\n"), qPrintable(out));
    QVERIFY2(out.contains("rows=3\ncolumns=3\nviews=5\n"), qPrintable(out));
    const QString expected = QString::fromUtf8(
        "view=Geschlecht|Häufigkeit %|BalkenDiagram(V)|0\n"
        "view=Alter|Häufigkeit %|BalkenDiagram(V)|1\n"
        "view=Zufrieden|Häufigkeit %|BalkenDiagram(V)|2\n"
        "view=Vergleich|Häufigkeit|Tabelle|0,2\n");
    QVERIFY2(out.contains(expected), qPrintable(out));
}

QTEST_MAIN(TstStartup)
#include "tst_startup.moc"
