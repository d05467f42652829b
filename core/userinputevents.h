#ifndef USERINPUTEVENTS_H
#define USERINPUTEVENTS_H

#include <QObject>

// Tells whoever listens that a menu of a view has run: its entry may have changed the
// view's settings (type, colours, font, filters), which the main window tracks as
// unsaved work.
class UserInputEvents : public QObject
{
    Q_OBJECT
public:
    static UserInputEvents* instance();

signals:
    void menuRan();

private:
    UserInputEvents() = default;
};

#endif
