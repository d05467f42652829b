#include "analyses/kreuztabelle.h"

#include <QAction>
#include <QActionGroup>
#include <QContextMenuEvent>
#include <QDataStream>
#include <QIODevice>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QStandardItemModel>
#include <QTableWidget>
#include <algorithm>

#include "core/mehrfachsets.h"
#include "core/recomputescheduler.h"
#include "core/spaltencodes.h"
#include "core/dateiversion.h"
#include "diagrams/menurunner.h"
#include "core/variantreader.h"
#include "diagrams/viewdrag.h"

Kreuztabelle::Kreuztabelle(QWidget* parent)
    : ModelClient(parent)
    , m_table(new QTableWidget(this))
    , m_notes(new QLabel(this))
    , m_prozentGroup(new QActionGroup(this))
    , m_zusammenfassungen(new QAction(tr("Zusammenfassungen..."), this))
    , m_mittelwerte(new QAction(tr("Mittelwerte"), this))
    , m_nps(new QAction(tr("NPS"), this))
    , m_korrekturGroup(new QActionGroup(this))
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
    connect(m_zusammenfassungen, &QAction::triggered, this,
            &Kreuztabelle::zusammenfassungenBearbeiten);
    m_mittelwerte->setCheckable(true);
    connect(m_mittelwerte, &QAction::triggered, this, [this](bool on) {
        KreuztabellenRechnung::Optionen o = m_optionen;
        o.mittelwerte = on;
        setOptionen(o);
    });
    m_nps->setCheckable(true);
    connect(m_nps, &QAction::triggered, this, [this](bool on) {
        KreuztabellenRechnung::Optionen o = m_optionen;
        o.nps = on;
        setOptionen(o);
    });
    const QStringList korrekturen = KreuztabellenRechnung::korrekturNamen();
    for (int i = 0; i < korrekturen.size(); ++i) {
        auto* a = new QAction(korrekturen.at(i), m_korrekturGroup);
        a->setCheckable(true);
        a->setChecked(i == m_optionen.korrektur);
        connect(a, &QAction::triggered, this, [this, i] {
            KreuztabellenRechnung::Optionen o = m_optionen;
            o.korrektur = SkalenRechnung::Korrektur(i);
            setOptionen(o);
        });
    }
    setContextMenuPolicy(Qt::DefaultContextMenu);
}

QVector<int> Kreuztabelle::spaltenVon(const QVector<Eintrag>& eintraege)
{
    QVector<int> out;
    for (const Eintrag& e : eintraege)
        out += e.spalten;
    return out;
}

void Kreuztabelle::setModel(QStandardItemModel* m)
{
    disconnect(m_setsChanged);
    m_model = m;
    m_recompute->setModel(m);
    // A set made or removed changes what an entry naming it shows.
    if (m)
        m_setsChanged = connect(MehrfachSets::of(m), &MehrfachSets::changed, this, [this] {
            if (hatSets())
                m_recompute->schedule();
        });
    updateDiagram();
}

void Kreuztabelle::saveData(QDataStream& s, int)
{
    writeRecord(s, m_prozente, m_eintraege, m_optionen);
}

void Kreuztabelle::writeRecord(QDataStream& s, KreuztabellenRechnung::Prozente p,
                               const QVector<Eintrag>& eintraege,
                               const KreuztabellenRechnung::Optionen& optionen)
{
    // Without a set and the scale settings the record is the one every version wrote.
    const bool sets = mitSets(eintraege);
    const bool skalen = !optionen.leer();
    s << (qint32(p) | (sets ? MitSets : 0) | (skalen ? MitSkalen : 0));
    if (sets) {
        s << qint32(eintraege.size());
        for (const Eintrag& e : eintraege)
            s << e.istSet << e.set << qint32(e.spalten.size());
    }
    if (!skalen)
        return;
    Zusammenfassung::write(s, optionen.zusammenfassungen);
    s << optionen.mittelwerte << optionen.nps << qint32(optionen.korrektur);
}

bool Kreuztabelle::readOptionen(QDataStream& s, KreuztabellenRechnung::Optionen* o)
{
    KreuztabellenRechnung::Optionen out;
    if (!Zusammenfassung::read(s, &out.zusammenfassungen))
        return false;
    qint32 korrektur = 0;
    s >> out.mittelwerte >> out.nps >> korrektur;
    if (s.status() != QDataStream::Ok || korrektur < 0
        || korrektur >= SkalenRechnung::KorrekturAnzahl)
        return false;
    out.korrektur = SkalenRechnung::Korrektur(korrektur);
    *o = out;
    return true;
}

void Kreuztabelle::loadData(QDataStream& s, int)
{
    qint32 number = 0;
    s >> number;
    if (s.status() != QDataStream::Ok)
        return;
    const qint32 mode = number & ~(MitSets | MitSkalen);
    // A number outside the menu (a damaged record) keeps the default.
    if (mode >= KreuztabellenRechnung::Spalten && mode <= KreuztabellenRechnung::Keine)
        setProzente(KreuztabellenRechnung::Prozente(mode));
    if ((number & MitSets) && !readEintraege(s))
        return;
    KreuztabellenRechnung::Optionen o;
    if ((number & MitSkalen) && readOptionen(s, &o))
        setOptionen(o);
}

bool Kreuztabelle::readEintraege(QDataStream& s)
{
    // The entries divide the view's columns among them. A record whose entries do not
    // (damaged) leaves the columns each a question of its own.
    qint32 n = 0;
    s >> n;
    const qint64 left = s.device() ? s.device()->bytesAvailable() : 0;
    // Each entry takes at least a flag, a string length and a count.
    if (s.status() != QDataStream::Ok || n < 0 || qint64(n) * 9 > left)
        return false;
    QVector<Eintrag> eintraege;
    qint64 used = 0;
    for (qint32 i = 0; i < n; ++i) {
        Eintrag e;
        qint32 k = 0;
        s >> e.istSet >> e.set >> k;
        if (s.status() != QDataStream::Ok)
            return false;
        if (k < 0 || (!e.istSet && k != 1) || used + k > m_columns.size())
            return false;
        e.spalten = m_columns.mid(used, k);
        used += k;
        eintraege << e;
    }
    if (used != m_columns.size())
        return false;
    setEintraege(eintraege);
    return true;
}

int Kreuztabelle::neededVersion() const
{
    if (!m_optionen.leer())
        return DateiVersion::SkalenVersion;
    return hatSets() ? DateiVersion::KreuzSetVersion : DateiVersion::GewichtVersion;
}

void Kreuztabelle::setOptionen(const KreuztabellenRechnung::Optionen& o)
{
    m_optionen = o;
    m_mittelwerte->setChecked(o.mittelwerte);
    m_nps->setChecked(o.nps);
    const QList<QAction*> actions = m_korrekturGroup->actions();
    if (o.korrektur >= 0 && o.korrektur < actions.size())
        actions.at(o.korrektur)->setChecked(true);
    updateDiagram();
}

QList<QAction*> Kreuztabelle::korrekturActions() const
{
    return m_korrekturGroup->actions();
}

void Kreuztabelle::zusammenfassungenBearbeiten()
{
    // The answers of the row question, without the NETs shown after them.
    const QStringList antworten = m_ergebnis.zeilen.mid(0, m_ergebnis.antwortZeilen);
    KreuztabellenRechnung::Optionen o = m_optionen;
    if (Zusammenfassung::bearbeiten(this, antworten, &o.zusammenfassungen))
        setOptionen(o);
}

bool Kreuztabelle::hatSets() const
{
    return mitSets(m_eintraege);
}

bool Kreuztabelle::mitSets(const QVector<Eintrag>& eintraege)
{
    return std::any_of(eintraege.begin(), eintraege.end(),
                       [](const Eintrag& e) { return e.istSet; });
}

void Kreuztabelle::setSpalten(const QVector<int>& columns)
{
    QVector<Eintrag> eintraege;
    for (int c : columns)
        eintraege << Eintrag::spalte(c);
    setEintraege(eintraege);
}

void Kreuztabelle::setEintraege(const QVector<Eintrag>& eintraege)
{
    m_eintraege = eintraege;
    m_columns = spaltenVon(eintraege);
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
    if (!m_model || m_eintraege.size() < 2)
        return;
    // Views made or loaded together are computed once, when all are set up.
    if (m_recompute->postpone())
        return;
    using KR = KreuztabellenRechnung;
    // The columns (and the weight column) are read once, also when another view
    // computed together reads them.
    const SpaltenCodes::Runde round;
    QVector<KR::Frage> fragen;
    QStringList fehlend;
    for (const Eintrag& e : m_eintraege) {
        if (!e.istSet) {
            fragen << KR::Frage::ausSpalte(m_model, e.spalten.first());
            continue;
        }
        // A set the survey no longer holds is left out; the rest is shown.
        MehrfachSet set;
        if (MehrfachSets::finde(m_model, e.set, e.spalten, &set))
            fragen << KR::Frage::ausSet(m_model, set);
        else
            fehlend << e.set;
    }
    if (fragen.size() < 2) {
        m_ergebnis = KR::Ergebnis();
    } else {
        const KR::Frage rows = fragen.takeFirst();
        m_ergebnis = KR::rechne(rows, fragen, Gewichtung::gewichte(m_model), m_optionen);
    }
    m_ergebnis.fehlendeSets = fehlend;
    zeigen();
}

void Kreuztabelle::zeigen()
{
    if (m_ergebnis.bloecke.isEmpty()) {
        m_table->clear();
        m_table->setRowCount(0);
        m_table->setColumnCount(0);
        // What is missing is said all the same.
        m_notes->setText(KreuztabellenRechnung::hinweise(m_ergebnis).join(QLatin1Char('\n')));
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
    menu.addAction(m_zusammenfassungen);
    menu.addAction(m_mittelwerte);
    menu.addAction(m_nps);
    QMenu* korrektur = menu.addMenu(tr("Korrektur"));
    korrektur->addActions(m_korrekturGroup->actions());
    MenuRunner::exec(&menu, e->globalPos());
}
