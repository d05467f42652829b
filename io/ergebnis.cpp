#include "io/ergebnis.h"

Ergebnis Ergebnis::fehler(const QString& titel, const QString& meldung)
{
    Ergebnis e;
    e.m_geschafft = false;
    e.m_unveraendert = true;
    e.m_titel = titel;
    e.m_meldung = meldung;
    return e;
}

Ergebnis Ergebnis::warnung(const QString& titel, const QString& meldung)
{
    Ergebnis e;
    e.m_titel = titel;
    e.m_meldung = meldung;
    return e;
}
