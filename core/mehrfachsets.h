#ifndef MEHRFACHSETS_H
#define MEHRFACHSETS_H

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QVector>

#include "core/gewichtung.h"

class QAbstractItemModel;
class QDataStream;
class SpaltenSpeicher;
class RowFilter;

// A multiple-choice question: one column per option, in the order of the options.
struct MehrfachSet
{
    QString name;
    QVector<int> spalten;
    // An option counts as chosen when its cell equals this text; when it is empty,
    // when the cell is not empty.
    QString wert;

    bool operator==(const MehrfachSet& o) const
    {
        return name == o.name && spalten == o.spalten && wert == o.wert;
    }
    bool gewaehlt(const QString& cell) const;
};

// What a set's view shows: per option how many respondents chose it, how many chose at
// least one option (the base) and how many choices were made in all.
struct MehrfachZaehlung
{
    QStringList optionen;
    QVector<double> gewaehlt;
    double basis = 0;
    double antworten = 0;
    int befragte = 0;      // respondents in the base, unweighted: the "n = ..."
    int ohneGewicht = 0;   // respondents with a choice but no valid weight, left out

    // Per option in percent of the base and of all answers; 0 where there is none.
    QVector<double> prozentDerBasis() const;
    QVector<double> prozentDerAntworten() const;
};

// The survey's multiple-choice sets, kept beside the data table (a child object of its
// model) like the weighting; emptying the data table ends them. A set holds column
// numbers, so it follows its columns whenever columns come or go before them: every
// column command and its undo keep it on the same questions. A removed column leaves
// its sets; whoever puts it back in place restores the sets it had.
class MehrfachSets : public QObject
{
    Q_OBJECT
public:
    static MehrfachSets* of(QAbstractItemModel* model);
    // The sets of a model; none when it has none.
    static QVector<MehrfachSet> von(const QAbstractItemModel* model);
    // The set over exactly these columns; without one, a set of that name with the
    // non-empty rule.
    static MehrfachSet fuer(const QAbstractItemModel* model, const QVector<int>& spalten,
                            const QString& name = QString());

    // The set of that name over exactly these columns; false when the survey has none
    // (it was removed, or a file named one it does not hold).
    static bool finde(const QAbstractItemModel* model, const QString& name,
                      const QVector<int>& spalten, MehrfachSet* out);
    // The options' names: their column titles, without the set name in front when the
    // title starts with it.
    static QStringList optionen(const QAbstractItemModel* model, const MehrfachSet& set);

    // Counts the data table's rows, each with its weight when the survey is weighted
    // (a respondent without a valid weight is left out, as in every counting view);
    // options are named as optionen() names them.
    // With a filter, only the rows its dependency admits are counted.
    static MehrfachZaehlung zaehlen(const SpaltenSpeicher* model, const MehrfachSet& set,
                                    const Gewichte& gewichte = Gewichte(),
                                    const RowFilter* filter = nullptr);

    // The set list as the statistic file holds it: a count, then per set its name, its
    // value and its columns (a count and the numbers).
    static void write(QDataStream& s, const QVector<MehrfachSet>& sets);
    // Reads what write wrote; false when the stream ends early or a count is beyond
    // what is left. Columns outside [0, columns) are dropped.
    static bool read(QDataStream& s, int columns, QVector<MehrfachSet>* sets);

    const QVector<MehrfachSet>& sets() const { return m_sets; }
    void setSets(const QVector<MehrfachSet>& sets);
    void add(const MehrfachSet& set);

signals:
    void changed();

private:
    explicit MehrfachSets(QAbstractItemModel* model);
    void spaltenVerschoben(int first, int count, bool eingefuegt);

    QVector<MehrfachSet> m_sets;
};

#endif
