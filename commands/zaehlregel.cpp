#include "commands/zaehlregel.h"

#include "core/spaltenspeicher.h"

#include <cmath>

#include "core/fehlendewerte.h"
#include "core/variantvergleich.h"

bool ZaehlRegel::isCounted(const QVariant& value)
{
    // Numbers answer without being turned into text: that costs more than all the rest.
    switch (value.metaType().id()) {
    case QMetaType::Double: {
        const double d = value.toDouble();
        return d != 0.0 || std::signbit(d);   // -0 reads "-0"
    }
    case QMetaType::Int:
    case QMetaType::LongLong:
        return value.toLongLong() != 0;
    default:
        break;
    }
    if (VariantVergleich::isNull(value))
        return false;
    const QString text = value.toString();
    // Blanks only are no answer, as an empty text is.
    return !FehlendeWerte::leer(text) && text != QLatin1String("0");
}

QVariant ZaehlRegel::value(const SpaltenSpeicher* model, int row, int column)
{
    // Straight from the column: no index has to be made per cell.
    return model->wert(row, column);
}
