#include "app/commandlinereport.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

#include "core/fortschritt.h"
#include "io/statistikdatei.h"
#include "analyses/viewtypes.h"
#include "core/waitcursor.h"
#include "io/ergebnis.h"
#include "io/umfragedokument.h"
#include "io/viewscsv.h"

namespace {
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
        // The file operations say what went wrong in their outcome, which is printed;
        // anything else a box would show has no one to read it here.
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
    if (!job.report.isEmpty() && !succeeded(m_doc.exportReport(job.report, PictureSize)))
        return 1;
    if (!job.xlsx.isEmpty() && !succeeded(m_doc.exportXlsx(job.xlsx)))
        return 1;
    if (!job.pptx.isEmpty() && !succeeded(m_doc.exportPptx(job.pptx, job.pptxTemplate)))
        return 1;
    return 0;
}

bool CommandLineReport::succeeded(const Ergebnis& e)
{
    // A warning counts as a failure too: a report made from a damaged file would be
    // missing what was lost.
    if (!e.hatMeldung())
        return e.geschafft();
    error(e.meldung());
    return false;
}

bool CommandLineReport::readData(const Job& job)
{
    const Ergebnis e = job.surveyMonkey ? m_doc.importSM(job.data)
        : isStatFile(job.data)          ? m_doc.load(job.data)
                                        : m_doc.importErkannt(job.data, false);
    return succeeded(e);
}

bool CommandLineReport::applyViews(const QString& fileName)
{
    Ergebnis e;
    {
        WaitCursor wait;
        // Added to the views the data file brought (a SurveyMonkey import's own ones).
        e = m_doc.importViewsCSV(fileName, false);
    }
    // Columns the survey lacks are told one line each, below.
    if (!e.geschafft()) {
        error(e.meldung());
        return false;
    }
    const QStringList missing = m_doc.missingColumns();
    for (const ViewsCsv::Skipped& s : m_doc.skippedViews()) {
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
    for (const QString& column : missing)
        error(tr("Warnung: %1: die Spalte \"%2\" fehlt in den Daten; die Ansichten darüber "
                 "wurden ausgelassen.")
                  .arg(fileName, column));
    return true;
}
