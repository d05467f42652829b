#include "app/ansichtsauswahl.h"


#include "analyses/viewtypes.h"
#include "core/userinput.h"

namespace {
// A choice from a list under "Ansicht erstellen"; false when cancelled or empty.
bool askItem(QWidget* parent, const char* label, const QStringList& items, QString* out)
{
    bool ok = false;
    *out = UserInput::getItem(parent, AnsichtsAuswahl::tr("Ansicht erstellen"), AnsichtsAuswahl::tr(label), items, 0, false,
                              &ok);
    return ok && !out->isEmpty();
}

bool askTitle(QWidget* parent, QString* out)
{
    bool ok = false;
    *out = UserInput::getText(parent, AnsichtsAuswahl::tr("Ansicht erstellen"), AnsichtsAuswahl::tr("Titel"),
                              QLineEdit::Normal, QString(), &ok);
    return ok && !out->isEmpty();
}
}

bool AnsichtsAuswahl::askSelected(QWidget* parent, const QVector<int>& columns, Wahl* wahl)
{
    *wahl = Wahl();
    QString type;
    if (!askItem(parent, "Diagram Typ",
                 ViewTypes::diagramNames() + ViewTypes::specialViewNames(), &type))
        return false;
    if (ViewTypes::specialViewType(type)) {
        if (!askTitle(parent, &wahl->title))
            return false;
        // "Chi Quadrat" is no view type of its own: it names the chi-square adapter,
        // shown on vertical bars, for exactly one column.
        if (type == QLatin1String("Chi Quadrat")) {
            if (columns.size() == 1) {
                wahl->adapterType = type;
                wahl->viewType = QStringLiteral("BalkenDiagram(V)");
            }
        } else {
            wahl->viewType = type;
        }
    } else if (columns.size() == 1) {
        if (!askItem(parent, "Adapter Typ", ViewTypes::singleAdapterNames(), &wahl->adapterType))
            return false;
        wahl->viewType = type;
        wahl->title = QStringLiteral("%2: Spalte %1").arg(columns.first() + 1).arg(type);
    } else if (columns.size() >= 2) {
        if (!askItem(parent, "Adapter Typ", ViewTypes::multiAdapterNames(), &wahl->adapterType)
            || !askTitle(parent, &wahl->title))
            return false;
        wahl->viewType = type;
    }
    return true;
}

bool AnsichtsAuswahl::askColumnViews(QWidget* parent, QString* diagramType, QString* adapterType)
{
    bool ok = false;
    *diagramType = UserInput::getItem(parent, tr("Ansichten erzeugen"),
                                      tr("Welcher Diagramtyp soll verwendet werden?"),
                                      ViewTypes::diagramNames(), 1, false, &ok);
    if (!ok)
        return false;
    *adapterType = UserInput::getItem(parent, tr("Ansichten erzeugen"),
                                      tr("Welcher Adapter soll verwendet werden?"),
                                      ViewTypes::singleAdapterNames(), 1, false, &ok);
    return ok;
}

QString AnsichtsAuswahl::askDiagram(QWidget* parent)
{
    bool ok = false;
    const QString t = UserInput::getItem(parent, tr("Ansicht erstellen"), tr("Diagram Typ"),
                                         ViewTypes::diagramNames(), 0, false, &ok);
    return ok ? t : QString(QLatin1String(""));
}
