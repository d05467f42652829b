#ifndef VIEW_H
#define VIEW_H

#include <QMainWindow>
#include <QModelIndex>
#include <QPointer>
#include <QStringList>
#include <QVector>
#include <functional>

#include "core/tablecontext.h"
#include "io/umfragedokument.h"

class QAction;
class QComboBox;
class QListView;
class QStackedWidget;
class QStandardItem;
class QStandardItemModel;
class SpaltenSpeicher;
class QTextEdit;
class QUndoStack;
class Diagram;
class DiagramAdapter;
class ModelClient;
class NotizenFeld;
class Tabelle1;

// The main window: the actions, menus, docks and enabling over the survey document,
// which owns the data table, the view list, the undo stack and the files. The view
// area and the data-table widget are the window's and follow the document. Its slots
// ask what is to be asked and hand the work to the document or the column commands.
class View : public QMainWindow
{
    Q_OBJECT
public:
    explicit View(QWidget* parent = nullptr);
    ~View() override;

    UmfrageDokument* document() const { return m_doc; }

    // Reads a ";" CSV file into the data table; false (and nothing changed) when the
    // file cannot be opened. Without makeViews no per-column views are asked for.
    bool importCSV(const QString& fileName, bool makeViews = true);

    // Statistic file: a file not written is told; a file loaded names the window.
    bool save(const QString& fileName);
    bool load(const QString& fileName);

    // The window's own parts.
    QStackedWidget* viewArea() const;
    Tabelle1* dataTable() const;
    QTextEdit* textPane() const;
    QComboBox* viewCombo() const { return m_combo; }
    QListView* viewListWidget() const { return m_listView; }
    int currentViewIndex() const;
    // Whether the state differs from the last save, load, import or "Neu" (the
    // document's data, views and notes).
    bool isChanged();
    // Asks whether a changed state is to be saved before it is discarded; false when
    // the user cancelled (or the save did not happen) and the command must stop.
    bool maybeSave();

    // What a column command works on: the document's context with this window's
    // table widget and the columns selected in it.
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
    void exportWith(Ergebnis (UmfrageDokument::*write)(const QString&));
    // "Alle Ansichten entfernen" from the menu: clearViews after asking.
    void removeAllViews();
    // The document's state counts as saved: the mark goes.
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
    QStackedWidget* m_stack = nullptr;
    Tabelle1* m_tabelle = nullptr;
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
