#include <QDataStream>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include "core/spaltenspeicher.h"
#include <QtTest>
#include <cmath>
#include <memory>

#include "analyses/chiquadrat.h"
#include "analyses/chiquadrattest.h"
#include "core/recomputescheduler.h"
#include "diagrams/balkendiagram.h"
#include "diagrams/tabellendiagramm.h"
#include "diagrams/viewpicture.h"
#include "io/clipboardcopy.h"
#include "io/viewtext.h"
#include "core/textinhalt.h"
#include "recordingdiagram.h"
#include "tests/helpers/testutil.h"

// The chi-square view: its controls, the classes and expected counts, the undefined
// cases, the record and the integration of the class probabilities.
class TstChiQuadrat : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void controls();
    void classesAndCounts();
    void parametersWaitForTesten();
    void germanCellsAndTypedParameters();
    void undefined_data();
    void undefined();
    void probability_data();
    void probability();
    void recordRestoresBoxes();
    void reloadKeepsParameters_data();
    void pictureShowsTheWholeView();
    void reloadKeepsParameters();
    void tableCopiesResult();
};

namespace {
// One column of numbers.
SpaltenSpeicher* column(const QStringList& cells)
{
    QList<QStringList> rows;
    for (const QString& c : cells)
        rows << QStringList{c};
    return TestUtil::makeModel({"X"}, rows);
}

QStringList range(int from, int to)
{
    QStringList out;
    for (int i = from; i <= to; ++i)
        out << QString::number(i);
    return out;
}
}

void TstChiQuadrat::controls()
{
    ChiQuadrat v;
    auto* grid = qobject_cast<QGridLayout*>(v.layout());
    QVERIFY(grid);
    QCOMPARE(grid->contentsMargins(), QMargins(1, 1, 1, 1));
    QCOMPARE(grid->spacing(), 2);
    const auto text = [grid](int r, int c) {
        return qobject_cast<QLabel*>(grid->itemAtPosition(r, c)->widget())->text();
    };
    QCOMPARE(text(0, 1), QString(QChar(0x03BD)));
    QCOMPARE(text(0, 3), QString(QChar(0x03C3)));
    QCOMPARE(text(1, 1), QString(QChar(0x03B1)));
    QCOMPARE(text(1, 3), QString("m"));
    QCOMPARE(text(1, 5), QString::fromUtf8("χ²="));
    QCOMPARE(grid->itemAtPosition(0, 2)->widget(), v.meanBox());
    QCOMPARE(grid->itemAtPosition(0, 4)->widget(), v.deviationBox());
    QCOMPARE(grid->itemAtPosition(0, 6)->widget(), v.testButton());
    QCOMPARE(grid->itemAtPosition(1, 4)->widget(), v.classesBox());
    QCOMPARE(grid->itemAtPosition(1, 6)->widget(), v.resultLabel());
    QCOMPARE(v.testButton()->text(), QString("Testen"));
    QCOMPARE(v.resultLabel()->text(), QString("0.0"));
    QCOMPARE(v.resultLabel()->font().weight(), QFont::Bold);
    QVERIFY(!v.alphaBox()->isEnabled());
    QCOMPARE(v.alphaBox()->value(), 0.05);
    QCOMPARE(v.classesBox()->minimum(), 6.0);
    QCOMPARE(v.classesBox()->maximum(), 30.0);
    QCOMPARE(v.classesBox()->value(), 10.0);
    QCOMPARE(v.meanBox()->decimals(), 5);

    auto* d = new RecordingDiagram;
    v.setDiagram(d);
    int row, col, rowSpan, colSpan;
    grid->getItemPosition(grid->indexOf(d), &row, &col, &rowSpan, &colSpan);
    QCOMPARE(QList<int>({row, col, rowSpan, colSpan}), QList<int>({2, 0, 8, 8}));
}

void TstChiQuadrat::classesAndCounts()
{
    // 0 .. 20: width 2; 2, 4, ... lie on class boundaries and count in the upper class,
    // 20 (the largest) in the last one.
    std::unique_ptr<SpaltenSpeicher> m(column(range(0, 20)));
    ChiQuadrat v;
    auto* d = new RecordingDiagram;
    v.setDiagram(d);
    v.setModel(m.get());
    QCOMPARE(d->calls, (QStringList{"setLabels", "setColLabels", "setRowWidth", "setData"}));
    QCOMPARE(d->rowLength(), 10);
    QCOMPARE(d->colLabelList(), (QStringList{"Daten", "Normal"}));
    QCOMPARE(d->labelList(),
             (QStringList{"1", "3", "5", "7", "9", "11", "13", "15", "17", "19"}));
    QCOMPARE(d->values().size(), 20);
    QCOMPARE(d->values().mid(0, 10), (QVector<double>{2, 2, 2, 2, 2, 2, 2, 2, 2, 3}));
    // A new view starts from its data: μ the mean, σ the deviation (n - 1), √38.5.
    QCOMPARE(v.meanBox()->value(), 10.0);
    QCOMPARE(v.deviationBox()->value(), 6.20484);
    QCOMPARE(v.mean(), 10.0);
    QVERIFY(std::isfinite(d->values().at(10)));
    QVERIFY(v.resultLabel()->text() != QString("nan"));
    // The boxes now hold the data's range; σ may reach ten times the spread (above 5 n).
    QCOMPARE(v.meanBox()->minimum(), 0.0);
    QCOMPARE(v.meanBox()->maximum(), 20.0);
    QCOMPARE(v.deviationBox()->maximum(), 200.0);

    v.meanBox()->setValue(10);
    v.deviationBox()->setValue(5);
    v.testButton()->click();
    double chi2 = 0;
    for (int i = 0; i < 10; ++i) {
        const double lo = 2.0 * i;
        const double expected = 21 * ChiQuadratTest::probability(lo + 2, lo, 10, 5);
        QVERIFY(TestUtil::fuzzy(d->values().at(10 + i), expected));
        chi2 += std::pow(d->values().at(i) - expected, 2) / expected;
    }
    QCOMPARE(v.resultLabel()->text(), QString::number(chi2, 'g', 6));
    // Symmetric around the mean.
    QVERIFY(TestUtil::fuzzy(d->values().at(10), d->values().at(19), 1e-6));
}

void TstChiQuadrat::parametersWaitForTesten()
{
    std::unique_ptr<SpaltenSpeicher> m(column(range(1, 30)));
    ChiQuadrat v;
    auto* d = new RecordingDiagram;
    v.setDiagram(d);
    v.setModel(m.get());
    v.deviationBox()->setValue(4);
    v.meanBox()->setValue(15);
    v.testButton()->click();
    const QVector<double> first = d->values();
    v.classesBox()->setValue(6);
    v.meanBox()->setValue(12);
    QCOMPARE(d->values(), first);
    QCOMPARE(v.classCount(), 10);
    m->zelle(0, 0).setText("2");   // a data change computes with the new settings
    QTRY_COMPARE(d->values().size(), 12);
    QCOMPARE(v.classCount(), 6);
    QCOMPARE(v.mean(), 12.0);
}

void TstChiQuadrat::germanCellsAndTypedParameters()
{
    // 0,0 .. 20,0 are the numbers 0 .. 20; the boxes take what is typed in either form.
    QStringList cells;
    for (const QString& c : range(0, 20))
        cells << c + ",0";
    std::unique_ptr<SpaltenSpeicher> m(column(cells));
    ChiQuadrat v;
    auto* d = new RecordingDiagram;
    v.setDiagram(d);
    v.setModel(m.get());
    QCOMPARE(d->values().mid(0, 10), (QVector<double>{2, 2, 2, 2, 2, 2, 2, 2, 2, 3}));
    QCOMPARE(v.meanBox()->maximum(), 20.0);
    const auto type = [](QDoubleSpinBox* box, const QString& text) {
        box->selectAll();
        QTest::keyClicks(box, text);
        box->interpretText();
    };
    type(v.meanBox(), "9,5");
    type(v.deviationBox(), "2.5");
    type(v.classesBox(), "12,0");
    v.testButton()->click();
    QCOMPARE(v.mean(), 9.5);
    QCOMPARE(v.deviation(), 2.5);
    QCOMPARE(v.classCount(), 12);
}

void TstChiQuadrat::undefined_data()
{
    QTest::addColumn<QStringList>("cells");
    QTest::newRow("no counted cell") << QStringList{"", ""};
    QTest::newRow("all equal") << QStringList{"3", "3", "3"};
    QTest::newRow("one value and texts that are not numbers")
        << QStringList{"0", "nein", "0"};
}

// Fewer than two distinct values: no classes; the boxes keep their ranges.
void TstChiQuadrat::undefined()
{
    QFETCH(QStringList, cells);
    std::unique_ptr<SpaltenSpeicher> m(column({"1", "5"}));
    ChiQuadrat v;
    auto* d = new RecordingDiagram;
    v.setDiagram(d);
    v.setModel(m.get());
    QCOMPARE(v.meanBox()->maximum(), 5.0);
    std::unique_ptr<SpaltenSpeicher> other(column(cells));
    v.setModel(other.get());
    QCOMPARE(v.resultLabel()->text(), QString::fromUtf8("–"));
    QVERIFY(d->labelList().isEmpty());
    QVERIFY(d->values().isEmpty());
    QCOMPARE(v.meanBox()->minimum(), 1.0);
    QCOMPARE(v.meanBox()->maximum(), 5.0);
    QCOMPARE(v.deviationBox()->maximum(), 40.0);
}

void TstChiQuadrat::probability_data()
{
    QTest::addColumn<double>("lower");
    QTest::addColumn<double>("upper");
    QTest::addColumn<double>("mean");
    QTest::addColumn<double>("sigma");
    QTest::addColumn<double>("expected");
    // Φ(1) − Φ(−1) scaled by the constant's ratio, which the sum carries too.
    const double ratio = std::sqrt(2 * M_PI) / ChiQuadratTest::Root2Pi;
    QTest::newRow("one sigma") << -1.0 << 1.0 << 0.0 << 1.0 << 0.682689492137 * ratio;
    QTest::newRow("shifted") << 8.0 << 12.0 << 10.0 << 2.0 << 0.682689492137 * ratio;
    QTest::newRow("empty class") << 3.0 << 3.0 << 0.0 << 1.0 << 0.0;
    QTest::newRow("reversed") << 4.0 << 3.0 << 0.0 << 1.0 << 0.0;
    // Too many steps to sum, or steps that would not move x: closed form, at once.
    QTest::newRow("wide range") << -1e7 << 1e7 << 0.0 << 1e6 << 0.999999999999 * ratio;
    QTest::newRow("far out") << 1e13 << 1e13 + 1 << 1e13 << 1.0 << 0.341344746 * ratio;
}

void TstChiQuadrat::probability()
{
    QFETCH(double, lower);
    QFETCH(double, upper);
    QFETCH(double, mean);
    QFETCH(double, sigma);
    QFETCH(double, expected);
    const double p = ChiQuadratTest::probability(upper, lower, mean, sigma);
    QVERIFY2(std::abs(p - expected) < 1e-4, qPrintable(QString::number(p, 'g', 12)));
}

void TstChiQuadrat::recordRestoresBoxes()
{
    std::unique_ptr<SpaltenSpeicher> m(
        TestUtil::makeModel({"X", "G"}, {{"1", "a"}, {"4", "b"}, {"9", "a"}, {"6", "a"}}));
    ChiQuadrat source;
    source.setDiagram(new RecordingDiagram);
    source.setModel(m.get());
    source.classesBox()->setValue(7);
    source.meanBox()->setValue(5.5);
    source.deviationBox()->setValue(2.25);
    source.setDepFilter("a", 1);
    QByteArray bytes;
    {
        QDataStream s(&bytes, QIODevice::WriteOnly);
        s.setVersion(QDataStream::Qt_4_6);
        source.saveData(s, 1);   // removal snapshot: no diagram record
    }
    QByteArray expected;
    {
        QDataStream e(&expected, QIODevice::WriteOnly);
        e.setVersion(QDataStream::Qt_4_6);
        e << QVariant(QString("")) << QString("a") << qint32(1) << qint32(7) << 5.5 << 2.25;
    }
    QCOMPARE(bytes.toHex(), expected.toHex());

    ChiQuadrat target;
    auto* d = new RecordingDiagram;
    target.setDiagram(d);
    target.setModel(m.get());
    QDataStream s(bytes);
    s.setVersion(QDataStream::Qt_4_6);
    target.loadData(s, 1);
    QVERIFY(s.atEnd());
    QCOMPARE(target.classesBox()->value(), 7.0);
    QCOMPARE(target.meanBox()->value(), 5.5);
    QCOMPARE(target.deviationBox()->value(), 2.25);
    QCOMPARE(target.rowFilter().depValue(), QString("a"));
    QCOMPARE(d->rowLength(), 7);
    QCOMPARE(d->values(), dynamic_cast<DiagramAdapter&>(source).diagram()->values());
}

void TstChiQuadrat::reloadKeepsParameters_data()
{
    QTest::addColumn<QStringList>("cells");
    QTest::addColumn<int>("classes");
    QTest::addColumn<double>("mean");
    QTest::addColumn<double>("sigma");
    QTest::newRow("heights") << QStringList{"150", "158", "163", "170", "171", "177", "185", "200"}
                             << 8 << 170.0 << 12.5;
    QTest::newRow("below zero") << QStringList{"-500", "-460", "-420", "-410", "-380", "-300"}
                                << 6 << -400.0 << 50.0;
    // σ far above 5 n.
    QTest::newRow("incomes") << QStringList{"20000", "31000", "38000", "45000", "52000", "90000"}
                             << 7 << 45000.0 << 15000.0;
}

// A view is saved after the user's test; loading it (views are computed only once all
// are set up) computes its first χ² with m, μ and σ as saved.
void TstChiQuadrat::reloadKeepsParameters()
{
    QFETCH(QStringList, cells);
    QFETCH(int, classes);
    QFETCH(double, mean);
    QFETCH(double, sigma);
    std::unique_ptr<SpaltenSpeicher> m(column(cells));
    ChiQuadrat source;
    source.setDiagram(new RecordingDiagram);
    source.setModel(m.get());
    double sum = 0;
    for (const QString& c : cells)
        sum += c.toDouble();
    // A new view starts from the data's mean (shown with 5 decimals).
    QVERIFY(TestUtil::fuzzy(source.meanBox()->value(), sum / cells.size(), 1e-5));
    source.classesBox()->setValue(classes);
    source.meanBox()->setValue(mean);
    source.deviationBox()->setValue(sigma);
    source.testButton()->click();
    QCOMPARE(source.deviation(), sigma);
    QByteArray bytes;
    {
        QDataStream s(&bytes, QIODevice::WriteOnly);
        s.setVersion(QDataStream::Qt_4_6);
        source.saveData(s, 5);
    }

    ChiQuadrat target;
    auto* d = new RecordingDiagram;
    RecomputeScheduler::hold(true);
    target.setDiagram(d);
    target.setModel(m.get());
    QDataStream s(bytes);
    s.setVersion(QDataStream::Qt_4_6);
    target.loadData(s, 5);
    RecomputeScheduler::hold(false);
    QCOMPARE(target.classCount(), classes);
    QCOMPARE(target.mean(), mean);
    QCOMPARE(target.deviation(), sigma);
    QCOMPARE(target.meanBox()->value(), mean);
    QCOMPARE(target.deviationBox()->value(), sigma);
    QCOMPARE(target.resultLabel()->text(), source.resultLabel()->text());
    QCOMPARE(d->values(), dynamic_cast<DiagramAdapter&>(source).diagram()->values());
}

// The report and "Kopieren" show the test's parameters and result with the diagram.
void TstChiQuadrat::pictureShowsTheWholeView()
{
    std::unique_ptr<SpaltenSpeicher> m(column(range(0, 20)));
    ChiQuadrat v;
    v.setDiagram(new BalkenDiagram);
    v.setModel(m.get());
    const QSize size(500, 400);
    v.resize(size);
    v.layout()->activate();
    const QImage picture = ViewPicture::of(&v, size);
    QCOMPARE(picture.size(), size);
    std::unique_ptr<QMimeData> copied(ClipboardCopy::contentOf(&v));
    QVERIFY(copied && copied->hasImage());
    const QRect result = v.resultLabel()->geometry();
    QVERIFY(result.bottom() < v.diagram()->geometry().top());
    bool ink = false;
    for (int y = result.top(); y <= result.bottom(); ++y)
        for (int x = result.left(); x <= result.right(); ++x)
            ink = ink || qGray(picture.pixel(x, y)) < 128;
    QVERIFY2(ink, "no result text in the picture");
    QCOMPARE(picture.convertToFormat(QImage::Format_RGB32),
             v.grab().toImage().convertToFormat(QImage::Format_RGB32));
    const QImage clip = qvariant_cast<QImage>(copied->imageData());
    QCOMPARE(clip.convertToFormat(QImage::Format_RGB32),
             picture.convertToFormat(QImage::Format_RGB32));
}

// On "Tabelle" the clipboard and the report get the table and the result line after
// it; as a chart the view stays a picture.
void TstChiQuadrat::tableCopiesResult()
{
    std::unique_ptr<SpaltenSpeicher> m(column(range(0, 20)));
    ChiQuadrat v;
    auto* table = new TabellenDiagramm;
    v.setDiagram(table);
    v.setModel(m.get());
    const QString result = v.resultLabel()->text();
    QVERIFY(result.toDouble() > 0);
    const QString line = QStringLiteral("\u03C7\u00B2=") + result;

    std::unique_ptr<QMimeData> copied(ClipboardCopy::contentOf(&v));
    QVERIFY(copied && copied->hasText());
    QCOMPARE(copied->text(), table->toText() + line + "\n");
    TextInhalt* text = ViewText::of(&v);
    QVERIFY(text);
    QCOMPARE(text->toHTML(), table->toHTML() + "<P>" + line + "</P>");

    // A new result is what is copied next.
    v.deviationBox()->setValue(2);
    v.testButton()->click();
    QVERIFY(v.resultLabel()->text() != result);
    copied.reset(ClipboardCopy::contentOf(&v));
    QVERIFY(copied->text().endsWith(QStringLiteral("\u03C7\u00B2=") + v.resultLabel()->text() + "\n"));

    v.setDiagram(new BalkenDiagram);
    QVERIFY(!ViewText::of(&v));
    copied.reset(ClipboardCopy::contentOf(&v));
    QVERIFY(copied->hasImage() && !copied->hasText());
}

QTEST_MAIN(TstChiQuadrat)
#include "tst_chiquadrat.moc"
