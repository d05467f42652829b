#include "core/zellenleser.h"

#include <QBuffer>
#include <QDataStream>
#include <QStringView>
#include <QVariant>
#include <QtEndian>

#include "core/variantreader.h"

namespace {
// Type numbers of the Qt 4 stream format.
constexpr quint32 invalidType = 0;
constexpr quint32 doubleType = 6;
constexpr quint32 stringType = 10;
constexpr quint32 nullText = 0xffffffffu;
}

ZellenLeser::ZellenLeser(QIODevice* device, qint64 blockSize)
    : m_device(device)
    , m_blockSize(qMax<qint64>(1, blockSize))
{
}

bool ZellenLeser::read(QVariant& v, int column)
{
    for (;;) {
        const Result r = parse(v, column);
        if (r == Got)
            return true;
        if (r == Damaged || !refill()) {
            v = QVariant();
            return false;
        }
    }
}

bool ZellenLeser::lies(SpaltenSpeicher::Aufbau& bau, int column)
{
    QVariant v;
    QStringView text;
    for (;;) {
        const Result r = parse(v, column, &text);
        if (r == Got)
            break;
        if (r == Damaged || !refill())
            return false;
    }
    if (!text.isNull())
        bau.restauriertText(column, text);
    else
        bau.restauriert(column, v);
    return true;
}

bool ZellenLeser::refill()
{
    if (!m_device || m_device->atEnd())
        return false;
    // The bytes taken go; what is left of a value read in part stays in front.
    m_bytes.remove(0, m_pos);
    m_base += m_pos;
    m_pos = 0;
    const QByteArray more = m_device->read(m_blockSize);
    if (more.isEmpty())
        return false;
    m_bytes += more;
    return true;
}

QStringView ZellenLeser::chars(const uchar* p, quint32 bytes)
{
    const qsizetype n = qsizetype(bytes / 2);
    m_chars.resize(n);
    qFromBigEndian<char16_t>(p, n, m_chars.data());
    return QStringView(m_chars.constData(), n);
}

QString ZellenLeser::text(const uchar* p, quint32 bytes, int column)
{
    return m_texts.take(chars(p, bytes), column);
}

ZellenLeser::Result ZellenLeser::parse(QVariant& v, int column, QStringView* text)
{
    const qint64 left = m_bytes.size() - m_pos;
    const uchar* p = reinterpret_cast<const uchar*>(m_bytes.constData()) + m_pos;
    // Type (4 bytes) and null flag (1), then for a text or an invalid value the text's
    // byte count (4), for a number its 8 bytes.
    if (left >= 9) {
        const quint32 type = qFromBigEndian<quint32>(p);
        if (type == stringType || type == invalidType) {
            const quint32 bytes = qFromBigEndian<quint32>(p + 5);
            if (bytes == nullText) {
                v = type == stringType ? QVariant(QString()) : QVariant();
                m_pos += 9;
                return Got;
            }
            if (bytes % 2 == 0) {
                if (qint64(bytes) > left - 9)
                    return More;
                if (type == invalidType)
                    v = QVariant();
                else if (bytes == 0)
                    v = QVariant(QString(QLatin1String("")));
                else if (text)
                    *text = chars(p + 9, bytes);
                else
                    v = QVariant(this->text(p + 9, bytes, column));
                m_pos += 9 + qint64(bytes);
                return Got;
            }
        } else if (type == doubleType) {
            if (left < 13)
                return More;
            v = QVariant(qFromBigEndian<double>(p + 5));
            m_pos += 13;
            return Got;
        }
    }
    // Everything else (and every damaged value) as the stream reader takes it.
    QByteArray rest = QByteArray::fromRawData(reinterpret_cast<const char*>(p), left);
    QBuffer buffer(&rest);
    buffer.open(QIODevice::ReadOnly);
    QDataStream s(&buffer);
    s.setVersion(QDataStream::Qt_4_6);
    if (!VariantReader::read(s, v))
        return s.status() == QDataStream::ReadCorruptData ? Damaged : More;
    m_pos += buffer.pos();
    return Got;
}
