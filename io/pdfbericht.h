#ifndef PDFBERICHT_H
#define PDFBERICHT_H

#include <QSize>
#include <QString>

class Fortschritt;
class ViewHost;

// The report as a PDF on A4: the heading, then per view its title, notes and
// table or chart, the charts as vector graphics. A view starts a new page where it
// would be cut otherwise; only one taller than a page runs across pages.
class PdfBericht
{
public:
    // Whether a report file name asks for a PDF (".pdf", any case).
    static bool isPdf(const QString& fileName);
    // Writes the report, replacing the file only once it is complete; charts are laid
    // out at pictureSize (each view's own size where empty) and shrunk to the page.
    static bool write(const QString& fileName, const QString& heading, ViewHost& views,
                      const QSize& pictureSize = QSize(), Fortschritt* progress = nullptr);
};

#endif
