#ifndef FORTSCHRITTANZEIGE_H
#define FORTSCHRITTANZEIGE_H

#include <QString>
#include <memory>

class QWidget;

// What shows the progress of long work on screen. Fortschritt decides when and what;
// the program installs how (a dialog of the toolkit), so that the counting needs no
// widget. Without one installed nothing is shown and no events are let through.
class FortschrittAnzeige
{
public:
    // Makes the display, shown at once, over parent (null: over the active window);
    // null when none can be shown.
    using Fabrik = std::unique_ptr<FortschrittAnzeige> (*)(QWidget* parent,
                                                          const QString& text, int maximum);

    virtual ~FortschrittAnzeige() = default;
    virtual void setText(const QString& text) = 0;
    // From 0 to the maximum it was made with.
    virtual void setValue(int value) = 0;
};

#endif
