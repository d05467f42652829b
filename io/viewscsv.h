#ifndef VIEWSCSV_H
#define VIEWSCSV_H

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

#include "core/viewrecord.h"

class SpaltenSpeicher;
class Fortschritt;
class ViewHost;

// The views CSV file: the set of views without the data table, to be applied to another
// data table of the same column layout. After a comment line and the version line, one
// line per view of seven quoted ";"-separated fields: title, category, adapter type,
// columns, view type, notes (UTF-8, Base64) and settings (the view's record in the Qt
// 4.6 stream format, Base64). The version line names the record version of the
// settings: 5, or the statistic file's version of the newest view setting used (from
// StatistikDatei::AnzeigeVersion on; those records only append to the ones of
// version 5, so that readers that take every record as version 5 skip what they do not
// know). Before each view line a comment line
// "#Spalten:<n>:" names the titles of its columns (quoted, ";"-separated, UTF-8 in
// Base64), n counting the view lines from 1: readers that skip comments read the file
// as before, and the views find their questions in a survey of another column order.
class ViewsCsv
{
public:
    static constexpr int Version = 5;

    // The record version a file of these views is written with: Version, unless a view
    // needs a record version from StatistikDatei::AnzeigeVersion on (the versions
    // between added to the statistic file's table, which this file does not hold).
    static int versionFor(ViewHost& views);
    // The record version of a file's text, from its version line: Version when there is
    // none or it names an older one; a newer version than this program knows is read
    // as the newest it knows.
    static int versionOf(const QString& text);

    // The file's bytes for every view after the data table, in list order.
    static QByteArray toCsv(ViewHost& views, Fortschritt* progress = nullptr);
    // Writes them, replacing the file only once it is complete; false when it cannot
    // be written.
    static bool write(const QString& fileName, ViewHost& views,
                      Fortschritt* progress = nullptr);

    // A view line that made no view.
    struct Skipped {
        int line = 0; // its number among the view lines, from 1
        QString title;
        QString adapterType;
        QString viewType;
    };
    struct Outcome {
        int lines = 0;   // view lines read (comments and short lines not counted)
        int created = 0; // views made from them
        QVector<Skipped> skipped;
        // Titles of columns the views need that the survey lacks, each once, in the
        // order met; the views over them are left out (leftOut of them).
        QStringList missing;
        int leftOut = 0;
    };

    // The columns of a view in the survey: each stored column whose title the file
    // knows is looked up by that title (its own number first, then the first column of
    // that title), -1 when the survey has none; a column without a known title keeps
    // its number. Without a title per column the numbers stand.
    static QVector<int> matchColumns(const QVector<int>& stored, const QStringList& titles,
                                     const QStringList& surveyTitles);
    // What a views file holds for a survey: the view records in file order, their
    // columns matched to the survey's titles, and what was left out.
    struct Inhalt {
        int version = Version;        // record version of the settings
        QVector<ViewRecord> records;
        QVector<int> lineOf;          // each record's number among the view lines, from 1
        int lines = 0;                // view lines read (comments and short lines not counted)
        // Titles of columns the views need that the survey lacks, each once, in the
        // order met; the views over them are left out (leftOut of them).
        QStringList missing;
        int leftOut = 0;
    };
    // Puts the column settings of a decoded views CSV text on the survey's columns of
    // their titles, and makes each recoded column and fitted weight the survey lacks:
    // before lesen(), so that the views find those columns.
    static void regelnAnwenden(SpaltenSpeicher* model, const QString& text);
    // The column titles a views file's columns are matched against: the survey's header,
    // an empty title where a column has none of its own.
    static QStringList surveyTitles(const SpaltenSpeicher* model);
    // The view records of a decoded views CSV text. Notes and settings belong only to
    // the record of their own line.
    static Inhalt lesen(const QString& text, const QStringList& surveyTitles);
};

#endif
