#include "core/viewrecord.h"

QStringList ViewRecord::columnTexts() const
{
    QStringList out;
    out.reserve(columns.size());
    for (int c : columns)
        out << QString::number(c);
    return out;
}

QVector<int> ViewRecord::columnsFromTexts(const QStringList& texts)
{
    QVector<int> out;
    out.reserve(texts.size());
    for (const QString& t : texts)
        out << t.toInt();
    return out;
}

QVector<int> ViewRecord::boundedColumns(const QVector<int>& columns, int columnCount)
{
    if (columns.size() <= MaxColumns)
        return columns;
    QVector<bool> seen(qMax(0, columnCount), false);
    for (int c : columns) {
        if (c < 0 || c >= columnCount || seen[c])
            return {};
        seen[c] = true;
    }
    return columns;
}

bool ViewRecord::operator==(const ViewRecord& o) const
{
    return adapterType == o.adapterType && viewType == o.viewType && columns == o.columns
        && title == o.title && notes == o.notes && settings == o.settings;
}
