#include "io/pptxteile.h"

#include <QXmlStreamWriter>

#include <cmath>

#include "io/officepaket.h"

namespace {
const QString NsP = QStringLiteral("http://schemas.openxmlformats.org/presentationml/2006/main");
const QString NsA = QStringLiteral("http://schemas.openxmlformats.org/drawingml/2006/main");
const QString NsR =
    QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships");
const QString NsC = QStringLiteral("http://schemas.openxmlformats.org/drawingml/2006/chart");
const QString RelTyp = QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships/");
const QString CtVorsatz = QStringLiteral("application/vnd.openxmlformats-officedocument.");

void el(QXmlStreamWriter& w, const QString& ns, const QString& name, const QString& attr = {},
        const QString& value = {})
{
    w.writeEmptyElement(ns, name);
    if (!attr.isEmpty())
        w.writeAttribute(attr, value);
}

void val(QXmlStreamWriter& w, const QString& name, const QString& v)
{
    el(w, NsC, name, QStringLiteral("val"), v);
}

QString emu(qint64 v)
{
    return QString::number(v);
}

QString hex(const QColor& c)
{
    return c.name(QColor::HexRgb).mid(1).toUpper();
}

void xfrm(QXmlStreamWriter& w, const QString& ns, const QRect& r)
{
    w.writeStartElement(ns, QStringLiteral("xfrm"));
    w.writeEmptyElement(NsA, QStringLiteral("off"));
    w.writeAttribute(QStringLiteral("x"), emu(r.x()));
    w.writeAttribute(QStringLiteral("y"), emu(r.y()));
    w.writeEmptyElement(NsA, QStringLiteral("ext"));
    w.writeAttribute(QStringLiteral("cx"), emu(r.width()));
    w.writeAttribute(QStringLiteral("cy"), emu(r.height()));
    w.writeEndElement();
}

void solid(QXmlStreamWriter& w, const QColor& c)
{
    w.writeStartElement(NsA, QStringLiteral("solidFill"));
    el(w, NsA, QStringLiteral("srgbClr"), QStringLiteral("val"), hex(c));
    w.writeEndElement();
}

// NsA paragraph of one run; size in hundredths of a point, 0 for the inherited one.
void absatz(QXmlStreamWriter& w, const QString& text, int size = 0, bool bold = false)
{
    w.writeStartElement(NsA, QStringLiteral("p"));
    if (!text.isEmpty()) {
        w.writeStartElement(NsA, QStringLiteral("r"));
        w.writeEmptyElement(NsA, QStringLiteral("rPr"));
        w.writeAttribute(QStringLiteral("lang"), QStringLiteral("de-DE"));
        if (size > 0)
            w.writeAttribute(QStringLiteral("sz"), QString::number(size));
        if (bold)
            w.writeAttribute(QStringLiteral("b"), QStringLiteral("1"));
        w.writeAttribute(QStringLiteral("dirty"), QStringLiteral("0"));
        // XML 1.0 has no place for control characters: they are left out.
        QString clean;
        for (const QChar c : text)
            if (c >= QChar(0x20) || c == QLatin1Char('\t'))
                clean += c;
        w.writeTextElement(NsA, QStringLiteral("t"), clean);
        w.writeEndElement();
    } else {
        el(w, NsA, QStringLiteral("endParaRPr"), QStringLiteral("lang"), QStringLiteral("de-DE"));
    }
    w.writeEndElement();
}

void startDoc(QXmlStreamWriter& w, const QString& ns, const QString& root,
              const QStringList& prefixes)
{
    w.writeStartDocument(QStringLiteral("1.0"), true);
    for (const QString& p : prefixes) {
        if (p == QLatin1String("a"))
            w.writeNamespace(NsA, p);
        else if (p == QLatin1String("r"))
            w.writeNamespace(NsR, p);
        else if (p == QLatin1String("p"))
            w.writeNamespace(NsP, p);
        else if (p == QLatin1String("c"))
            w.writeNamespace(NsC, p);
    }
    w.writeStartElement(ns, root);
}

void nvProps(QXmlStreamWriter& w, const QString& kind, int id, const QString& name)
{
    w.writeStartElement(NsP, QStringLiteral("nv") + kind + QStringLiteral("Pr"));
    w.writeEmptyElement(NsP, QStringLiteral("cNvPr"));
    w.writeAttribute(QStringLiteral("id"), QString::number(id));
    w.writeAttribute(QStringLiteral("name"), name);
}

void groupHead(QXmlStreamWriter& w)
{
    w.writeStartElement(NsP, QStringLiteral("nvGrpSpPr"));
    w.writeEmptyElement(NsP, QStringLiteral("cNvPr"));
    w.writeAttribute(QStringLiteral("id"), QStringLiteral("1"));
    w.writeAttribute(QStringLiteral("name"), QString());
    el(w, NsP, QStringLiteral("cNvGrpSpPr"));
    el(w, NsP, QStringLiteral("nvPr"));
    w.writeEndElement();
    el(w, NsP, QStringLiteral("grpSpPr"));
}

QString name(const QString& role, const QString& key)
{
    return PptxTeile::NamensVorsatz + role + QLatin1Char(':') + key;
}

void titel(QXmlStreamWriter& w, const PptxTeile::Folie& f, int id)
{
    w.writeStartElement(NsP, QStringLiteral("sp"));
    nvProps(w, QStringLiteral("Sp"), id, name(QStringLiteral("titel"), f.schluessel));
    w.writeStartElement(NsP, QStringLiteral("cNvSpPr"));
    el(w, NsA, QStringLiteral("spLocks"), QStringLiteral("noGrp"), QStringLiteral("1"));
    w.writeEndElement();
    w.writeStartElement(NsP, QStringLiteral("nvPr"));
    el(w, NsP, QStringLiteral("ph"), QStringLiteral("type"), QStringLiteral("title"));
    w.writeEndElement();
    w.writeEndElement();
    el(w, NsP, QStringLiteral("spPr"));
    w.writeStartElement(NsP, QStringLiteral("txBody"));
    el(w, NsA, QStringLiteral("bodyPr"));
    el(w, NsA, QStringLiteral("lstStyle"));
    absatz(w, f.titel);
    w.writeEndElement();
    w.writeEndElement();
}

void textFeld(QXmlStreamWriter& w, const QString& shapeName, int id, const QRect& r,
              const QStringList& lines, int size)
{
    w.writeStartElement(NsP, QStringLiteral("sp"));
    nvProps(w, QStringLiteral("Sp"), id, shapeName);
    el(w, NsP, QStringLiteral("cNvSpPr"), QStringLiteral("txBox"), QStringLiteral("1"));
    el(w, NsP, QStringLiteral("nvPr"));
    w.writeEndElement();
    w.writeStartElement(NsP, QStringLiteral("spPr"));
    xfrm(w, NsA, r);
    w.writeStartElement(NsA, QStringLiteral("prstGeom"));
    w.writeAttribute(QStringLiteral("prst"), QStringLiteral("rect"));
    el(w, NsA, QStringLiteral("avLst"));
    w.writeEndElement();
    el(w, NsA, QStringLiteral("noFill"));
    w.writeEndElement();
    w.writeStartElement(NsP, QStringLiteral("txBody"));
    w.writeStartElement(NsA, QStringLiteral("bodyPr"));
    w.writeAttribute(QStringLiteral("wrap"), QStringLiteral("square"));
    el(w, NsA, QStringLiteral("normAutofit"));
    w.writeEndElement();
    el(w, NsA, QStringLiteral("lstStyle"));
    if (lines.isEmpty())
        absatz(w, QString());
    for (const QString& l : lines)
        absatz(w, l, size);
    w.writeEndElement();
    w.writeEndElement();
}

void rahmenStart(QXmlStreamWriter& w, int id, const QString& shapeName, const QRect& r,
                 const QString& uri)
{
    w.writeStartElement(NsP, QStringLiteral("graphicFrame"));
    nvProps(w, QStringLiteral("GraphicFrame"), id, shapeName);
    w.writeStartElement(NsP, QStringLiteral("cNvGraphicFramePr"));
    el(w, NsA, QStringLiteral("graphicFrameLocks"), QStringLiteral("noGrp"), QStringLiteral("1"));
    w.writeEndElement();
    el(w, NsP, QStringLiteral("nvPr"));
    w.writeEndElement();
    xfrm(w, NsP, r);
    w.writeStartElement(NsA, QStringLiteral("graphic"));
    w.writeStartElement(NsA, QStringLiteral("graphicData"));
    w.writeAttribute(QStringLiteral("uri"), uri);
}

void rahmenEnde(QXmlStreamWriter& w)
{
    w.writeEndElement();
    w.writeEndElement();
    w.writeEndElement();
}

void tabelle(QXmlStreamWriter& w, const AnsichtsZahlen::Raster& t, const QRect& r)
{
    const int cols = qMax(1, t.spalten());
    const int rows = qMax(1, int(t.zeilen.size()));
    const qint64 rowH = qBound(qint64(190000), qint64(r.height()) / rows, qint64(370000));
    // The text follows the row height, so that a long table keeps to its frame as far
    // as it can.
    const int size = int(qBound(qint64(700), rowH * 100 / 12700 * 55 / 100, qint64(1400)));
    w.writeStartElement(NsA, QStringLiteral("tbl"));
    w.writeStartElement(NsA, QStringLiteral("tblPr"));
    w.writeAttribute(QStringLiteral("firstRow"), QStringLiteral("1"));
    w.writeAttribute(QStringLiteral("bandRow"), QStringLiteral("1"));
    // One of the office's built-in styles, so that the table takes the deck's colours.
    w.writeTextElement(NsA, QStringLiteral("tableStyleId"),
                       QStringLiteral("{5C22544A-7EE6-4342-B048-85BDC9FD1C3A}"));
    w.writeEndElement();
    w.writeStartElement(NsA, QStringLiteral("tblGrid"));
    for (int c = 0; c < cols; ++c)
        el(w, NsA, QStringLiteral("gridCol"), QStringLiteral("w"), emu(r.width() / cols));
    w.writeEndElement();
    for (int row = 0; row < rows; ++row) {
        w.writeStartElement(NsA, QStringLiteral("tr"));
        w.writeAttribute(QStringLiteral("h"), emu(rowH));
        const QVector<AnsichtsZahlen::Zelle> cells = t.zeilen.value(row);
        for (int c = 0; c < cols; ++c) {
            const AnsichtsZahlen::Zelle z = cells.value(c);
            QString text = z.text;
            // Shares and sums of weights as the view shows them, one decimal; counts whole.
            if (z.istZahl)
                text = !std::isfinite(z.zahl) ? QString()
                    : z.format == AnsichtsZahlen::Zahl ? QString::number(z.zahl, 'g', 10)
                                                       : QString::number(z.zahl, 'f', 1);
            w.writeStartElement(NsA, QStringLiteral("tc"));
            w.writeStartElement(NsA, QStringLiteral("txBody"));
            el(w, NsA, QStringLiteral("bodyPr"));
            el(w, NsA, QStringLiteral("lstStyle"));
            absatz(w, text, size, row == 0);
            w.writeEndElement();
            w.writeStartElement(NsA, QStringLiteral("tcPr"));
            w.writeAttribute(QStringLiteral("marL"), QStringLiteral("45720"));
            w.writeAttribute(QStringLiteral("marR"), QStringLiteral("45720"));
            w.writeAttribute(QStringLiteral("marT"), QStringLiteral("22860"));
            w.writeAttribute(QStringLiteral("marB"), QStringLiteral("22860"));
            w.writeEndElement();
            w.writeEndElement();
        }
        w.writeEndElement();
    }
    w.writeEndElement();
}

void bild(QXmlStreamWriter& w, int id, const QString& shapeName, const QRect& r,
          const PptxTeile::Bezuege& b)
{
    w.writeStartElement(NsP, QStringLiteral("pic"));
    nvProps(w, QStringLiteral("Pic"), id, shapeName);
    w.writeStartElement(NsP, QStringLiteral("cNvPicPr"));
    el(w, NsA, QStringLiteral("picLocks"), QStringLiteral("noChangeAspect"), QStringLiteral("1"));
    w.writeEndElement();
    el(w, NsP, QStringLiteral("nvPr"));
    w.writeEndElement();
    w.writeStartElement(NsP, QStringLiteral("blipFill"));
    w.writeStartElement(NsA, QStringLiteral("blip"));
    w.writeAttribute(NsR, QStringLiteral("embed"), b.inhalt);
    if (!b.svg.isEmpty()) {
        // Programs that know SVG take it; the others show the PNG.
        const QString svgNs = QStringLiteral("http://schemas.microsoft.com/office/drawing/2016/SVG/main");
        w.writeStartElement(NsA, QStringLiteral("extLst"));
        w.writeStartElement(NsA, QStringLiteral("ext"));
        w.writeAttribute(QStringLiteral("uri"), QStringLiteral("{96DAC541-7B7A-43D3-8B79-37D633B846F1}"));
        w.writeNamespace(svgNs, QStringLiteral("asvg"));
        w.writeEmptyElement(svgNs, QStringLiteral("svgBlip"));
        w.writeAttribute(NsR, QStringLiteral("embed"), b.svg);
        w.writeEndElement();
        w.writeEndElement();
    }
    w.writeEndElement();
    w.writeStartElement(NsA, QStringLiteral("stretch"));
    el(w, NsA, QStringLiteral("fillRect"));
    w.writeEndElement();
    w.writeEndElement();
    w.writeStartElement(NsP, QStringLiteral("spPr"));
    xfrm(w, NsA, r);
    w.writeStartElement(NsA, QStringLiteral("prstGeom"));
    w.writeAttribute(QStringLiteral("prst"), QStringLiteral("rect"));
    el(w, NsA, QStringLiteral("avLst"));
    w.writeEndElement();
    w.writeEndElement();
    w.writeEndElement();
}

QString spalte(int col)
{
    QString s;
    for (++col; col > 0; col = (col - 1) / 26)
        s.prepend(QChar('A' + (col - 1) % 26));
    return s;
}

void strCache(QXmlStreamWriter& w, const QString& ref, const QStringList& texts)
{
    w.writeStartElement(NsC, QStringLiteral("strRef"));
    w.writeTextElement(NsC, QStringLiteral("f"), ref);
    w.writeStartElement(NsC, QStringLiteral("strCache"));
    val(w, QStringLiteral("ptCount"), QString::number(texts.size()));
    for (int i = 0; i < texts.size(); ++i) {
        w.writeStartElement(NsC, QStringLiteral("pt"));
        w.writeAttribute(QStringLiteral("idx"), QString::number(i));
        w.writeTextElement(NsC, QStringLiteral("v"), texts.at(i));
        w.writeEndElement();
    }
    w.writeEndElement();
    w.writeEndElement();
}

void numCache(QXmlStreamWriter& w, const QString& ref, const QVector<double>& values)
{
    w.writeStartElement(NsC, QStringLiteral("numRef"));
    w.writeTextElement(NsC, QStringLiteral("f"), ref);
    w.writeStartElement(NsC, QStringLiteral("numCache"));
    w.writeTextElement(NsC, QStringLiteral("formatCode"), QStringLiteral("General"));
    val(w, QStringLiteral("ptCount"), QString::number(values.size()));
    for (int i = 0; i < values.size(); ++i) {
        // NsA value that is no number is a gap, as its cell is empty.
        if (!std::isfinite(values.at(i)))
            continue;
        w.writeStartElement(NsC, QStringLiteral("pt"));
        w.writeAttribute(QStringLiteral("idx"), QString::number(i));
        w.writeTextElement(NsC, QStringLiteral("v"), QString::number(values.at(i), 'g', 17));
        w.writeEndElement();
    }
    w.writeEndElement();
    w.writeEndElement();
}

void spPr(QXmlStreamWriter& w, const QColor& c)
{
    w.writeStartElement(NsC, QStringLiteral("spPr"));
    solid(w, c);
    w.writeEndElement();
}

void dPt(QXmlStreamWriter& w, int idx, const QColor& c, bool bar)
{
    w.writeStartElement(NsC, QStringLiteral("dPt"));
    val(w, QStringLiteral("idx"), QString::number(idx));
    if (bar)
        val(w, QStringLiteral("invertIfNegative"), QStringLiteral("0"));
    val(w, QStringLiteral("bubble3D"), QStringLiteral("0"));
    spPr(w, c);
    w.writeEndElement();
}

// One series: its name cell, categories and values as references with their caches.
struct Reihe {
    QString nameRef, name, catRef, valRef;
    QStringList kategorien;
    QVector<double> werte;
    QVector<QColor> farben;
};

void reihe(QXmlStreamWriter& w, int i, const Reihe& s, AnsichtsZahlen::Art art)
{
    const bool pie = art == AnsichtsZahlen::Torte;
    w.writeStartElement(NsC, QStringLiteral("ser"));
    val(w, QStringLiteral("idx"), QString::number(i));
    val(w, QStringLiteral("order"), QString::number(i));
    w.writeStartElement(NsC, QStringLiteral("tx"));
    strCache(w, s.nameRef, {s.name});
    w.writeEndElement();
    // NsA series of one colour gets it once; points that differ get their own.
    bool oneColour = true;
    for (const QColor& c : s.farben)
        oneColour = oneColour && c == s.farben.value(0);
    if (!pie && !s.farben.isEmpty())
        spPr(w, s.farben.at(0));
    if (!pie)
        val(w, QStringLiteral("invertIfNegative"), QStringLiteral("0"));
    if (pie || !oneColour)
        for (int k = 0; k < s.farben.size(); ++k)
            dPt(w, k, s.farben.at(k), !pie);
    w.writeStartElement(NsC, QStringLiteral("cat"));
    strCache(w, s.catRef, s.kategorien);
    w.writeEndElement();
    w.writeStartElement(NsC, QStringLiteral("val"));
    numCache(w, s.valRef, s.werte);
    w.writeEndElement();
    w.writeEndElement();
}

void achsen(QXmlStreamWriter& w, bool horizontal, bool percent)
{
    w.writeStartElement(NsC, QStringLiteral("catAx"));
    val(w, QStringLiteral("axId"), QStringLiteral("111"));
    w.writeStartElement(NsC, QStringLiteral("scaling"));
    // Horizontal bars list the answers from the top, as the view does.
    val(w, QStringLiteral("orientation"), horizontal ? QStringLiteral("maxMin") : QStringLiteral("minMax"));
    w.writeEndElement();
    val(w, QStringLiteral("delete"), QStringLiteral("0"));
    val(w, QStringLiteral("axPos"), horizontal ? QStringLiteral("l") : QStringLiteral("b"));
    el(w, NsC, QStringLiteral("numFmt"), QStringLiteral("formatCode"), QStringLiteral("General"));
    w.writeAttribute(QStringLiteral("sourceLinked"), QStringLiteral("0"));
    val(w, QStringLiteral("tickLblPos"), QStringLiteral("nextTo"));
    val(w, QStringLiteral("crossAx"), QStringLiteral("222"));
    val(w, QStringLiteral("crosses"), QStringLiteral("autoZero"));
    val(w, QStringLiteral("auto"), QStringLiteral("1"));
    val(w, QStringLiteral("lblAlgn"), QStringLiteral("ctr"));
    val(w, QStringLiteral("lblOffset"), QStringLiteral("100"));
    w.writeEndElement();
    w.writeStartElement(NsC, QStringLiteral("valAx"));
    val(w, QStringLiteral("axId"), QStringLiteral("222"));
    w.writeStartElement(NsC, QStringLiteral("scaling"));
    val(w, QStringLiteral("orientation"), QStringLiteral("minMax"));
    w.writeEndElement();
    val(w, QStringLiteral("delete"), QStringLiteral("0"));
    val(w, QStringLiteral("axPos"), horizontal ? QStringLiteral("t") : QStringLiteral("l"));
    el(w, NsC, QStringLiteral("majorGridlines"));
    el(w, NsC, QStringLiteral("numFmt"), QStringLiteral("formatCode"),
       percent ? QStringLiteral("0%") : QStringLiteral("General"));
    w.writeAttribute(QStringLiteral("sourceLinked"), percent ? QStringLiteral("0") : QStringLiteral("1"));
    val(w, QStringLiteral("tickLblPos"), QStringLiteral("nextTo"));
    val(w, QStringLiteral("crossAx"), QStringLiteral("111"));
    val(w, QStringLiteral("crosses"), QStringLiteral("autoZero"));
    val(w, QStringLiteral("crossBetween"), QStringLiteral("between"));
    w.writeEndElement();
}
}

const QString PptxTeile::NamensVorsatz = QStringLiteral("quorvandel7:");

QString PptxTeile::schluesselAus(const QString& shapeName)
{
    if (!shapeName.startsWith(NamensVorsatz))
        return QString();
    const int colon = shapeName.indexOf(QLatin1Char(':'), NamensVorsatz.size());
    return colon < 0 ? QString() : shapeName.mid(colon + 1);
}

QString PptxTeile::schluessel(const QString& title, int n)
{
    return n == 0 ? title : title + QStringLiteral("#%1").arg(n + 1);
}

QRect PptxTeile::inhaltsRahmen(const QSize& s)
{
    return QRect(s.width() / 20, s.height() * 18 / 100, s.width() * 18 / 20, s.height() * 62 / 100);
}

QRect PptxTeile::beschriftungsRahmen(const QSize& s)
{
    return QRect(s.width() / 20, s.height() * 81 / 100, s.width() * 18 / 20, s.height() * 16 / 100);
}

QRect PptxTeile::eingepasst(const QSize& bild, const QRect& rahmen)
{
    if (bild.isEmpty() || rahmen.isEmpty())
        return rahmen;
    const double scale = qMin(double(rahmen.width()) / bild.width(),
                              double(rahmen.height()) / bild.height());
    const int w = int(bild.width() * scale);
    const int h = int(bild.height() * scale);
    return QRect(rahmen.x() + (rahmen.width() - w) / 2, rahmen.y() + (rahmen.height() - h) / 2, w, h);
}

void PptxTeile::formen(QXmlStreamWriter& w, const Folie& f, const QSize& groesse,
                       const Bezuege& b, int firstId, bool mitTitel)
{
    if (mitTitel)
        titel(w, f, firstId);
    const QRect frame = inhaltsRahmen(groesse);
    const QString inhalt = name(QStringLiteral("inhalt"), f.schluessel);
    switch (f.inhalt) {
    case Folie::Diagramm:
        rahmenStart(w, firstId + 1, inhalt, frame,
                    QStringLiteral("http://schemas.openxmlformats.org/drawingml/2006/chart"));
        w.writeNamespace(NsC, QStringLiteral("c"));
        w.writeEmptyElement(NsC, QStringLiteral("chart"));
        w.writeAttribute(NsR, QStringLiteral("id"), b.inhalt);
        rahmenEnde(w);
        break;
    case Folie::Tabelle:
        rahmenStart(w, firstId + 1, inhalt, frame,
                    QStringLiteral("http://schemas.openxmlformats.org/drawingml/2006/table"));
        tabelle(w, f.tabelle, frame);
        rahmenEnde(w);
        break;
    case Folie::Bild:
        bild(w, firstId + 1, inhalt, eingepasst(f.bildGroesse, frame), b);
        break;
    }
    textFeld(w, name(QStringLiteral("text"), f.schluessel), firstId + 2,
             beschriftungsRahmen(groesse), f.beschriftung, 1100);
}

QByteArray PptxTeile::folie(const Folie& f, const QSize& groesse, const Bezuege& b)
{
    QByteArray xml;
    QXmlStreamWriter w(&xml);
    startDoc(w, NsP, QStringLiteral("sld"), {"a", "r", "p"});
    w.writeStartElement(NsP, QStringLiteral("cSld"));
    w.writeStartElement(NsP, QStringLiteral("spTree"));
    groupHead(w);
    formen(w, f, groesse, b, 2);
    w.writeEndElement();
    w.writeEndElement();
    w.writeStartElement(NsP, QStringLiteral("clrMapOvr"));
    el(w, NsA, QStringLiteral("masterClrMapping"));
    w.writeEndElement();
    w.writeEndDocument();
    return xml;
}

QByteArray PptxTeile::notizen(const QString& text)
{
    QByteArray xml;
    QXmlStreamWriter w(&xml);
    startDoc(w, NsP, QStringLiteral("notes"), {"a", "r", "p"});
    w.writeStartElement(NsP, QStringLiteral("cSld"));
    w.writeStartElement(NsP, QStringLiteral("spTree"));
    groupHead(w);
    w.writeStartElement(NsP, QStringLiteral("sp"));
    nvProps(w, QStringLiteral("Sp"), 2, QStringLiteral("Folienbild"));
    w.writeStartElement(NsP, QStringLiteral("cNvSpPr"));
    el(w, NsA, QStringLiteral("spLocks"), QStringLiteral("noGrp"), QStringLiteral("1"));
    w.writeEndElement();
    w.writeStartElement(NsP, QStringLiteral("nvPr"));
    el(w, NsP, QStringLiteral("ph"), QStringLiteral("type"), QStringLiteral("sldImg"));
    w.writeEndElement();
    w.writeEndElement();
    el(w, NsP, QStringLiteral("spPr"));
    w.writeEndElement();
    w.writeStartElement(NsP, QStringLiteral("sp"));
    nvProps(w, QStringLiteral("Sp"), 3, QStringLiteral("Notizen"));
    w.writeStartElement(NsP, QStringLiteral("cNvSpPr"));
    el(w, NsA, QStringLiteral("spLocks"), QStringLiteral("noGrp"), QStringLiteral("1"));
    w.writeEndElement();
    w.writeStartElement(NsP, QStringLiteral("nvPr"));
    el(w, NsP, QStringLiteral("ph"), QStringLiteral("type"), QStringLiteral("body"));
    w.writeAttribute(QStringLiteral("idx"), QStringLiteral("1"));
    w.writeEndElement();
    w.writeEndElement();
    el(w, NsP, QStringLiteral("spPr"));
    w.writeStartElement(NsP, QStringLiteral("txBody"));
    el(w, NsA, QStringLiteral("bodyPr"));
    el(w, NsA, QStringLiteral("lstStyle"));
    QString plain = text;
    plain.replace(QChar::LineSeparator, QLatin1Char('\n'));
    plain.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    const QStringList lines = plain.split(QLatin1Char('\n'));
    for (const QString& l : lines)
        absatz(w, l);
    w.writeEndElement();
    w.writeEndElement();
    w.writeEndElement();
    w.writeEndElement();
    w.writeStartElement(NsP, QStringLiteral("clrMapOvr"));
    el(w, NsA, QStringLiteral("masterClrMapping"));
    w.writeEndElement();
    w.writeEndDocument();
    return xml;
}

QString PptxTeile::zelle(const QString& sheet, int row, int col)
{
    QString quoted = sheet;
    quoted.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + quoted + QStringLiteral("'!$") + spalte(col) + QLatin1Char('$')
        + QString::number(row + 1);
}

QByteArray PptxTeile::diagramm(const AnsichtsZahlen::Diagrammdaten& d, const QString& sheet)
{
    using Z = AnsichtsZahlen;
    const int nk = int(d.kategorien.size());
    const int nr = int(d.reihen.size());
    auto range = [&](int r0, int c0, int r1, int c1) {
        return zelle(sheet, r0, c0) + QLatin1Char(':') + zelle(sheet, r1, c1).section(QLatin1Char('!'), 1);
    };
    // The grid of the embedded sheet: categories down column NsA, a row of values per
    // column from B on. The stacked columns stack the categories of each row.
    QVector<Reihe> reihen;
    if (d.art == Z::Gestapelt100) {
        for (int k = 0; k < nk; ++k) {
            Reihe s;
            s.nameRef = zelle(sheet, 1 + k, 0);
            s.name = d.kategorien.at(k);
            s.catRef = range(0, 1, 0, nr);
            s.kategorien = d.reihen;
            s.valRef = range(1 + k, 1, 1 + k, nr);
            for (int r = 0; r < nr; ++r) {
                s.werte << d.werte.at(r).at(k);
                s.farben << d.farben.at(r).at(k);
            }
            reihen << s;
        }
    } else {
        const int n = d.art == Z::Torte ? qMin(1, nr) : nr;
        for (int r = 0; r < n; ++r) {
            Reihe s;
            s.nameRef = zelle(sheet, 0, 1 + r);
            s.name = d.reihen.at(r);
            s.catRef = range(1, 0, nk, 0);
            s.kategorien = d.kategorien;
            s.valRef = range(1, 1 + r, nk, 1 + r);
            s.werte = d.werte.at(r);
            s.farben = d.farben.at(r);
            reihen << s;
        }
    }

    QByteArray xml;
    QXmlStreamWriter w(&xml);
    startDoc(w, NsC, QStringLiteral("chartSpace"), {"c", "a", "r"});
    val(w, QStringLiteral("date1904"), QStringLiteral("0"));
    val(w, QStringLiteral("lang"), QStringLiteral("de-DE"));
    val(w, QStringLiteral("roundedCorners"), QStringLiteral("0"));
    w.writeStartElement(NsC, QStringLiteral("chart"));
    val(w, QStringLiteral("autoTitleDeleted"), QStringLiteral("1"));
    w.writeStartElement(NsC, QStringLiteral("plotArea"));
    el(w, NsC, QStringLiteral("layout"));
    if (d.art == Z::Torte) {
        w.writeStartElement(NsC, QStringLiteral("pieChart"));
        val(w, QStringLiteral("varyColors"), QStringLiteral("1"));
        for (int i = 0; i < reihen.size(); ++i)
            reihe(w, i, reihen.at(i), d.art);
        val(w, QStringLiteral("firstSliceAng"), QStringLiteral("0"));
        w.writeEndElement();
    } else {
        w.writeStartElement(NsC, QStringLiteral("barChart"));
        val(w, QStringLiteral("barDir"), d.art == Z::Balken ? QStringLiteral("bar") : QStringLiteral("col"));
        val(w, QStringLiteral("grouping"),
            d.art == Z::Gestapelt100 ? QStringLiteral("percentStacked") : QStringLiteral("clustered"));
        val(w, QStringLiteral("varyColors"), QStringLiteral("0"));
        for (int i = 0; i < reihen.size(); ++i)
            reihe(w, i, reihen.at(i), d.art);
        val(w, QStringLiteral("gapWidth"), QStringLiteral("100"));
        if (d.art == Z::Gestapelt100)
            val(w, QStringLiteral("overlap"), QStringLiteral("100"));
        val(w, QStringLiteral("axId"), QStringLiteral("111"));
        val(w, QStringLiteral("axId"), QStringLiteral("222"));
        w.writeEndElement();
        achsen(w, d.art == Z::Balken, d.art == Z::Gestapelt100);
    }
    w.writeEndElement();
    // NsA legend where it tells something: the slices, the stacked shares, several rows.
    if (d.art == Z::Torte || d.art == Z::Gestapelt100 || nr > 1) {
        w.writeStartElement(NsC, QStringLiteral("legend"));
        val(w, QStringLiteral("legendPos"), QStringLiteral("r"));
        val(w, QStringLiteral("overlay"), QStringLiteral("0"));
        w.writeEndElement();
    }
    val(w, QStringLiteral("plotVisOnly"), QStringLiteral("1"));
    val(w, QStringLiteral("dispBlanksAs"), QStringLiteral("gap"));
    w.writeEndElement();
    w.writeStartElement(NsC, QStringLiteral("externalData"));
    w.writeAttribute(NsR, QStringLiteral("id"), QStringLiteral("rId1"));
    val(w, QStringLiteral("autoUpdate"), QStringLiteral("0"));
    w.writeEndElement();
    w.writeEndDocument();
    return xml;
}

namespace {
// The plain look of a deck without a template: white, dark text, the fonts of the
// desktop's usual sans serif.
const char ThemeXml[] = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<a:theme xmlns:a="http://schemas.openxmlformats.org/drawingml/2006/main" name="quorvandel7"><a:themeElements><a:clrScheme name="quorvandel7"><a:dk1><a:srgbClr val="000000"/></a:dk1><a:lt1><a:srgbClr val="FFFFFF"/></a:lt1><a:dk2><a:srgbClr val="1F2A44"/></a:dk2><a:lt2><a:srgbClr val="E7E6E6"/></a:lt2><a:accent1><a:srgbClr val="4472C4"/></a:accent1><a:accent2><a:srgbClr val="ED7D31"/></a:accent2><a:accent3><a:srgbClr val="A5A5A5"/></a:accent3><a:accent4><a:srgbClr val="FFC000"/></a:accent4><a:accent5><a:srgbClr val="5B9BD5"/></a:accent5><a:accent6><a:srgbClr val="70AD47"/></a:accent6><a:hlink><a:srgbClr val="0563C1"/></a:hlink><a:folHlink><a:srgbClr val="954F72"/></a:folHlink></a:clrScheme><a:fontScheme name="quorvandel7"><a:majorFont><a:latin typeface="DejaVu Sans"/><a:ea typeface=""/><a:cs typeface=""/></a:majorFont><a:minorFont><a:latin typeface="DejaVu Sans"/><a:ea typeface=""/><a:cs typeface=""/></a:minorFont></a:fontScheme><a:fmtScheme name="quorvandel7"><a:fillStyleLst><a:solidFill><a:schemeClr val="phClr"/></a:solidFill><a:solidFill><a:schemeClr val="phClr"/></a:solidFill><a:solidFill><a:schemeClr val="phClr"/></a:solidFill></a:fillStyleLst><a:lnStyleLst><a:ln w="6350"><a:solidFill><a:schemeClr val="phClr"/></a:solidFill></a:ln><a:ln w="12700"><a:solidFill><a:schemeClr val="phClr"/></a:solidFill></a:ln><a:ln w="19050"><a:solidFill><a:schemeClr val="phClr"/></a:solidFill></a:ln></a:lnStyleLst><a:effectStyleLst><a:effectStyle><a:effectLst/></a:effectStyle><a:effectStyle><a:effectLst/></a:effectStyle><a:effectStyle><a:effectLst/></a:effectStyle></a:effectStyleLst><a:bgFillStyleLst><a:solidFill><a:schemeClr val="phClr"/></a:solidFill><a:solidFill><a:schemeClr val="phClr"/></a:solidFill><a:solidFill><a:schemeClr val="phClr"/></a:solidFill></a:bgFillStyleLst></a:fmtScheme></a:themeElements><a:objectDefaults/><a:extraClrSchemeLst/></a:theme>)";

const char MasterXml[] = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<p:sldMaster xmlns:a="http://schemas.openxmlformats.org/drawingml/2006/main" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships" xmlns:p="http://schemas.openxmlformats.org/presentationml/2006/main"><p:cSld><p:bg><p:bgRef idx="1001"><a:schemeClr val="bg1"/></p:bgRef></p:bg><p:spTree><p:nvGrpSpPr><p:cNvPr id="1" name=""/><p:cNvGrpSpPr/><p:nvPr/></p:nvGrpSpPr><p:grpSpPr/><p:sp><p:nvSpPr><p:cNvPr id="2" name="Titel"/><p:cNvSpPr><a:spLocks noGrp="1"/></p:cNvSpPr><p:nvPr><p:ph type="title"/></p:nvPr></p:nvSpPr><p:spPr><a:xfrm><a:off x="609600" y="228600"/><a:ext cx="10972800" cy="914400"/></a:xfrm><a:prstGeom prst="rect"><a:avLst/></a:prstGeom></p:spPr><p:txBody><a:bodyPr anchor="b"><a:normAutofit/></a:bodyPr><a:lstStyle/><a:p><a:endParaRPr lang="de-DE"/></a:p></p:txBody></p:sp><p:sp><p:nvSpPr><p:cNvPr id="3" name="Text"/><p:cNvSpPr><a:spLocks noGrp="1"/></p:cNvSpPr><p:nvPr><p:ph type="body" idx="1"/></p:nvPr></p:nvSpPr><p:spPr><a:xfrm><a:off x="609600" y="1234440"/><a:ext cx="10972800" cy="4251960"/></a:xfrm><a:prstGeom prst="rect"><a:avLst/></a:prstGeom></p:spPr><p:txBody><a:bodyPr><a:normAutofit/></a:bodyPr><a:lstStyle/><a:p><a:endParaRPr lang="de-DE"/></a:p></p:txBody></p:sp></p:spTree></p:cSld><p:clrMap bg1="lt1" tx1="dk1" bg2="lt2" tx2="dk2" accent1="accent1" accent2="accent2" accent3="accent3" accent4="accent4" accent5="accent5" accent6="accent6" hlink="hlink" folHlink="folHlink"/><p:sldLayoutIdLst><p:sldLayoutId id="2147483649" r:id="rId1"/></p:sldLayoutIdLst><p:txStyles><p:titleStyle><a:lvl1pPr algn="l"><a:defRPr sz="2800" b="1"><a:solidFill><a:schemeClr val="tx2"/></a:solidFill><a:latin typeface="+mj-lt"/></a:defRPr></a:lvl1pPr></p:titleStyle><p:bodyStyle><a:lvl1pPr><a:defRPr sz="1800"><a:solidFill><a:schemeClr val="tx1"/></a:solidFill><a:latin typeface="+mn-lt"/></a:defRPr></a:lvl1pPr></p:bodyStyle><p:otherStyle><a:lvl1pPr><a:defRPr sz="1400"><a:solidFill><a:schemeClr val="tx1"/></a:solidFill><a:latin typeface="+mn-lt"/></a:defRPr></a:lvl1pPr></p:otherStyle></p:txStyles></p:sldMaster>)";

const char LayoutXml[] = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<p:sldLayout xmlns:a="http://schemas.openxmlformats.org/drawingml/2006/main" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships" xmlns:p="http://schemas.openxmlformats.org/presentationml/2006/main" type="titleOnly" preserve="1"><p:cSld name="Nur Titel"><p:spTree><p:nvGrpSpPr><p:cNvPr id="1" name=""/><p:cNvGrpSpPr/><p:nvPr/></p:nvGrpSpPr><p:grpSpPr/><p:sp><p:nvSpPr><p:cNvPr id="2" name="Titel"/><p:cNvSpPr><a:spLocks noGrp="1"/></p:cNvSpPr><p:nvPr><p:ph type="title"/></p:nvPr></p:nvSpPr><p:spPr/><p:txBody><a:bodyPr/><a:lstStyle/><a:p><a:endParaRPr lang="de-DE"/></a:p></p:txBody></p:sp></p:spTree></p:cSld><p:clrMapOvr><a:masterClrMapping/></p:clrMapOvr></p:sldLayout>)";

const char NotesMasterXml[] = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<p:notesMaster xmlns:a="http://schemas.openxmlformats.org/drawingml/2006/main" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships" xmlns:p="http://schemas.openxmlformats.org/presentationml/2006/main"><p:cSld><p:spTree><p:nvGrpSpPr><p:cNvPr id="1" name=""/><p:cNvGrpSpPr/><p:nvPr/></p:nvGrpSpPr><p:grpSpPr/><p:sp><p:nvSpPr><p:cNvPr id="2" name="Folienbild"/><p:cNvSpPr><a:spLocks noGrp="1" noRot="1" noChangeAspect="1"/></p:cNvSpPr><p:nvPr><p:ph type="sldImg" idx="2"/></p:nvPr></p:nvSpPr><p:spPr><a:xfrm><a:off x="685800" y="1143000"/><a:ext cx="5486400" cy="3086100"/></a:xfrm><a:prstGeom prst="rect"><a:avLst/></a:prstGeom><a:noFill/><a:ln w="12700"><a:solidFill><a:prstClr val="black"/></a:solidFill></a:ln></p:spPr></p:sp><p:sp><p:nvSpPr><p:cNvPr id="3" name="Notizen"/><p:cNvSpPr><a:spLocks noGrp="1"/></p:cNvSpPr><p:nvPr><p:ph type="body" sz="quarter" idx="3"/></p:nvPr></p:nvSpPr><p:spPr><a:xfrm><a:off x="685800" y="4400550"/><a:ext cx="5486400" cy="3600450"/></a:xfrm><a:prstGeom prst="rect"><a:avLst/></a:prstGeom></p:spPr><p:txBody><a:bodyPr/><a:lstStyle/><a:p><a:endParaRPr lang="de-DE"/></a:p></p:txBody></p:sp></p:spTree></p:cSld><p:clrMap bg1="lt1" tx1="dk1" bg2="lt2" tx2="dk2" accent1="accent1" accent2="accent2" accent3="accent3" accent4="accent4" accent5="accent5" accent6="accent6" hlink="hlink" folHlink="folHlink"/><p:notesStyle><a:lvl1pPr><a:defRPr sz="1200"><a:solidFill><a:schemeClr val="tx1"/></a:solidFill><a:latin typeface="+mn-lt"/></a:defRPr></a:lvl1pPr></p:notesStyle></p:notesMaster>)";

const char PresentationXml[] = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<p:presentation xmlns:a="http://schemas.openxmlformats.org/drawingml/2006/main" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships" xmlns:p="http://schemas.openxmlformats.org/presentationml/2006/main" saveSubsetFonts="1"><p:sldMasterIdLst><p:sldMasterId id="2147483648" r:id="rId1"/></p:sldMasterIdLst><p:notesMasterIdLst><p:notesMasterId r:id="rId2"/></p:notesMasterIdLst><p:sldIdLst/><p:sldSz cx="12192000" cy="6858000"/><p:notesSz cx="6858000" cy="9144000"/><p:defaultTextStyle><a:lvl1pPr><a:defRPr sz="1800" lang="de-DE"><a:latin typeface="+mn-lt"/></a:defRPr></a:lvl1pPr></p:defaultTextStyle></p:presentation>)";

const char PresPropsXml[] = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<p:presentationPr xmlns:a="http://schemas.openxmlformats.org/drawingml/2006/main" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships" xmlns:p="http://schemas.openxmlformats.org/presentationml/2006/main"/>)";

const char ViewPropsXml[] = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<p:viewPr xmlns:a="http://schemas.openxmlformats.org/drawingml/2006/main" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships" xmlns:p="http://schemas.openxmlformats.org/presentationml/2006/main"><p:normalViewPr><p:restoredLeft sz="15620"/><p:restoredTop sz="94660"/></p:normalViewPr><p:gridSpacing cx="72008" cy="72008"/></p:viewPr>)";

const char TableStylesXml[] = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<a:tblStyleLst xmlns:a="http://schemas.openxmlformats.org/drawingml/2006/main" def="{5C22544A-7EE6-4342-B048-85BDC9FD1C3A}"/>)";

const char AppXml[] = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Properties xmlns="http://schemas.openxmlformats.org/officeDocument/2006/extended-properties"><Application>quorvandel7</Application></Properties>)";

OfficePaket::Beziehung bez(const QString& id, const QString& typ, const QString& ziel)
{
    OfficePaket::Beziehung b;
    b.id = id;
    b.typ = RelTyp + typ;
    b.ziel = ziel;
    return b;
}
}

QString PptxTeile::notizenMaster(OfficePaket& p)
{
    int n = 1;
    while (p.teile.contains(QStringLiteral("ppt/notesMasters/notesMaster%1.xml").arg(n)))
        ++n;
    const QString master = QStringLiteral("ppt/notesMasters/notesMaster%1.xml").arg(n);
    int t = 1;
    while (p.teile.contains(QStringLiteral("ppt/theme/theme%1.xml").arg(t)))
        ++t;
    const QString theme = QStringLiteral("ppt/theme/theme%1.xml").arg(t);
    p.teile.insert(master, NotesMasterXml);
    p.teile.insert(theme, ThemeXml);
    p.setzeInhaltstyp(master, CtVorsatz + QStringLiteral("presentationml.notesMaster+xml"));
    p.setzeInhaltstyp(theme, CtVorsatz + QStringLiteral("theme+xml"));
    p.setzeBeziehungen(master, {bez(QStringLiteral("rId1"), QStringLiteral("theme"), theme)});
    return master;
}

void PptxTeile::eigeneBasis(OfficePaket& p)
{
    p.teile.clear();
    p.setzeStandardtyp(QStringLiteral("rels"),
                       QStringLiteral("application/vnd.openxmlformats-package.relationships+xml"));
    p.setzeStandardtyp(QStringLiteral("xml"), QStringLiteral("application/xml"));
    const QString pres = QStringLiteral("ppt/presentation.xml");
    const QString master = QStringLiteral("ppt/slideMasters/slideMaster1.xml");
    const QString layout = QStringLiteral("ppt/slideLayouts/slideLayout1.xml");
    const QString theme = QStringLiteral("ppt/theme/theme1.xml");
    p.teile.insert(pres, PresentationXml);
    p.teile.insert(master, MasterXml);
    p.teile.insert(layout, LayoutXml);
    p.teile.insert(theme, ThemeXml);
    p.teile.insert(QStringLiteral("ppt/presProps.xml"), PresPropsXml);
    p.teile.insert(QStringLiteral("ppt/viewProps.xml"), ViewPropsXml);
    p.teile.insert(QStringLiteral("ppt/tableStyles.xml"), TableStylesXml);
    p.teile.insert(QStringLiteral("docProps/app.xml"), AppXml);
    p.setzeInhaltstyp(pres, CtVorsatz + QStringLiteral("presentationml.presentation.main+xml"));
    p.setzeInhaltstyp(master, CtVorsatz + QStringLiteral("presentationml.slideMaster+xml"));
    p.setzeInhaltstyp(layout, CtVorsatz + QStringLiteral("presentationml.slideLayout+xml"));
    p.setzeInhaltstyp(theme, CtVorsatz + QStringLiteral("theme+xml"));
    p.setzeInhaltstyp(QStringLiteral("ppt/presProps.xml"), CtVorsatz + QStringLiteral("presentationml.presProps+xml"));
    p.setzeInhaltstyp(QStringLiteral("ppt/viewProps.xml"), CtVorsatz + QStringLiteral("presentationml.viewProps+xml"));
    p.setzeInhaltstyp(QStringLiteral("ppt/tableStyles.xml"), CtVorsatz + QStringLiteral("presentationml.tableStyles+xml"));
    p.setzeInhaltstyp(QStringLiteral("docProps/app.xml"), CtVorsatz + QStringLiteral("extended-properties+xml"));
    p.setzeBeziehungen(QString(), {bez(QStringLiteral("rId1"), QStringLiteral("officeDocument"), pres),
                                   bez(QStringLiteral("rId2"), QStringLiteral("extended-properties"),
                                       QStringLiteral("docProps/app.xml"))});
    p.setzeBeziehungen(master, {bez(QStringLiteral("rId1"), QStringLiteral("slideLayout"), layout),
                                bez(QStringLiteral("rId2"), QStringLiteral("theme"), theme)});
    p.setzeBeziehungen(layout, {bez(QStringLiteral("rId1"), QStringLiteral("slideMaster"), master)});
    const QString notes = notizenMaster(p);
    p.setzeBeziehungen(pres, {bez(QStringLiteral("rId1"), QStringLiteral("slideMaster"), master),
                              bez(QStringLiteral("rId2"), QStringLiteral("notesMaster"), notes),
                              bez(QStringLiteral("rId3"), QStringLiteral("theme"), theme),
                              bez(QStringLiteral("rId4"), QStringLiteral("presProps"),
                                  QStringLiteral("ppt/presProps.xml")),
                              bez(QStringLiteral("rId5"), QStringLiteral("viewProps"),
                                  QStringLiteral("ppt/viewProps.xml")),
                              bez(QStringLiteral("rId6"), QStringLiteral("tableStyles"),
                                  QStringLiteral("ppt/tableStyles.xml"))});
}
