#include <QContextMenuEvent>
#include <QDataStream>
#include <QMimeData>
#include <QFile>
#include <QLabel>
#include <QTableWidget>
#include <QStackedWidget>
#include <QStandardItemModel>
#include "core/spaltenspeicher.h"
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "analyses/kreuztabelle.h"
#include "analyses/mehrfachantworten.h"
#include "app/view.h"
#include "core/gewichtung.h"
#include "core/mehrfachsets.h"
#include "core/recomputescheduler.h"
#include "core/roles.h"
#include "io/statistikdatei.h"
#include "diagrams/diagram.h"
#include "io/clipboardcopy.h"
#include "io/viewscsv.h"
#include "io/umfragedokument.h"
#include "scriptedanswerer.h"
#include "testutil.h"
#include "windowutil.h"

namespace {
// Three respondents over three options of "Kanal"; the third chose nothing.
SpaltenSpeicher* kanalModel(QObject* parent)
{
    return TestUtil::makeModel({"Alter", "Kanal – Zeitung", "Kanal – Radio", "Kanal – TV"},
                               {{"18", "ja", "", "nein"},
                                {"30", "ja", "ja", " "},
                                {"40", "", "", ""}},
                               parent);
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
    void weightedLikeEveryCountingView();
    void setsAndViewKeptInTheFile();
    void setsRecordRefusesWhatTheBytesCannotHold();
    void menuMakesSetAndView();
    void crosstabOverASet();
    void typeMenuTextAndReport();
    void filterKeptFromItsVersion();

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
    SpaltenSpeicher* m = kanalModel(&owner);
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
    SpaltenSpeicher* m = kanalModel(&owner);
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
    m->zelle(2, 3).setText("ja");
    QTRY_COMPARE(view.basisText(), QString("n = 3"));
}

// A weighted survey weights the set's view too: choices and base are sums of weights,
// "n = ..." counts respondents, one without a valid weight is left out and named.
void TstMehrfachantworten::weightedLikeEveryCountingView()
{
    QObject owner;
    SpaltenSpeicher* m = TestUtil::makeModel(
        {"Alter", "Kanal – Zeitung", "Kanal – Radio", "Kanal – TV", "Gewicht"},
        {{"18", "ja", "", "nein", "2"},
         {"30", "ja", "ja", " ", "0.5"},
         {"40", "", "", "", "3"},
         {"50", "", "ja", "", "kaputt"}},
        &owner);
    const MehrfachSet set{"Kanal", {1, 2, 3}, "ja"};
    const MehrfachZaehlung plain = MehrfachSets::zaehlen(m, set);
    QCOMPARE(plain.gewaehlt, (QVector<double>{2, 2, 0}));
    QCOMPARE(plain.basis, 3.0);
    QCOMPARE(plain.befragte, 3);

    MehrfachSets::of(m)->add(set);
    Mehrfachantworten view;
    view.setModel(m);
    view.setSpalten({1, 2, 3});
    Gewichtung::of(m)->setSpalte(4);
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    const MehrfachZaehlung w = MehrfachSets::zaehlen(m, set, Gewichtung::gewichte(m));
    QCOMPARE(w.gewaehlt, (QVector<double>{2.5, 0.5, 0}));
    QCOMPARE(w.basis, 2.5);
    QCOMPARE(w.antworten, 3.0);
    QCOMPARE(w.befragte, 2);
    QCOMPARE(w.ohneGewicht, 1);
    QCOMPARE(view.basisText(), QString("n = 2"));
    QCOMPARE(view.diagram()->values(), (QVector<double>{100, 20, 0}));
    QVERIFY2(view.diagram()->titleText().contains("Gewicht"), qPrintable(view.diagram()->titleText()));

    // A changed weight counts again.
    m->zelle(1, 4).setText("1.5");
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    QCOMPARE(view.diagram()->values().at(1), 100.0 * 1.5 / 3.5);
}

void TstMehrfachantworten::setsAndViewKeptInTheFile()
{
    const QString path = m_dir.path() + "/sets.stat";
    UmfrageDokument v;
    v.createDemo();
    v.clearViews();
    SpaltenSpeicher* m = v.dataModel();
    m->clear();
    QObject owner;
    SpaltenSpeicher* src = kanalModel(&owner);
    TestUtil::fillModel(m, {"Alter", "Kanal – Zeitung", "Kanal – Radio", "Kanal – TV"},
                        TestUtil::cellTexts(src));
    // Without sets the file is the one version 5 wrote.
    QCOMPARE(StatistikDatei::versionFor(m, v), qint16(5));
    const QVector<MehrfachSet> sets{{"Kanal", {1, 2, 3}, "ja"}, {"Leer", {}, ""}};
    MehrfachSets::of(m)->setSets(sets);
    QCOMPARE(StatistikDatei::versionFor(m, v), qint16(7));
    auto* view = qobject_cast<Mehrfachantworten*>(
        v.createView("", "Mehrfachantworten", {1, 2, 3}, "Kanal", ""));
    QVERIFY(view);
    QVERIFY(view->setDiagramTyp("TortenDiagram"));
    v.setCurrentView(0);
    QVERIFY(v.save(path));
    const QByteArray bytes = TestUtil::fileBytes(path);
    QCOMPARE(bytes.left(6).toHex(), QByteArray("ffaa01bb0007"));

    UmfrageDokument w;
    w.createDemo();
    ScriptedAnswerer ans;   // a clean file: no warning
    QVERIFY(w.load(path));
    QCOMPARE(ans.asked.size(), 0);
    QCOMPARE(MehrfachSets::von(w.dataModel()), sets);
    auto* back = qobject_cast<Mehrfachantworten*>(w.viewPage(1));
    QVERIFY(back);
    QCOMPARE(back->spalten(), (QVector<int>{1, 2, 3}));
    QCOMPARE(back->diagramTyp(), QString("TortenDiagram"));
    QTRY_COMPARE(back->basisText(), QString("n = 2"));
    w.setCurrentView(0);
    const QString again = m_dir.path() + "/sets2.stat";
    QVERIFY(w.save(again));
    QCOMPARE(TestUtil::fileBytes(again).toHex(), bytes.toHex());

    // New data ends the sets.
    w.createDemo();
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
    v.document()->clearViews();
    SpaltenSpeicher* m = v.document()->dataModel();
    m->clear();
    m->setHorizontalHeaderLabels({"Alter", "Kanal – Zeitung", "Kanal – Radio", "Kanal – TV"});
    m->zeileAnfuegen({"18", "1", "0",
                  QVariant("1")});
    m->zeileAnfuegen({"30", "0", "0",
                  QVariant("0")});
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
        QCOMPARE(v.document()->viewListModel()->rowCount(), 1);
    }
    ScriptedAnswerer ans;
    ans.accept(UserInput::Text, "Kanal").accept(UserInput::Text, "1");
    act->trigger();
    QCOMPARE(ans.unexpected, 0);
    QCOMPARE(ans.asked.first().title, QString("Mehrfachantworten-Set"));
    // The options in the order chosen.
    QCOMPARE(MehrfachSets::von(m), (QVector<MehrfachSet>{{"Kanal", {3, 1}, "1"}}));
    QCOMPARE(v.document()->viewListModel()->rowCount(), 2);
    QStandardItem* it = v.document()->viewListModel()->item(1);
    QCOMPARE(it->text(), QString("Kanal"));
    QCOMPARE(it->data(Roles::ViewType).toString(), QString("Mehrfachantworten"));
    auto* view = qobject_cast<Mehrfachantworten*>(v.viewArea()->widget(1));
    QVERIFY(view);
    QTRY_COMPARE(view->basisText(), QString("n = 1"));
    QCOMPARE(view->zaehlung().optionen, (QStringList{"TV", "Zeitung"}));
    QCOMPARE(view->diagram()->values(), (QVector<double>{100, 100}));
}

void TstMehrfachantworten::crosstabOverASet()
{
    View v;
    v.document()->clearViews();
    SpaltenSpeicher* m = v.document()->dataModel();
    m->clear();
    TestUtil::fillModel(m, {"G", "Kanal – Zeitung", "Kanal – Radio", "Kanal – TV"},
                        {{"m", "1", "1", ""}, {"m", "1", "", ""}, {"w", "", "", "1"},
                         {"w", "1", "", "1"}, {"m", "", "", ""}});
    WindowUtil::selectColumns(v, {1, 2, 3});
    {
        ScriptedAnswerer ans;
        ans.accept(UserInput::Text, "Kanal").accept(UserInput::Text, "1");
        v.findChild<QAction*>("actMultiSet")->trigger();
        QCOMPARE(ans.unexpected, 0);
    }
    // The set's own view and a crosstab without a set keep the file at version 7.
    QVERIFY(v.document()->createView("", "Kreuztabelle", {0, 1}, "Einfach", ""));
    QCOMPARE(StatistikDatei::versionFor(m, *v.document()), qint16(7));

    // "Kanal" as the rows of a crosstab over G; a cancelled question makes nothing.
    WindowUtil::selectColumns(v, {0});
    {
        ScriptedAnswerer ans;
        ans.accept(UserInput::Item, "Kreuztabelle")
            .accept(UserInput::Text, "Kanal nach G")
            .cancel(UserInput::Item);
        v.actCreateView->trigger();
        QCOMPARE(ans.unexpected, 0);
        QCOMPARE(v.document()->viewListModel()->rowCount(), 3);
    }
    {
        ScriptedAnswerer ans;
        ans.accept(UserInput::Item, "Kreuztabelle")
            .accept(UserInput::Text, "Kanal nach G")
            .accept(UserInput::Item, "Kanal");
        v.actCreateView->trigger();
        QCOMPARE(ans.unexpected, 0);
        QCOMPARE(ans.pending(), 0);
        QCOMPARE(ans.asked.at(2).items, (QStringList{"Spalte 1", "Kanal"}));
    }
    QCOMPARE(v.document()->viewListModel()->rowCount(), 4);
    auto* k = qobject_cast<Kreuztabelle*>(v.viewArea()->widget(3));
    QVERIFY(k);
    QCOMPARE(k->spalten(), (QVector<int>{1, 2, 3, 0}));
    QVERIFY(k->hatSets());
    const auto cells = [](Kreuztabelle* t) {
        QStringList out;
        for (int r = 0; r < t->table()->rowCount(); ++r)
            for (int c = 0; c < t->table()->columnCount(); ++c)
                out << (t->table()->item(r, c) ? t->table()->item(r, c)->text() : QString());
        return out;
    };
    // Of the two in m who chose any channel both read the paper: the shares of a
    // column add up to more than 100 %.
    const QStringList shown{"Kanal", "Gesamt", "G: m (A)", "G: w (B)",
                            "Zeitung", "3 75.0 %", "2 100.0 %", "1 50.0 %",
                            "Radio", "1 25.0 %", "1 50.0 %", "0 0.0 %",
                            "TV", "2 50.0 %", "0 0.0 %", "2 100.0 % a",
                            "Gesamt", "4 100.0 %", "2 100.0 %", "2 100.0 %",
                            "Basis (n)", "4", "2", "2"};
    QTRY_COMPARE(cells(k), shown);
    QVERIFY(k->notes()->text().contains("kein χ²-Test"));
    // A set as a block after the selected columns.
    v.goHome();
    WindowUtil::selectColumns(v, {0});
    {
        ScriptedAnswerer ans;
        ans.accept(UserInput::Item, "Kreuztabelle")
            .accept(UserInput::Text, "G nach Kanal")
            .accept(UserInput::Item, "Spalte 1")
            .accept(UserInput::Item, "Kanal");
        v.actCreateView->trigger();
        QCOMPARE(ans.unexpected, 0);
        QCOMPARE(ans.asked.size(), 4);
        QCOMPARE(ans.asked.at(3).items, (QStringList{"keines", "Kanal"}));
    }
    auto* byBlock = qobject_cast<Kreuztabelle*>(v.viewArea()->widget(4));
    QVERIFY(byBlock);
    QCOMPARE(byBlock->spalten(), (QVector<int>{0, 1, 2, 3}));
    QTRY_COMPARE(byBlock->ergebnis().bloecke.size(), 1);
    QVERIFY(byBlock->ergebnis().bloecke.first().mehrfach);
    QCOMPARE(byBlock->ergebnis().bloecke.first().summe, (QVector<double>{3, 1, 2}));

    // Saved with the version that holds sets in crosstabs, read back as it was.
    const QString path = m_dir.path() + "/kreuz.stat";
    v.goHome();
    QVERIFY(v.save(path));
    const QByteArray bytes = TestUtil::fileBytes(path);
    QCOMPARE(bytes.left(6).toHex(), QByteArray("ffaa01bb0009"));
    View w;
    {
        ScriptedAnswerer ans;   // a clean file: no warning
        QVERIFY(w.load(path));
        QCOMPARE(ans.asked.size(), 0);
    }
    auto* back = qobject_cast<Kreuztabelle*>(w.viewArea()->widget(3));
    QVERIFY(back);
    QCOMPARE(back->eintraege(), k->eintraege());
    QTRY_COMPARE(cells(back), shown);
    w.goHome();
    const QString again = m_dir.path() + "/kreuz2.stat";
    QVERIFY(w.save(again));
    QCOMPARE(TestUtil::fileBytes(again).toHex(), bytes.toHex());

    // A program that knows only older versions refuses the file as too new.
    QByteArray newer = bytes;
    newer[5] = char(StatistikDatei::NewestVersion + 1);
    QFile f(m_dir.path() + "/newer.stat");
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(newer);
    f.close();
    {
        ScriptedAnswerer ans;
        ans.accept(UserInput::Warning, QMessageBox::Ok);
        QVERIFY(!w.load(f.fileName()));
        QVERIFY(ans.asked.first().label.contains("neueren Programmversion"));
    }

    // Without the set the crosstab shows what is left and says what is missing; undo
    // of the view's removal brings the set entry back with it.
    MehrfachSets::of(w.document()->dataModel())->setSets({});
    QTRY_COMPARE(back->ergebnis().fehlendeSets, QStringList{"Kanal"});
    QCOMPARE(back->table()->rowCount(), 0);
    MehrfachSets::of(w.document()->dataModel())->setSets({{"Kanal", {1, 2, 3}, "1"}});
    QTRY_COMPARE(cells(back), shown);
    w.document()->removeViewUndoable(3);
    QCOMPARE(w.document()->viewListModel()->rowCount(), 4);
    w.document()->undoStack()->undo();
    auto* restored = qobject_cast<Kreuztabelle*>(w.viewArea()->widget(3));
    QVERIFY(restored);
    QCOMPARE(restored->eintraege(), k->eintraege());
    QTRY_COMPARE(cells(restored), shown);

    // A views file keeps the entries too.
    const QString views = m_dir.path() + "/kreuz.csv";
    QVERIFY(v.document()->exportViewsCSV(views));
    QVERIFY(w.document()->importViewsCSV(views));
    auto* applied = qobject_cast<Kreuztabelle*>(w.viewArea()->widget(3));
    QVERIFY(applied);
    QCOMPARE(applied->eintraege(), k->eintraege());
}


// "Typ..." offers the charts that fit; the text (on the clipboard, in the report) holds
// the options with counts and both shares, and the base.
void TstMehrfachantworten::typeMenuTextAndReport()
{
    UmfrageDokument v;
    v.createDemo();
    v.clearViews();
    SpaltenSpeicher* m = v.dataModel();
    m->clear();
    TestUtil::fillModel(m, {"Alter", "Kanal – Zeitung", "Kanal – Radio", "Kanal – <TV>"},
                        {{"18", "ja", "", "nein"}, {"30", "ja", "ja", " "}, {"40", "", "", ""}});
    MehrfachSets::of(m)->add({"Kanal", {1, 2, 3}, "ja"});
    auto* view = qobject_cast<Mehrfachantworten*>(
        v.createView("", "Mehrfachantworten", {1, 2, 3}, "Kanal", ""));
    QVERIFY(view);
    QTRY_COMPARE(view->basisText(), QString("n = 2"));
    // As bars (before the type changes) the view copies and reports its picture and,
    // since its table says more than the bars, its text as well.
    {
        std::unique_ptr<QMimeData> bars(ClipboardCopy::contentOf(view));
        QVERIFY(bars->hasImage());
        QVERIFY(bars->text().contains("Basis (Befragte)\t2"));
        const QString report = m_dir.path() + "/balken.html";
        QVERIFY(v.exportHTML(report));
        const QString html = QString::fromUtf8(TestUtil::fileBytes(report));
        QVERIFY(html.contains("<IMG src="));
        QVERIFY(html.contains("<TD>Basis (Befragte)</TD><TD>2</TD>"));
    }
    const QColor chosen(1, 2, 3);
    view->diagram()->setColors({chosen});
    {
        ScriptedAnswerer ans;
        ans.accept(UserInput::Menu, "Typ...").accept(UserInput::Item, "Tabelle");
        QContextMenuEvent e(QContextMenuEvent::Mouse, QPoint(3, 3), QPoint(40, 50));
        QCoreApplication::sendEvent(view, &e);
        QCOMPARE(ans.unexpected, 0);
        QCOMPARE(ans.asked.at(0).items.mid(0, 5),
                 (QStringList{"Typ...", "-", "mit Spalte verknüpfen", "Verknüpfung aufheben", "-"}));
        QCOMPARE(ans.asked.at(1).items,
                 (QStringList{"BalkenDiagram(V)", "BalkenDiagram(H)", "Tabelle"}));
    }
    QCOMPARE(view->diagramTyp(), QString("Tabelle"));
    QCOMPARE(view->diagram()->colorList().first(), chosen);

    const QString text = QString("\tAnzahl\t% der Befragten\t% der Antworten\n"
                                 "Zeitung\t2\t100%\t66.6667%\n"
                                 "Radio\t1\t50%\t33.3333%\n"
                                 "<TV>\t0\t0%\t0%\n"
                                 "Basis (Befragte)\t2\n"
                                 "n = 2\n");
    QCOMPARE(view->toText(), text);
    std::unique_ptr<QMimeData> mime(ClipboardCopy::contentOf(view));
    QCOMPARE(mime->text(), text);
    QVERIFY(view->toHTML().contains("<TD>&lt;TV&gt;</TD><TD>0</TD>"));

    // The report holds the same table.
    const QString report = m_dir.path() + "/bericht.html";
    QVERIFY(v.exportHTML(report));
    const QString html = QString::fromUtf8(TestUtil::fileBytes(report));
    QVERIFY2(html.contains("<TD>Basis (Befragte)</TD><TD>2</TD>"), qPrintable(html));
    // As a table it is text alone, as every table.
    QVERIFY(!html.contains("<IMG src="));
    QVERIFY(!mime->hasImage());
}

// The dependency filter counts the rows of one group; only a view that uses it needs
// the newer record, in the statistic file and the views file.
void TstMehrfachantworten::filterKeptFromItsVersion()
{
    const QString path = m_dir.path() + "/filter.stat";
    UmfrageDokument v;
    v.createDemo();
    v.clearViews();
    SpaltenSpeicher* m = v.dataModel();
    m->clear();
    TestUtil::fillModel(m, {"G", "Kanal – Zeitung", "Kanal – Radio"},
                        {{"m", "ja", "ja"}, {"w", "ja", ""}, {"w", "", "ja"}, {"m", "", ""}});
    MehrfachSets::of(m)->add({"Kanal", {1, 2}, "ja"});
    auto* view = qobject_cast<Mehrfachantworten*>(
        v.createView("", "Mehrfachantworten", {1, 2}, "Kanal", ""));
    QVERIFY(view);
    QTRY_COMPARE(view->basisText(), QString("n = 3"));
    QCOMPARE(StatistikDatei::versionFor(m, v), qint16(StatistikDatei::MehrfachVersion));
    QCOMPARE(ViewsCsv::versionFor(v), 5);
    {
        ScriptedAnswerer ans;
        ans.accept(UserInput::Columns, QVariantList{0}).accept(UserInput::Item, "w");
        view->linkAction()->trigger();
        QCOMPARE(ans.unexpected, 0);
    }
    QCOMPARE(view->basisText(), QString("n = 2"));
    QCOMPARE(view->diagram()->values(), (QVector<double>{50, 50}));
    QCOMPARE(view->angaben().first(), QString("Filter: G = w"));
    QCOMPARE(view->diagram()->captionLines(), QStringList{"Filter: G = w"});
    QCOMPARE(StatistikDatei::versionFor(m, v), qint16(11));
    QCOMPARE(ViewsCsv::versionFor(v), 11);

    v.setCurrentView(0);
    QVERIFY(v.save(path));
    QCOMPARE(TestUtil::fileBytes(path).left(6).toHex(), QByteArray("ffaa01bb000b"));
    UmfrageDokument w;
    w.createDemo();
    QVERIFY(w.load(path));
    auto* back = qobject_cast<Mehrfachantworten*>(w.viewPage(1));
    QVERIFY(back);
    QCOMPARE(back->rowFilter().depColumn(), 0);
    QCOMPARE(back->rowFilter().depValue(), QString("w"));
    QTRY_COMPARE(back->basisText(), QString("n = 2"));

    // The record at the newer version: diagram type, diagram record, filter record; a
    // record cut inside the filter applies no filter.
    QByteArray bytes;
    {
        QDataStream s(&bytes, QIODevice::WriteOnly);
        s.setVersion(QDataStream::Qt_4_6);
        view->saveData(s, StatistikDatei::MehrfachAnsichtVersion);
    }
    QByteArray older;
    {
        QDataStream s(&older, QIODevice::WriteOnly);
        s.setVersion(QDataStream::Qt_4_6);
        view->saveData(s, StatistikDatei::MehrfachVersion);
    }
    QVERIFY(bytes.startsWith(older));
    QVERIFY(bytes.size() > older.size());
    Mehrfachantworten cut;
    cut.setModel(m);
    cut.setSpalten({1, 2});
    QDataStream c(bytes.left(bytes.size() - 2));
    c.setVersion(QDataStream::Qt_4_6);
    cut.loadData(c, StatistikDatei::MehrfachAnsichtVersion);
    QCOMPARE(cut.rowFilter().depColumn(), -1);

    // Unlinked, the view counts everyone again and the file is as before.
    view->unlinkAction()->trigger();
    QCOMPARE(view->basisText(), QString("n = 3"));
    QCOMPARE(StatistikDatei::versionFor(m, v), qint16(StatistikDatei::MehrfachVersion));
}

QTEST_MAIN(TstMehrfachantworten)
#include "tst_mehrfachantworten.moc"
