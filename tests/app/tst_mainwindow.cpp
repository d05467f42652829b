#include <QAction>
#include <QComboBox>
#include <QDockWidget>
#include <QFile>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListView>
#include <QMenuBar>
#include <QSettings>
#include <QSignalSpy>
#include <QSortFilterProxyModel>
#include <QStackedWidget>
#include "core/spaltenspeicher.h"
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QToolBar>
#include <QUndoStack>

#include "core/roles.h"
#include "analyses/viewtypes.h"
#include "diagrams/modelclient.h"
#include "diagrams/tabelle1.h"
#include "app/view.h"
#include "tests/helpers/windowutil.h"
#include "scriptedanswerer.h"

namespace {
// A page with no content, standing in for a view.
class BlankView : public ModelClient
{
public:
    void setModel(SpaltenSpeicher* m) override { m_model = m; }
};

QStringList entries(const QWidget* w)
{
    QStringList out;
    for (QAction* a : w->actions()) {
        if (a->isSeparator())
            out << "-";
        else if (a->menu())
            out << ">" + a->menu()->title();
        else
            out << a->text();
    }
    return out;
}

// A command that changes nothing, to see whether the stack was cleared.
class NopCommand : public QUndoCommand
{
public:
    NopCommand() : QUndoCommand("nop") {}
};
}

class TstMainWindow : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void notASurveyKeepsTheState_data();
    void notASurveyKeepsTheState();
    void importLeavesNoStatisticFileToOverwrite();
    void menusInOrder();
    void toolbarsAndDocks();
    void actionIconsAndShortcuts();
    void enablingByColumnSelection_data();
    void enablingByColumnSelection();
    void weightNeedsMarkerForOneColumn();
    void emptiedTableDisablesColumnCommands();
    void enablingOnViewPage();
    void demonstrationData();
    void settingsRestored();
    void tableWidgetSortsThroughProxy();
    void importReadsDialect();
    void importOnlyCommentsGivesEmptyTable();
    void importAsksBothQuestions();
    void importFailureChangesNothing_data();
    void importFailureChangesNothing();
    void importCancelledChangesNothing();
    void sortedTableFilledWithoutPerRowSorting();
    void notesFollowTheirView();

private:
    QString writeFile(const QString& name, const QByteArray& bytes);
    QTemporaryDir m_dir;
};

void TstMainWindow::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QCoreApplication::setOrganizationName("Orvinsk");
    QCoreApplication::setApplicationName("quorvandel7");
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.path() + "/settings");
}

QString TstMainWindow::writeFile(const QString& name, const QByteArray& bytes)
{
    const QString path = m_dir.path() + "/" + name;
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return QString();
    f.write(bytes);
    return path;
}

void TstMainWindow::menusInOrder()
{
    View v;
    QCOMPARE(entries(v.menuBar()),
             (QStringList{">Datei", ">Bearbeiten", ">Spalten", ">Diagramme", ">Ansicht"}));
    const QList<QAction*> menus = v.menuBar()->actions();
    QCOMPARE(entries(menus[0]->menu()),
             (QStringList{"Neu", "Öffnen", "Öffnen/Import", "Speichern", "Speichern als...",
                          "Ansicht speichern als...", "-", ">Import", ">Export", "-",
                          "Beenden"}));
    QCOMPARE(entries(menus[0]->menu()->actions()[7]->menu()),
             (QStringList{"CSV", "SurveyMonkey", "Views", "SPSS (.sav)"}));
    QCOMPARE(entries(menus[0]->menu()->actions()[8]->menu()),
             (QStringList{"CSV", "Views", "HTML", "PDF", "Excel (XLSX)", "PowerPoint (PPTX)...",
                          "Vorlage..."}));
    const QStringList bearbeiten = entries(menus[1]->menu());
    QCOMPARE(bearbeiten.mid(2), (QStringList{"-", "Kopieren", "-", "Spalten kopieren",
                                             "gehe zu Spalte..."}));
    QCOMPARE(menus[1]->menu()->actions()[0], v.actUndo);
    QCOMPARE(menus[1]->menu()->actions()[1], v.actRedo);
    QCOMPARE(entries(menus[2]->menu()),
             (QStringList{"Spalten entfernen", "-", "Spalte umbenennen", "Werte ersetzen",
                          "Spalten normieren", "Spalten als Zahlen", "-",
                          "Spalten zusammenfassen", "Spalten gewichten", ">Gewichtung",
                          "Mehrfachantworten-Set...", "Mehrfachantworten-Set entfernen...", "-",
                          "Fehlende Werte...",
                          "Umkodieren...", "-", "Spaltenstatistik", "Regression"}));
    QCOMPARE(entries(menus[2]->menu()->actions()[9]->menu()),
             (QStringList{"Gewichtung...", "Gewichte anpassen..."}));
    QCOMPARE(entries(menus[3]->menu()),
             (QStringList{"Daten", "-", "Ansicht erstellen", "Ansicht entfernen", "-",
                          "Alle Ansichten entfernen"}));
    const QList<QAction*> ansicht = menus[4]->menu()->actions();
    QCOMPARE(ansicht.size(), 5);
    QCOMPARE(ansicht[0], v.findChild<QDockWidget*>("viewdock")->toggleViewAction());
    QCOMPARE(ansicht[1], v.findChild<QDockWidget*>("textdock")->toggleViewAction());
    QVERIFY(ansicht[2]->isSeparator());
    QCOMPARE(ansicht[3], v.findChild<QToolBar*>("tbColumns")->toggleViewAction());
    QCOMPARE(ansicht[4], v.findChild<QToolBar*>("tbViews")->toggleViewAction());
}

void TstMainWindow::toolbarsAndDocks()
{
    View v;
    QCOMPARE(WindowUtil::title(v), QString("quorvandel7"));
    QList<QToolBar*> bars = v.findChildren<QToolBar*>();
    QCOMPARE(bars.size(), 3);
    auto* tbViews = v.findChild<QToolBar*>("tbViews");
    auto* tbDiag = v.findChild<QToolBar*>("tbDiag");
    auto* tbColumns = v.findChild<QToolBar*>("tbColumns");
    QVERIFY(tbViews && tbDiag && tbColumns);
    QCOMPARE(tbViews->windowTitle(), QString("Ansichten"));
    QCOMPARE(tbDiag->windowTitle(), QString("Diagramme"));
    QCOMPARE(tbColumns->windowTitle(), QString("Spalten"));
    QCOMPARE(tbViews->actions().size(), 3);
    QCOMPARE(qobject_cast<QLabel*>(tbViews->widgetForAction(tbViews->actions()[0]))->text(),
             QString("Ansichten"));
    QCOMPARE(tbViews->widgetForAction(tbViews->actions()[1]), v.viewCombo());
    QCOMPARE(tbViews->actions()[2], v.actHome);
    QCOMPARE(entries(tbDiag), (QStringList{"Ansicht erstellen", "Ansicht entfernen"}));
    QCOMPARE(entries(tbColumns),
             (QStringList{"gehe zu Spalte...", "Spalten entfernen", "Spalten kopieren", "-",
                          "Spaltenstatistik", "Regression", "-", "Spalte umbenennen",
                          "Spalten normieren", "Spalten als Zahlen", "Werte ersetzen", "-",
                          "Spalten gewichten", "Spalten zusammenfassen"}));

    auto* viewdock = v.findChild<QDockWidget*>("viewdock");
    auto* textdock = v.findChild<QDockWidget*>("textdock");
    QCOMPARE(viewdock->windowTitle(), QString("Ansichten"));
    QCOMPARE(textdock->windowTitle(), QString("Text"));
    QCOMPARE(v.dockWidgetArea(viewdock), Qt::LeftDockWidgetArea);
    QCOMPARE(v.dockWidgetArea(textdock), Qt::BottomDockWidgetArea);
    QCOMPARE(viewdock->widget(), v.viewListWidget());
    QCOMPARE(textdock->widget(), v.textPane());
    QCOMPARE(v.viewListWidget()->editTriggers(), QAbstractItemView::EditKeyPressed);
    QCOMPARE(v.viewListWidget()->contextMenuPolicy(), Qt::CustomContextMenu);
    QCOMPARE(v.viewCombo()->model(), v.document()->viewListModel());
    QCOMPARE(v.centralWidget(), v.viewArea());
    QCOMPARE(v.viewArea()->widget(0), v.dataTable());
    QCOMPARE(v.document()->viewListModel()->item(0)->text(), QString("Datentabelle"));
    QCOMPARE(v.document()->viewListModel()->item(0)->data(Roles::ViewCategory).toString(), QString("Special"));
    QCOMPARE(v.document()->viewListModel()->item(0)->data(Roles::ViewAdapterType), QVariant(false));
}

void TstMainWindow::actionIconsAndShortcuts()
{
    View v;
    QVERIFY(!v.windowIcon().isNull());
    for (QAction* a : {v.actOpen, v.actSave, v.actSaveAs, v.actQuit, v.actCopy,
                       v.actCopyColumns, v.actGotoColumn, v.actHideColumns, v.actRenameColumn,
                       v.actReplace, v.actNormalize, v.actNumeric, v.actCombine, v.actWeight,
                       v.actStat, v.actLinReg, v.actHome, v.actCreateView, v.actRemoveView,
                       v.actRemoveAllViews})
        QVERIFY2(!a->icon().pixmap(16, 16).isNull(), qPrintable(a->text()));
    QVERIFY(v.actNeu->icon().isNull());
    QCOMPARE(v.actOpen->shortcut(), QKeySequence("Ctrl+O"));
    QCOMPARE(v.actSave->shortcut(), QKeySequence("Ctrl+S"));
    QCOMPARE(v.actQuit->shortcut(), QKeySequence("Ctrl+Q"));
    QCOMPARE(v.actUndo->shortcut(), QKeySequence("Ctrl+Z"));
    QCOMPARE(v.actRedo->shortcut(), QKeySequence("Ctrl+Shift+Z"));
    QCOMPARE(v.actCopy->shortcut(), QKeySequence("Ctrl+C"));
    QCOMPARE(v.actGotoColumn->shortcut(), QKeySequence("Ctrl+G"));
    QCOMPARE(v.actStat->shortcut(), QKeySequence("Ctrl+D"));
    QCOMPARE(v.actCreateView->shortcut(), QKeySequence("Ctrl++"));
    QVERIFY(!v.actRemoveView->isEnabled());
    // The data table is on screen from the start: its enabling holds at once.
    QVERIFY(!v.actHome->isEnabled());
    QVERIFY(!v.actCopy->isEnabled());
    QVERIFY(!v.textPane()->isEnabled());
}

void TstMainWindow::enablingByColumnSelection_data()
{
    QTest::addColumn<QList<int>>("columns");
    QTest::addColumn<QString>("enabled");
    // Letters: create, hide, normalise, numeric, replace, stat, rename, combine, weight, linreg
    QTest::newRow("none") << QList<int>{} << "0000000000";
    QTest::newRow("one") << QList<int>{2} << "1111111000";
    QTest::newRow("two") << QList<int>{1, 3} << "1111110111";
    QTest::newRow("three") << QList<int>{0, 1, 3} << "1111110110";
}

void TstMainWindow::enablingByColumnSelection()
{
    QFETCH(QList<int>, columns);
    QFETCH(QString, enabled);
    View v;
    WindowUtil::selectColumns(v, columns);
    QCOMPARE(v.dataTable()->table()->selectionModel()->selectedColumns(0).size(), columns.size());
    const QList<QAction*> acts{v.actCreateView, v.actHideColumns, v.actNormalize, v.actNumeric,
                               v.actReplace, v.actStat, v.actRenameColumn, v.actCombine,
                               v.actWeight, v.actLinReg};
    QString got;
    for (QAction* a : acts)
        got += a->isEnabled() ? '1' : '0';
    QCOMPARE(got, enabled);
    QVERIFY(v.actGotoColumn->isEnabled());
    QVERIFY(v.actCopyColumns->isEnabled());
}

void TstMainWindow::weightNeedsMarkerForOneColumn()
{
    View v;
    v.document()->dataModel()->setHeaderData(4, Qt::Horizontal, "weight", Roles::DerivationKind);
    WindowUtil::selectColumns(v, {4});
    QVERIFY(v.actWeight->isEnabled());
    WindowUtil::selectColumns(v, {3});
    QVERIFY(!v.actWeight->isEnabled());
}

void TstMainWindow::emptiedTableDisablesColumnCommands()
{
    // "Neu" on the data table's page empties the table and with it the selection.
    View v;
    WindowUtil::selectColumns(v, {1, 2});
    QVERIFY(v.actLinReg->isEnabled());
    v.actNeu->trigger();
    QCOMPARE(v.dataTable()->table()->selectionModel()->selectedColumns(0).size(), 0);
    for (QAction* a : {v.actCreateView, v.actHideColumns, v.actNormalize, v.actNumeric,
                       v.actReplace, v.actStat, v.actRenameColumn, v.actCombine, v.actWeight,
                       v.actLinReg})
        QVERIFY2(!a->isEnabled(), qPrintable(a->text()));
    QVERIFY(v.actGotoColumn->isEnabled());
}

void TstMainWindow::enablingOnViewPage()
{
    View v;
    WindowUtil::selectColumns(v, {1, 2});
    auto* page = new BlankView;
    v.document()->appendView("Blank", page);
    v.viewArea()->setCurrentIndex(1);
    QVERIFY(v.actCopy->isEnabled());
    QVERIFY(v.actRemoveView->isEnabled());
    QVERIFY(v.textPane()->isEnabled());
    QVERIFY(v.actHome->isEnabled());
    for (QAction* a : {v.actGotoColumn, v.actCopyColumns, v.actCombine, v.actCreateView,
                       v.actHideColumns, v.actNormalize, v.actNumeric, v.actReplace,
                       v.actRenameColumn, v.actStat, v.actLinReg, v.actWeight})
        QVERIFY2(!a->isEnabled(), qPrintable(a->text()));
    QCOMPARE(v.viewCombo()->currentIndex(), 1);
    QCOMPARE(v.viewListWidget()->currentIndex().row(), 1);

    v.actHome->trigger();
    QCOMPARE(v.viewArea()->currentIndex(), 0);
    QVERIFY(!v.actCopy->isEnabled());
    QVERIFY(!v.actRemoveView->isEnabled());
    QVERIFY(!v.textPane()->isEnabled());
    QVERIFY(!v.actHome->isEnabled());
    QVERIFY(v.actGotoColumn->isEnabled());
    QVERIFY(v.actLinReg->isEnabled()); // the two selected columns count again
}

void TstMainWindow::demonstrationData()
{
    View v;
    SpaltenSpeicher* m = v.document()->dataModel();
    auto check = [m] {
        QCOMPARE(m->rowCount(), 100);
        QCOMPARE(m->columnCount(), 9);
        const QStringList titles{"Text", "0-8", "0-99", "0-2", "0-3", "0-3", "0-3", "0-3", "0-3"};
        const int limit[] = {0, 8, 100, 3, 4, 4, 4, 4, 4};
        const QStringList texts{"Alpha", "Beta", "Gamma", "Delta", "keine", "andere"};
        for (int c = 0; c < 9; ++c) {
            QCOMPARE(m->headerData(c, Qt::Horizontal).toString(), titles[c]);
            for (int r = 0; r < 100; ++r) {
                const QVariant d = m->data(m->index(r, c));
                if (c == 0) {
                    QVERIFY(texts.contains(d.toString()));
                } else {
                    QCOMPARE(d.typeId(), QMetaType::Int);
                    QVERIFY(d.toInt() >= 0 && d.toInt() < limit[c]);
                }
            }
        }
    };
    check();
    QCOMPARE(v.document()->fileName(), QString());
    QCOMPARE(v.viewArea()->currentIndex(), 0);

    const QList<QStringList> before = [m] {
        QList<QStringList> rows;
        for (int r = 0; r < m->rowCount(); ++r) {
            QStringList row;
            for (int c = 0; c < m->columnCount(); ++c)
                row << m->data(m->index(r, c)).toString();
            rows << row;
        }
        return rows;
    }();
    v.document()->undoStack()->push(new NopCommand);
    {
        ScriptedAnswerer ans;   // the undo step is unsaved work
        ans.accept(UserInput::Question, QMessageBox::Discard);
        v.actNeu->trigger();
        QCOMPARE(ans.unexpected, 0);
    }
    check();
    QVERIFY(!v.document()->undoStack()->canUndo());
    bool differs = false;
    for (int r = 0; r < 100 && !differs; ++r)
        for (int c = 0; c < 9 && !differs; ++c)
            differs = before[r][c] != m->data(m->index(r, c)).toString();
    QVERIFY2(differs, "the generator continues, so a second run gives other values");
}

void TstMainWindow::settingsRestored()
{
    QSettings().clear();
    {
        View v;
        QCOMPARE(v.size(), QSize(800, 550));
        v.resize(640, 480);
        v.findChild<QDockWidget*>("textdock")->hide();
        v.findChild<QToolBar*>("tbColumns")->hide();
    }
    QCOMPARE(QSettings().value("MainWindow/size").toSize(), QSize(640, 480));
    View again;
    QCOMPARE(again.size(), QSize(640, 480));
    QVERIFY(again.findChild<QDockWidget*>("textdock")->isHidden());
    QVERIFY(again.findChild<QToolBar*>("tbColumns")->isHidden());
    QVERIFY(!again.findChild<QDockWidget*>("viewdock")->isHidden());
    QSettings().clear();
}

void TstMainWindow::tableWidgetSortsThroughProxy()
{
    Tabelle1 t;
    SpaltenSpeicher m;
    m.setHorizontalHeaderLabels({"A"});
    for (const char* s : {"c", "a", "b"})
        m.zeileAnfuegen({QString(s)});
    t.setModel(&m);
    QCOMPARE(t.model(), &m);
    QCOMPARE(t.table()->model(), t.proxy());
    QCOMPARE(t.table()->selectionBehavior(), QAbstractItemView::SelectColumns);
    QCOMPARE(t.table()->selectionMode(), QAbstractItemView::ExtendedSelection);
    QCOMPARE(t.table()->editTriggers(), QAbstractItemView::NoEditTriggers);
    QVERIFY(t.table()->alternatingRowColors());
    QCOMPARE(t.findChild<QLabel*>()->text(), QString("Datentabelle"));
    QVERIFY(t.minimumSize() == QSize(500, 300));

    t.table()->sortByColumn(0, Qt::AscendingOrder);
    QCOMPARE(t.proxy()->index(0, 0).data().toString(), QString("a"));
    QCOMPARE(m.zelle(0, 0).text(), QString("c")); // the data table keeps its order

    t.table()->selectColumn(0);
    t.hideSelectedColumns();
    QVERIFY(t.table()->isColumnHidden(0));
    QCOMPARE(t.hiddenColumns(), QList<int>{0});
}

void TstMainWindow::importReadsDialect()
{
    const QString path = writeFile("dialect.csv",
                                   "#Erstellt mit quorvandel7\n"
                                   "Name;\"Alter; in Jahren\";Ort\n"
                                   "# a comment between rows\n"
                                   "\"Anna\";\"30\";\n"
                                   "\n"
                                   "Bernd;\"unclosed;rest\n"
                                   "Jörg;41;Köln;extra\n");
    View v;
    ScriptedAnswerer ans;
    ans.cancel(UserInput::Item);
    v.document()->undoStack()->push(new NopCommand);
    QVERIFY(v.importCSV(path));
    SpaltenSpeicher* m = v.document()->dataModel();
    QCOMPARE(m->headerData(0, Qt::Horizontal).toString(), QString("Name"));
    QCOMPARE(m->headerData(1, Qt::Horizontal).toString(), QString("Alter; in Jahren"));
    QCOMPARE(m->headerData(1, Qt::Horizontal, Qt::ToolTipRole).toString(),
             QString("Alter; in Jahren"));
    QCOMPARE(m->rowCount(), 4);
    QCOMPARE(m->columnCount(), 4); // the long last row widens the table
    QCOMPARE(m->zelle(0, 0).text(), QString("Anna"));
    QCOMPARE(m->zelle(0, 1).text(), QString("30"));
    QCOMPARE(m->zelle(0, 2).text(), QString(""));
    QCOMPARE(m->zelle(1, 0).text(), QString(""));
    QVERIFY(!m->zelle(1, 1).belegt());            // short row: fewer cells
    QCOMPARE(m->zelle(2, 1).text(), QString("\"unclosed;rest"));
    QCOMPARE(m->zelle(3, 0).text(), QString("Jörg"));
    QCOMPARE(m->zelle(3, 3).text(), QString("extra"));
    QVERIFY(!v.document()->undoStack()->canUndo());
    QCOMPARE(v.viewArea()->count(), 1);
}

void TstMainWindow::importOnlyCommentsGivesEmptyTable()
{
    // Comments without a header line are no survey: refused, the table stays.
    const QString path = writeFile("comments.csv", "#one\n#two\n");
    View v;
    const int columns = v.document()->dataModel()->columnCount();
    ScriptedAnswerer ans;
    ans.accept(UserInput::Warning, QMessageBox::Ok);
    QVERIFY(!v.importCSV(path));
    QCOMPARE(ans.asked.first().label, "Die Datei " + path + " enthält keine Umfrage.");
    QCOMPARE(v.document()->dataModel()->columnCount(), columns);
    QVERIFY(v.viewArea()->count() > 1);

    const QString headerOnly = writeFile("header.csv", "A;B\n");
    ans.cancel(UserInput::Item);
    QVERIFY(v.importCSV(headerOnly));
    QCOMPARE(v.document()->dataModel()->columnCount(), 2);
    QCOMPARE(v.document()->dataModel()->rowCount(), 0);
}

void TstMainWindow::importAsksBothQuestions()
{
    const QString path = writeFile("two.csv", "A;B\nx;y\n");
    View v;
    ScriptedAnswerer ans;
    ans.accept(UserInput::OpenFile, path)
        .accept(UserInput::Item, "TortenDiagram")
        .accept(UserInput::Item, "Häufigkeit");
    v.actImportCsv->trigger();
    QCOMPARE(ans.unexpected, 0);
    QCOMPARE(ans.pending(), 0);
    QCOMPARE(ans.asked.size(), 3);
    const UserInput::Ask& file = ans.asked[0];
    QCOMPARE(file.title, QString("Datei wählen"));
    QCOMPARE(file.label, QString("Datendateien (*.csv);;Alle Dateien (*)"));
    QCOMPARE(file.preset.toString(), QDir::homePath());
    const UserInput::Ask& diagram = ans.asked[1];
    QCOMPARE(diagram.title, QString("Ansichten erzeugen"));
    QCOMPARE(diagram.label, QString("Welcher Diagramtyp soll verwendet werden?"));
    QCOMPARE(diagram.items, ViewTypes::diagramNames());
    QCOMPARE(diagram.preset.toInt(), 1);
    QVERIFY(!diagram.editable);
    const UserInput::Ask& adapter = ans.asked[2];
    QCOMPARE(adapter.title, QString("Ansichten erzeugen"));
    QCOMPARE(adapter.label, QString("Welcher Adapter soll verwendet werden?"));
    QCOMPARE(adapter.items, ViewTypes::singleAdapterNames());
    QCOMPARE(adapter.preset.toInt(), 1);
    QCOMPARE(WindowUtil::title(v), "Quorvandel7 - " + path);
    QCOMPARE(v.viewArea()->currentIndex(), 0);
    QCOMPARE(v.document()->fileName(), QString());
}

void TstMainWindow::importFailureChangesNothing_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("missing file") << m_dir.path() + "/nowhere/missing.csv";
    QTest::newRow("not a .csv name") << writeFile("data.txt", "A;B\n1;2\n");
    QTest::newRow("csv only inside the name") << writeFile("DATA.CSV.txt", "A;B\n1;2\n");
}

void TstMainWindow::importFailureChangesNothing()
{
    QFETCH(QString, name);
    View v;
    v.document()->appendView("Blank", new BlankView);
    const int pages = v.viewArea()->count();
    v.document()->undoStack()->push(new NopCommand);
    const QString cell = v.document()->dataModel()->zelle(0, 0).text();
    ScriptedAnswerer ans;
    ans.accept(UserInput::Question, QMessageBox::Discard)   // the undo step
        .accept(UserInput::OpenFile, name)
        .accept(UserInput::Warning, QMessageBox::Ok);
    v.importFile();
    QCOMPARE(ans.unexpected, 0);
    QVERIFY(ans.asked.last().label.contains(name));
    QCOMPARE(WindowUtil::title(v), QString("quorvandel7"));
    QCOMPARE(v.viewArea()->count(), pages);
    QCOMPARE(v.document()->viewListModel()->rowCount(), pages);
    QVERIFY(v.document()->undoStack()->canUndo());
    QCOMPARE(v.document()->dataModel()->rowCount(), 100);
    QCOMPARE(v.document()->dataModel()->zelle(0, 0).text(), cell);
}

void TstMainWindow::importCancelledChangesNothing()
{
    View v;
    ScriptedAnswerer ans;
    ans.cancel(UserInput::OpenFile);
    v.importFile();
    QCOMPARE(ans.unexpected, 0);
    QCOMPARE(WindowUtil::title(v), QString("quorvandel7"));
    QCOMPARE(v.document()->dataModel()->rowCount(), 100);
}

void TstMainWindow::sortedTableFilledWithoutPerRowSorting()
{
    // A table sorted by a header click must not re-sort at every row read: that made
    // reading a large file quadratic. The sort and hidden columns outlive the reading.
    QByteArray csv("A;B\n");
    for (int i = 0; i < 300; ++i)
        csv += QByteArray::number((i * 7) % 300) + ";x\n";
    const QString path = writeFile("sorted.csv", csv);
    View v;
    Tabelle1* t = v.dataTable();
    t->table()->sortByColumn(0, Qt::DescendingOrder);
    QSignalSpy perRow(t->proxy(), &QAbstractItemModel::rowsInserted);
    ScriptedAnswerer ans;
    ans.cancel(UserInput::Item);
    QVERIFY(v.importCSV(path));
    QCOMPARE(perRow.size(), 0);
    QCOMPARE(t->proxy()->rowCount(), 300);
    QCOMPARE(t->proxy()->index(0, 0).data().toString(), QString("99"));
    QCOMPARE(v.document()->dataModel()->zelle(0, 0).text(), QString("0"));

    t->table()->setColumnHidden(1, true);
    const QString stat = m_dir.path() + "/sorted.stat";
    QVERIFY(v.save(stat));
    perRow.clear();
    QVERIFY(v.load(stat));
    QCOMPARE(perRow.size(), 0);
    QCOMPARE(t->proxy()->rowCount(), 300);
    QCOMPARE(t->proxy()->index(0, 0).data().toString(), QString("99"));
    QVERIFY(t->table()->isColumnHidden(1));
    QVERIFY(!t->table()->isColumnHidden(0));
}

void TstMainWindow::notesFollowTheirView()
{
    View v;
    auto* a = new BlankView;
    auto* b = new BlankView;
    v.document()->appendView("A", a);
    v.document()->appendView("B", b);
    v.viewArea()->setCurrentIndex(1);
    v.textPane()->setPlainText("notes of A");
    v.viewArea()->setCurrentIndex(2);
    QVERIFY(v.textPane()->toPlainText().isEmpty());
    v.textPane()->setPlainText("notes of B");
    v.viewArea()->setCurrentIndex(1);
    QCOMPARE(v.textPane()->toPlainText(), QString("notes of A"));
    v.viewArea()->setCurrentIndex(2);
    QCOMPARE(v.textPane()->toPlainText(), QString("notes of B"));
    QVERIFY(v.document()->viewListModel()->item(1)->data(Roles::ViewNotes).toString().contains("notes of A"));
}

void TstMainWindow::notASurveyKeepsTheState_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("surveyMonkey");
    QByteArray binary(200 * 1024, '\0');
    for (int i = 0; i < binary.size(); ++i)
        binary[i] = char((i * 7919) % 251);
    QTest::newRow("empty CSV") << QByteArray() << false;
    QTest::newRow("binary CSV") << binary << false;
    QTest::newRow("blank lines") << QByteArray("\n\n") << false;
    QTest::newRow("empty SurveyMonkey export") << QByteArray() << true;
    QTest::newRow("binary SurveyMonkey export") << binary << true;
}

// An empty or binary file is refused with a message; the table and views stay.
void TstMainWindow::notASurveyKeepsTheState()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, surveyMonkey);
    const QString name = m_dir.filePath(QStringLiteral("keine.csv"));
    QFile f(name);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
    f.close();
    View v;
    const QStringList views = WindowUtil::titles(v);
    const int rows = v.document()->dataModel()->rowCount();
    const QString title = WindowUtil::title(v);
    ScriptedAnswerer ans;
    ans.accept(UserInput::OpenFile, name).accept(UserInput::Warning, QMessageBox::Ok);
    if (surveyMonkey)
        v.importSMFile();
    else
        v.importFile();
    QCOMPARE(ans.unexpected, 0);
    QCOMPARE(ans.asked.size(), 2);
    QCOMPARE(ans.asked.at(1).label, QString("Die Datei %1 enthält keine Umfrage.").arg(name));
    QCOMPARE(WindowUtil::titles(v), views);
    QCOMPARE(v.document()->dataModel()->rowCount(), rows);
    QCOMPARE(WindowUtil::title(v), title);
}

// "Speichern" after an import must not write the new survey over the statistic file
// that was open before.
void TstMainWindow::importLeavesNoStatisticFileToOverwrite()
{
    View v;
    const QString stat = m_dir.filePath(QStringLiteral("stand.stat"));
    QVERIFY(v.save(stat));
    QVERIFY(v.load(stat));
    QCOMPARE(v.document()->fileName(), stat);
    QVERIFY(v.importCSV(writeFile("neu.csv", "A;B\n1;2\n"), false));
    QVERIFY(v.document()->fileName().isEmpty());
    QVERIFY(v.load(stat));
    QVERIFY(v.document()->importSM(writeFile("sm.csv", "Frage\nResponse\nja\n")));
    QVERIFY(v.document()->fileName().isEmpty());
}

QTEST_MAIN(TstMainWindow)
#include "tst_mainwindow.moc"
