#ifndef VARIANTVERGLEICH_H
#define VARIANTVERGLEICH_H

class QVariant;

// Null test and equality of variants with the meaning the stored files and the row
// filters were defined with (Qt 4): a null string is null, and the right value is
// converted to the left one's type before comparing. Every filter uses these two, so
// that all views admit the same cells.
class VariantVergleich
{
public:
    // Invalid, or holding a null string, byte array, date or time.
    static bool isNull(const QVariant& v);
    // left == right after converting right to left's type; false when the types do not
    // convert at all.
    static bool equals(const QVariant& left, const QVariant& right);
};

#endif
