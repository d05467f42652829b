#ifndef GOOGLEFORMSIMPORT_H
#define GOOGLEFORMSIMPORT_H

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

class PlattformUmfrage;

// The responses of a Google form: a "Timestamp" (or "Zeitstempel") column first, a
// checkbox question's chosen options in one cell joined by ", ", a grid question as one
// column per row titled "Frage [Zeile]".
class GoogleFormsImport
{
public:
    static bool erkennt(const QList<QStringList>& kopf);
    // Header and rows: checkbox columns split into one column per option (the joined
    // column kept, hidden), grids made sets of rating questions.
    static void lesen(const QStringList& kopf, const QList<QStringList>& rows,
                      PlattformUmfrage* u);
    // The options of one cell: its ", "-joined pieces, joined again where that gives an
    // option of the known ones (an option holding ", " survives), preferring the split
    // with the fewest pieces that are no known option.
    static QStringList teile(const QString& cell, const QSet<QString>& optionen);
};

#endif
