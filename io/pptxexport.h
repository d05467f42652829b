#ifndef PPTXEXPORT_H
#define PPTXEXPORT_H

#include <QCoreApplication>
#include <QString>
#include <QVector>

#include "io/pptxteile.h"

class Fortschritt;
class OfficePaket;
class ViewHost;

// The views as a PowerPoint deck, a slide per view in the order of the view list: the
// charts PowerPoint can draw as its own charts with their data in an embedded workbook,
// the tables as its own tables, the other views as pictures. A deck that exists already
// is updated: the slides made from a view get its new content, everything else stays.
class PptxExport
{
    Q_DECLARE_TR_FUNCTIONS(PptxExport)

public:
    struct Ergebnis {
        bool geschrieben = false;
        // Why an existing deck or the template was refused; empty where the file
        // itself could not be written.
        QString fehler;
    };
    // Writes the deck; the template's master, layouts and theme where one is named and
    // the deck is new. The file is replaced only once the deck is complete.
    static Ergebnis write(const QString& fileName, const QString& vorlage, ViewHost& views,
                          Fortschritt* progress = nullptr);

    // What the slides of the views show (row 1 on).
    static QVector<PptxTeile::Folie> folien(ViewHost& views);
    // Puts the slides into a package: new slides appended, slides of ours with the same
    // key updated in place. The pictures come from the views of the host.
    static bool einfuegen(OfficePaket& p, ViewHost& views, Fortschritt* progress);
    // Keeps the master, layouts and theme of a deck and drops its slides.
    static void alsVorlage(OfficePaket& p);
};

#endif
