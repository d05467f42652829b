#include "core/zahltext.h"

#include <QLocale>

QString ZahlText::shown(double v, char format, int precision)
{
    return shownText(QString::number(v, format, precision));
}

QString ZahlText::shownText(const QString& cText)
{
    // Only the separator changes: no grouping, and "e", "-", "nan" and "inf" stay.
    const QString point = QLocale().decimalPoint();
    if (point == QLatin1String("."))
        return cText;
    QString out = cText;
    out.replace(QLatin1Char('.'), point);
    return out;
}
