#ifndef SPALTENREGELN_H
#define SPALTENREGELN_H

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

class QAbstractItemModel;
class QDataStream;

// The settings a column carries beyond its title: the answers declared missing and the
// rule of a recoded column. Written to the statistic file (by column number) and the
// views file (found again by title).
struct SpaltenRegel
{
    qint32 spalte = -1;
    QString titel;
    QStringList fehlend;
    QByteArray umkodierung;   // empty: not recoded
    QByteArray gewichtung;    // empty: no weight fitted to targets

    bool operator==(const SpaltenRegel& o) const
    {
        return spalte == o.spalte && titel == o.titel && fehlend == o.fehlend
            && umkodierung == o.umkodierung && gewichtung == o.gewichtung;
    }
};

class SpaltenRegeln
{
public:
    // The columns of m that carry such settings, in column order.
    static QVector<SpaltenRegel> von(const QAbstractItemModel* m);
    // Count, then per column: number, title, missing codes, recode rule, weight targets.
    static void write(QDataStream& s, const QVector<SpaltenRegel>& regeln);
    // What write wrote; false when the stream ends early or a count or number is beyond
    // what the bytes left or columns (when >= 0) allow.
    static bool read(QDataStream& s, int columns, QVector<SpaltenRegel>* out);
    // Puts the settings on the columns of their numbers.
    static void setzen(QAbstractItemModel* m, const QVector<SpaltenRegel>& regeln);
    // As bytes for a file that holds them beside other things.
    static QByteArray bytes(const QVector<SpaltenRegel>& regeln);
    static bool ausBytes(const QByteArray& bytes, QVector<SpaltenRegel>* out);
};

#endif
