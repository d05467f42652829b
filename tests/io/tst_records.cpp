#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include "core/spaltenspeicher.h"
#include <QTemporaryDir>
#include <QTest>

#include "diagrams/modelclient.h"
#include "diagrams/tabelle1.h"
#include "io/statistikdatei.h"
#include "io/umfragedokument.h"
#include "io/viewscsv.h"
#include "core/csvreader.h"
#include "testutil.h"

// The readers return what a file holds, without a window or a document to call back:
// the statistic file its hidden columns and view records, a views file its records and
// the columns a survey lacks.
class TstRecords : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void statisticFileIntoRecords();
    void damagedFileKeepsTheCompleteRecords();
    void viewsFileRecordsAndMissingColumns();
    void writersAskEachViewOnce();
    void plainCsvReadAlikeEitherWay();

private:
    // A survey of three columns, the second hidden, and three views with notes.
    static void build(UmfrageDokument& d);
    QString saved(const QString& name);

    QTemporaryDir m_dir;
};

void TstRecords::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QCoreApplication::setOrganizationName("Orvinsk-Test");
    QCoreApplication::setApplicationName("tst_records");
}

void TstRecords::build(UmfrageDokument& d)
{
    d.startNewTable();
    TestUtil::fillModel(d.dataModel(), {"Farbe", "Größe", "Alter"},
                        {{"rot", "1", "20"}, {"grün", "2", "30"}, {"rot", "3", "40"}});
    QVERIFY(d.createView("Häufigkeit", "TortenDiagram", {0}, "Farben", "<b>Notiz</b>"));
    QVERIFY(d.createView("Direkt", "BalkenDiagram(V)", {1, 2}, "Zahlen", ""));
    QVERIFY(d.createView("", "Statistik", {1, 2}, "Statistik", "zwei"));
    d.setHiddenColumns({1});
}

QString TstRecords::saved(const QString& name)
{
    UmfrageDokument d;
    build(d);
    const QString path = m_dir.filePath(name);
    d.save(path);
    return path;
}

void TstRecords::statisticFileIntoRecords()
{
    UmfrageDokument d;
    build(d);
    const QString path = m_dir.filePath("ganz.stat");
    QVERIFY(d.save(path));

    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    quint16 version = 0;
    QCOMPARE(StatistikDatei::checkHeader(&f, &version), StatistikDatei::Ok);
    SpaltenSpeicher m;
    const StatistikDatei::Outcome out = StatistikDatei::read(&m, &f, version);
    QCOMPARE(out.result, StatistikDatei::Ok);
    QCOMPARE(out.rows, 3);
    QCOMPARE(out.views, 0);   // nothing was made
    QCOMPARE(TestUtil::cellTexts(&m), TestUtil::cellTexts(d.dataModel()));
    QCOMPARE(out.hidden, QVector<int>{1});
    QCOMPARE(out.records.size(), 3);
    for (int i = 0; i < 3; ++i) {
        // Each record as the document keeps it, the settings to the byte.
        QCOMPARE(out.records.at(i), d.record(i + 1, version));
    }
    QCOMPARE(out.records.at(0).notes, QString("<b>Notiz</b>"));
    QCOMPARE(out.records.at(1).toolTip, QString("BalkenDiagram(V), Direkt, Spalte:1,2"));

    // Made into views by the document, the survey saves to the same bytes.
    UmfrageDokument again;
    QVERIFY(again.load(path));
    const QString second = m_dir.filePath("wieder.stat");
    QVERIFY(again.save(second));
    QCOMPARE(TestUtil::fileBytes(second), TestUtil::fileBytes(path));
}

void TstRecords::damagedFileKeepsTheCompleteRecords()
{
    const QByteArray whole = TestUtil::fileBytes(saved("voll.stat"));
    // Cut inside the last view's record: the two before it are complete.
    QBuffer cut;
    cut.setData(whole.left(whole.size() - 3));
    QVERIFY(cut.open(QIODevice::ReadOnly));
    quint16 version = 0;
    QCOMPARE(StatistikDatei::checkHeader(&cut, &version), StatistikDatei::Ok);
    SpaltenSpeicher m;
    const StatistikDatei::Outcome out = StatistikDatei::read(&m, &cut, version);
    QCOMPARE(out.result, StatistikDatei::Damaged);
    QCOMPARE(out.rows, 3);
    QCOMPARE(out.records.size(), 2);
    QCOMPARE(out.records.at(1).title, QString("Zahlen"));

    // Cut among the columns: no rows, no records.
    QBuffer early;
    early.setData(whole.left(60));
    QVERIFY(early.open(QIODevice::ReadOnly));
    QCOMPARE(StatistikDatei::checkHeader(&early, &version), StatistikDatei::Ok);
    SpaltenSpeicher m2;
    const StatistikDatei::Outcome part = StatistikDatei::read(&m2, &early, version);
    QCOMPARE(part.result, StatistikDatei::Damaged);
    QCOMPARE(part.rows, 0);
    QVERIFY(part.records.isEmpty());

    // The document says how much it made of it.
    const QString path = m_dir.filePath("kaputt.stat");
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(whole.left(whole.size() - 3));
    f.close();
    UmfrageDokument d;
    const Ergebnis e = d.load(path);
    QVERIFY(e);
    QCOMPARE(e.meldung(), QString("Die Datei %1 ist beschädigt. Gelesen wurden 3 Zeilen und 2 "
                                  "Ansichten.").arg(path));
    QCOMPARE(d.viewCount(), 3);
    QCOMPARE(d.stored(2).title.toString(), QString("Zahlen"));
}

void TstRecords::viewsFileRecordsAndMissingColumns()
{
    UmfrageDokument d;
    build(d);
    const QString path = m_dir.filePath("ansichten.csv");
    QVERIFY(d.exportViewsCSV(path));
    const QString text = CsvReader::decode(TestUtil::fileBytes(path));

    // The same survey: every record, as the document keeps it.
    const ViewsCsv::Inhalt all = ViewsCsv::lesen(text, {"Farbe", "Größe", "Alter"});
    QCOMPARE(all.lines, 3);
    QCOMPARE(all.records.size(), 3);
    QCOMPARE(all.lineOf, (QVector<int>{1, 2, 3}));
    QVERIFY(all.missing.isEmpty());
    for (int i = 0; i < 3; ++i)
        QCOMPARE(all.records.at(i), d.record(i + 1, all.version));

    // Next month's survey: the columns in another order, "Größe" gone. The views over
    // it are left out and the title named once; the others find their columns by title.
    const ViewsCsv::Inhalt next = ViewsCsv::lesen(text, {"Alter", "Farbe"});
    QCOMPARE(next.lines, 3);
    QCOMPARE(next.leftOut, 2);
    QCOMPARE(next.missing, QStringList{"Größe"});
    QCOMPARE(next.records.size(), 1);
    QCOMPARE(next.lineOf, QVector<int>{1});
    QCOMPARE(next.records.first().title, QString("Farben"));
    QCOMPARE(next.records.first().columns, QVector<int>{1});
    QCOMPARE(next.records.first().notes, QString("<b>Notiz</b>"));
}

namespace {
// A page that counts how often its settings are written.
class CountingView : public ModelClient
{
public:
    void setModel(SpaltenSpeicher* m) override { m_model = m; }
    void saveData(QDataStream& s, int version) override
    {
        ++saved;
        ModelClient::saveData(s, version);
    }
    int saved = 0;
};
}

void TstRecords::writersAskEachViewOnce()
{
    UmfrageDokument d;
    d.startNewTable();
    QVector<CountingView*> views;
    for (int i = 0; i < 50; ++i) {
        views << new CountingView;
        d.appendView(QString::number(i), views.last());
    }
    QBuffer stat;
    QVERIFY(stat.open(QIODevice::WriteOnly));
    StatistikDatei::write(d.dataModel(), d.hiddenColumns(), d, &stat);
    for (const CountingView* v : views)
        QCOMPARE(v->saved, 1);
    ViewsCsv::toCsv(d);
    for (const CountingView* v : views)
        QCOMPARE(v->saved, 2);
}

void TstRecords::plainCsvReadAlikeEitherWay()
{
    // A CSV file of no platform, its separator a comma and a quoted field holding one:
    // recognised by its content or imported as CSV, the same table.
    const QString path = m_dir.filePath("komma.csv");
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("#Kommentar\nFarbe,\"Ort, Land\"\nrot,\"Berlin, Mitte\"\ngrün,Wien\n");
    f.close();
    UmfrageDokument plain;
    QVERIFY(plain.importCSV(path));
    UmfrageDokument recognised;
    QVERIFY(recognised.importErkannt(path, false));
    QVERIFY(recognised.erkannteQuelle().isEmpty());
    QCOMPARE(recognised.dataModel()->columnCount(), 2);
    QCOMPARE(recognised.dataModel()->headerData(1, Qt::Horizontal).toString(),
             QString("Ort, Land"));
    QCOMPARE(TestUtil::cellTexts(recognised.dataModel()), TestUtil::cellTexts(plain.dataModel()));
    QCOMPARE(recognised.surveyFile(), path);
}

QTEST_MAIN(TstRecords)
#include "tst_records.moc"
