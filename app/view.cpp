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
#include <QTableView>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolBar>
#include <QUndoStack>

#include "analyses/viewtypes.h"
#include "commands/cremoveview.h"
#include "commands/regressionsbefehl.h"
#include "commands/spaltenableitung.h"
#include "commands/spaltenbearbeitung.h"
#include "commands/spaltenzahlen.h"
#include "core/csvreader.h"
#include "core/diagramadapter.h"
#include "core/fortschritt.h"
#include "core/roles.h"
#include "core/tabelle1.h"
#include "core/userinput.h"
#include "core/userinputevents.h"
#include "core/waitcursor.h"
#include "io/clipboardcopy.h"
#include "io/umfragedokument.h"

View::View(QWidget* parent)
    : QMainWindow(parent)
{
    m_doc = new UmfrageDokument(this);
    m_doc->setDialogParent(this);
    m_combo = new QComboBox(this);
    m_combo->setModel(viewListModel());

    setWindowIcon(QIcon(QStringLiteral(":/images/logo.png")));
    setWindowTitle(QStringLiteral("quorvandel7[*]"));

    m_notesView = dataTable();
    connect(dataTable()->table()->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &View::modelSelectionChanged);

    setCentralWidget(viewArea());

    createActions();
    // Emptying the data table (new data, an import, a load) drops the column selection
    // without a selection signal; the column commands must follow it all the same.
    connect(dataModel(), &QAbstractItemModel::modelReset, this, &View::modelSelectionChanged);

    auto* viewDock = new QDockWidget(tr("Ansichten"), this);
    viewDock->setObjectName(QStringLiteral("viewdock"));
    m_listView = new QListView(viewDock);
    m_listView->setModel(viewListModel());
    m_listView->setEditTriggers(QAbstractItemView::EditKeyPressed);
    m_listView->setContextMenuPolicy(Qt::CustomContextMenu);
    viewDock->setWidget(m_listView);
    connect(m_listView, &QWidget::customContextMenuRequested, this, &View::vListContextMenu);
    connect(viewListModel(), &QStandardItemModel::itemChanged, this, &View::vList_dataChanged);
    connect(m_listView, &QAbstractItemView::activated, this, &View::vListActivated);
    m_listView->setCurrentIndex(viewListModel()->index(0, 0));

    auto* textDock = new QDockWidget(tr("Text"), this);
    textDock->setObjectName(QStringLiteral("textdock"));
    m_text = new QTextEdit(textDock);
    m_text->setAcceptRichText(true);
    textDock->setWidget(m_text);

    addDockWidget(Qt::LeftDockWidgetArea, viewDock);
    addDockWidget(Qt::BottomDockWidgetArea, textDock);

    connect(m_combo, qOverload<int>(&QComboBox::activated), viewArea(),
            &QStackedWidget::setCurrentIndex);
    connect(viewArea(), &QStackedWidget::currentChanged, this, &View::widgetChanged);

    connect(m_doc, &UmfrageDokument::notesWanted, this, &View::storeNotes);
    connect(m_doc, &UmfrageDokument::markedUnchanged, this, &View::documentUnchanged);
    connect(m_doc, &UmfrageDokument::diagramChangeRequested, this, &View::changeDiagram);
    connect(m_doc, &UmfrageDokument::viewAboutToBeRemoved, this, [this](QWidget* page) {
        if (page == m_notesView)
            m_notesView = nullptr; // its notes go with it, never into another view
    });
    connect(m_doc, &UmfrageDokument::viewAppended, this, [this](int row) {
        m_combo->setCurrentIndex(row);
        m_listView->setCurrentIndex(viewListModel()->index(row, 0));
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

    // Unsaved work: the undo stack's clean state, the view list, the notes, and the
    // views' own settings, which change through their menus and their controls.
    connect(undoStack(), &QUndoStack::cleanChanged, this, &View::scheduleChangeCheck);
    connect(viewListModel(), &QAbstractItemModel::rowsInserted, this, &View::scheduleChangeCheck);
    connect(viewListModel(), &QAbstractItemModel::rowsRemoved, this, &View::scheduleChangeCheck);
    connect(viewListModel(), &QAbstractItemModel::dataChanged, this, &View::scheduleChangeCheck);
    connect(m_text->document(), &QTextDocument::modificationChanged, this, [this](bool m) {
        if (m && !m_showingNotes)
            m_notesChanged = true;
        scheduleChangeCheck();
    });
    connect(UserInputEvents::instance(), &UserInputEvents::menuRan, this,
            &View::scheduleChangeCheck);
    connect(qApp, &QApplication::focusChanged, this, &View::scheduleChangeCheck);
    m_doc->markUnchanged();
}

View::~View()
{
    // Children still signal while the base class deletes them (the undo stack's clean
    // state, the pages, the focus); this part of the window is gone by then.
    for (const QObject* sender :
         {static_cast<QObject*>(m_doc), static_cast<QObject*>(undoStack()),
          static_cast<QObject*>(viewArea()), static_cast<QObject*>(viewListModel()),
          static_cast<QObject*>(m_text->document()), static_cast<QObject*>(dataModel()),
          static_cast<QObject*>(qApp), static_cast<QObject*>(UserInputEvents::instance())})
        disconnect(sender, nullptr, this, nullptr);
    QSettings settings;
    settings.setValue(QStringLiteral("MainWindow/state"), saveState(0));
    settings.setValue(QStringLiteral("MainWindow/size"), size());
}

// ---- the document's parts -------------------------------------------------------------

QStandardItemModel* View::dataModel() const { return m_doc->dataModel(); }
QStandardItemModel* View::viewListModel() const { return m_doc->viewListModel(); }
QStackedWidget* View::viewArea() const { return m_doc->viewArea(); }
QUndoStack* View::undoStack() const { return m_doc->undoStack(); }
Tabelle1* View::dataTable() const { return m_doc->dataTable(); }
const QString& View::currentFileName() const { return m_doc->fileName(); }
TableContext View::tableContext() { return m_doc->tableContext(); }

QStandardItem* View::appendView(const QString& title, ModelClient* view)
{
    return m_doc->appendView(title, view);
}
void View::removeView(int index) { m_doc->removeView(index); }
void View::moveView(int from, int to) { m_doc->moveView(from, to); }
int View::viewIndex(ModelClient* view) { return m_doc->viewIndex(view); }
int View::viewCount() const { return m_doc->viewCount(); }
QWidget* View::viewPage(int row) const { return m_doc->viewPage(row); }
ViewRecord View::record(int row, int version) { return m_doc->record(row, version); }
ViewRecord::Stored View::stored(int row) { return m_doc->stored(row); }
void View::setViewToolTip(int row, const QString& tip) { m_doc->setViewToolTip(row, tip); }
void View::setCreatingMany(bool on) { m_doc->setCreatingMany(on); }
void View::clearViews() { m_doc->clearViews(); }

ModelClient* View::createFromRecord(const ViewRecord& r, int version)
{
    return m_doc->createFromRecord(r, version);
}

ModelClient* View::createFromRecord(const ViewRecord& r, int version, QDataStream& settings)
{
    return m_doc->createFromRecord(r, version, settings);
}

ModelClient* View::createView(const QString& adapterType, const QString& viewType,
                              const QVector<int>& columns, const QString& title,
                              const QString& notes)
{
    return m_doc->createView(adapterType, viewType, columns, title, notes);
}

Diagram* View::createDiagram(const QString& type)
{
    return ViewTypes::makeDiagram(type);
}

bool View::importCSV(const QString& fileName, bool makeViews)
{
    if (!m_doc->importCSV(fileName))
        return false;
    if (makeViews) {
        createViews();
        m_doc->markUnchanged();
    }
    return true;
}

bool View::importSM(const QString& fileName) { return m_doc->importSM(fileName); }
bool View::exportCSV(const QString& fileName) { return m_doc->exportCSV(fileName); }
bool View::exportViewsCSV(const QString& fileName) { return m_doc->exportViewsCSV(fileName); }
bool View::importViewsCSV(const QString& fileName) { return m_doc->importViewsCSV(fileName); }
bool View::exportHTML(const QString& fileName) { return m_doc->exportHTML(fileName); }

bool View::load(const QString& fileName)
{
    if (!m_doc->load(fileName))
        return false;
    setFileTitle(QStringLiteral("quorvandel7"), fileName);
    return true;
}

bool View::save(const QString& fileName)
{
    if (m_doc->save(fileName))
        return true;
    UserInput::warning(this, tr("Speichern"),
                       tr("Die Datei %1 konnte nicht geschrieben werden.").arg(fileName));
    return false;
}

// ---- unsaved work ----------------------------------------------------------------------

bool View::isChanged()
{
    return m_notesChanged || m_doc->isChanged();
}

void View::documentUnchanged()
{
    m_text->document()->setModified(false);
    m_notesChanged = false;
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
    const QMessageBox::StandardButton answer = UserInput::question(
        this, QStringLiteral("quorvandel7"),
        tr("Die Änderungen wurden noch nicht gespeichert.\nMöchten Sie sie speichern?"),
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
    if (answer == QMessageBox::Discard)
        return true;
    if (answer != QMessageBox::Save)
        return false;
    saveFile();
    return !isChanged();
}

void View::closeEvent(QCloseEvent* e)
{
    if (maybeSave())
        e->accept();
    else
        e->ignore();
}

void View::removeAllViews()
{
    if (maybeSave())
        clearViews();
}

QAction* View::makeAction(const QString& name, const QString& text, const QString& icon,
                          void (View::*slot)())
{
    auto* a = icon.isEmpty() ? new QAction(text, this) : new QAction(QIcon(icon), text, this);
    a->setObjectName(name);
    if (slot)
        connect(a, &QAction::triggered, this, slot);
    return a;
}

void View::createActions()
{
    actNeu = makeAction("actNeu", tr("Neu"), QString(), nullptr);
    connect(actNeu, &QAction::triggered, this, [this] {
        if (maybeSave())
            createDemoViews();
    });
    actOpen = makeAction("actOpen", tr("Oeffnen"), ":images/open.png", &View::loadFile);
    actSave = makeAction("actSave", tr("Speichern"), ":images/save.png", &View::saveFile);
    actSaveAs = makeAction("actSaveAs", tr("Speichern als..."), ":images/save.png",
                           &View::saveFileAs);
    actImportCsv = makeAction("actImportCsv", tr("CSV"), QString(), &View::importFile);
    actImportSM = makeAction("actImportSM", tr("SurveyMonkey"), QString(), &View::importSMFile);
    actImportViews = makeAction("actImportViews", tr("Views"), QString(),
                                &View::importViewsFile);
    actExportCsv = makeAction("actExportCsv", tr("CSV"), QString(), &View::exportFile);
    actExportViews = makeAction("actExportViews", tr("Views"), QString(),
                                &View::exportViewsFile);
    actExportHtml = makeAction("actExportHtml", tr("HTML"), QString(), &View::exportHTMLFile);
    actQuit = makeAction("actQuit", tr("Beenden"), ":images/quit.png", nullptr);
    // Closing asks before unsaved work is lost; the last window closed ends the program.
    connect(actQuit, &QAction::triggered, this, &QWidget::close);
    actCopy = makeAction("actCopy", tr("Kopieren"), ":images/copy.png", &View::clipCopyView);
    actCopyColumns = makeAction("actCopyColumns", tr("Spalten kopieren"),
                                ":/images/colcopy.png", &View::dataCopyColumns);
    actGotoColumn = makeAction("actGotoColumn", tr("gehe zu Spalte..."), ":/images/gotocol.png",
                               &View::viewGotoColumn);
    actHideColumns = makeAction("actHideColumns", tr("Spalten entfernen"),
                                ":/images/hidecol.png", &View::hideSelectedColumns);
    actRenameColumn = makeAction("actRenameColumn", tr("Spalte umbenennen"),
                                 ":images/colrename.png", &View::dataRenameColumn);
    actReplace = makeAction("actReplace", tr("Werte ersetzen"), ":images/colreplace.png",
                            &View::dataReplaceColumns);
    actNormalize = makeAction("actNormalize", tr("Spalten normieren"),
                              ":images/colpercent.png", &View::dataNormalizeColumn);
    actNumeric = makeAction("actNumeric", tr("Spalten als Zahlen"), ":images/colclean.png",
                            &View::dataNumericColumns);
    actCombine = makeAction("actCombine", tr("Spalten zusammenfassen"),
                            ":images/colcombine.png", &View::dataCombineColumns);
    actWeight = makeAction("actWeight", tr("Spalten gewichten"), ":images/colweigth.png",
                           &View::dataWeightColumns);
    actStat = makeAction("actStat", tr("Spaltenstatistik"), ":/images/colstat.png",
                         &View::dataStatColumns);
    actLinReg = makeAction("actLinReg", tr("Regression"), ":/images/collinreg.png",
                           &View::dataLinReg);
    actHome = makeAction("actHome", tr("Daten"), ":/images/gohome.png", &View::goHome);
    actCreateView = makeAction("actCreateView", tr("Ansicht erstellen"), ":/images/plus.png",
                               &View::createSelectedView);
    actRemoveView = makeAction("actRemoveView", tr("Ansicht entfernen"), ":/images/minus.png",
                               &View::removeCurrentView);
    actRemoveAllViews = makeAction("actRemoveAllViews", tr("Alle Ansichten entfernen"),
                                   ":images/viewremoveall.png", &View::removeAllViews);

    actUndo = undoStack()->createUndoAction(this, QString());
    actUndo->setObjectName("actUndo");
    actRedo = undoStack()->createRedoAction(this, QString());
    actRedo->setObjectName("actRedo");

    actRemoveView->setEnabled(false);

    actOpen->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    actSave->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    actQuit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    actUndo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    actRedo->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    actCopy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    actGotoColumn->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
    actStat->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    actCreateView->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Plus));
}

void View::createMenusAndToolbars()
{
    QMenu* datei = menuBar()->addMenu(tr("Datei"));
    datei->addAction(actNeu);
    datei->addAction(actOpen);
    datei->addAction(actSave);
    datei->addAction(actSaveAs);
    datei->addSeparator();
    QMenu* imp = datei->addMenu(tr("Import"));
    imp->addAction(actImportCsv);
    imp->addAction(actImportSM);
    imp->addAction(actImportViews);
    QMenu* exp = datei->addMenu(tr("Export"));
    exp->addAction(actExportCsv);
    exp->addAction(actExportViews);
    exp->addAction(actExportHtml);
    datei->addSeparator();
    datei->addAction(actQuit);

    QMenu* bearbeiten = menuBar()->addMenu(tr("Bearbeiten"));
    bearbeiten->addAction(actUndo);
    bearbeiten->addAction(actRedo);
    bearbeiten->addSeparator();
    bearbeiten->addAction(actCopy);
    bearbeiten->addSeparator();
    bearbeiten->addAction(actCopyColumns);
    bearbeiten->addAction(actGotoColumn);

    QMenu* spalten = menuBar()->addMenu(tr("Spalten"));
    spalten->addAction(actHideColumns);
    spalten->addSeparator();
    spalten->addAction(actRenameColumn);
    spalten->addAction(actReplace);
    spalten->addAction(actNormalize);
    spalten->addAction(actNumeric);
    spalten->addSeparator();
    spalten->addAction(actCombine);
    spalten->addAction(actWeight);
    spalten->addSeparator();
    spalten->addAction(actStat);
    spalten->addAction(actLinReg);

    QMenu* diagramme = menuBar()->addMenu(tr("Diagramme"));
    diagramme->addAction(actHome);
    diagramme->addSeparator();
    diagramme->addAction(actCreateView);
    diagramme->addAction(actRemoveView);
    diagramme->addSeparator();
    diagramme->addAction(actRemoveAllViews);

    QToolBar* tbViews = addToolBar(tr("Ansichten"));
    tbViews->setObjectName(QStringLiteral("tbViews"));
    tbViews->addWidget(new QLabel(tr("Ansichten"), tbViews));
    tbViews->addWidget(m_combo);
    tbViews->addAction(actHome);

    QToolBar* tbDiag = addToolBar(tr("Diagramme"));
    tbDiag->setObjectName(QStringLiteral("tbDiag"));
    tbDiag->addAction(actCreateView);
    tbDiag->addAction(actRemoveView);

    QToolBar* tbColumns = addToolBar(tr("Spalten"));
    tbColumns->setObjectName(QStringLiteral("tbColumns"));
    tbColumns->addAction(actGotoColumn);
    tbColumns->addAction(actHideColumns);
    tbColumns->addAction(actCopyColumns);
    tbColumns->addSeparator();
    tbColumns->addAction(actStat);
    tbColumns->addAction(actLinReg);
    tbColumns->addSeparator();
    tbColumns->addAction(actRenameColumn);
    tbColumns->addAction(actNormalize);
    tbColumns->addAction(actNumeric);
    tbColumns->addAction(actReplace);
    tbColumns->addSeparator();
    tbColumns->addAction(actWeight);
    tbColumns->addAction(actCombine);

    QMenu* ansicht = menuBar()->addMenu(tr("Ansicht"));
    ansicht->addAction(findChild<QDockWidget*>(QStringLiteral("viewdock"))->toggleViewAction());
    ansicht->addAction(findChild<QDockWidget*>(QStringLiteral("textdock"))->toggleViewAction());
    ansicht->addSeparator();
    ansicht->addAction(tbColumns->toggleViewAction());
    ansicht->addAction(tbViews->toggleViewAction());
}

int View::currentViewIndex() const
{
    return m_notesView ? viewArea()->indexOf(m_notesView) : -1;
}

// ---- current view and enabling ----------------------------------------------------

void View::storeNotes()
{
    const int row = currentViewIndex();
    if (row < 0)
        return;
    if (QStandardItem* it = viewListModel()->item(row))
        it->setData(m_text->document()->toHtml(), Roles::ViewNotes);
}

void View::widgetChanged(int idx)
{
    if (idx < 0 || idx >= viewListModel()->rowCount())
        return;
    storeNotes();
    {
        // Showing a view's notes is not typing them.
        const QScopedValueRollback<bool> showing(m_showingNotes, true);
        m_text->setHtml(viewListModel()->item(idx)->data(Roles::ViewNotes).toString());
        m_text->document()->setModified(false);
    }
    m_notesView = viewArea()->widget(idx);
    m_listView->setCurrentIndex(viewListModel()->index(idx, 0));
    m_combo->setCurrentIndex(idx);
    viewArea()->setCurrentIndex(idx);

    if (idx != 0) {
        actCopy->setEnabled(true);
        actRemoveView->setEnabled(true);
        m_text->setEnabled(true);
        actHome->setEnabled(true);
        for (QAction* a : {actGotoColumn, actCopyColumns, actCombine, actCreateView,
                           actHideColumns, actNormalize, actNumeric, actReplace,
                           actRenameColumn, actStat, actLinReg, actWeight})
            a->setEnabled(false);
    } else {
        actCopy->setEnabled(false);
        actRemoveView->setEnabled(false);
        modelSelectionChanged();
        m_text->setEnabled(false);
        actGotoColumn->setEnabled(true);
        actCopyColumns->setEnabled(true);
        actHome->setEnabled(false);
    }
}

void View::modelSelectionChanged()
{
    const QVector<int> cols = dataTable()->selectedColumns();
    const int n = cols.size();
    for (QAction* a : {actCreateView, actHideColumns, actNormalize, actNumeric, actReplace,
                       actStat})
        a->setEnabled(n >= 1);
    actRenameColumn->setEnabled(n == 1);
    actCombine->setEnabled(n >= 2);
    if (n == 1) {
        const QString marker =
            dataModel()->headerData(cols.first(), Qt::Horizontal, Roles::DerivationKind)
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

// ---- CSV import ------------------------------------------------------------------

void View::importWith(const QString& filter, const std::function<bool(const QString&)>& read)
{
    // Asked before anything is read or removed: a cancel later on costs nothing that
    // was not saved or discarded on purpose.
    if (!maybeSave())
        return;
    const QString name =
        UserInput::getOpenFileName(this, tr("Choose a file"), QDir::homePath(), filter);
    if (name.isEmpty())
        return;
    // Nothing changes unless the file was read: a foreign or unreadable file must not
    // cost the user the views or retitle the window.
    if (!CsvReader::hasCsvEnding(name) || !read(name)) {
        UserInput::warning(this, tr("Import"),
                           tr("Die Datei %1 konnte nicht gelesen werden.").arg(name));
        return;
    }
    setFileTitle(QStringLiteral("Quorvandel7"), name);
    widgetChanged(0);
}

QString View::askDiagram()
{
    bool ok = false;
    const QString t = UserInput::getItem(this, tr("Ansicht erstellen"), tr("Diagram Typ"),
                                         ViewTypes::diagramNames(), 0, false, &ok);
    return ok ? t : QString(QLatin1String(""));
}

void View::createSelectedView()
{
    bool ok = false;
    const QString type = UserInput::getItem(this, tr("Ansicht erstellen"), tr("Diagram Typ"),
                                            ViewTypes::diagramNames() + ViewTypes::specialViewNames(), 0, false, &ok);
    if (!ok || type.isEmpty())
        return;
    const QVector<int> cols = dataTable()->selectedColumns();

    auto askTitle = [this, &ok] {
        return UserInput::getText(this, tr("Ansicht erstellen"), tr("Titel"), QLineEdit::Normal,
                                  QString(), &ok);
    };
    if (ViewTypes::specialViewType(type)) {
        const QString title = askTitle();
        if (!ok || title.isEmpty())
            return;
        // "Chi Quadrat" is no view type of its own: it names the chi-square adapter,
        // shown on vertical bars, for exactly one column.
        if (type == QLatin1String("Chi Quadrat")) {
            if (cols.size() == 1)
                createView(type, QStringLiteral("BalkenDiagram(V)"), cols, title, QString());
        } else {
            createView(QString(), type, cols, title, QString());
        }
    } else if (cols.size() == 1) {
        const QString adapter = UserInput::getItem(this, tr("Ansicht erstellen"),
                                                   tr("Adapter Typ"), ViewTypes::singleAdapterNames(), 0, false,
                                                   &ok);
        if (!ok || adapter.isEmpty())
            return;
        createView(adapter, type, cols,
                   QStringLiteral("%2: Spalte %1").arg(cols.first() + 1).arg(type), QString());
    } else if (cols.size() >= 2) {
        const QString adapter = UserInput::getItem(this, tr("Ansicht erstellen"),
                                                   tr("Adapter Typ"), ViewTypes::multiAdapterNames(), 0, false,
                                                   &ok);
        if (!ok || adapter.isEmpty())
            return;
        const QString title = askTitle();
        if (!ok || title.isEmpty())
            return;
        createView(adapter, type, cols, title, QString());
    }
    widgetChanged(viewListModel()->rowCount() - 1);
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
    QAction* chosen = UserInput::execMenu(&menu, m_listView->viewport()->mapToGlobal(pos));
    if (!chosen || !idx.isValid())
        return;
    if (chosen == rename)
        m_listView->edit(idx);
    else if (chosen == duplicate)
        duplicateView(idx.row());
    else if (chosen == remove)
        removeViewUndoable(idx.row());
}

void View::createViews()
{
    bool ok = false;
    const QString diagram =
        UserInput::getItem(this, tr("Ansichten erzeugen"),
                           tr("Welcher Diagramtyp soll verwendet werden?"),
                           ViewTypes::diagramNames(), 1, false, &ok);
    if (!ok)
        return;
    const QString adapter =
        UserInput::getItem(this, tr("Ansichten erzeugen"),
                           tr("Welcher Adapter soll verwendet werden?"),
                           ViewTypes::singleAdapterNames(), 1, false, &ok);
    if (!ok)
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
    m_listView->setCurrentIndex(viewListModel()->index(row, 0));
    viewArea()->setCurrentIndex(row);
}

void View::removeCurrentView()
{
    removeViewUndoable(viewArea()->currentIndex());
}

void View::removeViewUndoable(int row)
{
    if (row < 1 || row >= viewArea()->count())
        return;
    undoStack()->push(new cRemoveView(m_doc, qobject_cast<ModelClient*>(viewArea()->widget(row)),
                                      record(row, cRemoveView::RecordVersion)));
}

void View::duplicateView(int row)
{
    if (row < 1 || row >= viewArea()->count())
        return;
    ViewRecord r = record(row, 5);
    r.title += QStringLiteral("(neu)");
    createFromRecord(r, 5);
}

// ---- files ---------------------------------------------------------------------------

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
    const QString name = UserInput::getOpenFileName(this, tr("Choose a file"), QDir::homePath(),
                                                    tr("Statistic (*.stat);;All (*.*)"));
    if (name.isEmpty())
        return;
    // A file that was not loaded must not become the file that "Speichern" overwrites.
    if (!load(name))
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
    QString name = currentFileName();
    if (name.isEmpty()) {
        name = UserInput::getSaveFileName(this, tr("Choose a file"), QDir::homePath(),
                                          tr("Statistic (*.stat);;All (*.*)"));
        if (name.isEmpty())
            return;
    }
    saveTo(name);
}

void View::saveFileAs()
{
    const QString name = UserInput::getSaveFileName(this, tr("Choose a file"), QDir::homePath(),
                                                    tr("Statistic (*.stat)"));
    if (name.isEmpty())
        return;
    saveTo(name);
}

void View::importFile()
{
    importWith(tr("Datafiles (*.csv);;All (*.*)"),
               [this](const QString& name) { return importCSV(name); });
}

void View::importSMFile()
{
    importWith(tr("Survey Monkey Files (*.csv);;All (*.*)"),
               [this](const QString& name) { return importSM(name); });
}

void View::importViewsFile()
{
    importWith(tr("Datafiles (*.csv);;All (*.*)"),
               [this](const QString& name) { return importViewsCSV(name); });
}

void View::createViewsSM()
{
    m_doc->createSurveyMonkeyViews();
    showPage(0);
}

void View::exportWith(bool (View::*write)(const QString&))
{
    QString name = UserInput::getSaveFileName(this, tr("Choose a file"), QDir::homePath(),
                                              tr("Datafiles (*.csv)"));
    if (name.isEmpty())
        return;
    if (!CsvReader::hasCsvEnding(name))
        name += QLatin1String(".csv");
    if (!(this->*write)(name))
        UserInput::warning(this, tr("Export"),
                           tr("Die Datei %1 konnte nicht geschrieben werden.").arg(name));
}

void View::exportFile()
{
    exportWith(&View::exportCSV);
}

void View::exportViewsFile()
{
    exportWith(&View::exportViewsCSV);
}

void View::exportHTMLFile()
{
    QString name = UserInput::getSaveFileName(this, tr("Exportieren als HTML"), QDir::homePath(),
                                              tr("HTML (*.html)"));
    if (name.isEmpty())
        return;
    if (!name.endsWith(QLatin1String(".html")))
        name += QLatin1String(".html");
    widgetChanged(0);
    if (!exportHTML(name))
        UserInput::warning(this, tr("Export"),
                           tr("Die Datei %1 konnte nicht vollstaendig geschrieben werden.")
                               .arg(name));
}

// ---- column commands: handed to commands/ ----------------------------------------------

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
