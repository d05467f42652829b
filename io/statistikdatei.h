#ifndef STATISTIKDATEI_H
#define STATISTIKDATEI_H

#include <QString>

#include "core/dateiversion.h"

class Fortschritt;
class QIODevice;
class QStandardItemModel;
class SpaltenSicht;
class ViewHost;

// The statistic file: the data table with its column settings and every view with its
// five values and its own settings record, in the Qt 4.6 stream format.
class StatistikDatei : public DateiVersion
{
public:
    static constexpr qint32 Magic = qint32(0xFFAA01BB);
    // A file is written with the smallest version (DateiVersion) that holds what the
    // state uses (versionFor): a state that uses nothing newer is written byte for byte as
    // before, and older programs, which refuse a version above their own as too new,
    // refuse only files they could not read.
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
