#ifndef MENURUNNER_H
#define MENURUNNER_H

class QAction;
class QMenu;
class QPoint;

// Runs a context menu of a view, or, while a test answers the questions (UserInput), asks
// the answerer which entry to take.
class MenuRunner
{
public:
    // Runs the menu modally at the global position; the chosen action is triggered and
    // returned, null when none was chosen. A scripted answer that names a submenu is
    // followed by a question of that submenu's entries.
    static QAction* exec(QMenu* menu, const QPoint& globalPos);

private:
    static QAction* asked(QMenu* menu, const QPoint& globalPos);
};

#endif
