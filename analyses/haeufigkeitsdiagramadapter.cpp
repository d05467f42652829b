#include "analyses/haeufigkeitsdiagramadapter.h"

#include <QDataStream>
#include "core/spaltenspeicher.h"
#include <QHash>
#include <algorithm>

#include "core/basisangabe.h"
#include "core/fehlendewerte.h"
#include "core/angaben.h"
#include "core/gewichtung.h"
#include "core/recomputescheduler.h"
#include "core/spaltencodes.h"
#include "diagrams/diagram.h"

HaeufigkeitsDiagramAdapter::HaeufigkeitsDiagramAdapter(QWidget* parent)
    : ModelDiagramAdapter(parent)
    , m_anzeige(this, &m_filter, [this] { return QVector<int>{m_modelColumn}; },
                [this] { updateDiagram(); })
{
    // A cell change elsewhere leaves this view as it is.
    m_recompute->setColumnTest([this](int first, int last) {
        return RecomputeScheduler::touches(first, last, m_modelColumn)
            || RecomputeScheduler::touches(first, last, m_filter.depColumn());
    });
    m_recompute->setFollowsWeight(true);
    m_anzeige.setMitZusammenfassungen(true);
    m_actions << RowFilter::createActions(this) << m_anzeige.actions();
}

void HaeufigkeitsDiagramAdapter::saveData(QDataStream& s, int version)
{
    if (version > 1)
        ModelDiagramAdapter::saveData(s, version);
    m_filter.write(s);
    m_anzeige.write(s, version);
}

void HaeufigkeitsDiagramAdapter::loadData(QDataStream& s, int version)
{
    if (version > 1)
        ModelDiagramAdapter::loadData(s, version);
    if (m_filter.read(s) && m_anzeige.read(s, version))
        setDepFilter(m_filter.depValue(), m_filter.depColumn());
}

int HaeufigkeitsDiagramAdapter::neededVersion() const
{
    return m_anzeige.neededVersion();
}

void HaeufigkeitsDiagramAdapter::setDepFilter(QString value, int column)
{
    m_filter.setDependency(value, column);
    updateDiagram();
}

void HaeufigkeitsDiagramAdapter::setInputFilter(const QVariant& v)
{
    m_filter.setInputFilter(v);
    updateDiagram();
}

void HaeufigkeitsDiagramAdapter::updateDiagram()
{
    if (!m_diagram || !m_model)
        return;
    // Views made or loaded together are computed once, when all are set up.
    if (m_recompute->postpone())
        return;
    // The column and the weights are read once.
    const SpaltenCodes::Runde round;
    const Gewichte weights = Gewichtung::gewichte(m_model);
    m_gewichtet = weights.aktiv();
    QHash<QString, double> counts;
    int withoutWeight = 0;
    int answers = 0;   // counted answers, weighted or not
    double effective = 0;
    if (m_gewichtet) {
        QVector<char> counted(m_model->rowCount(), 0);
        counts = m_filter.weighTexts(m_model, m_modelColumn, weights, &counted);
        withoutWeight = weights.ungueltigUnter(counted);
        answers = int(std::count(counted.cbegin(), counted.cend(), char(1)));
        double sum = 0, squares = 0;
        for (int r = 0; r < counted.size(); ++r)
            if (counted.at(r)) {
                const double w = weights.at(r);
                sum += w;
                squares += w * w;
            }
        effective = squares > 0 ? sum * sum / squares : 0.0;
    } else {
        const QHash<QString, int> n = m_filter.countTexts(m_model, m_modelColumn);
        counts.reserve(n.size());
        for (auto it = n.cbegin(); it != n.cend(); ++it) {
            counts.insert(it.key(), double(it.value()));
            answers += it.value();
        }
    }
    // By default sorted by QString's operator<: code units, no locale.
    const QStringList labels = m_anzeige.ordne(counts.keys(), counts);
    m_anzeige.setGezeigt(labels);
    QVector<double> values;
    values.reserve(labels.size());
    for (const QString& label : std::as_const(labels))
        values << counts.value(label);
    // Shares computed by processData are no sums of weights: it may say so.
    m_diagram->setGewichtet(m_gewichtet);
    processData(values);
    // NETs after the answers, of the values as shown (counts or shares).
    QStringList shown = labels;
    m_anzeige.anhaengen(&shown, &values);
    setTitelZusatz(m_gewichtet ? Gewichtung::titelZusatz(weights.titel, withoutWeight)
                               : QString());
    QStringList caption = Angaben::lines(m_model, m_filter, {answers});
    if (m_gewichtet)
        caption << Basisangabe::zeile(answers, effective);
    // Answers declared missing are listed apart, as many as the filter lets through.
    QVector<char> linked;
    if (m_filter.depColumn() >= 0) {
        linked.resize(m_model->rowCount());
        for (int r = 0; r < linked.size(); ++r)
            linked[r] = m_filter.admitsRow(m_model, r);
    }
    const int missing = FehlendeWerte::anzahl(m_model, m_modelColumn,
                                              m_filter.depColumn() >= 0 ? &linked : nullptr);
    if (missing > 0)
        caption << FehlendeWerte::zeile(missing);
    m_diagram->setCaption(caption);
    m_diagram->setLabels(shown);
    m_diagram->setData(values);
}

void HaeufigkeitsDiagramAdapter::depAction()
{
    RowFilter::runDepAction(this);
    ModelClient::notifyChanged(this);
}

void HaeufigkeitsDiagramAdapter::undepAction()
{
    RowFilter::runUndepAction(this);
    ModelClient::notifyChanged(this);
}

void HaeufigkeitsDiagramAdapter::processData(QVector<double>&)
{
    // Sums of weights reach the diagram in full (the workbook keeps every digit); the
    // diagram shows them to one decimal.
}
