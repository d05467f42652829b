#include "analyses/diagrammadapterbasis.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QGridLayout>
#include <QMetaMethod>
#include "core/spaltenspeicher.h"

#include "analyses/adaptermenu.h"
#include "core/recomputescheduler.h"
#include "diagrams/diagram.h"

DiagrammAdapterBasis::DiagrammAdapterBasis(QWidget* parent)
    : ModelClient(parent)
    , m_layout(new QGridLayout(this))
    , m_typeAction(new QAction(tr("Typ..."), this))
    , m_recompute(new RecomputeScheduler(this, [this] { updateDiagram(); }))
{
    setMinimumSize(150, 120);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
    setContextMenuPolicy(Qt::DefaultContextMenu);
    connect(m_typeAction, &QAction::triggered, this, [this] { emit changeDiagram(this); });
}

void DiagrammAdapterBasis::setModel(SpaltenSpeicher* m)
{
    m_model = m;
    m_recompute->setModel(m);
    updateDiagram();
}

void DiagrammAdapterBasis::saveData(QDataStream& s, int version)
{
    if (m_diagram)
        m_diagram->saveData(s, version);
}

void DiagrammAdapterBasis::loadData(QDataStream& s, int version)
{
    if (m_diagram)
        m_diagram->loadData(s, version);
}

void DiagrammAdapterBasis::setDiagram(Diagram* d)
{
    // Deleting a diagram that is handed in again would leave a dangling pointer.
    if (!d || d == m_diagram)
        return;
    // "Typ..." changes the kind of chart, not the colours and font the user chose.
    if (m_diagram)
        d->takeLook(*m_diagram);
    delete m_diagram;
    m_diagram = d;
    d->setParent(this);
    // A new diagram has no title yet.
    m_titelZusatz.clear();
    m_layout->addWidget(d, 0, 0);
    updateDiagram();
}

void DiagrammAdapterBasis::setTitle(const QString& t)
{
    m_title = t;
    if (m_diagram)
        m_diagram->setTitle(t + m_titelZusatz);
}

void DiagrammAdapterBasis::setTitelZusatz(const QString& zusatz)
{
    if (!m_diagram || zusatz == m_titelZusatz)
        return;
    m_titelZusatz = zusatz;
    m_diagram->setTitle(m_title + zusatz);
}

void DiagrammAdapterBasis::contextMenuEvent(QContextMenuEvent* e)
{
    AdapterMenu::exec(m_typeAction,
                      isSignalConnected(QMetaMethod::fromSignal(&DiagrammAdapterBasis::changeDiagram)),
                      m_actions, m_diagram, e->globalPos());
}
