#include "analyses/adaptermenu.h"

#include <QMenu>

#include "diagrams/menurunner.h"
#include "diagrams/diagram.h"

void AdapterMenu::exec(QAction* typeAction, bool listening, const QVector<QAction*>& actions,
                       const Diagram* diagram, const QPoint& globalPos)
{
    QMenu menu;
    if (listening) {
        menu.addAction(typeAction);
        menu.addSeparator();
    }
    for (QAction* a : actions)
        menu.addAction(a);
    menu.addSeparator();
    if (diagram) {
        const QVector<QAction*> own = diagram->actionList();
        for (QAction* a : own)
            menu.addAction(a);
    }
    MenuRunner::exec(&menu, globalPos);
}
