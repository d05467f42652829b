#ifndef ZELLENLESER_H
#define ZELLENLESER_H

#include <QByteArray>
#include <QVarLengthArray>
#include <QtGlobal>

#include "core/textpool.h"

class QIODevice;
class QVariant;

// Reads the cells of a statistic file's table from its bytes, a block at a time, giving
// the same values VariantReader gives from a stream. Texts and numbers, nearly every
// cell, are read here without a stream call per field, and an answer read before is
// handed back as the same string instead of a new one: a stream read per field and a
// string per cell were most of a load's time. Other types go through VariantReader.
// Nothing is trusted: a length is only believed as far as the bytes really read, so a
// damaged length costs no more memory than the file has.
class ZellenLeser
{
public:
    // Reads device from its current position, blockSize bytes at a time.
    explicit ZellenLeser(QIODevice* device, qint64 blockSize = 4 << 20);

    // The next cell of column into v; false, with v invalid, when the rest of the
    // device does not hold a whole value the files may contain.
    bool read(QVariant& v, int column);
    // Bytes taken as cells since the start: where the device's next value begins.
    qint64 pos() const { return m_base + m_pos; }

private:
    enum Result { Got, More, Damaged };
    // One value from the bytes in hand: got it, needs more bytes, or cannot be one.
    Result parse(QVariant& v, int column);
    // More bytes from the device; false at its end.
    bool refill();
    // The text whose UTF-16 big-endian bytes (an even count) start at p.
    QString text(const uchar* p, quint32 bytes, int column);

    QIODevice* m_device;
    qint64 m_blockSize;
    QByteArray m_bytes;   // the bytes in hand
    qint64 m_pos = 0;     // within m_bytes
    qint64 m_base = 0;    // bytes dropped from the front of m_bytes so far
    TextPool m_texts;
    QVarLengthArray<char16_t, 512> m_chars;
};

#endif
