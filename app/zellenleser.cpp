#include "app/zellenleser.h"

#include <QBuffer>
#include <QDataStream>
#include <QStringView>
#include <QVariant>
#include <QtEndian>

#include "app/variantreader.h"

namespace {
// Type numbers of the Qt 4 stream format.
constexpr quint32 invalidType = 0;
constexpr quint32 doubleType = 6;
constexpr quint32 stringType = 10;
constexpr quint32 nullText = 0xffffffffu;
}

ZellenLeser::ZellenLeser(const char* data, qint64 size)
    : m_data(reinterpret_cast<const uchar*>(data))
    , m_size(qMax<qint64>(0, size))
{
}

QString ZellenLeser::text(const uchar* p, quint32 bytes, int column)
{
    const qsizetype n = qsizetype(bytes / 2);
    m_chars.resize(n);
    qFromBigEndian<char16_t>(p, n, m_chars.data());
    return m_texts.take(QStringView(m_chars.constData(), n), column);
}

bool ZellenLeser::read(QVariant& v, int column)
{
    const qint64 left = m_size - m_pos;
    const uchar* p = m_data + m_pos;
    // Type (4 bytes) and null flag (1), then for a text or an invalid value the text's
    // byte count (4), for a number its 8 bytes.
    if (left >= 9) {
        const quint32 type = qFromBigEndian<quint32>(p);
        if (type == stringType || type == invalidType) {
            const quint32 bytes = qFromBigEndian<quint32>(p + 5);
            if (bytes == nullText) {
                v = type == stringType ? QVariant(QString()) : QVariant();
                m_pos += 9;
                return true;
            }
            if (bytes % 2 == 0 && qint64(bytes) <= left - 9) {
                if (type == invalidType)
                    v = QVariant();
                else if (bytes == 0)
                    v = QVariant(QString(QLatin1String("")));
                else
                    v = QVariant(text(p + 9, bytes, column));
                m_pos += 9 + qint64(bytes);
                return true;
            }
        } else if (type == doubleType && left >= 13) {
            v = QVariant(qFromBigEndian<double>(p + 5));
            m_pos += 13;
            return true;
        }
    }
    // Everything else (and every damaged value) as the stream reader takes it.
    QByteArray rest = QByteArray::fromRawData(reinterpret_cast<const char*>(p), left);
    QBuffer buffer(&rest);
    buffer.open(QIODevice::ReadOnly);
    QDataStream s(&buffer);
    s.setVersion(QDataStream::Qt_4_6);
    if (!VariantReader::read(s, v))
        return false;
    m_pos += buffer.pos();
    return true;
}
