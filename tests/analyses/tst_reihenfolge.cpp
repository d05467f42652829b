#include <QDataStream>
#include <QtTest>
#include <cmath>

#include "analyses/reihenfolge.h"
#include "tests/helpers/testutil.h"

// The order of the answers of a frequency view: the one function that puts them in
// order, and its record.
class TstReihenfolge : public QObject
{
    Q_OBJECT
private slots:
    void ordne_data();
    void ordne();
    void codeEinheiten();
    void record_data();
    void record();
};

Q_DECLARE_METATYPE(Reihenfolge::Art)

namespace {
using Counts = QHash<QString, double>;
}

void TstReihenfolge::ordne_data()
{
    QTest::addColumn<Reihenfolge::Art>("art");
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<Counts>("counts");
    QTest::addColumn<QStringList>("seen");
    QTest::addColumn<QStringList>("own");
    QTest::addColumn<QStringList>("expected");
    const QStringList scale = {"zufrieden", "neutral", "sehr unzufrieden", "sehr zufrieden",
                               "unzufrieden"};
    const QStringList prices = {"8", "100", "19,99", "3,25", "12,50"};
    const Counts none;

    QTest::newRow("as before: a rating scale from its positive end")
        << Reihenfolge::WieBisher << scale << none << QStringList() << QStringList()
        << QStringList{"sehr zufrieden", "zufrieden", "neutral", "unzufrieden",
                       "sehr unzufrieden"};
    QTest::newRow("as before: code units, put aside last")
        << Reihenfolge::WieBisher << QStringList{"rot", "keine Angabe", "blau", "grün"} << none
        << QStringList() << QStringList() << QStringList{"blau", "grün", "rot", "keine Angabe"};
    QTest::newRow("as before: numbers as texts")
        << Reihenfolge::WieBisher << prices << none << QStringList() << QStringList()
        << QStringList{"100", "12,50", "19,99", "3,25", "8"};
    QTest::newRow("by number: German and C forms")
        << Reihenfolge::NachZahl << prices + QStringList{"-1e-5", "1.5"} << none
        << QStringList() << QStringList()
        << QStringList{"-1e-5", "1.5", "3,25", "8", "12,50", "19,99", "100"};
    QTest::newRow("by number: the rest after them, as before")
        << Reihenfolge::NachZahl
        << QStringList{"weiß nicht", "10", "", "2", "keine Angabe", "1,2,3", "nan", "-99"}
        << none << QStringList() << QStringList()
        << QStringList{"-99", "2", "10", "", "1,2,3", "keine Angabe", "nan", "weiß nicht"};
    QTest::newRow("by number: equal values as before")
        << Reihenfolge::NachZahl << QStringList{"3,0", "3", " 3", "2"} << none << QStringList()
        << QStringList() << QStringList{"2", " 3", "3", "3,0"};
    QTest::newRow("by frequency: most first, ties as before")
        << Reihenfolge::NachHaeufigkeit << scale
        << Counts{{"zufrieden", 7}, {"neutral", 3}, {"sehr unzufrieden", 3},
                  {"sehr zufrieden", 9}, {"unzufrieden", 1}}
        << QStringList() << QStringList()
        << QStringList{"sehr zufrieden", "zufrieden", "neutral", "sehr unzufrieden",
                       "unzufrieden"};
    QTest::newRow("by frequency: weights, missing and not-a-number last")
        << Reihenfolge::NachHaeufigkeit << QStringList{"a", "b", "c", "d"}
        << Counts{{"a", 0.5}, {"b", std::nan("")}, {"d", 2.25}} << QStringList()
        << QStringList() << QStringList{"d", "a", "c", "b"};
    QTest::newRow("as in the data")
        << Reihenfolge::WieInDenDaten << scale << none
        << QStringList{"sehr zufrieden", "unzufrieden", "zufrieden", "neutral",
                       "sehr unzufrieden"}
        << QStringList()
        << QStringList{"sehr zufrieden", "unzufrieden", "zufrieden", "neutral",
                       "sehr unzufrieden"};
    QTest::newRow("as in the data: unseen after, as before")
        << Reihenfolge::WieInDenDaten << QStringList{"c", "b", "a", "z"} << none
        << QStringList{"x", "z", "c"} << QStringList() << QStringList{"z", "c", "a", "b"};
    QTest::newRow("own")
        << Reihenfolge::Eigene << scale << none << QStringList()
        << QStringList{"sehr unzufrieden", "unzufrieden", "neutral", "zufrieden",
                       "sehr zufrieden"}
        << QStringList{"sehr unzufrieden", "unzufrieden", "neutral", "zufrieden",
                       "sehr zufrieden"};
    // A new answer in next month's data goes after the own ones; one that is gone is
    // passed over; a repeat counts where it first stands.
    QTest::newRow("own: new answers after, gone ones passed over")
        << Reihenfolge::Eigene << QStringList{"ja", "nein", "vielleicht", ""} << none
        << QStringList() << QStringList{"nein", "weg", "ja", "nein"}
        << QStringList{"nein", "ja", "", "vielleicht"};
    QTest::newRow("no answers") << Reihenfolge::NachZahl << QStringList() << none
                                << QStringList() << QStringList() << QStringList();
}

void TstReihenfolge::ordne()
{
    QFETCH(Reihenfolge::Art, art);
    QFETCH(QStringList, labels);
    QFETCH(Counts, counts);
    QFETCH(QStringList, seen);
    QFETCH(QStringList, own);
    QFETCH(QStringList, expected);
    QCOMPARE(Reihenfolge::ordne(art, labels, counts, seen, own), expected);
    Reihenfolge r;
    r.art = art;
    r.eigene = own;
    QCOMPARE(r.ordne(labels, counts, seen), expected);
    QCOMPARE(r.istStandard(), art == Reihenfolge::WieBisher);
}

// The order before any other is QString's, by code units, also where texts share their
// beginnings, are shorter than others, hold a null character or characters beyond the
// basic plane (whose surrogates come before U+E000 ... U+FFFF).
void TstReihenfolge::codeEinheiten()
{
    const QVector<QString> teile{QStringLiteral("a"), QStringLiteral("ab"), QStringLiteral("B"),
                                 QString(QChar(0)), QString(QChar(0xFFFF)),
                                 QStringLiteral("\U0001F600"), QString::fromUtf8("ä"),
                                 QStringLiteral(" ")};
    QStringList labels;
    quint32 zufall = 12345;
    for (int i = 0; i < 3000; ++i) {
        QString t;
        zufall = zufall * 1103515245u + 12345u;
        for (quint32 n = (zufall >> 16) % 7, z = zufall; n > 0; --n, z /= 8)
            t += teile.at(int(z % 8));
        if (!labels.contains(t))
            labels << t;
    }
    QStringList expected = labels;
    std::sort(expected.begin(), expected.end());
    // By frequency with no counts: every answer ties, the order before stays.
    QCOMPARE(Reihenfolge::ordne(Reihenfolge::NachHaeufigkeit, labels, {}, {}, {}), expected);
}

void TstReihenfolge::record_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("art");
    QTest::addColumn<QStringList>("own");
    TestUtil::Out byFrequency;
    byFrequency << qint32(2) << QVariant(QStringList());
    QTest::newRow("by frequency") << byFrequency.bytes << true << 2 << QStringList();
    TestUtil::Out own;
    own << qint32(4) << QVariant(QStringList{"nein", "", "ja"});
    QTest::newRow("own") << own.bytes << true << 4 << QStringList{"nein", "", "ja"};
    TestUtil::Out unknown;
    unknown << qint32(5) << QVariant(QStringList());
    QTest::newRow("unknown order") << unknown.bytes << false << 0 << QStringList();
    TestUtil::Out negative;
    negative << qint32(-1) << QVariant(QStringList());
    QTest::newRow("negative order") << negative.bytes << false << 0 << QStringList();
    TestUtil::Out text;
    text << qint32(1) << QVariant(QString("ja"));
    QTest::newRow("no list") << text.bytes << false << 0 << QStringList();
    // A list count far beyond the bytes there: refused without allocating for it.
    TestUtil::Out hostile;
    hostile << qint32(4) << quint32(11) << quint8(0) << quint32(0x7fffffff);
    QTest::newRow("cut list") << hostile.bytes << false << 0 << QStringList();
    QTest::newRow("cut") << own.bytes.left(6) << false << 0 << QStringList();
}

// The record gives back what was written; a damaged one leaves the order as it was.
void TstReihenfolge::record()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, ok);
    QFETCH(int, art);
    QFETCH(QStringList, own);
    QDataStream in(bytes);
    in.setVersion(QDataStream::Qt_4_6);
    Reihenfolge r;
    QCOMPARE(r.read(in), ok);
    QCOMPARE(int(r.art), art);
    QCOMPARE(r.eigene, own);
    if (!ok)
        return;
    TestUtil::Out back;
    r.write(back.s);
    QCOMPARE(back.bytes.toHex(), bytes.toHex());
}

QTEST_MAIN(TstReihenfolge)
#include "tst_reihenfolge.moc"
