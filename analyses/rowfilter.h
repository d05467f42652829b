#ifndef ROWFILTER_H
#define ROWFILTER_H

#include <QString>
#include <QVariant>

class QAbstractItemModel;
class QDataStream;
class QWidget;

// Which rows and cells an analysis counts: the dependency filter (the row's answer in a
// linked column must equal a chosen value) and the input filter (cells equal to a set
// value are left out, by default the empty text). Every filtering view holds one.
class RowFilter
{
public:
    // Whether cell (row, column) of m is counted.
    bool admits(const QAbstractItemModel* m, int row, int column) const;

    const QString& depValue() const { return m_depValue; }
    int depColumn() const { return m_depColumn; }
    const QVariant& inputFilter() const { return m_inputFilter; }
    // A negative column switches the dependency filter off.
    void setDependency(const QString& value, int column);
    void setInputFilter(const QVariant& v) { m_inputFilter = v; }

    // The filter record: input filter, dependency value, dependency column (qint32).
    void write(QDataStream& s) const;
    // Reads a filter record. On a stream that ends early or is damaged the filter stays
    // as it was and false is returned.
    bool read(QDataStream& s);

    // Lets the user link a column of model and pick (or type) the value it must hold.
    // False when there is no model or the user cancelled.
    static bool askDependency(QWidget* parent, QAbstractItemModel* model, QString* value,
                              int* column);

private:
    QString m_depValue;                          // null: no value chosen
    QVariant m_inputFilter = QVariant(QString(""));
    int m_depColumn = -1;
};

#endif
