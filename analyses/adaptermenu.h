#ifndef ADAPTERMENU_H
#define ADAPTERMENU_H

#include <QVector>

class QAction;
class QPoint;
class Diagram;

// The context menu of every adapter, single- or multi-column: "Typ..." and a separator
// when the main window listens, the adapter's own actions, a separator, the diagram's
// actions.
class AdapterMenu
{
public:
    static void exec(QAction* typeAction, bool listening, const QVector<QAction*>& actions,
                     const Diagram* diagram, const QPoint& globalPos);
};

#endif
