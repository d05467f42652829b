#include "app/ergebnisanzeige.h"

#include "core/userinput.h"
#include "io/ergebnis.h"

bool ErgebnisAnzeige::zeigen(QWidget* parent, const Ergebnis& e)
{
    if (e.hatMeldung())
        UserInput::warning(parent, e.titel(), e.meldung());
    return e.geschafft();
}
