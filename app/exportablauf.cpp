#include "app/exportablauf.h"

#include <QSettings>

#include "app/dateiauswahl.h"
#include "core/userinput.h"
#include "io/officepaket.h"
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

namespace {
const char* const TemplateKey = "PowerPoint/Vorlage";
}

void ExportAblauf::deck(QWidget* parent, UmfrageDokument& doc)
{
    const QString name = DateiAuswahl::save(parent, DateiAuswahl::PowerPoint);
    if (name.isEmpty())
        return;
    QString why;
    if (doc.exportPptx(name, deckTemplateName(), &why))
        return;
    if (why.isEmpty())
        exportWarning(parent, false, name);
    else
        UserInput::warning(parent, tr("Export"), why);
}

void ExportAblauf::deckTemplate(QWidget* parent)
{
    QSettings settings;
    const QString name = DateiAuswahl::open(parent, DateiAuswahl::PowerPoint);
    if (name.isEmpty()) {
        settings.remove(QLatin1String(TemplateKey));
        return;
    }
    // A template that cannot serve is refused now, not at the next export.
    OfficePaket p;
    QString why;
    if (!p.lesen(name, &why)) {
        UserInput::warning(parent, tr("Export"), why);
        return;
    }
    settings.setValue(QLatin1String(TemplateKey), name);
}

QString ExportAblauf::deckTemplateName()
{
    return QSettings().value(QLatin1String(TemplateKey)).toString();
}

void ExportAblauf::workbook(QWidget* parent, UmfrageDokument& doc)
{
    const QString name = DateiAuswahl::save(parent, DateiAuswahl::Excel);
    if (!name.isEmpty())
        exportWarning(parent, doc.exportXlsx(name), name);
}
