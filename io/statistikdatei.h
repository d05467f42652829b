#ifndef STATISTIKDATEI_H
#define STATISTIKDATEI_H

#include <QString>
#include <QVector>

#include "core/viewrecord.h"

#include "core/dateiversion.h"

class Fortschritt;
class QIODevice;
class SpaltenSpeicher;
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
    static qint16 versionFor(const SpaltenSpeicher* model, ViewHost& views);

    // Writes the whole state: the data table, the columns hidden and every view.
    // The progress, if any, is stepped with the data rows written (of the row count).
    static void write(SpaltenSpeicher* model, const QVector<int>& hidden,
                      ViewHost& views, QIODevice* device, Fortschritt* progress = nullptr);

    enum Result { Ok, NotStatFile, TooNew, Damaged };
    // What read() found. The data went into the model; beside them the file holds the
    // hidden columns and the views, returned as records (settings at the file's
    // version, tool tips set) for the document to make.
    struct Outcome {
        Result result = Ok;
        int rows = 0;   // data rows read completely
        int views = 0;  // views made of the records (by whoever makes them)
        QVector<int> hidden;
        QVector<ViewRecord> records;   // complete ones only: a damaged one ends the list
    };

    // Whether the device starts with the magic and a version that can be read (up to
    // NewestVersion); reads
    // those six bytes.
    static Result checkHeader(QIODevice* device, quint16* version);
    // Reads the rest of the file (after checkHeader): the data and their column
    // settings into the (emptied) model, the hidden columns and the view records into
    // the outcome. Stops at the first value that could not be read completely; what was
    // read stays. A view record carries no length: its settings are measured by reading
    // them into a view of its kind that is then dropped, and a record that names no
    // view ends the list. The progress, if any, is stepped with the device's position
    // (of its size) while the data rows are read.
    static Outcome read(SpaltenSpeicher* model, QIODevice* device, quint16 version,
                        Fortschritt* progress = nullptr);
};

#endif
