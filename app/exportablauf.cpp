#include "app/exportablauf.h"

#include <QSettings>

#include "app/dateiauswahl.h"
#include "app/ergebnisanzeige.h"
#include "core/userinput.h"
#include "io/officepaket.h"
#include "io/umfragedokument.h"


void ExportAblauf::saveView(QWidget* parent, UmfrageDokument& doc, int row)
{
    if (row < 1 || row >= doc.viewCount())
        return;
    const QString name = DateiAuswahl::save(parent, DateiAuswahl::Bild);
    if (!name.isEmpty())
        ErgebnisAnzeige::zeigen(parent, doc.exportViewPicture(row, name));
}

void ExportAblauf::reportPdf(QWidget* parent, UmfrageDokument& doc)
{
    const QString name = DateiAuswahl::save(parent, DateiAuswahl::BerichtPdf);
    if (!name.isEmpty())
        ErgebnisAnzeige::zeigen(parent, doc.exportPDF(name));
}

namespace {
const char* const TemplateKey = "PowerPoint/Vorlage";
}

void ExportAblauf::deck(QWidget* parent, UmfrageDokument& doc)
{
    const QString name = DateiAuswahl::save(parent, DateiAuswahl::PowerPoint);
    if (name.isEmpty())
        return;
    ErgebnisAnzeige::zeigen(parent, doc.exportPptx(name, deckTemplateName()));
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
        ErgebnisAnzeige::zeigen(parent, doc.exportXlsx(name));
}
