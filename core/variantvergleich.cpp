#include "core/variantvergleich.h"

#include <QByteArray>
#include <QDateTime>
#include <QVariant>

bool VariantVergleich::isNull(const QVariant& v)
{
    if (!v.isValid() || v.isNull())
        return true;
    // Qt 6 calls a variant holding a null value non-null; the filters must not.
    switch (v.metaType().id()) {
    case QMetaType::QString:
        return v.toString().isNull();
    case QMetaType::QByteArray:
        return v.toByteArray().isNull();
    case QMetaType::QDate:
        return v.toDate().isNull();
    case QMetaType::QTime:
        return v.toTime().isNull();
    case QMetaType::QDateTime:
        return v.toDateTime().isNull();
    default:
        return false;
    }
}

bool VariantVergleich::equals(const QVariant& left, const QVariant& right)
{
    if (left.metaType() == right.metaType())
        return left == right;
    // An invalid value converts to nothing: "" does not equal a cell without a value.
    if (!left.isValid() || !right.isValid())
        return false;
    if (!right.canConvert(left.metaType()))
        return false;
    // A conversion that fails on the value leaves the type's default, as it did when
    // the filters were defined: a non-numeric text equals an int 0.
    QVariant converted = right;
    converted.convert(left.metaType());
    return left == converted;
}
