#include <QBuffer>
#include <QDataStream>
#include "core/spaltenspeicher.h"
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

#include "io/csvimport.h"
#include "core/spaltensicht.h"
#include "core/csvreader.h"
#include "core/roles.h"
#include "io/statistikdatei.h"
#include "diagrams/tabelle1.h"
#include "core/textpool.h"
#include "app/view.h"
#include "io/umfragedokument.h"
#include "core/variantreader.h"
#include "core/zellenleser.h"

namespace {
QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Everything a cell holds: each role's value with its type, and whether a text is null.
QString describe(const SpaltenSpeicher& m, int row, int column)
{
    if (m.code(row, column) == 0)
        return QStringLiteral("<none>");
    QString out;
    const QModelIndex index = m.index(row, column);
    const QMap<int, QVariant> roles = m.itemData(index);
    for (auto r = roles.cbegin(); r != roles.cend(); ++r) {
        const QVariant& v = r.value();
        out += QStringLiteral("%1:%2:%3:%4|")
                   .arg(r.key())
                   .arg(QString::fromLatin1(v.typeName()))
                   .arg(v.toString().isNull() ? QStringLiteral("null") : QStringLiteral("set"))
                   .arg(v.toString());
    }
    return out + QString::number(int(m.flags(index)));
}

QStringList describe(const SpaltenSpeicher& m)
{
    QStringList out;
    out << QString::number(m.rowCount()) + QLatin1Char('x') + QString::number(m.columnCount());
    for (int c = 0; c < m.columnCount(); ++c)
        out << m.headerData(c, Qt::Horizontal).toString()
                + m.headerData(c, Qt::Horizontal, Qt::ToolTipRole).toString();
    for (int r = 0; r < m.rowCount(); ++r)
        for (int c = 0; c < m.columnCount(); ++c)
            out << describe(m, r, c);
    return out;
}

// The table as a plain import makes it: each record's fields appended as a row, one
// by one.
QStringList plainTable(const QString& text)
{
    SpaltenSpeicher m;
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
        QVariantList row;
        for (const QString& f : std::as_const(fields))
            row << QVariant(f);
        m.zeileAnfuegen(row);
    }
    return describe(m);
}

QStringList imported(const QString& text)
{
    SpaltenSpeicher m;
    Tabelle1 table;
    table.setModel(&m);
    SpaltenSicht tableSpalten(&m);
    table.setSpalten(&tableSpalten);
    {
        SpaltenSicht::Fuellung bulk(&tableSpalten);
        CsvImport::fill(text, &m);
    }
    return describe(m);
}

// A survey long enough for the free-text column to stop being pooled, with every awkward record kind among its rows.
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

// Filling the data table straight into its columns and sharing equal texts: the table
// must be the one the plain import made, cell for cell, role for role.
class TstTabellenFuellung : public QObject
{
    Q_OBJECT
private slots:
    void poolKeepsValues();
    void pooledItemsStayApart();
    void importMatchesPlainImport_data();
    void importMatchesPlainImport();
    void streamedImportMatchesTextImport_data();
    void streamedImportMatchesTextImport();
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
    SpaltenSpeicher m;
    {
        SpaltenSpeicher::Aufbau a(&m, {"a", "b", "c", "d", "e", "f"});
        a.neueZeile();
        a.text(0, QStringLiteral("ja"));
        a.text(1, QStringLiteral("ja"));
        a.text(2, QString());
        a.text(3, QString(QLatin1String("")));
        a.restauriert(4, QVariant(5));
        a.restauriert(5, QVariant(QStringLiteral("x")));
    }
    m.zelle(0, 1).setText(QStringLiteral("nein"));
    QCOMPARE(m.zelle(0, 0).text(), QStringLiteral("ja"));
    QCOMPARE(m.zelle(0, 1).text(), QStringLiteral("nein"));
    QVERIFY(m.zelle(0, 2).text().isNull());
    QVERIFY(!m.zelle(0, 3).text().isNull() && m.zelle(0, 3).text().isEmpty());
    QCOMPARE(m.zelle(0, 4).text(), QStringLiteral("5"));
    QCOMPARE(m.zelle(0, 4).data(Roles::RestoredValue), QVariant(5));
    QCOMPARE(m.zelle(0, 4).data(Qt::ToolTipRole), QVariant(QStringLiteral("5")));
    QCOMPARE(m.zelle(0, 5).data(Roles::RestoredValue), QVariant(QStringLiteral("x")));
    QCOMPARE(m.zelle(0, 5).data(Qt::ToolTipRole), QVariant(QStringLiteral("x")));
    // What an item of the table allowed.
    QCOMPARE(m.flags(m.index(0, 5)),
             Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable | Qt::ItemIsDragEnabled
                 | Qt::ItemIsDropEnabled);
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
    QCOMPARE(imported(text), want);
}

void TstTabellenFuellung::streamedImportMatchesTextImport_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("big survey, an unclosed quote") << bigSurvey().toUtf8();
    QByteArray latin = "Gr\xf6\xdf" "e;b\n";
    for (int r = 0; r < 500; ++r)
        latin += "a" + QByteArray::number(r % 7) + ";\"x\r\ny\"\r\n";
    latin += "\xe4;\xfc\n"; // not UTF-8: the whole file is Latin-1
    QTest::newRow("Latin-1 found at the end, quoted line breaks") << latin;
    QString lines = QStringLiteral("A,B\n");
    for (int r = 0; r < 400; ++r)
        lines += QStringLiteral("\"ä%1\",😀\r\n").arg(r % 5);
    QStringEncoder utf16(QStringEncoder::Utf16BE, QStringEncoder::Flag::WriteBom);
    QTest::newRow("UTF-16 with byte-order mark, commas") << QByteArray(utf16.encode(lines));
    QTest::newRow("UTF-8 with byte-order mark, comments")
        << QByteArray("\xef\xbb\xbf#c\nA;B\n1;2\n#x\n\"3\n4\";5\n");
    QTest::newRow("no line break at the end") << QByteArray("A;B\n1;2\n3;\"4");
}

// The file decoded piece by piece reads as its whole text does: every boundary of the
// pieces falls somewhere else in the records.
void TstTabellenFuellung::streamedImportMatchesTextImport()
{
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    const QString path = dir.path() + "/umfrage.csv";
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    const QStringList want = imported(CsvReader::decode(bytes));
    for (qsizetype piece : {qsizetype(3), qsizetype(64), qsizetype(1000), qsizetype(4) << 20}) {
        CsvImport::Datei::setStueckBytes(piece);
        CsvImport::Datei d;
        QVERIFY(d.lesen(path));
        QCOMPARE(d.istUmfrage(), CsvImport::isSurvey(CsvReader::decode(bytes)));
        SpaltenSpeicher m;
        d.fuellen(&m);
        QCOMPARE(describe(m), want);
    }
    CsvImport::Datei::setStueckBytes(qsizetype(4) << 20);
}

void TstTabellenFuellung::equalAnswersShareOneString()
{
    SpaltenSpeicher m;
    Tabelle1 table;
    table.setModel(&m);
    SpaltenSicht tableSpalten(&m);
    table.setSpalten(&tableSpalten);
    {
        SpaltenSicht::Fuellung bulk(&tableSpalten);
        CsvImport::fill(bigSurvey(), &m);
    }
    auto data = [&](int r, int c) {
        return m.zelle(r, c).data(Qt::DisplayRole).toString().constData();
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
    // Loaded twice: the same table each time.
    for (int pass = 0; pass < 2; ++pass) {
        UmfrageDokument w;
        w.createDemo();
        QVERIFY(w.load(stat));
        QCOMPARE(w.dataModel()->rowCount(), v.dataModel()->rowCount());
        tables[pass] = describe(*w.dataModel());
        const QString again = dir.path() + "/again.stat";
        QVERIFY(w.save(again));
        QCOMPARE(readAll(again), bytes);
        if (pass) {
            // A restored cell: its text, the stored value and the text as tool tip.
            const SpaltenSpeicher::Zelle it = w.dataModel()->zelle(1, 1);
            QCOMPARE(it.text(), QStringLiteral("Größe 1"));
            QCOMPARE(it.data(Roles::RestoredValue), QVariant(QStringLiteral("Größe 1")));
            QCOMPARE(it.data(Qt::ToolTipRole), QVariant(QStringLiteral("Größe 1")));
        }
    }
    QCOMPARE(tables[1], tables[0]);
}

void TstTabellenFuellung::cellsAreWrittenAsTheStreamWritesThem()
{
    UmfrageDokument v;
    v.createDemo();
    SpaltenSpeicher* m = v.dataModel();
    m->clear();
    m->setColumnCount(3);
    const QList<QStringList> rows{{"ja", "", "ä😀"}, {"Zeile\nzwei", "ja"}};
    for (const QStringList& r : rows) {
        QVariantList items;
        for (const QString& t : r)
            items << QVariant(t);
        m->zeileAnfuegen(items);
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
