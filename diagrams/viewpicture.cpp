#include "diagrams/viewpicture.h"

#include <QLayout>
#include <QPainter>
#include <QWidget>

#include "core/diagramadapter.h"
#include "diagrams/diagram.h"

namespace {
// A diagram built from child widgets draws nothing in paint(): it must be grabbed.
bool paintsItself(const Diagram* d)
{
    return d->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly).isEmpty();
}

QImage grabAt(QWidget* w, const QSize& size)
{
    const QSize old = w->size();
    if (size != old)
        w->resize(size);
    if (w->layout())
        w->layout()->activate();
    QImage img = w->grab().toImage();
    if (size != old)
        w->resize(old);
    return img;
}
}

QImage ViewPicture::of(QWidget* view, const QSize& size)
{
    if (!view || size.isEmpty())
        return QImage();
    Diagram* d = qobject_cast<Diagram*>(view);
    if (!d) {
        if (auto* a = dynamic_cast<DiagramAdapter*>(view))
            d = a->diagram();
    }
    if (d && paintsItself(d)) {
        QImage img(size, QImage::Format_ARGB32);
        img.fill(Qt::white);
        QPainter p(&img);
        d->render(p, size);
        return img;
    }
    return grabAt(d ? static_cast<QWidget*>(d) : view, size);
}

QImage ViewPicture::of(QWidget* view)
{
    return view ? of(view, view->size()) : QImage();
}
