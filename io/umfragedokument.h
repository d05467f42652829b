#ifndef UMFRAGEDOKUMENT_H
#define UMFRAGEDOKUMENT_H

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QVariant>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>

#include "core/tablecontext.h"
#include "core/viewhost.h"
#include "io/ansichtsplan.h"
#include "io/ergebnis.h"
#include "io/statistikdatei.h"
#include "io/viewscsv.h"

class QStandardItem;
class QStandardItemModel;
class SpaltenSpeicher;
class QUndoStack;
class QWidget;
class Diagram;
class Fortschritt;
class QIODevice;
class DiagramAdapter;
class ModelClient;
class SpaltenSicht;

// The survey being worked on, apart from any window: the data table, the view list
// (records and live views), the undo stack, the file name and whether the state
// differs from the last save. It opens and saves the statistic file, reads the imports
// and writes the exports. It holds no part of a window: its views are pages it keeps
// (and deletes, unless a window's view area took them), and a window shows the data
// table and the views by following its signals. The command-line report, tests and
// fuzz targets use it alone.
class UmfrageDokument : public QObject, public ViewHost
{
    Q_OBJECT
public:
    explicit UmfrageDokument(QObject* parent = nullptr);
    ~UmfrageDokument() override;

    // Parent of the questions, warnings and progress displays; none without a window.
    void setDialogParent(QWidget* parent) { m_dialogParent = parent; }
    QWidget* dialogParent() const { return m_dialogParent; }

    SpaltenSpeicher* dataModel() const override { return m_model; }
    QStandardItemModel* viewListModel() const override { return m_viewList; }
    QUndoStack* undoStack() const { return m_undo; }
    // The data table's hidden columns (and its bulk fills), which a table widget follows.
    SpaltenSicht* spalten() const { return m_spalten; }
    // Hides exactly the columns listed, showing every other one.
    void setHiddenColumns(const QVector<int>& columns);
    // The columns hidden, in order.
    QVector<int> hiddenColumns() const;
    // The row on screen where there is a screen: a window follows currentViewChanged.
    int currentView() const { return m_current; }
    void setCurrentView(int row);
    // The size of the pictures in the reports when none is asked for: what a window's
    // view area measures when asked; without one, the size an unshown page has.
    void setPictureSize(const std::function<QSize()>& size) { m_pictureSize = size; }
    QSize pictureSize() const { return m_pictureSize ? m_pictureSize() : QSize(640, 480); }
    const QString& fileName() const { return m_fileName; }
    // The file "Speichern" writes to; signals a new name.
    void setFileName(const QString& name);
    // The file the survey came from or went to last (statistic or data file): what the
    // report is headed with. Unlike fileName(), an import sets it too.
    const QString& surveyFile() const { return m_surveyFile; }
    // The data table, its hidden columns, the undo stack and the dialog parent: what a
    // column command or an import/export works on (a window adds its table widget and
    // the selected columns).
    TableContext tableContext() const;

    // ---- the view list (ViewHost) ----
    int viewCount() const override;
    QWidget* viewPage(int row) const override;
    int viewIndex(ModelClient* view) override;
    ViewRecord record(int row, int version) override;
    ViewRecord::Stored stored(int row) override;
    ModelClient* createFromRecord(const ViewRecord& r, int version) override;
    // The tool tip of row's list item.
    void setViewToolTip(int row, const QString& tip);
    // The notes of row (HTML).
    QString notes(int row) const;
    void setNotes(int row, const QString& html);
    void setCreatingMany(bool on) override;
    bool creatingMany() const { return m_creatingMany > 0; }
    void removeView(int row) override;
    void moveView(int from, int to) override;
    void clearViews() override;

    // Appends a page with its list item (no types, no columns yet). The document owns
    // the page until a window's view area takes it.
    QStandardItem* appendView(const QString& title, ModelClient* view);
    // Makes a view from its five values and appends it; null when they name no view
    // that can be made.
    ModelClient* createView(const QString& adapterType, const QString& viewType,
                            const QVector<int>& columns, const QString& title,
                            const QString& notes);
    // Removes the view of row (>= 1) through the undo stack.
    void removeViewUndoable(int row);
    // Appends a copy of the view of row (>= 1), its title marked "(neu)".
    void duplicateView(int row);
    // Gives an adapter view a new diagram of the type named; false for an unknown type.
    bool setDiagramType(DiagramAdapter* view, const QString& type);
    // One view per column of the data table with the adapter and diagram named, every
    // column shown again (after an import).
    void createColumnViews(const QString& adapterType, const QString& diagramType);

    // The one place views are made from what a file held: appends a view per record,
    // in order, its settings (when it has any) read at record version, its tool tip
    // set when it has one; views are not shown one by one meanwhile. The positions in
    // records of those that name no view that can be made; progress (when given) is
    // stepped per record.
    QVector<int> createViews(const QVector<ViewRecord>& records, int version,
                             Fortschritt* progress = nullptr);
    // Adds the views of a decoded views CSV text, its column settings put on the survey
    // first; what they came to.
    ViewsCsv::Outcome addViewsCsv(const QString& text, Fortschritt* progress = nullptr);
    // Reads the rest of a statistic file (after its header) into the emptied survey:
    // the data, the hidden columns and the views. What it came to, the views made
    // counted.
    StatistikDatei::Outcome readStatFile(QIODevice* device, quint16 version,
                                         Fortschritt* progress = nullptr);
    // What a survey reader found beside the table: hidden columns, sets, then views.
    void applyPlan(const Ansichtsplan& plan, Fortschritt* progress = nullptr);

    // ---- files ----
    // Each operation returns what it came to: done, or a message (title and German
    // text) and whether the survey was left as it was. Nothing is shown here: the
    // window shows the message, the command line prints it. Questions the user must
    // answer while a file is read still go through UserInput.
    // Empties the table and the views and fills them with demonstration data.
    void createDemo();
    // Reads a CSV survey in place of the present data; refused (nothing changed) when
    // the file cannot be read or holds no survey.
    Ergebnis importCSV(const QString& fileName);
    // Reads an SPSS data file in place of the present data; refused (nothing changed)
    // when it cannot be read or is damaged.
    Ergebnis importSpss(const QString& fileName);
    // A survey file by its ending: SPSS for ".sav" and ".zsav", else CSV.
    Ergebnis importData(const QString& fileName);
    // A survey file of any kind, recognised by its content: a platform's export is read
    // with its sets, hidden metadata and views (when fragen, the user is told what was
    // recognised and may cancel, nothing changed and no message; a workbook of several
    // sheets asks which, a LimeSurvey export of codes without its structure file beside
    // it asks for one), anything else as importData() reads it.
    Ergebnis importErkannt(const QString& fileName, bool fragen);
    // What the last importErkannt() recognised ("Qualtrics-Export"); empty for a plain
    // data file.
    const QString& erkannteQuelle() const { return m_erkannteQuelle; }
    // Whether the last importErkannt() made the survey's views itself.
    bool ansichtenErstellt() const { return m_ansichtenErstellt; }
    // Whether the name has the ending of a survey file (CSV or SPSS).
    static bool isSurveyFile(const QString& fileName);
    // The refusal of a file that cannot be read as an import.
    static Ergebnis notReadable(const QString& fileName);
    // Reads a SurveyMonkey export in place of the present data, with its own views.
    Ergebnis importSM(const QString& fileName);
    // Replaces the views by those of a views file (or, with ersetzen false, adds them);
    // the data and the file name stay, and the new views are unsaved work. Views over
    // columns the survey lacks are left out: done, with a warning naming the columns.
    Ergebnis importViewsCSV(const QString& fileName, bool ersetzen = true);
    // The titles the last views file needed that the survey lacked.
    const QStringList& missingColumns() const { return m_missingColumns; }
    // The view lines of the last views file that made no view.
    const QVector<ViewsCsv::Skipped>& skippedViews() const { return m_skippedViews; }
    static QString missingColumnsText(const QStringList& titles);
    Ergebnis exportCSV(const QString& fileName);
    Ergebnis exportViewsCSV(const QString& fileName);
    // The report with every picture at pictureSize (pictureSize() when empty).
    Ergebnis exportHTML(const QString& fileName, const QSize& pictureSize = QSize());
    // The same report as a PDF on A4, the charts as vector graphics.
    Ergebnis exportPDF(const QString& fileName, const QSize& pictureSize = QSize());
    // The report as PDF or HTML, by the file's ending.
    Ergebnis exportReport(const QString& fileName, const QSize& pictureSize = QSize());
    // The data and every view as an Excel workbook.
    Ergebnis exportXlsx(const QString& fileName);
    // Every view on a slide of a PowerPoint deck, on the template's master where one is
    // named; a deck written earlier is updated. The message says why where an existing
    // deck or the template could not be read.
    Ergebnis exportPptx(const QString& fileName, const QString& templateName = QString());
    // The view of row (>= 1) as a picture file, PNG, SVG or PDF by the file's ending.
    Ergebnis exportViewPicture(int row, const QString& fileName);
    // Writes the statistic file (the old one kept as "~" backup).
    Ergebnis save(const QString& fileName);
    // Reads a statistic file in place of the present state. A file that cannot be
    // read changes nothing and is refused; a damaged one is read as far as it goes and
    // counts as loaded, with a warning.
    Ergebnis load(const QString& fileName);

    // ---- unsaved work ----
    // Whether the data, the hidden columns, the views, their notes or their settings
    // differ from the last save, load, import or new data. Nothing is compared until
    // something signals a change (the undo stack, the view list, a view's changed());
    // then only the views that signalled are written out and compared, so that a
    // change undone by hand counts as none.
    bool isChanged();
    // The present state counts as saved.
    void markUnchanged();

    // The views of a SurveyMonkey import (bars and pies per usable question).
    void createSurveyMonkeyViews();
    // Sub-header row of the last SurveyMonkey import.
    const QStringList& subHeaders() const { return m_subHeaders; }

    // Before new data: no views, an empty data table, nothing to undo.
    void startNewTable();

signals:
    // The state was marked as saved.
    void markedUnchanged();
    // Something may have changed since the last save: isChanged() tells.
    void changed();
    // The file "Speichern" writes to is another.
    void fileNameChanged(const QString& name);
    // A view was appended while views are shown one by one: it is the current one.
    void viewAppended(int row);
    // A page came into the list at row (any view appended, shown or not).
    void viewInserted(int row, ModelClient* page);
    // The page is about to leave the list (and be deleted).
    void viewAboutToBeRemoved(QWidget* page);
    // The page has left the list; it is deleted next.
    void viewRemoved(QWidget* page);
    // The page of row from is now at row to.
    void viewMoved(int from, int to);
    // The row to show.
    void currentViewChanged(int row);
    // A view asks for another diagram type.
    void diagramChangeRequested(DiagramAdapter* view);

private:
    // Fills the data table through a reader, the table widget held off meanwhile.
    void fillTable(const std::function<void()>& fill);
    // The present survey emptied and replaced by what fill reads from fileName: a new
    // survey without a statistic file of its own.
    void readNewSurvey(const QString& fileName, const std::function<void()>& fill);
    // A decoded CSV survey of that separator in place of the present data; refused
    // (nothing changed) when it holds no survey.
    Ergebnis importCsvText(const QString& fileName, const QString& text, QChar separator,
                           Fortschritt& work);
    // The text of a survey file; refused when it cannot be read or holds no survey.
    Ergebnis readSurvey(const QString& fileName, QString* text);
    // A view's settings as saveData wrote them at a record version.
    struct Settings {
        int version = 0;
        QByteArray bytes;
    };
    // One row of the view list as last saved.
    struct SavedRow {
        QPointer<QWidget> page;
        QVariant title, viewType, adapterType, columns, notes;
    };
    QVector<SavedRow> rowsNow() const;
    QVector<bool> hiddenNow() const;
    static Settings settingsOf(ModelClient* view, int version);
    // Whether anything differs from the last save (the undo stack aside).
    bool differsFromSaved();
    // A view signalled a change of its settings.
    void viewChanged(ModelClient* view);
    void noteChange();

    QPointer<QWidget> m_dialogParent;
    SpaltenSpeicher* m_model = nullptr;
    QStandardItemModel* m_viewList = nullptr;
    SpaltenSicht* m_spalten = nullptr;
    // The page of each row of the view list; none for the data table's row 0.
    QList<QPointer<ModelClient>> m_pages;
    int m_current = 0;
    std::function<QSize()> m_pictureSize;
    QUndoStack* m_undo = nullptr;
    QString m_fileName;
    QString m_surveyFile;
    // Unsaved work: set by any change signal, cleared when saved or found equal again.
    bool m_modified = false;
    QVector<SavedRow> m_savedRows;
    QVector<bool> m_savedHidden;
    // The settings of each view as saved, for the views that signal a change.
    QHash<const ModelClient*, Settings> m_savedSettings;
    // The views that signalled a change since.
    QSet<const ModelClient*> m_changedViews;
    // The last record written of each view since its last change: a save writes each
    // view once, and what it wrote is what counts as saved.
    QHash<const ModelClient*, Settings> m_written;
    // Nesting depth of setCreatingMany(true): views made meanwhile are not shown.
    int m_creatingMany = 0;
    QStringList m_subHeaders;
    // The question row of the last SurveyMonkey import, as the file has it.
    QStringList m_questionRow;
    QStringList m_missingColumns;
    QVector<ViewsCsv::Skipped> m_skippedViews;
    QString m_erkannteQuelle;
    bool m_ansichtenErstellt = false;
};

#endif
