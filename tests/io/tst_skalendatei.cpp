#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QtTest>

#include "analyses/batterie.h"
#include "analyses/haeufigkeitsdiagramadapter.h"
#include "analyses/kreuztabelle.h"
#include "io/statistikdatei.h"
#include "diagrams/diagram.h"
#include "io/umfragedokument.h"
#include "tests/helpers/scriptedanswerer.h"
#include "tests/helpers/testutil.h"

// The rating-scale settings in the statistic file and the views file: a new version,
// read back exactly; a state without them is written as before.
class TstSkalenDatei : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QLocale::setDefault(QLocale::c());
    }
    void rundreise();

private:
    QTemporaryDir m_dir;
};

namespace {
void fill(UmfrageDokument& doc)
{
    doc.startNewTable();
    TestUtil::fillModel(doc.dataModel(), {"Service", "Preis", "G"}, {
        {"sehr gut", "gut", "m"}, {"gut", "sehr schlecht", "w"}, {"schlecht", "gut", "m"},
        {"weiß nicht", "sehr gut", "w"}, {"sehr schlecht", "schlecht", "m"},
    });
}
}

void TstSkalenDatei::rundreise()
{
    UmfrageDokument doc;
    fill(doc);
    auto* k = qobject_cast<Kreuztabelle*>(
        doc.createView(QString(), "Kreuztabelle", {0, 2}, "Kreuz", ""));
    auto* h = qobject_cast<HaeufigkeitsDiagramAdapter*>(
        doc.createView("Häufigkeit", "Tabelle", {1}, "Preis", ""));
    QVERIFY(k && h);
    // Nothing new used: the file is of the version it was before.
    const QString plain = m_dir.path() + "/ohne.stat";
    QVERIFY(doc.save(plain));
    QCOMPARE(TestUtil::fileBytes(plain).left(6).toHex(), QByteArray("ffaa01bb0006"));

    KreuztabellenRechnung::Optionen o;
    o.zusammenfassungen = KreuztabellenRechnung::topBottom2(k->ergebnis().zeilen);
    o.mittelwerte = true;
    o.korrektur = SkalenRechnung::Bonferroni;
    k->setOptionen(o);
    h->antwortAnzeige().setZusammenfassungen({{"Gut", {"sehr gut", "gut"}}});
    QVERIFY(doc.createView(QString(), "Batterie", {0, 1}, "Batterie", ""));
    const QString stat = m_dir.path() + "/skalen.stat";
    QVERIFY(doc.save(stat));
    QCOMPARE(TestUtil::fileBytes(stat).left(6).toHex(), QByteArray("ffaa01bb000d"));
    UmfrageDokument loaded;
    {
        ScriptedAnswerer ans;
        QVERIFY(loaded.load(stat));
        QCOMPARE(ans.asked.size(), 0);
    }
    auto* k2 = qobject_cast<Kreuztabelle*>(loaded.viewPage(1));
    auto* h2 = qobject_cast<HaeufigkeitsDiagramAdapter*>(loaded.viewPage(2));
    auto* b2 = qobject_cast<Batterie*>(loaded.viewPage(3));
    QVERIFY(k2 && h2 && b2);
    QCOMPARE(k2->optionen(), o);
    QCOMPARE(k2->toText(), k->toText());
    QCOMPARE(h2->diagram()->labelList().last(), QString("Gut"));
    QCOMPARE(b2->zahlen(), qobject_cast<Batterie*>(doc.viewPage(3))->zahlen());
    // Saved again, the same bytes.
    const QString again = m_dir.path() + "/skalen2.stat";
    QVERIFY(loaded.save(again));
    QCOMPARE(TestUtil::fileBytes(again).toHex(), TestUtil::fileBytes(stat).toHex());

    // The views file names the version and carries the settings to another survey.
    const QString csv = m_dir.path() + "/skalen.csv";
    QVERIFY(doc.exportViewsCSV(csv));
    QVERIFY(TestUtil::fileBytes(csv).contains("#Views Version:13\n"));
    UmfrageDokument applied;
    fill(applied);
    QVERIFY(applied.importViewsCSV(csv));
    QCOMPARE(qobject_cast<Kreuztabelle*>(applied.viewPage(1))->optionen(), o);
    QCOMPARE(qobject_cast<HaeufigkeitsDiagramAdapter*>(applied.viewPage(2))
                 ->antwortAnzeige().zusammenfassungen().size(), 1);
    QVERIFY(qobject_cast<Batterie*>(applied.viewPage(3)));
}

QTEST_MAIN(TstSkalenDatei)
#include "tst_skalendatei.moc"
