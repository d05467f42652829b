#ifndef CLIPBOARDCOPY_H
#define CLIPBOARDCOPY_H

class QMimeData;
class QWidget;

// Puts a view on the clipboard: its tab-separated text where it renders itself as text
// (directly, or through its adapter's diagram), else a picture of the whole view,
// as an image and as SVG.
class ClipboardCopy
{
public:
    // What the clipboard receives for the view; the caller owns it. Null for no view.
    static QMimeData* contentOf(QWidget* view);
    static void copy(QWidget* view);
};

#endif
