#ifndef DATEIAUSWAHL_H
#define DATEIAUSWAHL_H

#include <QCoreApplication>
#include <QString>

class QWidget;

// The file dialogs of the window's commands, their titles and filters in one place.
// They start in the home folder.
class DateiAuswahl
{
    // The texts keep the translation context they had in the window.
    Q_DECLARE_TR_FUNCTIONS(View)

public:
    enum Art {
        Umfrage,       // a CSV survey or views file to read, a data or views CSV to write
        SurveyMonkey,  // a SurveyMonkey export to read
        Spss,          // an SPSS data file to read
        Statistik,     // a statistic file to open or to save
        StatistikNeu,  // "Speichern als...": a new statistic file
        Bericht,       // the HTML report
        BerichtPdf,    // the report as PDF
        Excel,         // the workbook of data and views
        PowerPoint,    // the deck of the views, or its template
        Bild,          // one view as PNG, SVG or PDF
        Alles          // a statistic file or a survey file of any platform to read
    };

    // A file to read; empty when cancelled.
    static QString open(QWidget* parent, Art art);
    // A file to write; empty when cancelled. CSV files, reports and pictures get their
    // ending when it is missing (a picture's is ".png") (a statistic file's is added by whoever writes it).
    static QString save(QWidget* parent, Art art);
};

#endif
