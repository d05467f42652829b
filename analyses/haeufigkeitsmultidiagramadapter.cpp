#include "analyses/haeufigkeitsmultidiagramadapter.h"

#include <QAction>
#include <QDataStream>
#include <QStandardItemModel>
#include <map>
#include <set>

#include "diagrams/diagram.h"

HaeufigkeitsMultiDiagramAdapter::HaeufigkeitsMultiDiagramAdapter(QWidget* parent)
    : ModelMultiDiagramAdapter(parent)
{
    auto* dep = new QAction(tr("mit Spalte verknpfen"), this);
    connect(dep, &QAction::triggered, this, &HaeufigkeitsMultiDiagramAdapter::depAction);
    auto* undep = new QAction(tr("Verknpfung aufheben"), this);
    connect(undep, &QAction::triggered, this, &HaeufigkeitsMultiDiagramAdapter::undepAction);
    m_actions << dep << undep;
}

void HaeufigkeitsMultiDiagramAdapter::saveData(QDataStream& s, int version)
{
    if (version > 1)
        ModelMultiDiagramAdapter::saveData(s, version);
    m_filter.write(s);
}

void HaeufigkeitsMultiDiagramAdapter::loadData(QDataStream& s, int version)
{
    if (version > 1)
        ModelMultiDiagramAdapter::loadData(s, version);
    RowFilter loaded = m_filter;
    if (!loaded.read(s))
        return;
    m_filter.setInputFilter(loaded.inputFilter());
    setDepFilter(loaded.depValue(), loaded.depColumn());
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
    const int rows = m_model->rowCount();
    QStringList rowLabels;
    // The answer set is taken unfiltered, so every row shows the same labels.
    std::set<QString> answers;
    for (int c : std::as_const(m_columns)) {
        rowLabels << m_model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        for (int r = 0; r < rows; ++r)
            answers.insert(m_model->data(m_model->index(r, c)).toString());
    }
    const QStringList labels(answers.cbegin(), answers.cend());
    const int width = labels.size();
    QVector<double> values(width * m_columns.size(), 0.0);
    for (int k = 0; k < m_columns.size(); ++k) {
        const int c = m_columns.at(k);
        std::map<QString, int> counts;
        for (int r = 0; r < rows; ++r) {
            if (m_filter.admits(m_model, r, c))
                ++counts[m_model->data(m_model->index(r, c)).toString()];
        }
        double* row = values.data() + k * width;
        for (int j = 0; j < width; ++j) {
            const auto it = counts.find(labels.at(j));
            row[j] = it == counts.end() ? 0.0 : double(it->second);
        }
        processData(row, row + width);
    }
    m_diagram->setRowWidth(width);
    m_diagram->setLabels(labels);
    m_diagram->setColLabels(rowLabels);
    m_diagram->setData(values);
}

void HaeufigkeitsMultiDiagramAdapter::depAction()
{
    QString value;
    int column = -1;
    if (!RowFilter::askDependency(this, m_model, &value, &column))
        return;
    setDepFilter(value, column);
    updateDiagram();
}

void HaeufigkeitsMultiDiagramAdapter::undepAction()
{
    setDepFilter(QString(), -1);
}

void HaeufigkeitsMultiDiagramAdapter::processData(double*, double*)
{
}
