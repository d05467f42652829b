#include "diagrams/viewdrag.h"

#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>

#include "core/userinput.h"

void ViewDrag::press(const QMouseEvent* e, QPoint* start)
{
    if (e->button() == Qt::LeftButton)
        *start = e->position().toPoint();
}

void ViewDrag::move(QWidget* source, const QMouseEvent* e, const QPoint& start,
                    const std::function<QMimeData*()>& make)
{
    if (!(e->buttons() & Qt::LeftButton))
        return;
    if ((e->position().toPoint() - start).manhattanLength() < QApplication::startDragDistance())
        return;
    auto* drag = new QDrag(source);
    drag->setMimeData(make());
    UserInput::startDrag(drag, Qt::CopyAction | Qt::MoveAction);
}
