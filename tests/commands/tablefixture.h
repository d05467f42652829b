#ifndef TABLEFIXTURE_H
#define TABLEFIXTURE_H

#include <QItemSelectionModel>
#include <QSortFilterProxyModel>
#include "core/spaltenspeicher.h"
#include <QTableView>
#include <QUndoStack>
#include <memory>

#include "core/tablecontext.h"
#include "core/spaltensicht.h"
#include "diagrams/tabelle1.h"
#include "testutil.h"

// Selects whole columns of the data table's view in the given order.
inline void selectColumns(Tabelle1* t, const QVector<int>& columns)
{
    QItemSelectionModel* sel = t->table()->selectionModel();
    sel->clearSelection();
    for (int c : columns)
        sel->select(t->table()->model()->index(0, c),
                    QItemSelectionModel::Select | QItemSelectionModel::Columns);
}

// A data table with its widget and undo stack, as the main window holds them.
struct TableFixture
{
    TableFixture(const QStringList& headers, const QList<QStringList>& rows)
        : model(TestUtil::makeModel(headers, rows))
        , spalten(std::make_unique<SpaltenSicht>(model.get()))
    {
        table.setModel(model.get());
        table.setSpalten(spalten.get());
    }

    // The context with these columns selected in the widget.
    TableContext context(const QVector<int>& columns)
    {
        selectColumns(&table, columns);
        TableContext c;
        c.model = model.get();
        c.spalten = spalten.get();
        c.table = &table;
        c.undo = &undo;
        const QModelIndexList sel = table.table()->selectionModel()->selectedColumns(0);
        for (const QModelIndex& i : sel)
            c.columns << i.column();
        return c;
    }

    QString cell(int r, int c) const { return model->data(model->index(r, c)).toString(); }
    QVariant value(int r, int c) const { return model->data(model->index(r, c)); }
    QString header(int c, int role = Qt::DisplayRole) const
    {
        return model->headerData(c, Qt::Horizontal, role).toString();
    }

    std::unique_ptr<SpaltenSpeicher> model;
    std::unique_ptr<SpaltenSicht> spalten;
    Tabelle1 table;
    QUndoStack undo;
};

#endif
