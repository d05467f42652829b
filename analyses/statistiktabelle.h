#ifndef STATISTIKTABELLE_H
#define STATISTIKTABELLE_H

#include <QPoint>
#include <QVector>

#include "analyses/spaltenstatistik.h"
#include "core/rowfilter.h"
#include "diagrams/modelclient.h"
#include "core/textinhalt.h"

class QAction;
class QLabel;
class QMimeData;
class QTableWidget;
class RecomputeScheduler;

// "Statistik": minimum, maximum, median, sum, mean, the shares of empty and counted
// cells, the standard deviation and n of each chosen column, read as numbers, under the
// shared row filters. In a weighted survey median, sum, mean and deviation are weighted
// and a line under the table says so.
class StatistikTabelle : public ModelClient, public TextInhalt
{
    Q_OBJECT
public:
    explicit StatistikTabelle(QWidget* parent = nullptr);

    void setModel(QStandardItemModel* m) override;
    // From record version 3 on the filter record; nothing before.
    void saveData(QDataStream& s, int version) override;
    void loadData(QDataStream& s, int version) override;

    void setSpalten(const QVector<int>& columns);
    const QVector<int>& spalten() const { return m_columns; }
    void setDepFilter(QString value, int column);
    void setInputFilter(const QVariant& v);
    const RowFilter& rowFilter() const { return m_filter; }

    QString toHTML() override;
    QString toText() override;

    QTableWidget* table() const { return m_table; }
    // The figures per table column, as last computed (the workbook writes them in full).
    const QVector<SpaltenStatistik::Kennzahlen>& kennzahlen() const { return m_kennzahlen; }
    // What the line under the table says ("gewichtet mit ..."); empty when unweighted.
    const QString& hinweis() const { return m_hinweis; }
    QAction* linkAction() const { return m_linkAction; }
    QAction* unlinkAction() const { return m_unlinkAction; }
    // What a drag out of the view carries: its HTML. The caller owns the result.
    QMimeData* createMimeData();

public slots:
    void updateDiagram();
    void depAction();
    void undepAction();

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;

private:
    QVector<int> m_columns;
    QTableWidget* m_table;
    QLabel* m_hinweisLabel;
    QString m_hinweis;
    QVector<SpaltenStatistik::Kennzahlen> m_kennzahlen;
    QPoint m_dragStartPosition;
    RowFilter m_filter;
    QAction* m_linkAction;
    QAction* m_unlinkAction;
    RecomputeScheduler* m_recompute;
};

#endif
