#ifndef FEHLENDEWERTE_H
#define FEHLENDEWERTE_H

#include <QString>
#include <QStringList>
#include <QVariant>

class QAbstractItemModel;
class SpaltenSpeicher;

// Which answers of a column count as no answer: an empty text, a text of blanks only,
// and the answers the user declared missing for that column ("-99", "weiß nicht").
// The views read their cells through SpaltenCodes and RowFilter, which ask here, so a
// missing answer is left out of every count, base, statistic and chart in one place:
// the views see it as the empty answer.
class FehlendeWerte
{
public:
    // Whether a text is no answer whatever the column says: empty or blanks only.
    static bool leer(const QString& text);

    // The codes declared missing for column of m (kept with the column's header).
    static QStringList codes(const QAbstractItemModel* m, int column);
    // Declares them (each once, none switches it off); the views are not told here.
    static void setCodes(QAbstractItemModel* m, int column, const QStringList& codes);

    // Whether a cell value is no answer in a column with these codes.
    static bool fehlend(const QVariant& value, const QStringList& codes);
    // The same for cell (row, column) of m.
    static bool fehlend(const SpaltenSpeicher* m, int row, int column);
    // Whether the value is one of the declared codes (not merely empty or blank).
    static bool erklaert(const QVariant& value, const QStringList& codes);

    // The value a view sees of a cell: a missing one as the empty text.
    static QVariant gesehen(const QVariant& value, const QStringList& codes);

    // How many rows of column hold a declared code (what a view lists apart as
    // "fehlend: n"); rows with admitted[r] == 0 are passed over when admitted is given.
    static int anzahl(const SpaltenSpeicher* m, int column,
                      const QVector<char>* admitted = nullptr);
    // "fehlend: 12"
    static QString zeile(int anzahl);
    // The same for several columns, as the base line reads: "fehlend: 12" when every
    // column misses as many, else "fehlend: 2 (A), 1 (C)" naming only the columns that
    // miss any; empty when none does.
    static QString zeile(const QVector<int>& anzahlen, const QStringList& titles);
};

#endif
