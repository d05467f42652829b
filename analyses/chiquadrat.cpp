#include "analyses/chiquadrat.h"

#include <QDataStream>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include "core/spaltenspeicher.h"
#include <algorithm>
#include <cfloat>
#include <cmath>

#include "core/angaben.h"
#include "analyses/chiquadrattest.h"
#include "core/gewichtung.h"
#include "core/recomputescheduler.h"
#include "analyses/zahlspinbox.h"
#include "core/zahltext.h"
#include "core/zellenzahl.h"
#include "diagrams/diagram.h"

namespace {
constexpr double MinDeviation = 0.00001;

QLabel* symbol(const QString& text, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

// Shows v as it is: the box's range (the data's, or the spin box default before the
// first computation) is widened to hold it. The next computation uses v and then
// applies the data's ranges.
void showValue(QDoubleSpinBox* box, double v)
{
    box->setRange(std::min(box->minimum(), v), std::max(box->maximum(), v));
    box->setValue(v);
}
}

ChiQuadrat::ChiQuadrat(QWidget* parent)
    : ModelDiagramAdapter(parent)
    , m_meanBox(new ZahlSpinBox(this))
    , m_deviationBox(new ZahlSpinBox(this))
    , m_alphaBox(new ZahlSpinBox(this))
    , m_classesBox(new ZahlSpinBox(this))
    , m_resultLabel(new QLabel(ZahlText::shownText(tr("0.0")), this))
    , m_testButton(new QPushButton(tr("Testen"), this))
{
    // A cell change elsewhere leaves this view as it is.
    m_recompute->setFollowsWeight(true);
    m_recompute->setColumnTest([this](int first, int last) {
        return RecomputeScheduler::touches(first, last, m_modelColumn)
            || RecomputeScheduler::touches(first, last, m_filter.depColumn());
    });
    for (QDoubleSpinBox* box : {m_meanBox, m_deviationBox}) {
        box->setSingleStep(0.01);
        box->setDecimals(5);
    }
    m_deviationBox->setValue(0);
    m_alphaBox->setSingleStep(0.01);
    m_alphaBox->setDecimals(5);
    m_alphaBox->setRange(0.00001, 0.99999);
    m_alphaBox->setValue(0.05);
    m_alphaBox->setEnabled(false);
    m_classesBox->setRange(6, 30);
    m_classesBox->setValue(m_classes);
    connect(m_testButton, &QPushButton::clicked, this, &ChiQuadrat::updateDiagram);
    // The boxes become the view's settings when the test runs.
    connect(m_testButton, &QPushButton::clicked, this, &ModelClient::changed);

    QFont bold = m_resultLabel->font();
    bold.setWeight(QFont::Bold);
    m_resultLabel->setFont(bold);
    QLabel* chi = symbol(QStringLiteral("\u03C7\u00B2="), this);
    chi->setFont(bold);

    m_layout->setContentsMargins(1, 1, 1, 1);
    m_layout->setSpacing(2);
    m_layout->addWidget(symbol(QStringLiteral("\u03BD"), this), 0, 1);
    m_layout->addWidget(m_meanBox, 0, 2);
    m_layout->addWidget(symbol(QStringLiteral("\u03C3"), this), 0, 3);
    m_layout->addWidget(m_deviationBox, 0, 4);
    m_layout->addWidget(m_testButton, 0, 6);
    m_layout->addWidget(symbol(QStringLiteral("\u03B1"), this), 1, 1);
    m_layout->addWidget(m_alphaBox, 1, 2);
    m_layout->addWidget(symbol(tr("m"), this), 1, 3);
    m_layout->addWidget(m_classesBox, 1, 4);
    m_layout->addWidget(chi, 1, 5);
    m_layout->addWidget(m_resultLabel, 1, 6);

    m_actions << RowFilter::createActions(this);
}

void ChiQuadrat::saveData(QDataStream& s, int version)
{
    if (version > 1)
        ModelDiagramAdapter::saveData(s, version);
    m_filter.write(s);
    s << qint32(m_classes) << m_mean << m_deviation;
}

void ChiQuadrat::loadData(QDataStream& s, int version)
{
    if (version > 1)
        ModelDiagramAdapter::loadData(s, version);
    RowFilter loaded;
    const bool filterRead = loaded.read(s);
    qint32 classes = m_classes;
    double mean = m_mean;
    double deviation = m_deviation;
    s >> classes >> mean >> deviation;
    // A record cut short applies nothing of the settings.
    if (!filterRead || s.status() != QDataStream::Ok)
        return;
    m_filter = loaded;
    // A non-finite number is no setting. The boxes' ranges are not the data's yet while
    // views are loaded: the saved μ and σ would be clamped to the spin box default.
    m_classesBox->setValue(classes);
    if (std::isfinite(mean))
        showValue(m_meanBox, mean);
    if (std::isfinite(deviation))
        showValue(m_deviationBox, deviation);
    m_parametersSet = true;
    setDepFilter(m_filter.depValue(), m_filter.depColumn());
}

void ChiQuadrat::setDiagram(Diagram* d)
{
    if (!d || d == m_diagram)
        return;
    // "Typ..." changes the kind of chart, not the colours and font the user chose.
    if (m_diagram)
        d->takeLook(*m_diagram);
    delete m_diagram;
    m_diagram = d;
    d->setParent(this);
    m_layout->addWidget(d, 2, 0, 8, 8);
    updateDiagram();
}

TextInhalt* ChiQuadrat::viewText()
{
    auto* table = dynamic_cast<TextInhalt*>(m_diagram);
    if (!table)
        return nullptr;
    m_text.set(table, {QStringLiteral("\u03C7\u00B2=") + m_resultLabel->text()});
    return &m_text;
}

void ChiQuadrat::setDepFilter(QString value, int column)
{
    m_filter.setDependency(value, column);
    updateDiagram();
}

void ChiQuadrat::setInputFilter(const QVariant& v)
{
    m_filter.setInputFilter(v);
    updateDiagram();
}

double ChiQuadrat::w(double upper, double lower)
{
    return ChiQuadratTest::probability(upper, lower, m_mean, m_deviation);
}

void ChiQuadrat::updateDiagram()
{
    if (!m_diagram || !m_model)
        return;
    // Views made or loaded together are computed once, when all are set up.
    if (m_recompute->postpone())
        return;
    QVector<double> values;
    QVariant cell;
    for (int r = 0; r < m_model->rowCount(); ++r) {
        if (m_filter.admitsCell(m_model, r, m_modelColumn, &cell))
            values << ZellenZahl::toDouble(cell);
    }
    // The test counts respondents: sums of weights (population sizes) would make any
    // deviation significant. In a weighted survey it says that it is not weighted.
    setTitelZusatz(Gewichtung::spalteVon(m_model) >= 0 ? Gewichtung::ungewichtetZusatz()
                                                       : QString());
    // Drawn with the diagram: the grid of controls above stays as it is.
    m_diagram->setCaption(Angaben::lines(m_model, m_filter, {int(values.size())}));
    double startMean = 0;
    double startDeviation = 0;
    if (!m_parametersSet
        && ChiQuadratTest::startParameters(values, &startMean, &startDeviation)) {
        showValue(m_meanBox, startMean);
        showValue(m_deviationBox, std::max(startDeviation, MinDeviation));
        m_parametersSet = true;
    }
    m_mean = m_meanBox->value();
    m_deviation = m_deviationBox->value();
    m_classes = int(m_classesBox->value());
    const ChiQuadratTest::Result t = ChiQuadratTest::compute(
        values, m_classes, [this](double upper, double lower) { return w(upper, lower); });
    if (!t.defined) {
        // Fewer than two distinct values: no test, and the boxes keep their ranges.
        m_resultLabel->setText(QStringLiteral("\u2013"));
        m_diagram->setLabels(QStringList());
        m_diagram->setColLabels(QStringList());
        m_diagram->setData(QVector<double>());
        return;
    }
    m_meanBox->setRange(t.lo, t.hi);
    // 5 n alone is a count, not a spread: incomes or heights need room for their σ.
    const double spread = 10.0 * (t.hi - t.lo);
    m_deviationBox->setRange(MinDeviation, std::max(5.0 * t.count,
                                                    std::isfinite(spread) ? spread : DBL_MAX));
    m_resultLabel->setText(ZahlText::shown(t.chi2));
    m_diagram->setLabels(t.labels);
    m_diagram->setColLabels({QStringLiteral("Daten"), QStringLiteral("Normal")});
    m_diagram->setRowWidth(m_classes);
    m_diagram->setData(t.observed + t.expected);
}

void ChiQuadrat::depAction()
{
    RowFilter::runDepAction(this);
    ModelClient::notifyChanged(this);
}

void ChiQuadrat::undepAction()
{
    RowFilter::runUndepAction(this);
    ModelClient::notifyChanged(this);
}
