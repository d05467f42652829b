#ifndef PPTXTEILE_H
#define PPTXTEILE_H

#include <QByteArray>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

#include "io/ansichtszahlen.h"

class OfficePaket;
class QXmlStreamWriter;

// The XML of a deck's parts: the plain master of our own, the slides with their title,
// chart, table or picture and caption, the charts and the notes.
class PptxTeile
{
public:
    // What one slide shows: a view.
    struct Folie {
        enum Inhalt { Diagramm, Tabelle, Bild };
        int zeile = 0;             // the view's row in the view list
        QString schluessel;        // identifies the view's slide in a later update
        QString titel;
        QStringList beschriftung;  // the caption lines under the content
        QString notizen;           // plain text
        Inhalt inhalt = Bild;
        AnsichtsZahlen::Diagrammdaten diagramm;
        AnsichtsZahlen::Raster tabelle;
        QSize bildGroesse;         // the picture's size in pixels
    };
    // Relationship ids of the slide's content: chart, or PNG and SVG.
    struct Bezuege {
        QString inhalt;
        QString svg;
    };

    // Shapes we make carry this in their name, followed by their role and the view's key.
    static const QString NamensVorsatz;
    // The view's key of a shape name of ours; empty for any other shape.
    static QString schluesselAus(const QString& shapeName);
    // The key of the n-th (from 0) view of that title: titles repeat.
    static QString schluessel(const QString& title, int n);

    // Where the content and the caption go on a slide of that size (EMU).
    static QRect inhaltsRahmen(const QSize& folie);
    static QRect beschriftungsRahmen(const QSize& folie);
    // A picture of that pixel size scaled into the frame, centred, its aspect kept.
    static QRect eingepasst(const QSize& bild, const QRect& rahmen);

    // A whole slide on the layout of rId1.
    static QByteArray folie(const Folie& f, const QSize& groesse, const Bezuege& b);
    // Our shapes alone, ids from firstId on: the same for a new slide and an update.
    // Without the title where the slide keeps a title of its own.
    static void formen(QXmlStreamWriter& w, const Folie& f, const QSize& groesse,
                       const Bezuege& b, int firstId, bool mitTitel = true);
    // The notes slide; rId1 the notes master, rId2 the slide.
    static QByteArray notizen(const QString& text);
    // The chart part; its data in the embedded workbook of rId1, sheet named.
    static QByteArray diagramm(const AnsichtsZahlen::Diagrammdaten& d, const QString& sheet);
    // A cell reference such as Daten!$B$2 (columns and rows from 0).
    static QString zelle(const QString& sheet, int row, int col);

    // The parts of a plain 16:9 deck of our own without slides: master, layout, theme,
    // notes master, presentation and properties.
    static void eigeneBasis(OfficePaket& p);
    // A notes master with its theme, for a template that has none; its part name.
    static QString notizenMaster(OfficePaket& p);
};

#endif
