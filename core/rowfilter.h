#ifndef ROWFILTER_H
#define ROWFILTER_H

#include <QAction>
#include <QHash>
#include <QList>
#include <QString>
#include <QVariant>

struct Gewichte;
class QAbstractItemModel;
class QDataStream;
class SpaltenSpeicher;
class QWidget;

// Which rows and cells an analysis counts: the dependency filter (the row's answer in a
// linked column must equal a chosen value) and the input filter (cells equal to a set
// value are left out, by default the empty text; a string list leaves out the cells
// equal to any of its texts). Every filtering view holds one and
// offers the same two menu entries; what they share lives here, so that all of them
// admit the same cells and ask the same questions.
//
// The templates take any view with depAction(), undepAction(), setDepFilter(QString,
// int), updateDiagram() and model().
class RowFilter
{
public:
    // Whether the row passes the dependency filter (every row does without one).
    bool admitsRow(const SpaltenSpeicher* m, int row) const;
    // Whether cell (row, column) of m is counted.
    bool admits(const QAbstractItemModel* m, int row, int column) const;
    // The same for the data table, reading each cell once: the cell's value (as m->data
    // gives it) goes to *value; counting loops then need not read it again.
    bool admitsCell(const SpaltenSpeicher* m, int row, int column, QVariant* value) const;

    // The text of every cell of column this filter admits, with how often it is there
    // (the frequency views' count): as admitsCell and toString() would give them.
    QHash<QString, int> countTexts(const SpaltenSpeicher* m, int column) const;
    // The same weighted: per text the sum of the weights of its rows (a text of rows
    // that all weigh 0 is there with 0). The rows counted are marked in *counted (one
    // entry per row of the table), if given.
    QHash<QString, double> weighTexts(const SpaltenSpeicher* m, int column,
                                      const Gewichte& weights, QVector<char>* counted) const;

    // The display value of a cell of the data table as the views see it (a cell that is
    // no answer, see FehlendeWerte, reads as the empty text), read from the item
    // without the model's index machinery.
    static QVariant cell(const SpaltenSpeicher* m, int row, int column);

    const QString& depValue() const { return m_depValue; }
    int depColumn() const { return m_depColumn; }
    const QVariant& inputFilter() const { return m_inputFilter; }
    // A negative column switches the dependency filter off.
    void setDependency(const QString& value, int column);
    void setInputFilter(const QVariant& v);

    // The answers the input filter leaves out, as texts: none when it is off, its text,
    // or the texts of its list.
    QStringList excluded() const;
    // Leaves out the cells equal to any of the texts (each once; a null text counts as
    // the empty one), kept as the input filter in the form older files hold where they
    // can: none as a null string (off), one as that text, several as a string list.
    void setExcluded(const QStringList& texts);
    // Whether the input filter is a list, which files before the version that added it
    // cannot hold.
    bool excludesSeveral() const;

    // The filter record: input filter, dependency value, dependency column (qint32).
    void write(QDataStream& s) const;
    // Reads a filter record. On a stream that ends early or is damaged the filter stays
    // as it was and false is returned: half a record would filter on column 0.
    bool read(QDataStream& s);

    // Lets the user link a column of model and pick (or type) the value it must hold.
    // False when there is no model or the user cancelled.
    static bool askDependency(QWidget* parent, QAbstractItemModel* model, QString* value,
                              int* column);

    // "mit Spalte verknüpfen" and "Verknüpfung aufheben", parented to the view and wired
    // to its depAction() and undepAction(), in menu order; texts through the view's tr().
    template <class Adapter>
    static QList<QAction*> createActions(Adapter* view)
    {
        auto* dep = new QAction(Adapter::tr("mit Spalte verknüpfen"), view);
        QObject::connect(dep, &QAction::triggered, view, &Adapter::depAction);
        auto* undep = new QAction(Adapter::tr("Verknüpfung aufheben"), view);
        QObject::connect(undep, &QAction::triggered, view, &Adapter::undepAction);
        return {dep, undep};
    }

    // The body of every depAction(): on confirmation the view links the column through
    // its setDepFilter and recomputes once more; a cancel keeps the link it had.
    template <class Adapter>
    static void runDepAction(Adapter* view)
    {
        QString value;
        int column = -1;
        if (!askDependency(view, view->model(), &value, &column))
            return;
        view->setDepFilter(value, column);
        view->updateDiagram();
    }

    // The body of every undepAction().
    template <class Adapter>
    static void runUndepAction(Adapter* view)
    {
        view->setDepFilter(QString(), -1);
    }

private:
    // Whether a cell with value v passes the input filter.
    bool admitsValue(const QVariant& v) const;

    // One value the input filter leaves out, with what the loops need of it.
    struct Wert {
        QVariant value;
        // A text (then a text cell is compared as text, without variant machinery).
        bool isText = true;
        // A text that no number's text can equal (no number, "nan" or "inf" in it):
        // number cells then pass without being turned into text.
        bool neverNumber = true;
    };
    static Wert wertOf(const QVariant& v);
    // Whether a cell with value v equals w as the input filter compares.
    static bool matches(const Wert& w, const QVariant& v);

    QString m_depValue;                          // null: no value chosen
    QVariant m_inputFilter = QVariant(QString(""));
    int m_depColumn = -1;
    // Derived from m_inputFilter, for the loops: the values left out (none when it
    // does not filter at all).
    QVector<Wert> m_werte{wertOf(QVariant(QString("")))};
};

#endif
