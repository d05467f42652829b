#ifndef VIEWPICTURE_H
#define VIEWPICTURE_H

#include <QImage>
#include <QSize>

class QWidget;

// How any view becomes a picture: dragging, copying, the report, the gallery and the
// tests all come here, so that they show the same thing.
class ViewPicture
{
public:
    // A diagram that paints itself (directly or as the only content of an adapter) is
    // painted into an image of that size on white; any other view, the table diagram
    // with its child widgets and an adapter with controls of its own among them, is
    // laid out at that size and grabbed.
    static QImage of(QWidget* view, const QSize& size);
    // At the view's present size.
    static QImage of(QWidget* view);
};

#endif
