#ifndef HTMLREPORT_H
#define HTMLREPORT_H

#include <QSize>
#include <QString>

class QDate;

class Fortschritt;
class ViewHost;

// The HTML report of all views: per view its title, its notes as plain text, and an
// HTML table for a view that renders itself as text or else a PNG picture saved into
// the folder beside the report ("report.html" gets "report_files"). Image paths are
// relative to the report, so that it can be moved together with its folder.
class HtmlReport
{
public:
    // The picture folder of a report file: its name without ".html", then "_files".
    static QString folderFor(const QString& fileName);

    // The report's title and main heading: the survey file's name without its folder
    // and the date ("umfrage.csv – 09.12.2026"); the date alone without a file.
    static QString heading(const QString& surveyFile, const QDate& date);

    struct Outcome {
        bool written = false;    // the report file itself
        int picturesFailed = 0;  // pictures that could not be saved
    };
    // Writes the report (UTF-8, replacing the file only once it is complete) with the
    // heading given, creating the picture folder. Pictures are taken at pictureSize,
    // or at a view's own size where that is empty, never below its minimum size.
    // Steps progress (when given) per view.
    static Outcome write(const QString& fileName, const QString& heading, ViewHost& views,
                         const QSize& pictureSize = QSize(), Fortschritt* progress = nullptr);
};

#endif
