#include "io/pdfbericht.h"

#include <QAbstractTextDocumentLayout>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextDocument>

#include "core/fortschritt.h"
#include "core/textinhalt.h"
#include "core/viewhost.h"
#include "diagrams/viewpicture.h"
#include "io/berichtinhalt.h"

namespace {
// At the screen's resolution the texts and charts keep the sizes they have on screen.
constexpr int PdfDpi = 96;

// Puts blocks one below the other on the pages of the writer.
class PdfSeiten
{
public:
    PdfSeiten(QPdfWriter& pdf, QPainter& p)
        : m_pdf(pdf), m_p(p), m_page(pdf.pageLayout().paintRectPixels(PdfDpi).size())
    {
    }
    int width() const { return m_page.width(); }
    int height() const { return m_page.height(); }

    // A block of that height starts on a new page where it does not fit the rest of
    // this one but would fit a page.
    bool keepTogether(qreal h)
    {
        if (m_y > 0 && m_y + h > m_page.height() && h <= m_page.height())
            return newPage();
        return true;
    }

    // A text, split across pages only where it is taller than a page.
    bool text(QTextDocument& doc)
    {
        doc.setTextWidth(m_page.width());
        qreal done = 0;
        const qreal total = doc.size().height();
        while (done < total) {
            if (m_y >= m_page.height() && !newPage())
                return false;
            const qreal slice = qMin(total - done, m_page.height() - m_y);
            m_p.save();
            m_p.translate(0, m_y - done);
            QAbstractTextDocumentLayout::PaintContext ctx;
            ctx.clip = QRectF(0, done, m_page.width(), slice);
            m_p.setClipRect(ctx.clip);
            doc.documentLayout()->draw(&m_p, ctx);
            m_p.restore();
            done += slice;
            m_y += slice;
        }
        return true;
    }

    // A chart, shrunk to the page's width and height where it is larger.
    bool picture(QWidget* view, const QSize& size)
    {
        const qreal scale = qMin<qreal>(1.0, qMin(qreal(m_page.width()) / size.width(),
                                                  qreal(m_page.height()) / size.height()));
        const qreal h = size.height() * scale;
        if (m_y + h > m_page.height() && !newPage())
            return false;
        m_p.save();
        m_p.translate(0, m_y);
        m_p.scale(scale, scale);
        m_p.setClipRect(QRect(QPoint(0, 0), size));
        ViewPicture::paint(view, m_p, size);
        m_p.restore();
        m_y += h;
        return true;
    }

    void space(qreal h) { m_y += h; }

private:
    bool newPage()
    {
        m_y = 0;
        return m_pdf.newPage();
    }

    QPdfWriter& m_pdf;
    QPainter& m_p;
    QSize m_page;
    qreal m_y = 0;
};

QString blockHtml(const QString& tag, const QString& text)
{
    return QStringLiteral("<%1>%2</%1>").arg(tag, text.toHtmlEscaped());
}
}

bool PdfBericht::isPdf(const QString& fileName)
{
    return fileName.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive);
}

bool PdfBericht::write(const QString& fileName, const QString& heading, ViewHost& views,
                       const QSize& pictureSize, Fortschritt* progress)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    bool ok = true;
    {
        QPdfWriter pdf(&file);
        pdf.setResolution(PdfDpi);
        pdf.setTitle(heading);
        pdf.setCreator(QStringLiteral("quorvandel7"));
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
        QPainter p;
        if (!p.begin(&pdf))
            return false;
        PdfSeiten pages(pdf, p);

        // The heading names the survey and the day, as the HTML report's does.
        QTextDocument head;
        head.setHtml(blockHtml(QStringLiteral("h1"), heading));
        ok = pages.text(head);

        if (progress)
            progress->stage(progress->text(), views.viewCount() - 1);
        for (int row = 1; ok && row < views.viewCount(); ++row) {
            if (progress)
                progress->step(row - 1);
            BerichtInhalt::Eintrag it;
            if (!BerichtInhalt::of(views, row, it))
                continue;
            QTextDocument title;
            title.setTextWidth(pages.width());
            // A picture draws its caption lines itself; a table gets them before it.
            QString captions;
            if (it.text && !it.bild)
                for (const QString& line : it.captions)
                    captions += blockHtml(QStringLiteral("p"), line);
            title.setHtml(blockHtml(QStringLiteral("h2"), it.title)
                          + (it.notes.isEmpty() ? QString()
                                                : blockHtml(QStringLiteral("pre"), it.notes))
                          + captions);
            QTextDocument table;
            QSize size;
            qreal h = title.size().height();
            if (it.text) {
                table.setTextWidth(pages.width());
                table.setHtml(it.text->toHTML());
                h += table.size().height();
            }
            if (!it.text || it.bild) {
                size = ViewPicture::sizeOf(it.view, pictureSize);
                if (size.isEmpty())
                    size = QSize(400, 300);
                h += size.height()
                    * qMin<qreal>(1.0, qMin(qreal(pages.width()) / size.width(),
                                            qreal(pages.height()) / size.height()));
            }
            // A chart with a table of its own: the table follows the picture.
            ok = pages.keepTogether(h) && pages.text(title)
                && (!it.text || it.bild ? pages.picture(it.view, size) : true)
                && (it.text ? pages.text(table) : true);
            pages.space(12);
        }
        ok = p.end() && ok;
    }
    if (!ok) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
