#ifndef COLUMNSELECTDIALOG_H
#define COLUMNSELECTDIALOG_H

#include <QDialog>
#include <QList>
#include <QVector>

class QAbstractItemModel;
class QListView;
class QStandardItemModel;

// Lets the user pick one or more columns of a model by their header texts.
class ColumnSelectDialog : public QDialog
{
    Q_OBJECT
public:
    explicit ColumnSelectDialog(QWidget* parent = nullptr, Qt::WindowFlags f = Qt::WindowFlags());

    // The first selected column, or -1 when cancelled or nothing was selected.
    static int getColumn(QAbstractItemModel* model);
    // The selected columns, empty when cancelled.
    static QVector<int> getColumnList(QAbstractItemModel* model);

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
