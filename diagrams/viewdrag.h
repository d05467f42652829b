#ifndef VIEWDRAG_H
#define VIEWDRAG_H

#include <QPoint>
#include <functional>

class QMimeData;
class QMouseEvent;
class QWidget;

// The drag out of a view that is not a diagram (tables, plots): the same gesture as
// a diagram's, left button held for the platform's start distance.
class ViewDrag
{
public:
    // Remembers where the left button went down; other buttons are ignored.
    static void press(const QMouseEvent* e, QPoint* start);
    // Starts a drag (owned by source) carrying make()'s mime data, copy and move
    // allowed, once the left button has moved far enough from start.
    static void move(QWidget* source, const QMouseEvent* e, const QPoint& start,
                     const std::function<QMimeData*()>& make);
};

#endif
