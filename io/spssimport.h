#ifndef SPSSIMPORT_H
#define SPSSIMPORT_H

#include <QList>
#include <QString>
#include <QStringList>

class QIODevice;
class SpaltenSpeicher;

// Reads an SPSS data file (.sav, .zsav) into the data table's form: a variable's label
// becomes its column title (its name where it has none), a value's label the answer
// (the code where the value has none); a user-missing value keeps its label (or code)
// and becomes a missing code of its column, a system-missing value an empty cell; numbers without labels are written as their exact decimal text, as a CSV
// file would hold them.
class SpssImport
{
public:
    struct Tabelle {
        QStringList titles;
        QList<QStringList> rows;
        QVector<QStringList> fehlend;   // per column: its user-missing answers as met
    };
    // Whether the name ends in ".sav" or ".zsav" (any case).
    static bool isSpssFile(const QString& fileName);
    // Reads the whole file before anything is handed out: false (and nothing in *out)
    // for a file that is damaged, hostile or no SPSS file at all.
    static bool read(QIODevice& in, Tabelle* out);
    // Replaces the content of the (already emptied) model by the table.
    static void fill(const Tabelle& t, SpaltenSpeicher* model);
};

#endif
