#ifndef BERICHTINHALT_H
#define BERICHTINHALT_H

#include <QString>
#include <QStringList>

class QWidget;
class TextInhalt;
class ViewHost;

// What a report says of one view, whatever it is written as (HTML, PDF): its title, its
// notes as plain text, and either its table (a view that renders itself as text) or
// its picture.
class BerichtInhalt
{
public:
    struct Eintrag {
        QString title;
        QString notes;              // plain text
        QWidget* view = nullptr;    // the picture's source where text is null
        TextInhalt* text = nullptr; // the table, where the view renders itself as text
        bool bild = false;          // the picture too, before the table
        QStringList captions;       // what a table diagram says of its counts (filter, base)
    };
    // The entry of view-list row (>= 1); false where the row has no view.
    static bool of(ViewHost& views, int row, Eintrag& out);
    // Notes kept as HTML, as plain text.
    static QString plainNotes(const QString& html);
};

#endif
