#ifndef MODELMULTIDIAGRAMADAPTER_H
#define MODELMULTIDIAGRAMADAPTER_H

#include <QString>
#include <QVector>

#include "core/diagramadapter.h"
#include "core/modelclient.h"

class QAction;
class QGridLayout;
class RecomputeScheduler;

// Base of the views that evaluate several columns of the data table at once and feed
// the result into one exchangeable diagram, which the adapter owns. A sibling of the
// single-column base, not derived from it: the main window tells them apart by name.
class ModelMultiDiagramAdapter : public ModelClient, public DiagramAdapter
{
    Q_OBJECT
public:
    explicit ModelMultiDiagramAdapter(QWidget* parent = nullptr);

    void setModel(QStandardItemModel* m) override;
    // The diagram's record (font and colours); nothing of the adapter's own.
    void saveData(QDataStream& s, int version) override;
    void loadData(QDataStream& s, int version) override;

    void setDiagram(Diagram* d) override;
    void setTitle(const QString& t) override;
    Diagram* diagram() override { return m_diagram; }

    // The columns in the user's order; the output follows it.
    void setSpalten(const QVector<int>& columns);
    const QVector<int>& spalten() const { return m_columns; }
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
    QGridLayout* m_layout;
    QString m_title;
    QVector<int> m_columns;
    QVector<QAction*> m_actions;   // derived classes append theirs in menu order
    QAction* m_typeAction;
    RecomputeScheduler* m_recompute;
    QString m_titelZusatz;         // as the current diagram shows it
};

#endif
