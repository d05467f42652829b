#include <QTest>

#include "app/csvreader.h"

// The ";" dialect shared by every CSV reader: separators, quote rules, lines, encodings.
class TstCsvReader : public QObject
{
    Q_OBJECT
private slots:
    void splitLine_data();
    void splitLine();
    void splitLineIsLinearOnUnclosedQuotes();
    void lines_data();
    void lines();
    void decode_data();
    void decode();
};

void TstCsvReader::splitLine_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("fields");

    QTest::newRow("two separators make three fields") << "a;;b" << QStringList{"a", "", "b"};
    QTest::newRow("trailing separator adds an empty field") << "a;b;" << QStringList{"a", "b", ""};
    QTest::newRow("empty line is one empty field") << "" << QStringList{""};
    QTest::newRow("quoted fields lose their quotes")
        << "\"x\";\"y\";z" << QStringList{"x", "y", "z"};
    QTest::newRow("plain, quoted, final separator")
        << "plain;\"quoted\";" << QStringList{"plain", "quoted", ""};
    QTest::newRow("quoted field keeps its separator")
        << "\"a;b\";c" << QStringList{"a;b", "c"};
    QTest::newRow("join over several separators")
        << "\"a;b;;c\";d" << QStringList{"a;b;;c", "d"};
    QTest::newRow("quote never closes: rest of line, quote included")
        << "\"a;b;c" << QStringList{"\"a;b;c"};
    QTest::newRow("unclosed quote after plain fields")
        << "x;\"a;b" << QStringList{"x", "\"a;b"};
    QTest::newRow("lone quote becomes empty") << "\";x" << QStringList{"", "x"};
    QTest::newRow("empty quoted field") << "\"\";x" << QStringList{"", "x"};
    QTest::newRow("inner quotes stay") << "\"a\"b\";c" << QStringList{"a\"b", "c"};
    QTest::newRow("quote in the middle is plain text") << "a\"b;c" << QStringList{"a\"b", "c"};
    QTest::newRow("leading space is never unquoted")
        << " \"a\";b" << QStringList{" \"a\"", "b"};
    QTest::newRow("trailing space keeps the quote open")
        << "\"a\" ;b\"" << QStringList{"a\" ;b"};
    QTest::newRow("empty piece does not close a quote")
        << "\"a;;\"" << QStringList{"a;;"};
}

void TstCsvReader::splitLine()
{
    QFETCH(QString, line);
    QFETCH(QStringList, fields);
    QCOMPARE(CsvReader::splitLine(line), fields);
}

void TstCsvReader::splitLineIsLinearOnUnclosedQuotes()
{
    // Many fields after an opening quote that never closes: one field, nothing lost.
    QString line = QStringLiteral("\"");
    for (int i = 0; i < 200000; ++i)
        line += QStringLiteral("ab;");
    const QStringList f = CsvReader::splitLine(line);
    QCOMPARE(f.size(), 1);
    QCOMPARE(f.first(), line);
}

void TstCsvReader::lines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("final newline starts no line") << "a\nb\n" << QStringList{"a", "b"};
    QTest::newRow("no final newline") << "a\nb" << QStringList{"a", "b"};
    QTest::newRow("CRLF") << "a\r\nb\r\n" << QStringList{"a", "b"};
    QTest::newRow("empty line in the middle") << "a\n\nb" << QStringList{"a", "", "b"};
    QTest::newRow("empty text") << "" << QStringList{};
}

void TstCsvReader::lines()
{
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    QCOMPARE(CsvReader::lines(text), lines);
}

void TstCsvReader::decode_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    const QString umlauts = QStringLiteral("Größe;Ä");
    QTest::newRow("utf-8") << umlauts.toUtf8() << umlauts;
    QTest::newRow("utf-8 with byte-order mark")
        << QByteArray("\xEF\xBB\xBF") + umlauts.toUtf8() << umlauts;
    QTest::newRow("invalid utf-8 is latin-1") << umlauts.toLatin1() << umlauts;
    QByteArray utf16("\xFF\xFE");
    for (QChar c : umlauts) {
        utf16.append(char(c.unicode() & 0xff));
        utf16.append(char(c.unicode() >> 8));
    }
    QTest::newRow("utf-16 little endian with mark") << utf16 << umlauts;
    QTest::newRow("binary bytes decode without failing")
        << QByteArray("\x00\x01\xff\xfe\x80", 5).mid(0, 5) << QString();
}

void TstCsvReader::decode()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    const QString got = CsvReader::decode(bytes);
    if (QByteArray(QTest::currentDataTag()).startsWith("binary"))
        QVERIFY(!got.isEmpty());
    else
        QCOMPARE(got, text);
}

QTEST_MAIN(TstCsvReader)
#include "tst_csvreader.moc"
