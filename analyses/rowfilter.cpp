#include "analyses/rowfilter.h"

#include <QAbstractItemModel>
#include <QCoreApplication>
#include <QDataStream>
#include <QSet>
#include <QStringList>

#include "analyses/variantvergleich.h"
#include "app/columnselectdialog.h"
#include "app/userinput.h"
#include "app/variantreader.h"

bool RowFilter::admits(const QAbstractItemModel* m, int row, int column) const
{
    if (m_depColumn >= 0) {
        // A linked column that no longer exists reads as empty text in every row.
        const QString linked = m->data(m->index(row, m_depColumn)).toString();
        if (linked != m_depValue)
            return false;
    }
    if (!VariantVergleich::isNull(m_inputFilter)
        && VariantVergleich::equals(m_inputFilter, m->data(m->index(row, column))))
        return false;
    return true;
}

void RowFilter::setDependency(const QString& value, int column)
{
    m_depValue = value;
    m_depColumn = column;
}

void RowFilter::write(QDataStream& s) const
{
    s << m_inputFilter << m_depValue << qint32(m_depColumn);
}

bool RowFilter::read(QDataStream& s)
{
    // The filter value comes from a file: read it without trusting its type or counts.
    QVariant filter;
    if (!VariantReader::read(s, filter))
        return false;
    QString value;
    qint32 column = -1;
    s >> value >> column;
    if (s.status() != QDataStream::Ok)
        return false;
    m_inputFilter = filter;
    m_depValue = value;
    m_depColumn = column;
    return true;
}

bool RowFilter::askDependency(QWidget* parent, QAbstractItemModel* model, QString* value,
                              int* column)
{
    if (!model)
        return false;
    const int linked = ColumnSelectDialog::getColumn(model);
    if (linked < 0)
        return false;
    QSet<QString> seen;
    for (int r = 0; r < model->rowCount(); ++r)
        seen.insert(model->data(model->index(r, linked)).toString());
    const QStringList values(seen.cbegin(), seen.cend());
    bool ok = false;
    const QString chosen = UserInput::getItem(
        parent, QCoreApplication::translate("RowFilter", "Filter"),
        QCoreApplication::translate("RowFilter", "Wert nach dem gefiltert werden soll"),
        values, 0, true, &ok);
    if (!ok)
        return false;
    *value = chosen;
    *column = linked;
    return true;
}
