#include "diagrams/tabelle1.h"

#include "core/spaltensicht.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QSet>
#include <QSortFilterProxyModel>
#include "core/spaltenspeicher.h"
#include <QTableView>
#include <QVector>
#include <algorithm>
#include <cmath>
#include <vector>

// The data table's sorting proxy. While the keys of the sort column are taken (the one
// whole sort after a bulk change), a comparison reads them instead of two cells.
class Tabelle1::SortierProxy : public QSortFilterProxyModel
{
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

    void takeKeys(const QAbstractItemModel* m)
    {
        m_keys.clear();
        m_column = sortColumn();
        if (!m || !dynamicSortFilter() || m_column < 0 || m_column >= m->columnCount())
            return;
        const int rows = m->rowCount();
        m_keys.reserve(rows);
        const int role = sortRole();
        for (int r = 0; r < rows; ++r)
            m_keys << Tabelle1::sortKey(m->data(m->index(r, m_column), role));
    }
    void dropKeys() { m_keys = {}; }

    // A header click: the column's distinct values are ranked once, and the rows are
    // sorted by their values' ranks instead of two cells read and compared each time.
    void sort(int column, Qt::SortOrder order) override
    {
        // The toolkit does nothing when asked for the order it keeps already.
        if (!(dynamicSortFilter() && column == sortColumn() && order == sortOrder()))
            takeRanks(column);
        QSortFilterProxyModel::sort(column, order);
        m_ranks = {};
        m_rankStore = nullptr;
    }

protected:
    bool lessThan(const QModelIndex& l, const QModelIndex& r) const override
    {
        if (m_rankStore && l.column() == m_rankColumn && r.column() == m_rankColumn
            && !l.parent().isValid() && !r.parent().isValid()) {
            const quint32 a = m_rankStore->code(l.row(), m_rankColumn);
            const quint32 b = m_rankStore->code(r.row(), m_rankColumn);
            if (a < m_ranks.size() && b < m_ranks.size())
                return m_ranks[a] < m_ranks[b];
        }
        if (!m_keys.isEmpty() && l.column() == m_column && r.column() == m_column
            && !l.parent().isValid() && !r.parent().isValid() && l.row() < m_keys.size()
            && r.row() < m_keys.size()) {
            const int less = Tabelle1::keyLess(m_keys.at(l.row()), m_keys.at(r.row()),
                                               sortCaseSensitivity(), isSortLocaleAware());
            if (less >= 0)
                return less == 1;
        }
        return QSortFilterProxyModel::lessThan(l, r);
    }

private:
    // Ranks the pool values the column's cells use, equal ranks for values neither of
    // which sorts before the other. Only where that is the toolkit's order for every
    // pair of cells: values of one kind the keys compare (texts, or numbers without
    // NaN), missing cells last. Otherwise the cells are compared as ever.
    void takeRanks(int column)
    {
        m_ranks = {};
        m_rankStore = nullptr;
        const auto* s = qobject_cast<const SpaltenSpeicher*>(sourceModel());
        if (!s || column < 0 || column >= s->columnCount() || s->rowCount() < 2)
            return;
        const SpaltenSpeicher::Codes codes = s->codes(column);
        std::vector<int> firstRow(size_t(s->poolGroesse(column)), -1);
        bool inRange = true;
        codes.jedeZeile([&](int row, quint32 code) {
            if (code >= firstRow.size())
                inRange = false;
            else if (firstRow[code] < 0)
                firstRow[code] = row;
        });
        if (!inRange)
            return;
        std::vector<quint32> used;
        std::vector<Tabelle1::SortKey> keys(firstRow.size());
        int type = QMetaType::UnknownType;
        for (quint32 code = 0; code < firstRow.size(); ++code) {
            if (firstRow[code] < 0)
                continue;
            keys[code] = Tabelle1::sortKey(s->data(s->index(firstRow[code], column), sortRole()));
            const int t = keys[code].type;
            if (t != QMetaType::UnknownType) {
                if (t != QMetaType::QString && t != QMetaType::Double)
                    return;
                if (type != QMetaType::UnknownType && t != type)
                    return;
                if (t == QMetaType::Double && std::isnan(keys[code].number))
                    return;
                type = t;
            }
            used.push_back(code);
        }
        const Qt::CaseSensitivity cs = sortCaseSensitivity();
        const bool localeAware = isSortLocaleAware();
        const auto less = [&](quint32 a, quint32 b) {
            return Tabelle1::keyLess(keys[a], keys[b], cs, localeAware) == 1;
        };
        std::sort(used.begin(), used.end(), less);
        m_ranks.assign(firstRow.size(), 0);
        for (size_t i = 1; i < used.size(); ++i)
            m_ranks[used[i]] = m_ranks[used[i - 1]] + (less(used[i - 1], used[i]) ? 1 : 0);
        m_rankStore = s;
        m_rankColumn = column;
    }

    QVector<Tabelle1::SortKey> m_keys;
    int m_column = -1;
    std::vector<int> m_ranks;
    const SpaltenSpeicher* m_rankStore = nullptr;
    int m_rankColumn = -1;
};

Tabelle1::Tabelle1(QWidget* parent)
    : ModelClient(parent)
    , m_table(new QTableView(this))
    , m_proxy(new SortierProxy(this))
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

QSortFilterProxyModel* Tabelle1::proxy() const
{
    return m_proxy;
}

void Tabelle1::setModel(SpaltenSpeicher* m)
{
    m_model = m;
    m_proxy->setSourceModel(m);
    if (m_table->model() != m_proxy)
        m_table->setModel(m_proxy);
}

void Tabelle1::setSpalten(SpaltenSicht* s)
{
    if (m_spalten)
        disconnect(m_spalten, nullptr, this, nullptr);
    m_spalten = s;
    if (!s)
        return;
    connect(s, &SpaltenSicht::hiddenChanged, this,
            [this](int c, bool hidden) { m_table->setColumnHidden(c, hidden); });
    connect(s, &SpaltenSicht::fillStarted, this,
            [this] { m_spaltenFill = std::make_unique<BulkFill>(this); });
    connect(s, &SpaltenSicht::fillFinished, this, [this] { m_spaltenFill.reset(); });
    for (int c = 0; c < s->hidden().size(); ++c)
        m_table->setColumnHidden(c, s->hidden().at(c));
    // A column hidden or shown here is hidden or shown in the survey (a hidden section
    // is one resized to nothing). The sections a bulk fill drops and restores are not.
    connect(m_table->horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int c, int before, int now) {
                if (!m_spalten || m_holds > 0)
                    return;
                if (now == 0)
                    m_spalten->setHidden(c, true);
                else if (before == 0)
                    m_spalten->setHidden(c, false);
            });
}

void Tabelle1::hideSelectedColumns()
{
    const QModelIndexList cols = m_table->selectionModel()->selectedColumns(0);
    for (const QModelIndex& i : cols) {
        m_hidden << i.column();
        m_table->setColumnHidden(i.column(), true);
    }
}

QVector<int> Tabelle1::selectedColumns() const
{
    const QItemSelectionModel* sel = m_table->selectionModel();
    QVector<int> columns;
    if (!sel)
        return columns;
    const int rows = m_table->model() ? m_table->model()->rowCount() : 0;
    QSet<int> seen;
    // Whole-column ranges name their columns; anything else is left to the selection
    // model, which looks at every row of every column.
    const QItemSelection ranges = sel->selection();
    for (const QItemSelectionRange& r : ranges) {
        if (r.parent().isValid() || r.top() != 0 || r.bottom() != rows - 1) {
            columns.clear();
            for (const QModelIndex& i : sel->selectedColumns(0))
                columns << i.column();
            return columns;
        }
        for (int c = r.left(); c <= r.right(); ++c) {
            if (!seen.contains(c)) {
                seen.insert(c);
                columns << c;
            }
        }
    }
    return columns;
}

Tabelle1::SortKey Tabelle1::sortKey(const QVariant& v)
{
    SortKey k;
    k.type = v.userType();
    k.number = v.toDouble();
    k.text = v.toString();
    return k;
}

int Tabelle1::keyLess(const SortKey& a, const SortKey& b, Qt::CaseSensitivity cs,
                      bool localeAware)
{
    // The toolkit's rule: an invalid value sorts last, then the left value's type
    // decides how both are compared.
    if (a.type == QMetaType::UnknownType)
        return 0;
    if (b.type == QMetaType::UnknownType)
        return 1;
    switch (a.type) {
    case QMetaType::Double:
        return a.number < b.number ? 1 : 0;
    case QMetaType::QString: {
        const int c = localeAware ? a.text.localeAwareCompare(b.text) : a.text.compare(b.text, cs);
        return c < 0 ? 1 : 0;
    }
    default:
        return -1;
    }
}

Tabelle1::BulkFill::BulkFill(Tabelle1* t)
    : m_t(t)
{
    if (t->m_holds++ > 0)
        return;
    m_outer = true;
    const int n = t->m_model ? t->m_model->columnCount() : 0;
    for (int c = 0; c < n; ++c)
        m_hidden << t->m_table->isColumnHidden(c);
    t->m_proxy->setSourceModel(nullptr);
}

Tabelle1::BulkFill::~BulkFill()
{
    --m_t->m_holds;
    if (!m_outer)
        return;
    // The sort runs as the proxy takes the data table back; the keys serve just it.
    m_t->m_proxy->takeKeys(m_t->m_model);
    m_t->m_proxy->setSourceModel(m_t->m_model);
    m_t->m_proxy->rowCount();
    m_t->m_proxy->dropKeys();
    // Columns hidden meanwhile are as the column settings have them now.
    const QList<bool> hidden = m_t->m_spalten ? QList<bool>(m_t->m_spalten->hidden().begin(),
                                                            m_t->m_spalten->hidden().end())
                                              : m_hidden;
    for (int c = 0; c < hidden.size(); ++c)
        m_t->m_table->setColumnHidden(c, hidden.at(c));
}
