#include <QContextMenuEvent>
#include <QFile>
#include "core/spaltenspeicher.h"
#include <QTemporaryDir>
#include <QtTest>

#include "analyses/haeufigkeitsdiagramadapter.h"
#include "analyses/haeufigkeitsmultidiagramadapter.h"
#include "io/statistikdatei.h"
#include "diagrams/diagram.h"
#include "io/umfragedokument.h"
#include "io/viewscsv.h"
#include "tests/helpers/scriptedanswerer.h"
#include "tests/helpers/testutil.h"

// The order of the answers and the answers left out, as the user sets them through a
// frequency view's menu: what the chart then counts, and that the statistic file and the
// views file keep them.
class TstAntwortAnzeige : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void orderThroughTheMenu();
    void excludedThroughTheMenu();
    void filesWithoutThemUnchanged();
    void viewsFileVersion_data();
    void viewsFileVersion();

private:
    QTemporaryDir m_dir;
};

namespace {
// Q1 a rating, Q2 and Q3 prices; rows in this order.
void fill(UmfrageDokument& doc)
{
    doc.startNewTable();
    TestUtil::fillModel(doc.dataModel(), {"Zufriedenheit", "Preis alt", "Preis neu"}, {
        {"zufrieden", "8", "19,99"},     {"sehr zufrieden", "100", "8"},
        {"keine Angabe", "", "3,25"},    {"zufrieden", "-99", "12,50"},
        {"", "12,50", "100"},            {"neutral", "8", "keine Angabe"},
        {"-99", "3,25", "8"},            {"zufrieden", "19,99", ""},
        {"sehr unzufrieden", "8", "-99"}, {"neutral", "100", "8"},
    });
}

template <class Adapter>
Adapter* viewOf(UmfrageDokument& doc, int row)
{
    return qobject_cast<Adapter*>(doc.viewPage(row));
}
}

void TstAntwortAnzeige::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QLocale::setDefault(QLocale::c());
}

void TstAntwortAnzeige::orderThroughTheMenu()
{
    UmfrageDokument doc;
    fill(doc);
    auto* single = qobject_cast<HaeufigkeitsDiagramAdapter*>(
        doc.createView("Häufigkeit", "BalkenDiagram(V)", {0}, "Zufriedenheit", ""));
    auto* multi = qobject_cast<HaeufigkeitsMultiDiagramAdapter*>(
        doc.createView("Häufigkeit", "Tabelle", {1, 2}, "Preise", ""));
    QVERIFY(single && multi);
    // "-99" is no step of the scale, so the texts keep their order; "keine Angabe" goes last.
    QCOMPARE(single->diagram()->labelList(),
             (QStringList{"-99", "neutral", "sehr unzufrieden", "sehr zufrieden", "zufrieden",
                          "keine Angabe"}));
    QCOMPARE(multi->diagram()->labelList(),
             (QStringList{"", "-99", "100", "12,50", "19,99", "3,25", "8", "keine Angabe"}));

    {
        ScriptedAnswerer ans;
        ans.accept(UserInput::Menu, "Reihenfolge").accept(UserInput::Menu, "Nach Häufigkeit");
        TestUtil::openContextMenu(single);
        QCOMPARE(ans.unexpected, 0);
        QCOMPARE(ans.pending(), 0);
        // The entries of the view's menu, then those of the submenu.
        QVERIFY(ans.asked[0].items.contains("Reihenfolge"));
        QVERIFY(ans.asked[0].items.contains("Antworten ausschließen..."));
        QCOMPARE(ans.asked[1].title, QString("Reihenfolge"));
        QCOMPARE(ans.asked[1].items,
                 (QStringList{"Wie bisher", "Nach Zahlenwert", "Nach Häufigkeit",
                              "Wie in den Daten", "Eigene Reihenfolge..."}));
    }
    QCOMPARE(single->diagram()->labelList(),
             (QStringList{"zufrieden", "neutral", "-99", "keine Angabe", "sehr unzufrieden",
                          "sehr zufrieden"}));
    QCOMPARE(single->diagram()->values(), (QVector<double>{3, 2, 1, 1, 1, 1}));
    QVERIFY(single->antwortAnzeige().reihenfolgeMenu()->actions().at(2)->isChecked());

    {
        // The own order starts from the one shown; what the answer leaves out follows.
        ScriptedAnswerer ans;
        ans.accept(UserInput::Menu, "Reihenfolge")
            .accept(UserInput::Menu, "Eigene Reihenfolge...")
            .accept(UserInput::Order, QStringList{"sehr unzufrieden", "neutral", "zufrieden",
                                                  "sehr zufrieden"});
        TestUtil::openContextMenu(single);
        QCOMPARE(ans.unexpected, 0);
        QCOMPARE(ans.asked[2].items, (QStringList{"zufrieden", "neutral", "-99", "keine Angabe",
                                                  "sehr unzufrieden", "sehr zufrieden"}));
    }
    const QStringList own = {"sehr unzufrieden", "neutral", "zufrieden", "sehr zufrieden", "-99",
                             "keine Angabe"};
    QCOMPARE(single->diagram()->labelList(), own);
    QCOMPARE(single->diagram()->values(), (QVector<double>{1, 2, 3, 1, 1, 1}));
    {
        // A cancelled own order keeps the order there was, ticked.
        ScriptedAnswerer ans;
        ans.accept(UserInput::Menu, "Reihenfolge")
            .accept(UserInput::Menu, "Eigene Reihenfolge...")
            .cancel(UserInput::Order);
        TestUtil::openContextMenu(single);
        QCOMPARE(ans.unexpected, 0);
    }
    QCOMPARE(single->diagram()->labelList(), own);
    QVERIFY(single->antwortAnzeige().reihenfolgeMenu()->actions().at(4)->isChecked());

    {
        ScriptedAnswerer ans;
        ans.accept(UserInput::Menu, "Reihenfolge").accept(UserInput::Menu, "Nach Zahlenwert");
        TestUtil::openContextMenu(multi);
        QCOMPARE(ans.unexpected, 0);
    }
    const QStringList byNumber = {"-99", "3,25", "8", "12,50", "19,99", "100", "", "keine Angabe"};
    QCOMPARE(multi->diagram()->labelList(), byNumber);
    // Each column's counts follow their answers.
    QCOMPARE(multi->diagram()->values(),
             (QVector<double>{1, 1, 3, 1, 1, 2, 0, 0, 1, 1, 3, 1, 1, 1, 0, 1}));
    QCOMPARE(single->neededVersion(), int(StatistikDatei::AnzeigeVersion));
    QCOMPARE(multi->neededVersion(), int(StatistikDatei::AnzeigeVersion));

    // The statistic file: a new version, read back exactly.
    const QString stat = m_dir.path() + "/reihenfolge.stat";
    QVERIFY(doc.save(stat));
    QCOMPARE(TestUtil::fileBytes(stat).left(6).toHex(), QByteArray("ffaa01bb0008"));
    // A program that knew version 7 at most refuses it as too new.
    QVERIFY(StatistikDatei::AnzeigeVersion > StatistikDatei::MehrfachVersion);
    UmfrageDokument loaded;
    {
        ScriptedAnswerer ans;
        QVERIFY(loaded.load(stat));
        QCOMPARE(ans.asked.size(), 0);
    }
    auto* single2 = viewOf<HaeufigkeitsDiagramAdapter>(loaded, 1);
    auto* multi2 = viewOf<HaeufigkeitsMultiDiagramAdapter>(loaded, 2);
    QVERIFY(single2 && multi2);
    QCOMPARE(single2->antwortAnzeige().reihenfolge().art, Reihenfolge::Eigene);
    QCOMPARE(single2->antwortAnzeige().reihenfolge().eigene, single->antwortAnzeige().reihenfolge().eigene);
    QVERIFY(single2->antwortAnzeige().reihenfolgeMenu()->actions().at(4)->isChecked());
    QCOMPARE(single2->diagram()->labelList(), own);
    QCOMPARE(multi2->diagram()->labelList(), byNumber);
    QCOMPARE(loaded.record(1, StatistikDatei::NewestVersion).settings,
             doc.record(1, StatistikDatei::NewestVersion).settings);
    // Saved again, the same bytes.
    const QString again = m_dir.path() + "/reihenfolge2.stat";
    QVERIFY(loaded.save(again));
    QCOMPARE(TestUtil::fileBytes(again).toHex(), TestUtil::fileBytes(stat).toHex());

    // The views file: the version line names the records' version.
    const QString csv = m_dir.path() + "/reihenfolge.csv";
    QVERIFY(doc.exportViewsCSV(csv));
    QVERIFY(TestUtil::fileBytes(csv).contains("#Views Version:8\n"));
    UmfrageDokument applied;
    fill(applied);
    QVERIFY(applied.importViewsCSV(csv));
    QCOMPARE(viewOf<HaeufigkeitsDiagramAdapter>(applied, 1)->diagram()->labelList(), own);
    QCOMPARE(viewOf<HaeufigkeitsMultiDiagramAdapter>(applied, 2)->diagram()->labelList(),
             byNumber);

    // First appearance, row by row over both columns; a change of order is unsaved work.
    QVERIFY(!doc.isChanged());
    {
        ScriptedAnswerer ans;
        ans.accept(UserInput::Menu, "Reihenfolge").accept(UserInput::Menu, "Wie in den Daten");
        TestUtil::openContextMenu(multi);
        QCOMPARE(ans.unexpected, 0);
    }
    QCOMPARE(multi->diagram()->labelList(),
             (QStringList{"8", "19,99", "100", "", "3,25", "-99", "12,50", "keine Angabe"}));
    QVERIFY(doc.isChanged());

    // A duplicate keeps the order.
    doc.duplicateView(1);
    QCOMPARE(viewOf<HaeufigkeitsDiagramAdapter>(doc, 3)->diagram()->labelList(), own);
}

void TstAntwortAnzeige::excludedThroughTheMenu()
{
    UmfrageDokument doc;
    fill(doc);
    auto* single = qobject_cast<HaeufigkeitsDiagramAdapter*>(
        doc.createView("Häufigkeit %", "TortenDiagram", {0}, "Zufriedenheit", ""));
    auto* multi = qobject_cast<HaeufigkeitsMultiDiagramAdapter*>(
        doc.createView("Häufigkeit", "Tabelle", {1, 2}, "Preise", ""));
    QVERIFY(single && multi);
    // By default the empty answer alone is left out: 9 of 10 answers count.
    QCOMPARE(single->diagram()->captionLines().last(), QString("n = 9"));
    QCOMPARE(single->diagram()->values().first(), 1 / (9 / 100.0));

    {
        ScriptedAnswerer ans;
        ans.accept(UserInput::Menu, "Antworten ausschließen...")
            .accept(UserInput::Checks, QStringList{"", "keine Angabe", "-99"});
        TestUtil::openContextMenu(single);
        QCOMPARE(ans.unexpected, 0);
        QCOMPARE(ans.pending(), 0);
        const UserInput::Ask& asked = ans.asked.last();
        QCOMPARE(asked.title, QString("Antworten ausschließen"));
        QCOMPARE(asked.items, (QStringList{"", "-99", "keine Angabe", "neutral",
                                           "sehr unzufrieden", "sehr zufrieden", "zufrieden"}));
        QCOMPARE(asked.preset.toStringList(), QStringList{""});
    }
    // 7 answers left; the percent base is theirs (each count divided by 7 / 100); they
    // are a rating scale now, shown from its positive end.
    QCOMPARE(single->diagram()->labelList(),
             (QStringList{"sehr zufrieden", "zufrieden", "neutral", "sehr unzufrieden"}));
    QCOMPARE(single->diagram()->values(),
             (QVector<double>{1 / (7 / 100.0), 3 / (7 / 100.0), 2 / (7 / 100.0), 1 / (7 / 100.0)}));
    QCOMPARE(single->diagram()->postfix(), QString("%"));
    QCOMPARE(single->diagram()->captionLines().last(), QString("n = 7"));
    QCOMPARE(single->rowFilter().excluded(), (QStringList{"", "-99", "keine Angabe"}));

    {
        ScriptedAnswerer ans;
        ans.accept(UserInput::Menu, "Antworten ausschließen...")
            .accept(UserInput::Checks, QStringList{"", "keine Angabe", "-99"});
        TestUtil::openContextMenu(multi);
        QCOMPARE(ans.unexpected, 0);
    }
    // Left out of the answer set too; the empty answer keeps its place with nothing
    // counted, as before.
    const QStringList prices = {"", "100", "12,50", "19,99", "3,25", "8"};
    QCOMPARE(multi->diagram()->labelList(), prices);
    const QVector<double> counts = {0, 2, 1, 1, 1, 3, 0, 1, 1, 1, 1, 3};
    QCOMPARE(multi->diagram()->values(), counts);
    QCOMPARE(multi->diagram()->captionLines().last(), QString("n = 8 (Preis alt), 7 (Preis neu)"));
    QCOMPARE(single->neededVersion(), int(StatistikDatei::AnzeigeVersion));

    const QString stat = m_dir.path() + "/ausschluss.stat";
    QVERIFY(doc.save(stat));
    QCOMPARE(TestUtil::fileBytes(stat).left(6).toHex(), QByteArray("ffaa01bb0008"));
    UmfrageDokument loaded;
    QVERIFY(loaded.load(stat));
    auto* single2 = viewOf<HaeufigkeitsDiagramAdapter>(loaded, 1);
    auto* multi2 = viewOf<HaeufigkeitsMultiDiagramAdapter>(loaded, 2);
    QVERIFY(single2 && multi2);
    QCOMPARE(single2->rowFilter().excluded(), (QStringList{"", "-99", "keine Angabe"}));
    QCOMPARE(single2->diagram()->values(), single->diagram()->values());
    QCOMPARE(single2->diagram()->captionLines().last(), QString("n = 7"));
    QCOMPARE(multi2->diagram()->labelList(), prices);
    QCOMPARE(multi2->diagram()->values(), counts);

    const QString csv = m_dir.path() + "/ausschluss.csv";
    QVERIFY(doc.exportViewsCSV(csv));
    UmfrageDokument applied;
    fill(applied);
    QVERIFY(applied.importViewsCSV(csv));
    QCOMPARE(viewOf<HaeufigkeitsDiagramAdapter>(applied, 1)->diagram()->values(),
             single->diagram()->values());
    QCOMPARE(viewOf<HaeufigkeitsMultiDiagramAdapter>(applied, 2)->diagram()->values(), counts);

    // A file of a version this program does not know is refused as too new.
    QByteArray newer = TestUtil::fileBytes(stat);
    newer[5] = char(StatistikDatei::NewestVersion + 1);
    const QString newerPath = m_dir.path() + "/neuer.stat";
    {
        QFile f(newerPath);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(newer);
    }
    UmfrageDokument refused;
    const Ergebnis refusal = refused.load(newerPath);
    QVERIFY(!refusal);
    QVERIFY(refusal.meldung().contains("neueren Programmversion"));
    ScriptedAnswerer ans;

    // Taking every tick back counts every answer, the empty one too.
    ans.accept(UserInput::Checks, QStringList{});
    single->antwortAnzeige().fragAusschluss();
    QCOMPARE(single->diagram()->captionLines().last(), QString("n = 10"));
    QCOMPARE(single->neededVersion(), 0);
}

// Chosen and taken back, the settings leave the files as they were.
void TstAntwortAnzeige::filesWithoutThemUnchanged()
{
    UmfrageDokument plain;
    fill(plain);
    plain.createView("Häufigkeit", "BalkenDiagram(V)", {0}, "Zufriedenheit", "");
    plain.createView("Häufigkeit %", "Tabelle", {1, 2}, "Preise", "");
    const QString plainStat = m_dir.path() + "/ohne.stat";
    const QString plainCsv = m_dir.path() + "/ohne.csv";
    QVERIFY(plain.save(plainStat));
    QVERIFY(plain.exportViewsCSV(plainCsv));
    QCOMPARE(TestUtil::fileBytes(plainStat).left(6).toHex(), QByteArray("ffaa01bb0005"));
    QVERIFY(TestUtil::fileBytes(plainCsv).startsWith("#Erstellt mit quorvandel7\n#Views Version:5\n"));

    UmfrageDokument doc;
    fill(doc);
    auto* single = qobject_cast<HaeufigkeitsDiagramAdapter*>(
        doc.createView("Häufigkeit", "BalkenDiagram(V)", {0}, "Zufriedenheit", ""));
    auto* multi = qobject_cast<HaeufigkeitsMultiDiagramAdapter*>(
        doc.createView("Häufigkeit %", "Tabelle", {1, 2}, "Preise", ""));
    Reihenfolge r;
    r.art = Reihenfolge::NachHaeufigkeit;
    single->antwortAnzeige().setReihenfolge(r);
    multi->antwortAnzeige().setAusgeschlossen({"", "-99"});
    QCOMPARE(StatistikDatei::versionFor(doc.dataModel(), doc), StatistikDatei::AnzeigeVersion);
    // One answer left out other than the empty one: older files hold that as it is.
    multi->antwortAnzeige().setAusgeschlossen({"-99"});
    single->antwortAnzeige().setReihenfolge(Reihenfolge());
    QCOMPARE(StatistikDatei::versionFor(doc.dataModel(), doc), StatistikDatei::Version);
    multi->antwortAnzeige().setAusgeschlossen({""});
    const QString stat = m_dir.path() + "/zurueck.stat";
    const QString csv = m_dir.path() + "/zurueck.csv";
    QVERIFY(doc.save(stat));
    QVERIFY(doc.exportViewsCSV(csv));
    QCOMPARE(TestUtil::fileBytes(stat).toHex(), TestUtil::fileBytes(plainStat).toHex());
    QCOMPARE(TestUtil::fileBytes(csv), TestUtil::fileBytes(plainCsv));
}

void TstAntwortAnzeige::viewsFileVersion_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("version");
    const QString head = "#Erstellt mit quorvandel7\n";
    const QString line = "\"A\";\"Single\";\"Häufigkeit\";\"0\";\"Tabelle\";\"\";\"\"\n";
    QTest::newRow("5") << head + "#Views Version:5\n" + line << 5;
    QTest::newRow("8") << head + "#Views Version:8\n" + line << 8;
    QTest::newRow("none") << head + line << 5;
    QTest::newRow("empty file") << QString() << 5;
    QTest::newRow("older") << head + "#Views Version:3\n" << 5;
    QTest::newRow("not a number") << head + "#Views Version:acht\n" << 5;
    // Newer than known: read as far as this program knows the records.
    QTest::newRow("newer") << head + "#Views Version:99\n" + line
                           << int(StatistikDatei::NewestVersion);
    // A title that looks like a version line is no version line.
    QTest::newRow("after the views") << head + line + "#Views Version:8\n" << 5;
}

void TstAntwortAnzeige::viewsFileVersion()
{
    QFETCH(QString, text);
    QFETCH(int, version);
    QCOMPARE(ViewsCsv::versionOf(text), version);
}

QTEST_MAIN(TstAntwortAnzeige)
#include "tst_antwortanzeige.moc"
