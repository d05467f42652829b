#include "analyses/modelaenlichkeitstabelle.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QMimeData>
#include "core/spaltenspeicher.h"
#include <QTableView>

#include "analyses/aenlichkeitscodes.h"
#include "analyses/aenlichkeitsmodel.h"
#include "diagrams/farblegende.h"
#include "core/recomputescheduler.h"
#include "core/waitcursor.h"
#include "diagrams/viewdrag.h"

ModelAenlichkeitsTabelle::ModelAenlichkeitsTabelle(QWidget* parent)
    : ModelClient(parent)
    , m_table(new QTableView(this))
    , m_cells(new AenlichkeitsModel(this))
    , m_legend(new FarbLegende(this))
    , m_recompute(new RecomputeScheduler(this, [this] { updateDiagram(); }))
{
    // A cell change elsewhere leaves this view as it is.
    m_recompute->setColumnTest([this](int first, int last) {
        return RecomputeScheduler::touchesAny(first, last, m_columns);
    });
    m_table->setModel(m_cells);
    m_table->horizontalHeader()->setDefaultSectionSize(50);
    auto* layout = new QGridLayout(this);
    layout->addWidget(m_table, 0, 0);
    layout->addWidget(m_legend, 1, 0);
    m_legend->setEintraege(
        tr("Zahl in jeder Zelle: in wie viel Prozent der gewählten Spalten die Befragten "
           "der Zeile und der Spalte gleich antworten (100 = in allen)"),
        AenlichkeitsCodes::farbStufen());
}

void ModelAenlichkeitsTabelle::setModel(SpaltenSpeicher* m)
{
    m_model = m;
    m_recompute->setModel(m);
    updateDiagram();
}

void ModelAenlichkeitsTabelle::setSpalten(const QVector<int>& columns)
{
    m_columns = columns;
    updateDiagram();
}

void ModelAenlichkeitsTabelle::updateDiagram()
{
    if (!m_model || m_columns.isEmpty())
        return;
    // Views made or loaded together are computed once, when all are set up.
    if (m_recompute->postpone())
        return;
    WaitCursor wait;
    AenlichkeitsCodes codes;
    codes.build(m_model, m_columns);
    m_cells->setCodes(std::move(codes));
}

QString ModelAenlichkeitsTabelle::toText()
{
    const AenlichkeitsCodes& c = m_cells->codes();
    QString out;
    for (int a = 0; a < c.rows(); ++a) {
        for (int b = 0; b < c.rows(); ++b) {
            if (b > 0)
                out += QLatin1Char('\t');
            out += AenlichkeitsModel::cellText(c.percent(a, b));
        }
        out += QLatin1Char('\n');
    }
    return out;
}

QString ModelAenlichkeitsTabelle::toHTML()
{
    const AenlichkeitsCodes& c = m_cells->codes();
    QString out = QStringLiteral("<TABLE border=1 width=90%>");
    for (int a = 0; a < c.rows(); ++a) {
        out += QStringLiteral("<TR>");
        for (int b = 0; b < c.rows(); ++b) {
            const int p = c.percent(a, b);
            out += QStringLiteral("<TD bgcolor=\"") + AenlichkeitsCodes::colour(p).name()
                + QStringLiteral("\">") + AenlichkeitsModel::cellText(p) + QStringLiteral("</TD>");
        }
        out += QStringLiteral("</TR>");
    }
    out += QStringLiteral("</TABLE>");
    return out;
}

QMimeData* ModelAenlichkeitsTabelle::createMimeData()
{
    auto* md = new QMimeData;
    md->setHtml(toHTML());
    return md;
}

void ModelAenlichkeitsTabelle::mousePressEvent(QMouseEvent* e)
{
    ViewDrag::press(e, &m_dragStartPosition);
}

void ModelAenlichkeitsTabelle::mouseMoveEvent(QMouseEvent* e)
{
    ViewDrag::move(this, e, m_dragStartPosition, [this] { return createMimeData(); });
}
