#ifndef DIAGRAMMADAPTERBASIS_H
#define DIAGRAMMADAPTERBASIS_H

#include <QString>
#include <QVector>

#include "core/diagramadapter.h"
#include "diagrams/modelclient.h"

class QAction;
class QGridLayout;
class RecomputeScheduler;
class TextInhalt;

// What the single- and the multi-column adapter bases share: the exchangeable diagram
// the adapter owns and shows filling the view, its title, the context menu with "Typ..."
// and the recomputation on cell changes. The two bases stay classes of their own, each
// with its slots: the program tells single- and multi-column views apart by their class
// names.
class DiagrammAdapterBasis : public ModelClient, public DiagramAdapter
{
    Q_OBJECT
public:
    explicit DiagrammAdapterBasis(QWidget* parent = nullptr);

    void setModel(QStandardItemModel* m) override;
    // The diagram's record (font and colours); nothing of the adapter's own.
    void saveData(QDataStream& s, int version) override;
    void loadData(QDataStream& s, int version) override;

    void setDiagram(Diagram* d) override;
    void setTitle(const QString& t) override;
    Diagram* diagram() override { return m_diagram; }

    QVector<QAction*> actionList() const { return m_actions; }
    const QString& title() const { return m_title; }
    QAction* typeAction() const { return m_typeAction; }
    // The view's text for the report and the clipboard where it says more than its
    // diagram does; null leaves it to the diagram (a table diagram's own text).
    virtual TextInhalt* viewText() { return nullptr; }

signals:
    void changeDiagram(DiagramAdapter* mda);

protected:
    void contextMenuEvent(QContextMenuEvent* e) override;
    // What a weighted view adds to its diagram's title (Gewichtung::titelZusatz); empty
    // when unweighted. The diagram is retitled only when the addition changes, so that
    // an unweighted view leaves its diagram's title to setTitle as before.
    void setTitelZusatz(const QString& zusatz);

    Diagram* m_diagram = nullptr;
    QGridLayout* m_layout;
    QString m_title;
    QVector<QAction*> m_actions;   // derived classes append theirs in menu order
    QAction* m_typeAction;
    RecomputeScheduler* m_recompute;
    QString m_titelZusatz;         // as the current diagram shows it
};

#endif
