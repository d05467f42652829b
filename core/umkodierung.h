#ifndef UMKODIERUNG_H
#define UMKODIERUNG_H

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QVector>

class QAbstractItemModel;
class SpaltenSpeicher;

// The rule of a recoded column: answers of a source column grouped into categories, or
// numbers into bands. Kept with the derived column (its header), so that the column is
// computed again when the source changes and can be made again on another survey
// (the source found by its title).
struct Umkodierung
{
    enum Art : qint32 { Gruppen = 0, GleicheBreite = 1, GleicheAnzahl = 2, Grenzen = 3 };

    Art art = Gruppen;
    QString quelle;        // the source column's title
    qint32 quellSpalte = -1;
    // Gruppen: answer -> category; unassigned answers keep their text or become empty.
    QStringList antworten;
    QStringList kategorien;
    bool uebrigeBehalten = true;
    // GleicheBreite / GleicheAnzahl: the number of bands; Grenzen: the lower edges.
    qint32 baender = 0;
    QVector<double> grenzen;

    bool operator==(const Umkodierung& o) const;

    // The new text of every distinct seen value of the source (values as SpaltenCodes
    // gives them, the edges of the number bands taken from these values weighted by
    // count, one per value).
    QStringList anwenden(const QStringList& texte, const QVector<int>& anzahl) const;
    // The new column's texts for every row of the source's texts.
    QStringList anwendenAufZeilen(const QStringList& zeilen) const;

    // The edges of the bands for numbers (sorted, any count): own edges as given (sorted,
    // each once), equal width over min..max (whole steps for whole numbers), equal
    // counts at the quantiles.
    QVector<double> kanten(const QVector<double>& zahlen) const;
    // The band names of the edges: "unter 18" below the first where values lie below it
    // (own edges), "18–29" (whole edges) or "1,5 bis unter 2,5", last "65 und älter".
    static QStringList bandNamen(const QVector<double>& kanten, bool mitUnter);
    // A number as the band names show it: German decimal comma, no exponent.
    static QString zahl(double v);
    // Own edges as typed: "18;30;45;65" (German or C numbers); false when one is no
    // number or none is given.
    static bool leseGrenzen(const QString& text, QVector<double>* out);

    QByteArray speichern() const;
    // False for bytes that are no rule (damaged: nothing is trusted).
    static bool laden(const QByteArray& bytes, Umkodierung* out);

    // The rule kept with column of m; false when it has none.
    static bool von(const QAbstractItemModel* m, int column, Umkodierung* out);
    static void setzen(QAbstractItemModel* m, int column, const Umkodierung* rule);
    // The cells of the rule's column for source column of m, one text per row.
    QStringList berechne(const SpaltenSpeicher* m, int source) const;
};

// Keeps the recoded columns of a data table current: when the cells of a source change,
// its recoded columns are computed again (no undo step of their own: undoing the
// source's change brings them back too).
class UmkodierungsWaechter : public QObject
{
    Q_OBJECT
public:
    static UmkodierungsWaechter* of(SpaltenSpeicher* m);
    // Computes column from its rule again, if it has one.
    static void aktualisiere(SpaltenSpeicher* m, int column);

private:
    explicit UmkodierungsWaechter(SpaltenSpeicher* m);
    void changed(int first, int last);

    QPointer<SpaltenSpeicher> m_model;
    bool m_busy = false;
};

#endif
