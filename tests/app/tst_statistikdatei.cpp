#include <QBuffer>
#include <QDataStream>
#include <QSettings>
#include <QStackedWidget>
#include "core/spaltenspeicher.h"
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>
#include <cmath>

#include "analyses/direktmultidiagramadapter.h"
#include "analyses/haeufigkeitsdiagramadapter.h"
#include "analyses/haeufigkeitsverteilungsadapter.h"
#include "analyses/kreuztabelle.h"
#include "core/gewichtung.h"
#include "core/roles.h"
#include "core/viewrecord.h"
#include "analyses/viewtypes.h"
#include "io/statistikdatei.h"
#include "diagrams/tabelle1.h"
#include "app/view.h"
#include "core/spaltensicht.h"
#include "diagrams/viewpicture.h"
#include "tests/helpers/testutil.h"
#include "tests/helpers/windowutil.h"
#include "diagrams/diagram.h"
#include "scriptedanswerer.h"

namespace {
QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

using WindowUtil::titles;

QList<QColor> defaultColours()
{
    return {Qt::red, Qt::blue, Qt::cyan, Qt::magenta, Qt::yellow,
            Qt::green, Qt::gray, Qt::darkBlue, Qt::darkCyan, Qt::darkMagenta};
}

using TestUtil::Out;
}

// The statistic file: its bytes, old versions, round trips, safe saving, damaged files.
class TstStatistikDatei : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void bytesOfKnownState();
    void roundTripReproducesState();
    void version1HasNoDiagramRecord();
    void version3HasNoHeaderStrings();
    void version4HasNoRange();
    void classCountFromFileIsBounded_data();
    void classCountFromFileIsBounded();
    void viewsBeyondTheTableLoadEmpty_data();
    void boundedColumns_data();
    void boundedColumns();
    void repeatedColumnsStayBounded();
    void viewsBeyondTheTableLoadEmpty();
    void rejectedFilesChangeNothing_data();
    void rejectedFilesChangeNothing();
    void backupAfterTwoSaves();
    void failedSaveKeepsNameAndTitle();
    void saveAppendsEnding();
    void cutFileAtEveryByte();
    void hostileCountsDoNotAllocate();
    void versionIsTheSmallestThatHolds();
    void weightBytes();
    void weightAndCrosstabRoundTrip();

private:
    // Data table: "Größe" (hidden, derived) and a plain column; three views.
    void buildState(UmfrageDokument& v);
    QByteArray expectedBytes(UmfrageDokument& v);
    QTemporaryDir m_dir;
};

void TstStatistikDatei::initTestCase()
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.path() + "/cfg");
    QLocale::setDefault(QLocale::c());
}

void TstStatistikDatei::buildState(UmfrageDokument& v)
{
    v.clearViews();
    SpaltenSpeicher* m = v.dataModel();
    m->clear();
    m->setHorizontalHeaderLabels({"Größe", "Farbe"});
    m->setHeaderData(0, Qt::Horizontal, "Tipp", Qt::ToolTipRole);
    m->setHeaderData(0, Qt::Horizontal, "weight", Roles::DerivationKind);
    m->setHeaderData(0, Qt::Horizontal, "2", Roles::DerivationParameter);
    m->setHeaderData(0, Qt::Horizontal, "1,2", Roles::DerivationSources);
    m->zeileAnfuegen({"1", "grün"});
    m->zeileAnfuegen({"3", ""});
    v.spalten()->setHidden(0, true);

    auto* h = qobject_cast<HaeufigkeitsDiagramAdapter*>(
        v.createView("Häufigkeit", "TortenDiagram", {1}, "Farben", ""));
    QVERIFY(h);
    h->setDepFilter("3", 0);
    h->diagram()->setFont(QFont("DejaVu Sans", 11));
    QList<QColor> c = h->diagram()->colorList();
    c[1] = QColor(10, 20, 30);
    h->diagram()->setColors(c);
    auto* hv = qobject_cast<HaeufigkeitsVerteilungsAdapter*>(
        v.createView("HäufigkeitsVerteilung", "BalkenDiagram(H)", {0}, "Verteilung", ""));
    QVERIFY(hv);
    ScriptedAnswerer ans;
    ans.accept(UserInput::Int, 5).accept(UserInput::Double, 0.5).accept(UserInput::Double, 4.0);
    hv->intervalAction();
    hv->minMaxAction();
    QVERIFY(v.createView("Direkt", "Tabelle", {0, 1}, "Direkt", ""));
    v.setCurrentView(0);
    // Showing a view stores the pane's HTML as its notes; fix them to known texts.
    v.viewListModel()->item(1)->setData("<p>Notiz</p>", Roles::ViewNotes);
    v.viewListModel()->item(2)->setData("", Roles::ViewNotes);
    v.viewListModel()->item(3)->setData("", Roles::ViewNotes);
}

QByteArray TstStatistikDatei::expectedBytes(UmfrageDokument& v)
{
    Out o;
    QDataStream& s = o.s;
    s << qint32(0xFFAA01BB) << qint16(5) << qint32(2) << qint32(2);
    s << true << QVariant(QString("Größe")) << QString("Tipp") << QString("weight") << QString("2")
      << QString("1,2");
    s << false << QVariant(QString("Farbe")) << QString() << QString() << QString() << QString();
    s << QVariant(QString("1")) << QVariant(QString("grün")) << QVariant(QString("3"))
      << QVariant(QString(""));
    s << qint32(4);
    auto diagramRecord = [&s](const QFont& f, const QList<QColor>& colours) {
        s << f << qint32(colours.size());
        for (const QColor& c : colours)
            s << c;
    };
    const QFont appFont = v.viewPage(2)->font();
    // view 1: frequency, diagram record, filter record
    s << QVariant(QString("Farben")) << QVariant(QString("Häufigkeit"))
      << QVariant(QStringList{"1"}) << QVariant(QString("TortenDiagram"))
      << QVariant(QString("<p>Notiz</p>"));
    QList<QColor> pie = defaultColours() + defaultColours();
    pie[1] = QColor(10, 20, 30);
    diagramRecord(QFont("DejaVu Sans", 11), pie);
    s << QVariant(QString("")) << QString("3") << qint32(0);
    // view 2: distribution, diagram record, filter record, classes, range
    s << QVariant(QString("Verteilung")) << QVariant(QString("HäufigkeitsVerteilung"))
      << QVariant(QStringList{"0"}) << QVariant(QString("BalkenDiagram(H)"))
      << QVariant(QString(""));
    QList<QColor> bars = defaultColours();
    std::swap(bars[0], bars[1]);
    diagramRecord(appFont, bars);
    s << QVariant(QString("")) << QString() << qint32(-1) << qint32(5) << 0.5 << 4.0;
    // view 3: direct over two columns, diagram record only
    s << QVariant(QString("Direkt")) << QVariant(QString("Direkt"))
      << QVariant(QStringList{"0", "1"}) << QVariant(QString("Tabelle"))
      << QVariant(QString(""));
    diagramRecord(appFont, defaultColours());
    return o.bytes;
}

void TstStatistikDatei::bytesOfKnownState()
{
    UmfrageDokument v;
    v.createDemo();
    buildState(v);
    const QString path = m_dir.path() + "/known.stat";
    QVERIFY(v.save(path));
    const QByteArray got = readAll(path);
    const QByteArray want = expectedBytes(v);
    QCOMPARE(got.size(), want.size());
    QCOMPARE(got.toHex(), want.toHex());
    QCOMPARE(got.left(6).toHex(), QByteArray("ffaa01bb0005"));
}

void TstStatistikDatei::roundTripReproducesState()
{
    const QString path = m_dir.path() + "/round.stat";
    {
        View v;
        buildState(*v.document());
        QVERIFY(v.save(path));
    }
    View v;
    v.document()->undoStack()->push(new QUndoCommand("x"));
    QVERIFY(v.load(path));
    QCOMPARE(WindowUtil::title(v), "quorvandel7 - " + path);
    QCOMPARE(v.document()->fileName(), path);
    QVERIFY(!v.document()->undoStack()->canUndo());
    SpaltenSpeicher* m = v.document()->dataModel();
    QCOMPARE(m->columnCount(), 2);
    QCOMPARE(m->rowCount(), 2);
    QCOMPARE(m->headerData(0, Qt::Horizontal).toString(), QString("Größe"));
    QCOMPARE(m->headerData(0, Qt::Horizontal, Qt::ToolTipRole).toString(), QString("Tipp"));
    QCOMPARE(m->headerData(0, Qt::Horizontal, Roles::DerivationKind).toString(), QString("weight"));
    QCOMPARE(m->headerData(0, Qt::Horizontal, Roles::DerivationSources).toString(), QString("1,2"));
    QCOMPARE(m->headerData(1, Qt::Horizontal, Qt::ToolTipRole).toString(), QString(""));
    QVERIFY(v.dataTable()->table()->isColumnHidden(0));
    QVERIFY(!v.dataTable()->table()->isColumnHidden(1));
    QCOMPARE(m->zelle(0, 1).text(), QString("grün"));
    QCOMPARE(m->zelle(0, 1).data(Roles::RestoredValue).toString(), QString("grün"));
    QCOMPARE(m->zelle(0, 1).toolTip(), QString("grün"));
    QCOMPARE(titles(*v.document()), (QStringList{"Datentabelle", "Farben", "Verteilung", "Direkt"}));
    QCOMPARE(v.document()->viewListModel()->item(1)->toolTip(), QString("TortenDiagram, Häufigkeit, Spalte:1"));
    QCOMPARE(v.document()->viewListModel()->item(3)->toolTip(), QString("Tabelle, Direkt, Spalte:0,1"));

    auto* h = qobject_cast<HaeufigkeitsDiagramAdapter*>(v.viewArea()->widget(1));
    QVERIFY(h);
    QCOMPARE(h->rowFilter().depValue(), QString("3"));
    QCOMPARE(h->rowFilter().depColumn(), 0);
    QCOMPARE(h->diagram()->font().pointSize(), 11);
    QCOMPARE(h->diagram()->colorList().at(1), QColor(10, 20, 30));
    QCOMPARE(h->diagram()->colorList().size(), 20);
    // Only the row with 3 in the linked column counts, and its answer is empty.
    QCOMPARE(h->diagram()->labelList(), QStringList{});
    QVERIFY(v.document()->viewListModel()->item(1)->data(Roles::ViewNotes).toString().contains("Notiz"));
    auto* hv = qobject_cast<HaeufigkeitsVerteilungsAdapter*>(v.viewArea()->widget(2));
    QCOMPARE(hv->classCount(), 5);
    QCOMPARE(hv->rangeMinimum(), 0.5);
    QCOMPARE(hv->rangeMaximum(), 4.0);
    QVERIFY(v.viewArea()->widget(3)->inherits("ModelMultiDiagramAdapter"));

    // What was loaded saves and loads again to the same views and filters.
    const QString again = m_dir.path() + "/round2.stat";
    v.goHome();
    QVERIFY(v.save(again));
    View w;
    QVERIFY(w.load(again));
    QCOMPARE(titles(*w.document()), titles(*v.document()));
    auto* h2 = qobject_cast<HaeufigkeitsDiagramAdapter*>(w.viewArea()->widget(1));
    QCOMPARE(h2->rowFilter().depValue(), QString("3"));
    QCOMPARE(h2->diagram()->colorList(), h->diagram()->colorList());
    QVERIFY(w.document()->viewListModel()->item(1)->data(Roles::ViewNotes).toString().contains("Notiz"));
}

void TstStatistikDatei::version1HasNoDiagramRecord()
{
    Out o;
    o.s << qint32(0xFFAA01BB) << qint16(1) << qint32(2) << qint32(1);
    o.s << false << QVariant(QString("A"));
    o.s << QVariant(QString("x")) << QVariant(QString("y"));
    o.s << qint32(2);
    o.s << QVariant(QString("V")) << QVariant(QString("Häufigkeit")) << QVariant(QStringList{"0"})
        << QVariant(QString("BalkenDiagram(V)")) << QVariant(QString("n"));
    o.s << QVariant(QString("")) << QString("x") << qint32(0);
    const QString path = m_dir.path() + "/v1.stat";
    writeAll(path, o.bytes);
    UmfrageDokument v;
    v.createDemo();
    QVERIFY(v.load(path));
    QCOMPARE(titles(v), (QStringList{"Datentabelle", "V"}));
    auto* h = qobject_cast<HaeufigkeitsDiagramAdapter*>(v.viewPage(1));
    QCOMPARE(h->rowFilter().depValue(), QString("x"));
    QCOMPARE(h->diagram()->values(), QVector<double>{1});
    QCOMPARE(h->diagram()->colorList().first(), QColor(Qt::blue));
    QCOMPARE(v.dataModel()->headerData(0, Qt::Horizontal, Qt::ToolTipRole).toString(),
             QString("A"));
}

void TstStatistikDatei::version3HasNoHeaderStrings()
{
    Out o;
    o.s << qint32(0xFFAA01BB) << qint16(3) << qint32(1) << qint32(2);
    o.s << false << QVariant(QString("Titel")) << true << QVariant(7);
    o.s << QVariant(QString("a")) << QVariant(QString());
    o.s << qint32(1);
    const QString path = m_dir.path() + "/v3.stat";
    writeAll(path, o.bytes);
    UmfrageDokument v;
    v.createDemo();
    QVERIFY(v.load(path));
    SpaltenSpeicher* m = v.dataModel();
    QCOMPARE(m->headerData(0, Qt::Horizontal, Qt::ToolTipRole).toString(), QString("Titel"));
    QCOMPARE(m->headerData(0, Qt::Horizontal, Roles::DerivationKind).toString(), QString());
    QCOMPARE(m->headerData(1, Qt::Horizontal).toInt(), 7);
    QVERIFY(v.spalten()->isHidden(1));
    QCOMPARE(m->zelle(0, 1).text(), QString());
    QCOMPARE(titles(v), QStringList{"Datentabelle"});
}

void TstStatistikDatei::version4HasNoRange()
{
    Out o;
    o.s << qint32(0xFFAA01BB) << qint16(4) << qint32(3) << qint32(1);
    o.s << false << QVariant(QString("N")) << QString("N") << QString() << QString() << QString();
    for (const char* t : {"1", "2", "9"})
        o.s << QVariant(QString(t));
    o.s << qint32(2);
    o.s << QVariant(QString("H")) << QVariant(QString("HäufigkeitsVerteilung"))
        << QVariant(QStringList{"0"}) << QVariant(QString("TortenDiagram")) << QVariant(QString());
    o.s << QFont("DejaVu Sans", 8) << qint32(1) << QColor(Qt::black);
    o.s << QVariant(QString("")) << QString() << qint32(-1) << qint32(4);
    const QString path = m_dir.path() + "/v4.stat";
    writeAll(path, o.bytes);
    UmfrageDokument v;
    v.createDemo();
    ScriptedAnswerer ans;   // a clean file: no warning expected
    QVERIFY(v.load(path));
    QCOMPARE(ans.asked.size(), 0);
    auto* hv = qobject_cast<HaeufigkeitsVerteilungsAdapter*>(v.viewPage(1));
    QVERIFY(hv);
    QCOMPARE(hv->classCount(), 4);
    QCOMPARE(hv->rangeMinimum(), 0.0);
    QCOMPARE(hv->rangeMaximum(), 0.0);
    QCOMPARE(hv->diagram()->colorList(), QList<QColor>{QColor(Qt::black)});
    QCOMPARE(hv->diagram()->font().pointSize(), 8);
    QCOMPARE(hv->diagram()->values().size(), 4);
}

namespace {
// A version 5 file of one numeric column "N" (rows 1, 2, 9) and the given view records.
void fileWithOneColumn(Out& o, int viewRecords)
{
    o << qint32(0xFFAA01BB) << qint16(5) << qint32(3) << qint32(1);
    o << false << QVariant(QString("N")) << QString("N") << QString() << QString() << QString();
    for (const char* t : {"1", "2", "9"})
        o << QVariant(QString(t));
    o << qint32(viewRecords + 1);
}

void viewValues(Out& o, const QString& adapter, const QStringList& columns, const QString& type)
{
    o << QVariant(QString("V")) << QVariant(adapter) << QVariant(columns) << QVariant(type)
      << QVariant(QString());
}
}

// The number of classes of a histogram comes from the file; whatever it says, the
// view is made with a count the dialog could have given.
void TstStatistikDatei::classCountFromFileIsBounded_data()
{
    QTest::addColumn<qint32>("stored");
    QTest::addColumn<int>("used");
    QTest::newRow("in range") << qint32(7) << 7;
    QTest::newRow("zero") << qint32(0) << 4;
    QTest::newRow("negative") << qint32(-5) << 4;
    QTest::newRow("largest int") << qint32(2147483647) << 100;
}

void TstStatistikDatei::classCountFromFileIsBounded()
{
    QFETCH(qint32, stored);
    QFETCH(int, used);
    Out o;
    fileWithOneColumn(o, 1);
    viewValues(o, "HäufigkeitsVerteilung", {"0"}, "BalkenDiagram(V)");
    o << QFont("DejaVu Sans", 8) << qint32(1) << QColor(Qt::black);
    o << QVariant(QString("")) << QString() << qint32(-1) << stored << 0.0 << 10.0;
    const QString path = m_dir.path() + "/classes.stat";
    writeAll(path, o.bytes);
    View v;
    ScriptedAnswerer ans;
    QVERIFY(v.load(path));
    QCOMPARE(ans.asked.size(), 0);
    auto* hv = qobject_cast<HaeufigkeitsVerteilungsAdapter*>(v.viewArea()->widget(1));
    QVERIFY(hv);
    QCOMPARE(hv->classCount(), used);
    QCOMPARE(hv->diagram()->values().size(), used);
}

// A file may name columns the data table does not have (written by hand, or damaged):
// the view is made and the file counts as read. Such a column reads as empty cells: at
// most one count per row, nothing else.
void TstStatistikDatei::viewsBeyondTheTableLoadEmpty_data()
{
    QTest::addColumn<QString>("adapter");
    QTest::addColumn<QStringList>("columns");
    QTest::addColumn<QByteArray>("settings");
    Out diagram, filtered, histogram;
    for (Out* o : {&diagram, &filtered, &histogram})
        *o << QFont("DejaVu Sans", 8) << qint32(1) << QColor(Qt::black);
    for (Out* o : {&filtered, &histogram})
        *o << QVariant(QString("")) << QString() << qint32(-1);
    histogram << qint32(4) << 0.0 << 0.0;
    QTest::newRow("frequency") << "Häufigkeit" << QStringList{"5"} << filtered.bytes;
    QTest::newRow("direct") << "Direkt" << QStringList{"1"} << diagram.bytes;
    QTest::newRow("histogram") << "HäufigkeitsVerteilung" << QStringList{"3"} << histogram.bytes;
    QTest::newRow("multi frequency") << "Häufigkeit" << QStringList{"0", "7"} << filtered.bytes;
    QTest::newRow("multi direct") << "Direkt" << QStringList{"4", "2"} << diagram.bytes;
    QTest::newRow("combinations") << "Spaltenhäufigkeit" << QStringList{"0", "9"} << diagram.bytes;
}

void TstStatistikDatei::viewsBeyondTheTableLoadEmpty()
{
    QFETCH(QString, adapter);
    QFETCH(QStringList, columns);
    QFETCH(QByteArray, settings);
    Out o;
    fileWithOneColumn(o, 1);
    viewValues(o, adapter, columns, "BalkenDiagram(V)");
    o.s.writeRawData(settings.constData(), settings.size());
    const QString path = m_dir.path() + "/beyond.stat";
    writeAll(path, o.bytes);
    View v;
    ScriptedAnswerer ans;   // read completely: no warning
    QVERIFY(v.load(path));
    QCOMPARE(ans.asked.size(), 0);
    QCOMPARE(v.viewArea()->count(), 2);
    auto* a = dynamic_cast<DiagramAdapter*>(v.viewArea()->widget(1));
    QVERIFY(a);
    QCOMPARE(a->diagram()->font().pointSize(), 8);
    double sum = 0;
    for (double x : a->diagram()->values()) {
        QVERIFY(x == 0 || std::isfinite(x));
        sum += x;
    }
    QVERIFY2(sum <= 3 * columns.size(), qPrintable(QString::number(sum)));
    v.viewArea()->setCurrentIndex(1);
    QVERIFY(!ViewPicture::of(v.viewArea()->widget(1), QSize(300, 200)).isNull());
}

void TstStatistikDatei::boundedColumns_data()
{
    QTest::addColumn<QVector<int>>("listed");
    QTest::addColumn<int>("columnCount");
    QTest::addColumn<QVector<int>>("used");
    QVector<int> wide;
    for (int c = 0; c < 1500; ++c)
        wide << c;
    QTest::newRow("as a dialog makes it") << QVector<int>{2, 0, 1} << 3 << QVector<int>{2, 0, 1};
    QTest::newRow("repeated") << QVector<int>{1, 0, 1, 0, 1} << 3 << QVector<int>{1, 0, 1, 0, 1};
    QTest::newRow("beyond the table") << QVector<int>{0, 7, 9, -1, 7} << 2
                                      << QVector<int>{0, 7, 9, -1, 7};
    QTest::newRow("all beyond") << QVector<int>{9, 10} << 5 << QVector<int>{9, 10};
    QTest::newRow("single") << QVector<int>{4} << 1 << QVector<int>{4};
    QTest::newRow("empty") << QVector<int>{} << 3 << QVector<int>{};
    QTest::newRow("no table") << QVector<int>{0, 1, 2} << 0 << QVector<int>{0, 1, 2};
    QTest::newRow("a thousand entries") << QVector<int>(1000, 0) << 1 << QVector<int>(1000, 0);
    QTest::newRow("more than a thousand") << QVector<int>(1001, 0) << 1 << QVector<int>{};
    QTest::newRow("each column of a wide table once") << wide << 1500 << wide;
    QTest::newRow("wide, one beyond the table") << wide << 1499 << QVector<int>{};
    QTest::newRow("wide, one repeated") << (wide + QVector<int>{7}) << 1500 << QVector<int>{};
}

void TstStatistikDatei::boundedColumns()
{
    QFETCH(QVector<int>, listed);
    QFETCH(int, columnCount);
    QFETCH(QVector<int>, used);
    QCOMPARE(ViewRecord::boundedColumns(listed, columnCount), used);
}

// A view record listing one column many times keeps its list, and its work grows with
// the list only; a list beyond the bound makes no view, and the file counts as damaged.
void TstStatistikDatei::repeatedColumnsStayBounded()
{
    for (const int length : {1000, 1001}) {
        Out o;
        fileWithOneColumn(o, 2);
        const QStringList many(length, QString("0"));
        viewValues(o, "Direkt", many, "BalkenDiagram(V)");
        o << QFont("DejaVu Sans", 8) << qint32(1) << QColor(Qt::black);
        viewValues(o, "Spaltenhäufigkeit", many, "TortenDiagram");
        o << QFont("DejaVu Sans", 8) << qint32(1) << QColor(Qt::black);
        const QString path = m_dir.path() + "/repeated.stat";
        writeAll(path, o.bytes);
        UmfrageDokument v;
        v.createDemo();
        ScriptedAnswerer ans;
        const Ergebnis e = v.load(path);
        QCOMPARE(ans.unexpected, 0);
        // Beyond the bound the file counts as damaged and says so; within, it is clean.
        QCOMPARE(e.meldung().isEmpty(), length <= 1000);
        if (length > 1000) {
            QCOMPARE(v.viewCount(), 1);
            continue;
        }
        QCOMPARE(v.viewCount(), 3);
        for (int row : {1, 2}) {
            QCOMPARE(v.viewListModel()->item(row)->data(Roles::ViewColumns).toStringList(), many);
            auto* a = dynamic_cast<DiagramAdapter*>(v.viewPage(row));
            QVERIFY(a->diagram()->values().size() <= length * 3);
        }
    }
}

void TstStatistikDatei::rejectedFilesChangeNothing_data()
{
    QTest::addColumn<QByteArray>("bytes");
    Out tooNew;
    tooNew.s << qint32(0xFFAA01BB) << qint16(StatistikDatei::NewestVersion + 1) << qint32(0)
             << qint32(0) << qint32(1);
    Out negative;
    negative.s << qint32(0xFFAA01BB) << qint16(-1);
    QTest::newRow("wrong magic") << QByteArray("PK\x03\x04 not a statistic file");
    QTest::newRow("too new") << tooNew.bytes;
    QTest::newRow("version read unsigned") << negative.bytes;
    QTest::newRow("shorter than its header") << QByteArray::fromHex("ffaa01");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("missing") << QByteArray("-");
}

void TstStatistikDatei::rejectedFilesChangeNothing()
{
    QFETCH(QByteArray, bytes);
    const QString path = m_dir.path() + "/rejected.stat";
    QFile::remove(path);
    if (bytes != "-")
        writeAll(path, bytes);
    View v;
    const QString cell = v.document()->dataModel()->zelle(0, 0).text();
    v.document()->undoStack()->push(new QUndoCommand("x"));
    ScriptedAnswerer ans;
    ans.accept(UserInput::Question, QMessageBox::Discard)
        .accept(UserInput::OpenFile, path)
        .accept(UserInput::Warning, QMessageBox::Ok);
    v.loadFile();
    QCOMPARE(ans.unexpected, 0);
    QVERIFY(ans.asked[2].label.contains(path));
    QCOMPARE(ans.asked[1].title, QString("Datei wählen"));
    QCOMPARE(ans.asked[1].label, QString("Statistikdateien (*.stat);;Alle Dateien (*)"));
    QCOMPARE(WindowUtil::title(v), QString("quorvandel7"));
    QCOMPARE(v.document()->fileName(), QString());
    QCOMPARE(v.document()->dataModel()->rowCount(), 100);
    QCOMPARE(v.document()->dataModel()->zelle(0, 0).text(), cell);
    QVERIFY(v.document()->undoStack()->canUndo());
}

void TstStatistikDatei::backupAfterTwoSaves()
{
    const QString path = m_dir.path() + "/twice.stat";
    UmfrageDokument v;
    v.createDemo();
    buildState(v);
    QVERIFY(v.save(path));
    const QByteArray first = readAll(path);
    v.dataModel()->zelle(0, 1).setText("blau");
    QVERIFY(v.save(path));
    QCOMPARE(readAll(path + "~"), first);
    QVERIFY(readAll(path) != first);
    QVERIFY(readAll(path).size() > 0);
}

void TstStatistikDatei::failedSaveKeepsNameAndTitle()
{
    const QString good = m_dir.path() + "/good.stat";
    View v;
    ScriptedAnswerer ans;
    ans.accept(UserInput::SaveFile, good);
    v.saveFileAs();
    QCOMPARE(v.document()->fileName(), good);
    QCOMPARE(WindowUtil::title(v), "Quorvandel7 - " + good);
    const QByteArray before = readAll(good);

    // A folder stands where the file should go: the save fails and says so.
    const QString blocked = m_dir.path() + "/blocked.stat";
    QDir().mkpath(blocked);
    ans.accept(UserInput::SaveFile, blocked).accept(UserInput::Warning, QMessageBox::Ok);
    v.saveFileAs();
    QCOMPARE(ans.unexpected, 0);
    QVERIFY(ans.asked.last().label.contains(blocked));
    QCOMPARE(v.document()->fileName(), good);
    QCOMPARE(WindowUtil::title(v), "Quorvandel7 - " + good);
    QCOMPARE(readAll(good), before);
    QVERIFY(!QFile::exists(blocked + "~"));
}

void TstStatistikDatei::saveAppendsEnding()
{
    const QString base = m_dir.path() + "/ohne";
    View v;
    ScriptedAnswerer ans;
    ans.accept(UserInput::SaveFile, base);
    v.saveFileAs();
    QCOMPARE(ans.asked[0].label, QString("Statistikdateien (*.stat)"));
    QVERIFY(QFile::exists(base + ".stat"));
    QCOMPARE(v.document()->fileName(), base);
    QCOMPARE(WindowUtil::title(v), "Quorvandel7 - " + base + ".stat");
    QFile::remove(base + ".stat");
    v.saveFile();   // no question: the name is known
    QCOMPARE(ans.asked.size(), 1);
    QVERIFY(QFile::exists(base + ".stat"));
}

void TstStatistikDatei::cutFileAtEveryByte()
{
    const QString path = m_dir.path() + "/full.stat";
    {
        View v;
        buildState(*v.document());
        QVERIFY(v.save(path));
    }
    const QByteArray full = readAll(path);
    const QString cut = m_dir.path() + "/cut.stat";
    View v;
    ScriptedAnswerer ans;
    int damaged = 0;
    for (int n = 0; n < full.size(); ++n) {
        writeAll(cut, full.left(n));
        ans.accept(UserInput::Warning, QMessageBox::Ok);
        const bool loaded = v.load(cut);
        QCOMPARE(ans.pending(), 0);   // every cut file is reported
        QCOMPARE(loaded, n >= 6);
        if (loaded) {
            ++damaged;
            QVERIFY(ans.asked.last().label.contains("beschädigt"));
            QCOMPARE(v.document()->viewListModel()->rowCount(), v.viewArea()->count());
            QVERIFY(v.document()->dataModel()->rowCount() <= 2);
            QVERIFY(v.viewArea()->count() <= 4);
        }
    }
    QCOMPARE(ans.unexpected, 0);
    QVERIFY(damaged > 0);
    // Cut inside the last view's record: everything before it stays.
    writeAll(cut, full.left(full.size() - 3));
    ans.accept(UserInput::Warning, QMessageBox::Ok);
    QVERIFY(v.load(cut));
    QCOMPARE(titles(*v.document()), (QStringList{"Datentabelle", "Farben", "Verteilung"}));
    QVERIFY(ans.asked.last().label.contains("2 Zeilen"));
    QVERIFY(ans.asked.last().label.contains("2 Ansichten"));

    // A file that ends inside its cells, long before the rows it announces: the
    // columns and the complete rows stay.
    Out head;
    head.s << qint32(0xFFAA01BB) << qint16(5) << qint32(40) << qint32(2);
    head.s << true << QVariant(QString("Größe")) << QString("Tipp") << QString("weight")
           << QString("2") << QString("1,2");
    head.s << false << QVariant(QString("Farbe")) << QString() << QString() << QString()
           << QString();
    head.s << QVariant(QString("1")) << QVariant(QString("grün")) << QVariant(QString("3"));
    writeAll(cut, head.bytes);
    ans.accept(UserInput::Warning, QMessageBox::Ok);
    QVERIFY(v.load(cut));
    QCOMPARE(v.document()->dataModel()->columnCount(), 2);
    QCOMPARE(v.document()->dataModel()->headerData(1, Qt::Horizontal).toString(), QString("Farbe"));
    QCOMPARE(v.document()->dataModel()->rowCount(), 1);
    QCOMPARE(v.document()->dataModel()->zelle(0, 1).text(), QString("grün"));
    QVERIFY(v.dataTable()->table()->isColumnHidden(0));
    QVERIFY(ans.asked.last().label.contains("1 Zeilen"));
    QCOMPARE(ans.unexpected, 0);
}

void TstStatistikDatei::hostileCountsDoNotAllocate()
{
    UmfrageDokument v;
    v.createDemo();
    ScriptedAnswerer ans;
    const QString path = m_dir.path() + "/hostile.stat";

    Out counts;
    counts.s << qint32(0xFFAA01BB) << qint16(5) << qint32(0x7fffffff) << qint32(0x7fffffff);
    writeAll(path, counts.bytes);
    ans.accept(UserInput::Warning, QMessageBox::Ok);
    QVERIFY(v.load(path));
    QCOMPARE(v.dataModel()->columnCount(), 0);

    Out noColumns;   // rows without columns would be an endless loop of nothing
    noColumns.s << qint32(0xFFAA01BB) << qint16(5) << qint32(0x7fffffff) << qint32(0)
                << qint32(1);
    writeAll(path, noColumns.bytes);
    QVERIFY(v.load(path));
    QCOMPARE(v.dataModel()->rowCount(), 0);

    Out list;   // a string list claiming four billion entries
    list.s << qint32(0xFFAA01BB) << qint16(5) << qint32(0) << qint32(0) << qint32(2);
    list.s << QVariant(QString("V")) << QVariant(QString("Häufigkeit"));
    list.s << quint32(11) << qint8(0) << quint32(0xffffffff) << QString("0");
    writeAll(path, list.bytes);
    ans.accept(UserInput::Warning, QMessageBox::Ok);
    QVERIFY(v.load(path));
    QCOMPARE(v.viewCount(), 1);

    Out colours;   // a diagram record claiming a billion colours
    colours.s << qint32(0xFFAA01BB) << qint16(5) << qint32(0) << qint32(0) << qint32(2);
    colours.s << QVariant(QString("V")) << QVariant(QString("Direkt")) << QVariant(QStringList{"0"})
              << QVariant(QString("TortenDiagram")) << QVariant(QString());
    colours.s << QFont() << qint32(1000000000) << QColor(Qt::red);
    writeAll(path, colours.bytes);
    ans.accept(UserInput::Warning, QMessageBox::Ok);
    QVERIFY(v.load(path));
    QCOMPARE(v.viewCount(), 1);
    QCOMPARE(ans.unexpected, 0);
}

void TstStatistikDatei::versionIsTheSmallestThatHolds()
{
    View v;
    buildState(*v.document());
    QCOMPARE(StatistikDatei::versionFor(v.document()->dataModel(), *v.document()), qint16(5));
    Gewichtung::of(v.document()->dataModel())->setSpalte(0);
    QCOMPARE(StatistikDatei::versionFor(v.document()->dataModel(), *v.document()), qint16(6));
    Gewichtung::of(v.document()->dataModel())->setSpalte(-1);
    QVERIFY(v.document()->createView("", "Kreuztabelle", {1, 0}, "Kreuz", ""));
    QCOMPARE(StatistikDatei::versionFor(v.document()->dataModel(), *v.document()), qint16(6));
    // Without them again, the file is the one version 5 wrote.
    v.document()->removeView(4);
    v.goHome();
    v.document()->viewListModel()->item(1)->setData("<p>Notiz</p>", Roles::ViewNotes);
    v.document()->viewListModel()->item(2)->setData("", Roles::ViewNotes);
    v.document()->viewListModel()->item(3)->setData("", Roles::ViewNotes);
    const QString path = m_dir.path() + "/again5.stat";
    QVERIFY(v.save(path));
    QCOMPARE(readAll(path).toHex(), expectedBytes(*v.document()).toHex());
}

void TstStatistikDatei::weightBytes()
{
    UmfrageDokument v;
    v.createDemo();
    v.clearViews();
    SpaltenSpeicher* m = v.dataModel();
    m->clear();
    m->setHorizontalHeaderLabels({"W"});
    m->zeileAnfuegen({QString("2")});
    Gewichtung::of(m)->setSpalte(0);
    const QString path = m_dir.path() + "/weight.stat";
    QVERIFY(v.save(path));
    // Version 6: the weight column follows the column records.
    Out o;
    o << qint32(0xFFAA01BB) << qint16(6) << qint32(1) << qint32(1);
    o << false << QVariant(QString("W")) << QString() << QString() << QString() << QString();
    o << qint32(0);
    o << QVariant(QString("2")) << qint32(1);
    QCOMPARE(readAll(path).toHex(), o.bytes.toHex());

    // A weight column the table does not have weights nothing.
    Out outside;
    outside << qint32(0xFFAA01BB) << qint16(6) << qint32(1) << qint32(1);
    outside << false << QVariant(QString("W")) << QString() << QString() << QString() << QString();
    outside << qint32(5);
    outside << QVariant(QString("2")) << qint32(1);
    writeAll(path, outside.bytes);
    UmfrageDokument w;
    w.createDemo();
    ScriptedAnswerer ans;
    QVERIFY(w.load(path));
    QCOMPARE(ans.asked.size(), 0);
    QCOMPARE(Gewichtung::spalteVon(w.dataModel()), -1);
    QCOMPARE(w.dataModel()->zelle(0, 0).text(), QString("2"));
}

void TstStatistikDatei::weightAndCrosstabRoundTrip()
{
    const QString path = m_dir.path() + "/kreuz.stat";
    QByteArray first;
    {
        View v;
        buildState(*v.document());
        Gewichtung::of(v.document()->dataModel())->setSpalte(0);
        auto* k = qobject_cast<Kreuztabelle*>(v.document()->createView("", "Kreuztabelle", {1, 0}, "Kreuz",
                                                             ""));
        QVERIFY(k);
        k->setProzente(KreuztabellenRechnung::Zeilen);
        v.goHome();
        QVERIFY(v.save(path));
        first = readAll(path);
    }
    QCOMPARE(first.left(6).toHex(), QByteArray("ffaa01bb0006"));
    View v;
    ScriptedAnswerer ans;   // a clean file: no warning expected
    QVERIFY(v.load(path));
    QCOMPARE(ans.asked.size(), 0);
    QCOMPARE(Gewichtung::spalteVon(v.document()->dataModel()), 0);
    QCOMPARE(titles(*v.document()), (QStringList{"Datentabelle", "Farben", "Verteilung", "Direkt", "Kreuz"}));
    auto* k = qobject_cast<Kreuztabelle*>(v.viewArea()->widget(4));
    QVERIFY(k);
    QCOMPARE(k->spalten(), (QVector<int>{1, 0}));
    QCOMPARE(k->prozente(), KreuztabellenRechnung::Zeilen);
    QVERIFY(k->ergebnis().gewichtet);
    // grün weighs 1 (its Größe); the empty answer of Farbe is not counted, and Größe 3,
    // given only there, has no column.
    QCOMPARE(k->toText().section('\n', 0, 1),
             QString("Farbe\tGesamt\tGröße: 1 (A)\n"
                     "grün\t1.0 100.0 %\t1.0 100.0 %"));
    // Saved again: still version 6, the crosstab's record (Zeilen) last.
    v.goHome();
    const QString again = m_dir.path() + "/kreuz2.stat";
    QVERIFY(v.save(again));
    const QByteArray second = readAll(again);
    QCOMPARE(second.left(6).toHex(), QByteArray("ffaa01bb0006"));
    QCOMPARE(second.right(4).toHex(), QByteArray("00000001"));
    QCOMPARE(first.right(4).toHex(), QByteArray("00000001"));

    // Loading a file without a weight ends the weighting.
    View plain;
    buildState(*plain.document());
    const QString plainPath = m_dir.path() + "/plain.stat";
    QVERIFY(plain.save(plainPath));
    QVERIFY(v.load(plainPath));
    QCOMPARE(Gewichtung::spalteVon(v.document()->dataModel()), -1);
}

QTEST_MAIN(TstStatistikDatei)
#include "tst_statistikdatei.moc"
