#include "analyses/aenlichkeitsmodel.h"

#include <QBrush>

AenlichkeitsModel::AenlichkeitsModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

void AenlichkeitsModel::setCodes(AenlichkeitsCodes codes)
{
    beginResetModel();
    m_codes = std::move(codes);
    endResetModel();
}

QString AenlichkeitsModel::cellText(int p)
{
    return tr("%1").arg(p);
}

int AenlichkeitsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_codes.rows();
}

int AenlichkeitsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_codes.rows();
}

QVariant AenlichkeitsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return QVariant();
    switch (role) {
    case Qt::DisplayRole:
        return cellText(m_codes.percent(index.row(), index.column()));
    case Qt::TextAlignmentRole:
        return int(Qt::AlignRight);
    case Qt::BackgroundRole:
        return QBrush(AenlichkeitsCodes::colour(m_codes.percent(index.row(), index.column())));
    default:
        return QVariant();
    }
}
