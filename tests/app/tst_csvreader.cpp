#include <QTest>

#include "io/csvimport.h"
#include "core/spaltensicht.h"
#include "core/csvreader.h"
#include "diagrams/tabelle1.h"
#include "surveywriter.h"
#include "testutil.h"

#include "core/spaltenspeicher.h"
#include <QTemporaryDir>

// The ";" dialect shared by every CSV reader: separators, quote rules, lines, encodings.
class TstCsvReader : public QObject
{
    Q_OBJECT
private slots:
    void splitLine_data();
    void splitLine();
    void splitLineIsLinearOnUnclosedQuotes();
    void splitLineWithSeparator_data();
    void splitLineWithSeparator();
    void records_data();
    void records();
    void recordsStayLinearOnManyUnclosedQuotes();
    void detectSeparator_data();
    void detectSeparator();
    void isSurvey_data();
    void isSurvey();
    void hasCsvEnding_data();
    void hasCsvEnding();
    void lines_data();
    void lines();
    void decode_data();
    void decode();
    void generatedSurveyReadsBackAsWritten();
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
    QTest::newRow("doubled quotes inside a quoted answer")
        << "\"Er sagte \"\"super\"\"; ich nicht\";x"
        << QStringList{"Er sagte \"super\"; ich nicht", "x"};
    QTest::newRow("doubled quote before the closing one")
        << "\"a\"\"\";b" << QStringList{"a\"", "b"};
    QTest::newRow("field of one doubled quote") << "\"\"\"\";x" << QStringList{"\"", "x"};
    QTest::newRow("quoted separator alone") << "\";\";x" << QStringList{";", "x"};
    QTest::newRow("doubled quotes that never close fall back to the line rules")
        << "\"a\"\";b" << QStringList{"a\"", "b"};
    QTest::newRow("quote alone at the end of the line") << "x;\"" << QStringList{"x", ""};
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

void TstCsvReader::splitLineWithSeparator_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QStringList>("fields");
    const QChar comma(','), tab('\t');
    QTest::newRow("comma: quoted comma stays") << "\"Berlin, Mitte\",3" << comma
                                               << QStringList{"Berlin, Mitte", "3"};
    QTest::newRow("comma: semicolon is plain text") << "a;b,c" << comma << QStringList{"a;b", "c"};
    QTest::newRow("comma: empty fields") << ",,x," << comma << QStringList{"", "", "x", ""};
    QTest::newRow("tab: quoted tab stays") << "\"a\tb\"\tc" << tab << QStringList{"a\tb", "c"};
}

void TstCsvReader::splitLineWithSeparator()
{
    QFETCH(QString, line);
    QFETCH(QChar, separator);
    QFETCH(QStringList, fields);
    QCOMPARE(CsvReader::splitLine(line, separator), fields);
}

void TstCsvReader::records_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<QStringList>>("records");
    using R = QList<QStringList>;
    QTest::newRow("line break inside a quoted field")
        << "a;\"x\ny\";b\nc;d\n" << R{{"a", "x\ny", "b"}, {"c", "d"}};
    QTest::newRow("CRLF line ends, CRLF inside a field read as a line break")
        << "a;\"x\r\ny\"\r\nc\r\n" << R{{"a", "x\ny"}, {"c"}};
    QTest::newRow("a # line inside a quoted field belongs to it")
        << "\"a\n#b\";c\n#skip\nd" << R{{"a\n#b", "c"}, {"d"}};
    QTest::newRow("unclosed quote keeps the rest of its line, the next line is a record")
        << "\"a;b\nc;d\n" << R{{"\"a;b"}, {"c", "d"}};
    QTest::newRow("unclosed quote after a field spanning lines")
        << "\"a\nb\";\"c\nd;e\n" << R{{"a\nb", "\"c"}, {"d", "e"}};
    QTest::newRow("doubled quotes and a line break in one answer")
        << "x;\"er sagte \"\"ja\"\";\nund ging\"\ny;z"
        << R{{"x", "er sagte \"ja\";\nund ging"}, {"y", "z"}};
    QTest::newRow("empty line is a record of one empty field") << "a\n\nb" << R{{"a"}, {""}, {"b"}};
    QTest::newRow("no final line end") << "a;b" << R{{"a", "b"}};
    QTest::newRow("empty, doubled and inner quotes, a lone carriage return")
        << "\"\";\"a\"\"b\";\"x\"y\";\"c\"\n\"p\r\";q"
        << R{{"", "a\"b", "x\"y", "c"}, {"p\r", "q"}};
    QTest::newRow("quoted field closed by the end of the text") << "\"a\nb\"" << R{{"a\nb"}};
    QTest::newRow("carriage return at the very end") << "a;b\r" << R{{"a", "b"}};
    QTest::newRow("comment lines only") << "#x;y\n#z\n" << R{};
    QTest::newRow("empty text") << "" << R{};
}

void TstCsvReader::records()
{
    QFETCH(QString, text);
    QFETCH(QList<QStringList>, records);
    CsvReader r(text, QLatin1Char(';'));
    QList<QStringList> got;
    QStringList fields;
    while (r.next(&fields))
        got << fields;
    QCOMPARE(got, records);

    // The same records as views, down to which fields are null.
    CsvReader views(text, QLatin1Char(';'));
    QList<QStringView> viewed;
    int i = 0;
    while (views.nextViews(&viewed)) {
        QVERIFY(i < got.size());
        QCOMPARE(viewed.size(), got.at(i).size());
        for (int f = 0; f < viewed.size(); ++f) {
            QCOMPARE(viewed.at(f).toString(), got.at(i).at(f));
            QCOMPARE(viewed.at(f).isNull(), got.at(i).at(f).isNull());
        }
        ++i;
    }
    QCOMPARE(i, got.size());
}

void TstCsvReader::recordsStayLinearOnManyUnclosedQuotes()
{
    // Every line opens a quote that never closes: each stays a record of its own, and
    // the reader does not search the rest of the text again for every one of them.
    QString text;
    const int n = 50000;
    for (int i = 0; i < n; ++i)
        text += QStringLiteral("\"ab;cd\n");
    CsvReader r(text, QLatin1Char(';'));
    QStringList fields;
    int count = 0;
    while (r.next(&fields)) {
        QCOMPARE(fields, QStringList{"\"ab;cd"});
        ++count;
    }
    QCOMPARE(count, n);
}

void TstCsvReader::detectSeparator_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QChar>("separator");
    QTest::newRow("semicolon") << "a;b\n1;2" << QChar(';');
    QTest::newRow("comma") << "a,b\n1,2" << QChar(',');
    QTest::newRow("tab") << "a\tb\n1\t2" << QChar('\t');
    QTest::newRow("semicolon wins over comma") << "a;b,c" << QChar(';');
    QTest::newRow("semicolon only inside quotes") << "\"x;y\",z" << QChar(',');
    QTest::newRow("comma only inside quotes") << "\"x,y\";z" << QChar(';');
    QTest::newRow("tab before comma") << "Alter, Jahre\tOrt" << QChar('\t');
    QTest::newRow("comment lines are not the header") << "#a;b\nx,y" << QChar(',');
    QTest::newRow("semicolon and doubled quotes inside comma fields")
        << "Name,\"Titel; mit Semikolon\",\"Zitat \"\"x\"\"\",Zahl\n1,2,3,4" << QChar(',');
    QTest::newRow("doubled quotes and comma inside semicolon fields")
        << "\"Zitat \"\"a,b\"\"\";x" << QChar(';');
    QTest::newRow("quoted field over two lines") << "\"a;\nb\",c\n1,2" << QChar(',');
    QTest::newRow("tab inside quotes") << "\"a\tb\",c" << QChar(',');
    QTest::newRow("quote inside a plain field") << "ab\"c;d" << QChar(';');
    QTest::newRow("quote that never closes") << "\"a;b,c" << QChar(';');
    QTest::newRow("one column") << "Titel\n1" << QChar(';');
    QTest::newRow("empty text") << "" << QChar(';');
}

void TstCsvReader::detectSeparator()
{
    QFETCH(QString, text);
    QFETCH(QChar, separator);
    QCOMPARE(CsvReader::detectSeparator(text), separator);
}

void TstCsvReader::isSurvey_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("survey");
    QTest::newRow("header and rows") << "A;B\n1;2\n" << true;
    QTest::newRow("header only") << "Frage\n" << true;
    QTest::newRow("after a comment") << "#Erstellt\nA;B\n" << true;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("blank lines") << "\n\n  \n" << false;
    QTest::newRow("comments only") << "#eins\n#zwei\n" << false;
    QTest::newRow("empty titles only") << ";;\n1;2;3\n" << false;
    QTest::newRow("NUL in the text") << QString("A;B\n1;") + QChar(0) + "\n" << false;
    QTest::newRow("NUL beyond 64 KiB")
        << "A;B\n" + QString(70 * 1024, QLatin1Char('x')) + QChar(0) << true;
}

void TstCsvReader::isSurvey()
{
    QFETCH(QString, text);
    QFETCH(bool, survey);
    QCOMPARE(CsvImport::isSurvey(text), survey);
}

void TstCsvReader::hasCsvEnding_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("csv");
    QTest::newRow("lower case") << "/home/u/umfrage.csv" << true;
    QTest::newRow("upper case") << "/home/u/UMFRAGE.CSV" << true;
    QTest::newRow("mixed case") << "a.Csv" << true;
    QTest::newRow("csv inside the name") << "a.csv.txt" << false;
    QTest::newRow("no dot") << "acsv" << false;
    QTest::newRow("other ending") << "a.tsv" << false;
}

void TstCsvReader::hasCsvEnding()
{
    QFETCH(QString, name);
    QFETCH(bool, csv);
    QCOMPARE(CsvReader::hasCsvEnding(name), csv);
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


// The benchmarks and tests write their surveys with SurveyWriter: what it writes, the
// import reads back cell for cell, quotes, separators and line breaks included.
void TstCsvReader::generatedSurveyReadsBackAsWritten()
{
    const QStringList answers{QStringLiteral("ja; sicher"), QStringLiteral("nein"),
                              QStringLiteral("sagt \"vielleicht\""), QStringLiteral("zwei\nZeilen"),
                              QString::fromUtf8("Grüße")};
    const SurveyWriter writer(7, 3, SurveyWriter::cycling(answers));
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/survey.csv");
    QVERIFY(writer.writeCsv(path));

    QString text;
    QVERIFY(CsvImport::readText(path, &text));
    SpaltenSpeicher read;
    CsvImport::fill(text, &read);
    std::unique_ptr<SpaltenSpeicher> expected(writer.model());
    QCOMPARE(TestUtil::cellTexts(&read), TestUtil::cellTexts(expected.get()));
    QCOMPARE(read.headerData(2, Qt::Horizontal).toString(), QStringLiteral("Frage 3"));
}

QTEST_MAIN(TstCsvReader)
#include "tst_csvreader.moc"
