#ifndef TABELLE1_H
#define TABELLE1_H

#include <QList>
#include <QPointer>
#include <QString>
#include <QVector>
#include <memory>

#include "diagrams/modelclient.h"

class QTableView;
class SpaltenSicht;
class QSortFilterProxyModel;
class QVariant;

// The data-table page: the survey shown through a sorting proxy, so that a header
// click sorts what is shown while the data table keeps its order.
class Tabelle1 : public ModelClient
{
    Q_OBJECT
public:
    explicit Tabelle1(QWidget* parent = nullptr);

    void setModel(SpaltenSpeicher* m) override;
    // Shows the columns as s has them from now on: hidden ones hidden, and the data
    // table let go of while s is being filled.
    void setSpalten(SpaltenSicht* s);
    QTableView* table() const { return m_table; }
    QSortFilterProxyModel* proxy() const;
    const QList<int>& hiddenColumns() const { return m_hidden; }
    // The wholly selected columns in the selection model's order (as its
    // selectedColumns(), without a look at every row of whole-column ranges).
    QVector<int> selectedColumns() const;
    // Whether a BulkFill holds the proxy off the data table just now.
    bool isHeld() const { return m_holds > 0; }

    // While one lives, the sorting proxy lets go of the data table, so that filling it
    // row by row costs no re-sort per row (a sorted table would make reading a large
    // file quadratic). Afterwards the proxy sorts once; hidden columns stay hidden.
    // Only the outermost of nested ones lets go and sorts.
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
        bool m_outer = false;
    };

    // What the proxy's comparison reads of one cell, taken once so that a whole sort
    // does not ask the data table for two cells per comparison.
    struct SortKey {
        int type = 0;       // the value's type id
        double number = 0;  // the value as a number
        QString text;       // the value as text
    };
    static SortKey sortKey(const QVariant& v);
    // Whether a sorts before b, exactly as the toolkit's proxy compares the values the
    // keys were taken from: 1 yes, 0 no, -1 for a value type only the toolkit compares.
    static int keyLess(const SortKey& a, const SortKey& b, Qt::CaseSensitivity cs,
                       bool localeAware);

public slots:
    void hideSelectedColumns();

private:
    QTableView* m_table;
    class SortierProxy;
    SortierProxy* m_proxy;
    QList<int> m_hidden;
    int m_holds = 0;
    QPointer<SpaltenSicht> m_spalten;
    std::unique_ptr<BulkFill> m_spaltenFill;
};

#endif
