#include <QDate>
#include <QItemSelectionModel>
#include <QSignalSpy>
#include <QSortFilterProxyModel>
#include "core/spaltenspeicher.h"
#include <QTableView>
#include <QTest>
#include <QUndoStack>

#include "core/roles.h"
#include "core/spaltensicht.h"
#include "diagrams/tabelle1.h"
#include "commands/cappendcolumn.h"
#include "commands/chidecolumns.h"
#include "commands/cinsertcolumn.h"
#include "commands/cinsertdata.h"
#include "commands/cinsertdatablock.h"
#include "commands/crenamecolumn.h"
#include "commands/creplacecolumn.h"
#include "commands/zaehlregel.h"
#include "testutil.h"

namespace {
// The toolkit's own comparison, to hold the taken keys against.
class PlainProxy : public QSortFilterProxyModel
{
public:
    using QSortFilterProxyModel::lessThan;
};

// Cells of every kind a data table holds: texts of numbers and words in both cases,
// doubles, an empty text and cells without an item.
std::unique_ptr<SpaltenSpeicher> mixedColumn()
{
    auto m = std::make_unique<SpaltenSpeicher>(0, 2);
    const QVariantList pool{QString("5"), QString("10"), QString("ja"), QString("Ja"),
                            QString("b"), QString(""), 2.5, 10.0, -0.0, 7.0, QString("2.5"),
                            QString(" 3"), QVariant(), QString("nein"), 100.0};
    for (int r = 0; r < 90; ++r) {
        const QVariant v = pool.at((r * 7 + r / 5) % pool.size());
        m->zeileAnfuegen({v, QString::number(r)});
    }
    return m;
}

QVector<int> shownOrder(const QAbstractProxyModel* p)
{
    QVector<int> rows;
    for (int r = 0; r < p->rowCount(); ++r)
        rows << p->mapToSource(p->index(r, 0)).row();
    return rows;
}

// A column of texts for a command. Its cells are values of the column: whichever of
// table and command holds the column frees it, so no cell can be lost or freed twice.
SpaltenSpeicher::Spalte countedItems(const QStringList& texts)
{
    SpaltenSpeicher::Spalte out;
    for (const QString& t : texts)
        out.anfuegen(QVariant(t));
    return out;
}

SpaltenSpeicher* abModel()
{
    return TestUtil::makeModel({"A", "B"}, {{"1", "x"}, {"2", "y"}, {"3", "z"}});
}
}

class TstColumnCommands : public QObject
{
    Q_OBJECT
private slots:
    void countedCell_data();
    void countedCell();
    void texts();
    void renameFollowsToolTipOfPlainColumnOnly_data();
    void renameFollowsToolTipOfPlainColumnOnly();
    void hideKeepsColumnInModel();
    void insertColumnAndData();
    void appendColumnOwnsCellsOnlyWhileUndone();
    void replaceColumnRestoresCellsAndTitle();
    void replaceColumnFreesBothLists();
    void dataBlockKeepsValuesAndTypes();
    void appendColumnKeepsSortingSelectionAndHidden();
    void takenKeysCompareAsTheToolkit();
    void heldSortKeepsToolkitOrder_data();
    void heldSortKeepsToolkitOrder();
    void headerSortOfOneKindKeepsToolkitOrder_data();
    void headerSortOfOneKindKeepsToolkitOrder();
    void bulkChangeOnSortedTable();
    void movedRowsAreNotAnnounced();
    void lostSelectedColumnIsAnnounced();
    void selectedColumnsAsTheSelectionModel();
};

void TstColumnCommands::countedCell_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<bool>("counted");
    QTest::newRow("invalid (no item)") << QVariant() << false;
    QTest::newRow("null string") << QVariant(QString()) << false;
    QTest::newRow("empty text") << QVariant(QString("")) << false;
    QTest::newRow("text 0") << QVariant(QString("0")) << false;
    QTest::newRow("double 0") << QVariant(0.0) << false;
    QTest::newRow("text 0.0") << QVariant(QString("0.0")) << true;
    QTest::newRow("word") << QVariant(QString("ja")) << true;
    QTest::newRow("double 2.5") << QVariant(2.5) << true;
    QTest::newRow("blank") << QVariant(QString(" ")) << false;   // blanks only are no answer
}

void TstColumnCommands::countedCell()
{
    QFETCH(QVariant, value);
    QFETCH(bool, counted);
    QCOMPARE(ZaehlRegel::isCounted(value), counted);
}

void TstColumnCommands::texts()
{
    SpaltenSpeicher m;
    SpaltenSicht spalten(&m);
    QCOMPARE(cHideColumns({}, &spalten).text(), QString("Spalten entfernen"));
    QCOMPARE(cRenameColumn(&m, 0, "a", "b").text(), QString("Spalte umbenennen"));
    QCOMPARE(cInsertColumn(&m, 0, "a").text(), QString::fromUtf8("Spalte einfügen"));
    QCOMPARE(cInsertData(QModelIndex(), {}, {}).text(), QString("Daten eingetragen"));
    QCOMPARE(cAppendColumn(&m, {}, "a").text(), QString("Spalte einfügen"));
    QCOMPARE(cReplaceColumn(&m, {}, "a", 0).text(), QString("Spalte ersetzen"));
    // Commands never merge.
    QCOMPARE(cInsertData(QModelIndex(), {}, {}).id(), -1);
}

void TstColumnCommands::renameFollowsToolTipOfPlainColumnOnly_data()
{
    QTest::addColumn<QVariant>("kind");
    QTest::addColumn<QString>("tipAfterRename");
    QTest::newRow("plain") << QVariant() << "Neu";
    QTest::newRow("plain, stored null kind") << QVariant(QString()) << "Neu";
    QTest::newRow("copy") << QVariant("copy") << "A\nKopiert:\nSpalte:0";
    QTest::newRow("weight") << QVariant("weight") << "A\nKopiert:\nSpalte:0";
}

void TstColumnCommands::renameFollowsToolTipOfPlainColumnOnly()
{
    QFETCH(QVariant, kind);
    QFETCH(QString, tipAfterRename);
    std::unique_ptr<SpaltenSpeicher> m(abModel());
    if (kind.isValid())
        m->setHeaderData(0, Qt::Horizontal, kind, Roles::DerivationKind);
    const bool derived = !kind.toString().isEmpty();
    m->setHeaderData(0, Qt::Horizontal, derived ? "A\nKopiert:\nSpalte:0" : "A",
                     Qt::ToolTipRole);
    const QString tipBefore = m->headerData(0, Qt::Horizontal, Qt::ToolTipRole).toString();
    QUndoStack stack;
    stack.push(new cRenameColumn(m.get(), 0, "A", "Neu"));
    QCOMPARE(m->headerData(0, Qt::Horizontal).toString(), QString("Neu"));
    QCOMPARE(m->headerData(0, Qt::Horizontal, Qt::ToolTipRole).toString(), tipAfterRename);
    stack.undo();
    QCOMPARE(m->headerData(0, Qt::Horizontal).toString(), QString("A"));
    QCOMPARE(m->headerData(0, Qt::Horizontal, Qt::ToolTipRole).toString(), tipBefore);
    stack.redo();
    QCOMPARE(m->headerData(0, Qt::Horizontal, Qt::ToolTipRole).toString(), tipAfterRename);
}

void TstColumnCommands::hideKeepsColumnInModel()
{
    std::unique_ptr<SpaltenSpeicher> m(abModel());
    SpaltenSicht spalten(m.get());
    Tabelle1 table;
    table.setModel(m.get());
    table.setSpalten(&spalten);
    QTableView& view = *table.table();
    QUndoStack stack;
    stack.push(new cHideColumns({1, 0}, &spalten));
    QVERIFY(view.isColumnHidden(0) && view.isColumnHidden(1));
    QCOMPARE(m->columnCount(), 2);
    stack.undo();
    QVERIFY(!view.isColumnHidden(0) && !view.isColumnHidden(1));
    stack.redo();
    QVERIFY(view.isColumnHidden(1));
    QVERIFY(spalten.isHidden(0) && spalten.isHidden(1));
}

void TstColumnCommands::insertColumnAndData()
{
    std::unique_ptr<SpaltenSpeicher> m(abModel());
    QUndoStack stack;
    stack.push(new cInsertColumn(m.get(), 1, "Neu"));
    QCOMPARE(m->columnCount(), 3);
    QCOMPARE(m->headerData(1, Qt::Horizontal).toString(), QString("Neu"));
    QCOMPARE(m->headerData(2, Qt::Horizontal).toString(), QString("B"));
    stack.push(new cInsertData(m->index(0, 2), QString("x"), 4.5));
    QCOMPARE(m->data(m->index(0, 2)), QVariant(4.5));
    stack.undo();
    QCOMPARE(m->data(m->index(0, 2)), QVariant(QString("x")));
    stack.undo();
    QCOMPARE(m->columnCount(), 2);
    QCOMPARE(m->headerData(1, Qt::Horizontal).toString(), QString("B"));
}

void TstColumnCommands::appendColumnOwnsCellsOnlyWhileUndone()
{
    std::unique_ptr<SpaltenSpeicher> m(abModel());
    {
        QUndoStack stack;
        stack.push(new cAppendColumn(m.get(), countedItems({"p", "q", "r"}), "C"));
        QCOMPARE(m->columnCount(), 3);
        QCOMPARE(m->headerData(2, Qt::Horizontal).toString(), QString("C"));
        QCOMPARE(m->zelle(1, 2).text(), QString("q"));
        stack.undo();
        QCOMPARE(m->columnCount(), 2);
        stack.redo();
        QCOMPARE(m->zelle(2, 2).text(), QString("r"));
        stack.clear();   // performed: the cells stay in the model
        QCOMPARE(m->zelle(0, 2).text(), QString("p"));

        stack.push(new cAppendColumn(m.get(), countedItems({"s", "t", "u"}), "D"));
        stack.undo();
        stack.clear();   // undone and dropped: the command frees its cells
        QCOMPARE(m->columnCount(), 3);
    }
    m.reset();
}

void TstColumnCommands::replaceColumnRestoresCellsAndTitle()
{
    std::unique_ptr<SpaltenSpeicher> m(abModel());
    QUndoStack stack;
    stack.push(new cReplaceColumn(m.get(), countedItems({"7", "8", "9"}), "Neu", 0));
    QCOMPARE(TestUtil::cellTexts(m.get()),
             (QList<QStringList>{{"7", "x"}, {"8", "y"}, {"9", "z"}}));
    QCOMPARE(m->headerData(0, Qt::Horizontal).toString(), QString("Neu"));
    stack.undo();
    QCOMPARE(TestUtil::cellTexts(m.get()),
             (QList<QStringList>{{"1", "x"}, {"2", "y"}, {"3", "z"}}));
    QCOMPARE(m->headerData(0, Qt::Horizontal).toString(), QString("A"));
    stack.redo();
    QCOMPARE(m->zelle(2, 0).text(), QString("9"));
}

void TstColumnCommands::replaceColumnFreesBothLists()
{
    std::unique_ptr<SpaltenSpeicher> m(TestUtil::makeModel({"A"}, {}));
    m->zeileAnfuegen({QString("old")});
    {
        QUndoStack stack;
        stack.push(new cReplaceColumn(m.get(), countedItems({"new"}), "A", 0));
    }
    QCOMPARE(m->zelle(0, 0).text(), QString("new"));
    {
        QUndoStack stack;
        stack.push(new cReplaceColumn(m.get(), countedItems({"newer"}), "A", 0));
        stack.undo();
    }
    QCOMPARE(m->zelle(0, 0).text(), QString("new"));
}

void TstColumnCommands::dataBlockKeepsValuesAndTypes()
{
    std::unique_ptr<SpaltenSpeicher> m(
        TestUtil::makeModel({"A", "B"}, {{"3", "a"}, {"x", "a"}, {"5"}}));
    m->zelle(1, 0).setData(2.5, Qt::DisplayRole);
    QSignalSpy changed(m.get(), &QAbstractItemModel::dataChanged);
    QUndoStack stack;
    auto* block = new cInsertDataBlock(m.get());
    block->addColumn(0, {0, 1}, {QString("3"), 2.5}, {3.0, QString("y")});
    // Row 2 of column B has no item; one shared new value for every row.
    block->addColumn(1, {0, 2}, {QString("a"), QVariant()}, {QString("b")});
    QCOMPARE(block->cellCount(), 4);
    stack.push(block);
    QCOMPARE(m->data(m->index(0, 0)), QVariant(3.0));
    QCOMPARE(m->data(m->index(1, 0)), QVariant(QString("y")));
    QCOMPARE(m->data(m->index(0, 1)), QVariant(QString("b")));
    QCOMPARE(m->data(m->index(2, 1)), QVariant(QString("b")));
    QCOMPARE(m->data(m->index(1, 1)), QVariant(QString("a")));
    // The views hear once per column, over the rows changed.
    QCOMPARE(changed.size(), 2);
    QCOMPARE(changed.at(1).at(0).toModelIndex(), m->index(0, 1));
    QCOMPARE(changed.at(1).at(1).toModelIndex(), m->index(2, 1));
    stack.undo();
    QCOMPARE(m->data(m->index(0, 0)), QVariant(QString("3")));
    QCOMPARE(m->data(m->index(1, 0)), QVariant(2.5));
    QCOMPARE(m->data(m->index(0, 1)), QVariant(QString("a")));
    QVERIFY(!m->data(m->index(2, 1)).isValid());
    stack.redo();
    QCOMPARE(m->data(m->index(0, 0)).metaType().id(), int(QMetaType::Double));
    QCOMPARE(m->data(m->index(2, 1)), QVariant(QString("b")));
}

void TstColumnCommands::appendColumnKeepsSortingSelectionAndHidden()
{
    std::unique_ptr<SpaltenSpeicher> m(
        TestUtil::makeModel({"A", "B"}, {{"3", "c"}, {"1", "a"}, {"2"}}));
    Tabelle1 t;
    t.setModel(m.get());
    QTableView* view = t.table();
    view->sortByColumn(0, Qt::AscendingOrder);
    view->setColumnHidden(0, true);
    view->selectionModel()->select(view->model()->index(0, 1),
                                   QItemSelectionModel::Select | QItemSelectionModel::Columns);
    const auto check = [&](int columns) {
        QCOMPARE(m->columnCount(), columns);
        QCOMPARE(view->model()->columnCount(), columns);
        QCOMPARE(view->model()->index(0, 1).data().toString(), QString("a"));   // still sorted
        QVERIFY(view->isColumnHidden(0));
        const QModelIndexList sel = view->selectionModel()->selectedColumns(0);
        QCOMPARE(sel.size(), 1);
        QCOMPARE(sel.first().column(), 1);
    };
    QUndoStack stack;
    auto* append = new cAppendColumn(m.get(), countedItems({"z", "x", "y"}), "C");
    append->setTable(&t);
    stack.push(append);
    check(3);
    QCOMPARE(TestUtil::cellTexts(m.get()),
             (QList<QStringList>{{"3", "c", "z"}, {"1", "a", "x"}, {"2", "", "y"}}));
    QCOMPARE(m->headerData(2, Qt::Horizontal).toString(), QString("C"));
    QCOMPARE(m->headerData(1, Qt::Horizontal).toString(), QString("B"));
    QCOMPARE(view->model()->index(0, 2).data().toString(), QString("x"));
    stack.undo();
    check(2);
    QCOMPARE(TestUtil::cellTexts(m.get()),
             (QList<QStringList>{{"3", "c"}, {"1", "a"}, {"2", ""}}));
    stack.redo();
    check(3);
}

void TstColumnCommands::takenKeysCompareAsTheToolkit()
{
    const auto m = mixedColumn();
    PlainProxy plain;
    plain.setSourceModel(m.get());
    for (const bool localeAware : {false, true}) {
        for (const Qt::CaseSensitivity cs : {Qt::CaseSensitive, Qt::CaseInsensitive}) {
            plain.setSortLocaleAware(localeAware);
            plain.setSortCaseSensitivity(cs);
            for (int a = 0; a < 15; ++a) {
                for (int b = 0; b < 15; ++b) {
                    const QModelIndex l = m->index(a, 0);
                    const QModelIndex r = m->index(b, 0);
                    const int less = Tabelle1::keyLess(Tabelle1::sortKey(l.data()),
                                                       Tabelle1::sortKey(r.data()), cs,
                                                       localeAware);
                    QVERIFY(less >= 0);
                    QCOMPARE(less == 1, plain.lessThan(l, r));
                }
            }
        }
    }
    // A type the keys do not know is left to the toolkit.
    Tabelle1::SortKey date = Tabelle1::sortKey(QDate(2020, 1, 1));
    QCOMPARE(Tabelle1::keyLess(date, Tabelle1::sortKey(2.0), Qt::CaseSensitive, false), -1);
}

void TstColumnCommands::heldSortKeepsToolkitOrder_data()
{
    QTest::addColumn<int>("order");
    QTest::addColumn<bool>("caseSensitive");
    QTest::newRow("ascending") << int(Qt::AscendingOrder) << true;
    QTest::newRow("descending") << int(Qt::DescendingOrder) << true;
    QTest::newRow("ascending, any case") << int(Qt::AscendingOrder) << false;
}

void TstColumnCommands::heldSortKeepsToolkitOrder()
{
    QFETCH(int, order);
    QFETCH(bool, caseSensitive);
    const auto m = mixedColumn();
    Tabelle1 t;
    t.setModel(m.get());
    const Qt::CaseSensitivity cs = caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    t.proxy()->setSortCaseSensitivity(cs);
    t.table()->sortByColumn(0, Qt::SortOrder(order));
    QSortFilterProxyModel plain;
    plain.setSortCaseSensitivity(cs);
    plain.setSourceModel(m.get());
    plain.sort(0, Qt::SortOrder(order));
    const QVector<int> expected = shownOrder(&plain);
    QCOMPARE(shownOrder(t.proxy()), expected);
    {
        Tabelle1::BulkFill outer(&t);
        {
            Tabelle1::BulkFill inner(&t);
            QVERIFY(t.isHeld());
        }
        // Only the outermost hold gives the data table back.
        QCOMPARE(t.proxy()->rowCount(), 0);
    }
    QVERIFY(!t.isHeld());
    QCOMPARE(shownOrder(t.proxy()), expected);
}

void TstColumnCommands::headerSortOfOneKindKeepsToolkitOrder_data()
{
    QTest::addColumn<bool>("numbers");
    QTest::addColumn<bool>("caseSensitive");
    QTest::addColumn<bool>("localeAware");
    QTest::newRow("texts") << false << true << false;
    QTest::newRow("texts, any case") << false << false << false;
    QTest::newRow("texts, locale") << false << true << true;
    QTest::newRow("numbers") << true << true << false;
}

// A header click ranks a column's distinct values once; the rows must come out exactly
// as the toolkit's comparison of every pair of cells puts them (ties in the order the
// rows stood), in both directions, over more distinct values than 8-bit codes number,
// with missing and empty cells, equal values in other cases, and after an edit.
void TstColumnCommands::headerSortOfOneKindKeepsToolkitOrder()
{
    QFETCH(bool, numbers);
    QFETCH(bool, caseSensitive);
    QFETCH(bool, localeAware);
    auto m = std::make_unique<SpaltenSpeicher>(0, 2);
    for (int r = 0; r < 1200; ++r) {
        const int k = (r * 37) % 301;
        QVariant v;
        if (k == 300)
            v = QVariant();
        else if (numbers)
            v = k == 0 ? -0.0 : double(k % 150) / 4 - 10;
        else if (k == 299)
            v = QString("");
        else
            v = (k % 3 ? QString("ja %1") : QString("Ja %1")).arg(k % 200);
        m->zeileAnfuegen({v, QString::number(r % 7)});
    }
    Tabelle1 t;
    t.setModel(m.get());
    const Qt::CaseSensitivity cs = caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    t.proxy()->setSortCaseSensitivity(cs);
    t.proxy()->setSortLocaleAware(localeAware);
    QSortFilterProxyModel plain;
    plain.setSortCaseSensitivity(cs);
    plain.setSortLocaleAware(localeAware);
    plain.setSourceModel(m.get());
    const auto compare = [&](Qt::SortOrder order) {
        // From the second column's order, so that ties show whose order they keep.
        t.table()->sortByColumn(1, Qt::AscendingOrder);
        plain.sort(1, Qt::AscendingOrder);
        t.table()->sortByColumn(0, order);
        plain.sort(0, order);
        return shownOrder(t.proxy()) == shownOrder(&plain);
    };
    QVERIFY(compare(Qt::AscendingOrder));
    QVERIFY(compare(Qt::DescendingOrder));
    // A cell edited to a value not met before, and one to a value of the column.
    m->setData(m->index(5, 0), numbers ? QVariant(-99.5) : QVariant(QString("aa")));
    m->setData(m->index(6, 0), m->index(7, 0).data());
    QVERIFY(compare(Qt::AscendingOrder));
    QVERIFY(compare(Qt::DescendingOrder));
}

void TstColumnCommands::bulkChangeOnSortedTable()
{
    std::unique_ptr<SpaltenSpeicher> m(TestUtil::makeModel(
        {"A", "B", "C"},
        {{"3", "x", "1"}, {"10", "y", "2"}, {"2", "x", "3"}, {"", "z", "4"}, {"1", "x", "5"}}));
    Tabelle1 t;
    t.setModel(m.get());
    QTableView* view = t.table();
    view->sortByColumn(0, Qt::AscendingOrder);
    view->setColumnHidden(2, true);
    view->selectionModel()->select(view->model()->index(0, 1),
                                   QItemSelectionModel::Select | QItemSelectionModel::Columns);
    view->selectionModel()->select(view->model()->index(0, 0),
                                   QItemSelectionModel::Select | QItemSelectionModel::Columns);
    QSignalSpy selectionChanged(view->selectionModel(), &QItemSelectionModel::selectionChanged);
    const auto shownA = [&] {
        QStringList texts;
        for (int r = 0; r < view->model()->rowCount(); ++r)
            texts << view->model()->index(r, 0).data().toString();
        return texts;
    };
    const auto selected = [&] {
        QVector<int> columns;
        for (const QModelIndex& i : view->selectionModel()->selectedColumns(0))
            columns << i.column();
        return columns;
    };
    // As texts "10" sorts before "2"; as numbers after it (the empty text then reads 0).
    QCOMPARE(shownA(), (QStringList{"", "1", "10", "2", "3"}));
    QUndoStack stack;
    auto* block = new cInsertDataBlock(m.get());
    block->setTable(&t);
    block->addColumn(0, {0, 1, 2, 4}, {QString("3"), QString("10"), QString("2"), QString("1")},
                     {3.0, 10.0, 2.0, 1.0});
    stack.push(block);
    QCOMPARE(shownA(), (QStringList{"", "1", "2", "3", "10"}));
    QCOMPARE(m->data(m->index(1, 0)), QVariant(10.0));
    QCOMPARE(selected(), (QVector<int>{1, 0}));
    QVERIFY(view->isColumnHidden(2));
    stack.undo();
    QCOMPARE(shownA(), (QStringList{"", "1", "10", "2", "3"}));
    QCOMPARE(m->data(m->index(1, 0)), QVariant(QString("10")));
    QCOMPARE(selected(), (QVector<int>{1, 0}));
    stack.redo();
    QCOMPARE(shownA(), (QStringList{"", "1", "2", "3", "10"}));
    QCOMPARE(m->data(m->index(1, 0)).metaType().id(), int(QMetaType::Double));
    QCOMPARE(selected(), (QVector<int>{1, 0}));
    QVERIFY(view->isColumnHidden(2));
    // The selection was the same throughout: its listeners heard nothing.
    QCOMPARE(selectionChanged.size(), 0);
}

void TstColumnCommands::movedRowsAreNotAnnounced()
{
    std::unique_ptr<SpaltenSpeicher> m(
        TestUtil::makeModel({"A", "B"}, {{"3", "c"}, {"1", "a"}, {"2", "b"}}));
    Tabelle1 t;
    t.setModel(m.get());
    t.table()->sortByColumn(1, Qt::AscendingOrder);
    QSignalSpy removed(m.get(), &QAbstractItemModel::rowsRemoved);
    QSignalSpy inserted(m.get(), &QAbstractItemModel::rowsInserted);
    QSignalSpy columns(m.get(), &QAbstractItemModel::columnsInserted);
    QSignalSpy changed(m.get(), &QAbstractItemModel::dataChanged);
    QUndoStack stack;
    auto* replace = new cReplaceColumn(m.get(), countedItems({"z", "x", "y"}), "B2", 1);
    replace->setTable(&t);
    stack.push(replace);
    auto* append = new cAppendColumn(m.get(), countedItems({"7", "8", "9"}), "C");
    append->setTable(&t);
    stack.push(append);
    QCOMPARE(TestUtil::cellTexts(m.get()),
             (QList<QStringList>{{"3", "z", "7"}, {"1", "x", "8"}, {"2", "y", "9"}}));
    // Only what changed is told: the new column, and the replaced column's cells.
    QCOMPARE(removed.size(), 0);
    QCOMPARE(inserted.size(), 0);
    QCOMPARE(columns.size(), 1);
    QCOMPARE(changed.size(), 1);
    QCOMPARE(changed.at(0).at(0).toModelIndex(), m->index(0, 1));
    // The shown rows follow the replaced sort column.
    QCOMPARE(t.proxy()->index(0, 1).data().toString(), QString("x"));
    QCOMPARE(t.proxy()->index(0, 2).data().toString(), QString("8"));
    stack.undo();
    stack.undo();
    QCOMPARE(TestUtil::cellTexts(m.get()),
             (QList<QStringList>{{"3", "c"}, {"1", "a"}, {"2", "b"}}));
    QCOMPARE(t.proxy()->index(0, 1).data().toString(), QString("a"));
    QCOMPARE(t.proxy()->rowCount(), 3);
}

void TstColumnCommands::lostSelectedColumnIsAnnounced()
{
    std::unique_ptr<SpaltenSpeicher> m(
        TestUtil::makeModel({"A", "B"}, {{"3", "c"}, {"1", "a"}, {"2", "b"}}));
    Tabelle1 t;
    t.setModel(m.get());
    QTableView* view = t.table();
    view->sortByColumn(0, Qt::AscendingOrder);
    QUndoStack stack;
    auto* append = new cAppendColumn(m.get(), countedItems({"7", "8", "9"}), "C");
    append->setTable(&t);
    stack.push(append);
    view->selectionModel()->select(view->model()->index(0, 2),
                                   QItemSelectionModel::Select | QItemSelectionModel::Columns);
    QSignalSpy selectionChanged(view->selectionModel(), &QItemSelectionModel::selectionChanged);
    // Undo takes the selected column away: whoever follows the selection must hear it.
    stack.undo();
    QVERIFY(view->selectionModel()->selectedColumns(0).isEmpty());
    QCOMPARE(selectionChanged.size(), 1);
    stack.redo();
    QCOMPARE(selectionChanged.size(), 1);
}

void TstColumnCommands::selectedColumnsAsTheSelectionModel()
{
    std::unique_ptr<SpaltenSpeicher> m(TestUtil::makeModel(
        {"A", "B", "C", "D"}, {{"1", "2", "3", "4"}, {"5", "6", "7", "8"}, {"9"}}));
    Tabelle1 t;
    t.setModel(m.get());
    t.table()->sortByColumn(1, Qt::DescendingOrder);
    QItemSelectionModel* sel = t.table()->selectionModel();
    QAbstractItemModel* shown = t.table()->model();
    const auto expected = [&] {
        QVector<int> columns;
        for (const QModelIndex& i : sel->selectedColumns(0))
            columns << i.column();
        return columns;
    };
    const auto pick = [&](int column, QItemSelectionModel::SelectionFlags how) {
        sel->select(shown->index(0, column), how | QItemSelectionModel::Columns);
    };
    pick(3, QItemSelectionModel::Select);
    pick(1, QItemSelectionModel::Select);
    pick(3, QItemSelectionModel::Select);
    QCOMPARE(t.selectedColumns().size(), 2);
    QCOMPARE(t.selectedColumns(), expected());
    pick(3, QItemSelectionModel::Deselect);
    QCOMPARE(t.selectedColumns(), expected());
    sel->select(QItemSelection(shown->index(0, 0), shown->index(2, 2)),
                QItemSelectionModel::ClearAndSelect);
    QCOMPARE(t.selectedColumns(), (QVector<int>{0, 1, 2}));
    // A part of a column is not a selected column.
    sel->select(shown->index(1, 2), QItemSelectionModel::ClearAndSelect);
    QCOMPARE(t.selectedColumns(), QVector<int>());
    sel->select(QItemSelection(shown->index(0, 2), shown->index(1, 2)),
                QItemSelectionModel::Select);
    sel->select(shown->index(2, 2), QItemSelectionModel::Select);
    QCOMPARE(t.selectedColumns(), (QVector<int>{2}));
    QCOMPARE(t.selectedColumns(), expected());
    sel->clearSelection();
    QCOMPARE(t.selectedColumns(), QVector<int>());
}

QTEST_MAIN(TstColumnCommands)
#include "tst_columncommands.moc"
