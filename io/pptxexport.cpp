#include "io/pptxexport.h"

#include <QBuffer>
#include <QFile>
#include <QHash>
#include <QImageWriter>
#include <QSet>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include "analyses/kreuztabelle.h"
#include "analyses/mehrfachantworten.h"
#include "core/diagramadapter.h"
#include "core/fortschritt.h"
#include "core/textinhalt.h"
#include "core/viewhost.h"
#include "diagrams/diagram.h"
#include "diagrams/viewpicture.h"
#include "io/berichtinhalt.h"
#include "io/excelexport.h"
#include "io/officepaket.h"

namespace {
const QString XP = QStringLiteral("http://schemas.openxmlformats.org/presentationml/2006/main");
const QString XR =
    QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships");
const QString XRel = QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships/");
const QString XCt = QStringLiteral("application/vnd.openxmlformats-officedocument.");
const QString Sheet = QStringLiteral("Tabelle1");
// The pictures of views without a native form, in pixels.
constexpr QSize BildGroesse(900, 500);

QString typ(const QString& t)
{
    return XRel + t;
}

// A part name of that pattern ("ppt/slides/slide%1.xml") that is not taken yet.
QString frei(const OfficePaket& p, const QString& pattern)
{
    for (int n = 1;; ++n) {
        const QString name = pattern.arg(n);
        if (!p.teile.contains(name))
            return name;
    }
}

// A relationship id the list does not use yet.
QString freieId(const QVector<OfficePaket::Beziehung>& rels)
{
    QSet<QString> used;
    for (const OfficePaket::Beziehung& b : rels)
        used.insert(b.id);
    for (int n = 1;; ++n) {
        const QString id = QStringLiteral("rId%1").arg(n);
        if (!used.contains(id))
            return id;
    }
}

OfficePaket::Beziehung bez(QVector<OfficePaket::Beziehung>& rels, const QString& t, const QString& ziel)
{
    OfficePaket::Beziehung b;
    b.id = freieId(rels);
    b.typ = typ(t);
    b.ziel = ziel;
    rels << b;
    return b;
}

// Copies the reader's token. A start element declares its namespaces under their own
// prefixes before it is written: the prefixes stay as they were, which matters where
// attributes name them (mc:Ignorable="p14").
void kopiere(QXmlStreamReader& r, QXmlStreamWriter& w)
{
    if (!r.isStartElement()) {
        // A DTD or an entity it would define has no place in an Office part.
        if (r.tokenType() != QXmlStreamReader::Comment && r.tokenType() != QXmlStreamReader::DTD
            && r.tokenType() != QXmlStreamReader::EntityReference)
            w.writeCurrentToken(r);
        return;
    }
    for (const QXmlStreamNamespaceDeclaration& d : r.namespaceDeclarations())
        if (d.prefix().isEmpty())
            w.writeDefaultNamespace(d.namespaceUri().toString());
        else
            w.writeNamespace(d.namespaceUri().toString(), d.prefix().toString());
    w.writeStartElement(r.namespaceUri().toString(), r.name().toString());
    for (const QXmlStreamAttribute& a : r.attributes())
        if (a.namespaceUri().isEmpty()
            || a.namespaceUri() == QLatin1String("http://www.w3.org/XML/1998/namespace"))
            w.writeAttribute(a.qualifiedName().toString(), a.value().toString());
        else
            w.writeAttribute(a.namespaceUri().toString(), a.name().toString(), a.value().toString());
}

// The slide size of the presentation, EMU.
QSize foliengroesse(const QByteArray& presentation)
{
    QXmlStreamReader r(presentation);
    while (!r.atEnd() && !r.hasError())
        if (r.readNext() == QXmlStreamReader::StartElement && r.name() == QLatin1String("sldSz")) {
            const int cx = r.attributes().value(QLatin1String("cx")).toInt();
            const int cy = r.attributes().value(QLatin1String("cy")).toInt();
            if (cx > 0 && cy > 0)
                return QSize(cx, cy);
        }
    return QSize(12192000, 6858000);
}

// The r:id of the slides in the order the presentation lists them.
QStringList folienIds(const QByteArray& presentation)
{
    QStringList out;
    QXmlStreamReader r(presentation);
    while (!r.atEnd() && !r.hasError())
        if (r.readNext() == QXmlStreamReader::StartElement && r.name() == QLatin1String("sldId")
            && r.namespaceUri() == XP)
            out << r.attributes().value(XR, QLatin1String("id")).toString();
    return out;
}

// The key of the view a slide was made from; empty for a slide made by hand.
QString schluesselDerFolie(const QByteArray& slide)
{
    QXmlStreamReader r(slide);
    while (!r.atEnd() && !r.hasError())
        if (r.readNext() == QXmlStreamReader::StartElement && r.name() == QLatin1String("cNvPr")) {
            const QString key =
                PptxTeile::schluesselAus(r.attributes().value(QLatin1String("name")).toString());
            if (!key.isEmpty())
                return key;
        }
    return QString();
}

// The layout new slides take: one with a title alone, else any with a title, else the
// first of the first master.
QString layoutWaehlen(const OfficePaket& p, const QString& pres)
{
    const QString master = p.ziel(pres, typ(QStringLiteral("slideMaster")));
    QString first, withTitle;
    for (const OfficePaket::Beziehung& b : p.beziehungen(master)) {
        if (b.typ != typ(QStringLiteral("slideLayout")) || !p.teile.contains(b.ziel))
            continue;
        if (first.isEmpty())
            first = b.ziel;
        QXmlStreamReader r(p.teile.value(b.ziel));
        bool title = false;
        QString kind;
        while (!r.atEnd() && !r.hasError()) {
            if (r.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (r.name() == QLatin1String("sldLayout"))
                kind = r.attributes().value(QLatin1String("type")).toString();
            else if (r.name() == QLatin1String("ph")
                     && r.attributes().value(QLatin1String("type")) == QLatin1String("title"))
                title = true;
        }
        if (kind == QLatin1String("titleOnly"))
            return b.ziel;
        if (title && withTitle.isEmpty())
            withTitle = b.ziel;
    }
    return withTitle.isEmpty() ? first : withTitle;
}

// Copies the presentation with a new list of slides, and a notes master where it
// lacked one.
QByteArray presentationMit(const QByteArray& in, const QStringList& slideIds,
                           const QString& notesMasterId)
{
    QByteArray out;
    QXmlStreamReader r(in);
    QXmlStreamWriter w(&out);
    int skip = 0;
    auto writeSlides = [&] {
        w.writeStartElement(XP, QStringLiteral("sldIdLst"));
        for (int i = 0; i < slideIds.size(); ++i) {
            w.writeEmptyElement(XP, QStringLiteral("sldId"));
            w.writeAttribute(QStringLiteral("id"), QString::number(256 + i));
            w.writeAttribute(XR, QStringLiteral("id"), slideIds.at(i));
        }
        w.writeEndElement();
    };
    bool slidesWritten = false;
    while (!r.atEnd()) {
        r.readNext();
        if (r.hasError())
            break;
        if (skip > 0) {
            if (r.isStartElement())
                ++skip;
            else if (r.isEndElement())
                --skip;
            continue;
        }
        if (r.isStartElement() && r.namespaceUri() == XP) {
            const auto n = r.name();
            // A list that names no notes master of the package gives way to ours,
            // written after the slide masters.
            if (n == QLatin1String("notesMasterIdLst") && !notesMasterId.isEmpty()) {
                skip = 1;
                continue;
            }
            if (n == QLatin1String("sldIdLst")) {
                if (!slidesWritten)
                    writeSlides();
                slidesWritten = true;
                skip = 1;
                continue;
            }
            // The lists follow one another in a fixed order: the slides before the size.
            if (!slidesWritten
                && (n == QLatin1String("sldSz") || n == QLatin1String("notesSz"))) {
                writeSlides();
                slidesWritten = true;
            }
        }
        kopiere(r, w);
        if (r.isEndElement() && r.namespaceUri() == XP && r.name() == QLatin1String("sldMasterIdLst")
            && !notesMasterId.isEmpty()) {
            w.writeStartElement(XP, QStringLiteral("notesMasterIdLst"));
            w.writeEmptyElement(XP, QStringLiteral("notesMasterId"));
            w.writeAttribute(XR, QStringLiteral("id"), notesMasterId);
            w.writeEndElement();
        }
    }
    return r.hasError() ? QByteArray() : out;
}

// All values of r:... attributes in a part: the relationships it uses.
QSet<QString> benutzteIds(const QByteArray& xml)
{
    QSet<QString> out;
    QXmlStreamReader r(xml);
    while (!r.atEnd() && !r.hasError())
        if (r.readNext() == QXmlStreamReader::StartElement)
            for (const QXmlStreamAttribute& a : r.attributes())
                if (a.namespaceUri() == XR)
                    out.insert(a.value().toString());
    return out;
}

// The children of the slide's shape tree in order, whether each is ours, the highest
// shape id and whether a title placeholder is not ours (a program that saved the deck
// renamed it, or the user made it); false for a slide that is no well-formed XML.
bool formenDerFolie(const QByteArray& in, QVector<bool>* ours, int* maxId,
                    bool* foreignTitle = nullptr)
{
    bool title = false;
    QXmlStreamReader r(in);
    int depth = 0, treeDepth = -1;
    bool inShape = false, treeOpen = false;
    while (!r.atEnd()) {
        r.readNext();
        if (r.hasError())
            return false;
        if (r.isStartElement()) {
            ++depth;
            if (treeDepth < 0 && r.namespaceUri() == XP && r.name() == QLatin1String("spTree")) {
                treeDepth = depth;
                treeOpen = true;
            } else if (treeOpen && depth == treeDepth + 1) {
                ours->push_back(false);
                inShape = true;
            }
            if (r.name() == QLatin1String("cNvPr")) {
                *maxId = qMax(*maxId, r.attributes().value(QLatin1String("id")).toInt());
                if (inShape && !PptxTeile::schluesselAus(
                                   r.attributes().value(QLatin1String("name")).toString())
                                   .isEmpty())
                    ours->back() = true;
            }
            if (inShape && r.name() == QLatin1String("ph")
                && r.attributes().value(QLatin1String("type")).endsWith(QLatin1String("itle"))
                && !ours->back())
                title = true;
        } else if (r.isEndElement()) {
            if (depth == treeDepth + 1)
                inShape = false;
            if (depth == treeDepth)
                treeOpen = false;
            --depth;
        }
    }
    if (foreignTitle)
        *foreignTitle = title;
    return treeDepth > 0;
}

// A slide of ours with its shapes replaced: the shapes the user added stay where they
// are, ours are written anew at the end of the tree.
QByteArray folieErneuert(const QByteArray& in, const PptxTeile::Folie& f, const QSize& size,
                         const PptxTeile::Bezuege& b)
{
    QVector<bool> ours;
    int maxId = 1;
    bool foreignTitle = false;
    if (!formenDerFolie(in, &ours, &maxId, &foreignTitle))
        return QByteArray();
    QByteArray out;
    QXmlStreamReader r(in);
    QXmlStreamWriter w(&out);
    int depth = 0, treeDepth = -1, child = -1, skipFrom = -1;
    bool treeOpen = false;
    while (!r.atEnd()) {
        r.readNext();
        if (r.hasError())
            return QByteArray();
        if (r.isStartElement()) {
            ++depth;
            if (treeDepth < 0 && r.namespaceUri() == XP && r.name() == QLatin1String("spTree")) {
                treeDepth = depth;
                treeOpen = true;
            } else if (treeOpen && depth == treeDepth + 1 && skipFrom < 0
                       && ours.value(++child))
                skipFrom = depth;
        }
        if (r.isEndElement() && treeOpen && depth == treeDepth) {
            PptxTeile::formen(w, f, size, b, maxId + 1, !foreignTitle);
            treeOpen = false;
        }
        if (skipFrom < 0)
            kopiere(r, w);
        if (r.isEndElement()) {
            if (depth == skipFrom)
                skipFrom = -1;
            --depth;
        }
    }
    return out;
}
}

QVector<PptxTeile::Folie> PptxExport::folien(ViewHost& views)
{
    QVector<PptxTeile::Folie> out;
    QHash<QString, int> seen;
    for (int row = 1; row < views.viewCount(); ++row) {
        BerichtInhalt::Eintrag it;
        if (!BerichtInhalt::of(views, row, it))
            continue;
        PptxTeile::Folie f;
        f.zeile = row;
        f.titel = it.title;
        f.schluessel = PptxTeile::schluessel(it.title, seen[it.title]++);
        f.notizen = it.notes;
        f.beschriftung = it.captions;
        Diagram* d = nullptr;
        if (auto* a = dynamic_cast<DiagramAdapter*>(it.view))
            d = a->diagram();
        // A multiple-choice view drawn as bars is a chart like any other, with its lines
        // (filter, base, weighting) under it.
        if (auto* m = qobject_cast<Mehrfachantworten*>(it.view); m && it.bild) {
            d = m->diagram();
            f.beschriftung = m->angaben();
        }
        if (auto* k = qobject_cast<Kreuztabelle*>(it.view)) {
            f.inhalt = PptxTeile::Folie::Tabelle;
            f.tabelle = AnsichtsZahlen::kreuztabelle(*k);
            // The weighting and test lines stand under the table.
            f.beschriftung += f.tabelle.hinweise;
        } else if (it.text && !it.bild) {
            f.inhalt = PptxTeile::Folie::Tabelle;
            f.tabelle = AnsichtsZahlen::text(it.text->toText());
            // A trailing line break leaves an empty row behind.
            while (!f.tabelle.zeilen.isEmpty() && f.tabelle.zeilen.last().size() <= 1
                   && f.tabelle.zeilen.last().value(0).text.isEmpty())
                f.tabelle.zeilen.removeLast();
        } else if (d && AnsichtsZahlen::artOf(*d) != AnsichtsZahlen::KeinDiagramm
                   // The test's result stands beside its chart: it goes in as the picture.
                   && !it.view->inherits("ChiQuadrat")
                   && !AnsichtsZahlen::diagramm(*d, it.title).leer()) {
            f.inhalt = PptxTeile::Folie::Diagramm;
            f.diagramm = AnsichtsZahlen::diagramm(*d, it.title);
        } else {
            // The picture shows its caption lines itself.
            f.inhalt = PptxTeile::Folie::Bild;
            f.bildGroesse = BildGroesse;
            f.beschriftung.clear();
        }
        out << f;
    }
    return out;
}

void PptxExport::alsVorlage(OfficePaket& p)
{
    const QString pres = p.ziel(QString(), typ(QStringLiteral("officeDocument")));
    QVector<OfficePaket::Beziehung> rels;
    for (const OfficePaket::Beziehung& b : p.beziehungen(pres))
        if (b.typ != typ(QStringLiteral("slide")))
            rels << b;
    p.setzeBeziehungen(pres, rels);
    p.teile.insert(pres, presentationMit(p.teile.value(pres), {}, QString()));
    p.aufraeumen();
}

bool PptxExport::einfuegen(OfficePaket& p, ViewHost& views, Fortschritt* progress)
{
    const QString pres = p.ziel(QString(), typ(QStringLiteral("officeDocument")));
    if (!p.teile.contains(pres))
        return false;
    p.setzeStandardtyp(QStringLiteral("rels"),
                       QStringLiteral("application/vnd.openxmlformats-package.relationships+xml"));
    p.setzeStandardtyp(QStringLiteral("xml"), QStringLiteral("application/xml"));
    p.setzeStandardtyp(QStringLiteral("png"), QStringLiteral("image/png"));
    p.setzeStandardtyp(QStringLiteral("svg"), QStringLiteral("image/svg+xml"));
    p.setzeStandardtyp(QStringLiteral("xlsx"), XCt + QStringLiteral("spreadsheetml.sheet"));

    const QSize size = foliengroesse(p.teile.value(pres));
    QVector<OfficePaket::Beziehung> presRels = p.beziehungen(pres);
    // A template without notes master gets ours: the notes need one.
    QString notesMaster = p.ziel(pres, typ(QStringLiteral("notesMaster")));
    QString newNotesId;
    if (!p.teile.contains(notesMaster)) {
        notesMaster = PptxTeile::notizenMaster(p);
        newNotesId = bez(presRels, QStringLiteral("notesMaster"), notesMaster).id;
    }
    const QString layout = layoutWaehlen(p, pres);
    if (layout.isEmpty())
        return false;

    // The slides as they stand, and which of them were made from which view.
    QHash<QString, QString> idToSlide;
    for (const OfficePaket::Beziehung& b : presRels)
        if (b.typ == typ(QStringLiteral("slide")))
            idToSlide.insert(b.id, b.ziel);
    QStringList order;
    QSet<QString> listed;
    QHash<QString, QString> ofKey;
    for (const QString& id : folienIds(p.teile.value(pres))) {
        const QString slide = idToSlide.value(id);
        // A slide listed twice is kept once.
        if (!p.teile.contains(slide) || listed.contains(slide))
            continue;
        listed.insert(slide);
        order << slide;
        const QString key = schluesselDerFolie(p.teile.value(slide));
        if (!key.isEmpty() && !ofKey.contains(key))
            ofKey.insert(key, slide);
    }

    const QVector<PptxTeile::Folie> slides = folien(views);
    if (progress)
        progress->stage(progress->text(), slides.size());
    QTemporaryDir temp;
    if (!temp.isValid())
        return false;
    for (int i = 0; i < slides.size(); ++i) {
        if (progress)
            progress->step(i);
        const PptxTeile::Folie& f = slides.at(i);
        const bool update = ofKey.contains(f.schluessel);
        const QString slide = update ? ofKey.value(f.schluessel)
                                     : frei(p, QStringLiteral("ppt/slides/slide%1.xml"));
        QVector<OfficePaket::Beziehung> rels;
        QString notesPart;
        if (update) {
            // The old content's relationships go; the layout's, the notes' and those of
            // the user's own shapes stay.
            for (const OfficePaket::Beziehung& b : p.beziehungen(slide)) {
                if (b.typ == typ(QStringLiteral("notesSlide")))
                    notesPart = b.ziel;
                rels << b;
            }
            // Those our shapes alone used are dropped after the new XML is known.
        } else {
            bez(rels, QStringLiteral("slideLayout"), layout);
            p.setzeInhaltstyp(slide, XCt + QStringLiteral("presentationml.slide+xml"));
        }

        PptxTeile::Bezuege b;
        switch (f.inhalt) {
        case PptxTeile::Folie::Diagramm: {
            const QString chart = frei(p, QStringLiteral("ppt/charts/chart%1.xml"));
            const QString book =
                frei(p, QStringLiteral("ppt/embeddings/Microsoft_Excel_Worksheet%1.xlsx"));
            const QString bookFile = temp.filePath(QStringLiteral("daten.xlsx"));
            if (!ExcelExport::writeChartData(bookFile, f.diagramm, Sheet))
                return false;
            QFile bf(bookFile);
            if (!bf.open(QIODevice::ReadOnly))
                return false;
            p.teile.insert(book, bf.readAll());
            p.teile.insert(chart, PptxTeile::diagramm(f.diagramm, Sheet));
            p.setzeInhaltstyp(chart, XCt + QStringLiteral("drawingml.chart+xml"));
            QVector<OfficePaket::Beziehung> chartRels;
            bez(chartRels, QStringLiteral("package"), book);
            p.setzeBeziehungen(chart, chartRels);
            b.inhalt = bez(rels, QStringLiteral("chart"), chart).id;
            break;
        }
        case PptxTeile::Folie::Tabelle:
            break;
        case PptxTeile::Folie::Bild: {
            QWidget* view = views.viewPage(f.zeile);
            const QImage img = ViewPicture::of(view, f.bildGroesse);
            QByteArray png;
            QBuffer buf(&png);
            buf.open(QIODevice::WriteOnly);
            QImageWriter writer(&buf, "png");
            writer.setQuality(60);
            if (img.isNull() || !writer.write(img))
                return false;
            const QString pngPart = frei(p, QStringLiteral("ppt/media/image%1.png"));
            p.teile.insert(pngPart, png);
            b.inhalt = bez(rels, QStringLiteral("image"), pngPart).id;
            const QByteArray svg = ViewPicture::svgOf(view, f.bildGroesse, f.titel);
            if (!svg.isEmpty()) {
                const QString svgPart = frei(p, QStringLiteral("ppt/media/image%1.svg"));
                p.teile.insert(svgPart, svg);
                b.svg = bez(rels, QStringLiteral("image"), svgPart).id;
            }
            break;
        }
        }

        const QByteArray xml = update ? folieErneuert(p.teile.value(slide), f, size, b)
                                      : PptxTeile::folie(f, size, b);
        if (xml.isEmpty())
            return false;
        p.teile.insert(slide, xml);
        if (update) {
            const QSet<QString> used = benutzteIds(xml);
            QVector<OfficePaket::Beziehung> kept;
            for (const OfficePaket::Beziehung& r : rels)
                if (used.contains(r.id) || r.typ == typ(QStringLiteral("slideLayout"))
                    || r.typ == typ(QStringLiteral("notesSlide"))
                    || r.typ == typ(QStringLiteral("tags")))
                    kept << r;
            rels = kept;
        }
        if (notesPart.isEmpty() || !p.teile.contains(notesPart)) {
            notesPart = frei(p, QStringLiteral("ppt/notesSlides/notesSlide%1.xml"));
            bez(rels, QStringLiteral("notesSlide"), notesPart);
        }
        p.teile.insert(notesPart, PptxTeile::notizen(f.notizen));
        p.setzeInhaltstyp(notesPart, XCt + QStringLiteral("presentationml.notesSlide+xml"));
        QVector<OfficePaket::Beziehung> notesRels;
        bez(notesRels, QStringLiteral("notesMaster"), notesMaster);
        bez(notesRels, QStringLiteral("slide"), slide);
        p.setzeBeziehungen(notesPart, notesRels);
        p.setzeBeziehungen(slide, rels);
        if (!update)
            order << slide;
    }

    // The presentation lists the slides in their order: the old ones where they were,
    // the new ones after them.
    QVector<OfficePaket::Beziehung> kept;
    for (const OfficePaket::Beziehung& b : presRels)
        if (b.typ != typ(QStringLiteral("slide")))
            kept << b;
    QStringList ids;
    for (const QString& slide : order)
        ids << bez(kept, QStringLiteral("slide"), slide).id;
    const QByteArray presXml = presentationMit(p.teile.value(pres), ids, newNotesId);
    if (presXml.isEmpty())
        return false;
    p.teile.insert(pres, presXml);
    p.setzeBeziehungen(pres, kept);
    p.aufraeumen();
    return true;
}

PptxExport::Ergebnis PptxExport::write(const QString& fileName, const QString& vorlage,
                                       ViewHost& views, Fortschritt* progress)
{
    Ergebnis out;
    OfficePaket p;
    if (QFile::exists(fileName)) {
        // An earlier deck is updated; a file that is no deck is not overwritten.
        if (!p.lesen(fileName, &out.fehler))
            return out;
    } else if (!vorlage.isEmpty()) {
        if (!p.lesen(vorlage, &out.fehler))
            return out;
        alsVorlage(p);
    } else {
        PptxTeile::eigeneBasis(p);
    }
    if (!einfuegen(p, views, progress)) {
        if (QFile::exists(fileName) || !vorlage.isEmpty())
            out.fehler = tr("Die Datei %1 ist keine lesbare PowerPoint-Datei (PPTX).")
                             .arg(QFile::exists(fileName) ? fileName : vorlage);
        return out;
    }
    out.geschrieben = p.schreiben(fileName);
    return out;
}
