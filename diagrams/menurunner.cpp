#include "diagrams/menurunner.h"

#include <QAction>
#include <QMenu>

#include "core/userinput.h"
#include "core/userinputevents.h"
#include "diagrams/modelclient.h"

QAction* MenuRunner::exec(QMenu* menu, const QPoint& globalPos)
{
    QAction* chosen = asked(menu, globalPos);
    if (chosen) {
        // The entry belongs to a view (its owner or one of its parents): one of the
        // view's settings may have changed.
        ModelClient::notifyChanged(chosen);
        emit UserInputEvents::instance()->menuRan();
    }
    return chosen;
}

QAction* MenuRunner::asked(QMenu* menu, const QPoint& globalPos)
{
    UserInput::Answerer* answerer = UserInput::answerer();
    if (!answerer)
        return menu->exec(globalPos);
    UserInput::Ask a;
    a.kind = UserInput::Menu;
    a.title = menu->title();
    // Every entry in order, separators as "-", disabled entries in brackets, so that
    // a test sees the whole menu it was offered.
    const QList<QAction*> all = menu->actions();
    for (QAction* act : all) {
        if (act->isSeparator())
            a.items << QStringLiteral("-");
        else if (!act->isEnabled())
            a.items << QStringLiteral("[%1]").arg(act->text());
        else
            a.items << act->text();
    }
    const UserInput::Reply r = answerer->answer(a);
    if (!r.accepted)
        return nullptr;
    const QString chosen = r.value.toString();
    for (QAction* act : all) {
        if (!act->isSeparator() && act->isEnabled() && act->text() == chosen) {
            // Into a submenu, as the user goes there next.
            if (QMenu* sub = act->menu())
                return asked(sub, globalPos);
            // As the real menu does: the chosen entry is triggered before exec returns.
            act->trigger();
            return act;
        }
    }
    return nullptr;
}
