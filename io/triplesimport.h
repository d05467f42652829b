#ifndef TRIPLESIMPORT_H
#define TRIPLESIMPORT_H

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

class PlattformUmfrage;
class QIODevice;

// A survey in the market-research interchange format: an XML description (.sss) of the
// variables (name, label, type single/multiple/quantity/character/logical, position,
// value labels) and a data file beside it, fixed-width or CSV.
class TripleSImport
{
public:
    struct Variable {
        QString name;
        QString label;
        QString typ;     // "single", "multiple", "quantity", "character", "logical"
        int start = 0;   // 1-based: a character position, or a field number for CSV
        int ende = 0;
        int spread = 0;  // a multiple's subfields of codes; 0: one flag per value
        int breite = 0;  // width of one subfield
        QStringList codes;
        QStringList labels;
    };
    struct Metadaten {
        QVector<Variable> variablen;
        bool csv = false;
        QString datenDatei;  // named in the description, if at all
    };

    static bool erkennt(const QByteArray& anfang);
    // False for a description that is damaged or describes nothing.
    static bool leseMetadaten(QIODevice& in, Metadaten* out);
    // The data file beside the description: named there, else the same name with
    // ".asc", ".dat", ".csv" or ".txt".
    static QString datenDatei(const QString& sssDatei, const Metadaten& m);
    // False when the description would make an unbounded number of columns.
    static bool lesen(const Metadaten& m, const QString& daten, PlattformUmfrage* u);
};

#endif
