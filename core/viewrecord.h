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
    // What the view list shows on pointing at the view; empty for none. Not part of
    // what the view is (not compared).
    QString toolTip;

    // The view list keeps columns as decimal texts.
    QStringList columnTexts() const;
    static QVector<int> columnsFromTexts(const QStringList& texts);

    // Longest column list that a file may give for any table.
    static constexpr int MaxColumns = 1000;

    // A column list that a file gave, as the view is made from it: as written (repeats
    // and columns beyond the table included, for a template may serve a wider table)
    // when it has at most MaxColumns entries, or names each column of a table of
    // columnCount columns at most once, as a selection does. Otherwise empty, which
    // makes no view: the work of a view grows with the length of its list.
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
