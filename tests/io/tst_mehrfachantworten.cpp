#include <QDataStream>
#include <QFile>
#include <QStackedWidget>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTest>

#include "analyses/mehrfachantworten.h"
#include "app/view.h"
#include "core/mehrfachsets.h"
#include "core/recomputescheduler.h"
#include "core/roles.h"
#include "core/statistikdatei.h"
#include "diagrams/diagram.h"
#include "scriptedanswerer.h"
#include "testutil.h"
#include "windowutil.h"

namespace {
// Three respondents over three options of "Kanal"; the third chose nothing.
QStandardItemModel* kanalModel(QObject* parent)
{
    return TestUtil::makeModel({"Alter", "Kanal – Zeitung", "Kanal – Radio", "Kanal – TV"},
                               {{"18", "ja", "", "nein"},
                                {"30", "ja", "ja", " "},
                                {"40", "", "", ""}},
                               parent);
}

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
}

class TstMehrfachantworten : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void counting_data();
    void counting();
    void viewShowsSharesOfTheBase();
    void setsAndViewKeptInTheFile();
    void setsRecordRefusesWhatTheBytesCannotHold();
    void menuMakesSetAndView();

private:
    QTemporaryDir m_dir;
};

void TstMehrfachantworten::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QCoreApplication::setOrganizationName("Orvinsk-Test");
    QCoreApplication::setApplicationName("tst_mehrfachantworten");
}

void TstMehrfachantworten::counting_data()
{
    QTest::addColumn<QString>("wert");
    QTest::addColumn<QVector<double>>("gewaehlt");
    QTest::addColumn<double>("basis");
    QTest::addColumn<double>("antworten");
    // Any answer counts ("nein" too; a blank does not).
    QTest::newRow("not empty") << QString() << QVector<double>{2, 1, 1} << 2.0 << 4.0;
    QTest::newRow("named value") << QString("ja") << QVector<double>{2, 1, 0} << 2.0 << 3.0;
    QTest::newRow("value nobody gave") << QString("x") << QVector<double>{0, 0, 0} << 0.0
                                       << 0.0;
}

void TstMehrfachantworten::counting()
{
    QFETCH(QString, wert);
    QFETCH(QVector<double>, gewaehlt);
    QFETCH(double, basis);
    QFETCH(double, antworten);
    QObject owner;
    QStandardItemModel* m = kanalModel(&owner);
    MehrfachSet set{"Kanal", {1, 2, 3}, wert};
    const MehrfachZaehlung z = MehrfachSets::zaehlen(m, set);
    QCOMPARE(z.optionen, (QStringList{"Zeitung", "Radio", "TV"}));
    QCOMPARE(z.gewaehlt, gewaehlt);
    QCOMPARE(z.basis, basis);
    QCOMPARE(z.antworten, antworten);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(z.prozentDerBasis().at(i), basis > 0 ? 100.0 * gewaehlt.at(i) / basis : 0.0);
        QCOMPARE(z.prozentDerAntworten().at(i),
                 antworten > 0 ? 100.0 * gewaehlt.at(i) / antworten : 0.0);
    }
}

void TstMehrfachantworten::viewShowsSharesOfTheBase()
{
    QObject owner;
    QStandardItemModel* m = kanalModel(&owner);
    MehrfachSets::of(m)->add({"Kanal", {1, 2, 3}, "ja"});
    Mehrfachantworten view;
    view.setModel(m);
    view.setSpalten({1, 2, 3});
    QCOMPARE(view.basisText(), QString("n = 2"));
    QCOMPARE(view.diagram()->values(), (QVector<double>{100, 50, 0}));
    QCOMPARE(view.diagram()->labelList(), (QStringList{"Zeitung", "Radio", "TV"}));

    // The table adds the counts and the shares of all answers.
    QVERIFY(view.setDiagramTyp("Tabelle"));
    QCOMPARE(view.diagram()->values(),
             (QVector<double>{2, 1, 0, 100, 50, 0, 200.0 / 3, 100.0 / 3, 0}));
    QVERIFY(!view.setDiagramTyp("Kuchen"));
    QCOMPARE(view.diagramTyp(), QString("Tabelle"));

    // A cell change is followed.
    m->item(2, 3)->setText("ja");
    QTRY_COMPARE(view.basisText(), QString("n = 3"));
}

void TstMehrfachantworten::setsAndViewKeptInTheFile()
{
    const QString path = m_dir.path() + "/sets.stat";
    View v;
    v.clearViews();
    QStandardItemModel* m = v.dataModel();
    m->clear();
    QObject owner;
    QStandardItemModel* src = kanalModel(&owner);
    m->setHorizontalHeaderLabels({"Alter", "Kanal – Zeitung", "Kanal – Radio", "Kanal – TV"});
    for (const QStringList& row : TestUtil::cellTexts(src)) {
        QList<QStandardItem*> items;
        for (const QString& t : row)
            items << new QStandardItem(t);
        m->appendRow(items);
    }
    // Without sets the file is the one version 5 wrote.
    QCOMPARE(StatistikDatei::versionFor(m, v), qint16(5));
    const QVector<MehrfachSet> sets{{"Kanal", {1, 2, 3}, "ja"}, {"Leer", {}, ""}};
    MehrfachSets::of(m)->setSets(sets);
    QCOMPARE(StatistikDatei::versionFor(m, v), qint16(7));
    auto* view = qobject_cast<Mehrfachantworten*>(
        v.createView("", "Mehrfachantworten", {1, 2, 3}, "Kanal", ""));
    QVERIFY(view);
    QVERIFY(view->setDiagramTyp("TortenDiagram"));
    v.goHome();
    QVERIFY(v.save(path));
    const QByteArray bytes = fileBytes(path);
    QCOMPARE(bytes.left(6).toHex(), QByteArray("ffaa01bb0007"));

    View w;
    ScriptedAnswerer ans;   // a clean file: no warning
    QVERIFY(w.load(path));
    QCOMPARE(ans.asked.size(), 0);
    QCOMPARE(MehrfachSets::von(w.dataModel()), sets);
    auto* back = qobject_cast<Mehrfachantworten*>(w.viewArea()->widget(1));
    QVERIFY(back);
    QCOMPARE(back->spalten(), (QVector<int>{1, 2, 3}));
    QCOMPARE(back->diagramTyp(), QString("TortenDiagram"));
    QTRY_COMPARE(back->basisText(), QString("n = 2"));
    w.goHome();
    const QString again = m_dir.path() + "/sets2.stat";
    QVERIFY(w.save(again));
    QCOMPARE(fileBytes(again).toHex(), bytes.toHex());

    // New data ends the sets.
    w.createDemoViews();
    QVERIFY(MehrfachSets::von(w.dataModel()).isEmpty());
}

void TstMehrfachantworten::setsRecordRefusesWhatTheBytesCannotHold()
{
    QByteArray bytes;
    {
        QDataStream s(&bytes, QIODevice::WriteOnly);
        s.setVersion(QDataStream::Qt_4_6);
        s << qint32(1) << QString("A") << QString() << qint32(3) << qint32(0) << qint32(9)
          << qint32(1);
    }
    QVector<MehrfachSet> sets;
    {
        QDataStream s(bytes);
        s.setVersion(QDataStream::Qt_4_6);
        QVERIFY(MehrfachSets::read(s, 2, &sets));
    }
    // A column the table does not have is dropped.
    QCOMPARE(sets, (QVector<MehrfachSet>{{"A", {0, 1}, ""}}));
    QByteArray huge;
    {
        QDataStream s(&huge, QIODevice::WriteOnly);
        s << qint32(100000000);
    }
    QDataStream s(huge);
    QVERIFY(!MehrfachSets::read(s, 2, &sets));
    QDataStream cut(bytes.left(bytes.size() - 4));
    cut.setVersion(QDataStream::Qt_4_6);
    QVERIFY(!MehrfachSets::read(cut, 2, &sets));
}

void TstMehrfachantworten::menuMakesSetAndView()
{
    View v;
    v.clearViews();
    QStandardItemModel* m = v.dataModel();
    m->clear();
    m->setHorizontalHeaderLabels({"Alter", "Kanal – Zeitung", "Kanal – Radio", "Kanal – TV"});
    m->appendRow({new QStandardItem("18"), new QStandardItem("1"), new QStandardItem("0"),
                  new QStandardItem("1")});
    m->appendRow({new QStandardItem("30"), new QStandardItem("0"), new QStandardItem("0"),
                  new QStandardItem("0")});
    WindowUtil::selectColumns(v, {3, 1});
    QAction* act = v.findChild<QAction*>("actMultiSet");
    QVERIFY(act);
    QVERIFY(act->isEnabled());
    {
        ScriptedAnswerer ans;
        ans.cancel(UserInput::Text);
        act->trigger();
        QCOMPARE(ans.unexpected, 0);
        QVERIFY(MehrfachSets::von(m).isEmpty());
        QCOMPARE(v.viewListModel()->rowCount(), 1);
    }
    ScriptedAnswerer ans;
    ans.accept(UserInput::Text, "Kanal").accept(UserInput::Text, "1");
    act->trigger();
    QCOMPARE(ans.unexpected, 0);
    QCOMPARE(ans.asked.first().title, QString("Mehrfachantworten-Set"));
    // The options in the order chosen.
    QCOMPARE(MehrfachSets::von(m), (QVector<MehrfachSet>{{"Kanal", {3, 1}, "1"}}));
    QCOMPARE(v.viewListModel()->rowCount(), 2);
    QStandardItem* it = v.viewListModel()->item(1);
    QCOMPARE(it->text(), QString("Kanal"));
    QCOMPARE(it->data(Roles::ViewType).toString(), QString("Mehrfachantworten"));
    auto* view = qobject_cast<Mehrfachantworten*>(v.viewArea()->widget(1));
    QVERIFY(view);
    QTRY_COMPARE(view->basisText(), QString("n = 1"));
    QCOMPARE(view->zaehlung().optionen, (QStringList{"TV", "Zeitung"}));
    QCOMPARE(view->diagram()->values(), (QVector<double>{100, 100}));
}

QTEST_MAIN(TstMehrfachantworten)
#include "tst_mehrfachantworten.moc"
