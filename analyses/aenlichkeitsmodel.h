#ifndef AENLICHKEITSMODEL_H
#define AENLICHKEITSMODEL_H

#include <QAbstractTableModel>

#include "analyses/aenlichkeitscodes.h"

// The similarity table as a model: R x R cells, each computed when the view asks for
// it (text p, right-aligned, background by p), so that many rows cost no items.
class AenlichkeitsModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit AenlichkeitsModel(QObject* parent = nullptr);

    void setCodes(AenlichkeitsCodes codes);
    const AenlichkeitsCodes& codes() const { return m_codes; }

    // "%1" with p, as the table shows it.
    static QString cellText(int p);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    AenlichkeitsCodes m_codes;
};

#endif
