#include "core/spaltensicht.h"

#include "core/spaltenspeicher.h"

SpaltenSicht::SpaltenSicht(SpaltenSpeicher* model, QObject* parent)
    : QObject(parent)
    , m_model(model)
{
    resetToModel();
    // As a table view's header does: new columns are shown, a reset shows every column.
    connect(model, &QAbstractItemModel::columnsInserted, this,
            [this](const QModelIndex& parent, int first, int last) {
                if (!parent.isValid())
                    m_hidden.insert(qMin(first, int(m_hidden.size())), last - first + 1, false);
            });
    connect(model, &QAbstractItemModel::columnsRemoved, this,
            [this](const QModelIndex& parent, int first, int last) {
                if (!parent.isValid() && first < m_hidden.size())
                    m_hidden.remove(first, qMin(last, int(m_hidden.size()) - 1) - first + 1);
            });
    connect(model, &QAbstractItemModel::modelReset, this, &SpaltenSicht::resetToModel);
}

void SpaltenSicht::resetToModel()
{
    m_hidden = QVector<bool>(m_model->columnCount(), false);
}

bool SpaltenSicht::isHidden(int column) const
{
    return column >= 0 && column < m_hidden.size() && m_hidden.at(column);
}

void SpaltenSicht::setHidden(int column, bool hidden)
{
    if (column < 0 || column >= m_hidden.size() || m_hidden.at(column) == hidden)
        return;
    m_hidden[column] = hidden;
    emit hiddenChanged(column, hidden);
}

SpaltenSicht::Fuellung::Fuellung(SpaltenSicht* s)
    : m_s(s)
{
    if (m_s && m_s->m_fills++ == 0)
        emit m_s->fillStarted();
}

SpaltenSicht::Fuellung::~Fuellung()
{
    if (m_s && --m_s->m_fills == 0)
        emit m_s->fillFinished();
}
