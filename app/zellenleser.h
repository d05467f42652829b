#ifndef ZELLENLESER_H
#define ZELLENLESER_H

#include <QVarLengthArray>
#include <QtGlobal>

#include "app/textpool.h"

class QVariant;

// Reads the cells of a statistic file's table straight from its bytes (a mapped file or
// a buffer in memory), giving the same values VariantReader gives from a stream. Texts
// and numbers, nearly every cell, are read here without a stream call per field, and an
// answer read before is handed back as the same string instead of a new one: a stream
// read per field and a string per cell were most of a load's time. Other types go
// through VariantReader. Nothing is trusted: a length beyond the end is a damaged cell.
class ZellenLeser
{
public:
    ZellenLeser(const char* data, qint64 size);

    // The next cell of column into v; false, with v invalid, when the bytes left do not
    // hold a whole value the files may contain. Nothing is consumed then.
    bool read(QVariant& v, int column);
    // Bytes consumed so far.
    qint64 pos() const { return m_pos; }

private:
    // The text whose UTF-16 big-endian bytes (an even count) start at p.
    QString text(const uchar* p, quint32 bytes, int column);

    const uchar* m_data;
    qint64 m_size;
    qint64 m_pos = 0;
    TextPool m_texts;
    QVarLengthArray<char16_t, 512> m_chars;
};

#endif
