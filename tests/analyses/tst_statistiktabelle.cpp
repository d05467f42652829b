#include <QContextMenuEvent>
#include <QDataStream>
#include <QMouseEvent>
#include "core/spaltenspeicher.h"
#include <QRandomGenerator>
#include <QTableWidget>
#include <QtTest>
#include <cmath>
#include <memory>

#include "analyses/spaltenstatistik.h"
#include "analyses/statistiktabelle.h"
#include "core/gewichtung.h"
#include "core/zellenzahl.h"
#include "tests/helpers/scriptedanswerer.h"
#include "tests/helpers/testutil.h"

// The statistics table: its figures, its texts byte for byte, its filters, record,
// menu and drag.
class TstStatistikTabelle : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void figures_data();
    void figures();
    void oneValueHasNoDeviation();
    void weightedFigures_data();
    void weightedFigures();
    void weightedView();
    void nanSortsLast();
    void numbersAsTheToolkitReadsThem_data();
    void numbersAsTheToolkitReadsThem();
    void tableAndTexts();
    void germanDesktop();
    void dependencyCountsOthersAsEmpty();
    void recomputesOnceAfterCellChanges();
    void records_data();
    void records();
    void menuAndDrag();
};

void TstStatistikTabelle::figures_data()
{
    QTest::addColumn<QStringList>("cells");
    QTest::addColumn<QStringList>("expected");   // Min .. n
    QTest::newRow("worked example") << QStringList{"4", "1", "3", "2"}
                                    << QStringList{"1", "4", "3", "10", "2.5", "0", "100", "1.29099", "4"};
    QTest::newRow("two of ten empty")
        << QStringList{"1", "", "2", "3", "", "4", "5", "6", "7", "8"}
        << QStringList{"1", "8", "5", "36", "4.5", "20", "80", "2.44949", "8"};
    QTest::newRow("texts count as 0") << QStringList{"ja", "nein", "vielleicht"}
                                      << QStringList{"0", "0", "0", "0", "0", "0", "100", "0", "3"};
    QTest::newRow("odd count median") << QStringList{"9", "1", "5"}
                                      << QStringList{"1", "9", "5", "15", "5", "0", "100", "4", "3"};
    QTest::newRow("large numbers") << QStringList{"1234567", "0.5"}
                                   << QStringList{"0.5", "1.23457e+06", "1.23457e+06",
                                                  "1.23457e+06", "617284", "0", "100", "872970", "2"};
    QTest::newRow("German decimal commas")
        << QStringList{"3,25", "12,50", "19,99", "8", "100"}
        << QStringList{"3.25", "100", "12.5", "143.74", "28.748", "0", "100", "40.3056",
                      "5"};
    QTest::newRow("no counted cell") << QStringList{"", ""}
                                     << QStringList{"", "", "", "0", "nan", "100", "0", "", "0"};
    QTest::newRow("no rows") << QStringList{}
                             << QStringList{"", "", "", "0", "nan", "nan", "nan", "", "0"};
}

// Through the view, so that admission and number conversion take part.
void TstStatistikTabelle::figures()
{
    QFETCH(QStringList, cells);
    QFETCH(QStringList, expected);
    QList<QStringList> rows;
    for (const QString& c : cells)
        rows << QStringList{c, "x"};
    std::unique_ptr<SpaltenSpeicher> m(TestUtil::makeModel({"Q", "R"}, rows));
    StatistikTabelle v;
    v.setModel(m.get());
    v.setSpalten({0, 1});
    QStringList got;
    for (int r = 0; r < 9; ++r)
        got << v.table()->item(r, 0)->text();
    QCOMPARE(got, expected);
}

void TstStatistikTabelle::oneValueHasNoDeviation()
{
    const SpaltenStatistik::Kennzahlen k = SpaltenStatistik::rechnen({7}, 1);
    QCOMPARE(SpaltenStatistik::texts(k).mid(7), (QStringList{"", "1"}));
    QVERIFY(std::isnan(k.zeilen().at(7)));
    // A count is written in full, never as "1e+06".
    const SpaltenStatistik::Kennzahlen many = SpaltenStatistik::rechnen(QVector<double>(1000000, 1.0),
                                                                        1000000);
    QCOMPARE(SpaltenStatistik::texts(many).last(), QString("1000000"));
}

void TstStatistikTabelle::weightedFigures_data()
{
    QTest::addColumn<QVector<double>>("values");
    QTest::addColumn<QVector<double>>("weights");
    QTest::addColumn<QStringList>("expected");   // Median, Summe, Durchschnitt, Std.
    QTest::addColumn<double>("effective");
    // Equal weights give the unweighted figures (the sum scaled by the weight).
    QTest::newRow("equal weights") << QVector<double>{4, 1, 3, 2} << QVector<double>{2, 2, 2, 2}
                                   << QStringList{"3", "20", "2.5", "1.29099"} << 4.0;
    // Mean 9 / 4; variance 2.75 / 4 corrected by n_eff = 16 / 6.
    QTest::newRow("one counts twice") << QVector<double>{1, 2, 3} << QVector<double>{1, 1, 2}
                                      << QStringList{"3", "9", "2.25", "1.04881"} << 16.0 / 6;
    // The median is the value where the cumulated weight passes half.
    QTest::newRow("heavy low value") << QVector<double>{5, 1, 9} << QVector<double>{1, 10, 1}
                                     << QStringList{"1", "24", "2", "4.40779"}
                                     << 144.0 / 102;
    QTest::newRow("all weights 0") << QVector<double>{1, 2} << QVector<double>{0, 0}
                                   << QStringList{"nan", "0", "nan", "nan"} << 0.0;
}

void TstStatistikTabelle::weightedFigures()
{
    QFETCH(QVector<double>, values);
    QFETCH(QVector<double>, weights);
    QFETCH(QStringList, expected);
    QFETCH(double, effective);
    const SpaltenStatistik::Kennzahlen k
        = SpaltenStatistik::rechnen(values, int(values.size()), weights);
    const QStringList t = SpaltenStatistik::texts(k);
    QCOMPARE((QStringList{t.at(2), t.at(3), t.at(4), t.at(7)}), expected);
    QCOMPARE(k.nEffektiv, effective);
    // n stays the number of counted cells.
    QCOMPARE(t.at(8), QString::number(values.size()));
}

// In a weighted survey the view weighs, adds the effective base and says so; a
// respondent without a valid weight is left out and named.
void TstStatistikTabelle::weightedView()
{
    std::unique_ptr<SpaltenSpeicher> m(TestUtil::makeModel(
        {"W", "Gewicht"}, {{"1", "1"}, {"2", "1"}, {"3", "2"}, {"100", "x"}}));
    StatistikTabelle v;
    v.setModel(m.get());
    v.setSpalten({0});
    QCOMPARE(v.table()->item(4, 0)->text(), QString("26.5"));
    Gewichtung::of(m.get())->setSpalte(1);
    QTRY_COMPARE(v.table()->item(4, 0)->text(), QString("2.25"));
    QCOMPARE(v.table()->rowCount(), 10);
    QCOMPARE(v.table()->verticalHeaderItem(9)->text(), QString("n effektiv"));
    QCOMPARE(v.table()->item(9, 0)->text(), QString("2.7"));
    QCOMPARE(v.table()->item(8, 0)->text(), QString("3"));
    QCOMPARE(v.table()->item(7, 0)->text(), QString("1.04881"));
    QCOMPARE(v.hinweis(), QString("gewichtet mit Gewicht; 1 Befragte ohne gültiges Gewicht"));
    QVERIFY(v.toText().endsWith("n effektiv\t2.7\n"
                                "gewichtet mit Gewicht; 1 Befragte ohne gültiges Gewicht\n"));
    Gewichtung::of(m.get())->setSpalte(-1);
    QTRY_COMPARE(v.table()->rowCount(), 9);
    QVERIFY(v.hinweis().isEmpty());
}

void TstStatistikTabelle::nanSortsLast()
{
    QVector<double> v = {3, std::nan(""), 1, INFINITY, -2, std::nan(""), 0};
    SpaltenStatistik::sortValues(v);
    QCOMPARE(v.mid(0, 5), (QVector<double>{-2, 0, 1, 3, INFINITY}));
    QVERIFY(std::isnan(v.at(5)) && std::isnan(v.at(6)));
    // "nan" and "inf" cells are numbers: the maximum of a column with a NaN is NaN.
    const QStringList t = SpaltenStatistik::texts({2, std::nan(""), 1}, 3);
    QCOMPARE(t.mid(0, 3), (QStringList{"1", "nan", "2"}));

    // Long columns take another way to the same order.
    QRandomGenerator rng(3);
    QVector<double> many;
    for (int i = 0; i < 5000; ++i)
        many << (rng.generateDouble() - 0.5) * std::pow(10.0, rng.bounded(-300, 300));
    many << 0.0 << INFINITY << -INFINITY << std::nan("") << 1e-320 << -1e-320 << 42 << 42;
    QVector<double> expected = many;
    expected.erase(std::remove_if(expected.begin(), expected.end(),
                                  [](double v) { return std::isnan(v); }),
                   expected.end());
    std::sort(expected.begin(), expected.end());
    SpaltenStatistik::sortValues(many);
    QCOMPARE(many.mid(0, expected.size()), expected);
    QVERIFY(std::isnan(many.last()));
}

// Texts without a comma read exactly as the toolkit reads them.
void TstStatistikTabelle::numbersAsTheToolkitReadsThem_data()
{
    QTest::addColumn<QVariant>("cell");
    const QStringList texts = {
        "0", "-0", "7", "42", "-13", "2.5", "0.1", "-0.125", "123456789012345678",
        "0.30000000000000004", "1e5", "1E-3", " 3 ", "+4", "007", "0.", ".5", "5.",
        "-", ".", "1.2.3", "nan", "inf", "-inf", "ja", "", "12345678901234567890123456",
        "9007199254740993", "1.7976931348623157e308", "٣"};
    for (const QString& t : texts)
        QTest::newRow(qPrintable("text " + t)) << QVariant(t);
    QTest::newRow("null string") << QVariant(QString());
    QTest::newRow("invalid") << QVariant();
    QTest::newRow("double") << QVariant(2.75);
    QTest::newRow("int") << QVariant(-9);
}

void TstStatistikTabelle::numbersAsTheToolkitReadsThem()
{
    QFETCH(QVariant, cell);
    const double expected = cell.toDouble();
    const double got = ZellenZahl::toDouble(cell);
    if (std::isnan(expected))
        QVERIFY(std::isnan(got));
    else
        QCOMPARE(QByteArray::number(got, 'g', 17), QByteArray::number(expected, 'g', 17));
    QCOMPARE(std::signbit(got), std::signbit(expected));
}

void TstStatistikTabelle::tableAndTexts()
{
    std::unique_ptr<SpaltenSpeicher> m(
        TestUtil::makeModel({"Alter", "Größe", "frei"}, {{"4", "1.5", "a"}, {"2", "", "b"}}));
    StatistikTabelle v;
    v.setModel(m.get());
    v.setSpalten({1, 0});
    QTableWidget* t = v.table();
    QCOMPARE(t->rowCount(), 9);
    QCOMPARE(t->columnCount(), 2);
    QCOMPARE(t->horizontalHeaderItem(0)->text(), QString("Größe"));
    QCOMPARE(t->verticalHeaderItem(5)->text(), QString("Leer %"));
    QCOMPARE(v.toText(),
             QString("\tGröße\tAlter\n"
                     "Min\t1.5\t2\n"
                     "Max\t1.5\t4\n"
                     "Median\t1.5\t4\n"
                     "Summe\t1.5\t6\n"
                     "Durchschnitt\t1.5\t3\n"
                     "Leer %\t50\t0\n"
                     "Werte %\t50\t100\n"
                     "Standardabweichung\t\t1.41421\n"
                     "n\t1\t2\n"));
    QCOMPARE(v.toHTML(),
             QString("<TABLE width=90%><TR><TD></TD><TD>Größe</TD><TD>Alter</TD></TR>"
                     "<TR><TD>Min</TD><TD>1.5</TD><TD>2</TD></TR>"
                     "<TR><TD>Max</TD><TD>1.5</TD><TD>4</TD></TR>"
                     "<TR><TD>Median</TD><TD>1.5</TD><TD>4</TD></TR>"
                     "<TR><TD>Summe</TD><TD>1.5</TD><TD>6</TD></TR>"
                     "<TR><TD>Durchschnitt</TD><TD>1.5</TD><TD>3</TD></TR>"
                     "<TR><TD>Leer %</TD><TD>50</TD><TD>0</TD></TR>"
                     "<TR><TD>Werte %</TD><TD>50</TD><TD>100</TD></TR>"
                     "<TR><TD>Standardabweichung</TD><TD></TD><TD>1.41421</TD></TR>"
                     "<TR><TD>n</TD><TD>1</TD><TD>2</TD></TR></TABLE>"));
    QCOMPARE(v.metaObject()->className(), "StatistikTabelle");
    QVERIFY(dynamic_cast<TextInhalt*>(&v));
}

void TstStatistikTabelle::germanDesktop()
{
    std::unique_ptr<SpaltenSpeicher> m(TestUtil::makeModel(
        {"Ausgaben"}, {{"3,25"}, {"12,50"}, {"19,99"}, {"8"}, {"100"}, {""}}));
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    StatistikTabelle v;
    v.setModel(m.get());
    v.setSpalten({0});
    QLocale::setDefault(QLocale::c());
    QCOMPARE(v.toText(), QString("\tAusgaben\n"
                                 "Min\t3,25\n"
                                 "Max\t100\n"
                                 "Median\t12,5\n"
                                 "Summe\t143,74\n"
                                 "Durchschnitt\t28,748\n"
                                 "Leer %\t16,6667\n"
                                 "Werte %\t83,3333\n"
                                 "Standardabweichung\t40,3056\n"
                                 "n\t5\n"));
}

void TstStatistikTabelle::dependencyCountsOthersAsEmpty()
{
    std::unique_ptr<SpaltenSpeicher> m(TestUtil::makeModel(
        {"W", "G"}, {{"1", "a"}, {"2", "b"}, {"3", "a"}, {"4", "b"}}));
    StatistikTabelle v;
    v.setModel(m.get());
    v.setSpalten({0, 1});
    ScriptedAnswerer answers;
    answers.accept(UserInput::Columns, QVariantList{1}).accept(UserInput::Item, "a");
    v.linkAction()->trigger();
    QCOMPARE(answers.unexpected, 0);
    QCOMPARE(v.rowFilter().depColumn(), 1);
    QCOMPARE(v.table()->item(3, 0)->text(), QString("4"));    // 1 + 3
    QCOMPARE(v.table()->item(5, 0)->text(), QString("50"));   // rows of group b
    v.unlinkAction()->trigger();
    QCOMPARE(v.table()->item(3, 0)->text(), QString("10"));
    QCOMPARE(v.table()->item(5, 0)->text(), QString("0"));
}

void TstStatistikTabelle::recomputesOnceAfterCellChanges()
{
    std::unique_ptr<SpaltenSpeicher> m(TestUtil::makeModel({"W", "V"}, {{"1", "2"}, {"2", "3"}}));
    StatistikTabelle v;
    v.setModel(m.get());
    v.setSpalten({0, 1});
    QTableWidgetItem* before = v.table()->item(3, 0);
    m->zelle(0, 0).setText("10");
    m->zelle(1, 0).setText("20");
    QCOMPARE(v.table()->item(3, 0), before);   // not yet: coalesced
    QTRY_COMPARE(v.table()->item(3, 0)->text(), QString("30"));
}

void TstStatistikTabelle::records_data()
{
    QTest::addColumn<int>("version");
    for (int v = 1; v <= 5; ++v)
        QTest::newRow(qPrintable(QString("v%1").arg(v))) << v;
}

void TstStatistikTabelle::records()
{
    QFETCH(int, version);
    std::unique_ptr<SpaltenSpeicher> m(
        TestUtil::makeModel({"W", "G"}, {{"1", "a"}, {"2", "b"}, {"7", "a"}}));
    StatistikTabelle source;
    source.setModel(m.get());
    source.setSpalten({0, 1});
    source.setDepFilter("a", 1);
    QByteArray bytes;
    {
        QDataStream s(&bytes, QIODevice::WriteOnly);
        s.setVersion(QDataStream::Qt_4_6);
        source.saveData(s, version);
    }
    QByteArray expected;
    {
        QDataStream e(&expected, QIODevice::WriteOnly);
        e.setVersion(QDataStream::Qt_4_6);
        if (version >= 3)
            e << QVariant(QString("")) << QString("a") << qint32(1);
    }
    QCOMPARE(bytes.toHex(), expected.toHex());

    StatistikTabelle target;
    target.setModel(m.get());
    target.setSpalten({0, 1});
    QDataStream s(bytes);
    s.setVersion(QDataStream::Qt_4_6);
    target.loadData(s, version);
    QVERIFY(s.atEnd());
    QCOMPARE(target.rowFilter().depColumn(), version >= 3 ? 1 : -1);
    QCOMPARE(target.table()->item(3, 0)->text(), QString(version >= 3 ? "8" : "10"));

    // A record cut short applies nothing.
    if (version >= 3) {
        StatistikTabelle cut;
        cut.setModel(m.get());
        cut.setSpalten({0, 1});
        QDataStream c(bytes.left(bytes.size() - 2));
        c.setVersion(QDataStream::Qt_4_6);
        cut.loadData(c, version);
        QCOMPARE(cut.rowFilter().depColumn(), -1);
    }
}

void TstStatistikTabelle::menuAndDrag()
{
    std::unique_ptr<SpaltenSpeicher> m(TestUtil::makeModel({"W", "G"}, {{"1", "a"}}));
    StatistikTabelle v;
    v.setModel(m.get());
    v.setSpalten({0, 1});
    v.resize(400, 300);
    ScriptedAnswerer answers;
    answers.cancel(UserInput::Menu);
    QContextMenuEvent e(QContextMenuEvent::Mouse, QPoint(3, 3), QPoint(40, 50));
    QCoreApplication::sendEvent(&v, &e);
    QCOMPARE(answers.asked.size(), 1);
    QCOMPARE(answers.asked[0].items,
             (QStringList{"mit Spalte verknüpfen", "Verknüpfung aufheben"}));

    // From the margin around the table: a left press, then a move of the start distance.
    const QPoint start(2, 2);
    const QPoint far = start + QPoint(QApplication::startDragDistance(), 0);
    QMouseEvent press(QEvent::MouseButtonPress, start, v.mapToGlobal(start), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&v, &press);
    answers.accept(UserInput::Drag, int(Qt::CopyAction));
    QMouseEvent move(QEvent::MouseMove, far, v.mapToGlobal(far), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(&v, &move);
    QCOMPARE(answers.unexpected, 0);
    QCOMPARE(answers.asked.size(), 2);
    QCOMPARE(answers.asked[1].preset.toString(), v.toHTML());
    QCOMPARE(answers.asked[1].step, int(Qt::CopyAction | Qt::MoveAction));
}

QTEST_MAIN(TstStatistikTabelle)
#include "tst_statistiktabelle.moc"
