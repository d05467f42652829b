#include "io/umfragedokument.h"

#include <QDate>

#include <QCoreApplication>
#include <QDataStream>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardItemModel>

#include "core/spaltenspeicher.h"
#include <QUndoStack>

#include "analyses/modeldiagramadapter.h"
#include "analyses/modelmultidiagramadapter.h"
#include "analyses/viewtypes.h"
#include "commands/cremoveview.h"
#include "io/csvimport.h"
#include "core/csvreader.h"
#include "core/fortschritt.h"
#include "core/mehrfachsets.h"
#include "core/recomputescheduler.h"
#include "core/roles.h"
#include "io/statistikdatei.h"
#include "core/spaltensicht.h"
#include "core/userinput.h"
#include "core/waitcursor.h"
#include "diagrams/diagram.h"
#include "io/datacsvexport.h"
#include "io/demodaten.h"
#include "io/demoviews.h"
#include "io/excelexport.h"
#include "io/pptxexport.h"
#include "io/ansichtdatei.h"
#include "io/htmlreport.h"
#include "io/pdfbericht.h"
#include "io/plattformimport.h"
#include "io/plattformumfrage.h"
#include "io/spssimport.h"
#include "io/surveymonkeyimport.h"
#include "io/viewscsv.h"

static void initResources()
{
    Q_INIT_RESOURCE(resources);
}

UmfrageDokument::UmfrageDokument(QObject* parent)
    : QObject(parent)
{
    initResources();
    m_model = new SpaltenSpeicher(this);
    // A new survey starts as an empty table of 10 rows and 5 columns.
    m_model->setColumnCount(5);
    m_model->setRowCount(10);
    m_viewList = new QStandardItemModel(this);
    m_spalten = new SpaltenSicht(m_model, this);
    m_undo = new QUndoStack(this);
    // Row 0 is the data table, whose page is a window's.
    auto* table = new QStandardItem(tr("Datentabelle"));
    table->setData(false, Roles::ViewAdapterType);
    table->setData(QStringLiteral("Special"), Roles::ViewCategory);
    table->setData(QString(QLatin1String("")), Roles::ViewNotes);
    m_viewList->appendRow(table);
    m_pages.append(nullptr);
    // Unsaved work is counted as it happens, never looked for.
    connect(m_undo, &QUndoStack::cleanChanged, this, &UmfrageDokument::changed);
    connect(m_viewList, &QAbstractItemModel::rowsInserted, this, &UmfrageDokument::noteChange);
    connect(m_viewList, &QAbstractItemModel::rowsRemoved, this, &UmfrageDokument::noteChange);
    connect(m_viewList, &QAbstractItemModel::rowsMoved, this, &UmfrageDokument::noteChange);
    connect(m_viewList, &QAbstractItemModel::dataChanged, this, &UmfrageDokument::noteChange);
    connect(m_spalten, &SpaltenSicht::hiddenChanged, this, &UmfrageDokument::noteChange);
}

void UmfrageDokument::setFileName(const QString& name)
{
    if (name == m_fileName)
        return;
    m_fileName = name;
    emit fileNameChanged(name);
}

UmfrageDokument::~UmfrageDokument()
{
    // A window's view area deletes the pages it shows with itself.
    for (const QPointer<ModelClient>& page : qAsConst(m_pages))
        if (page && !page->parent())
            delete page.data();
}

void UmfrageDokument::setHiddenColumns(const QVector<int>& columns)
{
    const int n = m_model->columnCount();
    QVector<bool> hidden(n, false);
    for (int c : columns)
        if (c >= 0 && c < n)
            hidden[c] = true;
    for (int c = 0; c < n; ++c)
        m_spalten->setHidden(c, hidden.at(c));
}

QVector<int> UmfrageDokument::hiddenColumns() const
{
    QVector<int> out;
    for (int c = 0; c < m_spalten->hidden().size(); ++c)
        if (m_spalten->isHidden(c))
            out << c;
    return out;
}

void UmfrageDokument::setCurrentView(int row)
{
    if (row < 0 || row >= m_pages.size())
        return;
    m_current = row;
    emit currentViewChanged(row);
}

TableContext UmfrageDokument::tableContext() const
{
    TableContext c;
    c.model = m_model;
    c.spalten = m_spalten;
    c.undo = m_undo;
    c.parent = m_dialogParent;
    return c;
}

// ---- the view list -------------------------------------------------------------------

QStandardItem* UmfrageDokument::appendView(const QString& title, ModelClient* view)
{
    m_pages.append(view);
    auto* it = new QStandardItem(title);
    it->setData(false, Roles::ViewAdapterType);
    QString category = QStringLiteral("Special");
    if (view->inherits("ModelDiagramAdapter"))
        category = QStringLiteral("Single");
    else if (view->inherits("ModelMultiDiagramAdapter"))
        category = QStringLiteral("Multi");
    it->setData(category, Roles::ViewCategory);
    it->setData(QString(QLatin1String("")), Roles::ViewNotes);
    connect(view, &ModelClient::changed, this, [this, view] { viewChanged(view); });
    connect(view, &QObject::destroyed, this, [this, view] {
        m_savedSettings.remove(view);
        m_changedViews.remove(view);
        m_written.remove(view);
    });
    m_viewList->appendRow(it);
    emit viewInserted(it->row(), view);
    // Making many views shows none of them one by one: each switch costs a pass over
    // all pages, which made large imports quadratic.
    if (m_creatingMany == 0)
        emit viewAppended(it->row());
    return it;
}

void UmfrageDokument::removeView(int index)
{
    if (index <= 0 || index >= m_pages.size())
        return;
    ModelClient* w = m_pages.at(index);
    emit viewAboutToBeRemoved(w);
    // The row goes first, so that the page change the removal may cause reads rows
    // that match the pages.
    m_viewList->removeRow(index);
    m_pages.removeAt(index);
    if (m_current >= m_pages.size())
        m_current = m_pages.size() - 1;
    emit viewRemoved(w);
    delete w;
}

void UmfrageDokument::moveView(int from, int to)
{
    if (from < 1 || from == to || from >= m_pages.size() || to < 1)
        return;
    const QPointer<ModelClient> w = m_pages.takeAt(from);
    QList<QStandardItem*> row = m_viewList->takeRow(from);
    const int dest = qMin(to, int(m_pages.size()));
    m_pages.insert(dest, w);
    m_viewList->insertRow(dest, row);
    if (m_current == from)
        m_current = dest;
    emit viewMoved(from, dest);
}

void UmfrageDokument::clearViews()
{
    const int n = m_pages.size() - 1;
    Fortschritt work(m_dialogParent, tr("Ansichten werden entfernt"), n);
    for (int i = n; i >= 1; --i) {
        removeView(i);
        work.step(n - i + 1);
    }
}

int UmfrageDokument::viewIndex(ModelClient* view)
{
    return view ? int(m_pages.indexOf(view)) : -1;
}

int UmfrageDokument::viewCount() const
{
    return m_viewList->rowCount();
}

QWidget* UmfrageDokument::viewPage(int row) const
{
    return row >= 0 && row < m_pages.size() ? m_pages.at(row).data() : nullptr;
}

ViewRecord UmfrageDokument::record(int row, int version)
{
    ViewRecord r;
    const QStandardItem* it = m_viewList->item(row);
    if (!it)
        return r;
    r.title = it->data(Qt::DisplayRole).toString();
    r.adapterType = it->data(Roles::ViewAdapterType).toString();
    r.viewType = it->data(Roles::ViewType).toString();
    r.notes = it->data(Roles::ViewNotes).toString();
    r.columns = ViewRecord::columnsFromTexts(it->data(Roles::ViewColumns).toStringList());
    if (ModelClient* mc = row >= 1 && row < m_pages.size() ? m_pages.at(row).data() : nullptr) {
        const Settings written = settingsOf(mc, version);
        r.settings = written.bytes;
        // Records older than any file holds leave settings out: they cannot say what
        // was saved.
        if (version >= StatistikDatei::Version)
            m_written.insert(mc, written);
    }
    return r;
}

ViewRecord::Stored UmfrageDokument::stored(int row)
{
    ViewRecord::Stored s;
    if (const QStandardItem* it = m_viewList->item(row)) {
        s.title = it->data(Qt::DisplayRole);
        s.adapterType = it->data(Roles::ViewAdapterType);
        s.columns = it->data(Roles::ViewColumns);
        s.viewType = it->data(Roles::ViewType);
        s.notes = it->data(Roles::ViewNotes);
        s.category = it->data(Roles::ViewCategory).toString();
    }
    return s;
}

void UmfrageDokument::setViewToolTip(int row, const QString& tip)
{
    if (QStandardItem* it = m_viewList->item(row))
        it->setData(tip, Qt::ToolTipRole);
}

QString UmfrageDokument::notes(int row) const
{
    const QStandardItem* it = m_viewList->item(row);
    return it ? it->data(Roles::ViewNotes).toString() : QString();
}

void UmfrageDokument::setNotes(int row, const QString& html)
{
    QStandardItem* it = m_viewList->item(row);
    if (it && it->data(Roles::ViewNotes).toString() != html)
        it->setData(html, Roles::ViewNotes);
}

void UmfrageDokument::setCreatingMany(bool on)
{
    if (!on && m_creatingMany == 0)
        return;
    m_creatingMany += on ? 1 : -1;
    // Views made meanwhile are computed once, when the last of them is set up: a loaded
    // view would otherwise be computed on creation and again with its settings.
    RecomputeScheduler::hold(on);
}

ModelClient* UmfrageDokument::createFromRecord(const ViewRecord& r, int version)
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

ModelClient* UmfrageDokument::createView(const QString& adapterType, const QString& viewType,
                                         const QVector<int>& columns, const QString& title,
                                         const QString& notes)
{
    ModelClient* client = ViewTypes::makeView(adapterType, viewType, columns, title, m_model);
    if (!client)
        return nullptr;
    // A chart over columns may ask for another chart type; the special views choose
    // their own.
    if (!ViewTypes::specialViewType(viewType)) {
        if (auto* a = qobject_cast<ModelDiagramAdapter*>(client))
            connect(a, &ModelDiagramAdapter::changeDiagram, this,
                    &UmfrageDokument::diagramChangeRequested);
        else if (auto* m = qobject_cast<ModelMultiDiagramAdapter*>(client))
            connect(m, &ModelMultiDiagramAdapter::changeDiagram, this,
                    &UmfrageDokument::diagramChangeRequested);
    }

    QStandardItem* it = appendView(title, client);
    it->setData(viewType, Roles::ViewType);
    it->setData(adapterType, Roles::ViewAdapterType);
    it->setData(notes, Roles::ViewNotes);
    QStringList cols;
    for (int c : columns)
        cols << QString::number(c);
    it->setData(cols, Roles::ViewColumns);
    if (m_creatingMany == 0)
        setCurrentView(it->row());
    return client;
}

void UmfrageDokument::removeViewUndoable(int row)
{
    if (row < 1 || row >= m_pages.size())
        return;
    m_undo->push(new cRemoveView(this, m_pages.at(row),
                                 record(row, cRemoveView::RecordVersion)));
}

void UmfrageDokument::duplicateView(int row)
{
    if (row < 1 || row >= m_pages.size())
        return;
    // The newest record: the copy keeps every setting of the view.
    ViewRecord r = record(row, StatistikDatei::NewestVersion);
    r.title += QStringLiteral("(neu)");
    createFromRecord(r, StatistikDatei::NewestVersion);
}

bool UmfrageDokument::setDiagramType(DiagramAdapter* view, const QString& type)
{
    Diagram* d = ViewTypes::makeDiagram(type);
    if (!view || !d) {
        delete d;
        return false;
    }
    view->setDiagram(d);
    const int row = viewIndex(dynamic_cast<ModelClient*>(view));
    if (QStandardItem* it = m_viewList->item(row))
        it->setData(type, Roles::ViewType);
    return true;
}

void UmfrageDokument::createColumnViews(const QString& adapterType, const QString& diagramType)
{
    WaitCursor wait;
    const int n = m_model->columnCount();
    Fortschritt work(m_dialogParent, tr("Ansichten werden erstellt"), n);
    CreatingMany many(*this);
    for (int c = 0; c < n; ++c)
        m_spalten->setHidden(c, false);
    for (int c = 0; c < n; ++c) {
        QString title = m_model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        if (title.isEmpty())
            title = QString::number(c + 1);
        createView(adapterType, diagramType, QVector<int>{c}, title, QString());
        work.step(c + 1);
    }
    setCurrentView(0);
    // The views are computed when the hold ends, before the work does.
    work.stage(tr("Ansichten werden berechnet"), n);
}

QVector<int> UmfrageDokument::createViews(const QVector<ViewRecord>& records, int version,
                                          Fortschritt* progress)
{
    QVector<int> failed;
    CreatingMany many(*this);
    if (progress)
        progress->stage(progress->text(), int(records.size()));
    for (int i = 0; i < records.size(); ++i) {
        const ViewRecord& r = records.at(i);
        ModelClient* mc = createFromRecord(r, version);
        if (!mc)
            failed << i;
        else if (!r.toolTip.isEmpty())
            setViewToolTip(viewIndex(mc), r.toolTip);
        if (progress)
            progress->step(i + 1);
    }
    return failed;
}

ViewsCsv::Outcome UmfrageDokument::addViewsCsv(const QString& text, Fortschritt* progress)
{
    ViewsCsv::regelnAnwenden(m_model, text);
    const ViewsCsv::Inhalt in = ViewsCsv::lesen(text, ViewsCsv::surveyTitles(m_model));
    ViewsCsv::Outcome out;
    out.lines = in.lines;
    out.missing = in.missing;
    out.leftOut = in.leftOut;
    const QVector<int> failed = createViews(in.records, in.version, progress);
    out.created = int(in.records.size() - failed.size());
    for (int i : failed) {
        const ViewRecord& r = in.records.at(i);
        out.skipped.append({in.lineOf.at(i), r.title, r.adapterType, r.viewType});
    }
    return out;
}

StatistikDatei::Outcome UmfrageDokument::readStatFile(QIODevice* device, quint16 version,
                                                      Fortschritt* progress)
{
    StatistikDatei::Outcome out;
    fillTable([&] { out = StatistikDatei::read(m_model, device, version, progress); });
    setHiddenColumns(out.hidden);
    out.views = int(out.records.size() - createViews(out.records, version).size());
    // A record that was read but made no view leaves the survey short of it.
    if (out.views < out.records.size())
        out.result = StatistikDatei::Damaged;
    return out;
}

void UmfrageDokument::fillTable(const std::function<void()>& fill)
{
    // The table widget's sorting lets go of the data meanwhile: a sorted table would
    // re-sort on every row read.
    SpaltenSicht::Fuellung bulk(m_spalten);
    fill();
}

void UmfrageDokument::readNewSurvey(const QString& fileName,
                                    const std::function<void()>& fill)
{
    startNewTable();
    // New data from a survey: "Speichern" must not overwrite the statistic file of the
    // data that were there before, and the reports name the survey they show.
    setFileName(QString());
    fillTable(fill);
    m_surveyFile = fileName;
}

void UmfrageDokument::applyPlan(const Ansichtsplan& plan, Fortschritt* progress)
{
    setHiddenColumns(plan.versteckt);
    MehrfachSets::of(m_model)->setSets(plan.sets);
    createViews(plan.ansichten, plan.version, progress);
}

// ---- unsaved work ----------------------------------------------------------------------

UmfrageDokument::Settings UmfrageDokument::settingsOf(ModelClient* view, int version)
{
    Settings out;
    out.version = version;
    QDataStream s(&out.bytes, QIODevice::WriteOnly);
    s.setVersion(QDataStream::Qt_4_6);
    view->saveData(s, version);
    return out;
}

QVector<UmfrageDokument::SavedRow> UmfrageDokument::rowsNow() const
{
    QVector<SavedRow> rows;
    rows.reserve(m_viewList->rowCount());
    for (int row = 1; row < m_viewList->rowCount(); ++row) {
        const QStandardItem* it = m_viewList->item(row);
        rows.append({m_pages.at(row).data(), it->data(Qt::DisplayRole), it->data(Roles::ViewType),
                     it->data(Roles::ViewAdapterType), it->data(Roles::ViewColumns),
                     it->data(Roles::ViewNotes)});
    }
    return rows;
}

QVector<bool> UmfrageDokument::hiddenNow() const
{
    return m_spalten->hidden();
}

void UmfrageDokument::noteChange()
{
    m_modified = true;
    emit changed();
}

void UmfrageDokument::viewChanged(ModelClient* view)
{
    m_changedViews.insert(view);
    m_written.remove(view);
    noteChange();
}

bool UmfrageDokument::differsFromSaved()
{
    const QVector<SavedRow> rows = rowsNow();
    if (rows.size() != m_savedRows.size() || hiddenNow() != m_savedHidden)
        return true;
    for (int i = 0; i < rows.size(); ++i) {
        const SavedRow& a = rows.at(i);
        const SavedRow& b = m_savedRows.at(i);
        if (a.page != b.page || a.title != b.title || a.viewType != b.viewType
            || a.adapterType != b.adapterType || a.columns != b.columns || a.notes != b.notes)
            return true;
    }
    for (const ModelClient* v : qAsConst(m_changedViews)) {
        const auto saved = m_savedSettings.constFind(v);
        if (saved == m_savedSettings.constEnd())
            return true;
        auto* view = const_cast<ModelClient*>(v);
        // A setting the saved record's version cannot hold is a change by itself.
        if (view->neededVersion() > saved->version
            || settingsOf(view, saved->version).bytes != saved->bytes)
            return true;
    }
    return false;
}

bool UmfrageDokument::isChanged()
{
    if (!m_undo->isClean())
        return true;
    if (!m_modified)
        return false;
    if (differsFromSaved())
        return true;
    // Changed back by hand: nothing to compare any more until the next change.
    m_modified = false;
    m_changedViews.clear();
    return false;
}

void UmfrageDokument::markUnchanged()
{
    m_undo->setClean();
    m_savedRows = rowsNow();
    m_savedHidden = hiddenNow();
    m_savedSettings.clear();
    for (int row = 1; row < m_pages.size(); ++row) {
        ModelClient* mc = m_pages.at(row);
        if (!mc)
            continue;
        // What a save has just written needs no second writing.
        const auto written = m_written.constFind(mc);
        m_savedSettings.insert(mc, written != m_written.constEnd()
                                       ? *written
                                       : settingsOf(mc, StatistikDatei::NewestVersion));
    }
    m_written.clear();
    m_changedViews.clear();
    m_modified = false;
    emit markedUnchanged();
}

// ---- files -----------------------------------------------------------------------------

void UmfrageDokument::startNewTable()
{
    clearViews();
    // Deleting a million cells takes a second: the rows go in pieces from the end, with
    // the progress display kept up between them.
    const int rows = m_model->rowCount();
    const int piece = qMax(1, 100000 / qMax(1, m_model->columnCount()));
    if (rows > piece) {
        Fortschritt work(m_dialogParent, tr("Daten werden entfernt"), rows);
        for (int left = rows; left > 0; left -= piece) {
            m_model->removeRows(qMax(0, left - piece), qMin(piece, left));
            work.step(rows - left);
        }
    }
    m_model->clear();
    m_undo->clear();
}

void UmfrageDokument::createDemo()
{
    WaitCursor wait;
    Fortschritt work(m_dialogParent, tr("Beispieldaten werden erstellt"), 0);
    setFileName(QString());
    m_surveyFile.clear();
    startNewTable();
    {
        CreatingMany many(*this);
        DemoDaten::fillTable(m_model);
        // The containers are no records: they take their places between the others.
        for (const DemoViews::Entry& e : DemoViews::plan(m_model)) {
            if (e.kind == DemoViews::Made)
                createViews({e.record}, 5);
            else if (ModelClient* c = DemoViews::makeContainer(e.kind, m_model))
                appendView(e.record.title, c);
        }
        work.stage(tr("Ansichten werden berechnet"), 0);
    }
    setCurrentView(0);
    markUnchanged();
}

namespace {
Ergebnis notRead(const QString& title, const QString& fileName)
{
    return Ergebnis::fehler(title, UmfrageDokument::tr("Die Datei %1 konnte nicht gelesen werden.")
                                       .arg(fileName));
}

Ergebnis notWritten(const QString& fileName)
{
    return Ergebnis::fehler(UmfrageDokument::tr("Export"),
                            UmfrageDokument::tr("Die Datei %1 konnte nicht geschrieben werden.")
                                .arg(fileName));
}

// Reports and workbooks are written in parts: one may be missing from a file that exists.
Ergebnis notWrittenCompletely(const QString& fileName)
{
    return Ergebnis::fehler(
        UmfrageDokument::tr("Export"),
        UmfrageDokument::tr("Die Datei %1 konnte nicht vollständig geschrieben werden.")
            .arg(fileName));
}
}

Ergebnis UmfrageDokument::readSurvey(const QString& fileName, QString* text)
{
    if (!CsvImport::readText(fileName, text))
        return notRead(tr("Import"), fileName);
    if (!CsvImport::isSurvey(*text))
        return Ergebnis::fehler(tr("Import"),
                                tr("Die Datei %1 enthält keine Umfrage.").arg(fileName));
    return Ergebnis();
}

Ergebnis UmfrageDokument::importCSV(const QString& fileName)
{
    Fortschritt work(m_dialogParent, tr("Daten werden gelesen"), 0);
    // The file is decoded piece by piece while the table fills: never the whole text
    // beside the table.
    CsvImport::Datei datei;
    if (!datei.lesen(fileName))
        return notRead(tr("Import"), fileName);
    if (!datei.istUmfrage())
        return Ergebnis::fehler(tr("Import"),
                                tr("Die Datei %1 enthält keine Umfrage.").arg(fileName));
    WaitCursor wait;
    work.step(0);
    readNewSurvey(fileName, [&] {
        // Filling goes by the bytes read.
        work.stage(work.text(), datei.groesse());
        datei.fuellen(m_model, &work);
    });
    markUnchanged();
    return Ergebnis();
}

Ergebnis UmfrageDokument::importCsvText(const QString& fileName, const QString& text,
                                        QChar separator, Fortschritt& work)
{
    // The header is read once, for the check and the filling.
    CsvImport::Umfrage survey(text, separator);
    if (!survey.istUmfrage)
        return Ergebnis::fehler(tr("Import"),
                                tr("Die Datei %1 enthält keine Umfrage.").arg(fileName));
    WaitCursor wait;
    work.step(0);
    readNewSurvey(fileName, [&] {
        // Filling goes by the characters read.
        work.stage(work.text(), text.size());
        CsvImport::fill(survey, m_model, &work);
    });
    markUnchanged();
    return Ergebnis();
}

Ergebnis UmfrageDokument::importSpss(const QString& fileName)
{
    Fortschritt work(m_dialogParent, tr("Daten werden gelesen"), 0);
    WaitCursor wait;
    QFile file(fileName);
    SpssImport::Tabelle t;
    if (!file.open(QIODevice::ReadOnly) || !SpssImport::read(file, &t))
        return notRead(tr("Import"), fileName);
    readNewSurvey(fileName, [&] { SpssImport::fill(t, m_model); });
    markUnchanged();
    return Ergebnis();
}

Ergebnis UmfrageDokument::importData(const QString& fileName)
{
    return SpssImport::isSpssFile(fileName) ? importSpss(fileName) : importCSV(fileName);
}

Ergebnis UmfrageDokument::importErkannt(const QString& fileName, bool fragen)
{
    m_erkannteQuelle.clear();
    m_ansichtenErstellt = false;
    PlattformUmfrage u;
    PlattformImport::Ergebnis e;
    {
        WaitCursor wait;
        Fortschritt work(m_dialogParent, tr("Daten werden gelesen"), 0);
        e = PlattformImport::lesen(fileName, &u, [this, fragen](const QStringList& blaetter) {
            if (!fragen)
                return 0;
            bool ok = false;
            const QString b = UserInput::getItem(m_dialogParent, tr("Import"),
                                                 tr("Tabellenblatt:"), blaetter, 0, false, &ok);
            return ok ? int(blaetter.indexOf(b)) : -1;
        }, [this, fragen, &fileName]() {
            if (!fragen)
                return QString();
            return UserInput::getOpenFileName(
                m_dialogParent, tr("Umfragestruktur wählen (Abbrechen: Codes lesen)"),
                QFileInfo(fileName).absolutePath(),
                tr("LimeSurvey-Umfragestruktur (*.lss);;Alle Dateien (*)"));
        });
    }
    if (e == PlattformImport::KeinePlattform) {
        if (u.csvText.isEmpty() || SpssImport::isSpssFile(fileName))
            return importData(fileName);
        Fortschritt work(m_dialogParent, tr("Daten werden gelesen"), 0);
        return importCsvText(fileName, u.csvText, u.trenner, work);
    }
    if (e == PlattformImport::Beschaedigt)
        return notRead(tr("Import"), fileName);
    // What was recognised, before anything of the present survey goes.
    if (fragen
        && UserInput::question(m_dialogParent, tr("Import"), u.erkanntText(),
                               UserInput::Ok | UserInput::Cancel, UserInput::Ok)
            != UserInput::Ok) {
        // The user's own choice: nothing to tell.
        return Ergebnis::fehler(tr("Import"), QString());
    }
    WaitCursor wait;
    Fortschritt work(m_dialogParent, tr("Daten werden gelesen"), 0);
    readNewSurvey(fileName, [&] { u.fill(m_model, &work); });
    {
        work.setText(tr("Ansichten werden erstellt"));
        CreatingMany many(*this);
        applyPlan(u.ansichten(m_model), &work);
        work.stage(tr("Ansichten werden berechnet"), 0);
    }
    setCurrentView(0);
    m_erkannteQuelle = u.quelle;
    m_ansichtenErstellt = u.eigeneAnsichten;
    markUnchanged();
    return Ergebnis();
}

Ergebnis UmfrageDokument::notReadable(const QString& fileName)
{
    return notRead(tr("Import"), fileName);
}

bool UmfrageDokument::isSurveyFile(const QString& fileName)
{
    return CsvReader::hasCsvEnding(fileName) || SpssImport::isSpssFile(fileName);
}

Ergebnis UmfrageDokument::importSM(const QString& fileName)
{
    WaitCursor wait;
    Fortschritt work(m_dialogParent, tr("Daten werden gelesen"), 0);
    QString text;
    const Ergebnis gelesen = readSurvey(fileName, &text);
    if (!gelesen)
        return gelesen;
    readNewSurvey(fileName, [&] {
        SurveyMonkeyImport::fill(text, m_model, &m_subHeaders, &work, &m_questionRow);
    });
    work.setText(tr("Ansichten werden erstellt"));
    createSurveyMonkeyViews();
    markUnchanged();
    return Ergebnis();
}

void UmfrageDokument::createSurveyMonkeyViews()
{
    Fortschritt work(m_dialogParent, tr("Ansichten werden erstellt"), 0);
    CreatingMany many(*this);
    applyPlan(SurveyMonkeyImport::ansichten(m_model, m_subHeaders, m_questionRow), &work);
    setCurrentView(0);
    work.stage(tr("Ansichten werden berechnet"), 0);
}

Ergebnis UmfrageDokument::importViewsCSV(const QString& fileName, bool ersetzen)
{
    WaitCursor wait;
    Fortschritt work(m_dialogParent, tr("Ansichten werden importiert"), 0);
    QString text;
    if (!CsvImport::readText(fileName, &text))
        return notRead(tr("Import"), fileName);
    if (ersetzen)
        clearViews();
    ViewsCsv::Outcome out;
    {
        CreatingMany many(*this);
        out = addViewsCsv(text, &work);
        work.stage(tr("Ansichten werden berechnet"), 0);
    }
    // Only the views are replaced: the data and the file stay, and the new views are
    // unsaved work until saved.
    m_missingColumns = out.missing;
    m_skippedViews = out.skipped;
    // The user learns which questions the survey lacks.
    if (!out.missing.isEmpty())
        return Ergebnis::warnung(tr("Import"), missingColumnsText(out.missing));
    return Ergebnis();
}

QString UmfrageDokument::missingColumnsText(const QStringList& titles)
{
    QStringList quoted;
    for (const QString& t : titles)
        quoted << QStringLiteral("\"%1\"").arg(t);
    return tr("Diese Spalten fehlen in den Daten; die Ansichten darüber wurden "
              "ausgelassen: %1").arg(quoted.join(QStringLiteral(", ")));
}

Ergebnis UmfrageDokument::exportCSV(const QString& fileName)
{
    WaitCursor wait;
    Fortschritt work(m_dialogParent, tr("Daten werden exportiert"), 0);
    if (!DataCsvExport::write(fileName, m_model, hiddenColumns(), &work))
        return notWritten(fileName);
    return Ergebnis();
}

Ergebnis UmfrageDokument::exportViewsCSV(const QString& fileName)
{
    WaitCursor wait;
    Fortschritt work(m_dialogParent, tr("Ansichten werden exportiert"), 0);
    if (!ViewsCsv::write(fileName, *this, &work))
        return notWritten(fileName);
    return Ergebnis();
}

Ergebnis UmfrageDokument::exportHTML(const QString& fileName, const QSize& pictureSize)
{
    WaitCursor wait;
    Fortschritt work(m_dialogParent, tr("Bericht wird geschrieben"), 0);
    const HtmlReport::Outcome out = HtmlReport::write(
        fileName, HtmlReport::heading(m_surveyFile, QDate::currentDate()), *this,
        pictureSize.isEmpty() ? this->pictureSize() : pictureSize,
        &work);
    if (!out.written || out.picturesFailed != 0)
        return notWrittenCompletely(fileName);
    return Ergebnis();
}

Ergebnis UmfrageDokument::exportPDF(const QString& fileName, const QSize& pictureSize)
{
    WaitCursor wait;
    Fortschritt work(m_dialogParent, tr("Bericht wird geschrieben"), 0);
    // The same heading as the HTML report: the survey file's name and the day.
    if (!PdfBericht::write(fileName, HtmlReport::heading(m_surveyFile, QDate::currentDate()),
                           *this, pictureSize.isEmpty() ? this->pictureSize() : pictureSize,
                           &work))
        return notWrittenCompletely(fileName);
    return Ergebnis();
}

Ergebnis UmfrageDokument::exportReport(const QString& fileName, const QSize& pictureSize)
{
    return PdfBericht::isPdf(fileName) ? exportPDF(fileName, pictureSize)
                                       : exportHTML(fileName, pictureSize);
}

Ergebnis UmfrageDokument::exportXlsx(const QString& fileName)
{
    WaitCursor wait;
    Fortschritt work(m_dialogParent, tr("Arbeitsmappe wird geschrieben"), 0);
    if (!ExcelExport::write(fileName, m_model, hiddenColumns(), *this, &work))
        return notWrittenCompletely(fileName);
    return Ergebnis();
}

Ergebnis UmfrageDokument::exportPptx(const QString& fileName, const QString& templateName)
{
    WaitCursor wait;
    Fortschritt work(m_dialogParent, tr("Präsentation wird geschrieben"), 0);
    const PptxExport::Ergebnis e = PptxExport::write(fileName, templateName, *this, &work);
    if (e.geschrieben)
        return Ergebnis();
    // Why an existing deck or the template could not serve, where that was the cause.
    if (!e.fehler.isEmpty())
        return Ergebnis::fehler(tr("Export"), e.fehler);
    return notWrittenCompletely(fileName);
}

Ergebnis UmfrageDokument::exportViewPicture(int row, const QString& fileName)
{
    if (row < 1 || row >= viewCount())
        return notWritten(fileName);
    WaitCursor wait;
    if (!AnsichtDatei::write(viewPage(row), fileName, stored(row).title.toString()))
        return notWritten(fileName);
    return Ergebnis();
}

Ergebnis UmfrageDokument::save(const QString& fileName)
{
    const Ergebnis failed = Ergebnis::fehler(
        tr("Speichern"), tr("Die Datei %1 konnte nicht geschrieben werden.").arg(fileName));
    WaitCursor wait;
    Fortschritt work(m_dialogParent, tr("Datei wird gespeichert"), 0);
    // The new file is complete before it replaces anything: a failed save leaves the
    // old file as it was.
    QSaveFile out(fileName);
    if (!out.open(QIODevice::WriteOnly))
        return failed;
    // Writing goes by the rows written.
    work.stage(work.text(), m_model->rowCount());
    StatistikDatei::write(m_model, hiddenColumns(), *this, &out, &work);
    work.step(m_model->rowCount());
    if (out.error() != QFileDevice::NoError) {
        out.cancelWriting();
        return failed;
    }
    if (QFile::exists(fileName)) {
        const QString backup = fileName + QLatin1Char('~');
        QFile::remove(backup);
        QFile::copy(fileName, backup);
    }
    if (!out.commit())
        return failed;
    setFileName(fileName);
    m_surveyFile = fileName;
    markUnchanged();
    return Ergebnis();
}

Ergebnis UmfrageDokument::load(const QString& fileName)
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
        return Ergebnis::fehler(tr("Öffnen"), why.arg(fileName));
    }
    StatistikDatei::Outcome outcome;
    {
        WaitCursor wait;
        Fortschritt work(m_dialogParent, tr("Datei wird geladen"), 0);
        startNewTable();
        {
            // Held here, not only in the reader: the views are computed with the
            // display telling so.
            CreatingMany many(*this);
            // Reading goes by the position in the file.
            work.stage(work.text(), f.size());
            outcome = readStatFile(&f, version, &work);
            f.close();
            work.stage(tr("Ansichten werden berechnet"), 0);
        }
        // The views were made without showing each; the last one made is on screen, as
        // if each had been shown in turn.
        if (m_pages.size() > 1)
            setCurrentView(m_pages.size() - 1);
        setFileName(fileName);
        m_surveyFile = fileName;
        markUnchanged();
    }
    if (outcome.result == StatistikDatei::Damaged)
        return Ergebnis::warnung(tr("Öffnen"),
                                 tr("Die Datei %1 ist beschädigt. Gelesen wurden %2 Zeilen und "
                                    "%3 Ansichten.")
                                     .arg(fileName)
                                     .arg(outcome.rows)
                                     .arg(outcome.views));
    return Ergebnis();
}
