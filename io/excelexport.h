#ifndef EXCELEXPORT_H
#define EXCELEXPORT_H

#include <QString>
#include <QStringList>
#include <QVector>

#include "io/ansichtszahlen.h"

class Fortschritt;
class SpaltenSpeicher;
class ViewHost;

// The survey as an Excel workbook: a sheet "Daten" with the data table as its widget
// shows the columns, then a sheet per view. Tables become cells (a crosstab's counts,
// percentages and letters each in a cell of their own); bar, pie and stacked charts
// become cells with an Excel chart over them, so that they stay editable there.
class ExcelExport
{
public:
    // Writes the workbook, replacing the file only once it is complete; false when
    // it could not be written.
    static bool write(const QString& fileName, const SpaltenSpeicher* model,
                      const QVector<int>& hidden, ViewHost& views,
                      Fortschritt* progress = nullptr);
    // Sheet names from titles: at most 31 characters, none of []:*?/\, no apostrophe
    // at either end, unique regardless of case ("Daten" is taken by the data).
    // A chart's grid alone as a workbook of one sheet: the data behind a chart that
    // another office file embeds.
    static bool writeChartData(const QString& fileName, const AnsichtsZahlen::Diagrammdaten& g,
                               const QString& sheet);
    static QStringList sheetNames(const QStringList& titles);
};

#endif
