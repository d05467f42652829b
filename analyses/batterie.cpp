#include "analyses/batterie.h"

#include <QGridLayout>
#include <QStandardItemModel>
#include <algorithm>
#include <cmath>

#include "core/recomputescheduler.h"
#include "core/rowfilter.h"
#include "core/skala.h"
#include "core/dateiversion.h"

DivergierendeBalken::Daten Batterie::rechne(const QStringList& titel,
                                            const QVector<QStringList>& antworten,
                                            const Gewichte& gewichte)
{
    DivergierendeBalken::Daten d;
    // One scale for all items: the one every item's answers together belong to.
    QStringList alle;
    for (const QStringList& a : antworten)
        alle << a;
    std::sort(alle.begin(), alle.end());
    alle.erase(std::unique(alle.begin(), alle.end()), alle.end());
    const Skala skala = Skala::erkenne(alle);
    d.stufen = skala.stufen;
    const int k = int(d.stufen.size());
    QHash<QString, int> stufeVon;
    for (const QString& a : std::as_const(alle))
        stufeVon.insert(a, skala.rang(a));
    QVector<std::pair<double, DivergierendeBalken::Item>> items;
    for (int i = 0; i < antworten.size(); ++i) {
        DivergierendeBalken::Item it;
        it.titel = titel.value(i);
        QVector<double> summe(k, 0.0);
        double basis = 0, beiseite = 0;
        const QStringList& zeilen = antworten.at(i);
        for (int r = 0; r < zeilen.size(); ++r) {
            const QString& a = zeilen.at(r);
            if (a.isEmpty())
                continue;
            const double w = gewichte.at(r);
            if (Skala::beiseite(a)) {
                beiseite += w;
                continue;
            }
            const int s = stufeVon.value(a, -1);
            if (s < 0)
                continue;
            summe[s] += w;
            basis += w;
        }
        it.anteile.fill(0.0, k);
        for (int s = 0; s < k && basis > 0; ++s)
            it.anteile[s] = summe.at(s) / basis;
        it.beiseite = basis + beiseite > 0 ? beiseite / (basis + beiseite) : 0.0;
        if (k >= 4) {
            it.top2 = it.anteile.at(0) + it.anteile.at(1);
            it.bottom2 = it.anteile.at(k - 2) + it.anteile.at(k - 1);
        }
        // Net agreement: every positive step against every negative one.
        double netto = 0;
        for (int s = 0; s < k; ++s) {
            if (s < k / 2)
                netto += it.anteile.at(s);
            else if (s >= (k + 1) / 2)
                netto -= it.anteile.at(s);
        }
        items.append({netto, it});
    }
    std::stable_sort(items.begin(), items.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    for (const auto& p : std::as_const(items))
        d.items << p.second;
    return d;
}

QString Batterie::text(const DivergierendeBalken::Daten& d)
{
    const auto zahl = [](double a) { return QString::number(100.0 * a, 'f', 1); };
    QStringList head{QString()};
    head << d.stufen << tr("weiß nicht") << tr("Top-2") << tr("Bottom-2") << tr("Netto");
    QString out = head.join(QLatin1Char('\t')) + QLatin1Char('\n');
    const int k = int(d.stufen.size());
    for (const DivergierendeBalken::Item& it : d.items) {
        QStringList row{it.titel};
        double netto = 0;
        for (int s = 0; s < k; ++s) {
            const double a = it.anteile.value(s);
            row << zahl(a);
            netto += s < k / 2 ? a : s >= (k + 1) / 2 ? -a : 0.0;
        }
        row << zahl(it.beiseite) << zahl(it.top2) << zahl(it.bottom2) << zahl(netto);
        out += row.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    return out;
}

Batterie::Batterie(QWidget* parent)
    : ModelClient(parent)
    , m_balken(new DivergierendeBalken(this))
    , m_recompute(new RecomputeScheduler(this, [this] { updateDiagram(); }))
{
    m_recompute->setColumnTest([this](int first, int last) {
        return RecomputeScheduler::touchesAny(first, last, m_columns);
    });
    m_recompute->setFollowsWeight(true);
    auto* layout = new QGridLayout(this);
    layout->addWidget(m_balken, 0, 0);
}

void Batterie::setModel(QStandardItemModel* m)
{
    m_model = m;
    m_recompute->setModel(m);
    updateDiagram();
}

int Batterie::neededVersion() const
{
    // A view type older programs do not know.
    return DateiVersion::SkalenVersion;
}

void Batterie::setSpalten(const QVector<int>& columns)
{
    m_columns = columns;
    updateDiagram();
}

void Batterie::updateDiagram()
{
    if (!m_model || m_columns.isEmpty())
        return;
    if (m_recompute->postpone())
        return;
    QStringList titel;
    QVector<QStringList> antworten;
    const int rows = m_model->rowCount();
    for (int c : std::as_const(m_columns)) {
        if (c < 0 || c >= m_model->columnCount())
            continue;
        titel << m_model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        QStringList cells;
        cells.reserve(rows);
        for (int r = 0; r < rows; ++r)
            cells << RowFilter::cell(m_model, r, c).toString();   // missing codes read as empty
        antworten << cells;
    }
    m_balken->setDaten(rechne(titel, antworten, Gewichtung::gewichte(m_model)));
}
