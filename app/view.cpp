#include "app/view.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QSaveFile>
#include <QScopedValueRollback>
#include <QSettings>
#include <QStackedWidget>
#include <QStandardItemModel>
#include <QTableView>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolBar>
#include <QUndoStack>

#include "analyses/modeldiagramadapter.h"
#include "analyses/modelmultidiagramadapter.h"
#include "core/recomputescheduler.h"
#include "commands/cremoveview.h"
#include "core/csvimport.h"
#include "core/csvreader.h"
#include "core/fortschritt.h"
#include "core/roles.h"
#include "core/statistikdatei.h"
#include "core/tabelle1.h"
#include "core/userinput.h"
#include "core/userinputevents.h"
#include "analyses/viewtypes.h"
#include "core/waitcursor.h"
#include "commands/gewichtungsbefehl.h"
#include "commands/regressionsbefehl.h"
#include "commands/spaltenableitung.h"
#include "commands/spaltenbearbeitung.h"
#include "commands/spaltenzahlen.h"
#include "diagrams/diagram.h"
#include "io/clipboardcopy.h"
#include "io/datacsvexport.h"
#include "io/demoviews.h"
#include "io/htmlreport.h"
#include "io/surveymonkeyimport.h"
#include "io/viewscsv.h"

static void initResources()
{
    Q_INIT_RESOURCE(resources);
}

View::View(QWidget* parent)
    : QMainWindow(parent)
{
    initResources();

    m_model = new QStandardItemModel(10, 5, this);
    m_viewList = new QStandardItemModel(this);
    m_stack = new QStackedWidget(this);
    m_combo = new QComboBox(this);
    m_combo->setModel(m_viewList);

    setWindowIcon(QIcon(QStringLiteral(":/images/logo.png")));
    setWindowTitle(QStringLiteral("quorvandel7[*]"));

    m_tabelle = new Tabelle1;
    m_tabelle->setModel(m_model);
    appendView(tr("Datentabelle"), m_tabelle);
    m_notesView = m_tabelle;
    connect(m_tabelle->table()->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &View::modelSelectionChanged);

    setCentralWidget(m_stack);
    m_undo = new QUndoStack(this);

    createActions();
    // Emptying the data table (new data, an import, a load) drops the column selection
    // without a selection signal; the column commands must follow it all the same.
    connect(m_model, &QAbstractItemModel::modelReset, this, &View::modelSelectionChanged);

    auto* viewDock = new QDockWidget(tr("Ansichten"), this);
    viewDock->setObjectName(QStringLiteral("viewdock"));
    m_listView = new QListView(viewDock);
    m_listView->setModel(m_viewList);
    m_listView->setEditTriggers(QAbstractItemView::EditKeyPressed);
    m_listView->setContextMenuPolicy(Qt::CustomContextMenu);
    viewDock->setWidget(m_listView);
    connect(m_listView, &QWidget::customContextMenuRequested, this, &View::vListContextMenu);
    connect(m_viewList, &QStandardItemModel::itemChanged, this, &View::vList_dataChanged);
    connect(m_listView, &QAbstractItemView::activated, this, &View::vListActivated);
    m_listView->setCurrentIndex(m_viewList->index(0, 0));

    auto* textDock = new QDockWidget(tr("Text"), this);
    textDock->setObjectName(QStringLiteral("textdock"));
    m_text = new QTextEdit(textDock);
    m_text->setAcceptRichText(true);
    textDock->setWidget(m_text);

    addDockWidget(Qt::LeftDockWidgetArea, viewDock);
    addDockWidget(Qt::BottomDockWidgetArea, textDock);

    connect(m_combo, qOverload<int>(&QComboBox::activated), m_stack,
            &QStackedWidget::setCurrentIndex);
    connect(m_stack, &QStackedWidget::currentChanged, this, &View::widgetChanged);

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
    connect(m_undo, &QUndoStack::cleanChanged, this, &View::scheduleChangeCheck);
    connect(m_viewList, &QAbstractItemModel::rowsInserted, this, &View::scheduleChangeCheck);
    connect(m_viewList, &QAbstractItemModel::rowsRemoved, this, &View::scheduleChangeCheck);
    connect(m_viewList, &QAbstractItemModel::dataChanged, this, &View::scheduleChangeCheck);
    connect(m_text->document(), &QTextDocument::modificationChanged, this, [this](bool m) {
        if (m && !m_showingNotes)
            m_notesChanged = true;
        scheduleChangeCheck();
    });
    connect(UserInputEvents::instance(), &UserInputEvents::menuRan, this,
            &View::scheduleChangeCheck);
    connect(qApp, &QApplication::focusChanged, this, &View::scheduleChangeCheck);
    markUnchanged();
}

// ---- unsaved work -----------------------------------------------------------------

QByteArray View::stateFingerprint()
{
    QByteArray bytes;
    QDataStream s(&bytes, QIODevice::WriteOnly);
    s.setVersion(QDataStream::Qt_4_6);
    const int cols = m_model->columnCount();
    for (int c = 0; c < cols; ++c)
        s << m_tabelle->table()->isColumnHidden(c);
    for (int row = 1; row < m_viewList->rowCount(); ++row) {
        const QStandardItem* it = m_viewList->item(row);
        s << it->text() << it->data(Roles::ViewType) << it->data(Roles::ViewAdapterType)
          << it->data(Roles::ViewColumns);
        if (auto* mc = qobject_cast<ModelClient*>(m_stack->widget(row)))
            mc->saveData(s, StatistikDatei::Version);
    }
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha1);
}

bool View::isChanged()
{
    return !m_undo->isClean() || m_notesChanged || stateFingerprint() != m_savedFingerprint;
}

void View::markUnchanged()
{
    m_undo->setClean();
    m_text->document()->setModified(false);
    m_notesChanged = false;
    m_savedFingerprint = stateFingerprint();
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

void View::startNewTable()
{
    clearViews();
    // Deleting a million cells takes a second: the rows go in pieces from the end, with
    // the progress display kept up between them.
    const int rows = m_model->rowCount();
    const int piece = qMax(1, 100000 / qMax(1, m_model->columnCount()));
    if (rows > piece) {
        Fortschritt work(this, tr("Daten werden entfernt"), rows);
        for (int left = rows; left > 0; left -= piece) {
            m_model->removeRows(qMax(0, left - piece), qMin(piece, left));
            work.step(rows - left);
        }
    }
    m_model->clear();
    m_undo->clear();
}

void View::removeAllViews()
{
    if (maybeSave())
        clearViews();
}

View::~View()
{
    // Children still signal while the base class deletes them (the undo stack's clean
    // state, the pages, the focus); this part of the window is gone by then.
    for (const QObject* sender : {static_cast<QObject*>(m_undo), static_cast<QObject*>(m_stack),
                                  static_cast<QObject*>(m_viewList),
                                  static_cast<QObject*>(m_text->document()),
                                  static_cast<QObject*>(m_model), static_cast<QObject*>(qApp),
                                  static_cast<QObject*>(UserInputEvents::instance())})
        disconnect(sender, nullptr, this, nullptr);
    QSettings settings;
    settings.setValue(QStringLiteral("MainWindow/state"), saveState(0));
    settings.setValue(QStringLiteral("MainWindow/size"), size());
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
    actWeighting = makeAction("actWeighting", tr("Gewichtung..."), QString(), &View::dataWeighting);
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

    actUndo = m_undo->createUndoAction(this, QString());
    actUndo->setObjectName("actUndo");
    actRedo = m_undo->createRedoAction(this, QString());
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
    spalten->addAction(actWeighting);
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
    return m_notesView ? m_stack->indexOf(m_notesView) : -1;
}

// ---- view list ---------------------------------------------------------------------

QStandardItem* View::appendView(const QString& title, ModelClient* view)
{
    m_stack->addWidget(view);
    auto* it = new QStandardItem(title);
    it->setData(false, Roles::ViewAdapterType);
    QString category = QStringLiteral("Special");
    if (view->inherits("ModelDiagramAdapter"))
        category = QStringLiteral("Single");
    else if (view->inherits("ModelMultiDiagramAdapter"))
        category = QStringLiteral("Multi");
    it->setData(category, Roles::ViewCategory);
    it->setData(QString(QLatin1String("")), Roles::ViewNotes);
    m_viewList->appendRow(it);
    // Making many views shows none of them one by one: each switch costs a pass over
    // all pages, which made large imports quadratic.
    if (m_creatingMany == 0) {
        m_combo->setCurrentIndex(it->row());
        if (m_listView)
            m_listView->setCurrentIndex(it->index());
    }
    return it;
}

void View::removeView(int index)
{
    if (index <= 0 || index >= m_stack->count())
        return;
    QWidget* w = m_stack->widget(index);
    if (w == m_notesView)
        m_notesView = nullptr;   // its notes go with it, never into another view
    // The row goes first, so that the page change the removal may cause reads rows
    // that match the pages.
    m_viewList->removeRow(index);
    m_stack->removeWidget(w);
    delete w;
}

void View::moveView(int from, int to)
{
    if (from < 1 || from == to || from >= m_stack->count() || to < 1)
        return;
    storeNotes();
    QWidget* w = m_stack->widget(from);
    const bool wasCurrent = m_stack->currentWidget() == w;
    QList<QStandardItem*> row = m_viewList->takeRow(from);
    m_stack->removeWidget(w);
    const int dest = qMin(to, m_stack->count());
    m_stack->insertWidget(dest, w);
    m_viewList->insertRow(dest, row);
    if (wasCurrent)
        m_stack->setCurrentIndex(dest);
}

void View::clearViews()
{
    const int n = m_stack->count() - 1;
    Fortschritt work(this, tr("Ansichten werden entfernt"), n);
    for (int i = n; i >= 1; --i) {
        removeView(i);
        work.step(n - i + 1);
    }
}

int View::viewIndex(ModelClient* view)
{
    return m_stack->indexOf(view);
}

// ---- current view and enabling ----------------------------------------------------

void View::storeNotes()
{
    const int row = currentViewIndex();
    if (row < 0)
        return;
    if (QStandardItem* it = m_viewList->item(row))
        it->setData(m_text->document()->toHtml(), Roles::ViewNotes);
}

void View::widgetChanged(int idx)
{
    if (idx < 0 || idx >= m_viewList->rowCount())
        return;
    storeNotes();
    {
        // Showing a view's notes is not typing them.
        const QScopedValueRollback<bool> showing(m_showingNotes, true);
        m_text->setHtml(m_viewList->item(idx)->data(Roles::ViewNotes).toString());
        m_text->document()->setModified(false);
    }
    m_notesView = m_stack->widget(idx);
    m_listView->setCurrentIndex(m_viewList->index(idx, 0));
    m_combo->setCurrentIndex(idx);
    m_stack->setCurrentIndex(idx);

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
    const QVector<int> cols = m_tabelle->selectedColumns();
    const int n = cols.size();
    for (QAction* a : {actCreateView, actHideColumns, actNormalize, actNumeric, actReplace,
                       actStat})
        a->setEnabled(n >= 1);
    actRenameColumn->setEnabled(n == 1);
    actCombine->setEnabled(n >= 2);
    if (n == 1) {
        const QString marker =
            m_model->headerData(cols.first(), Qt::Horizontal, Roles::DerivationKind)
                .toString();
        actWeight->setEnabled(marker == QLatin1String("weight"));
    } else {
        actWeight->setEnabled(n >= 2);
    }
    actLinReg->setEnabled(n == 2);
}

void View::goHome()
{
    m_stack->setCurrentIndex(0);
}

void View::vListActivated(QModelIndex index)
{
    if (!index.isValid())
        return;
    m_stack->setCurrentIndex(index.row());
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

void View::importFile()
{
    importWith(tr("Datafiles (*.csv);;All (*.*)"),
               [this](const QString& name) { return importCSV(name); });
}

bool View::importCSV(const QString& fileName, bool makeViews)
{
    {
        Fortschritt work(this, tr("Daten werden gelesen"), 0);
        QString text;
        if (!CsvImport::readText(fileName, &text))
            return false;
        WaitCursor wait;
        work.step(0);
        startNewTable();
        // Filling goes by the characters read.
        work.stage(work.text(), text.size());
        CsvImport::fill(text, m_model, m_tabelle, &work);
    }
    if (makeViews)
        createViews();
    markUnchanged();
    return true;
}

// ---- view creation ---------------------------------------------------------------

ModelClient* View::createView(const QString& adapterType, const QString& viewType,
                              const QVector<int>& columns, const QString& title,
                              const QString& notes)
{
    ModelClient* client = nullptr;
    if (const ViewTypes::SpecialViewType* special = ViewTypes::specialViewType(viewType)) {
        const int n = columns.size();
        if (!special->make || n < special->minColumns
            || (special->maxColumns >= 0 && n > special->maxColumns))
            return nullptr;
        client = special->make(m_model, columns);
        if (!client)
            return nullptr;
    } else {
        Diagram* d = createDiagram(viewType);
        if (!d || columns.isEmpty()) {
            delete d;
            return nullptr;
        }
        if (columns.size() == 1) {
            ModelDiagramAdapter* a = ViewTypes::makeSingleAdapter(adapterType);
            if (!a) {
                delete d;
                return nullptr;
            }
            a->setModelColumn(columns.first());
            a->setModel(m_model);
            a->setDiagram(d);
            a->setTitle(title);
            connect(a, &ModelDiagramAdapter::changeDiagram, this, &View::changeDiagram);
            client = a;
        } else {
            ModelMultiDiagramAdapter* a = ViewTypes::makeMultiAdapter(adapterType);
            if (!a) {
                delete d;
                return nullptr;
            }
            a->setModel(m_model);
            a->setDiagram(d);
            a->setSpalten(columns);
            a->setTitle(title);
            connect(a, &ModelMultiDiagramAdapter::changeDiagram, this, &View::changeDiagram);
            client = a;
        }
    }

    QStandardItem* it = appendView(title, client);
    QStringList cols;
    for (int c : columns)
        cols << QString::number(c);
    it->setData(viewType, Roles::ViewType);
    it->setData(adapterType, Roles::ViewAdapterType);
    it->setData(notes, Roles::ViewNotes);
    it->setData(cols, Roles::ViewColumns);
    if (m_creatingMany == 0)
        m_stack->setCurrentWidget(client);
    return client;
}

Diagram* View::createDiagram(const QString& type)
{
    return ViewTypes::makeDiagram(type);
}

QString View::askDiagram()
{
    bool ok = false;
    const QString t = UserInput::getItem(this, tr("Ansicht erstellen"), tr("Diagram Typ"),
                                         ViewTypes::diagramNames(), 0, false, &ok);
    return ok ? t : QString(QLatin1String(""));
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
    WaitCursor wait;
    const int n = m_model->columnCount();
    Fortschritt work(this, tr("Ansichten werden erstellt"), n);
    CreatingMany many(*this);
    for (int c = 0; c < n; ++c)
        m_tabelle->table()->setColumnHidden(c, false);
    for (int c = 0; c < n; ++c) {
        QString title = m_model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        if (title.isEmpty())
            title = QString::number(c + 1);
        createView(adapter, diagram, QVector<int>{c}, title, QString());
        work.step(c + 1);
    }
    m_combo->setCurrentIndex(0);
    m_listView->setCurrentIndex(m_viewList->index(0, 0));
    m_stack->setCurrentIndex(0);
    // The views are computed when the hold ends, before the work does.
    work.stage(tr("Ansichten werden berechnet"), n);
}

void View::createSelectedView()
{
    bool ok = false;
    const QString type = UserInput::getItem(this, tr("Ansicht erstellen"), tr("Diagram Typ"),
                                            ViewTypes::diagramNames() + ViewTypes::specialViewNames(), 0, false, &ok);
    if (!ok || type.isEmpty())
        return;
    const QVector<int> cols = m_tabelle->selectedColumns();

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
    widgetChanged(m_viewList->rowCount() - 1);
}

void View::changeDiagram(DiagramAdapter* mda)
{
    if (!mda)
        return;
    const QString type = askDiagram();
    if (type.isEmpty())
        return;
    Diagram* d = createDiagram(type);
    if (!d)
        return;
    mda->setDiagram(d);
    const int row = m_stack->indexOf(dynamic_cast<QWidget*>(mda));
    if (QStandardItem* it = m_viewList->item(row))
        it->setData(type, Roles::ViewType);
}

void View::vList_dataChanged(QStandardItem* it)
{
    if (!it)
        return;
    if (auto* a = dynamic_cast<DiagramAdapter*>(m_stack->widget(it->row())))
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

void View::removeCurrentView()
{
    removeViewUndoable(m_stack->currentIndex());
}

int View::viewCount() const
{
    return m_viewList->rowCount();
}

QWidget* View::viewPage(int row) const
{
    return row >= 0 && row < m_stack->count() ? m_stack->widget(row) : nullptr;
}

ViewRecord View::record(int row, int version)
{
    // The notes typed for the view on screen belong to what is kept of it.
    storeNotes();
    ViewRecord r;
    const QStandardItem* it = m_viewList->item(row);
    if (!it)
        return r;
    r.title = it->data(Qt::DisplayRole).toString();
    r.adapterType = it->data(Roles::ViewAdapterType).toString();
    r.viewType = it->data(Roles::ViewType).toString();
    r.notes = it->data(Roles::ViewNotes).toString();
    r.columns = ViewRecord::columnsFromTexts(it->data(Roles::ViewColumns).toStringList());
    if (auto* mc = qobject_cast<ModelClient*>(m_stack->widget(row))) {
        QDataStream s(&r.settings, QIODevice::WriteOnly);
        s.setVersion(QDataStream::Qt_4_6);
        mc->saveData(s, version);
    }
    return r;
}

void View::setCreatingMany(bool on)
{
    if (!on && m_creatingMany == 0)
        return;
    m_creatingMany += on ? 1 : -1;
    // Views made meanwhile are computed once, when the last of them is set up: a loaded
    // view would otherwise be computed on creation and again with its settings.
    RecomputeScheduler::hold(on);
}

ModelClient* View::createFromRecord(const ViewRecord& r, int version)
{
    ModelClient* mc = createView(r.adapterType, r.viewType,
                                 ViewRecord::boundedColumns(r.columns, m_model->columnCount()),
                                 r.title, r.notes);
    if (mc && !r.settings.isEmpty()) {
        QDataStream s(r.settings);
        s.setVersion(QDataStream::Qt_4_6);
        mc->loadData(s, version);
    }
    return mc;
}

ModelClient* View::createFromRecord(const ViewRecord& r, int version, QDataStream& settings)
{
    ModelClient* mc = createView(r.adapterType, r.viewType,
                                 ViewRecord::boundedColumns(r.columns, m_model->columnCount()),
                                 r.title, r.notes);
    if (mc)
        mc->loadData(settings, version);
    return mc;
}

TableContext View::tableContext()
{
    TableContext c;
    c.model = m_model;
    c.table = m_tabelle;
    c.undo = m_undo;
    c.parent = this;
    c.columns = m_tabelle->selectedColumns();
    return c;
}

void View::removeViewUndoable(int row)
{
    if (row < 1 || row >= m_stack->count())
        return;
    m_undo->push(new cRemoveView(this, qobject_cast<ModelClient*>(m_stack->widget(row)),
                                 record(row, 1)));
}

void View::duplicateView(int row)
{
    if (row < 1 || row >= m_stack->count())
        return;
    ViewRecord r = record(row, 5);
    r.title += QStringLiteral("(neu)");
    createFromRecord(r, 5);
}

// ---- demonstration data ------------------------------------------------------------

void View::createDemoViews()
{
    WaitCursor wait;
    Fortschritt work(this, tr("Beispieldaten werden erstellt"), 0);
    m_fileName.clear();
    // No file behind the new data: the title must not name the old one.
    setWindowTitle(QStringLiteral("quorvandel7[*]"));
    startNewTable();
    {
        CreatingMany many(*this);
        DemoViews::create(tableContext(), *this,
                          [this](const QString& title, ModelClient* v) { appendView(title, v); });
        work.stage(tr("Ansichten werden berechnet"), 0);
    }
    m_combo->setCurrentIndex(0);
    m_listView->setCurrentIndex(m_viewList->index(0, 0));
    m_stack->setCurrentIndex(0);
    markUnchanged();
}

// ---- statistic file ----------------------------------------------------------------

bool View::save(const QString& fileName)
{
    if (saveSilently(fileName))
        return true;
    UserInput::warning(this, tr("Speichern"),
                       tr("Die Datei %1 konnte nicht geschrieben werden.").arg(fileName));
    return false;
}

bool View::saveSilently(const QString& fileName)
{
    WaitCursor wait;
    Fortschritt work(this, tr("Datei wird gespeichert"), 0);
    storeNotes();
    // The new file is complete before it replaces anything: a failed save leaves the
    // old file as it was.
    QSaveFile out(fileName);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    // Writing goes by the rows written.
    work.stage(work.text(), m_model->rowCount());
    StatistikDatei::write(m_model, m_tabelle, *this, &out, &work);
    work.step(m_model->rowCount());
    if (out.error() != QFileDevice::NoError) {
        out.cancelWriting();
        return false;
    }
    if (QFile::exists(fileName)) {
        const QString backup = fileName + QLatin1Char('~');
        QFile::remove(backup);
        QFile::copy(fileName, backup);
    }
    if (!out.commit())
        return false;
    markUnchanged();
    return true;
}

bool View::load(const QString& fileName)
{
    QFile f(fileName);
    quint16 version = 0;
    const StatistikDatei::Result head = f.open(QIODevice::ReadOnly)
        ? StatistikDatei::checkHeader(&f, &version)
        : StatistikDatei::NotStatFile;
    if (head != StatistikDatei::Ok) {
        const QString why = head == StatistikDatei::TooNew
            ? tr("Die Datei %1 stammt von einer neueren Programmversion.")
            : tr("Die Datei %1 konnte nicht gelesen werden.");
        UserInput::warning(this, tr("Oeffnen"), why.arg(fileName));
        return false;
    }
    StatistikDatei::Outcome outcome;
    {
        WaitCursor wait;
        Fortschritt work(this, tr("Datei wird geladen"), 0);
        startNewTable();
        {
            // Held here, not only in the reader: the views are computed with the
            // display telling so.
            CreatingMany many(*this);
            // Reading goes by the position in the file.
            work.stage(work.text(), f.size());
            outcome = StatistikDatei::read(m_model, m_tabelle, *this, &f, version, &work);
            f.close();
            work.stage(tr("Ansichten werden berechnet"), 0);
        }
        // The views were made without showing each; the last one made is on screen, as
        // if each had been shown in turn.
        if (m_stack->count() > 1)
            m_stack->setCurrentIndex(m_stack->count() - 1);
        m_fileName = fileName;
        setFileTitle(QStringLiteral("quorvandel7"), fileName);
        markUnchanged();
    }
    if (outcome.result == StatistikDatei::Damaged) {
        UserInput::warning(this, tr("Oeffnen"),
                           tr("Die Datei %1 ist beschaedigt. Gelesen wurden %2 Zeilen und %3 "
                              "Ansichten.")
                               .arg(fileName)
                               .arg(outcome.rows)
                               .arg(outcome.views));
    }
    return true;
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
    m_fileName = name;
    widgetChanged(0);
}

void View::saveTo(const QString& name)
{
    QString target = name;
    if (!target.endsWith(QLatin1String(".stat")))
        target += QLatin1String(".stat");
    if (!save(target))
        return;
    m_fileName = name;
    setFileTitle(QStringLiteral("Quorvandel7"), target);
}

void View::saveFile()
{
    QString name = m_fileName;
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

// ---- column commands, imports and exports: handed to commands/ and io/ ----------------

void View::createViewsSM()
{
    Fortschritt work(this, tr("Ansichten werden erstellt"), 0);
    CreatingMany many(*this);
    SurveyMonkeyImport::createViews(tableContext(), *this, m_subHeaders, &work);
    m_combo->setCurrentIndex(0);
    m_listView->setCurrentIndex(m_viewList->index(0, 0));
    m_stack->setCurrentIndex(0);
    work.stage(tr("Ansichten werden berechnet"), 0);
}

void View::clipCopyView()
{
    ClipboardCopy::copy(m_stack->currentWidget());
}

void View::dataRenameColumn()
{
    SpaltenBearbeitung::renameColumn(tableContext());
}

void View::dataReplaceColumns()
{
    SpaltenBearbeitung::replaceValues(tableContext());
}

void View::dataCombineColumns()
{
    SpaltenAbleitung::combineColumns(tableContext());
}

void View::dataWeightColumns()
{
    SpaltenAbleitung::weightColumns(tableContext());
}

void View::dataWeighting()
{
    Gewichtungsbefehl::waehlen(tableContext());
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

bool View::exportCSV(const QString& fileName)
{
    WaitCursor wait;
    Fortschritt work(this, tr("Daten werden exportiert"), 0);
    return DataCsvExport::write(fileName, m_model, m_tabelle, &work);
}

void View::exportViewsFile()
{
    exportWith(&View::exportViewsCSV);
}

bool View::exportViewsCSV(const QString& fileName)
{
    WaitCursor wait;
    Fortschritt work(this, tr("Ansichten werden exportiert"), 0);
    return ViewsCsv::write(fileName, *this, &work);
}

void View::importViewsFile()
{
    importWith(tr("Datafiles (*.csv);;All (*.*)"),
               [this](const QString& name) { return importViewsCSV(name); });
}

bool View::importViewsCSV(const QString& fileName)
{
    WaitCursor wait;
    Fortschritt work(this, tr("Ansichten werden importiert"), 0);
    QString text;
    if (!CsvImport::readText(fileName, &text))
        return false;
    clearViews();
    {
        CreatingMany many(*this);
        ViewsCsv::read(text, *this, &work);
        work.stage(tr("Ansichten werden berechnet"), 0);
    }
    markUnchanged();
    return true;
}

void View::importSMFile()
{
    importWith(tr("Survey Monkey Files (*.csv);;All (*.*)"),
               [this](const QString& name) { return importSM(name); });
}

bool View::importSM(const QString& fileName)
{
    WaitCursor wait;
    Fortschritt work(this, tr("Daten werden gelesen"), 0);
    QString text;
    if (!CsvImport::readText(fileName, &text))
        return false;
    startNewTable();
    SurveyMonkeyImport::fill(text, m_model, m_tabelle, &m_subHeaders, &work);
    work.setText(tr("Ansichten werden erstellt"));
    createViewsSM();
    markUnchanged();
    return true;
}

void View::dataNormalizeColumn()
{
    SpaltenZahlen::normalizeColumns(tableContext());
}

void View::dataNumericColumns()
{
    SpaltenZahlen::numericColumns(tableContext());
}

void View::dataStatColumns()
{
    SpaltenZahlen::statColumns(tableContext());
}

void View::hideSelectedColumns()
{
    SpaltenBearbeitung::hideColumns(tableContext());
}

void View::viewGotoColumn()
{
    SpaltenBearbeitung::gotoColumn(tableContext());
}

void View::dataLinReg()
{
    RegressionsBefehl::linReg(tableContext());
}

void View::dataCopyColumns()
{
    SpaltenBearbeitung::copyColumns(tableContext());
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

bool View::exportHTML(const QString& fileName)
{
    WaitCursor wait;
    Fortschritt work(this, tr("Bericht wird geschrieben"), 0);
    // Every picture at the size of the view area, as the views are shown.
    const HtmlReport::Outcome out =
        HtmlReport::write(fileName, m_fileName, *this, m_stack->size(), &work);
    return out.written && out.picturesFailed == 0;
}
