#include "app/dateiauswahl.h"

#include <QDir>

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
    case DateiAuswahl::Statistik:
        return DateiAuswahl::tr("Statistikdateien (*.stat);;Alle Dateien (*)");
    case DateiAuswahl::StatistikNeu:
        return DateiAuswahl::tr("Statistikdateien (*.stat)");
    case DateiAuswahl::Bericht:
        return DateiAuswahl::tr("HTML (*.html)");
    }
    return QString();
}

QString titleOf(DateiAuswahl::Art art)
{
    return art == DateiAuswahl::Bericht ? DateiAuswahl::tr("Exportieren als HTML")
                                        : DateiAuswahl::tr("Datei wählen");
}
}

QString DateiAuswahl::open(QWidget* parent, Art art)
{
    return UserInput::getOpenFileName(parent, titleOf(art), QDir::homePath(),
                                      filterOf(art, true));
}

QString DateiAuswahl::save(QWidget* parent, Art art)
{
    QString name = UserInput::getSaveFileName(parent, titleOf(art), QDir::homePath(),
                                              filterOf(art, false));
    if (name.isEmpty())
        return name;
    if (art == Umfrage && !CsvReader::hasCsvEnding(name))
        name += QLatin1String(".csv");
    else if (art == Bericht && !name.endsWith(QLatin1String(".html")))
        name += QLatin1String(".html");
    return name;
}
