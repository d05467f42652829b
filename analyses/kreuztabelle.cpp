#include "analyses/kreuztabelle.h"

#include <QAction>
#include <QActionGroup>
#include <QContextMenuEvent>
#include <QDataStream>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QStandardItemModel>
#include <QTableWidget>

#include "core/recomputescheduler.h"
#include "core/spaltencodes.h"
#include "core/statistikdatei.h"
#include "core/userinput.h"
#include "diagrams/viewdrag.h"

Kreuztabelle::Kreuztabelle(QWidget* parent)
    : ModelClient(parent)
    , m_table(new QTableWidget(this))
    , m_notes(new QLabel(this))
    , m_prozentGroup(new QActionGroup(this))
    , m_recompute(new RecomputeScheduler(this, [this] { updateDiagram(); }))
{
    // A cell change elsewhere leaves this view as it is; the weight concerns it.
    m_recompute->setColumnTest([this](int first, int last) {
        return RecomputeScheduler::touchesAny(first, last, m_columns);
    });
    m_recompute->setFollowsWeight(true);
    m_table->horizontalHeader()->hide();
    m_table->verticalHeader()->hide();
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_notes->setWordWrap(true);
    m_notes->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* layout = new QGridLayout(this);
    layout->addWidget(m_table, 0, 0);
    layout->addWidget(m_notes, 1, 0);

    const QStringList names = KreuztabellenRechnung::prozentNamen();
    for (int i = 0; i < names.size(); ++i) {
        auto* a = new QAction(names.at(i), m_prozentGroup);
        a->setCheckable(true);
        a->setChecked(i == m_prozente);
        connect(a, &QAction::triggered, this,
                [this, i] { setProzente(KreuztabellenRechnung::Prozente(i)); });
    }
    setContextMenuPolicy(Qt::DefaultContextMenu);
}

void Kreuztabelle::setModel(QStandardItemModel* m)
{
    m_model = m;
    m_recompute->setModel(m);
    updateDiagram();
}

void Kreuztabelle::saveData(QDataStream& s, int)
{
    s << qint32(m_prozente);
}

void Kreuztabelle::loadData(QDataStream& s, int)
{
    qint32 mode = 0;
    s >> mode;
    // A number outside the menu (a damaged record) keeps the default.
    if (s.status() == QDataStream::Ok && mode >= KreuztabellenRechnung::Spalten
        && mode <= KreuztabellenRechnung::Keine)
        setProzente(KreuztabellenRechnung::Prozente(mode));
}

int Kreuztabelle::neededVersion() const
{
    return StatistikDatei::GewichtVersion;
}

void Kreuztabelle::setSpalten(const QVector<int>& columns)
{
    m_columns = columns;
    updateDiagram();
}

void Kreuztabelle::setProzente(KreuztabellenRechnung::Prozente p)
{
    m_prozente = p;
    const QList<QAction*> actions = m_prozentGroup->actions();
    if (p >= 0 && p < actions.size())
        actions.at(p)->setChecked(true);
    zeigen();
}

QList<QAction*> Kreuztabelle::prozentActions() const
{
    return m_prozentGroup->actions();
}

void Kreuztabelle::updateDiagram()
{
    if (!m_model || m_columns.size() < 2)
        return;
    // Views made or loaded together are computed once, when all are set up.
    if (m_recompute->postpone())
        return;
    // The columns (and the weight column) are read once, also when another view
    // computed together reads them.
    const SpaltenCodes::Runde round;
    const KreuztabellenRechnung::Frage rows =
        KreuztabellenRechnung::Frage::ausSpalte(m_model, m_columns.first());
    QVector<KreuztabellenRechnung::Frage> blocks;
    for (int i = 1; i < m_columns.size(); ++i)
        blocks << KreuztabellenRechnung::Frage::ausSpalte(m_model, m_columns.at(i));
    m_ergebnis = KreuztabellenRechnung::rechne(rows, blocks, Gewichtung::gewichte(m_model));
    zeigen();
}

void Kreuztabelle::zeigen()
{
    if (m_ergebnis.bloecke.isEmpty()) {
        m_table->clear();
        m_table->setRowCount(0);
        m_table->setColumnCount(0);
        m_notes->clear();
        return;
    }
    const QVector<QStringList> cells = KreuztabellenRechnung::raster(m_ergebnis, m_prozente);
    const int cols = int(cells.first().size());
    m_table->clear();
    m_table->setRowCount(int(cells.size()));
    m_table->setColumnCount(cols);
    QFont bold = m_table->font();
    bold.setBold(true);
    for (int r = 0; r < cells.size(); ++r)
        for (int c = 0; c < cells.at(r).size() && c < cols; ++c) {
            auto* it = new QTableWidgetItem(cells.at(r).at(c));
            if (r == 0 || c == 0)
                it->setFont(bold);
            else
                it->setData(Qt::TextAlignmentRole, int(Qt::AlignRight | Qt::AlignVCenter));
            m_table->setItem(r, c, it);
        }
    m_table->resizeColumnsToContents();
    m_notes->setText(KreuztabellenRechnung::hinweise(m_ergebnis).join(QLatin1Char('\n')));
}

QString Kreuztabelle::toText()
{
    return KreuztabellenRechnung::text(m_ergebnis, m_prozente);
}

QString Kreuztabelle::toHTML()
{
    return KreuztabellenRechnung::html(m_ergebnis, m_prozente);
}

QMimeData* Kreuztabelle::createMimeData()
{
    auto* md = new QMimeData;
    md->setHtml(toHTML());
    md->setText(toText());
    return md;
}

void Kreuztabelle::mousePressEvent(QMouseEvent* e)
{
    ViewDrag::press(e, &m_dragStartPosition);
}

void Kreuztabelle::mouseMoveEvent(QMouseEvent* e)
{
    ViewDrag::move(this, e, m_dragStartPosition, [this] { return createMimeData(); });
}

void Kreuztabelle::contextMenuEvent(QContextMenuEvent* e)
{
    QMenu menu;
    QMenu* prozente = menu.addMenu(tr("Prozente"));
    prozente->addActions(m_prozentGroup->actions());
    UserInput::execMenu(&menu, e->globalPos());
}
