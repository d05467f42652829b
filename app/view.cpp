#include "app/view.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QDockWidget>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QScopedValueRollback>
#include <QSettings>
#include <QStackedWidget>
#include <QStandardItemModel>

#include "core/spaltenspeicher.h"
#include <QTableView>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolBar>
#include <QUndoStack>

#include "analyses/viewtypes.h"
#include "app/ansichtsauswahl.h"
#include "app/ansichtsliste.h"
#include "app/commandlinereport.h"
#include "app/dateiauswahl.h"
#include "app/ergebnisanzeige.h"
#include "app/exportablauf.h"
#include "app/notizenfeld.h"
#include "commands/gewichtungsbefehl.h"
#include "commands/fehlendewertebefehl.h"
#include "commands/gewichtsanpassungsbefehl.h"
#include "commands/umkodierbefehl.h"
#include "commands/mehrfachsetbefehl.h"
#include "commands/regressionsbefehl.h"
#include "commands/spaltenableitung.h"
#include "commands/spaltenbearbeitung.h"
#include "commands/spaltenzahlen.h"
#include "core/diagramadapter.h"
#include "core/fortschritt.h"
#include "diagrams/modelclient.h"
#include "core/roles.h"
#include "diagrams/tabelle1.h"
#include "core/userinput.h"
#include "diagrams/menurunner.h"
#include "core/userinputevents.h"
#include "core/waitcursor.h"
#include "io/clipboardcopy.h"
#include "io/umfragedokument.h"

View::View(QWidget* parent)
    : QMainWindow(parent)
{
    m_doc = new UmfrageDokument(this);
    m_doc->setDialogParent(this);
    // The view area: the data table's page, then the document's views as they come,
    // go and move.
    m_stack = new QStackedWidget;
    m_tabelle = new Tabelle1;
    m_tabelle->setModel(m_doc->dataModel());
    m_tabelle->setSpalten(m_doc->spalten());
    m_stack->addWidget(m_tabelle);
    for (int row = 1; row < m_doc->viewCount(); ++row)
        m_stack->addWidget(m_doc->viewPage(row));
    connect(m_doc, &UmfrageDokument::viewInserted, this,
            [this](int row, ModelClient* page) { m_stack->insertWidget(row, page); });
    connect(m_doc, &UmfrageDokument::viewRemoved, this,
            [this](QWidget* page) { m_stack->removeWidget(page); });
    connect(m_doc, &UmfrageDokument::viewMoved, this, [this](int from, int to) {
        QWidget* w = m_stack->widget(from);
        const bool wasCurrent = m_stack->currentWidget() == w;
        m_stack->removeWidget(w);
        m_stack->insertWidget(to, w);
        if (wasCurrent)
            m_stack->setCurrentIndex(to);
    });
    connect(m_doc, &UmfrageDokument::currentViewChanged, m_stack,
            &QStackedWidget::setCurrentIndex);
    m_combo = new QComboBox(this);
    m_combo->setModel(m_doc->viewListModel());

    setWindowIcon(QIcon(QStringLiteral(":/images/logo.png")));
    setWindowTitle(QStringLiteral("quorvandel7[*]"));

    connect(dataTable()->table()->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &View::modelSelectionChanged);

    setCentralWidget(viewArea());
    // The reports' pictures are as large as the pages on screen.
    m_doc->setPictureSize([this] { return m_stack->size(); });

    createActions();
    // Emptying the data table (new data, an import, a load) drops the column selection
    // without a selection signal; the column commands must follow it all the same.
    connect(m_doc->dataModel(), &QAbstractItemModel::modelReset, this, &View::modelSelectionChanged);

    auto* viewDock = new QDockWidget(tr("Ansichten"), this);
    viewDock->setObjectName(QStringLiteral("viewdock"));
    auto* list = new AnsichtsListe(viewDock);   // one click or the keyboard opens a view
    m_listView = list;
    m_listView->setModel(m_doc->viewListModel());
    m_listView->setEditTriggers(QAbstractItemView::EditKeyPressed);
    m_listView->setContextMenuPolicy(Qt::CustomContextMenu);
    viewDock->setWidget(m_listView);
    connect(m_listView, &QWidget::customContextMenuRequested, this, &View::vListContextMenu);
    connect(m_doc->viewListModel(), &QStandardItemModel::itemChanged, this, &View::vList_dataChanged);
    connect(list, &AnsichtsListe::chosen, this, &View::vListActivated);
    m_listView->setCurrentIndex(m_doc->viewListModel()->index(0, 0));

    auto* textDock = new QDockWidget(tr("Text"), this);
    textDock->setObjectName(QStringLiteral("textdock"));
    m_text = new NotizenFeld(m_doc, textDock);
    textDock->setWidget(m_text);

    addDockWidget(Qt::LeftDockWidgetArea, viewDock);
    addDockWidget(Qt::BottomDockWidgetArea, textDock);

    connect(m_combo, qOverload<int>(&QComboBox::activated), viewArea(),
            &QStackedWidget::setCurrentIndex);
    connect(viewArea(), &QStackedWidget::currentChanged, this, &View::widgetChanged);

    connect(m_doc, &UmfrageDokument::markedUnchanged, this, &View::documentUnchanged);
    connect(m_doc, &UmfrageDokument::diagramChangeRequested, this, &View::changeDiagram);
    connect(m_doc, &UmfrageDokument::viewAppended, this, [this](int row) {
        m_combo->setCurrentIndex(row);
        m_listView->setCurrentIndex(m_doc->viewListModel()->index(row, 0));
    });

    createMenusAndToolbars();

    QSettings settings;
    restoreState(settings.value(QStringLiteral("MainWindow/state")).toByteArray());
    resize(settings.value(QStringLiteral("MainWindow/size"), QSize(800, 550)).toSize());

    {
        // The window is still being built: nothing to repaint, and no events for it.
        Fortschritt::Quiet quiet;
        createDemoViews();
    }
    modelSelectionChanged();
    // The data table is on screen: its enabling holds from the start, not only after
    // the first page change.
    widgetChanged(0);

    // Unsaved work is what the document counts. A menu entry of the view on screen may
    // have changed one of its settings without the view saying so.
    connect(m_doc, &UmfrageDokument::changed, this, &View::scheduleChangeCheck);
    connect(UserInputEvents::instance(), &UserInputEvents::menuRan, this, [this] {
        if (auto* page = qobject_cast<ModelClient*>(viewArea()->currentWidget()))
            emit page->changed();
    });
    m_doc->markUnchanged();
}

View::~View()
{
    // Children still signal while the base class deletes them (the undo stack's clean
    // state, the pages, the focus); this part of the window is gone by then.
    for (const QObject* sender :
         {static_cast<QObject*>(m_doc), static_cast<QObject*>(m_doc->undoStack()),
          static_cast<QObject*>(viewArea()), static_cast<QObject*>(m_doc->viewListModel()),
          static_cast<QObject*>(m_text), static_cast<QObject*>(m_doc->dataModel()),
          static_cast<QObject*>(qApp), static_cast<QObject*>(UserInputEvents::instance())})
        disconnect(sender, nullptr, this, nullptr);
    QSettings settings;
    settings.setValue(QStringLiteral("MainWindow/state"), saveState(0));
    settings.setValue(QStringLiteral("MainWindow/size"), size());
}

QStackedWidget* View::viewArea() const { return m_stack; }
Tabelle1* View::dataTable() const { return m_tabelle; }
QTextEdit* View::textPane() const { return m_text; }

TableContext View::tableContext()
{
    TableContext c = m_doc->tableContext();
    c.table = m_tabelle;
    c.columns = m_tabelle->selectedColumns();
    return c;
}

bool View::importCSV(const QString& fileName, bool makeViews)
{
    if (!ErgebnisAnzeige::zeigen(this, m_doc->importData(fileName)))
        return false;
    if (makeViews) {
        createViews();
        m_doc->markUnchanged();
    }
    return true;
}


bool View::load(const QString& fileName)
{
    if (!ErgebnisAnzeige::zeigen(this, m_doc->load(fileName)))
        return false;
    setFileTitle(QStringLiteral("quorvandel7"), fileName);
    return true;
}

bool View::save(const QString& fileName)
{
    return ErgebnisAnzeige::zeigen(this, m_doc->save(fileName));
}

bool View::isChanged()
{
    return m_doc->isChanged();
}

void View::documentUnchanged()
{
    setWindowModified(false);
}

void View::scheduleChangeCheck()
{
    if (m_changeCheckPending)
        return;
    m_changeCheckPending = true;
    QMetaObject::invokeMethod(this, &View::updateChangedMark, Qt::QueuedConnection);
}

void View::updateChangedMark()
{
    // Events let through by a progress display would look at half-made views and
    // tables (and cost a pass over every view each time): the check waits for the end.
    if (Fortschritt::working()) {
        Fortschritt::afterWork(this, [this] { updateChangedMark(); });
        return;
    }
    m_changeCheckPending = false;
    setWindowModified(isChanged());
}

bool View::maybeSave()
{
    if (!isChanged())
        return true;
    const UserInput::Button answer = UserInput::question(
        this, QStringLiteral("quorvandel7"),
        tr("Die Änderungen wurden noch nicht gespeichert.\nMöchten Sie sie speichern?"),
        UserInput::Save | UserInput::Discard | UserInput::Cancel, UserInput::Save);
    if (answer == UserInput::Discard)
        return true;
    if (answer != UserInput::Save)
        return false;
    saveFile();
    return !isChanged();
}

void View::closeEvent(QCloseEvent* e)
{
    e->setAccepted(maybeSave());
}

void View::removeAllViews()
{
    if (maybeSave())
        m_doc->clearViews();
}

namespace {
// Adds the actions in order; a null entry is a separator.
template <class Bar>
void addAll(Bar* bar, std::initializer_list<QAction*> actions)
{
    for (QAction* a : actions) {
        if (a)
            bar->addAction(a);
        else
            bar->addSeparator();
    }
}
}

void View::createActions()
{
    struct Row {
        QAction* View::*action;
        const char* name;
        const char* text;
        const char* icon; // in the resource folder "images", without ".png"
        void (View::*slot)();
        QKeySequence key = {};
    };
#define QV_ACTION(member) &View::member, #member
    const Row rows[] = {
        {QV_ACTION(actNeu), QT_TR_NOOP("Neu"), "", nullptr},
        {QV_ACTION(actOpen), QT_TR_NOOP("Öffnen"), "open", &View::loadFile, Qt::CTRL | Qt::Key_O},
        {QV_ACTION(actSave), QT_TR_NOOP("Speichern"), "save", &View::saveFile,
         Qt::CTRL | Qt::Key_S},
        {QV_ACTION(actSaveAs), QT_TR_NOOP("Speichern als..."), "save", &View::saveFileAs},
        {QV_ACTION(actOpenImport), QT_TR_NOOP("Öffnen/Import"), "", &View::openImportFile},
        {QV_ACTION(actImportCsv), QT_TR_NOOP("CSV"), "", &View::importFile},
        {QV_ACTION(actImportSM), QT_TR_NOOP("SurveyMonkey"), "", &View::importSMFile},
        {QV_ACTION(actImportViews), QT_TR_NOOP("Views"), "", &View::importViewsFile},
        {QV_ACTION(actImportSpss), QT_TR_NOOP("SPSS (.sav)"), "", &View::importSpssFile},
        {QV_ACTION(actExportCsv), QT_TR_NOOP("CSV"), "", &View::exportFile},
        {QV_ACTION(actExportViews), QT_TR_NOOP("Views"), "", &View::exportViewsFile},
        {QV_ACTION(actExportHtml), QT_TR_NOOP("HTML"), "", &View::exportHTMLFile},
        {QV_ACTION(actExportPdf), QT_TR_NOOP("PDF"), "", &View::exportPDFFile},
        {QV_ACTION(actExportXlsx), QT_TR_NOOP("Excel (XLSX)"), "", &View::exportXlsxFile},
        {QV_ACTION(actExportPptx), QT_TR_NOOP("PowerPoint (PPTX)..."), "", &View::exportPptxFile},
        {QV_ACTION(actPptxTemplate), QT_TR_NOOP("Vorlage..."), "", &View::choosePptxTemplate},
        {QV_ACTION(actSaveViewAs), QT_TR_NOOP("Ansicht speichern als..."), "",
         &View::saveViewAs},
        {QV_ACTION(actQuit), QT_TR_NOOP("Beenden"), "quit", nullptr, Qt::CTRL | Qt::Key_Q},
        {QV_ACTION(actCopy), QT_TR_NOOP("Kopieren"), "copy", &View::clipCopyView,
         Qt::CTRL | Qt::Key_C},
        {QV_ACTION(actCopyColumns), QT_TR_NOOP("Spalten kopieren"), "colcopy",
         &View::dataCopyColumns},
        {QV_ACTION(actGotoColumn), QT_TR_NOOP("gehe zu Spalte..."), "gotocol",
         &View::viewGotoColumn, Qt::CTRL | Qt::Key_G},
        {QV_ACTION(actHideColumns), QT_TR_NOOP("Spalten entfernen"), "hidecol",
         &View::hideSelectedColumns},
        {QV_ACTION(actRenameColumn), QT_TR_NOOP("Spalte umbenennen"), "colrename",
         &View::dataRenameColumn},
        {QV_ACTION(actReplace), QT_TR_NOOP("Werte ersetzen"), "colreplace",
         &View::dataReplaceColumns},
        {QV_ACTION(actNormalize), QT_TR_NOOP("Spalten normieren"), "colpercent",
         &View::dataNormalizeColumn},
        {QV_ACTION(actNumeric), QT_TR_NOOP("Spalten als Zahlen"), "colclean",
         &View::dataNumericColumns},
        {QV_ACTION(actCombine), QT_TR_NOOP("Spalten zusammenfassen"), "colcombine",
         &View::dataCombineColumns},
        {QV_ACTION(actWeight), QT_TR_NOOP("Spalten gewichten"), "colweigth",
         &View::dataWeightColumns},
        {QV_ACTION(actWeighting), QT_TR_NOOP("Gewichtung..."), "", &View::dataWeighting},
        {QV_ACTION(actMultiSet), QT_TR_NOOP("Mehrfachantworten-Set..."), "", &View::dataMultiSet},
        {QV_ACTION(actRemoveMultiSet), QT_TR_NOOP("Mehrfachantworten-Set entfernen..."), "",
         &View::dataRemoveMultiSet},
        {QV_ACTION(actMissing), QT_TR_NOOP("Fehlende Werte..."), "", &View::dataMissing},
        {QV_ACTION(actRecode), QT_TR_NOOP("Umkodieren..."), "", &View::dataRecode},
        {QV_ACTION(actRaking), QT_TR_NOOP("Gewichte anpassen..."), "", &View::dataRaking},
        {QV_ACTION(actStat), QT_TR_NOOP("Spaltenstatistik"), "colstat", &View::dataStatColumns,
         Qt::CTRL | Qt::Key_D},
        {QV_ACTION(actLinReg), QT_TR_NOOP("Regression"), "collinreg", &View::dataLinReg},
        {QV_ACTION(actHome), QT_TR_NOOP("Daten"), "gohome", &View::goHome},
        {QV_ACTION(actCreateView), QT_TR_NOOP("Ansicht erstellen"), "plus",
         &View::createSelectedView, Qt::CTRL | Qt::Key_Plus},
        {QV_ACTION(actRemoveView), QT_TR_NOOP("Ansicht entfernen"), "minus",
         &View::removeCurrentView},
        {QV_ACTION(actRemoveAllViews), QT_TR_NOOP("Alle Ansichten entfernen"), "viewremoveall",
         &View::removeAllViews},
    };
#undef QV_ACTION
    for (const Row& r : rows) {
        auto* a = new QAction(tr(r.text), this);
        if (*r.icon)
            a->setIcon(QIcon(QStringLiteral(":/images/%1.png").arg(QLatin1String(r.icon))));
        a->setObjectName(QString::fromLatin1(r.name));
        if (r.slot)
            connect(a, &QAction::triggered, this, r.slot);
        a->setShortcut(r.key);
        this->*r.action = a;
    }
    connect(actNeu, &QAction::triggered, this, [this] {
        if (maybeSave())
            createDemoViews();
    });
    // Closing asks before unsaved work is lost; the last window closed ends the program.
    connect(actQuit, &QAction::triggered, this, &QWidget::close);

    actUndo = m_doc->undoStack()->createUndoAction(this, QString());
    actUndo->setObjectName("actUndo");
    actUndo->setShortcut(Qt::CTRL | Qt::Key_Z);
    actRedo = m_doc->undoStack()->createRedoAction(this, QString());
    actRedo->setObjectName("actRedo");
    actRedo->setShortcut(Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
    actRemoveView->setEnabled(false);
}

void View::createMenusAndToolbars()
{
    QMenu* datei = menuBar()->addMenu(tr("Datei"));
    addAll(datei, {actNeu, actOpen, actOpenImport, actSave, actSaveAs, actSaveViewAs, nullptr});
    addAll(datei->addMenu(tr("Import")),
           {actImportCsv, actImportSM, actImportViews, actImportSpss});
    addAll(datei->addMenu(tr("Export")),
           {actExportCsv, actExportViews, actExportHtml, actExportPdf, actExportXlsx,
            actExportPptx, actPptxTemplate});
    addAll(datei, {nullptr, actQuit});
    addAll(menuBar()->addMenu(tr("Bearbeiten")),
           {actUndo, actRedo, nullptr, actCopy, nullptr, actCopyColumns, actGotoColumn});
    QMenu* spalten = menuBar()->addMenu(tr("Spalten"));
    addAll(spalten, {actHideColumns, nullptr, actRenameColumn, actReplace, actNormalize, actNumeric,
                     nullptr, actCombine, actWeight});
    // Choosing a weight column and fitting one to targets, side by side.
    addAll(spalten->addMenu(tr("Gewichtung")), {actWeighting, actRaking});
    addAll(spalten, {actMultiSet, actRemoveMultiSet, nullptr, actMissing, actRecode, nullptr, actStat, actLinReg});
    addAll(menuBar()->addMenu(tr("Diagramme")),
           {actHome, nullptr, actCreateView, actRemoveView, nullptr, actRemoveAllViews});

    QToolBar* tbViews = addToolBar(tr("Ansichten"));
    tbViews->setObjectName(QStringLiteral("tbViews"));
    tbViews->addWidget(new QLabel(tr("Ansichten"), tbViews));
    tbViews->addWidget(m_combo);
    tbViews->addAction(actHome);

    QToolBar* tbDiag = addToolBar(tr("Diagramme"));
    tbDiag->setObjectName(QStringLiteral("tbDiag"));
    addAll(tbDiag, {actCreateView, actRemoveView});

    QToolBar* tbColumns = addToolBar(tr("Spalten"));
    tbColumns->setObjectName(QStringLiteral("tbColumns"));
    addAll(tbColumns, {actGotoColumn, actHideColumns, actCopyColumns, nullptr, actStat, actLinReg,
                       nullptr, actRenameColumn, actNormalize, actNumeric, actReplace, nullptr,
                       actWeight, actCombine});

    addAll(menuBar()->addMenu(tr("Ansicht")),
           {findChild<QDockWidget*>(QStringLiteral("viewdock"))->toggleViewAction(),
            findChild<QDockWidget*>(QStringLiteral("textdock"))->toggleViewAction(), nullptr,
            tbColumns->toggleViewAction(), tbViews->toggleViewAction()});
}

int View::currentViewIndex() const
{
    // The data table has no view the notes pane could follow.
    return m_stack->currentIndex() == 0 ? 0 : m_text->row();
}

void View::widgetChanged(int idx)
{
    if (idx < 0 || idx >= m_doc->viewListModel()->rowCount())
        return;
    m_text->showNotesOf(idx);
    m_listView->setCurrentIndex(m_doc->viewListModel()->index(idx, 0));
    m_combo->setCurrentIndex(idx);
    viewArea()->setCurrentIndex(idx);
    m_doc->setCurrentView(idx);

    // The column commands work on the data table only; a view can be copied and removed.
    const bool table = idx == 0;
    for (QAction* a : {actCopy, actSaveViewAs, actRemoveView, actHome})
        a->setEnabled(!table);
    m_text->setEnabled(!table);
    if (table) {
        modelSelectionChanged();
    } else {
        for (QAction* a : {actCombine, actCreateView, actHideColumns, actNormalize, actNumeric,
                           actReplace, actRenameColumn, actStat, actLinReg, actWeight, actMultiSet,
                           actMissing, actRecode, actRaking})
            a->setEnabled(false);
    }
    actGotoColumn->setEnabled(table);
    actCopyColumns->setEnabled(table);
    actRemoveMultiSet->setEnabled(table);
}

void View::modelSelectionChanged()
{
    const QVector<int> cols = dataTable()->selectedColumns();
    const int n = cols.size();
    for (QAction* a : {actCreateView, actHideColumns, actNormalize, actNumeric, actReplace,
                       actStat, actMultiSet, actMissing, actRaking})
        a->setEnabled(n >= 1);
    actRecode->setEnabled(n == 1);
    actRenameColumn->setEnabled(n == 1);
    actCombine->setEnabled(n >= 2);
    if (n == 1) {
        const QString marker =
            m_doc->dataModel()->headerData(cols.first(), Qt::Horizontal, Roles::DerivationKind)
                .toString();
        actWeight->setEnabled(marker == QLatin1String("weight"));
    } else {
        actWeight->setEnabled(n >= 2);
    }
    actLinReg->setEnabled(n == 2);
}

void View::goHome()
{
    viewArea()->setCurrentIndex(0);
}

void View::vListActivated(QModelIndex index)
{
    if (!index.isValid())
        return;
    viewArea()->setCurrentIndex(index.row());
    widgetChanged(index.row());
}

void View::setFileTitle(const QString& prefix, const QString& path)
{
    setWindowTitle(QStringLiteral("%1 - %2[*]").arg(prefix, path));
}

void View::importWith(int art, const std::function<bool(const QString&)>& read, bool data)
{
    // Asked before anything is read or removed: a cancel later on costs nothing that
    // was not saved or discarded on purpose.
    if (!maybeSave())
        return;
    const QString name = DateiAuswahl::open(this, DateiAuswahl::Art(art));
    if (name.isEmpty())
        return;
    // Nothing changes unless the file was read: a foreign or unreadable file must not
    // cost the user the views or retitle the window (the document says what was wrong).
    if (!UmfrageDokument::isSurveyFile(name)) {
        ErgebnisAnzeige::zeigen(this, UmfrageDokument::notReadable(name));
        return;
    }
    if (!read(name))
        return;
    // A views file is no survey: the title keeps naming the data.
    if (data)
        setFileTitle(QStringLiteral("Quorvandel7"), name);
    widgetChanged(0);
}

QString View::askDiagram()
{
    return AnsichtsAuswahl::askDiagram(this);
}

void View::createSelectedView()
{
    const QVector<int> cols = dataTable()->selectedColumns();
    AnsichtsAuswahl::Wahl w;
    if (!AnsichtsAuswahl::askSelected(this, m_doc->dataModel(), cols, &w))
        return;
    if (!w.viewType.isEmpty())
        m_doc->createFromRecord(w.record(), w.version);
    widgetChanged(m_doc->viewListModel()->rowCount() - 1);
}

void View::vList_dataChanged(QStandardItem* it)
{
    if (!it)
        return;
    if (auto* a = dynamic_cast<DiagramAdapter*>(viewArea()->widget(it->row())))
        a->setTitle(it->text());
}

void View::vListContextMenu(QPoint pos)
{
    const QModelIndex idx = m_listView->indexAt(pos);
    QMenu menu;
    QAction* rename = menu.addAction(tr("Umbenennen"));
    QAction* duplicate = menu.addAction(tr("Duplizieren"));
    menu.addSeparator();
    QAction* remove = menu.addAction(tr("Entfernen"));
    if (idx.row() == 0) {
        duplicate->setEnabled(false);
        remove->setEnabled(false);
    }
    QAction* chosen = MenuRunner::exec(&menu, m_listView->viewport()->mapToGlobal(pos));
    if (!chosen || !idx.isValid())
        return;
    if (chosen == rename)
        m_listView->edit(idx);
    else if (chosen == duplicate)
        m_doc->duplicateView(idx.row());
    else if (chosen == remove)
        m_doc->removeViewUndoable(idx.row());
}

void View::createViews()
{
    QString diagram, adapter;
    if (!AnsichtsAuswahl::askColumnViews(this, &diagram, &adapter))
        return;
    m_doc->createColumnViews(adapter, diagram);
    showPage(0);
}

void View::changeDiagram(DiagramAdapter* mda)
{
    if (!mda)
        return;
    const QString type = askDiagram();
    if (!type.isEmpty())
        m_doc->setDiagramType(mda, type);
}

void View::showPage(int row)
{
    m_combo->setCurrentIndex(row);
    m_listView->setCurrentIndex(m_doc->viewListModel()->index(row, 0));
    viewArea()->setCurrentIndex(row);
}

void View::removeCurrentView()
{
    m_doc->removeViewUndoable(viewArea()->currentIndex());
}

void View::createDemoViews()
{
    // No file behind the new data: the title must not name the old one.
    setWindowTitle(QStringLiteral("quorvandel7[*]"));
    m_doc->createDemo();
    showPage(0);
}

void View::loadFile()
{
    if (!maybeSave())
        return;
    const QString name = DateiAuswahl::open(this, DateiAuswahl::Statistik);
    // A file that was not loaded must not become the file that "Speichern" overwrites.
    if (name.isEmpty() || !load(name))
        return;
    setFileTitle(QStringLiteral("Quorvandel7"), name);
    widgetChanged(0);
}

void View::saveTo(const QString& name)
{
    QString target = name;
    if (!target.endsWith(QLatin1String(".stat")))
        target += QLatin1String(".stat");
    if (!save(target))
        return;
    m_doc->setFileName(name);
    setFileTitle(QStringLiteral("Quorvandel7"), target);
}

void View::saveFile()
{
    const QString name = m_doc->fileName().isEmpty()
        ? DateiAuswahl::save(this, DateiAuswahl::Statistik)
        : m_doc->fileName();
    if (!name.isEmpty())
        saveTo(name);
}

void View::saveFileAs()
{
    const QString name = DateiAuswahl::save(this, DateiAuswahl::StatistikNeu);
    if (!name.isEmpty())
        saveTo(name);
}


void View::importFile()
{
    importWith(DateiAuswahl::Umfrage, [this](const QString& name) { return importCSV(name); });
}
void View::openImportFile()
{
    if (!maybeSave())
        return;
    const QString name = DateiAuswahl::open(this, DateiAuswahl::Alles);
    if (name.isEmpty())
        return;
    if (CommandLineReport::isStatFile(name)) {
        if (!load(name))
            return;
    } else {
        if (!ErgebnisAnzeige::zeigen(this, m_doc->importErkannt(name, true)))
            return;
        // A plain table gets the views the user picks, as after "Import › CSV".
        if (!m_doc->ansichtenErstellt()) {
            createViews();
            m_doc->markUnchanged();
        }
    }
    setFileTitle(QStringLiteral("Quorvandel7"), name);
    widgetChanged(0);
}

void View::importSpssFile()
{
    importWith(DateiAuswahl::Spss, [this](const QString& n) { return importCSV(n); });
}
void View::importSMFile()
{
    importWith(DateiAuswahl::SurveyMonkey,
               [this](const QString& name) {
                   return ErgebnisAnzeige::zeigen(this, m_doc->importSM(name));
               });
}

void View::importViewsFile()
{
    importWith(DateiAuswahl::Umfrage,
               [this](const QString& name) {
                   return ErgebnisAnzeige::zeigen(this, m_doc->importViewsCSV(name));
               }, false);
}

void View::createViewsSM() { m_doc->createSurveyMonkeyViews(); showPage(0); }

void View::exportWith(Ergebnis (UmfrageDokument::*write)(const QString&))
{
    const QString name = DateiAuswahl::save(this, DateiAuswahl::Umfrage);
    if (!name.isEmpty())
        ErgebnisAnzeige::zeigen(this, (m_doc->*write)(name));
}

void View::exportFile() { exportWith(&UmfrageDokument::exportCSV); }
void View::exportViewsFile() { exportWith(&UmfrageDokument::exportViewsCSV); }
void View::exportPDFFile() { ExportAblauf::reportPdf(this, *m_doc); }
void View::exportXlsxFile() { ExportAblauf::workbook(this, *m_doc); }

void View::exportPptxFile() { ExportAblauf::deck(this, *m_doc); }

void View::choosePptxTemplate() { ExportAblauf::deckTemplate(this); }
void View::saveViewAs() { ExportAblauf::saveView(this, *m_doc, currentViewIndex()); }

void View::exportHTMLFile()
{
    const QString name = DateiAuswahl::save(this, DateiAuswahl::Bericht);
    if (name.isEmpty())
        return;
    widgetChanged(0);
    ErgebnisAnzeige::zeigen(this, m_doc->exportHTML(name));
}

void View::clipCopyView() { ClipboardCopy::copy(viewArea()->currentWidget()); }
void View::dataRenameColumn() { SpaltenBearbeitung::renameColumn(tableContext()); }
void View::dataReplaceColumns() { SpaltenBearbeitung::replaceValues(tableContext()); }
void View::dataCombineColumns() { SpaltenAbleitung::combineColumns(tableContext()); }
void View::dataWeightColumns() { SpaltenAbleitung::weightColumns(tableContext()); }
void View::dataNormalizeColumn() { SpaltenZahlen::normalizeColumns(tableContext()); }
void View::dataNumericColumns() { SpaltenZahlen::numericColumns(tableContext()); }
void View::dataStatColumns() { SpaltenZahlen::statColumns(tableContext()); }
void View::hideSelectedColumns() { SpaltenBearbeitung::hideColumns(tableContext()); }
void View::viewGotoColumn() { SpaltenBearbeitung::gotoColumn(tableContext()); }
void View::dataLinReg() { RegressionsBefehl::linReg(tableContext()); }
void View::dataCopyColumns() { SpaltenBearbeitung::copyColumns(tableContext()); }
void View::dataWeighting() { Gewichtungsbefehl::waehlen(tableContext()); }
void View::dataMissing() { FehlendeWerteBefehl::festlegen(tableContext()); }
void View::dataRecode() { UmkodierBefehl::umkodieren(tableContext()); }
void View::dataRaking() { GewichtsanpassungsBefehl::anpassen(tableContext()); }
void View::dataMultiSet() { MehrfachSetBefehl::erstellen(tableContext(), *m_doc); }
void View::dataRemoveMultiSet() { MehrfachSetBefehl::entfernen(tableContext()); }
