#include <QDataStream>
#include <QRect>
#include <QStandardItemModel>
#include <QtTest>
#include <memory>

#include "core/recomputescheduler.h"
#include "core/rowfilter.h"
#include "core/spaltencodes.h"
#include "core/variantvergleich.h"
#include "app/columnselectdialog.h"
#include "tests/helpers/scriptedanswerer.h"
#include "tests/helpers/testutil.h"

// The shared row admission, its record and dialog, the column chooser, and the
// coalescing of recomputations.
class TstRowFilter : public QObject
{
    Q_OBJECT
private slots:
    void variantRules_data();
    void variantRules();
    void admits_data();
    void admits();
    void numberCellsAgainstTextFilters_data();
    void numberCellsAgainstTextFilters();
    void excludedAnswers_data();
    void excludedAnswers();
    void recordBytes();
    void foreignFilterValueRefused();
    void askDependency();
    void askDependencyCancelled();
    void columnDialog();
    void countsAsRowByRow_data();
    void countsAsRowByRow();
    void roundForgetsChangedColumns();
    void schedulerCoalesces();
    void schedulerFollowsModel();
};

void TstRowFilter::variantRules_data()
{
    QTest::addColumn<QVariant>("left");
    QTest::addColumn<QVariant>("right");
    QTest::addColumn<bool>("equal");
    QTest::addColumn<bool>("leftNull");
    QTest::newRow("empty vs invalid") << QVariant(QString("")) << QVariant() << false << false;
    QTest::newRow("empty vs null") << QVariant(QString("")) << QVariant(QString()) << true << false;
    QTest::newRow("empty vs 0") << QVariant(QString("")) << QVariant(0) << false << false;
    QTest::newRow("text vs double") << QVariant(QString("3")) << QVariant(3.0) << true << false;
    QTest::newRow("int vs text") << QVariant(3) << QVariant(QString("3")) << true << false;
    QTest::newRow("int 0 vs non-number") << QVariant(0) << QVariant(QString("abc")) << true << false;
    QTest::newRow("case") << QVariant(QString("a")) << QVariant(QString("A")) << false << false;
    QTest::newRow("null string") << QVariant(QString()) << QVariant(QString("")) << true << true;
    QTest::newRow("invalid") << QVariant() << QVariant() << true << true;
}

void TstRowFilter::variantRules()
{
    QFETCH(QVariant, left);
    QFETCH(QVariant, right);
    QFETCH(bool, equal);
    QFETCH(bool, leftNull);
    QCOMPARE(VariantVergleich::equals(left, right), equal);
    QCOMPARE(VariantVergleich::isNull(left), leftNull);
}

void TstRowFilter::admits_data()
{
    QTest::addColumn<QString>("depValue");
    QTest::addColumn<int>("depColumn");
    QTest::addColumn<QVariant>("input");
    QTest::addColumn<QString>("admitted");   // one digit per row, "1" admitted
    // Rows: ("a","x"), ("","x"), ("0",""), (no item,"y")
    QTest::newRow("default") << QString() << -1 << QVariant(QString("")) << "1011";
    QTest::newRow("linked x") << "x" << 1 << QVariant(QString("")) << "1000";
    QTest::newRow("linked none") << "z" << 1 << QVariant(QString("")) << "0000";
    QTest::newRow("null value, empty cell") << QString() << 1 << QVariant(QString("")) << "0010";
    QTest::newRow("vanished column, empty") << "" << 7 << QVariant(QString("")) << "1011";
    QTest::newRow("vanished column, value") << "x" << 7 << QVariant(QString("")) << "0000";
    QTest::newRow("null input filter") << QString() << -1 << QVariant(QString()) << "1111";
    QTest::newRow("input filter 0") << QString() << -1 << QVariant(QString("0")) << "1101";
    QTest::newRow("input filter int 0") << QString() << -1 << QVariant(0) << "0001";
    QTest::newRow("invalid input filter") << QString() << -1 << QVariant() << "1111";
}

void TstRowFilter::admits()
{
    QFETCH(QString, depValue);
    QFETCH(int, depColumn);
    QFETCH(QVariant, input);
    QFETCH(QString, admitted);
    std::unique_ptr<QStandardItemModel> m(TestUtil::makeModel(
        {"Q", "G"}, {{"a", "x"}, {"", "x"}, {"0", ""}, {"", "y"}}));
    delete m->takeItem(3, 0);
    RowFilter f;
    f.setDependency(depValue, depColumn);
    f.setInputFilter(input);
    QString got;
    QString once;
    for (int r = 0; r < 4; ++r) {
        got += f.admits(m.get(), r, 0) ? '1' : '0';
        // The counting loops' path reads the cell once and hands it over.
        QVariant cell;
        once += f.admitsCell(m.get(), r, 0, &cell) ? '1' : '0';
        if (once.endsWith('1'))
            QCOMPARE(cell, m->data(m->index(r, 0)));
    }
    QCOMPARE(got, admitted);
    QCOMPARE(once, admitted);
    // Cells outside the table read as data() reads them.
    QCOMPARE(RowFilter::cell(m.get(), 9, 0), m->data(m->index(9, 0)));
    QCOMPARE(RowFilter::cell(m.get(), 0, 9), m->data(m->index(0, 9)));
}

void TstRowFilter::numberCellsAgainstTextFilters_data()
{
    QTest::addColumn<QString>("filter");
    for (const char* f : {"", "abc", "12", " 12 ", "0.5", "1e+20", "-0", "nan", "inf", "-inf",
                          "1,5", "x1"})
        QTest::newRow(f) << QString::fromLatin1(f);
}

void TstRowFilter::numberCellsAgainstTextFilters()
{
    // Number cells pass a text filter exactly when their text differs from it.
    QFETCH(QString, filter);
    const QList<QVariant> cells = {
        QVariant(12), QVariant(12.0), QVariant(0.5), QVariant(1e20), QVariant(-0.0),
        QVariant(qQNaN()), QVariant(qInf()), QVariant(-qInf()), QVariant(qint64(12)),
        QVariant(12u), QVariant(0), QVariant(1.5f)};
    QStandardItemModel m(cells.size(), 1);
    for (int r = 0; r < cells.size(); ++r) {
        auto* it = new QStandardItem;
        it->setData(cells[r], Qt::DisplayRole);
        m.setItem(r, 0, it);
    }
    RowFilter f;
    f.setInputFilter(QVariant(filter));
    for (int r = 0; r < cells.size(); ++r) {
        QVariant cell;
        const bool expected =
            !VariantVergleich::equals(QVariant(filter), m.item(r)->data(Qt::DisplayRole));
        QCOMPARE(f.admitsCell(&m, r, 0, &cell), expected);
        QCOMPARE(f.admits(&m, r, 0), expected);
    }
}

void TstRowFilter::excludedAnswers_data()
{
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QVariant>("stored");      // the input filter kept for the file
    QTest::addColumn<QStringList>("excluded"); // as the filter gives them back
    QTest::addColumn<QString>("admitted");     // one digit per cell, "1" admitted
    // Cells: "keine Angabe", "-99", -99.0, "", "ja", no value, "99"
    QTest::newRow("default") << QStringList{""} << QVariant(QString("")) << QStringList{""}
                             << "1110111";
    QTest::newRow("none") << QStringList{} << QVariant(QString()) << QStringList{} << "1111111";
    QTest::newRow("one other") << QStringList{"keine Angabe"} << QVariant(QString("keine Angabe"))
                               << QStringList{"keine Angabe"} << "0111111";
    // -99 typed or converted to a number: both are the answer -99.
    QTest::newRow("three") << QStringList{"keine Angabe", "-99", ""}
                           << QVariant(QStringList{"keine Angabe", "-99", ""})
                           << QStringList{"keine Angabe", "-99", ""} << "0000111";
    QTest::newRow("repeats and null text")
        << QStringList{"ja", QString(), "ja", ""} << QVariant(QStringList{"ja", ""})
        << QStringList{"ja", ""} << "1110011";
}

// Several answers left out: the input filter as a list, each text compared as a text
// filter of its own; one or none kept in the form older files hold.
void TstRowFilter::excludedAnswers()
{
    QFETCH(QStringList, texts);
    QFETCH(QVariant, stored);
    QFETCH(QStringList, excluded);
    QFETCH(QString, admitted);
    const QList<QVariant> cells = {QVariant(QString("keine Angabe")), QVariant(QString("-99")),
                                   QVariant(-99.0), QVariant(QString("")),
                                   QVariant(QString("ja")), QVariant(), QVariant(QString("99"))};
    QStandardItemModel m(cells.size(), 1);
    for (int r = 0; r < cells.size(); ++r) {
        auto* it = new QStandardItem;
        it->setData(cells[r], Qt::DisplayRole);
        m.setItem(r, 0, it);
    }
    RowFilter f;
    f.setExcluded(texts);
    QCOMPARE(f.inputFilter(), stored);
    QCOMPARE(f.inputFilter().typeId(), stored.typeId());
    QCOMPARE(f.inputFilter().toString().isNull(), stored.toString().isNull());
    QCOMPARE(f.excluded(), excluded);
    QCOMPARE(f.excludesSeveral(), stored.typeId() == QMetaType::QStringList);
    QString got;
    QString once;
    for (int r = 0; r < cells.size(); ++r) {
        got += f.admits(&m, r, 0) ? '1' : '0';
        QVariant cell;
        once += f.admitsCell(&m, r, 0, &cell) ? '1' : '0';
    }
    QCOMPARE(got, admitted);
    QCOMPARE(once, admitted);

    // The filter record holds it and gives it back exactly.
    QByteArray bytes;
    {
        QDataStream o(&bytes, QIODevice::WriteOnly);
        o.setVersion(QDataStream::Qt_4_6);
        f.write(o);
    }
    QDataStream in(bytes);
    in.setVersion(QDataStream::Qt_4_6);
    RowFilter back;
    QVERIFY(back.read(in));
    QCOMPARE(back.excluded(), excluded);
    QCOMPARE(back.inputFilter().typeId(), stored.typeId());
    QCOMPARE(back.inputFilter().toString().isNull(), stored.toString().isNull());
}

void TstRowFilter::recordBytes()
{
    QByteArray bytes;
    QDataStream s(&bytes, QIODevice::WriteOnly);
    s.setVersion(QDataStream::Qt_4_6);
    RowFilter().write(s);
    // QVariant(QString("")), a null QString, qint32 -1.
    QCOMPARE(bytes.toHex(), QByteArray("0000000a0000000000ffffffffffffffff"));
}

// A filter record from a damaged or foreign file whose value is of a type the program
// never writes (here a rectangle) is refused as a whole; the filter stays as it was.
void TstRowFilter::foreignFilterValueRefused()
{
    QByteArray bytes;
    {
        QDataStream o(&bytes, QIODevice::WriteOnly);
        o.setVersion(QDataStream::Qt_4_6);
        o << QVariant(QRect(1, 2, 3, 4)) << QString("x") << qint32(2);
    }
    QDataStream s(bytes);
    s.setVersion(QDataStream::Qt_4_6);
    RowFilter f;
    f.setDependency("keep", 0);
    QVERIFY(!f.read(s));
    QCOMPARE(f.depValue(), QString("keep"));
    QCOMPARE(f.depColumn(), 0);
    QCOMPARE(f.inputFilter(), QVariant(QString("")));
}

void TstRowFilter::askDependency()
{
    std::unique_ptr<QStandardItemModel> m(
        TestUtil::makeModel({"Q", "G"}, {{"1", "y"}, {"2", "x"}, {"3", "y"}, {"4", ""}}));
    ScriptedAnswerer answers;
    answers.accept(UserInput::Columns, QVariantList{1}).accept(UserInput::Item, "neu");
    QString value;
    int column = -1;
    QVERIFY(RowFilter::askDependency(nullptr, m.get(), &value, &column));
    QCOMPARE(value, QString("neu"));
    QCOMPARE(column, 1);
    QCOMPARE(answers.asked.size(), 2);
    QCOMPARE(answers.asked[0].items, QStringList({"Q", "G"}));
    const UserInput::Ask& item = answers.asked[1];
    QCOMPARE(item.title, QString("Filter"));
    QCOMPARE(item.label, QString("Wert nach dem gefiltert werden soll"));
    QCOMPARE(item.preset, QVariant(0));
    QVERIFY(item.editable);
    QStringList offered = item.items;
    offered.sort();
    QCOMPARE(offered, QStringList({"", "x", "y"}));
}

void TstRowFilter::askDependencyCancelled()
{
    std::unique_ptr<QStandardItemModel> m(TestUtil::makeModel({"Q"}, {{"1"}}));
    ScriptedAnswerer answers;
    answers.cancel(UserInput::Columns);
    answers.accept(UserInput::Columns, QVariantList{0}).cancel(UserInput::Item);
    QString value = "alt";
    int column = 5;
    QVERIFY(!RowFilter::askDependency(nullptr, m.get(), &value, &column));
    QVERIFY(!RowFilter::askDependency(nullptr, m.get(), &value, &column));
    QVERIFY(!RowFilter::askDependency(nullptr, nullptr, &value, &column));
    QCOMPARE(answers.asked.size(), 3);
    QCOMPARE(value, QString("alt"));
    QCOMPARE(column, 5);
}

void TstRowFilter::columnDialog()
{
    std::unique_ptr<QStandardItemModel> m(TestUtil::makeModel({"A", "B", "C"}, {}));
    m->setColumnCount(4);   // column 3 has no header item: its number
    ScriptedAnswerer answers;
    answers.accept(UserInput::Columns, QVariantList{2, 0})
        .accept(UserInput::Columns, QVariantList{2, 0})
        .cancel(UserInput::Columns)
        .cancel(UserInput::Columns)
        .accept(UserInput::Columns, QVariantList{})
        .accept(UserInput::Columns, QVariantList{9});
    QCOMPARE(UserInput::getColumn(nullptr, m.get()), 2);
    QCOMPARE(UserInput::getColumnList(nullptr, m.get()), QVector<int>({2, 0}));
    QCOMPARE(UserInput::getColumn(nullptr, m.get()), -1);
    QVERIFY(UserInput::getColumnList(nullptr, m.get()).isEmpty());
    QCOMPARE(UserInput::getColumn(nullptr, m.get()), -1);
    QCOMPARE(UserInput::getColumn(nullptr, m.get()), -1);
    QCOMPARE(answers.asked[0].items, QStringList({"A", "B", "C", "4"}));

    ColumnSelectDialog d;
    QVERIFY(d.windowTitle().isEmpty());
    d.setModel(m.get());
    m->setHorizontalHeaderItem(4, new QStandardItem("E"));
    d.updateList();
    QCOMPARE(d.columnTitles().size(), 5);
    QCOMPARE(d.columnTitles().last(), QString("E"));
    d.selectColumns({3, 1});
    QCOMPARE(d.columns(), QList<int>({3, 1}));
    d.setModel(nullptr);
    QVERIFY(d.columnTitles().isEmpty());
}

void TstRowFilter::countsAsRowByRow_data()
{
    QTest::addColumn<QVariant>("input");
    QTest::addColumn<QString>("depValue");
    QTest::addColumn<int>("depColumn");
    QTest::newRow("default") << QVariant(QString("")) << QString() << -1;
    QTest::newRow("filter 3") << QVariant(QString("3")) << QString() << -1;
    QTest::newRow("filter int 0") << QVariant(0) << QString() << -1;
    QTest::newRow("filter nan") << QVariant(QString("nan")) << QString() << -1;
    QTest::newRow("null filter") << QVariant(QString()) << QString() << -1;
    QTest::newRow("invalid filter") << QVariant() << QString() << -1;
    QTest::newRow("linked x") << QVariant(QString("")) << "x" << 1;
    QTest::newRow("linked 2") << QVariant(QString("")) << "2" << 1;
    QTest::newRow("linked empty") << QVariant(QString("")) << "" << 1;
    QTest::newRow("linked to itself") << QVariant(QString("")) << "a" << 0;
    QTest::newRow("vanished link") << QVariant(QString("")) << "" << 9;
}

// The frequency views count by codes of equal cells; what they count must be what the
// row-by-row rule admits, by each cell's text.
void TstRowFilter::countsAsRowByRow()
{
    QFETCH(QVariant, input);
    QFETCH(QString, depValue);
    QFETCH(int, depColumn);
    const QVariantList values{QString("a"), QString(""), QString(), QVariant(), 3.0,
                              QString("3"), 3, -0.0, 0.0, qQNaN(), true, qlonglong(3),
                              QDate(2020, 1, 2), QString("a"), 2.0, QString("ab"), 0,
                              QString("nan"), QStringList{"x"}, QString("a"), 0.6,
                              QString("0.6"), QString("0.6")};
    const QVariantList linked{QString("x"), 2.0, QString("x"), QString(), QString("2"),
                              QVariant(), 2, QString("x")};
    QStandardItemModel m(values.size(), 2);
    for (int r = 0; r < values.size(); ++r) {
        // A missing item every seventh row of the first column.
        if (r % 7 != 3) {
            auto* it = new QStandardItem;
            it->setData(values.at(r), Qt::DisplayRole);
            m.setItem(r, 0, it);
        }
        auto* g = new QStandardItem;
        g->setData(linked.at(r % linked.size()), Qt::DisplayRole);
        m.setItem(r, 1, g);
    }
    RowFilter f;
    f.setInputFilter(input);
    f.setDependency(depValue, depColumn);
    QHash<QString, int> expected;
    for (int r = 0; r < m.rowCount(); ++r) {
        QVariant cell;
        if (f.admitsCell(&m, r, 0, &cell))
            ++expected[cell.toString()];
    }
    QCOMPARE(f.countTexts(&m, 0), expected);
    // The same within a round, where the columns read are kept.
    const SpaltenCodes::Runde round;
    QCOMPARE(f.countTexts(&m, 0), expected);
    QCOMPARE(f.countTexts(&m, 0), expected);
}

void TstRowFilter::roundForgetsChangedColumns()
{
    std::unique_ptr<QStandardItemModel> m(
        TestUtil::makeModel({"A", "B"}, {{"1", "x"}, {"2", "y"}, {"1", "x"}}));
    const RowFilter f;
    const SpaltenCodes::Runde round;
    QCOMPARE(f.countTexts(m.get(), 0), (QHash<QString, int>{{"1", 2}, {"2", 1}}));
    QCOMPARE(f.countTexts(m.get(), 1), (QHash<QString, int>{{"x", 2}, {"y", 1}}));
    // A cell edited within the round.
    m->item(1, 0)->setText("1");
    QCOMPARE(f.countTexts(m.get(), 0), (QHash<QString, int>{{"1", 3}}));
    // A row more, a row less, a column moved in front.
    m->appendRow({new QStandardItem("5"), new QStandardItem("z")});
    QCOMPARE(f.countTexts(m.get(), 1), (QHash<QString, int>{{"x", 2}, {"y", 1}, {"z", 1}}));
    m->removeRow(0);
    QCOMPARE(f.countTexts(m.get(), 0), (QHash<QString, int>{{"1", 2}, {"5", 1}}));
    m->insertColumn(0, {new QStandardItem("q"), new QStandardItem("q"), new QStandardItem("q")});
    QCOMPARE(f.countTexts(m.get(), 0), (QHash<QString, int>{{"q", 3}}));
    QCOMPARE(f.countTexts(m.get(), 1), (QHash<QString, int>{{"1", 2}, {"5", 1}}));
    // The same model address again after the old one is gone: nothing kept is reused.
    m.reset(TestUtil::makeModel({"A"}, {{"neu"}}));
    QCOMPARE(f.countTexts(m.get(), 0), (QHash<QString, int>{{"neu", 1}}));
}

void TstRowFilter::schedulerCoalesces()
{
    std::unique_ptr<QStandardItemModel> m(TestUtil::makeModel({"A"}, {{"1"}, {"2"}, {"3"}}));
    int runs = 0;
    RecomputeScheduler s(nullptr, [&runs] { ++runs; });
    s.setModel(m.get());
    for (int i = 0; i < 30; ++i)
        m->item(i % 3)->setText(QString::number(i));
    QCOMPARE(runs, 0);
    QVERIFY(s.isPending());
    QTRY_COMPARE(runs, 1);
    QCoreApplication::processEvents();
    QCOMPARE(runs, 1);

    // A scheduler deleted with a request pending runs nothing afterwards.
    auto* gone = new RecomputeScheduler(nullptr, [&runs] { ++runs; });
    gone->setModel(m.get());
    m->item(0)->setText("x");
    delete gone;
    QTRY_COMPARE(runs, 2);   // only s
    QCoreApplication::processEvents();
    QCOMPARE(runs, 2);
}

void TstRowFilter::schedulerFollowsModel()
{
    std::unique_ptr<QStandardItemModel> oldModel(TestUtil::makeModel({"A"}, {{"1"}}));
    std::unique_ptr<QStandardItemModel> newModel(TestUtil::makeModel({"A"}, {{"1"}}));
    int runs = 0;
    RecomputeScheduler s(nullptr, [&runs] { ++runs; });
    s.setModel(oldModel.get());
    s.setModel(newModel.get());
    oldModel->item(0)->setText("2");
    QVERIFY(!s.isPending());
    newModel->item(0)->setText("2");
    QTRY_COMPARE(runs, 1);

    // A model that is gone before it is replaced.
    newModel.reset();
    s.setModel(oldModel.get());
    oldModel->item(0)->setText("3");
    QTRY_COMPARE(runs, 2);
    s.setModel(nullptr);
    oldModel->item(0)->setText("4");
    QVERIFY(!s.isPending());
}

QTEST_MAIN(TstRowFilter)
#include "tst_rowfilter.moc"
