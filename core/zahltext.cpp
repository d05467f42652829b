#include "core/zahltext.h"

#include <QLocale>
#include <cmath>

QString ZahlText::shown(double v, char format, int precision)
{
    return shownText(QString::number(v, format, precision));
}

QString ZahlText::gewichteteSumme(double v)
{
    // Beyond 1e15 a double has no decimal left to show.
    if (!std::isfinite(v) || std::fabs(v) >= 1e15)
        return shown(v);
    return shown(v, 'f', 1);
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
