#ifndef VARIANTREADER_H
#define VARIANTREADER_H

class QDataStream;
class QVariant;

// Reads a QVariant written in the Qt 4 stream format without trusting the data: only
// the value types the program's files hold are accepted (invalid, bool, numbers, string,
// string list, byte array), and a list count is never used to allocate ahead of the
// data actually read. Anything else marks the stream as corrupt.
class VariantReader
{
public:
    // False, with the stream's status set, when the value could not be read completely.
    static bool read(QDataStream& s, QVariant& v);
};

#endif
