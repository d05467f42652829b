#ifndef DATEIVERSION_H
#define DATEIVERSION_H

#include <QtGlobal>

// The versions of the statistic file, each holding more than the one before. Views get
// the file's version as their record version and name the one their settings need, so
// they live here, below the format code.
struct DateiVersion
{
    static constexpr qint16 Version = 5;          // the data table and the views
    static constexpr qint16 GewichtVersion = 6;   // + the weight column; "Kreuztabelle"
    static constexpr qint16 MehrfachVersion = 7;  // + the multiple-choice sets; "Mehrfachantworten"
    static constexpr qint16 AnzeigeVersion = 8;   // + the frequency views' order of answers
                                                  //   and answers left out (several)
    static constexpr qint16 KreuzSetVersion = 9;  // + sets in crosstabs
    static constexpr qint16 XYFilterVersion = 10;  // + a filter on XY plots
    static constexpr qint16 MehrfachAnsichtVersion = 11;  // + a filter on multiple-choice views
    static constexpr qint16 FehlendVersion = 12;  // + missing codes and recode rules of columns
    static constexpr qint16 SkalenVersion = 13;   // + NETs, means and NPS in crosstabs
    static constexpr qint16 NewestVersion = SkalenVersion;
};

#endif
