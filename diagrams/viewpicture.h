#ifndef VIEWPICTURE_H
#define VIEWPICTURE_H

#include <QByteArray>
#include <QImage>
#include <QSize>

class QPainter;
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
    // The size a picture of the view gets: the wanted size, the view's present size
    // where none is wanted, at least the view's minimum size. Empty for no view.
    static QSize sizeOf(QWidget* view, const QSize& wanted = QSize());
    // Draws the view into the rectangle (0,0,size) of any painter (SVG, PDF, screen):
    // a diagram that paints itself as vectors, any other view as its picture.
    static void paint(QWidget* view, QPainter& p, const QSize& size);
    // The view as an SVG document of that size; empty for no view.
    static QByteArray svgOf(QWidget* view, const QSize& size, const QString& title);
};

#endif
