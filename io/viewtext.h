#ifndef VIEWTEXT_H
#define VIEWTEXT_H

class QWidget;
class TextInhalt;

// Whether a view renders itself as text, for the report and the clipboard: a view that
// implements it itself, an adapter with a text of its own (a test's table with its
// result), or an adapter whose current diagram does (the table diagram).
class ViewText
{
public:
    // Null for a view that is shown as a picture.
    static TextInhalt* of(QWidget* view);
    // Whether a view with a text is drawn as a chart as well (a multiple-choice view as
    // bars): the report and the clipboard then carry the picture and the text.
    static bool auchBild(QWidget* view);
};

#endif
