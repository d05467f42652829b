#include "diagrams/viewpicture.h"

#include <QBuffer>
#include <QLayout>
#include <QPainter>
#include <QSvgGenerator>
#include <QWidget>

#include "core/diagramadapter.h"
#include "diagrams/diagram.h"

namespace {
// A diagram built from child widgets draws nothing in paint(): it must be grabbed.
bool paintsItself(const Diagram* d)
{
    return d->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly).isEmpty();
}

// An adapter that shows more than its diagram (a test's parameters and result) is
// pictured whole: the report and the clipboard would drop the rest.
bool showsOnly(const QWidget* view, const Diagram* d)
{
    for (const QWidget* c : view->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (c != d && !c->isWindow())
            return false;
    return true;
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

// The diagram of a view, itself or its adapter's; null for other views.
Diagram* diagramOfView(QWidget* view)
{
    Diagram* d = qobject_cast<Diagram*>(view);
    if (!d) {
        if (auto* a = dynamic_cast<DiagramAdapter*>(view))
            d = a->diagram();
    }
    return d;
}
}

QImage ViewPicture::of(QWidget* view, const QSize& size)
{
    if (!view || size.isEmpty())
        return QImage();
    Diagram* d = diagramOfView(view);
    if (d && d != view && !showsOnly(view, d))
        return grabAt(view, size);
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

QSize ViewPicture::sizeOf(QWidget* view, const QSize& wanted)
{
    if (!view)
        return QSize();
    return (wanted.isEmpty() ? view->size() : wanted).expandedTo(view->minimumSize());
}

void ViewPicture::paint(QWidget* view, QPainter& p, const QSize& size)
{
    if (!view || size.isEmpty())
        return;
    p.save();
    p.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    Diagram* d = diagramOfView(view);
    if (d && paintsItself(d))
        d->render(p, size);
    else
        p.drawImage(QRect(QPoint(0, 0), size), of(view, size));
    p.restore();
}

QByteArray ViewPicture::svgOf(QWidget* view, const QSize& size, const QString& title)
{
    if (!view || size.isEmpty())
        return QByteArray();
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setTitle(title);
    {
        QPainter p(&svg);
        paint(view, p, size);
    }
    return buffer.data();
}
