#ifndef TABELLE1_H
#define TABELLE1_H

#include <QList>

#include "app/modelclient.h"

class QTableView;
class QSortFilterProxyModel;

// The data-table page: the survey shown through a sorting proxy, so that a header
// click sorts what is shown while the data table keeps its order.
class Tabelle1 : public ModelClient
{
    Q_OBJECT
public:
    explicit Tabelle1(QWidget* parent = nullptr);

    void setModel(QStandardItemModel* m) override;
    QTableView* table() const { return m_table; }
    QSortFilterProxyModel* proxy() const { return m_proxy; }
    const QList<int>& hiddenColumns() const { return m_hidden; }

public slots:
    void hideSelectedColumns();

private:
    QTableView* m_table;
    QSortFilterProxyModel* m_proxy;
    QList<int> m_hidden;
};

#endif
