#ifndef ANSICHTSZAHLEN_H
#define ANSICHTSZAHLEN_H

#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVector>

class Diagram;
class Kreuztabelle;

// A view's numbers as the office exports (workbook, deck) hand them on: the one place
// that knows how a chart's values, a crosstab's cells or a text table lay out in a grid,
// so that a sheet and a slide show the same numbers.
class AnsichtsZahlen
{
public:
    // The native chart kinds an office program draws itself.
    enum Art { KeinDiagramm, Saeulen, Balken, Gestapelt100, Torte };
    // What a number is, for its number format: a count (whole or not), a sum of weights
    // (one decimal), or a percentage (given in percent).
    enum Format { Zahl, Gewichtet, Prozent };

    struct Zelle {
        QString text;
        double zahl = 0;
        bool istZahl = false;
        Format format = Zahl;
    };
    // Rows of cells; hinweise are the lines that belong under the table.
    struct Raster {
        QVector<QVector<Zelle>> zeilen;
        QStringList hinweise;
        void text(int row, int col, const QString& t);
        void zahl(int row, int col, double v, Format f = Zahl);
        int spalten() const;
    };

    // A chart as a grid: a row per category (kategorien), a column per row of values
    // (reihen); werte[r][k] is row r's value of category k.
    struct Diagrammdaten {
        Art art = KeinDiagramm;
        Format format = Zahl;
        QStringList kategorien;
        QStringList reihen;
        QVector<QVector<double>> werte;
        // Colour of value k of row r, as the diagram paints it.
        QVector<QVector<QColor>> farben;
        bool leer() const { return kategorien.isEmpty() || reihen.isEmpty(); }
    };

    // The chart's kind by its diagram type; KeinDiagramm for the others.
    static Art artOf(const Diagram& d);
    // The chart's grid; title names the single row of a chart without row labels.
    static Diagrammdaten diagramm(const Diagram& d, const QString& title);
    // What kind of numbers a diagram holds.
    static Format formatOf(const Diagram& d);
    // A crosstab: per column shown three cells, count, percentage and letters, the base
    // row, the rating-scale rows, and its weighting and test lines as hinweise.
    static Raster kreuztabelle(const Kreuztabelle& k);
    // Any other table: its tab-separated text, a cell per field, read as numbers by
    // whoever writes them.
    static Raster text(const QString& tsv);
};

#endif
