#include "app/commandlinereport.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

#include "io/csvimport.h"
#include "core/fortschritt.h"
#include "io/statistikdatei.h"
#include "analyses/viewtypes.h"
#include "core/waitcursor.h"
#include "io/umfragedokument.h"
#include "io/viewscsv.h"

namespace {
const char* const Context = "CommandLineReport";

QString tr(const char* text)
{
    return QCoreApplication::translate(Context, text);
}

// The type name of a skipped views line that no table knows; empty when both are known
// (the view failed for another reason, its columns say).
QString unknownType(const ViewsCsv::Skipped& s)
{
    if (ViewTypes::specialViewType(s.viewType))
        return QString();
    if (!ViewTypes::diagramNames().contains(s.viewType))
        return s.viewType;
    if (!ViewTypes::singleAdapterNames().contains(s.adapterType)
        && !ViewTypes::multiAdapterNames().contains(s.adapterType))
        return s.adapterType;
    return QString();
}

// Installs an answerer for its lifetime.
class AnswererGuard
{
public:
    explicit AnswererGuard(UserInput::Answerer* a) : m_previous(UserInput::answerer())
    {
        UserInput::setAnswerer(a);
    }
    ~AnswererGuard() { UserInput::setAnswerer(m_previous); }
    AnswererGuard(const AnswererGuard&) = delete;
    AnswererGuard& operator=(const AnswererGuard&) = delete;

private:
    UserInput::Answerer* m_previous;
};
}

CommandLineReport::CommandLineReport(UmfrageDokument& document, QTextStream& err)
    : m_doc(document), m_err(err)
{
}

bool CommandLineReport::isStatFile(const QString& fileName)
{
    if (fileName.endsWith(QLatin1String(".stat"), Qt::CaseInsensitive))
        return true;
    QFile f(fileName);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    quint16 version = 0;
    return StatistikDatei::checkHeader(&f, &version) != StatistikDatei::NotStatFile;
}

UserInput::Reply CommandLineReport::answer(const UserInput::Ask& ask)
{
    UserInput::Reply r;
    switch (ask.kind) {
    case UserInput::Information:
    case UserInput::Warning:
    case UserInput::Critical:
        m_said << ask.label;
        r.accepted = true;
        r.value = int(UserInput::Ok);
        break;
    default:
        // A question has nobody to answer it: it is declined.
        r.value = int(UserInput::Cancel);
        break;
    }
    return r;
}

void CommandLineReport::error(const QString& text)
{
    m_err << QCoreApplication::applicationName() << ": " << text << Qt::endl;
}

int CommandLineReport::run(const Job& job)
{
    AnswererGuard guard(this);
    // There is no window: no progress display, and no events let through in the
    // middle of the work.
    Fortschritt::Quiet quiet;
    if (!readData(job))
        return 1;
    if (!job.views.isEmpty() && !applyViews(job.views))
        return 1;
    // Pending updates first; the pictures are as large as the view area of a window of
    // the default size, as the menu command would take them there.
    QCoreApplication::processEvents();
    m_said.clear();
    if (!job.report.isEmpty() && !m_doc.exportReport(job.report, PictureSize)) {
        error(tr("Die Datei %1 konnte nicht vollständig geschrieben werden.").arg(job.report));
        return 1;
    }
    if (!job.xlsx.isEmpty() && !m_doc.exportXlsx(job.xlsx)) {
        error(tr("Die Datei %1 konnte nicht vollstaendig geschrieben werden.").arg(job.xlsx));
        return 1;
    }
    if (!job.pptx.isEmpty()) {
        QString why;
        if (!m_doc.exportPptx(job.pptx, job.pptxTemplate, &why)) {
            error(why.isEmpty()
                      ? tr("Die Datei %1 konnte nicht vollständig geschrieben werden.").arg(job.pptx)
                      : why);
            return 1;
        }
    }
    return 0;
}

bool CommandLineReport::readData(const Job& job)
{
    m_said.clear();
    bool ok;
    if (job.surveyMonkey)
        ok = m_doc.importSM(job.data);
    else if (isStatFile(job.data))
        ok = m_doc.load(job.data); // says itself what is wrong with the file
    else
        ok = m_doc.importErkannt(job.data, false);
    // A damaged statistic file is loaded as far as it goes, but the report would be
    // missing what was lost: it counts as a failure.
    if (ok && m_said.isEmpty())
        return true;
    if (m_said.isEmpty())
        m_said << tr("Die Datei %1 konnte nicht gelesen werden.").arg(job.data);
    error(m_said.first());
    return false;
}

bool CommandLineReport::applyViews(const QString& fileName)
{
    QString text;
    if (!CsvImport::readText(fileName, &text)) {
        error(tr("Die Datei %1 konnte nicht gelesen werden.").arg(fileName));
        return false;
    }
    ViewsCsv::Outcome out;
    {
        WaitCursor wait;
        // Added to the views the data file brought (a SurveyMonkey import's own ones).
        ViewHost::CreatingMany many(m_doc);
        out = ViewsCsv::read(text, m_doc);
    }
    for (const ViewsCsv::Skipped& s : out.skipped) {
        const QString type = unknownType(s);
        const QString why = type.isEmpty()
            ? tr("Warnung: %1: die %2. Ansicht \"%3\" konnte nicht erstellt werden und wurde "
                 "übergangen.")
                  .arg(fileName, QString::number(s.line), s.title)
            : tr("Warnung: %1: die %2. Ansicht \"%3\" hat den unbekannten Typ \"%4\" und wurde "
                 "übergangen.")
                  .arg(fileName, QString::number(s.line), s.title, type);
        error(why);
    }
    for (const QString& column : out.missing)
        error(tr("Warnung: %1: die Spalte \"%2\" fehlt in den Daten; die Ansichten darüber "
                 "wurden ausgelassen.")
                  .arg(fileName, column));
    return true;
}
