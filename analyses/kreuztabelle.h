#ifndef KREUZTABELLE_H
#define KREUZTABELLE_H

#include <QPoint>
#include <QVector>

#include "analyses/kreuztabellenrechnung.h"
#include "core/modelclient.h"
#include "core/textinhalt.h"

class QAction;
class QActionGroup;
class QLabel;
class QMimeData;
class QTableWidget;
class RecomputeScheduler;

// "Kreuztabelle": the answers of the first chosen column as rows against the answers
// of every further column as blocks of columns, with percentages, significance letters
// and each block's test of independence; weighted when the survey is.
class Kreuztabelle : public ModelClient, public TextInhalt
{
    Q_OBJECT
public:
    explicit Kreuztabelle(QWidget* parent = nullptr);

    void setModel(QStandardItemModel* m) override;
    // The percentage mode (qint32), at every record version.
    void saveData(QDataStream& s, int version) override;
    void loadData(QDataStream& s, int version) override;
    int neededVersion() const override;

    // The first column gives the rows, each further one a block of columns.
    void setSpalten(const QVector<int>& columns);
    const QVector<int>& spalten() const { return m_columns; }
    void setProzente(KreuztabellenRechnung::Prozente p);
    KreuztabellenRechnung::Prozente prozente() const { return m_prozente; }
    const KreuztabellenRechnung::Ergebnis& ergebnis() const { return m_ergebnis; }

    QString toHTML() override;
    QString toText() override;

    QTableWidget* table() const { return m_table; }
    QLabel* notes() const { return m_notes; }
    // "Spalten", "Zeilen", "Gesamt", "keine", checkable, in menu order.
    QList<QAction*> prozentActions() const;
    // What a drag out of the view carries: its HTML. The caller owns the result.
    QMimeData* createMimeData();

public slots:
    void updateDiagram();

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;

private:
    // Shows the last result in the current percentage mode.
    void zeigen();

    QVector<int> m_columns;
    KreuztabellenRechnung::Prozente m_prozente = KreuztabellenRechnung::Spalten;
    KreuztabellenRechnung::Ergebnis m_ergebnis;
    QTableWidget* m_table;
    QLabel* m_notes;
    QActionGroup* m_prozentGroup;
    QPoint m_dragStartPosition;
    RecomputeScheduler* m_recompute;
};

#endif
