#ifndef GEWICHTUNG_H
#define GEWICHTUNG_H

#include <QObject>
#include <QPointer>
#include <QString>
#include <QVector>

class QAbstractItemModel;
class SpaltenSpeicher;
class QVariant;

// The weight of every respondent as the counting views use it: one value per row of
// the data table, 0 for a row whose weight is not a number >= 0.
struct Gewichte
{
    int spalte = -1;         // the column of the weights; -1: unweighted
    QString titel;           // that column's title
    QVector<double> werte;   // per row; 0 where the weight is not valid
    QVector<char> gueltig;   // per row

    bool aktiv() const { return spalte >= 0; }
    // The weight of row r: 1 when unweighted.
    double at(int r) const
    {
        if (!aktiv())
            return 1.0;
        return r >= 0 && r < werte.size() ? werte.at(r) : 0.0;
    }
    bool gueltigAt(int r) const
    {
        return !aktiv() || (r >= 0 && r < gueltig.size() && gueltig.at(r));
    }
    // How many of the rows marked in counted (one entry per row) have no valid weight.
    int ungueltigUnter(const QVector<char>& counted) const;

    // Weights from raw values (tests and callers with numbers at hand): a value that is
    // not finite or below 0 is not valid.
    static Gewichte ausWerten(const QVector<double>& roh, const QString& titel, int spalte = 0);
    // Whether a cell holds a valid weight, and which.
    static bool zahl(const QVariant& cell, double* value);
};

// The survey's weighting: which column of the data table holds the weights, if any.
// Kept beside the data table (a child object of its model), so that every view reaches
// it from the model it counts; views follow its changes like cell changes. Emptying the
// data table (new data, a load) ends the weighting.
class Gewichtung : public QObject
{
    Q_OBJECT
public:
    // The weighting of a model, made on first use.
    static Gewichtung* of(QAbstractItemModel* model);
    // The weight column of a model: -1 when there is none, or when the stored column is
    // not in the table (a column taken away by an undo weights nothing until it is back).
    static int spalteVon(const QAbstractItemModel* model);
    // The weights of every row of the model, read from the weight column.
    static Gewichte gewichte(const SpaltenSpeicher* model);

    // What a weighted view says of itself: "gewichtet mit <Spalte>", and how many of
    // its respondents have no valid weight when there are such.
    static QString hinweis(const QString& titel, int ohneGewicht);
    static QString ohneGewichtText(int ohneGewicht);
    // The same as an addition to a diagram's title: " (gewichtet mit ...)".
    static QString titelZusatz(const QString& titel, int ohneGewicht);
    // What a view that counts unweighted in a weighted survey adds to its title:
    // " (ungewichtet)".
    static QString ungewichtetZusatz();

    int spalte() const;
    int gespeicherteSpalte() const { return m_spalte; }
    // A negative column ends the weighting.
    void setSpalte(int column);

signals:
    void changed();

private:
    explicit Gewichtung(QAbstractItemModel* model);

    QPointer<QAbstractItemModel> m_model;
    int m_spalte = -1;
};

#endif
