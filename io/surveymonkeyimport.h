#ifndef SURVEYMONKEYIMPORT_H
#define SURVEYMONKEYIMPORT_H

#include <QString>
#include <QStringList>

class Fortschritt;
class QStandardItemModel;
class Tabelle1;
class ViewHost;
struct TableContext;

// Reads a SurveyMonkey CSV export: "," separated, a row of question texts (only above
// the first column of a multi-column question), a row of sub-headers ("Open-Ended
// Response" for free text), then one row per respondent.
class SurveyMonkeyImport
{
public:
    // Replaces the content of the (already emptied) model by the survey of the text.
    // The sub-header row goes to *subHeaders; a file without one leaves it empty.
    // Steps progress (when given) per record.
    static void fill(const QString& text, QStandardItemModel* model, Tabelle1* table,
                     QStringList* subHeaders, Fortschritt* progress = nullptr);

    // A column has a usable sub-header when its entry exists and is not empty.
    static bool isUsable(const QStringList& subHeaders, int column);
    static bool isFreeText(const QString& subHeader);

    // Shows the columns with a usable sub-header and hides the others, then makes a
    // horizontal bar chart of answer frequencies for every such column that is not
    // free text, in column order, and after them a pie chart for each.
    // Steps progress (when given) per view.
    static void createViews(const TableContext& context, ViewHost& views,
                            const QStringList& subHeaders, Fortschritt* progress = nullptr);
};

#endif
