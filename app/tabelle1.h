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

    // While one lives, the sorting proxy lets go of the data table, so that filling it
    // row by row costs no re-sort per row (a sorted table would make reading a large
    // file quadratic). Afterwards the proxy sorts once; hidden columns stay hidden.
    class BulkFill
    {
    public:
        explicit BulkFill(Tabelle1* t);
        ~BulkFill();
        BulkFill(const BulkFill&) = delete;
        BulkFill& operator=(const BulkFill&) = delete;

    private:
        Tabelle1* m_t;
        QList<bool> m_hidden;
    };

public slots:
    void hideSelectedColumns();

private:
    QTableView* m_table;
    QSortFilterProxyModel* m_proxy;
    QList<int> m_hidden;
};

#endif
