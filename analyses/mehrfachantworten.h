#ifndef MEHRFACHANTWORTEN_H
#define MEHRFACHANTWORTEN_H

#include <QVector>

#include "core/mehrfachsets.h"
#include "core/modelclient.h"

class Diagram;
class QGridLayout;
class RecomputeScheduler;

// "Mehrfachantworten": one multiple-choice set (the view's columns) as one question,
// a bar per option with the share of the respondents who chose at least one option.
// Any diagram type of the frequency views can show it; the table also shows the
// counts and the shares of all answers.
class Mehrfachantworten : public ModelClient
{
    Q_OBJECT
public:
    explicit Mehrfachantworten(QWidget* parent = nullptr);

    void setModel(QStandardItemModel* m) override;
    // The diagram type name, then the diagram's record, at every record version.
    void saveData(QDataStream& s, int version) override;
    void loadData(QDataStream& s, int version) override;
    int neededVersion() const override;

    void setSpalten(const QVector<int>& columns);
    const QVector<int>& spalten() const { return m_columns; }
    // Replaces the diagram by one of the type named; false for an unknown name.
    bool setDiagramTyp(const QString& name);
    const QString& diagramTyp() const { return m_diagramTyp; }
    Diagram* diagram() const { return m_diagram; }
    const MehrfachZaehlung& zaehlung() const { return m_zaehlung; }
    // "n = <base>"
    QString basisText() const;

public slots:
    void updateDiagram();

protected:
    void contextMenuEvent(QContextMenuEvent* e) override;

private:
    QVector<int> m_columns;
    QString m_diagramTyp;
    Diagram* m_diagram = nullptr;
    QGridLayout* m_layout;
    MehrfachZaehlung m_zaehlung;
    RecomputeScheduler* m_recompute;
};

#endif
