#ifndef PLATTFORMIMPORT_H
#define PLATTFORMIMPORT_H

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>

class PlattformUmfrage;

// Tells from a file's content which survey platform exported it (Qualtrics, Google
// Forms, LimeSurvey, KoboToolbox, an Excel workbook, Triple-S) and reads it, with the
// files that belong beside it (.lss, .sps, the data of a syntax or description).
class PlattformImport
{
public:
    enum Ergebnis {
        Gelesen,         // *u holds the survey
        KeinePlattform,  // a plain data file (CSV, SPSS data): read as such; for a CSV
                         // text u->csvText and u->trenner are set
        Beschaedigt      // damaged, hostile or incomplete: nothing to read
    };
    // Picks one of several sheets of a workbook; -1 cancels.
    using BlattWahl = std::function<int(const QStringList& blaetter)>;
    // Names the structure file of a LimeSurvey export that has none beside it; empty
    // reads the codes as they are.
    using StrukturWahl = std::function<QString()>;

    static Ergebnis lesen(const QString& fileName, PlattformUmfrage* u,
                          const BlattWahl& wahl = BlattWahl(),
                          const StrukturWahl& struktur = StrukturWahl());
    // The same for bytes already read; fileName (may be empty) finds the files beside.
    static Ergebnis lesenBytes(const QByteArray& bytes, const QString& fileName,
                               PlattformUmfrage* u, const BlattWahl& wahl = BlattWahl(),
                               const StrukturWahl& struktur = StrukturWahl());
    // The records of a table (a workbook's sheet or a CSV file) by their headings.
    static Ergebnis lesenTabelle(const QList<QStringList>& records, const QString& fileName,
                                 PlattformUmfrage* u, bool ausArbeitsmappe,
                                 const StrukturWahl& struktur = StrukturWahl());
};

#endif
