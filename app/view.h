#ifndef VIEW_H
#define VIEW_H

#include <QMainWindow>
#include <QModelIndex>
#include <QPointer>
#include <QStringList>
#include <QVector>
#include <functional>

#include "core/tablecontext.h"
#include "core/viewhost.h"

class QAction;
class QComboBox;
class QListView;
class QStackedWidget;
class QStandardItem;
class QStandardItemModel;
class QTextEdit;
class QUndoStack;
class Diagram;
class DiagramAdapter;
class ModelClient;
class Tabelle1;

// The main window: owns the data table, the view list, the view area, the notes pane,
// the undo stack and every command.
class View : public QMainWindow, public ViewHost
{
    Q_OBJECT
public:
    explicit View(QWidget* parent = nullptr);
    ~View() override;

    // View list
    QStandardItem* appendView(const QString& title, ModelClient* view);
    void removeView(int index) override;
    void moveView(int from, int to) override;
    int viewIndex(ModelClient* view) override;

    // The view list as records (ViewHost): the only places where a view turns into
    // its record and back.
    int viewCount() const override;
    QWidget* viewPage(int row) const override;
    ViewRecord record(int row, int version) override;
    ModelClient* createFromRecord(const ViewRecord& r, int version) override;
    ModelClient* createFromRecord(const ViewRecord& r, int version,
                                  QDataStream& settings) override;
    void setCreatingMany(bool on) override;

    // View creation
    ModelClient* createView(const QString& adapterType, const QString& viewType,
                            const QVector<int>& columns, const QString& title,
                            const QString& notes);
    Diagram* createDiagram(const QString& type);

    // Reads a ";" CSV file into the data table; false (and nothing changed) when the
    // file cannot be opened. Without makeViews no per-column views are asked for (the
    // command-line report, which must not ask anything).
    bool importCSV(const QString& fileName, bool makeViews = true);

    // Import and export; false when the file could not be read or written completely.
    bool importSM(const QString& fileName);
    bool exportCSV(const QString& fileName);
    bool exportViewsCSV(const QString& fileName);
    bool importViewsCSV(const QString& fileName);
    bool exportHTML(const QString& fileName);

    // Statistic file
    bool save(const QString& fileName);
    bool load(const QString& fileName);

    // Access for the commands and the tests.
    QStandardItemModel* dataModel() const { return m_model; }
    QStandardItemModel* viewListModel() const override { return m_viewList; }
    QStackedWidget* viewArea() const { return m_stack; }
    QUndoStack* undoStack() const { return m_undo; }
    Tabelle1* dataTable() const { return m_tabelle; }
    QTextEdit* textPane() const { return m_text; }
    QComboBox* viewCombo() const { return m_combo; }
    QListView* viewListWidget() const { return m_listView; }
    const QString& currentFileName() const { return m_fileName; }
    int currentViewIndex() const;
    // Whether the state differs from the last save, load, import or "Neu": the undo
    // stack's clean state, the views and their settings, the notes.
    bool isChanged();
    // Asks whether a changed state is to be saved before it is discarded; false when
    // the user cancelled (or the save did not happen) and the command must stop.
    bool maybeSave();

    // What a column command or an import/export works on: the data table, its widget,
    // the undo stack, this window as parent and the selected columns.
    TableContext tableContext();

public slots:
    void removeCurrentView();
    void createSelectedView();
    void createViews();
    void createViewsSM();
    void createDemoViews();
    void widgetChanged(int idx);
    void clipCopyView();
    void vListActivated(QModelIndex index);
    void dataRenameColumn();
    void dataReplaceColumns();
    void dataCombineColumns();
    void dataWeightColumns();
    void dataWeighting();
    void clearViews() override;
    void exportFile();
    void exportViewsFile();
    void importViewsFile();
    void importFile();
    void importSMFile();
    void dataNormalizeColumn();
    void dataNumericColumns();
    void dataStatColumns();
    void modelSelectionChanged();
    void hideSelectedColumns();
    void loadFile();
    void saveFile();
    void saveFileAs();
    void viewGotoColumn();
    void dataLinReg();
    void vListContextMenu(QPoint pos);
    void dataCopyColumns();
    void goHome();
    QString askDiagram();
    void exportHTMLFile();
    void changeDiagram(DiagramAdapter* mda);
    void vList_dataChanged(QStandardItem* it);

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    // An import from the menu: asks about unsaved work, then for the file, and reads it.
    void importWith(const QString& filter, const std::function<bool(const QString&)>& read);
    // A CSV export from the menu: asks for the file, ".csv" appended when missing.
    void exportWith(bool (View::*write)(const QString&));
    // Before new data: no views, an empty data table, nothing to undo.
    void startNewTable();
    // "Alle Ansichten entfernen" from the menu: clearViews after asking.
    void removeAllViews();
    // The present state counts as saved.
    void markUnchanged();
    // What the views are: types, columns, titles, settings; and the hidden columns.
    QByteArray stateFingerprint();
    // Updates the window's modified mark once the event loop runs again.
    void scheduleChangeCheck();
    void updateChangedMark();
    void removeViewUndoable(int row);
    void duplicateView(int row);
    // save() without the warning: false when the file was not written.
    bool saveSilently(const QString& fileName);
    // Saves under name, with ".stat" appended for writing when it is missing.
    void saveTo(const QString& name);
    void createActions();
    void createMenusAndToolbars();
    // Writes the notes pane into the item of the view it was showing, if that view
    // still exists.
    void storeNotes();
    void setFileTitle(const QString& prefix, const QString& path);
    QAction* makeAction(const QString& name, const QString& text, const QString& icon,
                        void (View::*slot)());

    QStandardItemModel* m_model = nullptr;
    QStandardItemModel* m_viewList = nullptr;
    QStackedWidget* m_stack = nullptr;
    QComboBox* m_combo = nullptr;
    QTextEdit* m_text = nullptr;
    QListView* m_listView = nullptr;
    Tabelle1* m_tabelle = nullptr;
    QUndoStack* m_undo = nullptr;
    QString m_fileName;
    QByteArray m_savedFingerprint;
    bool m_notesChanged = false;      // notes typed since the last save
    bool m_showingNotes = false;      // the notes pane is being filled, not typed into
    bool m_changeCheckPending = false;
    // Nesting depth of setCreatingMany(true): views made meanwhile are not shown.
    int m_creatingMany = 0;
    // Sub-header row of the last SurveyMonkey import.
    QStringList m_subHeaders;
    // The page whose notes the text pane shows; follows the view across moves and
    // removals, unlike a row number.
    QPointer<QWidget> m_notesView;

public:
    // Actions, named after their slot; owned by the window.
    QAction* actNeu = nullptr;
    QAction* actOpen = nullptr;
    QAction* actSave = nullptr;
    QAction* actSaveAs = nullptr;
    QAction* actImportCsv = nullptr;
    QAction* actImportSM = nullptr;
    QAction* actImportViews = nullptr;
    QAction* actExportCsv = nullptr;
    QAction* actExportViews = nullptr;
    QAction* actExportHtml = nullptr;
    QAction* actQuit = nullptr;
    QAction* actUndo = nullptr;
    QAction* actRedo = nullptr;
    QAction* actCopy = nullptr;
    QAction* actCopyColumns = nullptr;
    QAction* actGotoColumn = nullptr;
    QAction* actHideColumns = nullptr;
    QAction* actRenameColumn = nullptr;
    QAction* actReplace = nullptr;
    QAction* actNormalize = nullptr;
    QAction* actNumeric = nullptr;
    QAction* actCombine = nullptr;
    QAction* actWeight = nullptr;
    QAction* actWeighting = nullptr;
    QAction* actStat = nullptr;
    QAction* actLinReg = nullptr;
    QAction* actHome = nullptr;
    QAction* actCreateView = nullptr;
    QAction* actRemoveView = nullptr;
    QAction* actRemoveAllViews = nullptr;
};

#endif
