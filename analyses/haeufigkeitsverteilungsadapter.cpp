#include "analyses/haeufigkeitsverteilungsadapter.h"
#include "core/angaben.h"

#include <QAction>
#include <QDataStream>
#include "core/spaltenspeicher.h"
#include <algorithm>

#include "core/gewichtung.h"
#include "core/recomputescheduler.h"
#include "core/userinput.h"
#include "core/zahltext.h"
#include "core/zellenzahl.h"
#include "diagrams/diagram.h"

namespace {
// The class count the dialog allows; a count read from a file is held to it too, so
// that a damaged record cannot ask for a huge or negative number of classes.
constexpr int minClasses = 4;
constexpr int maxClasses = 100;
}

HaeufigkeitsVerteilungsAdapter::HaeufigkeitsVerteilungsAdapter(QWidget* parent)
    : ModelDiagramAdapter(parent)
{
    // A cell change elsewhere leaves this view as it is.
    m_recompute->setColumnTest([this](int first, int last) {
        return RecomputeScheduler::touches(first, last, m_modelColumn)
            || RecomputeScheduler::touches(first, last, m_filter.depColumn());
    });
    m_recompute->setFollowsWeight(true);
    auto* intervals = new QAction(tr("Intervalle"), this);
    connect(intervals, &QAction::triggered, this,
            &HaeufigkeitsVerteilungsAdapter::intervalAction);
    auto* minMax = new QAction(tr("Min & Max setzen"), this);
    connect(minMax, &QAction::triggered, this, &HaeufigkeitsVerteilungsAdapter::minMaxAction);
    m_actions << intervals << RowFilter::createActions(this) << minMax;
}

void HaeufigkeitsVerteilungsAdapter::saveData(QDataStream& s, int version)
{
    if (version > 1)
        ModelDiagramAdapter::saveData(s, version);
    m_filter.write(s);
    s << qint32(m_classes);
    if (version >= 5)
        s << m_min << m_max;
}

void HaeufigkeitsVerteilungsAdapter::loadData(QDataStream& s, int version)
{
    if (version > 1)
        ModelDiagramAdapter::loadData(s, version);
    RowFilter loaded;
    loaded.read(s);
    qint32 classes = m_classes;
    double lo = m_min;
    double hi = m_max;
    s >> classes;
    if (version >= 5)
        s >> lo >> hi;
    // A record cut short applies nothing of the settings.
    if (s.status() != QDataStream::Ok)
        return;
    m_classes = std::clamp(int(classes), minClasses, maxClasses);
    m_min = lo;
    m_max = hi;
    m_filter = loaded;
    setDepFilter(m_filter.depValue(), m_filter.depColumn());
}

void HaeufigkeitsVerteilungsAdapter::setDepFilter(QString value, int column)
{
    m_filter.setDependency(value, column);
    updateDiagram();
}

void HaeufigkeitsVerteilungsAdapter::setInputFilter(const QVariant& v)
{
    m_filter.setInputFilter(v);
    updateDiagram();
}

void HaeufigkeitsVerteilungsAdapter::updateDiagram()
{
    if (!m_diagram || !m_model)
        return;
    // Views made or loaded together are computed once, when all are set up.
    if (m_recompute->postpone())
        return;
    // In a weighted survey a class holds the sum of its respondents' weights, as the
    // frequency views count; respondents without a valid weight are left out.
    const Gewichte gewichte = Gewichtung::gewichte(m_model);
    QVector<double> collected;
    QVector<double> weights;
    int withoutWeight = 0;
    QVariant cell;
    for (int r = 0; r < m_model->rowCount(); ++r) {
        if (!m_filter.admitsCell(m_model, r, m_modelColumn, &cell))
            continue;
        if (!gewichte.gueltigAt(r)) {
            ++withoutWeight;
            continue;
        }
        collected << ZellenZahl::toDouble(cell);
        weights << gewichte.at(r);
    }
    setTitelZusatz(gewichte.aktiv() ? Gewichtung::titelZusatz(gewichte.titel, withoutWeight)
                                    : QString());
    m_diagram->setGewichtet(gewichte.aktiv());
    m_diagram->setCaption(Angaben::lines(m_model, m_filter, {int(collected.size())}));
    const bool automatic = m_min == 0 && m_max == 0;
    if (automatic && collected.isEmpty()) {
        // No value, so no range to divide.
        m_diagram->setLabels(QStringList());
        m_diagram->setData(QVector<double>());
        return;
    }
    double lo = m_min;
    double hi = m_max;
    if (automatic) {
        const auto [smallest, largest] = std::minmax_element(collected.cbegin(), collected.cend());
        lo = *smallest;
        hi = *largest;
    }
    if (collected.size() == 1 && lo == hi) {
        hi = lo + 1.0;
        lo = lo - 0.5;
    }
    const int m = m_classes;
    const double d = (hi - lo) / m;
    QVector<double> counts(m, 0.0);
    QStringList labels;
    if (lo < hi) {
        double x = lo;
        for (int i = 0; i < m; ++i) {
            labels << ZahlText::shown(x + d * 0.5);
            // The range of the data ends on its largest value: the last class takes it
            // in, or the histogram would drop the maximum.
            const bool closedAbove = automatic && i == m - 1;
            for (int k = 0; k < collected.size(); ++k) {
                const double v = collected.at(k);
                if (x <= v && (v < x + d || closedAbove))
                    counts[i] += weights.at(k);
            }
            x += d;
        }
    }
    m_diagram->setLabels(labels);
    m_diagram->setData(counts);
}

void HaeufigkeitsVerteilungsAdapter::intervalAction()
{
    bool ok = false;
    const int n = UserInput::getInt(this, tr("Intervalle"), tr("Anzahl der Intervalle"),
                                    m_classes, minClasses, maxClasses, 1, &ok);
    if (!ok)
        return;
    m_classes = std::clamp(n, minClasses, maxClasses);
    updateDiagram();
}

void HaeufigkeitsVerteilungsAdapter::depAction()
{
    RowFilter::runDepAction(this);
    ModelClient::notifyChanged(this);
}

void HaeufigkeitsVerteilungsAdapter::undepAction()
{
    RowFilter::runUndepAction(this);
    ModelClient::notifyChanged(this);
}

void HaeufigkeitsVerteilungsAdapter::minMaxAction()
{
    bool ok = false;
    const double lo = UserInput::getDouble(this, tr("Skala"),
                                           tr("Bitte geben sie das neue Minimum ein"), m_min,
                                           -100, 100, 3, &ok);
    if (!ok)
        return;
    const double hi = UserInput::getDouble(this, tr("Skala"),
                                           tr("Bitte geben sie das neue Maximum ein"), m_max,
                                           -100, 100, 3, &ok);
    if (!ok)
        return;
    m_min = lo;
    m_max = hi;
    updateDiagram();
}
