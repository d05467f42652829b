#include "app/dateiauswahl.h"

#include <QDir>
#include <QRegularExpression>

#include "core/csvreader.h"
#include "core/userinput.h"

namespace {
QString filterOf(DateiAuswahl::Art art, bool reading)
{
    switch (art) {
    case DateiAuswahl::Umfrage:
        return reading ? DateiAuswahl::tr("Datendateien (*.csv);;Alle Dateien (*)") : DateiAuswahl::tr("Datendateien (*.csv)");
    case DateiAuswahl::SurveyMonkey:
        return DateiAuswahl::tr("SurveyMonkey-Dateien (*.csv);;Alle Dateien (*)");
    case DateiAuswahl::Spss:
        return DateiAuswahl::tr("SPSS-Dateien (*.sav *.zsav);;Alle Dateien (*)");
    case DateiAuswahl::Statistik:
        return DateiAuswahl::tr("Statistikdateien (*.stat);;Alle Dateien (*)");
    case DateiAuswahl::StatistikNeu:
        return DateiAuswahl::tr("Statistikdateien (*.stat)");
    case DateiAuswahl::Bericht:
        return DateiAuswahl::tr("HTML (*.html)");
    case DateiAuswahl::BerichtPdf:
        return DateiAuswahl::tr("PDF (*.pdf)");
    case DateiAuswahl::Excel:
        return DateiAuswahl::tr("Excel (*.xlsx)");
    case DateiAuswahl::PowerPoint:
        return DateiAuswahl::tr("PowerPoint (*.pptx)");
    case DateiAuswahl::Bild:
        return DateiAuswahl::tr("PNG (*.png);;SVG (*.svg);;PDF (*.pdf)");
    case DateiAuswahl::Alles:
        return DateiAuswahl::tr("Umfragen (*.stat *.csv *.xlsx *.sss *.sps *.sav *.zsav);;"
                                "Alle Dateien (*)");
    }
    return QString();
}

QString titleOf(DateiAuswahl::Art art, bool reading)
{
    switch (art) {
    case DateiAuswahl::Bericht:
        return DateiAuswahl::tr("Exportieren als HTML");
    case DateiAuswahl::BerichtPdf:
        return DateiAuswahl::tr("Exportieren als PDF");
    case DateiAuswahl::Bild:
        return DateiAuswahl::tr("Ansicht speichern als");
    case DateiAuswahl::Excel:
        return DateiAuswahl::tr("Exportieren als Excel");
    case DateiAuswahl::PowerPoint:
        return reading ? DateiAuswahl::tr("Vorlage wählen")
                       : DateiAuswahl::tr("Exportieren als PowerPoint");
    default:
        return DateiAuswahl::tr("Datei wählen");
    }
}
}

QString DateiAuswahl::open(QWidget* parent, Art art)
{
    return UserInput::getOpenFileName(parent, titleOf(art, true), QDir::homePath(),
                                      filterOf(art, true));
}

QString DateiAuswahl::save(QWidget* parent, Art art)
{
    QString name = UserInput::getSaveFileName(parent, titleOf(art, false), QDir::homePath(),
                                              filterOf(art, false));
    if (name.isEmpty())
        return name;
    if (art == Umfrage && !CsvReader::hasCsvEnding(name))
        name += QLatin1String(".csv");
    else if (art == Bericht && !name.endsWith(QLatin1String(".html")))
        name += QLatin1String(".html");
    else if (art == BerichtPdf && !name.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        name += QLatin1String(".pdf");
    else if (art == Excel && !name.endsWith(QLatin1String(".xlsx"), Qt::CaseInsensitive))
        name += QLatin1String(".xlsx");
    else if (art == PowerPoint && !name.endsWith(QLatin1String(".pptx"), Qt::CaseInsensitive))
        name += QLatin1String(".pptx");
    else if (art == Bild && !name.contains(QRegularExpression(
                 QStringLiteral("\\.(png|svg|pdf)$"), QRegularExpression::CaseInsensitiveOption)))
        name += QLatin1String(".png");
    return name;
}
