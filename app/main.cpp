#include <QApplication>
#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QStackedWidget>
#include "core/spaltenspeicher.h"
#include <QTextStream>
#include <cstdio>
#include <cstring>

#include "app/commandlinereport.h"
#include "app/dialogantworten.h"
#include "app/fortschrittsdialog.h"
#include "app/germantranslations.h"
#include "app/view.h"
#include "io/umfragedokument.h"

namespace {
// Whether the arguments ask for something that needs no display: the report, the help
// and the version. Decided before the application object exists, which picks the
// display from the environment.
bool runsWithoutDisplay(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        if (std::strcmp(a, "--") == 0)
            break;
        if (std::strcmp(a, "--report") == 0 || std::strncmp(a, "--report=", 9) == 0
            || std::strcmp(a, "--xlsx") == 0 || std::strncmp(a, "--xlsx=", 7) == 0
            || std::strcmp(a, "--pptx") == 0 || std::strncmp(a, "--pptx=", 7) == 0
            || std::strcmp(a, "--help") == 0 || std::strcmp(a, "-h") == 0
            || std::strcmp(a, "--help-all") == 0 || std::strcmp(a, "--version") == 0
            || std::strcmp(a, "-v") == 0)
            return true;
    }
    return false;
}

void printStartupReport(View* window)
{
    std::printf("title=%s\nrows=%d\ncolumns=%d\nviews=%d\n",
                qPrintable(window->windowTitle().remove(QStringLiteral("[*]"))),
                window->document()->dataModel()->rowCount(),
                window->document()->dataModel()->columnCount(),
                window->document()->viewCount());
    for (int i = 1; i < window->document()->viewCount(); ++i) {
        const ViewRecord::Stored it = window->document()->stored(i);
        std::printf("view=%s|%s|%s|%s\n", qPrintable(it.title.toString()),
                    qPrintable(it.adapterType.toString()), qPrintable(it.viewType.toString()),
                    qPrintable(it.columns.toStringList().join(',')));
    }
    std::fflush(stdout);
}

// Whether no display can be reached: nothing names a platform or a display.
bool noDisplay()
{
    return qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")
        && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

void printError(const QString& text)
{
    QTextStream(stderr) << QCoreApplication::applicationName() << ": " << text << Qt::endl;
}
}

int main(int argc, char** argv)
{
    // The report is made without a window on screen, also where there is no display.
    // Without a display the options are still read, so that a mistake in them is
    // reported as such; only the window itself then cannot come up.
    const bool headless = noDisplay();
    if (headless || runsWithoutDisplay(argc, argv))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Orvinsk"));
    QCoreApplication::setOrganizationDomain(QStringLiteral("orvinsk.de"));
    QCoreApplication::setApplicationName(QStringLiteral("quorvandel7"));
    GermanTranslations::install(&app);
    // Questions and long work are shown in the toolkit's dialogs; the command-line
    // report answers and shows nothing itself.
    DialogAntworten::install();
    FortschrittsDialog::install();
    QCoreApplication::setApplicationVersion(QStringLiteral(QUORVANDEL7_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Auswertung von Umfragedaten.\n"
        "Ohne Optionen öffnet das Programm die angegebene Statistikdatei im Fenster.\n"
        "Mit --report schreibt es ohne Fenster einen Bericht (HTML, oder PDF bei der "
        "Endung .pdf), z. B.:\n"
        "  quorvandel7 --report bericht.html --views ansichten.csv umfrage.csv"));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption report(
        QStringLiteral("report"),
        QStringLiteral("Schreibt den Bericht aller Ansichten nach <bericht.html> (als PDF, "
                       "wenn der Name auf .pdf endet) und beendet das Programm, ohne ein "
                       "Fenster zu zeigen."),
        QStringLiteral("bericht.html"));
    const QCommandLineOption views(
        QStringLiteral("views"),
        QStringLiteral("Wendet die Ansichten der Views-CSV-Datei <ansichten.csv> auf die "
                       "Daten an (nur mit --report, --xlsx oder --pptx)."),
        QStringLiteral("ansichten.csv"));
    const QCommandLineOption surveyMonkey(
        QStringLiteral("surveymonkey"),
        QStringLiteral("Liest die Datendatei als SurveyMonkey-Export, mit dessen "
                       "Ansichten (nur mit --report, --xlsx oder --pptx)."));
    const QCommandLineOption xlsx(
        QStringLiteral("xlsx"),
        QStringLiteral("Schreibt die Daten und alle Ansichten als Excel-Arbeitsmappe nach "
                       "<mappe.xlsx> (allein oder neben --report), ohne ein Fenster zu "
                       "zeigen."),
        QStringLiteral("mappe.xlsx"));
    const QCommandLineOption pptx(
        QStringLiteral("pptx"),
        QStringLiteral("Schreibt alle Ansichten als PowerPoint-Präsentation nach "
                       "<folien.pptx>, eine Folie je Ansicht; eine früher so geschriebene "
                       "Präsentation wird aktualisiert. Ohne Fenster."),
        QStringLiteral("folien.pptx"));
    const QCommandLineOption pptxTemplate(
        QStringLiteral("pptx-template"),
        QStringLiteral("Nimmt Folienmaster, Layouts, Schriften und Farben einer neuen "
                       "Präsentation aus <vorlage.pptx> (nur mit --pptx)."),
        QStringLiteral("vorlage.pptx"));
    parser.addOption(report);
    parser.addOption(xlsx);
    parser.addOption(pptx);
    parser.addOption(pptxTemplate);
    parser.addOption(views);
    parser.addOption(surveyMonkey);
    parser.addPositionalArgument(
        QStringLiteral("datei"),
        QStringLiteral("Statistikdatei (.stat); mit --report auch eine CSV-Datei oder ein "
                       "SurveyMonkey-Export."),
        QStringLiteral("[datei]"));
    parser.process(app);
    const QStringList files = parser.positionalArguments();

    if (parser.isSet(pptxTemplate) && !parser.isSet(pptx)) {
        printError(QStringLiteral("--pptx-template gilt nur mit --pptx."));
        return 1;
    }
    if (parser.isSet(report) || parser.isSet(xlsx) || parser.isSet(pptx)) {
        if (files.size() != 1) {
            printError(QStringLiteral("Mit --report, --xlsx oder --pptx ist genau eine Datendatei "
                                      "anzugeben."));
            return 1;
        }
        QTextStream err(stderr);
        UmfrageDokument document;
        CommandLineReport::Job job;
        job.report = parser.value(report);
        job.xlsx = parser.value(xlsx);
        job.pptx = parser.value(pptx);
        job.pptxTemplate = parser.value(pptxTemplate);
        job.views = parser.value(views);
        job.data = files.first();
        job.surveyMonkey = parser.isSet(surveyMonkey);
        return CommandLineReport(document, err).run(job);
    }
    if (parser.isSet(views) || parser.isSet(surveyMonkey)) {
        printError(QStringLiteral("--views und --surveymonkey gelten nur mit --report, --xlsx oder --pptx."));
        return 1;
    }
    if (headless) {
        printError(QStringLiteral("Keine grafische Anzeige gefunden (DISPLAY ist nicht "
                                  "gesetzt); ohne Anzeige gehen nur --report, --xlsx, --pptx, "
                                  "--help und --version."));
        return 1;
    }

    auto* window = new View;
    // Shown first: a long load's progress and any warning then stand over the window.
    window->show();
    // Exactly one file names a statistic file to open.
    if (files.size() == 1)
        window->load(files.first());

    // Start-up check for scripts and the test suite: once the event loop runs, print
    // what came up and quit through the normal shutdown path.
    if (qEnvironmentVariableIsSet("QUORVANDEL7_STARTUP_REPORT")) {
        QMetaObject::invokeMethod(
            &app,
            [window] {
                printStartupReport(window);
                QCoreApplication::quit();
            },
            Qt::QueuedConnection);
    }

    const int rc = app.exec();
    delete window;
    return rc;
}
