#include "analyses/mehrfachantworten.h"

#include <QContextMenuEvent>
#include <QDataStream>
#include <QGridLayout>
#include <QMenu>
#include <QStandardItemModel>

#include "analyses/viewtypes.h"
#include "core/gewichtung.h"
#include "core/recomputescheduler.h"
#include "core/statistikdatei.h"
#include "core/userinput.h"
#include "core/zahltext.h"
#include "diagrams/diagram.h"

Mehrfachantworten::Mehrfachantworten(QWidget* parent)
    : ModelClient(parent)
    , m_layout(new QGridLayout(this))
    , m_recompute(new RecomputeScheduler(this, [this] { updateDiagram(); }))
{
    setMinimumSize(150, 120);
    m_recompute->setFollowsWeight(true);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
    // Title changes rename the options; only cells of the set's columns concern it.
    m_recompute->setColumnTest([this](int first, int last) {
        return RecomputeScheduler::touchesAny(first, last, m_columns);
    });
    setDiagramTyp(QStringLiteral("BalkenDiagram(H)"));
}

void Mehrfachantworten::setModel(QStandardItemModel* m)
{
    if (m_model)
        disconnect(m_model, nullptr, this, nullptr);
    m_model = m;
    m_recompute->setModel(m);
    if (m) {
        connect(MehrfachSets::of(m), &MehrfachSets::changed, m_recompute,
                &RecomputeScheduler::schedule);
        connect(m, &QAbstractItemModel::headerDataChanged, m_recompute,
                &RecomputeScheduler::schedule);
    }
    updateDiagram();
}

void Mehrfachantworten::saveData(QDataStream& s, int version)
{
    s << m_diagramTyp;
    m_diagram->saveData(s, version);
}

void Mehrfachantworten::loadData(QDataStream& s, int version)
{
    QString typ;
    s >> typ;
    // An unknown name keeps the diagram; its record is read all the same.
    setDiagramTyp(typ);
    m_diagram->loadData(s, version);
}

int Mehrfachantworten::neededVersion() const
{
    return StatistikDatei::MehrfachVersion;
}

void Mehrfachantworten::setSpalten(const QVector<int>& columns)
{
    m_columns = columns;
    updateDiagram();
}

bool Mehrfachantworten::setDiagramTyp(const QString& name)
{
    Diagram* d = ViewTypes::makeDiagram(name);
    if (!d)
        return false;
    delete m_diagram;
    m_diagram = d;
    m_diagramTyp = name;
    m_diagram->setParent(this);
    m_layout->addWidget(m_diagram, 0, 0);
    updateDiagram();
    return true;
}

QString Mehrfachantworten::basisText() const
{
    return QStringLiteral("n = %1").arg(ZahlText::shown(double(m_zaehlung.befragte), 'f', 0));
}

void Mehrfachantworten::updateDiagram()
{
    if (!m_model || !m_diagram || m_columns.isEmpty())
        return;
    if (m_recompute->postpone())
        return;
    const MehrfachSet set = MehrfachSets::fuer(m_model, m_columns);
    const Gewichte gewichte = Gewichtung::gewichte(m_model);
    m_zaehlung = MehrfachSets::zaehlen(m_model, set, gewichte);
    const int n = m_zaehlung.optionen.size();
    QVector<double> values = m_zaehlung.prozentDerBasis();
    const bool tabelle = m_diagramTyp == QLatin1String("Tabelle");
    if (tabelle) {
        // The table shows what a bar cannot: the counts and the shares of all answers.
        values = m_zaehlung.gewaehlt + values + m_zaehlung.prozentDerAntworten();
        m_diagram->setRowWidth(n);
        m_diagram->setColLabels({tr("Anzahl"), tr("% der Befragten"), tr("% der Antworten")});
        m_diagram->setValuePostfix(QString());
    } else {
        m_diagram->setRowWidth(n);
        m_diagram->setColLabels({});
        m_diagram->setValuePostfix(QStringLiteral("%"));
    }
    m_diagram->setLabels(m_zaehlung.optionen);
    m_diagram->setData(values);
    const QString base = basisText();
    const QString gewichtet = gewichte.aktiv()
        ? Gewichtung::titelZusatz(gewichte.titel, m_zaehlung.ohneGewicht)
        : QString();
    m_diagram->setTitle((set.name.isEmpty() ? base
                                            : QStringLiteral("%1 (%2)").arg(set.name, base))
                        + gewichtet);
}

void Mehrfachantworten::contextMenuEvent(QContextMenuEvent* e)
{
    QMenu menu;
    QMenu* typen = menu.addMenu(tr("Typ"));
    for (const QString& name : ViewTypes::diagramNames()) {
        QAction* a = typen->addAction(name);
        a->setCheckable(true);
        a->setChecked(name == m_diagramTyp);
        connect(a, &QAction::triggered, this, [this, name] { setDiagramTyp(name); });
    }
    menu.addSeparator();
    menu.addActions(m_diagram->actionList());
    UserInput::execMenu(&menu, e->globalPos());
}
