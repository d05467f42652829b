#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "core/spaltenspeicher.h"
#include <QTextStream>

#include "app/commandlinereport.h"
#include "app/ergebnisanzeige.h"
#include "app/view.h"
#include "io/statistikdatei.h"
#include "io/ergebnis.h"
#include "io/umfragedokument.h"
#include "scriptedanswerer.h"
#include "testutil.h"

// What the file operations come to: the document says it and asks nothing, the window
// shows that very text in a box, the command line prints it.
class TstErgebnis : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void failuresLeaveTheSurveyAndAskNothing_data();
    void failuresLeaveTheSurveyAndAskNothing();
    void damagedFileLoadsWithAWarning();
    void missingColumnsAreAWarning();
    void commandLinePrintsTheOutcome_data();
    void commandLinePrintsTheOutcome();

private:
    QString writeFile(const QString& name, const QByteArray& bytes);
    QString savedSurvey(const QString& name);
    // Runs the operation named on a document with demonstration data.
    static Ergebnis operate(UmfrageDokument& d, const QString& op, const QString& file);
    // The same through the window's entry point; whether it was done.
    static bool operate(View& v, const QString& op, const QString& file);

    QTemporaryDir m_dir;
};

void TstErgebnis::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QCoreApplication::setOrganizationName("Orvinsk-Test");
    QCoreApplication::setApplicationName("tst_ergebnis");
}

QString TstErgebnis::writeFile(const QString& name, const QByteArray& bytes)
{
    const QString path = m_dir.filePath(name);
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
    return path;
}

QString TstErgebnis::savedSurvey(const QString& name)
{
    const QString path = m_dir.filePath(name);
    UmfrageDokument d;
    d.createDemo();
    d.save(path);
    return path;
}

Ergebnis TstErgebnis::operate(UmfrageDokument& d, const QString& op, const QString& file)
{
    if (op == "load")
        return d.load(file);
    if (op == "save")
        return d.save(file);
    if (op == "importCSV")
        return d.importCSV(file);
    if (op == "exportCSV")
        return d.exportCSV(file);
    return d.importViewsCSV(file);
}

bool TstErgebnis::operate(View& v, const QString& op, const QString& file)
{
    if (op == "load")
        return v.load(file);
    if (op == "save")
        return v.save(file);
    if (op == "importCSV")
        return v.importCSV(file, false);
    // The window's own export and views-file import show what the document returns.
    if (op == "exportCSV")
        return ErgebnisAnzeige::zeigen(&v, v.document()->exportCSV(file));
    return ErgebnisAnzeige::zeigen(&v, v.document()->importViewsCSV(file));
}

void TstErgebnis::failuresLeaveTheSurveyAndAskNothing_data()
{
    QTest::addColumn<QString>("op");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");

    const QString stat = savedSurvey("neu.stat");
    QByteArray newer = TestUtil::fileBytes(stat);
    newer[5] = char(StatistikDatei::NewestVersion + 1);
    const QString tooNew = writeFile("neuer.stat", newer);
    const QString notStat = writeFile("text.stat", "A;B\n1;2\n");
    const QString folder = m_dir.filePath("ordner.stat");
    QDir().mkpath(folder);
    const QString comments = writeFile("kommentare.csv", "#eins\n#zwei\n");
    const QString absent = m_dir.filePath("fehlt.csv");

    QTest::newRow("too new") << "load" << tooNew << "Öffnen"
                             << QString("Die Datei %1 stammt von einer neueren "
                                        "Programmversion.").arg(tooNew);
    QTest::newRow("no statistic file") << "load" << notStat << "Öffnen"
                                       << QString("Die Datei %1 konnte nicht gelesen "
                                                  "werden.").arg(notStat);
    QTest::newRow("save into a folder") << "save" << folder << "Speichern"
                                        << QString("Die Datei %1 konnte nicht geschrieben "
                                                   "werden.").arg(folder);
    QTest::newRow("no survey") << "importCSV" << comments << "Import"
                               << QString("Die Datei %1 enthält keine Umfrage.").arg(comments);
    QTest::newRow("export into a folder") << "exportCSV" << folder << "Export"
                                          << QString("Die Datei %1 konnte nicht geschrieben "
                                                     "werden.").arg(folder);
    QTest::newRow("views file absent") << "importViewsCSV" << absent << "Import"
                                       << QString("Die Datei %1 konnte nicht gelesen "
                                                  "werden.").arg(absent);
}

void TstErgebnis::failuresLeaveTheSurveyAndAskNothing()
{
    QFETCH(QString, op);
    QFETCH(QString, file);
    QFETCH(QString, title);
    QFETCH(QString, text);

    UmfrageDokument d;
    d.createDemo();
    const QList<QStringList> cells = TestUtil::cellTexts(d.dataModel());
    const int views = d.viewCount();
    {
        ScriptedAnswerer ans;
        const Ergebnis e = operate(d, op, file);
        QVERIFY(ans.asked.isEmpty());
        QVERIFY(!e);
        QVERIFY(!e.geschafft());
        QVERIFY(e.unveraendert());
        QCOMPARE(e.titel(), title);
        QCOMPARE(e.meldung(), text);
    }
    QCOMPARE(TestUtil::cellTexts(d.dataModel()), cells);
    QCOMPARE(d.viewCount(), views);

    // The window shows the same title and text, once.
    View v;
    ScriptedAnswerer ans;
    ans.accept(UserInput::Warning, UserInput::Ok);
    QVERIFY(!operate(v, op, file));
    QCOMPARE(ans.unexpected, 0);
    QCOMPARE(ans.pending(), 0);
    QCOMPARE(ans.asked.size(), 1);
    QCOMPARE(ans.asked.first().title, title);
    QCOMPARE(ans.asked.first().label, text);
}

void TstErgebnis::damagedFileLoadsWithAWarning()
{
    const QByteArray whole = TestUtil::fileBytes(savedSurvey("ganz.stat"));
    const QString cut = writeFile("kaputt.stat", whole.left(whole.size() - 3));

    UmfrageDokument d;
    Ergebnis e;
    {
        ScriptedAnswerer ans;
        e = d.load(cut);
        QVERIFY(ans.asked.isEmpty());
    }
    // Read as far as it goes: loaded, the state changed, and the text says so.
    QVERIFY(e);
    QVERIFY(!e.unveraendert());
    QCOMPARE(e.titel(), QString("Öffnen"));
    QVERIFY(e.meldung().startsWith(QString("Die Datei %1 ist beschädigt.").arg(cut)));
    QCOMPARE(d.fileName(), cut);
    QVERIFY(d.viewCount() > 1);

    View v;
    ScriptedAnswerer ans;
    ans.accept(UserInput::Warning, UserInput::Ok);
    QVERIFY(v.load(cut));
    QCOMPARE(ans.unexpected, 0);
    QCOMPARE(ans.asked.size(), 1);
    QCOMPARE(ans.asked.first().label, e.meldung());
}

void TstErgebnis::missingColumnsAreAWarning()
{
    // A views file over a question the survey lacks: the other views come, and the
    // document names the question.
    const QString views = m_dir.filePath("ansichten.csv");
    {
        UmfrageDokument d;
        d.createDemo();
        d.dataModel()->setHeaderData(0, Qt::Horizontal, "Nur hier");
        QVERIFY(d.exportViewsCSV(views));
    }
    UmfrageDokument d;
    d.createDemo();
    Ergebnis e;
    {
        ScriptedAnswerer ans;
        e = d.importViewsCSV(views);
        QVERIFY(ans.asked.isEmpty());
    }
    QVERIFY(e);
    QVERIFY(!e.unveraendert());
    QCOMPARE(d.missingColumns(), QStringList{"Nur hier"});
    QCOMPARE(e.meldung(), UmfrageDokument::missingColumnsText({"Nur hier"}));
    QVERIFY(d.viewCount() > 1);

    View v;
    ScriptedAnswerer ans;
    ans.accept(UserInput::Warning, UserInput::Ok);
    QVERIFY(ErgebnisAnzeige::zeigen(&v, v.document()->importViewsCSV(views)));
    QCOMPARE(ans.unexpected, 0);
    QCOMPARE(ans.asked.size(), 1);
    QCOMPARE(ans.asked.first().label, e.meldung());
}

void TstErgebnis::commandLinePrintsTheOutcome_data()
{
    QTest::addColumn<QString>("data");
    QTest::addColumn<QString>("views");
    QTest::addColumn<QString>("report");

    const QString stat = savedSurvey("bericht.stat");
    QByteArray newer = TestUtil::fileBytes(stat);
    newer[5] = char(StatistikDatei::NewestVersion + 1);
    const QByteArray whole = TestUtil::fileBytes(stat);
    const QString folder = m_dir.filePath("bericht.html");
    QDir().mkpath(folder);
    const QString report = m_dir.filePath("r.html");

    QTest::newRow("too new") << writeFile("neuer2.stat", newer) << QString() << report;
    QTest::newRow("damaged") << writeFile("kaputt2.stat", whole.left(whole.size() - 3))
                             << QString() << report;
    QTest::newRow("no survey") << writeFile("leer.csv", "") << QString() << report;
    QTest::newRow("only comments") << writeFile("kommentare2.csv", "#eins\n#zwei\n")
                                   << QString() << report;
    QTest::newRow("views absent") << stat << m_dir.filePath("fehlt.csv") << report;
    QTest::newRow("report unwritable") << stat << QString() << folder;
}

void TstErgebnis::commandLinePrintsTheOutcome()
{
    QFETCH(QString, data);
    QFETCH(QString, views);
    QFETCH(QString, report);

    // What the document says, as it says it.
    QString expected;
    {
        UmfrageDokument d;
        const Ergebnis read = CommandLineReport::isStatFile(data) ? d.load(data)
                                                                  : d.importErkannt(data, false);
        if (read.hatMeldung())
            expected = read.meldung();
        else if (!views.isEmpty())
            expected = d.importViewsCSV(views, false).meldung();
        else
            expected = d.exportReport(report, CommandLineReport::PictureSize).meldung();
    }
    QVERIFY(!expected.isEmpty());

    QFile::remove(report);
    UmfrageDokument d;
    QString err;
    QTextStream stream(&err);
    CommandLineReport cli(d, stream);
    CommandLineReport::Job job;
    job.data = data;
    job.views = views;
    job.report = report;
    ScriptedAnswerer ans;
    QCOMPARE(cli.run(job), 1);
    stream.flush();
    QCOMPARE(err, QCoreApplication::applicationName() + ": " + expected + "\n");
    QVERIFY(ans.asked.isEmpty());
    if (report != m_dir.filePath("bericht.html"))
        QVERIFY(!QFile::exists(report));
}

QTEST_MAIN(TstErgebnis)
#include "tst_ergebnis.moc"
