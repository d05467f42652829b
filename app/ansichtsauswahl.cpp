#include "app/ansichtsauswahl.h"

#include <QDataStream>
#include <QIODevice>

#include "analyses/kreuztabelle.h"
#include "analyses/viewtypes.h"
#include "core/mehrfachsets.h"
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
                              UserInput::Normal, QString(), &ok);
    return ok && !out->isEmpty();
}

// The crosstab's questions when the survey has sets: a set or the first selected
// column as rows, then sets as further blocks after the other selected columns, until
// "keines". False when a question was cancelled; no settings when no set was chosen.
bool askCrosstabSets(QWidget* parent, const QVector<MehrfachSet>& sets,
                     const QVector<int>& columns, AnsichtsAuswahl::Wahl* wahl)
{
    // A name given twice is told apart by its place.
    QStringList names;
    for (int i = 0; i < sets.size(); ++i) {
        QString name = sets.at(i).name;
        if (names.contains(name))
            name += QStringLiteral(" (%1)").arg(i + 1);
        names << name;
    }
    const QString title = AnsichtsAuswahl::tr("Kreuztabelle");
    QStringList rowItems = names;
    if (!columns.isEmpty())
        rowItems.prepend(AnsichtsAuswahl::tr("Spalte %1").arg(columns.first() + 1));
    bool ok = false;
    const QString row = UserInput::getItem(parent, title, AnsichtsAuswahl::tr("Zeilen"),
                                           rowItems, 0, false, &ok);
    if (!ok || row.isEmpty())
        return false;
    using Eintrag = Kreuztabelle::Eintrag;
    QVector<Eintrag> eintraege;
    QVector<Eintrag> bloecke;
    const int rowSet = int(names.indexOf(row));
    QStringList left = names;
    if (rowSet >= 0) {
        eintraege << Eintrag::ausSet(sets.at(rowSet));
        left.removeOne(row);
        for (int c : columns)
            bloecke << Eintrag::spalte(c);
    } else {
        eintraege << Eintrag::spalte(columns.first());
        for (int i = 1; i < columns.size(); ++i)
            bloecke << Eintrag::spalte(columns.at(i));
    }
    const QString none = AnsichtsAuswahl::tr("keines");
    while (!left.isEmpty()) {
        const QString block = UserInput::getItem(parent, title,
                                                 AnsichtsAuswahl::tr("Weiteres Set als Block"),
                                                 QStringList{none} + left, 0, false, &ok);
        if (!ok || block.isEmpty())
            return false;
        if (block == none || !left.contains(block))
            break;
        bloecke << Eintrag::ausSet(sets.at(int(names.indexOf(block))));
        left.removeOne(block);
    }
    eintraege += bloecke;
    // Fewer than two questions make no crosstab.
    if (eintraege.size() < 2) {
        wahl->viewType.clear();
        return true;
    }
    if (rowSet < 0 && left.size() == names.size())
        return true;
    QDataStream s(&wahl->settings, QIODevice::WriteOnly);
    s.setVersion(QDataStream::Qt_4_6);
    Kreuztabelle::writeRecord(s, KreuztabellenRechnung::Spalten, eintraege);
    wahl->columns = Kreuztabelle::spaltenVon(eintraege);
    return true;
}
}

ViewRecord AnsichtsAuswahl::Wahl::record() const
{
    ViewRecord r;
    r.adapterType = adapterType;
    r.viewType = viewType;
    r.columns = columns;
    r.title = title;
    r.settings = settings;
    return r;
}

bool AnsichtsAuswahl::askSelected(QWidget* parent, const QStandardItemModel* model,
                                  const QVector<int>& columns, Wahl* wahl)
{
    *wahl = Wahl();
    wahl->columns = columns;
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
            const QVector<MehrfachSet> sets = MehrfachSets::von(model);
            if (type == QLatin1String("Kreuztabelle") && !sets.isEmpty())
                return askCrosstabSets(parent, sets, columns, wahl);
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
