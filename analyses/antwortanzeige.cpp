#include "analyses/antwortanzeige.h"

#include <QAction>
#include <QActionGroup>
#include <QDataStream>
#include <QMenu>
#include <QSet>
#include <QStandardItemModel>
#include <algorithm>
#include <tuple>

#include "core/rowfilter.h"
#include "diagrams/modelclient.h"
#include "core/spaltencodes.h"
#include "core/dateiversion.h"
#include "core/userinput.h"

AntwortAnzeige::AntwortAnzeige(ModelClient* view, RowFilter* filter,
                               std::function<QVector<int>()> columns,
                               std::function<void()> recompute)
    : m_view(view)
    , m_filter(filter)
    , m_columns(std::move(columns))
    , m_recompute(std::move(recompute))
    , m_menu(new QMenu(tr("Reihenfolge"), view))
    , m_artGroup(new QActionGroup(m_menu))
    , m_ausschliessen(new QAction(tr("Antworten ausschließen..."), view))
    , m_zusammenfassungen(new QAction(tr("Zusammenfassungen..."), view))
{
    const QStringList names = Reihenfolge::namen();
    for (int i = 0; i < names.size(); ++i) {
        auto* a = new QAction(names.at(i), m_artGroup);
        a->setCheckable(true);
        m_menu->addAction(a);
        QObject::connect(a, &QAction::triggered, view,
                         [this, i] { waehle(Reihenfolge::Art(i)); });
    }
    zeigeHaken();
    QObject::connect(m_ausschliessen, &QAction::triggered, view, [this] { fragAusschluss(); });
    QObject::connect(m_zusammenfassungen, &QAction::triggered, view,
                     [this] { fragZusammenfassungen(); });
}

QList<QAction*> AntwortAnzeige::actions() const
{
    if (m_mitZusammenfassungen)
        return {m_menu->menuAction(), m_ausschliessen, m_zusammenfassungen};
    return {m_menu->menuAction(), m_ausschliessen};
}

void AntwortAnzeige::setZusammenfassungen(const QVector<Zusammenfassung>& z)
{
    m_netze = z;
    m_recompute();
}

void AntwortAnzeige::fragZusammenfassungen()
{
    if (!m_view->model())
        return;
    QVector<Zusammenfassung> z = m_netze;
    if (Zusammenfassung::bearbeiten(m_view, m_gezeigt, &z))
        setZusammenfassungen(z);
}

void AntwortAnzeige::anhaengen(QStringList* labels, QVector<double>* values) const
{
    const int n = int(qMin(labels->size(), values->size()));
    for (const Zusammenfassung& z : m_netze) {
        double summe = 0;
        for (int i = 0; i < n; ++i)
            if (z.antworten.contains(labels->at(i)))
                summe += values->at(i);
        *labels << z.name;
        *values << summe;
    }
}

void AntwortAnzeige::zeigeHaken()
{
    const QList<QAction*> all = m_artGroup->actions();
    if (m_reihenfolge.art < all.size())
        all.at(m_reihenfolge.art)->setChecked(true);
}

void AntwortAnzeige::setReihenfolge(const Reihenfolge& r)
{
    m_reihenfolge = r;
    zeigeHaken();
    m_recompute();
}

void AntwortAnzeige::setAusgeschlossen(const QStringList& texts)
{
    m_filter->setExcluded(texts);
    m_recompute();
}

void AntwortAnzeige::waehle(Reihenfolge::Art art)
{
    Reihenfolge r = m_reihenfolge;
    r.art = art;
    if (art == Reihenfolge::Eigene) {
        bool ok = false;
        const QStringList own = UserInput::getOrder(
            m_view, tr("Eigene Reihenfolge"),
            tr("Die Antworten in der Reihenfolge, in der sie gezeigt werden:"), m_gezeigt, &ok);
        if (!ok) {
            // The group ticked the entry already: back to the order that stays.
            zeigeHaken();
            return;
        }
        r.eigene = own;
    }
    setReihenfolge(r);
}

void AntwortAnzeige::fragAusschluss()
{
    if (!m_view->model())
        return;
    // Answers left out that the columns do not hold (any more) are offered too, so
    // that they can be taken back.
    QStringList items = alleAntworten();
    const QStringList excluded = m_filter->excluded();
    for (const QString& t : excluded)
        if (!items.contains(t))
            items << t;
    bool ok = false;
    const QStringList chosen = UserInput::getChecked(
        m_view, tr("Antworten ausschließen"),
        tr("Angekreuzte Antworten werden nicht gezählt und zählen nicht zur Basis der "
           "Prozente:"),
        items, excluded, &ok);
    if (ok)
        setAusgeschlossen(chosen);
}

QStringList AntwortAnzeige::alleAntworten() const
{
    QSet<QString> texts;
    if (const QStandardItemModel* m = m_view->model()) {
        const QVector<int> columns = m_columns();
        for (int c : columns) {
            // Held here: outside a round nothing else keeps the column alive.
            const std::shared_ptr<const SpaltenCodes> cells = SpaltenCodes::of(m, c);
            for (const QVariant& v : cells->values)
                texts.insert(v.toString());
        }
    }
    QStringList out(texts.cbegin(), texts.cend());
    std::sort(out.begin(), out.end());
    return out;
}

QStringList AntwortAnzeige::gesehen() const
{
    const QStandardItemModel* m = m_view->model();
    if (!m)
        return {};
    // Codes are numbered in order of first appearance in their column: the first row
    // of each code, then all codes of all columns by row and column.
    const QVector<int> columns = m_columns();
    QVector<std::tuple<int, int, QString>> firsts;
    for (int k = 0; k < columns.size(); ++k) {
        const std::shared_ptr<const SpaltenCodes> cells = SpaltenCodes::of(m, columns.at(k));
        QVector<int> firstRow(cells->values.size(), -1);
        int found = 0;
        for (int r = 0; r < cells->codes.size() && found < firstRow.size(); ++r) {
            int& f = firstRow[cells->codes.at(r)];
            if (f < 0) {
                f = r;
                ++found;
            }
        }
        for (int i = 0; i < firstRow.size(); ++i)
            if (firstRow.at(i) >= 0)
                firsts.append({firstRow.at(i), k, cells->values.at(i).toString()});
    }
    std::sort(firsts.begin(), firsts.end(), [](const auto& a, const auto& b) {
        return std::tie(std::get<0>(a), std::get<1>(a)) < std::tie(std::get<0>(b), std::get<1>(b));
    });
    QStringList out;
    QSet<QString> had;
    for (const auto& f : std::as_const(firsts))
        if (!had.contains(std::get<2>(f))) {
            had.insert(std::get<2>(f));
            out << std::get<2>(f);
        }
    return out;
}

QStringList AntwortAnzeige::ordne(const QStringList& labels,
                                  const QHash<QString, double>& counts) const
{
    // First appearance is looked up only when that order is asked for.
    return m_reihenfolge.ordne(labels, counts,
                               m_reihenfolge.art == Reihenfolge::WieInDenDaten ? gesehen()
                                                                               : QStringList());
}

int AntwortAnzeige::neededVersion() const
{
    if (!m_netze.isEmpty())
        return DateiVersion::SkalenVersion;
    return !m_reihenfolge.istStandard() || m_filter->excludesSeveral()
        ? DateiVersion::AnzeigeVersion
        : 0;
}

void AntwortAnzeige::write(QDataStream& s, int version) const
{
    if (version >= DateiVersion::AnzeigeVersion)
        m_reihenfolge.write(s);
    if (version >= DateiVersion::SkalenVersion)
        Zusammenfassung::write(s, m_netze);
}

bool AntwortAnzeige::read(QDataStream& s, int version)
{
    if (version < DateiVersion::AnzeigeVersion)
        return true;
    Reihenfolge r;
    if (!r.read(s))
        return false;
    m_reihenfolge = r;
    zeigeHaken();
    if (version < DateiVersion::SkalenVersion)
        return true;
    QVector<Zusammenfassung> z;
    if (!Zusammenfassung::read(s, &z))
        return false;
    m_netze = z;
    return true;
}
