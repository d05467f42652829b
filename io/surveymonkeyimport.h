#ifndef SURVEYMONKEYIMPORT_H
#define SURVEYMONKEYIMPORT_H

#include <QString>
#include <QStringList>
#include <QVector>

#include "io/ansichtsplan.h"

class Fortschritt;
class SpaltenSpeicher;

// Reads a SurveyMonkey CSV export: "," separated, a row of question texts (only above
// the first column of a multi-column question), a row of sub-headers ("Open-Ended
// Response" for free text), then one row per respondent.
class SurveyMonkeyImport
{
public:
    // One question of the export: its first column and the columns without a question
    // text of their own that follow it.
    struct Frage {
        QString text;
        int first = 0;
        QVector<int> columns;  // first included
        QVector<int> options;  // the columns that stand for a choice (not free text)
        // Several options: a multiple-choice question.
        bool mehrfach() const { return options.size() > 1; }
    };
    // The questions of an export from its question row and sub-header row. Columns
    // without a usable sub-header belong to no question.
    static QVector<Frage> fragen(const QStringList& titles, const QStringList& subHeaders);
    // The column titles that keep every name: "<Frage> – <Option>" for the columns of a
    // multiple-choice question and for the further columns of any question; the
    // question text for a single-choice column.
    static QStringList titel(const QStringList& titles, const QStringList& subHeaders);

    // Replaces the content of the (already emptied) model by the survey of the text.
    // The sub-header row goes to *subHeaders; a file without one leaves it empty.
    // The question row as the file has it goes to *questionRow (when given): the titles
    // are named after the questions and options.
    // Steps progress (when given) per record.
    static void fill(const QString& text, SpaltenSpeicher* model,
                     QStringList* subHeaders, Fortschritt* progress = nullptr,
                     QStringList* questionRow = nullptr);

    // A column has a usable sub-header when its entry exists and is not empty.
    static bool isUsable(const QStringList& subHeaders, int column);
    static bool isFreeText(const QString& subHeader);

    // The columns without a usable sub-header hidden. Every multiple-choice question
    // (of the question row) becomes a set and one "Mehrfachantworten" view; after them
    // a horizontal bar chart of answer frequencies for every other column with a
    // usable sub-header that is not free text, in column order, and then a pie chart
    // for each; over the filled model.
    static Ansichtsplan ansichten(const SpaltenSpeicher* model,
                                  const QStringList& subHeaders,
                                  const QStringList& questionRow);
};

#endif
