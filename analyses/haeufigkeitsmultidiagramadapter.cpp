#include "analyses/haeufigkeitsmultidiagramadapter.h"

#include <QDataStream>
#include "core/spaltenspeicher.h"
#include <QHash>
#include <QSet>
#include <algorithm>

#include "core/angaben.h"
#include "core/fehlendewerte.h"
#include "core/gewichtung.h"
#include "core/recomputescheduler.h"
#include "core/spaltencodes.h"
#include "diagrams/diagram.h"

HaeufigkeitsMultiDiagramAdapter::HaeufigkeitsMultiDiagramAdapter(QWidget* parent)
    : ModelMultiDiagramAdapter(parent)
    , m_anzeige(this, &m_filter, [this] { return m_columns; }, [this] { updateDiagram(); })
{
    // A cell change elsewhere leaves this view as it is.
    m_recompute->setColumnTest([this](int first, int last) {
        return RecomputeScheduler::touchesAny(first, last, m_columns)
            || RecomputeScheduler::touches(first, last, m_filter.depColumn());
    });
    m_recompute->setFollowsWeight(true);
    m_actions << RowFilter::createActions(this) << m_anzeige.actions();
}

void HaeufigkeitsMultiDiagramAdapter::saveData(QDataStream& s, int version)
{
    if (version > 1)
        ModelMultiDiagramAdapter::saveData(s, version);
    m_filter.write(s);
    m_anzeige.write(s, version);
}

void HaeufigkeitsMultiDiagramAdapter::loadData(QDataStream& s, int version)
{
    if (version > 1)
        ModelMultiDiagramAdapter::loadData(s, version);
    if (m_filter.read(s) && m_anzeige.read(s, version))
        setDepFilter(m_filter.depValue(), m_filter.depColumn());
}

int HaeufigkeitsMultiDiagramAdapter::neededVersion() const
{
    return m_anzeige.neededVersion();
}

void HaeufigkeitsMultiDiagramAdapter::setDepFilter(QString value, int column)
{
    m_filter.setDependency(value, column);
    updateDiagram();
}

void HaeufigkeitsMultiDiagramAdapter::setInputFilter(const QVariant& v)
{
    m_filter.setInputFilter(v);
    updateDiagram();
}

void HaeufigkeitsMultiDiagramAdapter::updateDiagram()
{
    if (!m_diagram || !m_model || m_columns.isEmpty())
        return;
    // Views made or loaded together are computed once, when all are set up.
    if (m_recompute->postpone())
        return;
    // Each column is read once, for the labels and for its counts.
    const SpaltenCodes::Runde round;
    QStringList rowLabels;
    // The answer set is taken unfiltered, so every row shows the same labels. Answers
    // the user left out are not among them; the empty one keeps its place (with
    // nothing counted), as it always had.
    QSet<QString> answers;
    for (int c : std::as_const(m_columns)) {
        rowLabels << m_model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        for (const QVariant& v : SpaltenCodes::of(m_model, c)->values)
            answers.insert(v.toString());
    }
    const QStringList excluded = m_filter.excluded();
    for (const QString& t : excluded)
        if (!t.isEmpty())
            answers.remove(t);
    const Gewichte weights = Gewichtung::gewichte(m_model);
    m_gewichtet = weights.aktiv();
    // The respondents counted in any of the columns.
    QVector<char> counted(m_gewichtet ? m_model->rowCount() : 0, 0);
    QVector<int> answersPerColumn;
    // Counted per column first: the order of the labels may depend on the totals.
    QVector<QHash<QString, double>> perColumn;
    QHash<QString, double> totals;
    for (int c : std::as_const(m_columns)) {
        QHash<QString, double> sums;
        int answered = 0;
        if (m_gewichtet) {
            // The rows counted in this column alone, for its base.
            QVector<char> here(m_model->rowCount(), 0);
            sums = m_filter.weighTexts(m_model, c, weights, &here);
            for (int r = 0; r < here.size(); ++r) {
                answered += here.at(r) ? 1 : 0;
                counted[r] = char(counted.at(r) | here.at(r));
            }
        } else {
            const QHash<QString, int> counts = m_filter.countTexts(m_model, c);
            for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
                sums.insert(it.key(), double(it.value()));
                answered += it.value();
            }
        }
        for (auto it = sums.cbegin(); it != sums.cend(); ++it)
            totals[it.key()] += it.value();
        answersPerColumn << answered;
        perColumn << sums;
    }
    // By default sorted by QString's operator<: code units, no locale.
    const QStringList labels = m_anzeige.ordne(QStringList(answers.cbegin(), answers.cend()),
                                               totals);
    m_anzeige.setGezeigt(labels);
    const int width = labels.size();
    QVector<double> values(width * m_columns.size(), 0.0);
    // Shares computed by processData are no sums of weights: it may say so.
    m_diagram->setGewichtet(m_gewichtet);
    for (int k = 0; k < m_columns.size(); ++k) {
        double* row = values.data() + k * width;
        for (int j = 0; j < width; ++j)
            row[j] = perColumn.at(k).value(labels.at(j));
        processData(row, row + width);
    }
    setTitelZusatz(m_gewichtet ? Gewichtung::titelZusatz(weights.titel,
                                                         weights.ungueltigUnter(counted))
                               : QString());
    QStringList caption = Angaben::lines(m_model, m_filter, answersPerColumn, rowLabels);
    // Answers declared missing are listed apart per column, as many as the linked
    // column's filter lets through.
    QVector<char> linked;
    if (m_filter.depColumn() >= 0) {
        linked.resize(m_model->rowCount());
        for (int r = 0; r < linked.size(); ++r)
            linked[r] = m_filter.admitsRow(m_model, r);
    }
    QVector<int> missing;
    for (int c : std::as_const(m_columns))
        missing << FehlendeWerte::anzahl(m_model, c, m_filter.depColumn() >= 0 ? &linked : nullptr);
    const QString missingLine = FehlendeWerte::zeile(missing, rowLabels);
    if (!missingLine.isEmpty())
        caption << missingLine;
    m_diagram->setCaption(caption);
    m_diagram->setRowWidth(width);
    m_diagram->setLabels(labels);
    m_diagram->setColLabels(rowLabels);
    m_diagram->setData(values);
}

void HaeufigkeitsMultiDiagramAdapter::depAction()
{
    RowFilter::runDepAction(this);
    ModelClient::notifyChanged(this);
}

void HaeufigkeitsMultiDiagramAdapter::undepAction()
{
    RowFilter::runUndepAction(this);
    ModelClient::notifyChanged(this);
}

void HaeufigkeitsMultiDiagramAdapter::processData(double*, double*)
{
    // Sums of weights reach the diagram in full (the workbook keeps every digit); the
    // diagram shows them to one decimal.
}
