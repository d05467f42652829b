#include "analyses/mehrfachantworten.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QDataStream>
#include <QGridLayout>
#include <QMenu>
#include "core/spaltenspeicher.h"
#include <algorithm>
#include <utility>

#include "analyses/viewtypes.h"
#include "core/angaben.h"
#include "core/gewichtung.h"
#include "core/recomputescheduler.h"
#include "core/dateiversion.h"
#include "core/userinput.h"
#include "diagrams/menurunner.h"
#include "core/zahltext.h"
#include "diagrams/diagram.h"

Mehrfachantworten::Mehrfachantworten(QWidget* parent)
    : ModelClient(parent)
    , m_layout(new QGridLayout(this))
    , m_typeAction(new QAction(tr("Typ..."), this))
    , m_recompute(new RecomputeScheduler(this, [this] { updateDiagram(); }))
{
    setMinimumSize(150, 120);
    m_recompute->setFollowsWeight(true);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
    // Title changes rename the options; only cells of the set's columns and of the
    // linked column concern it.
    m_recompute->setColumnTest([this](int first, int last) {
        return RecomputeScheduler::touchesAny(first, last, m_columns)
            || RecomputeScheduler::touches(first, last, m_filter.depColumn());
    });
    connect(m_typeAction, &QAction::triggered, this, &Mehrfachantworten::typAction);
    const QList<QAction*> filterActions = RowFilter::createActions(this);
    m_linkAction = filterActions.at(0);
    m_unlinkAction = filterActions.at(1);
    setDiagramTyp(QStringLiteral("BalkenDiagram(H)"));
}

void Mehrfachantworten::setModel(SpaltenSpeicher* m)
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
    if (version >= DateiVersion::MehrfachAnsichtVersion)
        m_filter.write(s);
}

void Mehrfachantworten::loadData(QDataStream& s, int version)
{
    QString typ;
    s >> typ;
    // An unknown name keeps the diagram; its record is read all the same.
    setDiagramTyp(typ);
    m_diagram->loadData(s, version);
    if (version >= DateiVersion::MehrfachAnsichtVersion && m_filter.read(s))
        setDepFilter(m_filter.depValue(), m_filter.depColumn());
}

int Mehrfachantworten::neededVersion() const
{
    // Only a linked column needs the newer record: other files stay as they were.
    return m_filter.depColumn() >= 0 ? DateiVersion::MehrfachAnsichtVersion
                                     : DateiVersion::MehrfachVersion;
}

void Mehrfachantworten::setSpalten(const QVector<int>& columns)
{
    m_columns = columns;
    updateDiagram();
}

QStringList Mehrfachantworten::typNamen()
{
    // A share of respondents per option: the options overlap, so neither a pie nor a
    // stacked 100 % column can show them.
    return {QStringLiteral("BalkenDiagram(V)"), QStringLiteral("BalkenDiagram(H)"),
            QStringLiteral("Tabelle")};
}

bool Mehrfachantworten::setDiagramTyp(const QString& name)
{
    Diagram* d = ViewTypes::makeDiagram(name);
    if (!d)
        return false;
    // Another kind of chart keeps the colours and the font the user chose.
    if (m_diagram)
        d->takeLook(*m_diagram);
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

QStringList Mehrfachantworten::spaltenTitel()
{
    return {tr("Anzahl"), tr("% der Befragten"), tr("% der Antworten")};
}

QString Mehrfachantworten::basisTitel()
{
    return tr("Basis (Befragte)");
}

void Mehrfachantworten::setDepFilter(QString value, int column)
{
    m_filter.setDependency(value, column);
    updateDiagram();
}

void Mehrfachantworten::updateDiagram()
{
    if (!m_model || !m_diagram || m_columns.isEmpty())
        return;
    if (m_recompute->postpone())
        return;
    const MehrfachSet set = MehrfachSets::fuer(m_model, m_columns);
    const Gewichte gewichte = Gewichtung::gewichte(m_model);
    m_gewichtet = gewichte.aktiv();
    m_zaehlung = MehrfachSets::zaehlen(m_model, set, gewichte, &m_filter);
    const int n = m_zaehlung.optionen.size();
    QVector<double> values = m_zaehlung.prozentDerBasis();
    const bool tabelle = m_diagramTyp == QLatin1String("Tabelle");
    if (tabelle) {
        // The table shows what a bar cannot: the counts and the shares of all answers.
        values = m_zaehlung.gewaehlt + values + m_zaehlung.prozentDerAntworten();
        m_diagram->setRowWidth(n);
        m_diagram->setColLabels(spaltenTitel());
        m_diagram->setValuePostfix(QString());
    } else {
        m_diagram->setRowWidth(n);
        m_diagram->setColLabels({});
        m_diagram->setValuePostfix(QStringLiteral("%"));
    }
    const QString base = basisText();
    const QString filter = Angaben::filterLine(m_model, m_filter);
    m_angaben.clear();
    if (!filter.isEmpty())
        m_angaben << filter;
    m_angaben << base;
    if (m_gewichtet)
        m_angaben << Gewichtung::hinweis(gewichte.titel, m_zaehlung.ohneGewicht);
    // The title names the base already; under the chart only the filter.
    m_diagram->setCaption(filter.isEmpty() ? QStringList() : QStringList{filter});
    m_diagram->setGewichtet(tabelle && m_gewichtet);
    m_diagram->setLabels(m_zaehlung.optionen);
    m_diagram->setData(values);
    const QString gewichtet = m_gewichtet
        ? Gewichtung::titelZusatz(gewichte.titel, m_zaehlung.ohneGewicht)
        : QString();
    m_diagram->setTitle((set.name.isEmpty() ? base
                                            : QStringLiteral("%1 (%2)").arg(set.name, base))
                        + gewichtet);
}

QVector<QStringList> Mehrfachantworten::zeilen() const
{
    const auto anzahl = [this](double v) {
        return m_gewichtet ? ZahlText::gewichteteSumme(v) : ZahlText::shown(v, 'f', 0);
    };
    const QVector<double> befragte = m_zaehlung.prozentDerBasis();
    const QVector<double> antworten = m_zaehlung.prozentDerAntworten();
    QVector<QStringList> out;
    for (int i = 0; i < m_zaehlung.optionen.size(); ++i)
        out << QStringList{m_zaehlung.optionen.at(i), anzahl(m_zaehlung.gewaehlt.value(i)),
                           ZahlText::shown(befragte.value(i)) + QLatin1Char('%'),
                           ZahlText::shown(antworten.value(i)) + QLatin1Char('%')};
    out << QStringList{basisTitel(), anzahl(m_zaehlung.basis)};
    return out;
}

QString Mehrfachantworten::toText()
{
    QString s = QLatin1Char('\t') + spaltenTitel().join(QLatin1Char('\t')) + QLatin1Char('\n');
    for (const QStringList& row : zeilen())
        s += row.join(QLatin1Char('\t')) + QLatin1Char('\n');
    for (const QString& line : std::as_const(m_angaben))
        s += line + QLatin1Char('\n');
    return s;
}

QString Mehrfachantworten::toHTML()
{
    // Option names are column titles, which may hold markup characters.
    QString s = QStringLiteral("<TABLE><TR><TD></TD>");
    for (const QString& t : spaltenTitel())
        s += QStringLiteral("<TD>") + t.toHtmlEscaped() + QStringLiteral("</TD>");
    s += QStringLiteral("</TR>");
    for (const QStringList& row : zeilen()) {
        s += QStringLiteral("<TR>");
        for (const QString& cell : row)
            s += QStringLiteral("<TD>") + cell.toHtmlEscaped() + QStringLiteral("</TD>");
        s += QStringLiteral("</TR>");
    }
    s += QStringLiteral("</TABLE>");
    for (const QString& line : std::as_const(m_angaben))
        s += QStringLiteral("<P>") + line.toHtmlEscaped() + QStringLiteral("</P>");
    return s;
}

void Mehrfachantworten::typAction()
{
    const QStringList names = typNamen();
    bool ok = false;
    const QString t = UserInput::getItem(this, tr("Typ"), tr("Diagram Typ"), names,
                                         std::max(0, int(names.indexOf(m_diagramTyp))), false,
                                         &ok);
    if (ok && names.contains(t) && t != m_diagramTyp)
        setDiagramTyp(t);
}

void Mehrfachantworten::depAction()
{
    RowFilter::runDepAction(this);
    ModelClient::notifyChanged(this);
}

void Mehrfachantworten::undepAction()
{
    RowFilter::runUndepAction(this);
    ModelClient::notifyChanged(this);
}

void Mehrfachantworten::contextMenuEvent(QContextMenuEvent* e)
{
    QMenu menu;
    menu.addAction(m_typeAction);
    menu.addSeparator();
    menu.addAction(m_linkAction);
    menu.addAction(m_unlinkAction);
    menu.addSeparator();
    menu.addActions(m_diagram->actionList());
    MenuRunner::exec(&menu, e->globalPos());
}
