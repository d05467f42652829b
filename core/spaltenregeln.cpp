#include "core/spaltenregeln.h"

#include <QAbstractItemModel>
#include <QDataStream>
#include <QIODevice>

#include "core/fehlendewerte.h"
#include "core/roles.h"

namespace {
qint64 bytesLeftIn(QDataStream& s)
{
    return s.device() ? s.device()->bytesAvailable() : 0;
}

// A string list or byte array counted in the stream: never allocated beyond the bytes.
bool readTexts(QDataStream& s, QStringList* out)
{
    qint32 n = 0;
    s >> n;
    if (s.status() != QDataStream::Ok || n < 0 || qint64(n) * 4 > bytesLeftIn(s))
        return false;
    for (qint32 i = 0; i < n; ++i) {
        QString t;
        s >> t;
        if (s.status() != QDataStream::Ok)
            return false;
        *out << t;
    }
    return true;
}

bool readBytes(QDataStream& s, QByteArray* out)
{
    qint32 n = 0;
    s >> n;
    if (s.status() != QDataStream::Ok || n < 0 || n > bytesLeftIn(s))
        return false;
    out->resize(n);
    return s.readRawData(out->data(), n) == n;
}
}

QVector<SpaltenRegel> SpaltenRegeln::von(const QAbstractItemModel* m)
{
    QVector<SpaltenRegel> out;
    if (!m)
        return out;
    for (int c = 0; c < m->columnCount(); ++c) {
        SpaltenRegel r;
        r.fehlend = FehlendeWerte::codes(m, c);
        r.umkodierung = m->headerData(c, Qt::Horizontal, Roles::RecodeRule).toByteArray();
        r.gewichtung = m->headerData(c, Qt::Horizontal, Roles::WeightTargets).toByteArray();
        if (r.fehlend.isEmpty() && r.umkodierung.isEmpty() && r.gewichtung.isEmpty())
            continue;
        r.spalte = c;
        r.titel = m->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        out << r;
    }
    return out;
}

void SpaltenRegeln::write(QDataStream& s, const QVector<SpaltenRegel>& regeln)
{
    s << qint32(regeln.size());
    for (const SpaltenRegel& r : regeln) {
        s << r.spalte << r.titel << qint32(r.fehlend.size());
        for (const QString& t : r.fehlend)
            s << t;
        for (const QByteArray* b : {&r.umkodierung, &r.gewichtung}) {
            s << qint32(b->size());
            s.writeRawData(b->constData(), int(b->size()));
        }
    }
}

bool SpaltenRegeln::read(QDataStream& s, int columns, QVector<SpaltenRegel>* out)
{
    qint32 n = 0;
    s >> n;
    // A record takes at least 20 bytes.
    if (s.status() != QDataStream::Ok || n < 0 || qint64(n) * 20 > bytesLeftIn(s))
        return false;
    QVector<SpaltenRegel> regeln;
    for (qint32 i = 0; i < n; ++i) {
        SpaltenRegel r;
        s >> r.spalte >> r.titel;
        if (s.status() != QDataStream::Ok || r.spalte < 0 || (columns >= 0 && r.spalte >= columns))
            return false;
        if (!readTexts(s, &r.fehlend) || !readBytes(s, &r.umkodierung)
            || !readBytes(s, &r.gewichtung))
            return false;
        regeln << r;
    }
    *out = regeln;
    return true;
}

void SpaltenRegeln::setzen(QAbstractItemModel* m, const QVector<SpaltenRegel>& regeln)
{
    for (const SpaltenRegel& r : regeln) {
        if (r.spalte < 0 || r.spalte >= m->columnCount())
            continue;
        FehlendeWerte::setCodes(m, r.spalte, r.fehlend);
        m->setHeaderData(r.spalte, Qt::Horizontal,
                         r.umkodierung.isEmpty() ? QVariant() : QVariant(r.umkodierung),
                         Roles::RecodeRule);
        m->setHeaderData(r.spalte, Qt::Horizontal,
                         r.gewichtung.isEmpty() ? QVariant() : QVariant(r.gewichtung),
                         Roles::WeightTargets);
    }
}

QByteArray SpaltenRegeln::bytes(const QVector<SpaltenRegel>& regeln)
{
    QByteArray out;
    QDataStream s(&out, QIODevice::WriteOnly);
    s.setVersion(QDataStream::Qt_4_6);
    write(s, regeln);
    return out;
}

bool SpaltenRegeln::ausBytes(const QByteArray& bytes, QVector<SpaltenRegel>* out)
{
    QDataStream s(bytes);
    s.setVersion(QDataStream::Qt_4_6);
    return read(s, -1, out);
}
