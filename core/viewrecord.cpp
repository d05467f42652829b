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
    QVector<int> out;
    QVector<bool> seen(qMax(0, columnCount), false);
    bool outsideTaken = false;
    for (int c : columns) {
        if (c >= 0 && c < columnCount) {
            if (seen[c])
                continue;
            seen[c] = true;
        } else {
            if (outsideTaken)
                continue;
            outsideTaken = true;
        }
        out << c;
    }
    // {0, 0} stays a two-column view rather than turning into a one-column one.
    for (int i = 0; out.size() < qMin(2, int(columns.size())); ++i)
        out << columns.at(i);
    return out;
}

bool ViewRecord::operator==(const ViewRecord& o) const
{
    return adapterType == o.adapterType && viewType == o.viewType && columns == o.columns
        && title == o.title && notes == o.notes && settings == o.settings;
}
