#include "app/exportablauf.h"

#include "app/dateiauswahl.h"
#include "core/userinput.h"
#include "io/umfragedokument.h"

namespace {
void exportWarning(QWidget* parent, bool written, const QString& name)
{
    if (!written)
        UserInput::warning(parent, ExportAblauf::tr("Export"),
                           ExportAblauf::tr("Die Datei %1 konnte nicht geschrieben werden.")
                               .arg(name));
}
}

void ExportAblauf::saveView(QWidget* parent, UmfrageDokument& doc, int row)
{
    if (row < 1 || row >= doc.viewCount())
        return;
    const QString name = DateiAuswahl::save(parent, DateiAuswahl::Bild);
    if (!name.isEmpty())
        exportWarning(parent, doc.exportViewPicture(row, name), name);
}

void ExportAblauf::reportPdf(QWidget* parent, UmfrageDokument& doc)
{
    const QString name = DateiAuswahl::save(parent, DateiAuswahl::BerichtPdf);
    if (!name.isEmpty())
        exportWarning(parent, doc.exportPDF(name), name);
}

void ExportAblauf::workbook(QWidget* parent, UmfrageDokument& doc)
{
    const QString name = DateiAuswahl::save(parent, DateiAuswahl::Excel);
    if (!name.isEmpty())
        exportWarning(parent, doc.exportXlsx(name), name);
}
