#ifndef ZELLENLESER_H
#define ZELLENLESER_H

#include <QByteArray>
#include <QVarLengthArray>
#include <QtGlobal>

#include "core/spaltenspeicher.h"
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
    // The next cell of column straight into the row a table is building, as a cell
    // restored from the file; false as read() is.
    bool lies(SpaltenSpeicher::Aufbau& bau, int column);
    // Bytes taken as cells since the start: where the device's next value begins.
    qint64 pos() const { return m_base + m_pos; }

private:
    enum Result { Got, More, Damaged };
    // One value from the bytes in hand: got it, needs more bytes, or cannot be one.
    // With text given, a text (not null, not empty) is left in it, in the reader's
    // characters until the next call, instead of in v.
    Result parse(QVariant& v, int column, QStringView* text = nullptr);
    // More bytes from the device; false at its end.
    bool refill();
    // The text whose UTF-16 big-endian bytes (an even count) start at p.
    QString text(const uchar* p, quint32 bytes, int column);
    // The same characters, in m_chars.
    QStringView chars(const uchar* p, quint32 bytes);

    QIODevice* m_device;
    qint64 m_blockSize;
    QByteArray m_bytes;   // the bytes in hand
    qint64 m_pos = 0;     // within m_bytes
    qint64 m_base = 0;    // bytes dropped from the front of m_bytes so far
    TextPool m_texts;
    QVarLengthArray<char16_t, 512> m_chars;
};

#endif
