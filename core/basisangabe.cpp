#include "core/basisangabe.h"

#include <QCoreApplication>
#include <cmath>

#include "core/zahltext.h"

double Basisangabe::fehlerspanne(double effektiv)
{
    if (!(effektiv > 0) || !std::isfinite(effektiv))
        return 0.0;
    return 100.0 * 1.959963984540054 * std::sqrt(0.25 / effektiv);
}

QString Basisangabe::zeile(int n, double effektiv)
{
    return QCoreApplication::translate("Basisangabe",
                                       "n = %1 (effektiv %2), Fehlerspanne ±%3 Prozentpunkte")
        .arg(n)
        .arg(std::isfinite(effektiv) ? qRound64(effektiv) : 0)
        .arg(ZahlText::shown(fehlerspanne(effektiv), 'f', 1));
}

QString Basisangabe::kleineBasis()
{
    return QCoreApplication::translate("Basisangabe", "kleine Basis");
}
