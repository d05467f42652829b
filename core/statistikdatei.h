#ifndef STATISTIKDATEI_H
#define STATISTIKDATEI_H

#include <QString>

class Fortschritt;
class QIODevice;
class QStandardItemModel;
class SpaltenSicht;
class ViewHost;

// The statistic file: the data table with its column settings and every view with its
// five values and its own settings record, in the Qt 4.6 stream format.
class StatistikDatei
{
public:
    static constexpr qint32 Magic = qint32(0xFFAA01BB);
    // File versions, each holding more than the one before. A file is written with the
    // smallest version that holds what the state uses (versionFor): a state that uses
    // nothing newer is written byte for byte as before, and older programs, which refuse
    // a version above their own as too new, refuse only files they could not read.
    // Views get the file's version as their record version.
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

    // The version write() uses for this state: the survey's settings and every view's
    // ModelClient::neededVersion.
    static qint16 versionFor(const QStandardItemModel* model, ViewHost& views);

    // Writes the whole state: the data table, its widget's hidden columns and every view.
    // The progress, if any, is stepped with the data rows written (of the row count).
    static void write(QStandardItemModel* model, SpaltenSicht* table, ViewHost& views,
                      QIODevice* device, Fortschritt* progress = nullptr);

    enum Result { Ok, NotStatFile, TooNew, Damaged };
    struct Outcome {
        Result result = Ok;
        int rows = 0;   // data rows read completely
        int views = 0;  // views re-created
    };

    // Whether the device starts with the magic and a version that can be read (up to
    // NewestVersion); reads
    // those six bytes.
    static Result checkHeader(QIODevice* device, quint16* version);
    // Replaces the state by the rest of the file (after checkHeader). Stops at
    // the first value that could not be read completely; what was read stays. The
    // progress, if any, is stepped with the device's position (of its size) while the
    // data rows are read.
    static Outcome read(QStandardItemModel* model, SpaltenSicht* table, ViewHost& views,
                        QIODevice* device, quint16 version,
                        Fortschritt* progress = nullptr);
};

#endif
