#include "io/htmlreport.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <QSaveFile>
#include <QStandardItemModel>
#include <QTextDocument>
#include <QUrl>

#include "core/diagramadapter.h"
#include "core/fortschritt.h"
#include "core/roles.h"
#include "core/textinhalt.h"
#include "core/viewhost.h"
#include "diagrams/diagram.h"
#include "diagrams/viewpicture.h"
#include "io/berichtinhalt.h"

namespace {
// What a table diagram says about its counts, as a paragraph before its table.
QString captionParagraph(const QStringList& captions)
{
    if (captions.isEmpty())
        return QString();
    QStringList lines;
    for (const QString& l : captions)
        lines << l.toHtmlEscaped();
    return QLatin1String("<P>") + lines.join(QLatin1String("<BR>")) + QLatin1String("</P>");
}
}

QString HtmlReport::heading(const QString& surveyFile, const QDate& date)
{
    const QString name = QFileInfo(surveyFile).fileName();
    const QString day = date.toString(QStringLiteral("dd.MM.yyyy"));
    return name.isEmpty() ? day : name + QStringLiteral(" \u2013 ") + day;
}

QString HtmlReport::folderFor(const QString& fileName)
{
    QString base = fileName;
    if (base.endsWith(QLatin1String(".html")))
        base.chop(5);
    return base + QLatin1String("_files");
}

HtmlReport::Outcome HtmlReport::write(const QString& fileName, const QString& heading,
                                      ViewHost& views, const QSize& pictureSize,
                                      Fortschritt* progress)
{
    Outcome out;
    const QString folder = folderFor(fileName);
    QDir().mkpath(folder);
    // The src of a picture is relative to the report, the folder's name percent-encoded.
    const QString folderName =
        QString::fromLatin1(QUrl::toPercentEncoding(QFileInfo(folder).fileName()));
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return out;

    QString html = QStringLiteral(
        "<HTML><HEAD><meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">"
        "<TITLE>");
    html += heading.toHtmlEscaped() + QLatin1String("</TITLE></HEAD><BODY>");
    html += QLatin1String("<H1>") + heading.toHtmlEscaped() + QLatin1String("</H1>");
    if (progress)
        progress->stage(progress->text(), views.viewCount() - 1);
    for (int row = 1; row < views.viewCount(); ++row) {
        if (progress)
            progress->step(row - 1);
        BerichtInhalt::Eintrag it;
        if (!BerichtInhalt::of(views, row, it))
            continue;
        QWidget* view = it.view;
        html += QLatin1String("<H2>") + it.title.toHtmlEscaped() + QLatin1String("</H2>");
        html += QLatin1String("<PRE>") + it.notes.toHtmlEscaped() + QLatin1String("</PRE>");
        if (it.text && !it.bild) {
            html += captionParagraph(it.captions);
            html += it.text->toHTML();
            continue;
        }
        const QString name = QStringLiteral("diagram%1.png").arg(row);
        // The title stands in for the picture where it is not shown (and for readers
        // that cannot see it).
        html += QLatin1String("<IMG src=\"") + folderName + QLatin1Char('/') + name
            + QLatin1String("\" alt=\"") + it.title.toHtmlEscaped()
            + QLatin1String("\" >");
        const QSize size = ViewPicture::sizeOf(view, pictureSize);
        const QImage picture = ViewPicture::of(view, size);
        // A lighter compression than the default: the pictures are mostly flat
        // colour, and the report of a hundred views must not keep the user waiting.
        QImageWriter writer(folder + QLatin1Char('/') + name, "png");
        writer.setQuality(60);
        if (picture.isNull() || !writer.write(picture))
            ++out.picturesFailed;
        // A chart with a table of its own: the table follows the picture.
        if (it.text)
            html += it.text->toHTML();
    }
    html += QLatin1String("</BODY></HTML>");

    const QByteArray bytes = html.toUtf8();
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return out;
    }
    out.written = file.commit();
    return out;
}
