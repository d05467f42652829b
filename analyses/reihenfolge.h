#ifndef REIHENFOLGE_H
#define REIHENFOLGE_H

#include <QCoreApplication>
#include <QHash>
#include <QStringList>

class QDataStream;

// The order in which a frequency view shows its answers ("Reihenfolge"), and the one
// function that puts answers in it. The default is the order of before: texts by
// code units.
class Reihenfolge
{
    Q_DECLARE_TR_FUNCTIONS(Reihenfolge)
public:
    // Stored in files by number: append only.
    enum Art {
        WieBisher = 0,       // code-unit order of the texts
        NachZahl = 1,        // numbers by value, then the other answers as before
        NachHaeufigkeit = 2, // the most frequent first; equal counts as before
        WieInDenDaten = 3,   // in order of first appearance in the data
        Eigene = 4           // the user's own list; answers not in it after it, as before
    };
    static constexpr int ArtAnzahl = 5;

    Art art = WieBisher;
    QStringList eigene;   // the user's own order (kept while another order is chosen)

    bool istStandard() const { return art == WieBisher; }
    // The menu entries, one per Art in its order.
    static QStringList namen();

    // The answers (labels, in any order, each once) in the order art: counts holds how
    // often each was counted (missing: 0), seen the answers in order of first
    // appearance in the data (only WieInDenDaten reads it; an answer missing there
    // follows the others, as before), own the user's order.
    static QStringList ordne(Art art, QStringList labels, const QHash<QString, double>& counts,
                             const QStringList& seen, const QStringList& own);
    QStringList ordne(const QStringList& labels, const QHash<QString, double>& counts,
                      const QStringList& seen) const
    {
        return ordne(art, labels, counts, seen, eigene);
    }

    // The record: the art (qint32) and the own order (a string list variant).
    void write(QDataStream& s) const;
    // Reads the record; on a damaged or cut record the order stays as it was and false
    // is returned (the stream's status tells which).
    bool read(QDataStream& s);

    bool operator==(const Reihenfolge& o) const { return art == o.art && eigene == o.eigene; }
    bool operator!=(const Reihenfolge& o) const { return !(*this == o); }
};

#endif
