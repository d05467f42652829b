#ifndef COMMANDLINEREPORT_H
#define COMMANDLINEREPORT_H

#include <QCoreApplication>
#include <QSize>
#include <QString>
#include <QStringList>

#include "core/userinput.h"

class Ergebnis;
class QTextStream;
class UmfrageDokument;

// The survey report made from the command line: reads a statistic file, a CSV file or a
// SurveyMonkey export into a survey document without a window, applies a views file and
// writes the report (HTML or PDF), through the same functions as the menu commands. Nothing is asked:
// what went wrong goes to standard error as one line.
class CommandLineReport : private UserInput::Answerer
{
    Q_DECLARE_TR_FUNCTIONS(CommandLineReport)
public:
    struct Job {
        QString report;             // the report to write: PDF for ".pdf", else HTML
        QString xlsx;               // the workbook to write; empty for none
        QString pptx;               // the deck to write or update; empty for none
        QString pptxTemplate;       // the deck whose master a new deck takes
        QString data;               // statistic file, survey file of any kind (recognised
                                    // by its content) or SurveyMonkey export
        QString views;              // views CSV; empty for none
        bool surveyMonkey = false;  // data is a SurveyMonkey export
    };

    CommandLineReport(UmfrageDokument& document, QTextStream& err);

    // The exit status: 0 when the report was written; 1 when a file could not be read
    // or written or is damaged, with one line on err naming it. A views line that makes
    // no view gives a warning line and the others are still applied.
    int run(const Job& job);

    // Whether a data file is read as a statistic file: its name ends in ".stat" or it
    // starts with the statistic file's magic.
    static bool isStatFile(const QString& fileName);

    // The pictures' size: the view area of the window at its default size (800 × 550,
    // with its docks and toolbars).
    static constexpr QSize PictureSize{538, 300};

private:
    UserInput::Reply answer(const UserInput::Ask& ask) override;
    bool readData(const Job& job);
    bool applyViews(const QString& fileName);
    // Whether the outcome is done without a message; prints its message otherwise.
    bool succeeded(const Ergebnis& e);
    void error(const QString& text);

    UmfrageDokument& m_doc;
    QTextStream& m_err;
};

#endif
