#include <QFile>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QUndoStack>
#include <QtTest>

#include "analyses/haeufigkeitsdiagramadapter.h"
#include "commands/gewichtsanpassungsbefehl.h"
#include "commands/umkodierbefehl.h"
#include "core/gewichtung.h"
#include "core/fehlendewerte.h"
#include "core/spaltenregeln.h"
#include "io/statistikdatei.h"
#include "core/umkodierung.h"
#include "diagrams/diagram.h"
#include "io/umfragedokument.h"
#include "tests/helpers/testutil.h"

// Missing codes and recode rules in the statistic file and the views file.
class TstSpaltenRegeln : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void statisticFileKeepsThem();
    void plainFileStaysOld();
    void damagedRecordsRefused();
    void nextMonthGetsTheDerivedColumn();
    void nextMonthIsWeightedToTheTargets();

private:
    QTemporaryDir m_dir;
};

namespace {
void fill(UmfrageDokument& doc, const QList<QStringList>& rows)
{
    doc.startNewTable();
    TestUtil::fillModel(doc.dataModel(), {"Name", "Alter"}, rows);
}

Umkodierung ageBands()
{
    Umkodierung u;
    u.art = Umkodierung::Grenzen;
    u.grenzen = {18, 30, 65};
    u.quelle = "Alter";
    u.quellSpalte = 1;
    return u;
}

quint16 versionOf(const QString& file)
{
    QFile f(file);
    f.open(QIODevice::ReadOnly);
    quint16 v = 0;
    StatistikDatei::checkHeader(&f, &v);
    return v;
}
}

void TstSpaltenRegeln::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

void TstSpaltenRegeln::statisticFileKeepsThem()
{
    UmfrageDokument doc;
    fill(doc, {{"a", "17"}, {"b", "-99"}, {"c", "40"}});
    QStandardItemModel* m = doc.dataModel();
    FehlendeWerte::setCodes(m, 1, {"-99", "weiß nicht"});
    TableContext ctx;
    ctx.model = m;
    UmkodierBefehl::anhaengen(ctx, 1, ageBands(), "Gruppe");
    const QString file = m_dir.filePath("regeln.stat");
    QVERIFY(doc.save(file));
    QCOMPARE(versionOf(file), quint16(StatistikDatei::FehlendVersion));

    UmfrageDokument back;
    QVERIFY(back.load(file));
    QStandardItemModel* b = back.dataModel();
    QCOMPARE(FehlendeWerte::codes(b, 1), QStringList({"-99", "weiß nicht"}));
    Umkodierung rule;
    QVERIFY(Umkodierung::von(b, 2, &rule));
    QVERIFY(rule == ageBands());
    // The loaded column still follows its source.
    b->item(0, 1)->setText("70");
    QCOMPARE(b->item(0, 2)->text(), QString("65 und älter"));
}

void TstSpaltenRegeln::plainFileStaysOld()
{
    UmfrageDokument doc;
    fill(doc, {{"a", "17"}});
    const QString file = m_dir.filePath("plain.stat");
    QVERIFY(doc.save(file));
    QCOMPARE(versionOf(file), quint16(StatistikDatei::Version));
}

void TstSpaltenRegeln::damagedRecordsRefused()
{
    const QVector<SpaltenRegel> regeln{{1, "Alter", {"-99"}, ageBands().speichern(), "ziel"}};
    const QByteArray bytes = SpaltenRegeln::bytes(regeln);
    QVector<SpaltenRegel> back;
    QVERIFY(SpaltenRegeln::ausBytes(bytes, &back));
    QCOMPARE(back, regeln);
    for (int n = 0; n < bytes.size(); ++n)
        QVERIFY(!SpaltenRegeln::ausBytes(bytes.left(n), &back));
    // A column beyond the table, and counts beyond the bytes.
    QDataStream s(bytes);
    s.setVersion(QDataStream::Qt_4_6);
    QVERIFY(!SpaltenRegeln::read(s, 1, &back));
    QByteArray hostile = bytes;
    hostile[0] = char(0x40);
    QVERIFY(!SpaltenRegeln::ausBytes(hostile, &back));
}

void TstSpaltenRegeln::nextMonthGetsTheDerivedColumn()
{
    UmfrageDokument doc;
    fill(doc, {{"a", "17"}, {"b", "-99"}, {"c", "40"}});
    QStandardItemModel* m = doc.dataModel();
    FehlendeWerte::setCodes(m, 1, {"-99"});
    TableContext ctx;
    ctx.model = m;
    UmkodierBefehl::anhaengen(ctx, 1, ageBands(), "Gruppe");
    QVERIFY(doc.createView("Häufigkeit", "BalkenDiagram(V)", {2}, "Gruppen", ""));
    const QString file = m_dir.filePath("ansichten.csv");
    QVERIFY(doc.exportViewsCSV(file));

    // Next month: the columns in another order, the derived one not there yet.
    UmfrageDokument next;
    next.startNewTable();
    TestUtil::fillModel(next.dataModel(), {"Alter", "Name"},
                        {{"70", "x"}, {"-99", "y"}, {"20", "z"}, {"20", "w"}});
    QVERIFY(next.importViewsCSV(file));
    QStandardItemModel* n = next.dataModel();
    QCOMPARE(n->columnCount(), 3);
    QCOMPARE(n->headerData(2, Qt::Horizontal).toString(), QString("Gruppe"));
    QCOMPARE(FehlendeWerte::codes(n, 0), QStringList{"-99"});
    QStringList cells;
    for (int r = 0; r < 4; ++r)
        cells << n->item(r, 2)->text();
    QCOMPARE(cells, QStringList({"65 und älter", "", "18–29", "18–29"}));
    // The view counts the derived column of this survey.
    auto* view = qobject_cast<HaeufigkeitsDiagramAdapter*>(next.viewPage(next.viewCount() - 1));
    QVERIFY(view);
    QCOMPARE(view->modelColumn(), 2);
    QTRY_COMPARE(view->diagram()->labelList(), QStringList({"18–29", "65 und älter"}));
}

void TstSpaltenRegeln::nextMonthIsWeightedToTheTargets()
{
    UmfrageDokument doc;
    doc.startNewTable();
    TestUtil::fillModel(doc.dataModel(), {"Geschlecht"}, {{"m"}, {"m"}, {"w"}});
    Gewichtsanpassung::Vorgabe v;
    v.ziele = {{"Geschlecht", {"m", "w"}, {50, 50}}};
    v.titel = "Gewicht";
    Gewichtsanpassung::Ergebnis e;
    QVERIFY(GewichtsanpassungsBefehl::rechne(doc.dataModel(), v, &e));
    TableContext ctx;
    ctx.model = doc.dataModel();
    GewichtsanpassungsBefehl::anhaengen(ctx, v, e.gewichte);
    const QString file = m_dir.filePath("gewichtet.csv");
    QVERIFY(doc.exportViewsCSV(file));

    UmfrageDokument next;
    next.startNewTable();
    TestUtil::fillModel(next.dataModel(), {"Geschlecht"}, {{"w"}, {"m"}, {"w"}, {"w"}});
    QVERIFY(next.importViewsCSV(file));
    QStandardItemModel* n = next.dataModel();
    QCOMPARE(n->columnCount(), 2);
    QCOMPARE(Gewichtung::spalteVon(n), 1);
    // Three w and one m, weighted to half and half.
    QCOMPARE(n->item(1, 1)->data(Qt::DisplayRole).toDouble(), 2.0);
    QCOMPARE(n->item(0, 1)->data(Qt::DisplayRole).toDouble(), 2.0 / 3);
}

QTEST_MAIN(TstSpaltenRegeln)
#include "tst_spaltenregeln.moc"
