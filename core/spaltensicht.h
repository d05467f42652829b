#ifndef SPALTENSICHT_H
#define SPALTENSICHT_H

#include <QObject>
#include <QVector>

class SpaltenSpeicher;

// How the data table's columns are shown, apart from any widget: which columns are
// hidden (kept with the survey and written to the statistic file), and whether the
// table is being filled in bulk. The document keeps one; a table widget follows its
// signals. The hidden flags follow the data table's columns as they come and go.
class SpaltenSicht : public QObject
{
    Q_OBJECT
public:
    explicit SpaltenSicht(SpaltenSpeicher* model, QObject* parent = nullptr);

    // False for a column the data table does not have.
    bool isHidden(int column) const;
    void setHidden(int column, bool hidden);
    // One flag per column of the data table.
    const QVector<bool>& hidden() const { return m_hidden; }

    // While one lives, a table widget lets go of the data table, so that filling it row
    // by row costs no re-sort per row. Only the outermost of nested ones counts.
    class Fuellung
    {
    public:
        explicit Fuellung(SpaltenSicht* s); // null: holds nothing
        ~Fuellung();
        Fuellung(const Fuellung&) = delete;
        Fuellung& operator=(const Fuellung&) = delete;

    private:
        SpaltenSicht* m_s;
    };
    bool isFilling() const { return m_fills > 0; }

signals:
    void hiddenChanged(int column, bool hidden);
    void fillStarted();
    void fillFinished();

private:
    void resetToModel();

    SpaltenSpeicher* m_model;
    QVector<bool> m_hidden;
    int m_fills = 0;
};

#endif
