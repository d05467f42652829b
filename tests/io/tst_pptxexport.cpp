#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QSettings>
#include "core/spaltenspeicher.h"
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include "analyses/kreuztabelle.h"
#include "analyses/mehrfachantworten.h"
#include "core/mehrfachsets.h"
#include "app/exportablauf.h"
#include "app/view.h"
#include "core/spaltensicht.h"
#include "core/diagramadapter.h"
#include "diagrams/balkendiagram.h"
#include "diagrams/diagram.h"
#include "diagrams/tortendiagram.h"
#include "io/pptxexport.h"
#include "io/officepaket.h"
#include "io/umfragedokument.h"
#include "scriptedanswerer.h"
#include "testutil.h"

namespace {
const QString RelTyp = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";

// A deck read back: its slides in the presentation's order.
struct Deck {
    OfficePaket p;
    QString pres;
    QStringList slides;

    bool read(const QString& file)
    {
        QString why;
        if (!p.lesen(file, &why))
            return false;
        pres = p.ziel(QString(), RelTyp + "officeDocument");
        QHash<QString, QString> byId;
        for (const auto& b : p.beziehungen(pres))
            byId.insert(b.id, b.ziel);
        QXmlStreamReader r(p.teile.value(pres));
        slides.clear();
        while (!r.atEnd())
            if (r.readNext() == QXmlStreamReader::StartElement && r.name() == QLatin1String("sldId"))
                slides << byId.value(r.attributes().value(
                    "http://schemas.openxmlformats.org/officeDocument/2006/relationships", "id").toString());
        return true;
    }
    QString xml(const QString& part) const { return QString::fromUtf8(p.teile.value(part)); }
    QString slide(int i) const { return xml(slides.value(i)); }
    // The part a slide names by relationship type.
    QString of(int i, const QString& type) const { return p.ziel(slides.value(i), RelTyp + type); }
};

// Every text of a slide's runs, in order.
QStringList texts(const QString& xml)
{
    QStringList out;
    QXmlStreamReader r(xml);
    while (!r.atEnd())
        if (r.readNext() == QXmlStreamReader::StartElement && r.name() == QLatin1String("t"))
            out << r.readElementText();
    return out;
}

// A chart's series: their values (NaN for a gap), colours and category texts.
struct Series {
    QVector<double> values;
    QStringList categories;
    QStringList colours;   // the series' own, then its points'
};

QVector<Series> seriesOf(const QString& chart)
{
    QVector<Series> out;
    QXmlStreamReader r(chart);
    QString in;
    while (!r.atEnd()) {
        r.readNext();
        if (!r.isStartElement())
            continue;
        const QString n = r.name().toString();
        if (n == "ser")
            out.push_back({});
        else if (n == "cat" || n == "val" || n == "tx")
            in = n;
        else if (n == "ptCount" && in == "val")
            out.last().values.fill(qQNaN(), r.attributes().value("val").toInt());
        else if (n == "pt" && in == "val") {
            const int idx = r.attributes().value("idx").toInt();
            r.readNextStartElement();
            out.last().values[idx] = r.readElementText().toDouble();
        } else if (n == "pt" && in == "cat") {
            r.readNextStartElement();
            out.last().categories << r.readElementText();
        } else if (n == "srgbClr")
            out.last().colours << r.attributes().value("val").toString();
    }
    return out;
}

QString hex(const QColor& c)
{
    return c.name().mid(1).toUpper();
}

Diagram* diagramOf(UmfrageDokument& v, int row)
{
    auto* a = dynamic_cast<DiagramAdapter*>(v.viewPage(row));
    return a ? a->diagram() : nullptr;
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}
}

class TstPptxExport : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void partNames_data();
    void partNames();
    void pictureFits();
    void chartOfRows();
    void everyKindOfView();
    void multipleChoiceAsChartOrTable();
    void foreignMarkupKept();
    void updateKeepsWhatTheUserAdded();
    void templateMasterInUse();
    void damagedFilesRefused_data();
    void damagedFilesRefused();
    void throughTheMenu();

private:
    // A survey with a view of each kind; returns the rows' titles.
    void fill(UmfrageDokument& v);
    QTemporaryDir m_dir;
};

void TstPptxExport::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QCoreApplication::setOrganizationName("Orvinsk-Test");
    QCoreApplication::setApplicationName("tst_pptxexport");
    QSettings().clear();
}

void TstPptxExport::partNames_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("part");
    QTest::newRow("beside") << "ppt/slides/slide1.xml" << "slide2.xml" << "ppt/slides/slide2.xml";
    QTest::newRow("up and down") << "ppt/slides/slide1.xml" << "../charts/chart1.xml"
                                 << "ppt/charts/chart1.xml";
    QTest::newRow("absolute") << "ppt/slides/slide1.xml" << "/ppt/media/a.png" << "ppt/media/a.png";
    QTest::newRow("from the package") << "" << "ppt/presentation.xml" << "ppt/presentation.xml";
    // A target above the package's root names no part.
    QTest::newRow("outside") << "ppt/slide.xml" << "../../etc/passwd" << "";
}

void TstPptxExport::partNames()
{
    QFETCH(QString, from);
    QFETCH(QString, target);
    QFETCH(QString, part);
    QCOMPARE(OfficePaket::aufloesen(from, target), part);
    if (!part.isEmpty() && !from.isEmpty() && !target.startsWith('/'))
        QCOMPARE(OfficePaket::relativ(from, part), target);
    // Our own keys come back from the shapes' names, whatever the title holds.
    const QString key = PptxTeile::schluessel("a:b \"c\"", 1);
    QCOMPARE(PptxTeile::schluesselAus(PptxTeile::NamensVorsatz + "inhalt:" + key), key);
    QCOMPARE(PptxTeile::schluesselAus("Textfeld 3"), QString());
    QCOMPARE(PptxTeile::zelle("Tab'1", 0, 27), QString("'Tab''1'!$AB$1"));
}

void TstPptxExport::pictureFits()
{
    const QRect frame(100, 200, 1000, 400);
    // Wide pictures fill the width, tall ones the height, centred either way.
    QCOMPARE(PptxTeile::eingepasst(QSize(500, 100), frame), QRect(100, 300, 1000, 200));
    QCOMPARE(PptxTeile::eingepasst(QSize(100, 100), frame), QRect(400, 200, 400, 400));
    QCOMPARE(PptxTeile::eingepasst(QSize(), frame), frame);
}

void TstPptxExport::chartOfRows()
{
    // Two rows of three values: a series per row in its colour; a value that is no
    // number leaves a gap rather than a zero.
    BalkenDiagram bars;
    TestUtil::feed(bars, {1, 2, 3, 4, qQNaN(), 6}, 3, {"a", "b", "c"}, {"2025", "2026"});
    const AnsichtsZahlen::Diagrammdaten g = AnsichtsZahlen::diagramm(bars, "T");
    QCOMPARE(g.reihen, QStringList({"2025", "2026"}));
    const QString chart = QString::fromUtf8(PptxTeile::diagramm(g, "Tabelle1"));
    const QVector<Series> s = seriesOf(chart);
    QCOMPARE(s.size(), 2);
    QCOMPARE(s.at(0).values, QVector<double>({1, 2, 3}));
    QCOMPARE(s.at(1).values.at(0), 4.0);
    QVERIFY(qIsNaN(s.at(1).values.at(1)));
    QCOMPARE(s.at(1).categories, QStringList({"a", "b", "c"}));
    QCOMPARE(s.at(1).colours.first(), hex(bars.colorAt(1)));
    QVERIFY(chart.contains("<c:f>'Tabelle1'!$C$2:$C$4</c:f>"));
    QVERIFY(chart.contains("<c:legend>"));

    // A pie: one series, a colour per slice.
    TortenDiagram pie;
    TestUtil::feed(pie, {5, 3, 2}, 0, {"x", "y", "z"});
    const QVector<Series> p =
        seriesOf(QString::fromUtf8(PptxTeile::diagramm(AnsichtsZahlen::diagramm(pie, "P"), "T")));
    QCOMPARE(p.size(), 1);
    QCOMPARE(p.first().colours,
             QStringList({hex(pie.colorAt(0)), hex(pie.colorAt(1)), hex(pie.colorAt(2))}));
}

void TstPptxExport::foreignMarkupKept()
{
    // A slide as office programs save it: markup of later versions under prefixes that
    // mc:Ignorable names, which must keep their prefixes through an update; and the
    // title placeholder renamed, which then stays the only title.
    UmfrageDokument v;
    v.createDemo();
    v.clearViews();
    v.createView("Häufigkeit", "TortenDiagram", {2}, "Torte", "");
    QCoreApplication::processEvents();
    const QString path = m_dir.filePath("fremd.pptx");
    QVERIFY(v.exportPptx(path));
    Deck d;
    QVERIFY(d.read(path));
    QString slide = d.slide(0);
    slide.replace("<p:sld ", "<p:sld xmlns:mc=\"http://schemas.openxmlformats.org/markup-compatibility/2006\" "
                             "xmlns:p14=\"http://schemas.microsoft.com/office/powerpoint/2010/main\" "
                             "mc:Ignorable=\"p14\" ");
    slide.replace("</p:sld>", "<p:extLst><p:ext uri=\"{BB962C8B-B14F-4D97-AF65-F5344CB8AC3E}\">"
                              "<p14:creationId val=\"42\"/></p:ext></p:extLst></p:sld>");
    slide.replace("name=\"quorvandel7:titel:Torte\"", "name=\"PlaceHolder 1\"");
    d.p.teile.insert(d.slides.at(0), slide.toUtf8());
    QVERIFY(d.p.schreiben(path));

    QVERIFY(v.exportPptx(path));
    Deck e;
    QVERIFY(e.read(path));
    const QString after = e.slide(0);
    QVERIFY2(after.contains("mc:Ignorable=\"p14\""), qPrintable(after.left(600)));
    QVERIFY(after.contains("xmlns:p14=\"http://schemas.microsoft.com/office/powerpoint/2010/main\""));
    QVERIFY(after.contains("<p14:creationId val=\"42\"/>"));
    QCOMPARE(after.count("quorvandel7:inhalt:"), 1);
    QCOMPARE(after.count("<p:ph type=\"title\"/>"), 1);
}

void TstPptxExport::fill(UmfrageDokument& v)
{
    const QString csv = m_dir.filePath("umfrage.csv");
    writeFile(csv, "Frage;Note;Gruppe\nja;1;a\nja;2;b\nnein;2;a\nvielleicht;3;b\nja;3;a\n");
    QVERIFY(v.importData(csv));
    v.clearViews();
    v.createView("Häufigkeit", "BalkenDiagram(V)", {1}, "Säulen", "<p>Notiz &lt;eins&gt;</p><p>zweite Zeile</p>");
    v.createView("Häufigkeit", "BalkenDiagram(H)", {0}, "Quer", "");
    v.createView("Häufigkeit %", "TortenDiagram", {0}, "Torte", "");
    v.createView("Häufigkeit", "ExcelBalkenDiagram", {0, 2}, "Stapel", "");
    v.createView("Häufigkeit", "Tabelle", {0}, "Tabelle", "");
    QVERIFY(v.createView("", "Kreuztabelle", {0, 2}, "Kreuz", ""));
    QVERIFY(v.createView("", "Statistik", {1, 1}, "Statistik", ""));
    v.createView("Häufigkeit", "XmasDiagram", {0}, "Xmas", "");
    QVERIFY(v.createView("", "XYPlotter", {1, 1}, "XY", ""));
    QVERIFY(v.createView("Chi Quadrat", "BalkenDiagram(V)", {1}, "Chi", ""));
    QCoreApplication::processEvents();
    QCOMPARE(v.viewCount(), 11);
}

void TstPptxExport::everyKindOfView()
{
    UmfrageDokument v;
    v.createDemo();
    fill(v);
    const QString path = m_dir.filePath("alle.pptx");
    QVERIFY(v.exportPptx(path));
    Deck d;
    QVERIFY(d.read(path));
    QCOMPARE(d.slides.size(), 10);
    for (int i = 0; i < 10; ++i)
        QCOMPARE(texts(d.slide(i)).value(0), v.stored(i + 1).title.toString());

    // Charts: their kind, numbers, categories and colours as the view has them.
    struct Expect {
        int row;
        const char* kind;
    };
    for (const Expect& e : {Expect{1, "<c:barDir val=\"col\"/>"}, Expect{2, "<c:barDir val=\"bar\"/>"},
                            Expect{3, "<c:pieChart>"}, Expect{4, "percentStacked"}}) {
        const QString chart = d.xml(d.of(e.row - 1, "chart"));
        QVERIFY2(chart.contains(e.kind), e.kind);
        const Diagram* g = diagramOf(v, e.row);
        QVERIFY(g);
        const QVector<Series> s = seriesOf(chart);
        QVERIFY(!s.isEmpty());
        const int perRow = g->rowLength() > 0 ? g->rowLength() : int(g->values().size());
        if (e.row == 4) {
            // The stacked columns: a series per answer, a column per row of values.
            QCOMPARE(s.size(), perRow);
            for (int k = 0; k < perRow; ++k)
                for (int r = 0; r < s.at(k).values.size(); ++r)
                    QCOMPARE(s.at(k).values.at(r), g->values().at(r * perRow + k));
        } else {
            QCOMPARE(s.first().values, g->values().mid(0, perRow));
            QCOMPARE(s.first().categories, g->labelList().mid(0, perRow));
            QCOMPARE(s.first().colours.value(0), hex(g->colorAt(0)));
        }
        if (e.row == 2)
            QVERIFY(chart.contains("<c:orientation val=\"maxMin\"/>"));
        // "Daten bearbeiten" opens the embedded workbook holding the same numbers.
        const QString book = d.p.ziel(d.of(e.row - 1, "chart"), RelTyp + "package");
        OfficePaket embedded;
        QVERIFY(embedded.lesenAus(d.p.teile.value(book)));
        const QString sheet = QString::fromUtf8(embedded.teile.value("xl/worksheets/sheet1.xml"));
        QVERIFY(sheet.contains(QString("<v>%1</v>").arg(g->values().first())));
        QVERIFY(chart.contains("'Tabelle1'!$B$2:$"));
        // The caption lines under the chart.
        QVERIFY(texts(d.slide(e.row - 1)).join('\n').contains("n = 5"));
    }
    const Diagram* pie = diagramOf(v, 3);
    const QVector<Series> slices = seriesOf(d.xml(d.of(2, "chart")));
    for (int k = 0; k < pie->values().size(); ++k)
        QCOMPARE(slices.first().colours.value(k), hex(pie->colorAt(k)));

    // Tables as PowerPoint tables: the table diagram, the crosstab with its letters and
    // test lines, the statistics table.
    for (int i : {4, 5, 6}) {
        QVERIFY(d.slide(i).contains("<a:tbl>"));
        QVERIFY(d.of(i, "chart").isEmpty());
    }
    const QStringList table = texts(d.slide(4));
    QVERIFY(table.contains("ja"));
    QVERIFY(table.contains("3"));
    auto* k = qobject_cast<Kreuztabelle*>(v.viewPage(6));
    QVERIFY(k);
    const QStringList cross = texts(d.slide(5));
    QVERIFY(cross.contains("Sig."));
    QVERIFY(cross.contains(QString::number(k->ergebnis().gesamt)));
    for (const QString& line : KreuztabellenRechnung::hinweise(k->ergebnis()))
        QVERIFY2(cross.contains(line), qPrintable(line));

    // Views without a native form: an SVG picture with a PNG beside it.
    for (int i : {7, 8, 9}) {
        QStringList images;
        for (const auto& b : d.p.beziehungen(d.slides.at(i)))
            if (b.typ == RelTyp + "image")
                images << b.ziel;
        QCOMPARE(images.size(), 2);
        QVERIFY(!QImage::fromData(d.p.teile.value(images.first()), "PNG").isNull());
        QVERIFY(d.p.teile.value(images.last()).contains("<svg"));
        QVERIFY(d.slide(i).contains("svgBlip"));
        QCOMPARE(d.p.inhaltstyp(images.last()), QString("image/svg+xml"));
    }

    // The notes go into the slide notes, line by line.
    const QStringList notes = texts(d.xml(d.of(0, "notesSlide")));
    QCOMPARE(notes, QStringList({"Notiz <eins>", "zweite Zeile"}));
    // Every part has its content type.
    for (const QString& part : d.p.teile.keys())
        QVERIFY2(!d.p.inhaltstyp(part).isEmpty() || part == "[Content_Types].xml", qPrintable(part));
}

// A multiple-choice view drawn as bars is a native chart of its shares with its lines
// under it; drawn as a table, a table.
void TstPptxExport::multipleChoiceAsChartOrTable()
{
    UmfrageDokument v;
    v.createDemo();
    const QString csv = m_dir.filePath("mehrfach.csv");
    writeFile(csv, "Kanal – Zeitung;Kanal – Radio\nja;ja\nja;\n;ja\nja;\n");
    QVERIFY(v.importData(csv));
    v.clearViews();
    MehrfachSets::of(v.dataModel())->add({"Kanal", {0, 1}, "ja"});
    auto* m = qobject_cast<Mehrfachantworten*>(
        v.createView("", "Mehrfachantworten", {0, 1}, "Kanal", ""));
    QVERIFY(m);
    QCoreApplication::processEvents();
    const QString path = m_dir.filePath("mehrfach.pptx");
    QVERIFY(v.exportPptx(path));
    Deck d;
    QVERIFY(d.read(path));
    const QString chart = d.xml(d.of(0, "chart"));
    QVERIFY(!chart.isEmpty());
    const QVector<Series> s = seriesOf(chart);
    QVERIFY(!s.isEmpty());
    QCOMPARE(s.first().values, m->diagram()->values());
    QVERIFY(texts(d.slide(0)).join('\n').contains(m->basisText()));

    QVERIFY(m->setDiagramTyp("Tabelle"));
    QVERIFY(v.exportPptx(m_dir.filePath("mehrfach2.pptx")));
    Deck t;
    QVERIFY(t.read(m_dir.filePath("mehrfach2.pptx")));
    QVERIFY(t.slide(0).contains("<a:tbl>"));
    QVERIFY(t.of(0, "chart").isEmpty());
}

void TstPptxExport::updateKeepsWhatTheUserAdded()
{
    UmfrageDokument v;
    v.createDemo();
    fill(v);
    const QString path = m_dir.filePath("monat.pptx");
    QVERIFY(v.exportPptx(path));

    // The user adds a text box to the first slide and a slide of his own after it.
    {
        Deck d;
        QVERIFY(d.read(path));
        QString first = d.slide(0);
        first.replace("</p:spTree>",
                      "<p:sp><p:nvSpPr><p:cNvPr id=\"40\" name=\"Textfeld 1\"/><p:cNvSpPr txBox=\"1\"/>"
                      "<p:nvPr/></p:nvSpPr><p:spPr/><p:txBody><a:bodyPr/><a:p><a:r><a:t>Kommentar "
                      "des Kunden</a:t></a:r></a:p></p:txBody></p:sp></p:spTree>");
        d.p.teile.insert(d.slides.at(0), first.toUtf8());
        const QString own = "ppt/slides/eigene.xml";
        d.p.teile.insert(own, "<?xml version=\"1.0\"?><p:sld xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\" "
                              "xmlns:p=\"http://schemas.openxmlformats.org/presentationml/2006/main\"><p:cSld><p:spTree>"
                              "<p:nvGrpSpPr><p:cNvPr id=\"1\" name=\"\"/><p:cNvGrpSpPr/><p:nvPr/></p:nvGrpSpPr><p:grpSpPr/>"
                              "<p:sp><p:nvSpPr><p:cNvPr id=\"2\" name=\"Titel 1\"/><p:cNvSpPr/><p:nvPr/></p:nvSpPr><p:spPr/>"
                              "<p:txBody><a:bodyPr/><a:p><a:r><a:t>Fazit</a:t></a:r></a:p></p:txBody></p:sp>"
                              "</p:spTree></p:cSld></p:sld>");
        d.p.setzeInhaltstyp(own, "application/vnd.openxmlformats-officedocument.presentationml.slide+xml");
        OfficePaket::Beziehung layout;
        layout.id = "rId1";
        layout.typ = RelTyp + "slideLayout";
        layout.ziel = d.p.ziel(d.slides.at(0), RelTyp + "slideLayout");
        d.p.setzeBeziehungen(own, {layout});
        auto rels = d.p.beziehungen(d.pres);
        OfficePaket::Beziehung s;
        s.id = "rId99";
        s.typ = RelTyp + "slide";
        s.ziel = own;
        rels << s;
        d.p.setzeBeziehungen(d.pres, rels);
        QString pres = d.xml(d.pres);
        pres.replace("<p:sldId id=\"257\"", "<p:sldId id=\"900\" r:id=\"rId99\"/><p:sldId id=\"257\"");
        d.p.teile.insert(d.pres, pres.toUtf8());
        d.p.aufraeumen();
        QVERIFY(d.p.schreiben(path));
    }

    // Next month: other numbers, a view more.
    const QString oldChart = [&] { Deck d; d.read(path); return d.of(0, "chart"); }();
    auto* m = v.dataModel();
    m->setData(m->index(0, 1), "3");
    v.createView("Häufigkeit", "BalkenDiagram(V)", {2}, "Neu", "");
    QCoreApplication::processEvents();
    QVERIFY(v.exportPptx(path));

    Deck d;
    QVERIFY(d.read(path));
    QCOMPARE(d.slides.size(), 12);
    QCOMPARE(d.slides.at(1), QString("ppt/slides/eigene.xml"));
    QCOMPARE(texts(d.slide(1)), QStringList({"Fazit"}));
    QCOMPARE(texts(d.slide(11)).value(0), QString("Neu"));
    // The hand-added box stays; the chart shows the new numbers, once.
    QVERIFY(texts(d.slide(0)).contains("Kommentar des Kunden"));
    QCOMPARE(d.slide(0).count("quorvandel7:inhalt:"), 1);
    QCOMPARE(seriesOf(d.xml(d.of(0, "chart"))).first().values, diagramOf(v, 1)->values());
    // The replaced chart does not stay behind in the package.
    int charts = 0;
    for (const QString& part : d.p.teile.keys())
        charts += part.startsWith("ppt/charts/chart") && part.endsWith(".xml");
    QCOMPARE(charts, 5);
    Q_UNUSED(oldChart);
    // Shape ids stay unique in the slide.
    QSet<QString> ids;
    static const QRegularExpression id("<p:cNvPr id=\"(\\d+)\"");
    for (auto it = id.globalMatch(d.slide(0)); it.hasNext();) {
        const QString n = it.next().captured(1);
        QVERIFY2(!ids.contains(n), qPrintable(n));
        ids.insert(n);
    }
}

void TstPptxExport::templateMasterInUse()
{
    // A customer's template: a 4:3 deck with a master and theme of its own and a slide.
    UmfrageDokument v;
    v.createDemo();
    v.clearViews();
    v.createView("Häufigkeit", "TortenDiagram", {2}, "Beispiel", "");
    QCoreApplication::processEvents();
    const QString tpl = m_dir.filePath("vorlage.pptx");
    QVERIFY(v.exportPptx(tpl));
    {
        Deck d;
        QVERIFY(d.read(tpl));
        const QString master = d.p.ziel(d.pres, RelTyp + "slideMaster");
        QString m = d.xml(master);
        m.replace("<p:cSld>", "<p:cSld name=\"Kundenmaster\">");
        d.p.teile.insert(master, m.toUtf8());
        QString pres = d.xml(d.pres);
        pres.replace("cx=\"12192000\" cy=\"6858000\"", "cx=\"9144000\" cy=\"6858000\"");
        d.p.teile.insert(d.pres, pres.toUtf8());
        QVERIFY(d.p.schreiben(tpl));
    }

    UmfrageDokument w;
    w.createDemo();
    fill(w);
    const QString path = m_dir.filePath("kunde.pptx");
    QVERIFY(w.exportPptx(path, tpl));
    Deck d;
    QVERIFY(d.read(path));
    // The template's slide is gone, its master and size are ours now.
    QCOMPARE(d.slides.size(), 10);
    QCOMPARE(texts(d.slide(0)).value(0), QString("Säulen"));
    const QString layout = d.of(0, "slideLayout");
    const QString master = d.p.ziel(layout, RelTyp + "slideMaster");
    QVERIFY(d.xml(master).contains("Kundenmaster"));
    QVERIFY(d.xml(d.pres).contains("cx=\"9144000\""));
    // The content keeps to the narrower slide.
    static const QRegularExpression ext("<a:ext cx=\"(\\d+)\"");
    for (auto it = ext.globalMatch(d.slide(7)); it.hasNext();)
        QVERIFY(it.next().captured(1).toLongLong() <= 9144000);
}

void TstPptxExport::damagedFilesRefused_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("asTemplate");
    OfficePaket ok;
    PptxTeile::eigeneBasis(ok);
    ok.aufraeumen();
    const QByteArray zip = ok.zip();
    QVERIFY(!zip.isEmpty());
    QTest::newRow("text as deck") << QByteArray("kein Zip") << false;
    QTest::newRow("text as template") << QByteArray("kein Zip") << true;
    QTest::newRow("cut short") << zip.left(zip.size() / 2) << false;
    QByteArray flipped = zip;
    flipped[zip.indexOf("ppt/") + 300] = flipped[zip.indexOf("ppt/") + 300] ^ 0x55;
    QTest::newRow("a damaged part") << flipped << true;
    OfficePaket bare;
    bare.teile.insert("a.txt", "x");
    QTest::newRow("no presentation") << bare.zip() << true;
}

void TstPptxExport::damagedFilesRefused()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, asTemplate);
    UmfrageDokument v;
    v.createDemo();
    v.clearViews();
    v.createView("Häufigkeit", "TortenDiagram", {2}, "Torte", "");
    const QString bad = m_dir.filePath("kaputt.pptx");
    writeFile(bad, bytes);
    const QString out = asTemplate ? m_dir.filePath("neu.pptx") : bad;
    QFile::remove(m_dir.filePath("neu.pptx"));
    const Ergebnis e = v.exportPptx(out, asTemplate ? bad : QString());
    QVERIFY(!e);
    QCOMPARE(e.meldung(), QString("Die Datei %1 ist keine lesbare PowerPoint-Datei (PPTX).").arg(bad));
    // Nothing was overwritten or left behind.
    QCOMPARE(TestUtil::fileBytes(bad), bytes);
    QVERIFY(!QFile::exists(m_dir.filePath("neu.pptx")));
}

void TstPptxExport::throughTheMenu()
{
    QTemporaryDir dir;
    View v;
    v.document()->clearViews();
    v.document()->createView("Häufigkeit", "TortenDiagram", {2}, "Torte", "");
    ScriptedAnswerer ans;
    ans.accept(UserInput::SaveFile, dir.filePath("menu"));
    v.actExportPptx->trigger();
    QCOMPARE(ans.unexpected, 0);
    QCOMPARE(ans.asked.first().title, QString("Exportieren als PowerPoint"));
    QCOMPARE(ans.asked.first().label, QString("PowerPoint (*.pptx)"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"menu.pptx"}));

    // "Vorlage...": a damaged template is refused with its message and not kept; a
    // cancel goes back to the plain master.
    const QString bad = dir.filePath("kaputt.pptx");
    writeFile(bad, "kein Zip");
    ans.accept(UserInput::OpenFile, bad).accept(UserInput::Warning, QMessageBox::Ok);
    v.actPptxTemplate->trigger();
    QCOMPARE(ans.unexpected, 0);
    QVERIFY(ans.asked.last().label.contains("keine lesbare PowerPoint-Datei"));
    QCOMPARE(ExportAblauf::deckTemplateName(), QString());
    ans.accept(UserInput::OpenFile, dir.filePath("menu.pptx"));
    v.actPptxTemplate->trigger();
    QCOMPARE(ExportAblauf::deckTemplateName(), dir.filePath("menu.pptx"));
    ans.accept(UserInput::OpenFile, QString());
    v.actPptxTemplate->trigger();
    QCOMPARE(ExportAblauf::deckTemplateName(), QString());

    // A deck that cannot be written is said so.
    const QString blocked = dir.filePath("fehlt/deck.pptx");
    ans.accept(UserInput::SaveFile, blocked).accept(UserInput::Warning, QMessageBox::Ok);
    v.actExportPptx->trigger();
    QCOMPARE(ans.unexpected, 0);
    QVERIFY(ans.asked.last().label.contains(blocked));
}

QTEST_MAIN(TstPptxExport)
#include "tst_pptxexport.moc"
