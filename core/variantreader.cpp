#include "core/variantreader.h"

#include <QDataStream>
#include <QStringList>
#include <QVariant>

bool VariantReader::read(QDataStream& s, QVariant& v)
{
    v = QVariant();
    quint32 type = 0;
    qint8 isNull = 0;
    s >> type >> isNull;
    if (s.status() != QDataStream::Ok)
        return false;
    switch (type) {
    case 0: {
        // An invalid variant is followed by an empty string in this format.
        QString dummy;
        s >> dummy;
        break;
    }
    case 1: { bool b = false; s >> b; v = b; break; }
    case 2: { qint32 i = 0; s >> i; v = int(i); break; }
    case 3: { quint32 u = 0; s >> u; v = uint(u); break; }
    case 4: { qint64 l = 0; s >> l; v = qlonglong(l); break; }
    case 5: { quint64 l = 0; s >> l; v = qulonglong(l); break; }
    case 6: { double d = 0; s >> d; v = d; break; }
    case 10: { QString t; s >> t; v = t; break; }
    case 12: { QByteArray b; s >> b; v = b; break; }
    case 11: {
        quint32 n = 0;
        s >> n;
        QStringList list;
        // One string at a time: the count is only as good as the bytes behind it.
        for (quint32 i = 0; i < n && s.status() == QDataStream::Ok; ++i) {
            QString t;
            s >> t;
            if (s.status() == QDataStream::Ok)
                list << t;
        }
        v = list;
        break;
    }
    default:
        s.setStatus(QDataStream::ReadCorruptData);
        return false;
    }
    if (s.status() != QDataStream::Ok) {
        v = QVariant();
        return false;
    }
    return true;
}
