#include "analyses/modelmultidiagramadapter.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QGridLayout>
#include <QMetaMethod>
#include <QStandardItemModel>

#include "analyses/adaptermenu.h"
#include "core/recomputescheduler.h"
#include "diagrams/diagram.h"

ModelMultiDiagramAdapter::ModelMultiDiagramAdapter(QWidget* parent)
    : ModelClient(parent)
    , m_layout(new QGridLayout(this))
    , m_typeAction(new QAction(tr("Typ..."), this))
    , m_recompute(new RecomputeScheduler(this, [this] { updateDiagram(); }))
{
    setMinimumSize(150, 120);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
    setContextMenuPolicy(Qt::DefaultContextMenu);
    connect(m_typeAction, &QAction::triggered, this, &ModelMultiDiagramAdapter::typAction);
}

void ModelMultiDiagramAdapter::setModel(QStandardItemModel* m)
{
    m_model = m;
    m_recompute->setModel(m);
    updateDiagram();
}

void ModelMultiDiagramAdapter::saveData(QDataStream& s, int version)
{
    if (m_diagram)
        m_diagram->saveData(s, version);
}

void ModelMultiDiagramAdapter::loadData(QDataStream& s, int version)
{
    if (m_diagram)
        m_diagram->loadData(s, version);
}

void ModelMultiDiagramAdapter::setDiagram(Diagram* d)
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
    m_layout->addWidget(d, 0, 0);
    updateDiagram();
}

void ModelMultiDiagramAdapter::setTitle(const QString& t)
{
    m_title = t;
    if (m_diagram)
        m_diagram->setTitle(t);
}

void ModelMultiDiagramAdapter::setSpalten(const QVector<int>& columns)
{
    m_columns = columns;
    updateDiagram();
}

void ModelMultiDiagramAdapter::typAction()
{
    emit changeDiagram(this);
}

void ModelMultiDiagramAdapter::contextMenuEvent(QContextMenuEvent* e)
{
    AdapterMenu::exec(m_typeAction,
                      isSignalConnected(QMetaMethod::fromSignal(&ModelMultiDiagramAdapter::changeDiagram)),
                      m_actions, m_diagram, e->globalPos());
}
