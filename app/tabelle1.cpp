#include "app/tabelle1.h"

#include <QGridLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTableView>

Tabelle1::Tabelle1(QWidget* parent)
    : ModelClient(parent)
    , m_table(new QTableView(this))
    , m_proxy(new QSortFilterProxyModel(this))
{
    m_table->setAlternatingRowColors(true);
    m_table->setSelectionBehavior(QAbstractItemView::SelectColumns);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSortingEnabled(true);

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    auto* label = new QLabel(tr("Datentabelle"), this);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    layout->addWidget(label, 0, 0);
    layout->addWidget(m_table, 1, 0);
    setMinimumSize(500, 300);
}

void Tabelle1::setModel(QStandardItemModel* m)
{
    m_model = m;
    m_proxy->setSourceModel(m);
    if (m_table->model() != m_proxy)
        m_table->setModel(m_proxy);
}

void Tabelle1::hideSelectedColumns()
{
    const QModelIndexList cols = m_table->selectionModel()->selectedColumns(0);
    for (const QModelIndex& i : cols) {
        m_hidden << i.column();
        m_table->setColumnHidden(i.column(), true);
    }
}

Tabelle1::BulkFill::BulkFill(Tabelle1* t)
    : m_t(t)
{
    const int n = t->m_model ? t->m_model->columnCount() : 0;
    for (int c = 0; c < n; ++c)
        m_hidden << t->m_table->isColumnHidden(c);
    t->m_proxy->setSourceModel(nullptr);
}

Tabelle1::BulkFill::~BulkFill()
{
    m_t->m_proxy->setSourceModel(m_t->m_model);
    for (int c = 0; c < m_hidden.size(); ++c)
        m_t->m_table->setColumnHidden(c, m_hidden.at(c));
}
