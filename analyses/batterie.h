#ifndef BATTERIE_H
#define BATTERIE_H

#include <QStringList>
#include <QVector>

#include "core/gewichtung.h"
#include "diagrams/modelclient.h"
#include "diagrams/divergierendebalken.h"

class RecomputeScheduler;

// "Batterie": several rating items of one scale as diverging bars, sorted by net
// agreement (positive share minus negative share), weighted when the survey is.
class Batterie : public ModelClient
{
    Q_OBJECT
public:
    // The bars of items (their titles and one answer per row each): the shares of each
    // step of the scale the items' answers share, of the answers in the base; the share
    // put aside of all answers; top-2 and bottom-2. Answers of no step count nowhere.
    static DivergierendeBalken::Daten rechne(const QStringList& titel,
                                             const QVector<QStringList>& antworten,
                                             const Gewichte& gewichte = Gewichte());
    // The numbers as tab-separated rows: item, the steps, "weiß nicht", "Top-2",
    // "Bottom-2", "Netto", in percent.
    static QString text(const DivergierendeBalken::Daten& d);

    explicit Batterie(QWidget* parent = nullptr);
    void setModel(QStandardItemModel* m) override;
    int neededVersion() const override;
    void setSpalten(const QVector<int>& columns);
    const QVector<int>& spalten() const { return m_columns; }
    const DivergierendeBalken::Daten& daten() const { return m_balken->daten(); }
    DivergierendeBalken* balken() const { return m_balken; }
    // What the workbook and other readers of the view's numbers take.
    QString zahlen() const { return text(daten()); }

public slots:
    void updateDiagram();

private:
    QVector<int> m_columns;
    DivergierendeBalken* m_balken;
    RecomputeScheduler* m_recompute;
};

#endif
