#ifndef VIEWRECORD_H
#define VIEWRECORD_H

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

// Everything that re-creates a view: its five values and its own settings record
// (the bytes of saveData at some record version). Removal and its undo, duplication,
// the statistic file, the views CSV, the demonstration views and the report all
// pass views around as records.
class ViewRecord
{
public:
    QString adapterType;
    QString viewType;
    QVector<int> columns;
    QString title;
    QString notes;
    QByteArray settings;

    // The view list keeps columns as decimal texts.
    QStringList columnTexts() const;
    static QVector<int> columnsFromTexts(const QStringList& texts);

    bool operator==(const ViewRecord& o) const;
    bool operator!=(const ViewRecord& o) const { return !(*this == o); }
};

#endif
