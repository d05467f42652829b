#include <QAbstractItemModelTester>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTest>

#include "core/roles.h"
#include "core/spaltencodes.h"
#include "core/spaltenspeicher.h"

using Speicher = SpaltenSpeicher;

namespace {
// A table of texts built row by row; a null entry leaves the cell missing.
void fill(Speicher* s, const QStringList& titles, const QList<QStringList>& rows)
{
    Speicher::Aufbau a(s, titles);
    for (const QStringList& row : rows) {
        a.neueZeile();
        for (int c = 0; c < row.size(); ++c)
            if (row.at(c) != QLatin1String("<fehlt>"))
                a.text(c, row.at(c));
    }
}

// A column of the item model numbered as the counting views numbered it from items:
// equal display values share a code in order of first appearance (texts by text, a null
// text apart; numbers by bits; whole numbers and truths by type and text); any other
// kind of value gets a code per cell.
struct Numbering
{
    QVector<int> codes;
    QVector<QVariant> values;
};

Numbering numbered(const QStandardItemModel& m, int column)
{
    Numbering out;
    QHash<QString, int> keys;
    for (int r = 0; r < m.rowCount(); ++r) {
        const QStandardItem* it = m.item(r, column);
        const QVariant v = it ? it->data(Qt::DisplayRole) : QVariant();
        QString key;
        switch (v.metaType().id()) {
        case QMetaType::UnknownType:
            key = QStringLiteral("missing");
            break;
        case QMetaType::QString:
            key = v.toString().isNull() ? QStringLiteral("null")
                                        : QStringLiteral("text:") + v.toString();
            break;
        case QMetaType::Double: {
            const double d = v.toDouble();
            key = QStringLiteral("double:") + QString::number(*reinterpret_cast<const quint64*>(&d));
            break;
        }
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Bool:
            key = QStringLiteral("%1:%2").arg(v.metaType().id()).arg(v.toString());
            break;
        default:
            key = QStringLiteral("cell:%1").arg(r);
            break;
        }
        auto found = keys.constFind(key);
        if (found == keys.cend()) {
            found = keys.insert(key, int(out.values.size()));
            out.values << v;
        }
        out.codes << found.value();
    }
    return out;
}

QSet<quint32> distinctCodes(const Speicher& s, int column)
{
    QSet<quint32> out;
    s.codes(column).jedeZeile([&out](int, quint32 c) { out.insert(c); });
    return out;
}
}

// The column store answers as the item model did, cell for cell and role for role,
// while it keeps each column as codes into a pool of distinct values.
class TstSpaltenSpeicher : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void codesAndPools();
    void widening_data();
    void widening();
    void freeText();
    void editedCells();
    void numberReading_data();
    void numberReading();
    void restoredCells();
    void headers();
    void insertAndRemove();
    void takeOutAndPutBack();
    void exchangedColumns();
    void editsKeepThePoolBounded();
    void sameAsItemModel();
    void appendingKeepsTheTable();
};

void TstSpaltenSpeicher::codesAndPools()
{
    Speicher s;
    QAbstractItemModelTester tester(&s, QAbstractItemModelTester::FailureReportingMode::QtTest);
    fill(&s, {"F1", "F2"},
         {{"ja", "3"}, {"nein", "<fehlt>"}, {"ja", ""}, {QString(), "3"}, {"ja"}});
    QCOMPARE(s.rowCount(), 5);
    QCOMPARE(s.columnCount(), 2);
    // Equal texts share a code, numbered in order of first appearance after the
    // missing cell.
    QCOMPARE(s.code(0, 0), s.code(2, 0));
    QCOMPARE(s.code(0, 0), s.code(4, 0));
    QVERIFY(s.code(1, 0) != s.code(0, 0));
    QCOMPARE(s.poolGroesse(0), 4); // missing, "ja", "nein", null text
    QCOMPARE(s.eintrag(0, s.code(1, 0)).wert, QVariant(QStringLiteral("nein")));
    QCOMPARE(s.codes(0).breite, 1);
    // Missing cells (not set, or beyond a short record) are code 0 and read invalid;
    // a null text and an empty one stay apart.
    QCOMPARE(s.code(1, 1), 0u);
    QCOMPARE(s.code(4, 1), 0u);
    QVERIFY(!s.data(s.index(1, 1)).isValid());
    QVERIFY(!s.data(s.index(1, 1), Qt::ToolTipRole).isValid());
    const QVariant empty = s.data(s.index(2, 1));
    QCOMPARE(empty.typeId(), int(QMetaType::QString));
    QVERIFY(!empty.toString().isNull());
    const QVariant null = s.data(s.index(3, 0));
    QCOMPARE(null.typeId(), int(QMetaType::QString));
    QVERIFY(null.toString().isNull());
    QVERIFY(s.code(2, 1) != s.code(0, 1));
    QCOMPARE(s.data(s.index(0, 1), Qt::EditRole), QVariant(QStringLiteral("3")));
    // Outside the table: nothing, and no code.
    QVERIFY(!s.wert(5, 0).isValid());
    QCOMPARE(s.code(0, 2), 0u);
    QCOMPARE(s.codes(7).anzahl, 0);
    QVERIFY(s.codesEindeutig(0));
    // The counting views' numbering: in order of first appearance, missing cells one
    // value of their own.
    QVector<int> dense;
    QVector<QVariant> values;
    s.dichteCodes(1, &dense, &values);
    QCOMPARE(dense, (QVector<int>{0, 1, 2, 0, 1}));
    QCOMPARE(values.size(), 3);
    QVERIFY(!values.at(1).isValid());
}

void TstSpaltenSpeicher::widening_data()
{
    QTest::addColumn<int>("distinct");
    QTest::addColumn<int>("width");
    QTest::newRow("8 bits full") << 255 << 1;
    QTest::newRow("past 8 bits") << 256 << 2;
    QTest::newRow("16 bits full") << 65535 << 2;
    QTest::newRow("past 16 bits") << 65536 << 4;
}

void TstSpaltenSpeicher::widening()
{
    QFETCH(int, distinct);
    QFETCH(int, width);
    // Each text three times in a row, so the column stays pooled; the second column's
    // texts arrive by editing, which must widen as building does.
    const int rows = 3 * distinct;
    Speicher s;
    {
        Speicher::Aufbau a(&s, {"A", "B"});
        for (int r = 0; r < rows; ++r) {
            a.neueZeile();
            a.text(0, QString::number(r / 3));
        }
    }
    for (int r = 0; r < rows; ++r)
        s.setData(s.index(r, 1), QString::number(r / 3));
    for (int c = 0; c < 2; ++c) {
        QCOMPARE(s.codes(c).breite, width);
        QCOMPARE(s.poolGroesse(c), distinct + 1);
        QCOMPARE(distinctCodes(s, c).size(), distinct);
        for (int r : {0, 4, distinct - 1, distinct, rows - 1}) {
            QCOMPARE(s.wert(r, c), QVariant(QString::number(r / 3)));
            QCOMPARE(s.code(r, c), s.code(r - r % 3, c));
        }
    }
}

void TstSpaltenSpeicher::freeText()
{
    // Mostly distinct texts keep their values as they come: every text reads back,
    // but equal texts may then have codes of their own.
    Speicher s;
    {
        Speicher::Aufbau a(&s, {"Kommentar", "Note"});
        for (int r = 0; r < 5000; ++r) {
            a.neueZeile();
            a.text(0, r == 4999 ? QStringLiteral("Text 0") : QStringLiteral("Text %1").arg(r));
            a.text(1, QString::number(r % 5));
        }
    }
    QVERIFY(!s.codesEindeutig(0));
    QVERIFY(s.codesEindeutig(1));
    QCOMPARE(s.poolGroesse(1), 6);
    QCOMPARE(s.wert(4999, 0), QVariant(QStringLiteral("Text 0")));
    QCOMPARE(s.wert(1234, 0), QVariant(QStringLiteral("Text 1234")));
    QVERIFY(s.setData(s.index(10, 0), QStringLiteral("neu")));
    QCOMPARE(s.wert(10, 0), QVariant(QStringLiteral("neu")));
}

void TstSpaltenSpeicher::editedCells()
{
    Speicher s;
    QAbstractItemModelTester tester(&s, QAbstractItemModelTester::FailureReportingMode::QtTest);
    fill(&s, {"F"}, {{"ja"}, {"ja"}, {"<fehlt>"}});
    QSignalSpy changed(&s, &QAbstractItemModel::dataChanged);

    // A new text gets a new code; the other cell keeps the old one.
    QVERIFY(s.setData(s.index(0, 0), QStringLiteral("vielleicht")));
    QCOMPARE(changed.size(), 1);
    QCOMPARE(changed.at(0).at(0).toModelIndex(), s.index(0, 0));
    QCOMPARE(changed.at(0).at(2).value<QList<int>>(), (QList<int>{Qt::DisplayRole, Qt::EditRole}));
    QCOMPARE(s.wert(0, 0), QVariant(QStringLiteral("vielleicht")));
    QCOMPARE(s.wert(1, 0), QVariant(QStringLiteral("ja")));
    QVERIFY(s.code(0, 0) != s.code(1, 0));
    // Back to a known text: its code again.
    QVERIFY(s.setData(s.index(0, 0), QStringLiteral("ja")));
    QCOMPARE(s.code(0, 0), s.code(1, 0));
    // An equal value tells nobody.
    changed.clear();
    QVERIFY(s.setData(s.index(1, 0), QStringLiteral("ja")));
    QCOMPARE(changed.size(), 0);

    // A command's number stays a number; a text of the same digits is another value.
    QVERIFY(s.setData(s.index(2, 0), 2.5, Qt::DisplayRole));
    QCOMPARE(s.data(s.index(2, 0)).typeId(), int(QMetaType::Double));
    QCOMPARE(s.data(s.index(2, 0)).toDouble(), 2.5);
    QVERIFY(s.setData(s.index(1, 0), QStringLiteral("2.5")));
    QVERIFY(s.code(1, 0) != s.code(2, 0));
    QVERIFY(s.setData(s.index(0, 0), 2.5));
    QCOMPARE(s.code(0, 0), s.code(2, 0));

    // Other roles ride along; an invalid value takes a role away, and an invalid
    // display value makes the cell missing again.
    QVERIFY(s.setData(s.index(0, 0), QStringLiteral("Hinweis"), Qt::ToolTipRole));
    QCOMPARE(changed.last().at(2).value<QList<int>>(), QList<int>{Qt::ToolTipRole});
    QCOMPARE(s.data(s.index(0, 0), Qt::ToolTipRole), QVariant(QStringLiteral("Hinweis")));
    QCOMPARE(s.data(s.index(0, 0)).toDouble(), 2.5);
    QVERIFY(s.setData(s.index(0, 0), QVariant(), Qt::ToolTipRole));
    QCOMPARE(s.code(0, 0), s.code(2, 0));
    QVERIFY(s.setData(s.index(0, 0), QVariant()));
    QCOMPARE(s.code(0, 0), 0u);
    QVERIFY(!s.setData(s.index(3, 0), QStringLiteral("x")));
    QVERIFY(!s.setData(QModelIndex(), QStringLiteral("x")));
}

void TstSpaltenSpeicher::numberReading_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<double>("number");
    QTest::addColumn<bool>("isNumber");
    QTest::newRow("C text") << QVariant(QStringLiteral("3.25")) << 3.25 << true;
    QTest::newRow("German text") << QVariant(QStringLiteral("1.234,5")) << 1234.5 << true;
    QTest::newRow("word") << QVariant(QStringLiteral("ja")) << 0.0 << false;
    QTest::newRow("empty") << QVariant(QStringLiteral("")) << 0.0 << false;
    QTest::newRow("stored number") << QVariant(-0.5) << -0.5 << true;
    QTest::newRow("missing") << QVariant() << 0.0 << false;
}

void TstSpaltenSpeicher::numberReading()
{
    QFETCH(QVariant, value);
    QFETCH(double, number);
    QFETCH(bool, isNumber);
    Speicher s;
    {
        Speicher::Aufbau a(&s, {"Z"});
        a.neueZeile();
        a.wert(0, value);
        a.neueZeile();
        a.wert(0, value);
    }
    QCOMPARE(s.code(0, 0), s.code(1, 0));
    bool ok = !isNumber;
    QCOMPARE(s.zahl(0, s.code(0, 0), &ok), number);
    QCOMPARE(ok, isNumber);
    // Read once and kept with the value.
    QCOMPARE(s.eintrag(0, s.code(1, 0)).gelesen, qint8(isNumber ? 1 : 2));
}

void TstSpaltenSpeicher::restoredCells()
{
    Speicher s;
    {
        Speicher::Aufbau a(&s, {"F"});
        for (const QVariant& v : {QVariant(QStringLiteral("ja")), QVariant(QStringLiteral("ja")),
                                  QVariant(7), QVariant(7)}) {
            a.neueZeile();
            a.restauriert(0, v);
        }
        a.neueZeile();
        a.text(0, QStringLiteral("ja"));
    }
    // A restored cell shows its text and keeps the file's value and the text as tip.
    const QModelIndex ja = s.index(0, 0);
    QCOMPARE(s.data(ja), QVariant(QStringLiteral("ja")));
    QCOMPARE(s.data(ja, Qt::ToolTipRole), QVariant(QStringLiteral("ja")));
    QCOMPARE(s.data(ja, Roles::RestoredValue), QVariant(QStringLiteral("ja")));
    QCOMPARE(s.code(0, 0), s.code(1, 0));
    // The same text typed in is another kind of cell: no restored value.
    QVERIFY(s.code(4, 0) != s.code(0, 0));
    QVERIFY(!s.data(s.index(4, 0), Roles::RestoredValue).isValid());
    // Counted by what they show: the restored and the typed "ja" are one answer.
    QVector<int> dense;
    QVector<QVariant> values;
    s.dichteCodes(0, &dense, &values);
    QCOMPARE(dense, (QVector<int>{0, 0, 1, 1, 0}));
    // A value of another type keeps its type and shows its text.
    const QModelIndex seven = s.index(2, 0);
    QCOMPARE(s.data(seven), QVariant(QStringLiteral("7")));
    QCOMPARE(s.data(seven, Roles::RestoredValue).typeId(), int(QMetaType::Int));
    QCOMPARE(s.data(s.index(3, 0), Roles::RestoredValue), QVariant(7));
    // Editing the text keeps the restored value, as the item kept it.
    QVERIFY(s.setData(ja, QStringLiteral("nein")));
    QCOMPARE(s.data(ja, Roles::RestoredValue), QVariant(QStringLiteral("ja")));
    QCOMPARE(s.data(s.index(1, 0)), QVariant(QStringLiteral("ja")));
}

void TstSpaltenSpeicher::headers()
{
    Speicher s;
    QAbstractItemModelTester tester(&s, QAbstractItemModelTester::FailureReportingMode::QtTest);
    fill(&s, {"Alter", "Geschlecht"}, {{"30", "m"}});
    s.insertColumns(2, 1);
    QCOMPARE(s.headerData(0, Qt::Horizontal), QVariant(QStringLiteral("Alter")));
    QCOMPARE(s.headerData(1, Qt::Horizontal, Qt::EditRole), QVariant(QStringLiteral("Geschlecht")));
    // A column without header is numbered from 1, as the item model numbered it.
    QCOMPARE(s.headerData(2, Qt::Horizontal), QVariant(3));
    QCOMPARE(s.headerData(0, Qt::Vertical), QVariant(1));

    QSignalSpy changed(&s, &QAbstractItemModel::headerDataChanged);
    QVERIFY(s.setHeaderData(2, Qt::Horizontal, QStringLiteral("Summe"), Qt::EditRole));
    QVERIFY(s.setHeaderData(2, Qt::Horizontal, QStringLiteral("aus 1 und 2"), Qt::ToolTipRole));
    QVERIFY(s.setHeaderData(2, Qt::Horizontal, QStringLiteral("combined"), Roles::DerivationKind));
    QVERIFY(s.setHeaderData(2, Qt::Horizontal, 0.5, Roles::DerivationParameter));
    QVERIFY(s.setHeaderData(2, Qt::Horizontal, QStringLiteral("0,1"), Roles::DerivationSources));
    QCOMPARE(changed.size(), 5);
    QCOMPARE(changed.at(0).at(1).toInt(), 2);
    QCOMPARE(s.headerData(2, Qt::Horizontal), QVariant(QStringLiteral("Summe")));
    QCOMPARE(s.headerData(2, Qt::Horizontal, Qt::ToolTipRole), QVariant(QStringLiteral("aus 1 und 2")));
    QCOMPARE(s.headerData(2, Qt::Horizontal, Roles::DerivationKind), QVariant(QStringLiteral("combined")));
    QCOMPARE(s.headerData(2, Qt::Horizontal, Roles::DerivationParameter), QVariant(0.5));
    QCOMPARE(s.headerData(2, Qt::Horizontal, Roles::DerivationSources), QVariant(QStringLiteral("0,1")));
    // A header without the role asked for answers nothing.
    QVERIFY(!s.headerData(0, Qt::Horizontal, Roles::DerivationKind).isValid());
    QVERIFY(!s.setHeaderData(3, Qt::Horizontal, QStringLiteral("x")));

    s.setHorizontalHeaderLabels({"a", "b", "c", "d"});
    QCOMPARE(s.columnCount(), 4);
    QCOMPARE(s.headerData(3, Qt::Horizontal), QVariant(QStringLiteral("d")));
    QCOMPARE(s.headerData(2, Qt::Horizontal, Roles::DerivationKind), QVariant(QStringLiteral("combined")));
}

void TstSpaltenSpeicher::insertAndRemove()
{
    Speicher s;
    QAbstractItemModelTester tester(&s, QAbstractItemModelTester::FailureReportingMode::QtTest);
    fill(&s, {"A", "B"}, {{"1", "x"}, {"2", "y"}, {"3", "z"}});
    QVERIFY(s.insertRows(1, 2));
    QCOMPARE(s.rowCount(), 5);
    QCOMPARE(s.wert(0, 0), QVariant(QStringLiteral("1")));
    QVERIFY(!s.wert(1, 0).isValid());
    QVERIFY(!s.wert(2, 1).isValid());
    QCOMPARE(s.wert(3, 1), QVariant(QStringLiteral("y")));
    QVERIFY(s.removeRows(0, 2));
    QCOMPARE(s.rowCount(), 3);
    QVERIFY(!s.wert(0, 0).isValid());
    QCOMPARE(s.wert(2, 0), QVariant(QStringLiteral("3")));

    QVERIFY(s.insertColumns(1, 1));
    QCOMPARE(s.columnCount(), 3);
    QVERIFY(!s.wert(1, 1).isValid());
    QCOMPARE(s.headerData(2, Qt::Horizontal), QVariant(QStringLiteral("B")));
    QVERIFY(s.removeColumns(0, 2));
    QCOMPARE(s.columnCount(), 1);
    QCOMPARE(s.wert(2, 0), QVariant(QStringLiteral("z")));

    // Out of range: refused, nothing changed.
    QVERIFY(!s.insertRows(4, 1));
    QVERIFY(!s.removeRows(2, 2));
    QVERIFY(!s.removeRows(0, 0));
    QVERIFY(!s.insertColumns(-1, 1));
    QVERIFY(!s.removeColumns(0, 2));
    QCOMPARE(s.rowCount(), 3);
    s.setRowCount(5);
    s.setColumnCount(2);
    QCOMPARE(s.rowCount(), 5);
    QCOMPARE(s.columnCount(), 2);
    s.clear();
    QCOMPARE(s.rowCount(), 0);
    QCOMPARE(s.columnCount(), 0);
}

void TstSpaltenSpeicher::takeOutAndPutBack()
{
    Speicher s;
    QAbstractItemModelTester tester(&s, QAbstractItemModelTester::FailureReportingMode::QtTest);
    fill(&s, {"A", "B", "C"}, {{"1", "x", "p"}, {"2", "y", "q"}, {"1", "<fehlt>", "r"}});
    s.setHeaderData(1, Qt::Horizontal, QStringLiteral("copy"), Roles::DerivationKind);
    s.setData(s.index(0, 1), 4.0);
    const QVector<quint32> codes{s.code(0, 1), s.code(1, 1), s.code(2, 1)};

    Speicher::Spalte b = s.nimmSpalte(1);
    QCOMPARE(s.columnCount(), 2);
    QCOMPARE(b.zeilen(), 3);
    QCOMPARE(s.headerData(1, Qt::Horizontal), QVariant(QStringLiteral("C")));
    s.setzeSpalte(1, std::move(b));
    QCOMPARE(s.columnCount(), 3);
    QCOMPARE(s.headerData(1, Qt::Horizontal), QVariant(QStringLiteral("B")));
    QCOMPARE(s.headerData(1, Qt::Horizontal, Roles::DerivationKind), QVariant(QStringLiteral("copy")));
    QCOMPARE(s.data(s.index(0, 1)), QVariant(4.0));
    QCOMPARE(s.data(s.index(1, 1)), QVariant(QStringLiteral("y")));
    QVERIFY(!s.data(s.index(2, 1)).isValid());
    QCOMPARE((QVector<quint32>{s.code(0, 1), s.code(1, 1), s.code(2, 1)}), codes);

    // A column taken out before rows were removed lengthens the table again; one
    // taken out of a shorter table is filled up with missing cells.
    Speicher::Spalte a = s.nimmSpalte(0);
    QVERIFY(s.removeRows(1, 2));
    s.setzeSpalte(0, std::move(a));
    QCOMPARE(s.rowCount(), 3);
    QCOMPARE(s.wert(2, 0), QVariant(QStringLiteral("1")));
    QVERIFY(!s.wert(2, 1).isValid());
    Speicher::Spalte c = s.nimmSpalte(2);
    QVERIFY(s.insertRows(3, 2));
    s.setzeSpalte(2, std::move(c));
    QCOMPARE(s.rowCount(), 5);
    QVERIFY(!s.wert(4, 2).isValid());
    QCOMPARE(s.wert(0, 2), QVariant(QStringLiteral("p")));
    // Out of range: an empty column, the table unchanged.
    QCOMPARE(s.nimmSpalte(7).zeilen(), 0);
    QCOMPARE(s.columnCount(), 3);
}

void TstSpaltenSpeicher::exchangedColumns()
{
    Speicher s;
    QAbstractItemModelTester tester(&s, QAbstractItemModelTester::FailureReportingMode::QtTest);
    fill(&s, {"A", "B"}, {{"1", "x"}, {"2", "y"}, {"1", "z"}});
    // A command's new column: made apart from the table, with a header of its own.
    Speicher::Spalte neu;
    neu.anfuegen(QStringLiteral("ja"));
    neu.anfuegen(QVariant());
    neu.anfuegen(1.5);
    neu.setzeKopf(Qt::EditRole, QStringLiteral("Neu"));
    neu.setzeKopf(Roles::DerivationKind, QStringLiteral("weight"));
    QCOMPARE(neu.wert(2), QVariant(1.5));
    QCOMPARE(neu.kopf(Qt::DisplayRole), QVariant(QStringLiteral("Neu")));

    // A copy stays as it was when the table changes.
    const Speicher::Spalte kopie = s.spalte(1);
    QVERIFY(s.setData(s.index(0, 1), QStringLiteral("geändert")));
    QCOMPARE(kopie.wert(0), QVariant(QStringLiteral("x")));

    QSignalSpy data(&s, &QAbstractItemModel::dataChanged);
    QSignalSpy header(&s, &QAbstractItemModel::headerDataChanged);
    QSignalSpy removed(&s, &QAbstractItemModel::columnsRemoved);
    s.tauscheSpalte(0, &neu);
    QCOMPARE(removed.size(), 0);
    QCOMPARE(data.size(), 1);
    QCOMPARE(data.at(0).at(0).toModelIndex(), s.index(0, 0));
    QCOMPARE(data.at(0).at(1).toModelIndex(), s.index(2, 0));
    QCOMPARE(header.size(), 1);
    QCOMPARE(s.headerData(0, Qt::Horizontal), QVariant(QStringLiteral("Neu")));
    QCOMPARE(s.headerData(0, Qt::Horizontal, Roles::DerivationKind), QVariant(QStringLiteral("weight")));
    QCOMPARE(s.wert(0, 0), QVariant(QStringLiteral("ja")));
    QVERIFY(!s.wert(1, 0).isValid());
    QCOMPARE(neu.wert(1), QVariant(QStringLiteral("2")));
    // Undone: the old column is back, header and all.
    s.tauscheSpalte(0, &neu);
    QCOMPARE(s.headerData(0, Qt::Horizontal), QVariant(QStringLiteral("A")));
    QVERIFY(!s.headerData(0, Qt::Horizontal, Roles::DerivationKind).isValid());
    QCOMPARE(s.wert(2, 0), QVariant(QStringLiteral("1")));
    QCOMPARE(s.code(0, 0), s.code(2, 0));

    // A longer column lengthens the table.
    Speicher::Spalte lang;
    for (int r = 0; r < 5; ++r)
        lang.anfuegen(QString::number(r));
    s.tauscheSpalte(1, &lang);
    QCOMPARE(s.rowCount(), 5);
    QCOMPARE(s.columnCount(), 2);
    QCOMPARE(s.wert(4, 1), QVariant(QStringLiteral("4")));
    QVERIFY(!s.wert(4, 0).isValid());
    QCOMPARE(lang.wert(0), QVariant(QStringLiteral("geändert")));
}

void TstSpaltenSpeicher::editsKeepThePoolBounded()
{
    Speicher s;
    fill(&s, {"A"}, {{"a"}, {"b"}, {"a"}});
    QSignalSpy changed(&s, &QAbstractItemModel::dataChanged);
    for (int i = 0; i < 2000; ++i)
        QVERIFY(s.setData(s.index(1, 0), QStringLiteral("Wert %1").arg(i)));
    QVERIFY(s.poolGroesse(0) <= 2 * 3 + 256 + 1);
    QCOMPARE(s.wert(0, 0), QVariant(QStringLiteral("a")));
    QCOMPARE(s.wert(1, 0), QVariant(QStringLiteral("Wert 1999")));
    QCOMPARE(s.wert(2, 0), QVariant(QStringLiteral("a")));
    QCOMPARE(s.code(0, 0), s.code(2, 0));
    // A compaction renumbers the whole column, and says so for the whole column.
    bool wholeColumn = false;
    for (const QList<QVariant>& args : std::as_const(changed))
        wholeColumn |= args.at(0).toModelIndex().row() == 0 && args.at(1).toModelIndex().row() == 2;
    QVERIFY(wholeColumn);
    // Known values are found again after compaction.
    QVERIFY(s.setData(s.index(1, 0), QStringLiteral("a")));
    QCOMPARE(s.code(1, 0), s.code(0, 0));
}

void TstSpaltenSpeicher::sameAsItemModel()
{
    // The same random work on the item model and on the store: every cell and header
    // answers alike for every role the program reads.
    QStandardItemModel items(6, 4);
    Speicher s;
    s.setRowCount(6);
    s.setColumnCount(4);
    QAbstractItemModelTester tester(&s, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QRandomGenerator rng(32);
    const QList<QVariant> values{QVariant(QStringLiteral("ja")), QVariant(QStringLiteral("nein")),
                                 QVariant(QStringLiteral("")), QVariant(QString()),
                                 QVariant(1.5), QVariant(0.0), QVariant(3), QVariant()};
    const QList<int> roles{Qt::DisplayRole, Qt::EditRole, Qt::ToolTipRole, Roles::RestoredValue};
    for (int step = 0; step < 3000; ++step) {
        const int what = rng.bounded(20);
        const int rows = items.rowCount();
        const int cols = items.columnCount();
        if (what == 0 && rows < 12) {
            const int at = rng.bounded(rows + 1);
            QCOMPARE(s.insertRows(at, 1), items.insertRows(at, 1));
        } else if (what == 1 && rows > 1) {
            const int at = rng.bounded(rows);
            QCOMPARE(s.removeRows(at, 1), items.removeRows(at, 1));
        } else if (what == 2 && cols < 8) {
            const int at = rng.bounded(cols + 1);
            QCOMPARE(s.insertColumns(at, 1), items.insertColumns(at, 1));
        } else if (what == 3 && cols > 1) {
            const int at = rng.bounded(cols);
            QCOMPARE(s.removeColumns(at, 1), items.removeColumns(at, 1));
        } else if (what == 4) {
            const int c = rng.bounded(cols);
            const QString title = QStringLiteral("T%1").arg(rng.bounded(3));
            const int role = roles.at(rng.bounded(3));
            QCOMPARE(s.setHeaderData(c, Qt::Horizontal, title, role),
                     items.setHeaderData(c, Qt::Horizontal, title, role));
        } else {
            const int r = rng.bounded(rows);
            const int c = rng.bounded(cols);
            const int role = roles.at(rng.bounded(roles.size()));
            const QVariant v = values.at(rng.bounded(values.size()));
            QCOMPARE(s.setData(s.index(r, c), v, role), items.setData(items.index(r, c), v, role));
        }
        QCOMPARE(s.rowCount(), items.rowCount());
        QCOMPARE(s.columnCount(), items.columnCount());
    }
    for (int r = 0; r < items.rowCount(); ++r)
        for (int c = 0; c < items.columnCount(); ++c)
            for (int role : roles) {
                const QVariant a = s.data(s.index(r, c), role);
                const QVariant b = items.data(items.index(r, c), role);
                QVERIFY2(a.metaType() == b.metaType() && a == b,
                         qPrintable(QStringLiteral("cell %1,%2 role %3").arg(r).arg(c).arg(role)));
            }
    for (int c = 0; c < items.columnCount(); ++c)
        for (int role : roles)
            QCOMPARE(s.headerData(c, Qt::Horizontal, role), items.headerData(c, Qt::Horizontal, role));
    // The counting views' numbering of each column, from codes as from items.
    for (int c = 0; c < items.columnCount(); ++c) {
        QVector<int> codes;
        QVector<QVariant> werte;
        s.dichteCodes(c, &codes, &werte);
        const Numbering read = numbered(items, c);
        QCOMPARE(codes, read.codes);
        QCOMPARE(werte.size(), read.values.size());
        for (int i = 0; i < werte.size(); ++i)
            QVERIFY(werte.at(i).metaType() == read.values.at(i).metaType()
                    && werte.at(i) == read.values.at(i));
    }
}

// A reader that set up the columns and headers first appends its rows: nothing is
// reset, the rows show up as inserted rows at the end, and a longer record widens the
// table as appending to the item model did.
void TstSpaltenSpeicher::appendingKeepsTheTable()
{
    Speicher s(1, 2);
    QAbstractItemModelTester tester(&s, QAbstractItemModelTester::FailureReportingMode::QtTest);
    s.setHorizontalHeaderLabels({"A", "B"});
    s.setHeaderData(0, Qt::Horizontal, "Tipp", Qt::ToolTipRole);
    QCOMPARE(s.headerData(1, Qt::Horizontal, Qt::ToolTipRole), QVariant());
    QVERIFY(!s.zelle(0, 0).belegt());
    QSignalSpy reset(&s, &QAbstractItemModel::modelReset);
    QSignalSpy rows(&s, &QAbstractItemModel::rowsInserted);
    {
        Speicher::Aufbau a(&s);
        a.zeile({"1", "x"});
        a.zeile({"2"});
        // Not the table's until shown: counting sees only the rows it has.
        QCOMPARE(s.rowCount(), 1);
        QCOMPARE(s.codes(0).anzahl, 1);
        a.zeile({"3", "z", "mehr"});
        QCOMPARE(s.columnCount(), 3);
        QCOMPARE(a.zeilen(), 3);
    }
    QCOMPARE(reset.count(), 0);
    QCOMPARE(rows.count(), 2); // before the widening, and at the end
    QCOMPARE(s.rowCount(), 4);
    QCOMPARE(s.headerData(0, Qt::Horizontal, Qt::ToolTipRole), QVariant("Tipp"));
    QCOMPARE(s.headerData(2, Qt::Horizontal), QVariant(3)); // numbered, as without a header
    QCOMPARE(s.zelle(1, 0).text(), QString("1"));
    QVERIFY(!s.zelle(2, 1).belegt());
    QVERIFY(!s.zelle(1, 2).belegt());
    QCOMPARE(s.zelle(3, 2).text(), QString("mehr"));
    QCOMPARE(s.codes(2).anzahl, 4);

    s.zeileAnfuegen({QString("1"), 2.5, QVariant(), QString("breiter")});
    QCOMPARE(s.columnCount(), 4);
    QCOMPARE(s.wert(4, 1), QVariant(2.5));
    QVERIFY(!s.zelle(4, 2).belegt());
    // Equal texts of a column share their code, whichever way they came.
    QCOMPARE(s.code(4, 0), s.code(1, 0));
    QVERIFY(s.code(4, 0) != s.code(2, 0));
}

QTEST_MAIN(TstSpaltenSpeicher)
#include "tst_spaltenspeicher.moc"
