#include <QDataStream>
#include <QTest>
#include <cmath>
#include <limits>
#include <memory>

#include "analyses/viewtypes.h"
#include "diagrams/diagram.h"

// A diagram record's font comes from the file: sizes and spacings no font dialog makes
// are not taken over, since laying out text with them takes minutes (found by fuzzing
// the statistic file).
class TstRecordFonts : public QObject
{
    Q_OBJECT
private slots:
    void fontFromRecord_data();
    void fontFromRecord();
};

namespace {
QFont plainFont()
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPointSizeF(11);
    return f;
}

// A diagram record (font, colours) holding f; pointSize, when given, replaces the
// point size in the bytes (the font's own setter refuses some values a file can hold).
QByteArray record(const QFont& f, double pointSize = 0)
{
    QByteArray bytes;
    QDataStream s(&bytes, QIODevice::WriteOnly);
    s.setVersion(QDataStream::Qt_4_6);
    s << f << qint32(1) << QColor(Qt::darkCyan);
    if (pointSize != 0) {
        // The family string (count + UTF-16) is followed by the point size as a double.
        const int at = 4 + 2 * f.family().size();
        QByteArray size;
        QDataStream d(&size, QIODevice::WriteOnly);
        d << pointSize;
        bytes.replace(at, 8, size);
    }
    return bytes;
}
}

void TstRecordFonts::fontFromRecord_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("applied");      // the record's family and size are taken
    QTest::addColumn<bool>("spacingReset"); // spacings are the defaults afterwards

    QTest::newRow("plain font") << record(plainFont()) << true << false;
    QFont f = plainFont();
    f.setLetterSpacing(QFont::AbsoluteSpacing, 4e6);
    QTest::newRow("huge absolute letter spacing") << record(f) << true << true;
    f = plainFont();
    f.setLetterSpacing(QFont::PercentageSpacing, 1e6);
    QTest::newRow("huge percentage letter spacing") << record(f) << true << true;
    f = plainFont();
    f.setWordSpacing(-4e6);
    QTest::newRow("huge word spacing") << record(f) << true << true;
    f = plainFont();
    f.setLetterSpacing(QFont::AbsoluteSpacing, 2);
    f.setWordSpacing(3);
    QTest::newRow("modest spacings kept") << record(f) << true << false;
    QTest::newRow("huge point size") << record(plainFont(), 1e7) << false << false;
    QTest::newRow("point size not a number")
        << record(plainFont(), std::numeric_limits<double>::quiet_NaN()) << false << false;
    f = plainFont();
    f.setPixelSize(100000);
    QTest::newRow("huge pixel size") << record(f) << false << false;
}

void TstRecordFonts::fontFromRecord()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, applied);
    QFETCH(bool, spacingReset);

    for (const ViewTypes::DiagramType& type : ViewTypes::diagramTypes()) {
        std::unique_ptr<Diagram> d(type.make());
        const QFont before = d->font();
        QDataStream s(bytes);
        s.setVersion(QDataStream::Qt_4_6);
        d->loadData(s, 5);
        QCOMPARE(s.status(), QDataStream::Ok);
        const QFont after = d->font();
        // The colours of the record are taken either way.
        QCOMPARE(d->colorList(), QList<QColor>{QColor(Qt::darkCyan)});
        if (!applied) {
            QCOMPARE(after, before);
            continue;
        }
        QCOMPARE(after.family(), QStringLiteral("DejaVu Sans"));
        QCOMPARE(after.pointSizeF(), 11.0);
        const QFont defaults;
        if (spacingReset) {
            QCOMPARE(after.letterSpacing(), defaults.letterSpacing());
            QCOMPARE(after.letterSpacingType(), defaults.letterSpacingType());
            QCOMPARE(after.wordSpacing(), defaults.wordSpacing());
        } else {
            QVERIFY(std::abs(after.letterSpacing()) <= 100);
            QVERIFY(std::abs(after.wordSpacing()) <= 100);
        }
    }
}

QTEST_MAIN(TstRecordFonts)
#include "tst_recordfonts.moc"
