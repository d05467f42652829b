#ifndef VIEWSCSV_H
#define VIEWSCSV_H

#include <QByteArray>
#include <QString>
#include <QVector>

class Fortschritt;
class ViewHost;

// The views CSV file: the set of views without the data table, to be applied to another
// data table of the same column layout. After a comment line and the version line, one
// line per view of seven quoted ";"-separated fields: title, category, adapter type,
// columns, view type, notes (UTF-8, Base64) and settings (the view's record at record
// version 5 in the Qt 4.6 stream format, Base64).
class ViewsCsv
{
public:
    static constexpr int Version = 5;

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
    };
    // Appends the views of a decoded views CSV text. A line whose view cannot be made
    // is passed over; notes and settings go only to the view of their own line.
    // Steps progress (when given) per line.
    static Outcome read(const QString& text, ViewHost& views, Fortschritt* progress = nullptr);
};

#endif
