#ifndef ANSICHTDATEI_H
#define ANSICHTDATEI_H

#include <QSize>
#include <QString>

class QWidget;

// One view as a picture file, the kind chosen by the file's ending: ".svg" and ".pdf"
// as vector graphics through the same paint path as the screen, anything else as PNG.
class AnsichtDatei
{
public:
    enum Art { Png, Svg, Pdf };
    static Art artOf(const QString& fileName);
    // Writes the view at size (its own size where empty, never below its minimum),
    // replacing the file only once it is complete; false when nothing was written.
    static bool write(QWidget* view, const QString& fileName, const QString& title,
                      const QSize& size = QSize());
};

#endif
