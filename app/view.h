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
class NotizenFeld;
class Tabelle1;
class UmfrageDokument;

// The main window: owns the data table, the view list, the view area, the notes pane,
// the undo stack and every command.
// The main window: the actions, menus, docks and enabling over the survey document,
// which owns the data table, the view list, the undo stack and the files. Its slots
// ask what is to be asked and hand the work to the document or the column commands.
class View : public QMainWindow, public ViewHost
{
    Q_OBJECT
public:
    explicit View(QWidget* parent = nullptr);
    ~View() override;

    UmfrageDokument* document() const { return m_doc; }

    // View list (forwarded to the document)
    QStandardItem* appendView(const QString& title, ModelClient* view);
    void removeView(int index) override;
    void moveView(int from, int to) override;
    int viewIndex(ModelClient* view) override;
    int viewCount() const override;
    QWidget* viewPage(int row) const override;
    ViewRecord record(int row, int version) override;
    ViewRecord::Stored stored(int row) override;
    ModelClient* createFromRecord(const ViewRecord& r, int version) override;
    void setCreatingMany(bool on) override;

    // View creation
    ModelClient* createView(const QString& adapterType, const QString& viewType,
                            const QVector<int>& columns, const QString& title,
                            const QString& notes);
    Diagram* createDiagram(const QString& type);

    // Reads a ";" CSV file into the data table; false (and nothing changed) when the
    // file cannot be opened. Without makeViews no per-column views are asked for.
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
    QStandardItemModel* dataModel() const override;
    QStandardItemModel* viewListModel() const override;
    QStackedWidget* viewArea() const;
    QUndoStack* undoStack() const;
    Tabelle1* dataTable() const;
    QTextEdit* textPane() const;
    QComboBox* viewCombo() const { return m_combo; }
    QListView* viewListWidget() const { return m_listView; }
    const QString& currentFileName() const;
    int currentViewIndex() const;
    // Whether the state differs from the last save, load, import or "Neu": the
    // document's data and views, and the notes typed.
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
    void dataMultiSet();
    void dataRemoveMultiSet();
    void dataMissing();
    void dataRecode();
    void dataRaking();
    void clearViews() override;
    void exportFile();
    void exportViewsFile();
    void importViewsFile();
    void importFile();
    // "Öffnen/Import": a statistic file, or a survey file of any kind recognised by its
    // content.
    void openImportFile();
    void importSMFile();
    void importSpssFile();
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
    void exportPDFFile();
    void exportXlsxFile();
    void exportPptxFile();
    void choosePptxTemplate();
    void saveViewAs();
    void changeDiagram(DiagramAdapter* mda);
    void vList_dataChanged(QStandardItem* it);

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    // An import from the menu: asks about unsaved work, then for the file, and reads it.
    // art is a DateiAuswahl::Art.
    // Without data (a views file) the window keeps its title.
    void importWith(int art, const std::function<bool(const QString&)>& read,
                    bool data = true);
    // A CSV export from the menu: asks for the file, ".csv" appended when missing.
    void exportWith(bool (View::*write)(const QString&));
    // "Alle Ansichten entfernen" from the menu: clearViews after asking.
    void removeAllViews();
    // The document's state counts as saved: so do the notes.
    void documentUnchanged();
    // Updates the window's modified mark once the event loop runs again.
    void scheduleChangeCheck();
    void updateChangedMark();
    // Saves under name, with ".stat" appended for writing when it is missing; warns
    // when the file was not written.
    void saveTo(const QString& name);
    // Shows the page of row in the view area, the combo box and the list.
    void showPage(int row);
    void createActions();
    void createMenusAndToolbars();
    void setFileTitle(const QString& prefix, const QString& path);

    UmfrageDokument* m_doc = nullptr;
    QComboBox* m_combo = nullptr;
    NotizenFeld* m_text = nullptr;
    QListView* m_listView = nullptr;
    bool m_changeCheckPending = false;

public:
    // Actions, named after their slot; owned by the window.
    QAction* actNeu = nullptr;
    QAction* actOpen = nullptr;
    QAction* actSave = nullptr;
    QAction* actSaveAs = nullptr;
    QAction* actImportCsv = nullptr;
    QAction* actOpenImport = nullptr;
    QAction* actImportSM = nullptr;
    QAction* actImportViews = nullptr;
    QAction* actImportSpss = nullptr;
    QAction* actExportCsv = nullptr;
    QAction* actExportViews = nullptr;
    QAction* actExportHtml = nullptr;
    QAction* actExportPdf = nullptr;
    QAction* actExportXlsx = nullptr;
    QAction* actExportPptx = nullptr;
    QAction* actPptxTemplate = nullptr;
    QAction* actSaveViewAs = nullptr;
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
    QAction* actMultiSet = nullptr;
    QAction* actRemoveMultiSet = nullptr;
    QAction* actMissing = nullptr;
    QAction* actRecode = nullptr;
    QAction* actRaking = nullptr;
    QAction* actStat = nullptr;
    QAction* actLinReg = nullptr;
    QAction* actHome = nullptr;
    QAction* actCreateView = nullptr;
    QAction* actRemoveView = nullptr;
    QAction* actRemoveAllViews = nullptr;
};

#endif
