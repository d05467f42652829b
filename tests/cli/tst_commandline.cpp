#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include "analyses/haeufigkeitsdiagramadapter.h"
#include "app/commandlinereport.h"
#include "app/view.h"
#include "diagrams/balkendiagram_h.h"
#include "diagrams/diagram.h"
#include "diagrams/viewpicture.h"
#include "diagrams/xyplotter.h"
#include "io/officepaket.h"
#include "io/umfragedokument.h"
#include "plattformexporte.h"
#include "scriptedanswerer.h"
#include <QStackedWidget>
#include <QPainter>
#include "core/gewichtung.h"
#include "core/spaltenspeicher.h"

// Starts the program as a shell script would: the report from the command line on small
// files of the test's own, and the tree that "cmake --install" leaves.
class TstCommandLine : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void csvReportWithViewsInOrder();
    void pdfReportByItsEnding();
    void spssSurveyToReportAndWorkbook();
    void surveyMonkeyViewsThenViewsFile();
    void platformExportsReport_data();
    void platformExportsReport();
    void templateOnNextMonthsSurvey();
    void statFileReport();
    void reportFollowsDesktopNumbers();
    void crosstabReport();
    void reportPicturesSayWhatTheyShow();
    void failures_data();
    void failures();
    void usage_data();
    void usage();
    void installedTree();

private:
    struct Result {
        int code = -2;
        QString out;
        QStringList errLines;
    };
    // Locale variables: set to the value given, removed where it is empty.
    Result run(const QStringList& args, const QMap<QString, QString>& locale = {});
    QString path(const QString& name) const { return m_dir->filePath(name); }
    void write(const QString& name, const QByteArray& bytes);
    // The report's H2 headings in order.
    static QStringList headings(const QString& html);
    // Checks every picture the report names exists and is a real image; their count.
    static int checkPictures(const QString& reportFile);

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TstCommandLine::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QDir(m_dir->path()).mkpath("config");
    QDir(m_dir->path()).mkpath("runtime");
    QFile::setPermissions(path("runtime"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TstCommandLine::Result TstCommandLine::run(const QStringList& args,
                                           const QMap<QString, QString>& locale)
{
    Result r;
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // The report needs no display: the program picks the offscreen platform itself.
    env.remove("QT_QPA_PLATFORM");
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    env.insert("XDG_CONFIG_HOME", path("config"));
    env.insert("XDG_RUNTIME_DIR", path("runtime"));
    for (auto it = locale.cbegin(); it != locale.cend(); ++it) {
        if (it.value().isEmpty())
            env.remove(it.key());
        else
            env.insert(it.key(), it.value());
    }
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(m_dir->path());
    p.start(QStringLiteral(QUORVANDEL7_EXE), args);
    if (!p.waitForStarted() || !p.waitForFinished(120000))
        return r;
    r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.errLines = QString::fromUtf8(p.readAllStandardError()).split('\n', Qt::SkipEmptyParts);
    return r;
}

void TstCommandLine::write(const QString& name, const QByteArray& bytes)
{
    QFile f(path(name));
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

QStringList TstCommandLine::headings(const QString& html)
{
    QStringList out;
    static const QRegularExpression h2("<H2>(.*?)</H2>");
    for (auto it = h2.globalMatch(html); it.hasNext();)
        out << it.next().captured(1);
    return out;
}

int TstCommandLine::checkPictures(const QString& reportFile)
{
    QFile f(reportFile);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QString html = QString::fromUtf8(f.readAll());
    static const QRegularExpression img("<IMG src=\"([^\"]+)\"");
    int n = 0;
    for (auto it = img.globalMatch(html); it.hasNext();) {
        const QString src = it.next().captured(1);
        const QImage picture(QFileInfo(reportFile).dir().filePath(src));
        if (picture.isNull() || picture.width() < 100 || picture.height() < 100)
            return -1;
        ++n;
    }
    return n;
}

// The report with its date (dd.MM.yyyy) replaced by "DATUM": the run may cross midnight.
static QString readAll(const QString& name)
{
    QFile f(name);
    static const QRegularExpression date("\\d\\d\\.\\d\\d\\.\\d{4}");
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()).replace(date, "DATUM")
                                       : QString();
}

static const char ViewsHead[] = "#Erstellt mit quorvandel7\n#Views Version:5\n";

void TstCommandLine::csvReportWithViewsInOrder()
{
    write("umfrage.csv", "Frage <1>;Note\nja & nein;1\nja & nein;2\nnein;2\n");
    write("ansichten.csv",
          QByteArray(ViewsHead)
              + "\"Balken <b>\";\"Single\";\"Häufigkeit\";\"0\";\"BalkenDiagram(V)\";\"\";\"\"\n"
                "\"Wolke\";\"Single\";\"Häufigkeit\";\"0\";\"Wolkendiagramm\";\"\";\"\"\n"
                "\"Tabelle & Co\";\"Single\";\"Häufigkeit\";\"1\";\"Tabelle\";\"\";\"\"\n"
                "\"Torte\";\"Single\";\"Häufigkeit %\";\"1\";\"TortenDiagram\";\""
              + QByteArray("Notiz: a &lt; b").toBase64() + "\";\"\"\n");
    const Result r = run({"--report", "bericht.html", "--views", "ansichten.csv", "umfrage.csv"});
    QCOMPARE(r.code, 0);
    // The unknown type is named, the view skipped, the rest applied.
    QCOMPARE(r.errLines.size(), 1);
    QVERIFY(r.errLines.first().startsWith("quorvandel7: Warnung: ansichten.csv"));
    QVERIFY(r.errLines.first().contains("\"Wolkendiagramm\""));

    const QString html = readAll(path("bericht.html"));
    // No per-column views of the CSV import: only the views file's, in its order,
    // their texts escaped.
    QCOMPARE(headings(html),
             QStringList({"Balken &lt;b&gt;", "Tabelle &amp; Co", "Torte"}));
    QVERIFY(html.contains("<PRE>Notiz: a &lt; b</PRE>"));
    QVERIFY(html.contains("<TABLE>"));
    QVERIFY(html.contains("<IMG src=\"bericht_files/diagram1.png\" alt=\"Balken &lt;b&gt;\" >"));
    QCOMPARE(checkPictures(path("bericht.html")), 2);
    // The data file names the report, as a statistic file would.
    QVERIFY(html.contains("<TITLE>umfrage.csv \u2013 DATUM</TITLE>"));
    QVERIFY(html.contains("<H1>umfrage.csv \u2013 DATUM</H1>"));
}

void TstCommandLine::templateOnNextMonthsSurvey()
{
    // Last month's survey had Alter, Wohnort, Note; this month's lacks Wohnort and
    // holds the others in another order.
    write("juni.csv", "Note;Alter\n1;20\n2;30\n2;40\n");
    auto title = [](const char* t) { return "\"" + QByteArray(t).toBase64() + "\""; };
    write("vorlage.csv",
          QByteArray(ViewsHead) + "#Spalten:1:" + title("Alter") + "\n"
              + "\"Alter\";\"Single\";\"Häufigkeit\";\"0\";\"Tabelle\";\"\";\"\"\n"
              + "#Spalten:2:" + title("Wohnort") + "\n"
              + "\"Wohnort\";\"Single\";\"Häufigkeit\";\"1\";\"Tabelle\";\"\";\"\"\n"
              + "#Spalten:3:" + title("Note") + "\n"
              + "\"Note\";\"Single\";\"Häufigkeit\";\"2\";\"Tabelle\";\"\";\"\"\n");
    const Result r = run({"--report", "juni.html", "--views", "vorlage.csv", "juni.csv"});
    QCOMPARE(r.code, 0);
    QCOMPARE(r.errLines.size(), 1);
    QVERIFY(r.errLines.first().startsWith("quorvandel7: Warnung: vorlage.csv"));
    QVERIFY(r.errLines.first().contains("\"Wohnort\""));
    const QString html = readAll(path("juni.html"));
    QCOMPARE(headings(html), QStringList({"Alter", "Note"}));
    // Each view counts its own question: the ages under Alter, the marks under Note.
    const qsizetype note = html.indexOf("<H2>Note");
    QVERIFY(note > 0);
    QVERIFY(html.left(note).contains("<TD>40</TD>"));
    QVERIFY(!html.mid(note).contains("<TD>40</TD>"));
    QVERIFY(html.mid(note).contains("<TD>2</TD>"));
}

void TstCommandLine::pdfReportByItsEnding()
{
    write("umfrage.csv", "Frage;Note\nja;1\nnein;2\n");
    write("ansichten.csv",
          QByteArray(ViewsHead)
              + "\"Balken\";\"Single\";\"Häufigkeit\";\"0\";\"BalkenDiagram(V)\";\"\";\"\"\n");
    const Result r = run({"--report", "bericht.PDF", "--views", "ansichten.csv", "umfrage.csv"});
    QCOMPARE(r.code, 0);
    QVERIFY(readAll(path("bericht.PDF")).startsWith("%PDF"));
    QVERIFY(!QDir(path("bericht.PDF_files")).exists());
}

void TstCommandLine::spssSurveyToReportAndWorkbook()
{
    QVERIFY(QFile::copy(QT_TESTCASE_SOURCEDIR "/io/data/umfrage.sav", path("umfrage.sav")));
    write("ansichten.csv",
          QByteArray(ViewsHead)
              + "\"Noten\";\"Single\";\"Häufigkeit\";\"2\";\"Tabelle\";\"\";\"\"\n");
    const Result r = run({"--report", "bericht.html", "--xlsx", "mappe.xlsx", "--pptx",
                          "folien.pptx", "--views", "ansichten.csv", "umfrage.sav"});
    QCOMPARE(r.code, 0);
    const QString html = readAll(path("bericht.html"));
    QCOMPARE(headings(html), QStringList({"Noten"}));
    // The value labels are the answers.
    QVERIFY(html.contains("befriedigend"));
    QVERIFY(readAll(path("mappe.xlsx")).startsWith("PK"));
    // The deck beside them: the table view as a table on its slide.
    OfficePaket deck;
    QVERIFY(deck.lesen(path("folien.pptx"), nullptr));
    const QString slide = QString::fromUtf8(deck.teile.value("ppt/slides/slide1.xml"));
    QVERIFY(slide.contains(">Noten<"));
    QVERIFY(slide.contains("<a:tbl>"));
    QVERIFY(slide.contains(">befriedigend<"));

    write("kaputt.sav", "$FL2 nicht mehr");
    const Result bad = run({"--xlsx", "x.xlsx", "kaputt.sav"});
    QCOMPARE(bad.code, 1);
    QCOMPARE(bad.errLines.size(), 1);
    QVERIFY(!QFile::exists(path("x.xlsx")));
}

void TstCommandLine::surveyMonkeyViewsThenViewsFile()
{
    write("sm.csv",
          "Wohnort,Alter,Kommentar\n"
          "Response,Response,Open-Ended Response\n"
          "Berlin,20,gut\nHamburg,30,schlecht\nBerlin,40,\n");
    write("ansichten.csv",
          QByteArray(ViewsHead)
              + "\"Alter direkt\";\"Single\";\"Direkt\";\"1\";\"BalkenDiagram(V)\";\"\";\"\"\n");
    Result r = run({"--report", "sm.html", "--surveymonkey", "--views", "ansichten.csv", "sm.csv"});
    QCOMPARE(r.code, 0);
    QCOMPARE(r.errLines, QStringList());
    QCOMPARE(headings(readAll(path("sm.html"))),
             QStringList({"Balken: Wohnort", "Balken: Alter", "Torten:Wohnort", "Torten:Alter",
                          "Alter direkt"}));
    QCOMPARE(checkPictures(path("sm.html")), 5);

    // Without a views file: the import's own views only.
    r = run({"--report", "sm2.html", "--surveymonkey", "sm.csv"});
    QCOMPARE(r.code, 0);
    QCOMPARE(headings(readAll(path("sm2.html"))).size(), 4);
}

void TstCommandLine::platformExportsReport_data()
{
    QTest::addColumn<int>("art");
    QTest::addColumn<QString>("firstView");
    QTest::newRow("Qualtrics") << 0 << "Welche Getränke mögen Sie?";
    QTest::newRow("Qualtrics xlsx") << 1 << "Welche Getränke mögen Sie?";
    QTest::newRow("Google Forms") << 2 << "Welche Sprachen sprechen Sie?";
    QTest::newRow("LimeSurvey") << 3 << "Welches Obst essen Sie?";
    QTest::newRow("LimeSurvey SPSS") << 4 << "Balken: Gefällt Ihnen das?";
    QTest::newRow("KoboToolbox") << 5 << "Welches Obst mögen Sie?";
    QTest::newRow("Triple-S") << 6 << "Medien";
}

void TstCommandLine::platformExportsReport()
{
    // Read as the window reads them, without the question what was recognised.
    QFETCH(int, art);
    QFETCH(QString, firstView);
    const QString dir = m_dir->path();
    const QString file = art == 0 ? PlattformExporte::qualtricsCsv(dir, true)
        : art == 1                ? PlattformExporte::qualtricsXlsx(dir)
        : art == 2                ? PlattformExporte::googleForms(dir, true)
        : art == 3                ? PlattformExporte::limeSurveyCsv(dir, true)
        : art == 4                ? PlattformExporte::limeSurveySps(dir)
        : art == 5                ? PlattformExporte::koboCsv(dir, true)
                                  : PlattformExporte::tripleS(dir, false);
    const Result r = run({"--report", "plattform.html", file});
    QCOMPARE(r.code, 0);
    QCOMPARE(r.errLines, QStringList());
    const QStringList views = headings(readAll(path("plattform.html")));
    QVERIFY(!views.isEmpty());
    QCOMPARE(views.first(), firstView);
    QCOMPARE(checkPictures(path("plattform.html")), views.size());
}

void TstCommandLine::statFileReport()
{
    write("umfrage.csv", "Frage;Note\nja;1\nnein;2\n");
    {
        UmfrageDokument v;
    v.createDemo();
        QVERIFY(v.importData(path("umfrage.csv")));
        QVERIFY(v.createView("Häufigkeit", "TortenDiagram", {0}, "Erste", "<b>fett</b>"));
        QVERIFY(v.createView("Direkt", "Tabelle", {1}, "Zweite", ""));
        QVERIFY(v.createView("Häufigkeit", "BalkenDiagram(H)", {1}, "Dritte", ""));
        QVERIFY(v.save(path("stand.stat")));
    }
    const Result r = run({"--report", "stand.html", "stand.stat"});
    QCOMPARE(r.code, 0);
    QCOMPARE(r.errLines, QStringList());
    const QString html = readAll(path("stand.html"));
    QVERIFY(html.contains("<TITLE>stand.stat \u2013 DATUM</TITLE>"));
    QVERIFY(html.contains("<H1>stand.stat \u2013 DATUM</H1>"));
    QCOMPARE(headings(html), QStringList({"Erste", "Zweite", "Dritte"}));
    QVERIFY(html.contains("<PRE>fett</PRE>"));
    QCOMPARE(checkPictures(path("stand.html")), 2);
}

void TstCommandLine::reportFollowsDesktopNumbers()
{
    // 4 of 15 answered "ja": 26.6667 percent, as a table in the report.
    write("umfrage.csv", "Antwort\n" + QByteArray("ja\n").repeated(4)
                             + QByteArray("nein\n").repeated(11));
    write("ansichten.csv",
          QByteArray(ViewsHead)
              + "\"Anteil\";\"Single\";\"Häufigkeit %\";\"0\";\"Tabelle\";\"\";\"\"\n");
    const QStringList args{"--views", "ansichten.csv", "umfrage.csv"};
    const Result c = run(QStringList{"--report", "c.html"} + args, {{"LC_ALL", "C.UTF-8"}});
    QCOMPARE(c.code, 0);
    const QString head = "<HTML><HEAD><meta http-equiv=\"Content-Type\" content=\"text/html; "
                         "charset=utf-8\"><TITLE>umfrage.csv \u2013 DATUM</TITLE></HEAD><BODY>"
                         "<H1>umfrage.csv \u2013 DATUM</H1>"
                         "<H2>Anteil</H2><PRE></PRE><P>n = 15</P>"
                         "<TABLE><TR><TD></TD><TD>ja</TD><TD>nein</TD>"
                         "</TR><TR><TD></TD><TD>";
    QCOMPARE(readAll(path("c.html")),
             head + "26.6667%</TD><TD>73.3333%</TD></TR></TABLE></BODY></HTML>");

    const Result de = run(QStringList{"--report", "de.html"} + args,
                          {{"LC_ALL", ""}, {"LC_NUMERIC", ""}, {"LANG", "de_DE.UTF-8"}});
    QCOMPARE(de.code, 0);
    QCOMPARE(de.errLines, QStringList());
    QCOMPARE(readAll(path("de.html")),
             head + "26,6667%</TD><TD>73,3333%</TD></TR></TABLE></BODY></HTML>");
}

void TstCommandLine::crosstabReport()
{
    write("umfrage.csv", "Frage;Gruppe;Gewicht\nja;a;2\nnein;a;1\nja;b;1\nja;b;x\n");
    {
        UmfrageDokument v;
    v.createDemo();
        QVERIFY(v.importData(path("umfrage.csv")));
        Gewichtung::of(v.dataModel())->setSpalte(2);
        QVERIFY(v.createView("", "Kreuztabelle", {0, 1}, "Kreuz", ""));
        QVERIFY(v.save(path("kreuz.stat")));
    }
    const Result r = run({"--report", "kreuz.html", "kreuz.stat"});
    QCOMPARE(r.code, 0);
    QCOMPARE(r.errLines, QStringList());
    const QString html = readAll(path("kreuz.html"));
    QCOMPARE(headings(html), QStringList({"Kreuz"}));
    QVERIFY(html.contains("<TR><TH>Frage</TH><TH>Gesamt</TH><TH>Gruppe: a (A)</TH>"
                          "<TH>Gruppe: b (B)</TH></TR>"));
    QVERIFY(html.contains("<TR><TD>ja</TD><TD>3.0 75.0 %</TD><TD>2.0 66.7 %</TD>"
                          "<TD>1.0 100.0 %</TD></TR>"));
    QVERIFY(html.contains("<P>gewichtet mit Gewicht</P><P>1 Befragte ohne gültiges Gewicht</P>"));
    QCOMPARE(checkPictures(path("kreuz.html")), 0);
}

void TstCommandLine::failures_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("named");

    QTest::newRow("missing data file") << QStringList{"--report", "r.html", "fehlt.csv"} << "fehlt.csv";
    QTest::newRow("missing statistic file") << QStringList{"--report", "r.html", "fehlt.stat"}
                                            << "fehlt.stat";
    QTest::newRow("damaged statistic file") << QStringList{"--report", "r.html", "kaputt.stat"}
                                            << "kaputt.stat";
    QTest::newRow("not a statistic file") << QStringList{"--report", "r.html", "text.stat"}
                                          << "text.stat";
    QTest::newRow("missing views file")
        << QStringList{"--report", "r.html", "--views", "fehlt.csv", "daten.csv"} << "fehlt.csv";
    QTest::newRow("unwritable report")
        << QStringList{"--report", "daten.csv/r.html", "daten.csv"} << "daten.csv/r.html";
    QTest::newRow("empty data file") << QStringList{"--report", "r.html", "leer.csv"}
                                     << "leer.csv";
    QTest::newRow("binary data file") << QStringList{"--report", "r.html", "binaer.csv"}
                                      << "binaer.csv";
    // A deck is updated only where it is one; a template must be one.
    QTest::newRow("existing file no deck") << QStringList{"--pptx", "text.stat", "daten.csv"}
                                           << "text.stat";
    QTest::newRow("template no deck")
        << QStringList{"--pptx", "d.pptx", "--pptx-template", "daten.csv", "daten.csv"}
        << "daten.csv";
    QTest::newRow("binary SurveyMonkey export")
        << QStringList{"--report", "r.html", "--surveymonkey", "binaer.csv"} << "binaer.csv";
}

void TstCommandLine::failures()
{
    QFETCH(QStringList, args);
    QFETCH(QString, named);
    write("daten.csv", "A;B\n1;2\n");
    write("text.stat", "A;B\n1;2\n");
    {
        UmfrageDokument v;
        v.createDemo();
        QVERIFY(v.importData(path("daten.csv")));
        for (int i = 0; i < 3; ++i)
            QVERIFY(v.createView("Häufigkeit", "TortenDiagram", {0}, "T", ""));
        QVERIFY(v.save(path("ganz.stat")));
    }
    QFile ganz(path("ganz.stat"));
    QVERIFY(ganz.open(QIODevice::ReadOnly));
    const QByteArray whole = ganz.readAll();
    write("kaputt.stat", whole.left(whole.size() - 20));
    write("leer.csv", "");
    QByteArray binary(200 * 1024, '\0');
    for (int i = 0; i < binary.size(); ++i)
        binary[i] = char((i * 7919) % 251);
    write("binaer.csv", binary);

    const Result r = run(args);
    QCOMPARE(r.code, 1);
    QCOMPARE(r.errLines.size(), 1);
    QVERIFY2(r.errLines.first().startsWith("quorvandel7: Die Datei " + named + " "),
             qPrintable(r.errLines.first()));
    if (QByteArray(QTest::currentDataTag()) == "unwritable report")
        QVERIFY(r.errLines.first().endsWith("konnte nicht vollständig geschrieben werden."));
    if (QByteArray(QTest::currentDataTag()).contains("binary")
        || QByteArray(QTest::currentDataTag()).contains("empty"))
        QVERIFY(r.errLines.first().endsWith("enthält keine Umfrage."));
    QVERIFY(!QFile::exists(path("r.html")));
    QVERIFY(!QFile::exists(path("d.pptx")));
    QCOMPARE(readAll(path("text.stat")), QString("A;B\n1;2\n"));
}

void TstCommandLine::usage_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("stdoutHas");

    QTest::newRow("help") << QStringList{"--help"} << 0 << "--report <bericht.html>";
    QTest::newRow("version") << QStringList{"--version"} << 0 << "quorvandel7 ";
    QTest::newRow("report without data") << QStringList{"--report", "r.html"} << 1 << "";
    QTest::newRow("views without report") << QStringList{"--views", "v.csv", "d.csv"} << 1 << "";
    QTest::newRow("unknown option") << QStringList{"--berichte"} << 1 << "";
    QTest::newRow("template without deck")
        << QStringList{"--pptx-template", "v.pptx", "d.csv"} << 1 << "";
    QTest::newRow("window without display") << QStringList{"stand.stat"} << 1 << "";
}

void TstCommandLine::usage()
{
    QFETCH(QStringList, args);
    QFETCH(int, code);
    QFETCH(QString, stdoutHas);
    const Result r = run(args);
    QCOMPARE(r.code, code);
    if (code == 0) {
        QVERIFY2(r.out.contains(stdoutHas), qPrintable(r.out));
    } else {
        // One German line saying what is wrong; no window was needed to say it.
        QCOMPARE(r.errLines.size(), 1);
        QVERIFY(r.errLines.first().startsWith("quorvandel7: "));
        QVERIFY(!r.errLines.first().contains("Unknown"));
    }
}

void TstCommandLine::installedTree()
{
    const QString prefix = path("prefix");
    QProcess install;
    install.start(QStringLiteral(CMAKE_EXE),
                  {"--install", QStringLiteral(QUORVANDEL7_BUILD_DIR), "--prefix", prefix});
    QVERIFY(install.waitForFinished(120000));
    QVERIFY2(install.exitCode() == 0, install.readAllStandardError().constData());

    QVERIFY(QFileInfo(prefix + "/bin/quorvandel7").isExecutable());
    const QImage icon(prefix + "/share/icons/hicolor/64x64/apps/quorvandel7.png");
    QCOMPARE(icon.size(), QSize(64, 64));

    const QString desktopFile = prefix + "/share/applications/quorvandel7.desktop";
    const QString desktop = readAll(desktopFile);
    QVERIFY(desktop.contains("\nName=quorvandel7\n"));
    QVERIFY(desktop.contains("\nIcon=quorvandel7\n"));
    QVERIFY(desktop.contains("\nCategories=Office;Science;\n"));
    QVERIFY(desktop.contains(QRegularExpression("\nExec=quorvandel7 %[fF]\n")));
    QVERIFY(desktop.contains(QRegularExpression("\nComment=\\S")));

    // The MIME type the entry opens is the one declared for statistic files, with the
    // magic the program writes at offset 0.
    QFile mime(prefix + "/share/mime/packages/quorvandel7.xml");
    QVERIFY(mime.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&mime);
    QString type, glob, magic, offset;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const auto a = xml.attributes();
        if (xml.name() == QLatin1String("mime-type"))
            type = a.value("type").toString();
        else if (xml.name() == QLatin1String("glob"))
            glob = a.value("pattern").toString();
        else if (xml.name() == QLatin1String("match")) {
            magic = a.value("type").toString() + QLatin1Char(' ') + a.value("value").toString();
            offset = a.value("offset").toString();
        }
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QCOMPARE(glob, QString("*.stat"));
    QCOMPARE(magic.toLower(), QString("big32 0xffaa01bb"));
    QCOMPARE(offset, QString("0"));
    QVERIFY(desktop.contains("\nMimeType=" + type + ";\n"));

    const QString validator = QStandardPaths::findExecutable("desktop-file-validate");
    if (validator.isEmpty())
        QSKIP("desktop-file-validate is not installed");
    QProcess validate;
    validate.start(validator, {desktopFile});
    QVERIFY(validate.waitForFinished(60000));
    const QByteArray said = validate.readAllStandardOutput() + validate.readAllStandardError();
    // Hints are advice (two main categories are wanted here); errors and warnings are not.
    QVERIFY2(validate.exitCode() == 0 && !said.contains("error:") && !said.contains("warning:"),
             said.constData());
}

// A monthly report made from the command line: a horizontal bar chart filtered on a
// group, a count chart and an XY plot. Each picture is the view as the program draws
// it, with the filter line, "n = ...", axis numbers and the column titles.
void TstCommandLine::reportPicturesSayWhatTheyShow()
{
    write("umfrage.csv", "Gruppe;Frage;Alter;Punkte\n"
                         "A;ja;20;5\nA;nein;30;9\nB;ja;40;12\nA;ja;50;14\nB;nein;60;20\n");
    {
        // The views are made in the program and kept as a views file.
        ScriptedAnswerer answers;
        UmfrageDokument doc;
        QVERIFY(doc.importData(path("umfrage.csv")));
        auto* bars = qobject_cast<HaeufigkeitsDiagramAdapter*>(doc.createView(
            QString::fromUtf8("Häufigkeit"), "BalkenDiagram(H)", {1}, "Nach Gruppe A", ""));
        QVERIFY(bars);
        bars->setDepFilter("A", 0);
        QVERIFY(doc.createView(QString::fromUtf8("Häufigkeit"), "BalkenDiagram(V)", {1},
                               "Alle", ""));
        QVERIFY(doc.createView("", "XYPlotter", {2, 3}, "Alter und Punkte", ""));
        QVERIFY(doc.exportViewsCSV(path("ansichten.csv")));
        QCOMPARE(answers.unexpected, 0);
    }
    const Result r = run({"--report", "bericht.html", "--views", "ansichten.csv", "umfrage.csv"});
    QCOMPARE(r.code, 0);
    QVERIFY2(r.errLines.isEmpty(), qPrintable(r.errLines.join('\n')));
    QCOMPARE(checkPictures(path("bericht.html")), 3);

    // The same views read back here, drawn at the report's size.
    ScriptedAnswerer answers;
    UmfrageDokument doc;
    QVERIFY(doc.importData(path("umfrage.csv")));
    QVERIFY(doc.importViewsCSV(path("ansichten.csv")));
    QCOMPARE(doc.viewCount(), 4);
    const QSize size = CommandLineReport::PictureSize;

    auto* bars = qobject_cast<HaeufigkeitsDiagramAdapter*>(doc.viewPage(1));
    auto* counts = qobject_cast<HaeufigkeitsDiagramAdapter*>(doc.viewPage(2));
    auto* xy = qobject_cast<XYPlotter*>(doc.viewPage(3));
    QVERIFY(bars && counts && xy);
    QCOMPARE(bars->diagram()->captionLines(), (QStringList{"Filter: Gruppe = A", "n = 3"}));
    QCOMPARE(counts->diagram()->captionLines(), QStringList{"n = 5"});
    // The XY plot names its axes by the columns and numbers them in round steps.
    QImage probe(size, QImage::Format_RGB32);
    QPainter painter(&probe);
    const XYPlotGeometry::Layout l = xy->plotLayout(painter, size);
    painter.end();
    QStringList texts;
    for (const auto& label : l.labels)
        texts << label.text;
    QVERIFY2(texts.contains("Alter") && texts.contains("Punkte"), qPrintable(texts.join('|')));
    QVERIFY2(texts.contains("20") && texts.contains("60"), qPrintable(texts.join('|')));
    QCOMPARE(l.points, 5);
    // The filtered bars (ja 2, nein 1) are numbered on a value axis of whole steps.
    auto* h = qobject_cast<BalkenDiagram_h*>(bars->diagram());
    QVERIFY(h);
    QStringList numbers;
    for (const auto& t : h->barLayout(size, QFontMetrics(h->font()), QFontMetrics(h->font())).axisTexts)
        numbers << t.text;
    QCOMPARE(numbers, (QStringList{"0", "1", "2"}));

    for (int i = 1; i <= 3; ++i) {
        const QImage cli(path(QStringLiteral("bericht_files/diagram%1.png").arg(i)));
        QCOMPARE(cli.size(), size);
        const QImage here = ViewPicture::of(doc.viewPage(i), size);
        QVERIFY2(cli.convertToFormat(QImage::Format_RGB32) == here.convertToFormat(QImage::Format_RGB32),
                 qPrintable(QStringLiteral("picture %1 differs from the view").arg(i)));
    }
    // Without its caption lines the filtered chart's picture is another: they are in it.
    const QImage withLines = ViewPicture::of(bars, size);
    bars->diagram()->setCaption({});
    QVERIFY(ViewPicture::of(bars, size) != withLines);
    QCOMPARE(answers.unexpected, 0);
}

QTEST_MAIN(TstCommandLine)
#include "tst_commandline.moc"
