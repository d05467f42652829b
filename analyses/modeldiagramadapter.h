#ifndef MODELDIAGRAMADAPTER_H
#define MODELDIAGRAMADAPTER_H

#include <QString>
#include <QVector>

#include "core/diagramadapter.h"
#include "core/modelclient.h"

class QAction;
class QGridLayout;
class RecomputeScheduler;

// Base of the views that evaluate one column of the data table and feed the result
// into an exchangeable diagram, which the adapter owns and shows filling the view.
class ModelDiagramAdapter : public ModelClient, public DiagramAdapter
{
    Q_OBJECT
public:
    explicit ModelDiagramAdapter(QWidget* parent = nullptr);

    void setModel(QStandardItemModel* m) override;
    // The diagram's record (font and colours); nothing of the adapter's own.
    void saveData(QDataStream& s, int version) override;
    void loadData(QDataStream& s, int version) override;

    void setDiagram(Diagram* d) override;
    void setTitle(const QString& t) override;
    Diagram* diagram() override { return m_diagram; }

    void setModelColumn(int c);
    int modelColumn() const { return m_modelColumn; }
    QVector<QAction*> actionList() const { return m_actions; }
    const QString& title() const { return m_title; }
    QAction* typeAction() const { return m_typeAction; }

signals:
    void changeDiagram(DiagramAdapter* mda);

public slots:
    void updateDiagram() override = 0;
    void typAction();

protected:
    void contextMenuEvent(QContextMenuEvent* e) override;
    // What a weighted view adds to its diagram's title (Gewichtung::titelZusatz); empty
    // when unweighted. The diagram is retitled only when the addition changes, so that
    // an unweighted view leaves its diagram's title to setTitle as before.
    void setTitelZusatz(const QString& zusatz);

    Diagram* m_diagram = nullptr;
    int m_modelColumn = 0;
    QGridLayout* m_layout;
    QString m_title;
    QVector<QAction*> m_actions;   // derived classes append theirs in menu order
    QAction* m_typeAction;
    RecomputeScheduler* m_recompute;
    QString m_titelZusatz;         // as the current diagram shows it
};

#endif
