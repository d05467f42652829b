#include "io/clipboardcopy.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "core/textinhalt.h"
#include "diagrams/viewpicture.h"
#include "io/viewtext.h"

QMimeData* ClipboardCopy::contentOf(QWidget* view)
{
    if (!view)
        return nullptr;
    TextInhalt* text = ViewText::of(view);
    auto* mime = new QMimeData;
    if (text)
        mime->setText(text->toText());
    if (!text || ViewText::auchBild(view)) {
        // Office programs take the SVG as an editable drawing, others the picture.
        const QSize size = ViewPicture::sizeOf(view);
        mime->setImageData(ViewPicture::of(view, size));
        const QByteArray svg = ViewPicture::svgOf(view, size, QString());
        if (!svg.isEmpty())
            mime->setData(QStringLiteral("image/svg+xml"), svg);
    }
    return mime;
}

void ClipboardCopy::copy(QWidget* view)
{
    if (QMimeData* mime = contentOf(view))
        QGuiApplication::clipboard()->setMimeData(mime, QClipboard::Clipboard);
}
