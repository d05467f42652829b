#include <QClipboard>
#include <QDate>
#include <QDir>
#include <QGuiApplication>
#include <QMimeData>
#include <QStackedWidget>
#include "core/spaltenspeicher.h"
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QTextEdit>

#include "core/diagramadapter.h"
#include "core/textinhalt.h"
#include "app/view.h"
#include "diagrams/diagram.h"
#include "io/clipboardcopy.h"
#include "io/htmlreport.h"
#include "io/umfragedokument.h"
#include "scriptedanswerer.h"

namespace {
// The report's head up to its main heading, the heading given escaped in both places.
QString head(const QString& heading)
{
    return "<HTML><HEAD><meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">"
           "<TITLE>" + heading + "</TITLE></HEAD><BODY><H1>" + heading + "</H1>";
}

QString paneHtml(const QString& html)
{
    QTextDocument doc;
    doc.setHtml(html);
    return doc.toHtml();
}

QString fileText(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

TextInhalt* tableOf(View& v, int row)
{
    auto* a = dynamic_cast<DiagramAdapter*>(v.document()->viewPage(row));
    return a ? dynamic_cast<TextInhalt*>(a->diagram()) : nullptr;
}

// Three views: a bar chart with a hostile title and notes, a table diagram, a pie.
void makeViews(View& v)
{
    v.document()->clearViews();
    v.document()->createView("Häufigkeit", "BalkenDiagram(V)", {1}, "<Balken> & \"Co\"",
                 paneHtml("<p>Notiz &lt;eins&gt; &amp; mehr</p>"));
    v.document()->createView("Häufigkeit", "Tabelle", {0}, "Tabelle", QString());
    v.document()->createView("Häufigkeit", "TortenDiagram", {2}, "Torte", QString());
    v.widgetChanged(0);
}

bool hasInk(const QImage& img)
{
    for (int y = 0; y < img.height(); y += 2)
        for (int x = 0; x < img.width(); x += 2)
            if ((img.pixel(x, y) & 0xffffff) != 0xffffff)
                return true;
    return false;
}
}

class TstReport : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void reportOfThreeViews();
    void reportOfTheDataTableOnly();
    void headingIsSurveyNameAndDate_data();
    void headingIsSurveyNameAndDate();
    void documentNamesItsSurvey();
    void throughTheMenu();
    void unwritableReportIsReported();
    void clipboardTextForATable();
    void clipboardImageForAChart();

private:
    QTemporaryDir m_dir;
};

void TstReport::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QCoreApplication::setOrganizationName("Orvinsk-Test");
    QCoreApplication::setApplicationName("tst_report");
}

void TstReport::reportOfThreeViews()
{
    View v;
    makeViews(v);
    QDir(m_dir.path()).mkdir("drei");
    const QString path = m_dir.path() + "/drei/bericht.html";
    const HtmlReport::Outcome out =
        HtmlReport::write(path, "/home/u/a&b <c>.stat", *v.document(), QSize(400, 300));
    QVERIFY(out.written);
    QCOMPARE(out.picturesFailed, 0);

    TextInhalt* table = tableOf(v, 2);
    QVERIFY(table);
    QCOMPARE(dynamic_cast<Diagram*>(table)->captionLines().size(), 1);
    QVERIFY(dynamic_cast<Diagram*>(table)->captionLines().first().startsWith("n = "));
    const QString expected = head("/home/u/a&amp;b &lt;c&gt;.stat")
        + "<H2>&lt;Balken&gt; &amp; &quot;Co&quot;</H2><PRE>Notiz &lt;eins&gt; &amp; mehr</PRE>"
          "<IMG src=\"bericht_files/diagram1.png\" alt=\"&lt;Balken&gt; &amp; &quot;Co&quot;\" >"
          "<H2>Tabelle</H2><PRE></PRE>"
        // What the table counts, as a paragraph before it; its cells as before.
        + "<P>" + dynamic_cast<Diagram*>(table)->captionLines().join("<BR>") + "</P>"
        + table->toHTML()
        + "<H2>Torte</H2><PRE></PRE><IMG src=\"bericht_files/diagram3.png\" alt=\"Torte\" >"
          "</BODY></HTML>";
    QCOMPARE(fileText(path), expected);

    const QString folder = m_dir.path() + "/drei/bericht_files";
    QCOMPARE(QDir(folder).entryList(QDir::Files), (QStringList{"diagram1.png", "diagram3.png"}));
    for (const char* name : {"diagram1.png", "diagram3.png"}) {
        QImage img(folder + "/" + QString::fromLatin1(name));
        QCOMPARE(img.size(), QSize(400, 300));
        QVERIFY(hasInk(img));
    }
}

void TstReport::reportOfTheDataTableOnly()
{
    View v;
    v.document()->clearViews();
    const QString path = m_dir.path() + "/leer.html";
    QVERIFY(HtmlReport::write(path, QString(), *v.document()).written);
    QCOMPARE(fileText(path), head(QString()) + "</BODY></HTML>");
    QVERIFY(QDir(m_dir.path() + "/leer_files").exists());
}

void TstReport::headingIsSurveyNameAndDate_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("heading");
    QTest::newRow("statistic file") << "/home/u/monat/stand.stat" << "stand.stat \u2013 09.12.2026";
    QTest::newRow("data file") << "umfrage 12.csv" << "umfrage 12.csv \u2013 09.12.2026";
    QTest::newRow("none") << QString() << "09.12.2026";
}

void TstReport::headingIsSurveyNameAndDate()
{
    QFETCH(QString, file);
    QFETCH(QString, heading);
    QCOMPARE(HtmlReport::heading(file, QDate(2026, 12, 9)), heading);
}

// The report names the file the survey came from: a CSV import names it as a loaded
// statistic file does, without becoming the file that "Speichern" writes.
void TstReport::documentNamesItsSurvey()
{
    QTemporaryDir dir;
    const QString csv = dir.filePath("umfrage.csv");
    {
        QFile f(csv);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("Frage\nja\nnein\n");
    }
    UmfrageDokument doc;
    QVERIFY(doc.importCSV(csv));
    QCOMPARE(doc.surveyFile(), csv);
    QCOMPARE(doc.fileName(), QString());
    const QDate before = QDate::currentDate();
    QVERIFY(doc.exportHTML(dir.filePath("r.html")));
    const QString html = fileText(dir.filePath("r.html"));
    const QDate after = QDate::currentDate();
    QVERIFY(html.startsWith(head(HtmlReport::heading("umfrage.csv", before)))
            || html.startsWith(head(HtmlReport::heading("umfrage.csv", after))));

    QVERIFY(doc.save(dir.filePath("stand.stat")));
    QCOMPARE(doc.surveyFile(), dir.filePath("stand.stat"));
    UmfrageDokument other;
    QVERIFY(other.load(dir.filePath("stand.stat")));
    QCOMPARE(other.surveyFile(), dir.filePath("stand.stat"));
    other.createDemo();
    QCOMPARE(other.surveyFile(), QString());
}

void TstReport::throughTheMenu()
{
    View v;
    makeViews(v);
    // Notes typed for the view on screen reach the report.
    v.widgetChanged(3);
    v.textPane()->setPlainText("gerade getippt");
    QTemporaryDir dir;
    ScriptedAnswerer ans;
    ans.accept(UserInput::SaveFile, dir.path() + "/x.HTML");
    v.exportHTMLFile();
    QCOMPARE(ans.unexpected, 0);
    QCOMPARE(ans.asked.first().title, QString("Exportieren als HTML"));
    QCOMPARE(ans.asked.first().label, QString("HTML (*.html)"));
    QCOMPARE(ans.asked.first().preset.toString(), QDir::homePath());
    QCOMPARE(v.viewArea()->currentIndex(), 0);
    const QString html = fileText(dir.path() + "/x.HTML.html");
    QVERIFY(html.contains("<H2>Torte</H2><PRE>gerade getippt</PRE>"));
    QVERIFY(html.contains("<IMG src=\"x.HTML_files/diagram3.png\" alt=\"Torte\" >"));
    // The report refers to its pictures relative to itself.
    QVERIFY(!html.contains(dir.path()));
    QVERIFY(QFile::exists(dir.path() + "/x.HTML_files/diagram3.png"));
}

void TstReport::unwritableReportIsReported()
{
    View v;
    const QString name = m_dir.path() + "/fehlt/nicht/da.html";
    QFile blocker(m_dir.path() + "/fehlt");
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    ScriptedAnswerer ans;
    ans.accept(UserInput::SaveFile, name).accept(UserInput::Warning, QMessageBox::Ok);
    v.exportHTMLFile();
    QCOMPARE(ans.unexpected, 0);
    QVERIFY(ans.asked.last().label.contains(name));
}

void TstReport::clipboardTextForATable()
{
    View v;
    makeViews(v);
    v.widgetChanged(2);
    QVERIFY(v.actCopy->isEnabled());
    QGuiApplication::clipboard()->clear();
    v.actCopy->trigger();
    const QString expected = tableOf(v, 2)->toText();
    QVERIFY(expected.contains('\t'));
    QCOMPARE(QGuiApplication::clipboard()->text(), expected);
}

void TstReport::clipboardImageForAChart()
{
    View v;
    makeViews(v);
    v.widgetChanged(3);
    v.viewArea()->resize(320, 240);
    v.document()->viewPage(3)->resize(320, 240);
    v.clipCopyView();
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    QVERIFY(mime && mime->hasImage());
    const QImage img = qvariant_cast<QImage>(mime->imageData());
    QCOMPARE(img.size(), QSize(320, 240));
    QVERIFY(hasInk(img));
    QVERIFY(!ClipboardCopy::contentOf(nullptr));
}

QTEST_MAIN(TstReport)
#include "tst_report.moc"
