#include <QBuffer>
#include <QDataStream>
#include <QStandardItemModel>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

#include "io/csvimport.h"
#include "core/spaltensicht.h"
#include "core/csvreader.h"
#include "core/itempool.h"
#include "core/roles.h"
#include "io/statistikdatei.h"
#include "diagrams/tabelle1.h"
#include "core/textpool.h"
#include "app/view.h"
#include "io/umfragedokument.h"
#include "core/variantreader.h"
#include "core/zeilenfabrik.h"
#include "core/zellenleser.h"

namespace {
QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Everything a cell holds: each role's value with its type, and whether a text is null.
QString describe(const QStandardItem* it)
{
    if (!it)
        return QStringLiteral("<none>");
    QString out;
    const QMap<int, QVariant> roles = it->model()
        ? it->model()->itemData(it->index())
        : QMap<int, QVariant>{{Qt::DisplayRole, it->data(Qt::DisplayRole)}};
    for (auto r = roles.cbegin(); r != roles.cend(); ++r) {
        const QVariant& v = r.value();
        out += QStringLiteral("%1:%2:%3:%4|")
                   .arg(r.key())
                   .arg(QString::fromLatin1(v.typeName()))
                   .arg(v.toString().isNull() ? QStringLiteral("null") : QStringLiteral("set"))
                   .arg(v.toString());
    }
    return out + QString::number(int(it->flags()));
}

QStringList describe(const QStandardItemModel& m)
{
    QStringList out;
    out << QString::number(m.rowCount()) + QLatin1Char('x') + QString::number(m.columnCount());
    for (int c = 0; c < m.columnCount(); ++c)
        out << m.headerData(c, Qt::Horizontal).toString()
                + m.headerData(c, Qt::Horizontal, Qt::ToolTipRole).toString();
    for (int r = 0; r < m.rowCount(); ++r)
        for (int c = 0; c < m.columnCount(); ++c)
            out << describe(m.item(r, c));
    return out;
}

// The table as the import made it before rows were made on a second thread: one plain
// item per field of each record, appended one by one.
QStringList plainTable(const QString& text)
{
    QStandardItemModel m;
    CsvReader reader(text, CsvReader::detectSeparator(text));
    QStringList fields;
    bool header = true;
    while (reader.next(&fields)) {
        if (header) {
            m.setColumnCount(fields.size());
            m.setHorizontalHeaderLabels(fields);
            for (int c = 0; c < fields.size(); ++c)
                m.setHeaderData(c, Qt::Horizontal, fields.at(c), Qt::ToolTipRole);
            header = false;
            continue;
        }
        QList<QStandardItem*> row;
        for (const QString& f : std::as_const(fields))
            row << new QStandardItem(f);
        m.appendRow(row);
    }
    return describe(m);
}

QStringList imported(const QString& text, bool threaded)
{
    ZeilenFabrik::setThreaded(threaded);
    QStandardItemModel m;
    Tabelle1 table;
    table.setModel(&m);
    SpaltenSicht tableSpalten(&m);
    table.setSpalten(&tableSpalten);
    {
        SpaltenSicht::Fuellung bulk(&tableSpalten);
        CsvImport::fill(text, &m);
    }
    ZeilenFabrik::setThreaded(true);
    return describe(m);
}

// A survey long enough for many hand-overs and for the free-text column to stop being
// pooled, with every awkward record kind among its rows.
QString bigSurvey()
{
    QString t = QStringLiteral("#Kommentar\nA;\"B;b\";Frei;D\n");
    const QStringList odd{
        QStringLiteral("kurz"),
        QStringLiteral(""),
        QStringLiteral("\"Er sagte \"\"ja\"\"\";x;\"Zeile\r\nzwei\";;zu;viel"),
        QStringLiteral("\"offen;bleibt;y"),
        QStringLiteral("\";\";\"\";\"a\"b\";"),
        QStringLiteral("a\rb;c\r"),
    };
    for (int r = 0; r < 7000; ++r) {
        if (r % 97 == 0) {
            t += odd.at((r / 97) % odd.size()) + QLatin1Char('\n');
            continue;
        }
        t += QStringLiteral("%1;Größe %2;frei %3;%4\n")
                 .arg(r % 5)
                 .arg(r % 3)
                 .arg(r)
                 .arg(r % 11 == 0 ? QString() : QStringLiteral("ä😀"));
    }
    return t;
}
}

// Filling the data table on two threads and sharing equal texts: the table must be the
// one the plain import made, cell for cell, role for role.
class TstTabellenFuellung : public QObject
{
    Q_OBJECT
private slots:
    void poolKeepsValues();
    void pooledItemsStayApart();
    void importMatchesPlainImport_data();
    void importMatchesPlainImport();
    void equalAnswersShareOneString();
    void loadMatchesOnBothPaths();
    void cellsAreWrittenAsTheStreamWritesThem();
    void cellReaderReadsAsTheStreamReader_data();
    void cellReaderReadsAsTheStreamReader();
};

void TstTabellenFuellung::poolKeepsValues()
{
    TextPool pool;
    const QString a = QStringLiteral("ja");
    const QString b = QString(QStringLiteral("ja")); // an equal text of its own
    QCOMPARE(pool.take(a, 0).constData(), a.constData());
    QCOMPARE(pool.take(b, 0).constData(), a.constData());
    QCOMPARE(pool.take(QStringView(u"ja"), 0).constData(), a.constData());
    // Columns are pooled apart; empty texts come back as they came.
    QVERIFY(pool.take(QStringView(u"ja"), 1).constData() != a.constData());
    QVERIFY(pool.take(QString(), 0).isNull());
    const QString empty = pool.take(QString(QLatin1String("")), 0);
    QVERIFY(empty.isEmpty() && !empty.isNull());
    QVERIFY(!pool.take(QStringView(u"x").left(0), 0).isNull());
    // A column of distinct texts stops being pooled but keeps every value.
    for (int i = 0; i < 5000; ++i) {
        const QString t = QString::number(i);
        QCOMPARE(pool.take(QStringView(t), 2), t);
    }
}

void TstTabellenFuellung::pooledItemsStayApart()
{
    ItemPool pool;
    QStandardItemModel m;
    QStandardItem* a = pool.text(QStringLiteral("ja"), 0);
    QStandardItem* b = pool.text(QStringLiteral("ja"), 0);
    QStandardItem* null = pool.text(QString(), 0);
    QStandardItem* empty = pool.text(QString(QLatin1String("")), 0);
    QStandardItem* number = pool.restored(QVariant(5), 1);
    QStandardItem* text = pool.restored(QVariant(QStringLiteral("x")), 1);
    m.appendRow({a, b, null, empty, number, text});
    b->setText(QStringLiteral("nein"));
    QCOMPARE(a->text(), QStringLiteral("ja"));
    QCOMPARE(m.item(0, 1)->text(), QStringLiteral("nein"));
    QVERIFY(null->text().isNull());
    QVERIFY(!empty->text().isNull() && empty->text().isEmpty());
    QCOMPARE(number->text(), QStringLiteral("5"));
    QCOMPARE(number->data(Roles::RestoredValue), QVariant(5));
    QCOMPARE(number->data(Qt::ToolTipRole), QVariant(QStringLiteral("5")));
    QCOMPARE(text->data(Roles::RestoredValue), QVariant(QStringLiteral("x")));
    QCOMPARE(text->data(Qt::ToolTipRole), QVariant(QStringLiteral("x")));
    QCOMPARE(text->flags(), QStandardItem().flags());
}

void TstTabellenFuellung::importMatchesPlainImport_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("short and long rows, quotes")
        << QStringLiteral("a;b;c\n1\n1;2;3;4\n\"x;y\";\"\";\"q\"\"q\"\n\n\"offen;z\n");
    QTest::newRow("only comments") << QStringLiteral("#a\n#b\n");
    QTest::newRow("header only, CRLF") << QStringLiteral("a;b\r\n");
    QTest::newRow("tab separated, line break in a field")
        << QStringLiteral("a\tb\n\"x\r\ny\"\t\n");
    QTest::newRow("Latin-1 bytes")
        << CsvReader::decode(QByteArray("Gr\xf6\xdf" "e;b\n\xe4;\xfc\n\xe4;\xfc\n"));
    QStringEncoder utf16(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom);
    QTest::newRow("UTF-16 with byte-order mark")
        << CsvReader::decode(utf16.encode(QStringLiteral("Größe;b\nä;😀\nä;😀\n")));
    QTest::newRow("big survey") << bigSurvey();
}

void TstTabellenFuellung::importMatchesPlainImport()
{
    QFETCH(QString, text);
    const QStringList want = plainTable(text);
    QCOMPARE(imported(text, true), want);
    QCOMPARE(imported(text, false), want);
}

void TstTabellenFuellung::equalAnswersShareOneString()
{
    QStandardItemModel m;
    Tabelle1 table;
    table.setModel(&m);
    SpaltenSicht tableSpalten(&m);
    table.setSpalten(&tableSpalten);
    {
        SpaltenSicht::Fuellung bulk(&tableSpalten);
        CsvImport::fill(bigSurvey(), &m);
    }
    auto data = [&](int r, int c) {
        return m.item(r, c)->data(Qt::DisplayRole).toString().constData();
    };
    // Rows 1 and 16 both answer "1" and "Größe 1".
    QCOMPARE(data(1, 0), data(16, 0));
    QCOMPARE(data(1, 1), data(16, 1));
}

void TstTabellenFuellung::loadMatchesOnBothPaths()
{
    QTemporaryDir dir;
    const QString csv = dir.path() + "/survey.csv";
    {
        QFile f(csv);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bigSurvey().toUtf8());
    }
    UmfrageDokument v;
    v.createDemo();
    QVERIFY(v.importData(csv));
    const QString stat = dir.path() + "/survey.stat";
    QVERIFY(v.save(stat));
    const QByteArray bytes = readAll(stat);

    QStringList tables[2];
    for (int threaded = 0; threaded < 2; ++threaded) {
        ZeilenFabrik::setThreaded(threaded);
        UmfrageDokument w;
        w.createDemo();
        QVERIFY(w.load(stat));
        ZeilenFabrik::setThreaded(true);
        QCOMPARE(w.dataModel()->rowCount(), v.dataModel()->rowCount());
        tables[threaded] = describe(*w.dataModel());
        const QString again = dir.path() + "/again.stat";
        QVERIFY(w.save(again));
        QCOMPARE(readAll(again), bytes);
        if (threaded) {
            // A restored cell: its text, the stored value and the text as tool tip.
            const QStandardItem* it = w.dataModel()->item(1, 1);
            QCOMPARE(it->text(), QStringLiteral("Größe 1"));
            QCOMPARE(it->data(Roles::RestoredValue), QVariant(QStringLiteral("Größe 1")));
            QCOMPARE(it->data(Qt::ToolTipRole), QVariant(QStringLiteral("Größe 1")));
        }
    }
    QCOMPARE(tables[1], tables[0]);
}

void TstTabellenFuellung::cellsAreWrittenAsTheStreamWritesThem()
{
    UmfrageDokument v;
    v.createDemo();
    QStandardItemModel* m = v.dataModel();
    m->clear();
    m->setColumnCount(3);
    const QList<QStringList> rows{{"ja", "", "ä😀"}, {"Zeile\nzwei", "ja"}};
    for (const QStringList& r : rows) {
        QList<QStandardItem*> items;
        for (const QString& t : r)
            items << new QStandardItem(t);
        m->appendRow(items);
    }
    QByteArray bytes;
    QBuffer out(&bytes);
    QVERIFY(out.open(QIODevice::WriteOnly));
    StatistikDatei::write(m, v.hiddenColumns(), v, &out);

    QByteArray cells;
    QDataStream s(&cells, QIODevice::WriteOnly);
    s.setVersion(QDataStream::Qt_4_6);
    // The missing third item of the second row is a null string.
    s << QVariant(QString("ja")) << QVariant(QString("")) << QVariant(QString("ä😀"))
      << QVariant(QString("Zeile\nzwei")) << QVariant(QString("ja")) << QVariant(QString());
    QVERIFY(bytes.contains(cells));
}

namespace {
QByteArray streamed(const QVariantList& values)
{
    QByteArray bytes;
    QDataStream s(&bytes, QIODevice::WriteOnly);
    s.setVersion(QDataStream::Qt_4_6);
    for (const QVariant& v : values)
        s << v;
    return bytes;
}

// A value as a test can compare it: type, whether a text is null, and the value itself
// (a number by its bits, so that -0 and nan are told apart).
QString identity(const QVariant& v)
{
    QString value = v.toString();
    if (v.typeId() == QMetaType::Double) {
        const double d = v.toDouble();
        value = QString::number(*reinterpret_cast<const quint64*>(&d), 16);
    } else if (v.typeId() == QMetaType::QStringList) {
        value = v.toStringList().join(QLatin1Char('|'));
    }
    return QStringLiteral("%1:%2:%3")
        .arg(QString::fromLatin1(v.typeName()), v.toString().isNull() ? "null" : "set", value);
}
}

void TstTabellenFuellung::cellReaderReadsAsTheStreamReader_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QVariantList every{QString(), QString(""), QString("ja"), QString("ja"),
                             QString("ä😀 eine längere Antwort, die sich nicht wiederholt"),
                             QVariant(), 3.5, -0.0, 0.0, qQNaN(), qInf(), -1e300, 7, true,
                             uint(9), qlonglong(-5), qulonglong(6),
                             QStringList{"a", "b"}, QByteArray("xy"), QString("nein")};
    QTest::newRow("every kind of cell") << streamed(every);
    // Cut anywhere: a value that is not whole is not read, the ones before it are.
    const QByteArray whole = streamed(every);
    for (int n : {1, 4, 5, 8, 9, 10, 12, 13, 20, 31, 47})
        QTest::addRow("cut after %d bytes", n) << whole.left(n);
    QByteArray odd = streamed({QString("abc")});
    odd[8] = char(5); // an odd byte count cannot be a text
    QTest::newRow("odd text length") << odd + streamed({QString("x")});
    QByteArray beyond = streamed({QString("abc")});
    beyond[5] = char(0x7f); // far more bytes than there are
    QTest::newRow("text longer than the file") << beyond;
    QByteArray unknown = streamed({QString("a")});
    unknown[3] = char(64); // a type the files never hold
    QTest::newRow("unknown type") << unknown;
    QVariantList tail;
    for (int i = 0; i < 20000; ++i)
        tail << QString("eine Antwort %1").arg(i);
    QTest::newRow("unknown type before a long tail") << unknown + streamed(tail);
    QByteArray invalidWithOdd = streamed({QVariant(), QString("z")});
    invalidWithOdd[8] = char(1); // the invalid value's empty text, with an odd length
    QTest::newRow("invalid value with a damaged text") << invalidWithOdd;
}

// The load reads the cells straight from the file's bytes: every value, and where reading
// stops, must be what the stream reader gives.
void TstTabellenFuellung::cellReaderReadsAsTheStreamReader()
{
    QFETCH(QByteArray, bytes);
    QStringList expected;
    {
        QBuffer buffer(&bytes);
        QVERIFY(buffer.open(QIODevice::ReadOnly));
        QDataStream s(&buffer);
        s.setVersion(QDataStream::Qt_4_6);
        QVariant v;
        while (VariantReader::read(s, v))
            expected << identity(v) + QLatin1Char('@') + QString::number(buffer.pos());
    }
    // Blocks of every size split the values anywhere.
    for (qint64 block : {qint64(1), qint64(2), qint64(5), qint64(13), qint64(4 << 20)}) {
        QBuffer buffer(&bytes);
        QVERIFY(buffer.open(QIODevice::ReadOnly));
        QStringList got;
        ZellenLeser reader(&buffer, block);
        QVariant v;
        while (reader.read(v, 0)) {
            got << identity(v) + QLatin1Char('@') + QString::number(reader.pos());
            // A byte at a time nothing after the value is taken: the statistic file's
            // reader relies on it for a device it cannot seek back in.
            if (block == 1)
                QCOMPARE(buffer.pos(), reader.pos());
        }
        QCOMPARE(got, expected);
        QCOMPARE(identity(v), identity(QVariant()));
        // A damaged value ends reading where it is, not at the end of the file.
        QVERIFY2(buffer.pos() - reader.pos() <= qMax<qint64>(block, 64),
                 qPrintable(QString::number(buffer.pos())));
    }
}

QTEST_MAIN(TstTabellenFuellung)
#include "tst_tabellenfuellung.moc"
