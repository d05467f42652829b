#ifndef VIEWRECORD_H
#define VIEWRECORD_H

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariant>
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

    // A column list that a file gave: repeated entries are dropped (no dialog makes
    // them) and columns beyond a table of columnCount columns count once, so that the
    // work of the view stays bounded by the table whatever the list says. A list of
    // two or more entries keeps two, so that the view stays of its kind.
    static QVector<int> boundedColumns(const QVector<int>& columns, int columnCount);

    // A row of the view list as it stands, for the formats that write it unchanged: a
    // page that was only appended keeps its adapter type false and no columns, and a
    // restored file may have left other variant types.
    struct Stored {
        QVariant title;
        QVariant adapterType;
        QVariant columns;
        QVariant viewType;
        QVariant notes;
        QString category;
    };

    bool operator==(const ViewRecord& o) const;
    bool operator!=(const ViewRecord& o) const { return !(*this == o); }
};

#endif
