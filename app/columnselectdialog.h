#ifndef COLUMNSELECTDIALOG_H
#define COLUMNSELECTDIALOG_H

#include <QDialog>
#include <QList>

class QAbstractItemModel;
class QListView;
class QStandardItemModel;

// Lets the user pick one or more columns of a model by their header texts. Asked through
// UserInput (getColumn, getColumnList), never directly.
class ColumnSelectDialog : public QDialog
{
    Q_OBJECT
public:
    explicit ColumnSelectDialog(QWidget* parent = nullptr, Qt::WindowFlags f = Qt::WindowFlags());

    void setModel(QAbstractItemModel* model);
    QList<int> columns();

    // The header texts offered, one per column (what the user reads).
    QStringList columnTitles() const;
    // Selects exactly the given rows (used when answers come from a script).
    void selectColumns(const QList<int>& rows);

public slots:
    void updateList();

private:
    QStandardItemModel* m_list;
    QAbstractItemModel* m_source = nullptr;
    QListView* m_view;
};

#endif
