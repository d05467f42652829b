#include "app/columnselectdialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QItemSelectionModel>
#include <QListView>
#include <QStandardItemModel>

ColumnSelectDialog::ColumnSelectDialog(QWidget* parent, Qt::WindowFlags f)
    : QDialog(parent, f)
    , m_list(new QStandardItemModel(this))
    , m_view(new QListView(this))
{
    m_view->setModel(m_list);
    m_view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    auto* layout = new QGridLayout(this);
    layout->addWidget(m_view, 0, 0);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel,
                                         Qt::Horizontal, this);
    layout->addWidget(buttons, 1, 0);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void ColumnSelectDialog::setModel(QAbstractItemModel* model)
{
    m_source = model;
    updateList();
}

void ColumnSelectDialog::updateList()
{
    m_list->clear();
    if (!m_source)
        return;
    const int n = m_source->columnCount();
    for (int c = 0; c < n; ++c) {
        auto* it = new QStandardItem(
            m_source->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString());
        it->setCheckable(false);
        it->setEditable(false);
        m_list->appendRow(it);
    }
}

QList<int> ColumnSelectDialog::columns()
{
    QList<int> out;
    const QModelIndexList sel = m_view->selectionModel()->selectedIndexes();
    for (const QModelIndex& i : sel)
        out << i.row();
    return out;
}

QStringList ColumnSelectDialog::columnTitles() const
{
    QStringList t;
    for (int r = 0; r < m_list->rowCount(); ++r)
        t << m_list->item(r)->text();
    return t;
}

void ColumnSelectDialog::selectColumns(const QList<int>& rows)
{
    QItemSelectionModel* sm = m_view->selectionModel();
    sm->clearSelection();
    for (int r : rows) {
        const QModelIndex i = m_list->index(r, 0);
        if (i.isValid())
            sm->select(i, QItemSelectionModel::Select);
    }
}
