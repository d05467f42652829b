#include <QClipboard>
#include <QDate>
#include <QFileInfo>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>

#include "app/view.h"
#include "core/diagramadapter.h"
#include "core/textinhalt.h"
#include "diagrams/diagram.h"
#include "io/ansichtdatei.h"
#include "io/clipboardcopy.h"
#include "io/htmlreport.h"
#include "io/pdfbericht.h"
#include "io/umfragedokument.h"
#include "scriptedanswerer.h"

namespace {
QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool inked(const QImage& img)
{
    for (int y = 0; y < img.height(); y += 2)
        for (int x = 0; x < img.width(); x += 2)
            if (qAlpha(img.pixel(x, y)) && (img.pixel(x, y) & 0xffffff) != 0xffffff)
                return true;
    return false;
}

// An SVG that a renderer accepts and that draws something.
bool svgDraws(const QByteArray& svg)
{
    QSvgRenderer r(svg);
    if (!r.isValid())
        return false;
    QImage img(200, 150, QImage::Format_ARGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    r.render(&p);
    p.end();
    return inked(img);
}

// The pages' texts of a PDF through poppler's extractor; empty when it is missing.
QStringList pdfPages(const QString& path)
{
    const QString tool = QStandardPaths::findExecutable("pdftotext");
    if (tool.isEmpty())
        return {};
    QProcess p;
    p.start(tool, {"-layout", path, "-"});
    if (!p.waitForFinished(60000))
        return {};
    QStringList pages = QString::fromUtf8(p.readAllStandardOutput()).split('\f');
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

// A bar chart with notes, a table diagram, a pie.
void makeViews(View& v)
{
    v.document()->clearViews();
    v.document()->createView("Häufigkeit", "BalkenDiagram(V)", {1}, "Balken <1>", "<p>Notiz eins</p>");
    v.document()->createView("Häufigkeit", "Tabelle", {0}, "Tabelle", QString());
    v.document()->createView("Häufigkeit", "TortenDiagram", {2}, "Torte", QString());
    v.widgetChanged(0);
    v.viewArea()->resize(400, 300);
    for (int row = 1; row < v.document()->viewCount(); ++row)
        v.document()->viewPage(row)->resize(400, 300);
}
}

class TstOfficeExport : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void viewPicture_data();
    void viewPicture();
    void saveViewThroughTheMenu();
    void unwritablePictureIsReported();
    void clipboardHasSvgBesideTheImage();
    void pdfReportHoldsEveryView();
    void pdfReportKeepsViewsWhole();
    void pdfReportThroughTheMenu();
    void pdfReportNamesItsSurvey();

private:
    QTemporaryDir m_dir;
};

void TstOfficeExport::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QCoreApplication::setOrganizationName("Orvinsk-Test");
    QCoreApplication::setApplicationName("tst_officeexport");
}

void TstOfficeExport::viewPicture_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("name");
    QTest::newRow("bars as PNG") << 1 << "a.png";
    QTest::newRow("pie as SVG") << 3 << "b.SVG";
    QTest::newRow("pie as PDF") << 3 << "c.pdf";
    // The table diagram is made of child widgets: it goes in as its picture.
    QTest::newRow("table as SVG") << 2 << "d.svg";
    QTest::newRow("table as PDF") << 2 << "e.pdf";
}

void TstOfficeExport::viewPicture()
{
    QFETCH(int, row);
    QFETCH(QString, name);
    View v;
    makeViews(v);
    const QString path = m_dir.filePath(name);
    QVERIFY(v.document()->exportViewPicture(row, path));
    const QByteArray bytes = fileBytes(path);
    switch (AnsichtDatei::artOf(name)) {
    case AnsichtDatei::Png: {
        const QImage img = QImage::fromData(bytes, "png");
        QCOMPARE(img.size(), QSize(400, 300));
        QVERIFY(inked(img));
        break;
    }
    case AnsichtDatei::Svg:
        QVERIFY(svgDraws(bytes));
        break;
    case AnsichtDatei::Pdf:
        QVERIFY(bytes.startsWith("%PDF"));
        QVERIFY(bytes.contains("/MediaBox"));
        break;
    }
    // Row 0 is the data table, no view.
    QVERIFY(!v.document()->exportViewPicture(0, m_dir.filePath("x.png")));
    QVERIFY(!QFile::exists(m_dir.filePath("x.png")));
}

void TstOfficeExport::saveViewThroughTheMenu()
{
    View v;
    makeViews(v);
    QVERIFY(!v.actSaveViewAs->isEnabled());
    v.widgetChanged(3);
    QVERIFY(v.actSaveViewAs->isEnabled());
    ScriptedAnswerer ans;
    // Without an ending the picture is a PNG.
    ans.accept(UserInput::SaveFile, m_dir.filePath("menu"));
    v.actSaveViewAs->trigger();
    QCOMPARE(ans.unexpected, 0);
    QCOMPARE(ans.asked.first().title, QString("Ansicht speichern als"));
    QCOMPARE(ans.asked.first().label, QString("PNG (*.png);;SVG (*.svg);;PDF (*.pdf)"));
    QVERIFY(!QImage(m_dir.filePath("menu.png")).isNull());
}

void TstOfficeExport::unwritablePictureIsReported()
{
    View v;
    makeViews(v);
    v.widgetChanged(1);
    const QString name = m_dir.filePath("gibtsnicht/bild.svg");
    ScriptedAnswerer ans;
    ans.accept(UserInput::SaveFile, name).accept(UserInput::Warning, QMessageBox::Ok);
    v.saveViewAs();
    QCOMPARE(ans.unexpected, 0);
    QVERIFY(ans.asked.last().label.contains(name));
}

void TstOfficeExport::clipboardHasSvgBesideTheImage()
{
    View v;
    makeViews(v);
    v.widgetChanged(3);
    v.clipCopyView();
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    QVERIFY(mime && mime->hasImage());
    QVERIFY(svgDraws(mime->data("image/svg+xml")));
    // A table stays text only.
    std::unique_ptr<QMimeData> table(ClipboardCopy::contentOf(v.document()->viewPage(2)));
    QVERIFY(table->hasText());
    QVERIFY(!table->hasFormat("image/svg+xml"));
}

void TstOfficeExport::pdfReportHoldsEveryView()
{
    View v;
    makeViews(v);
    const QString path = m_dir.filePath("bericht.pdf");
    QVERIFY(PdfBericht::write(path, "Umfrage 2026.stat", *v.document(), QSize(400, 300)));
    const QStringList pages = pdfPages(path);
    if (pages.isEmpty())
        QSKIP("pdftotext is not installed");
    const QString all = pages.join('\n');
    QVERIFY(all.contains("Umfrage 2026.stat"));
    for (const char* text : {"Balken <1>", "Notiz eins", "Tabelle", "Torte"})
        QVERIFY2(all.contains(QString::fromUtf8(text)), text);
    // The table diagram is text in the PDF, its first cell included.
    auto* a = dynamic_cast<DiagramAdapter*>(v.document()->viewPage(2));
    QVERIFY(a && dynamic_cast<TextInhalt*>(a->diagram()));
    const QString firstLine = dynamic_cast<TextInhalt*>(a->diagram())->toText().section('\n', 1, 1);
    QVERIFY(all.contains(firstLine.section('\t', 0, 0)));
    // What the table diagram says of its counts comes before its table, as in HTML.
    QVERIFY(!a->diagram()->captionLines().isEmpty());
    QVERIFY2(all.contains(a->diagram()->captionLines().first()), qPrintable(all));
}

void TstOfficeExport::pdfReportKeepsViewsWhole()
{
    // Thirty tables fill several pages; each one's title and its last line are on the
    // same page, so that no table is cut.
    View v;
    v.document()->clearViews();
    for (int i = 1; i <= 30; ++i)
        v.document()->createView("Häufigkeit", "Tabelle", {0}, QString("Ansicht Nummer %1").arg(i),
                     QString());
    auto* a = dynamic_cast<DiagramAdapter*>(v.document()->viewPage(1));
    QVERIFY(a && dynamic_cast<TextInhalt*>(a->diagram()));
    const QString text = dynamic_cast<TextInhalt*>(a->diagram())->toText().trimmed();
    QString lastCell;
    for (const QString& field : text.split(QRegularExpression("[\t\n]"), Qt::SkipEmptyParts))
        // A word of the table's own, not a number that page texts hold anyway.
        if (field.trimmed().size() >= 3 && field.contains(QRegularExpression("[A-Za-z]"))
            && !field.contains("Ansicht"))
            lastCell = field.trimmed();
    QVERIFY(!lastCell.isEmpty());
    const int perTable = text.count(lastCell);

    const QString path = m_dir.filePath("lang.pdf");
    QVERIFY(PdfBericht::write(path, "lang", *v.document(), QSize(500, 420)));
    const QStringList pages = pdfPages(path);
    if (pages.isEmpty())
        QSKIP("pdftotext is not installed");
    QVERIFY(pages.size() >= 2);
    int seen = 0;
    for (int p = 0; p < pages.size(); ++p) {
        const int here = pages.at(p).count("Ansicht Nummer");
        QVERIFY2(here >= 1, qPrintable(QString("page %1").arg(p + 1)));
        QCOMPARE(pages.at(p).count(lastCell), here * perTable);
        seen += here;
    }
    QCOMPARE(seen, 30);
}

void TstOfficeExport::pdfReportThroughTheMenu()
{
    View v;
    makeViews(v);
    v.widgetChanged(3);
    v.textPane()->setPlainText("gerade getippt");
    ScriptedAnswerer ans;
    ans.accept(UserInput::SaveFile, m_dir.filePath("menubericht"));
    v.actExportPdf->trigger();
    QCOMPARE(ans.unexpected, 0);
    QCOMPARE(ans.asked.first().title, QString("Exportieren als PDF"));
    const QString path = m_dir.filePath("menubericht.pdf");
    QVERIFY(fileBytes(path).startsWith("%PDF"));
    const QStringList pages = pdfPages(path);
    if (pages.isEmpty())
        QSKIP("pdftotext is not installed");
    QVERIFY(pages.join('\n').contains("gerade getippt"));
}

// The PDF's first page carries the HTML report's heading: the survey file's name with
// its ending and the day; after an SPSS import that file's, not the one before.
void TstOfficeExport::pdfReportNamesItsSurvey()
{
    const QString csv = m_dir.filePath("umfrage 7.csv");
    {
        QFile f(csv);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("Frage\nja\nnein\n");
    }
    const QString sav = m_dir.filePath("welle2.sav");
    QVERIFY(QFile::copy(QT_TESTCASE_SOURCEDIR "/io/data/umfrage.sav", sav));

    UmfrageDokument doc;
    for (const QString& survey : {csv, sav}) {
        QVERIFY(doc.importData(survey));
        const QString path = m_dir.filePath("kopf.pdf");
        const QDate before = QDate::currentDate();
        QVERIFY(doc.exportPDF(path, QSize(400, 300)));
        const QDate after = QDate::currentDate();
        const QStringList pages = pdfPages(path);
        if (pages.isEmpty())
            QSKIP("pdftotext is not installed");
        const QString first = pages.first();
        const QString name = QFileInfo(survey).fileName();
        QVERIFY2(first.contains(HtmlReport::heading(name, before))
                     || first.contains(HtmlReport::heading(name, after)),
                 qPrintable(first));
        QVERIFY(!first.contains(m_dir.path()));
    }
}

QTEST_MAIN(TstOfficeExport)
#include "tst_officeexport.moc"
