#ifndef CINSERTDATABLOCK_H
#define CINSERTDATABLOCK_H

#include <QList>
#include <QPointer>
#include <QUndoCommand>
#include <QVariant>
#include <QVector>

class SpaltenSpeicher;
class Fortschritt;
class Tabelle1;

// Sets many cells of the data table in one command. A column operation over a large
// survey then stays one compact step, and the views and the sorting proxy hear of it
// once per column instead of once per cell (which froze the window for minutes).
class cInsertDataBlock : public QUndoCommand
{
public:
    explicit cInsertDataBlock(SpaltenSpeicher* model, QUndoCommand* parent = nullptr);
    ~cInsertDataBlock() override;

    // Adds the cells of one column: their rows, their values before and after. newValues
    // holds one value per row, or a single value that every row gets.
    void addColumn(int column, QVector<int> rows, QVector<QVariant> oldValues,
                   QVector<QVariant> newValues);
    int cellCount() const;
    // The data-table widget whose sorting is held while a sorted column changes.
    void setTable(Tabelle1* table);

    void undo() override;
    void redo() override;

private:
    struct Cells {
        int column = 0;
        int top = 0;      // the smallest and largest of rows
        int bottom = 0;
        QVector<int> rows;
        QVector<QVariant> oldValues;
        QVector<QVariant> newValues;
    };
    void applyAll(bool forward);
    void apply(const Cells& cells, bool forward, Fortschritt& work, qint64 done);
    bool touchesSortColumn() const;

    SpaltenSpeicher* m_model;
    QList<Cells> m_columns;
    QPointer<Tabelle1> m_table;
};

#endif
