#include "io/ansichtdatei.h"

#include <QImageWriter>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include "diagrams/viewpicture.h"

AnsichtDatei::Art AnsichtDatei::artOf(const QString& fileName)
{
    if (fileName.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive))
        return Svg;
    if (fileName.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        return Pdf;
    return Png;
}

bool AnsichtDatei::write(QWidget* view, const QString& fileName, const QString& title,
                         const QSize& wanted)
{
    if (!view)
        return false;
    const QSize size = ViewPicture::sizeOf(view, wanted);
    if (size.isEmpty())
        return false;
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    bool ok = false;
    switch (artOf(fileName)) {
    case Svg: {
        const QByteArray svg = ViewPicture::svgOf(view, size, title);
        ok = !svg.isEmpty() && file.write(svg) == svg.size();
        break;
    }
    case Pdf: {
        // One page of the picture's own size: it goes into slides and documents whole.
        QPdfWriter pdf(&file);
        pdf.setTitle(title);
        pdf.setCreator(QStringLiteral("quorvandel7"));
        pdf.setResolution(72);
        pdf.setPageMargins(QMarginsF());
        pdf.setPageSize(QPageSize(QSizeF(size), QPageSize::Point, QString(),
                                  QPageSize::ExactMatch));
        QPainter p;
        ok = p.begin(&pdf);
        if (ok) {
            ViewPicture::paint(view, p, size);
            ok = p.end();
        }
        break;
    }
    case Png: {
        const QImage img = ViewPicture::of(view, size);
        QImageWriter writer(&file, "png");
        ok = !img.isNull() && writer.write(img);
        break;
    }
    }
    if (!ok) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
