#include <QLocale>
#include <QtTest>
#include <cmath>
#include <limits>

#include "core/userinput.h"
#include "analyses/zahlspinbox.h"
#include "core/zahltext.h"
#include "core/zellenzahl.h"
#include "tests/helpers/scriptedanswerer.h"

// How texts become numbers (C and German form) and how numbers are shown (the default
// locale's decimal separator, nothing else).
class TstZahlen : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }
    void reading_data();
    void reading();
    void cellsReadTheSame();
    void shown_data();
    void shown();
    void typedIntoNumberBox_data();
    void typedIntoNumberBox();
    void scriptedNumberAnswerReadsEitherForm();
};

void TstZahlen::reading_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("isNumber");
    QTest::addColumn<double>("value");

    QTest::newRow("C decimal") << "3.25" << true << 3.25;
    QTest::newRow("C exponent") << "-1e-5" << true << -1e-5;
    QTest::newRow("C with blanks") << " 3 " << true << 3.0;
    QTest::newRow("no comma keeps the C reading") << "1.234" << true << 1.234;
    QTest::newRow("C leading zeros") << "007" << true << 7.0;
    QTest::newRow("German decimal") << "3,25" << true << 3.25;
    QTest::newRow("German negative") << "-0,5" << true << -0.5;
    QTest::newRow("German plus") << "+2,5" << true << 2.5;
    QTest::newRow("German trailing zero") << "12,50" << true << 12.5;
    QTest::newRow("German grouped") << "1.234,56" << true << 1234.56;
    QTest::newRow("German grouped twice") << "-12.345.678,9" << true << -12345678.9;
    QTest::newRow("German ungrouped") << "1234,5" << true << 1234.5;
    QTest::newRow("German leading zeros") << "007,5" << true << 7.5;
    QTest::newRow("German with blanks") << "\t 19,99 \n" << true << 19.99;
    QTest::newRow("German zero") << "0,0" << true << 0.0;
    QTest::newRow("German long") << "123456789012345678901234567890,5" << true
                                 << 123456789012345678901234567890.5;

    QTest::newRow("two commas") << "1,2,3" << false << 0.0;
    QTest::newRow("group of two") << "1.23,4" << false << 0.0;
    QTest::newRow("group of four") << "1.2345,6" << false << 0.0;
    QTest::newRow("first group of four") << "1234.567,8" << false << 0.0;
    QTest::newRow("dot before comma") << "1.234.,5" << false << 0.0;
    QTest::newRow("leading dot") << ".123,4" << false << 0.0;
    QTest::newRow("nothing after comma") << "3," << false << 0.0;
    QTest::newRow("nothing before comma") << ",5" << false << 0.0;
    QTest::newRow("sign only before comma") << "-,5" << false << 0.0;
    QTest::newRow("space inside") << "1 000" << false << 0.0;
    QTest::newRow("space inside German") << "1 000,5" << false << 0.0;
    QTest::newRow("words") << "A,B" << false << 0.0;
    QTest::newRow("German exponent") << "1,5e3" << false << 0.0;
    QTest::newRow("empty") << "" << false << 0.0;
    QTest::newRow("word") << "ja" << false << 0.0;
}

void TstZahlen::reading()
{
    QFETCH(QString, text);
    QFETCH(bool, isNumber);
    QFETCH(double, value);
    double got = -1;
    QCOMPARE(ZellenZahl::read(text, &got), isNumber);
    QCOMPARE(got, value);
    QCOMPARE(ZellenZahl::toDouble(QVariant(text)), value);
}

void TstZahlen::cellsReadTheSame()
{
    // Values that are numbers already, and what the C reading makes of a text beyond
    // the doubles, stay as they were.
    QCOMPARE(ZellenZahl::toDouble(QVariant(2.75)), 2.75);
    QCOMPARE(ZellenZahl::toDouble(QVariant(-9)), -9.0);
    QCOMPARE(ZellenZahl::toDouble(QVariant()), 0.0);
    QCOMPARE(ZellenZahl::toDouble(QVariant(QString("1e400"))),
             std::numeric_limits<double>::infinity());
    const QString digits = "1" + QString(400, '0');
    double german = -1;
    bool ok = false;
    const double c = QString(digits + ".5").toDouble(&ok);
    QCOMPARE(ZellenZahl::read(digits + ",5", &german), ok);
    QCOMPARE(ZellenZahl::toDouble(QVariant(digits + ",5")), c);
}

void TstZahlen::shown_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<char>("format");
    QTest::addColumn<int>("precision");
    QTest::addColumn<QString>("c");
    QTest::addColumn<QString>("german");

    QTest::newRow("percent") << 400.0 / 15 << 'g' << 6 << "26.6667" << "26,6667";
    QTest::newRow("exponent") << 1234567.0 << 'g' << 6 << "1.23457e+06" << "1,23457e+06";
    QTest::newRow("no grouping") << 1234.5 << 'g' << 6 << "1234.5" << "1234,5";
    QTest::newRow("negative") << -0.125 << 'g' << 6 << "-0.125" << "-0,125";
    QTest::newRow("whole") << 27.0 << 'g' << 6 << "27" << "27";
    QTest::newRow("fixed") << 26.666 << 'f' << 1 << "26.7" << "26,7";
    QTest::newRow("nan") << std::nan("") << 'g' << 6 << "nan" << "nan";
    QTest::newRow("inf") << -std::numeric_limits<double>::infinity() << 'g' << 6 << "-inf"
                         << "-inf";
}

void TstZahlen::shown()
{
    QFETCH(double, value);
    QFETCH(char, format);
    QFETCH(int, precision);
    QFETCH(QString, c);
    QFETCH(QString, german);
    QLocale::setDefault(QLocale::c());
    QCOMPARE(ZahlText::shown(value, format, precision), c);
    if (format == 'g' && precision == 6)
        QCOMPARE(ZahlText::shown(value), QString("%1").arg(value));   // as arg() wrote it
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QCOMPARE(ZahlText::shown(value, format, precision), german);
    QCOMPARE(ZahlText::shownText(c), german);
}

void TstZahlen::typedIntoNumberBox_data()
{
    QTest::addColumn<bool>("germanDesktop");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("value");

    for (const bool german : {false, true}) {
        const QString desktop = german ? "German desktop: " : "C desktop: ";
        QTest::newRow(qPrintable(desktop + "C form")) << german << "2.5" << 2.5;
        QTest::newRow(qPrintable(desktop + "German form")) << german << "-2,25" << -2.25;
        QTest::newRow(qPrintable(desktop + "rounded to the decimals"))
            << german << "0,12345" << 0.123;
        QTest::newRow(qPrintable(desktop + "beyond the range keeps the value"))
            << german << "1.234,5" << 1.0;
        QTest::newRow(qPrintable(desktop + "word keeps the value")) << german << "abc" << 1.0;
    }
}

void TstZahlen::typedIntoNumberBox()
{
    QFETCH(bool, germanDesktop);
    QFETCH(QString, typed);
    QFETCH(double, value);
    QLocale::setDefault(germanDesktop ? QLocale(QLocale::German, QLocale::Germany)
                                      : QLocale::c());
    ZahlSpinBox box;
    box.setKeyboardTracking(false);   // read once, as a whole
    box.setRange(-100, 100);
    box.setDecimals(3);
    box.setValue(1);
    box.selectAll();
    QTest::keyClicks(&box, typed);
    box.interpretText();
    QCOMPARE(box.value(), value);
    // Shown in the desktop's own format.
    QCOMPARE(box.textFromValue(2.5), QString(germanDesktop ? "2,500" : "2.500"));
}

void TstZahlen::scriptedNumberAnswerReadsEitherForm()
{
    ScriptedAnswerer script;
    script.accept(UserInput::Double, QString("2,5")).accept(UserInput::Double, 4.25);
    bool ok = false;
    QCOMPARE(UserInput::getDouble(nullptr, "T", "L", 0, -10, 10, 3, &ok), 2.5);
    QVERIFY(ok);
    QCOMPARE(UserInput::getDouble(nullptr, "T", "L", 0, -10, 10, 3, &ok), 4.25);
}

QTEST_MAIN(TstZahlen)
#include "tst_zahlen.moc"
