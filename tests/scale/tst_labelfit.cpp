// Category labels without room: the charts find them without shaping each, and must
// show exactly what eliding every label would show.
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QtTest>

#include "diagrams/balkendiagram.h"
#include "diagrams/diagramgeometry.h"
#include "testutil.h"

namespace {
// What eliding a text to maxWidth pixels gives, straight from the font metrics.
QString reference(const QString& text, const QFontMetrics& fm, int maxWidth)
{
    if (fm.horizontalAdvance(text) <= maxWidth)
        return text;
    return fm.elidedText(text, Qt::ElideRight, std::max(maxWidth, 0));
}

// Free-text answers as a survey has them: long, short, with umlauts, one of a kind.
QStringList answers(int n)
{
    QStringList out;
    for (int i = 0; i < n; ++i)
        out << QStringLiteral("Antwort %1: %2").arg(i).arg(i % 3 ? QStringLiteral("zu teuer, Lieferung verspätet")
                                                                  : QStringLiteral("ok"));
    out << QStringLiteral("x") << QStringLiteral("ii") << QString();
    return out;
}

QImage picture(const BalkenDiagram& d, const QSize& size)
{
    QImage img(size, QImage::Format_ARGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    d.paint(p, size);
    return img;
}
}

class TestLabelFit : public QObject
{
    Q_OBJECT
private slots:
    void fittedWithoutRoom_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << QString();
        QTest::newRow("one letter") << QStringLiteral("x");
        QTest::newRow("narrow pair") << QStringLiteral("ii");
        QTest::newRow("word") << QStringLiteral("Lieferung");
        QTest::newRow("umlauts") << QStringLiteral("Übergröße");
        QTest::newRow("spaces") << QStringLiteral("  ");
        QTest::newRow("leading space") << QStringLiteral(" a");
        QTest::newRow("digits") << QStringLiteral("10");
        QTest::newRow("combining marks") << QStringLiteral("\u0301\u0301");
        QTest::newRow("zero-width spaces") << QStringLiteral("\u200b\u200b");
        QTest::newRow("surrogate pair") << QStringLiteral("\U0001F600");
        QTest::newRow("emoji and text") << QStringLiteral("\U0001F600 gut");
        QTest::newRow("tab") << QStringLiteral("\tx");
    }
    void fittedWithoutRoom()
    {
        QFETCH(QString, text);
        QImage img(10, 10, QImage::Format_ARGB32);
        const QFontMetrics fm(QFont(), &img);
        for (int w : {-100, -4, -1, 0, 1, 3, 8, 40})
            QCOMPARE(DiagramGeometry::fitted(text, fm, w), reference(text, fm, w));
    }

    // A free-text column at the size of a report picture: bars too narrow for any label.
    void manyLabelsSamePicture()
    {
        const QSize size(800, 550);
        const QStringList labels = answers(3000);
        QVector<double> values;
        for (int i = 0; i < labels.size(); ++i)
            values << 1 + i % 4;

        BalkenDiagram chart;
        TestUtil::feed(chart, values, 0, labels, {}, {}, QStringLiteral("Freitext"));
        QImage img(size, QImage::Format_ARGB32);
        const QFontMetrics fm(chart.font(), &img);
        const QFontMetrics titleFm(DiagramGeometry::titleFont(chart.font()), &img);
        const BalkenLayout l = chart.barLayout(size, fm, titleFm);
        QVERIFY(l.barWidth <= 2);

        // The same chart with every label elided beforehand as the room demands.
        const int room = DiagramGeometry::px(1.5 * l.barWidth) - 4;
        QStringList elided;
        for (const QString& t : labels)
            elided << reference(t, fm, room);
        QCOMPARE(elided.count(QString()), labels.size() - 1);   // "x" alone is kept
        BalkenDiagram expected;
        TestUtil::feed(expected, values, 0, elided, {}, {}, QStringLiteral("Freitext"));

        const BalkenLayout e = expected.barLayout(size, fm, titleFm);
        QCOMPARE(l.items.size(), e.items.size());
        for (int i = 0; i < l.items.size(); ++i) {
            QCOMPARE(l.items.at(i).label.text, elided.at(i));
            QCOMPARE(l.items.at(i).label.pos, e.items.at(i).label.pos);
        }
        QCOMPARE(picture(chart, size), picture(expected, size));
    }
};

QTEST_MAIN(TestLabelFit)
#include "tst_labelfit.moc"
