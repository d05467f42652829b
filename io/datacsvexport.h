#ifndef DATACSVEXPORT_H
#define DATACSVEXPORT_H

#include <QByteArray>
#include <QString>
#include <QVector>

class Fortschritt;
class SpaltenSpeicher;

// Writes the data table, as its widget shows the columns, in the CSV dialect the
// import reads back: a comment line, the quoted titles, then every row in model order,
// each field quoted and ";"-separated. UTF-8, "\n" line ends.
class DataCsvExport
{
public:
    // The file's bytes. The hidden columns are left out.
    static QByteArray toCsv(const SpaltenSpeicher* model, const QVector<int>& hidden,
                            Fortschritt* progress = nullptr);
    // Writes them to the file, replacing it only once it is complete; false when the
    // file cannot be written.
    static bool write(const QString& fileName, const SpaltenSpeicher* model,
                      const QVector<int>& hidden, Fortschritt* progress = nullptr);
    // A value in double quotes, its own double quotes doubled, so that the import
    // gives back the very text.
    static QString quoted(const QString& value);
};

#endif
