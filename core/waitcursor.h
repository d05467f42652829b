#ifndef WAITCURSOR_H
#define WAITCURSOR_H

#include <QGuiApplication>

// Shows the wait cursor for a long operation and restores it on every way out.
class WaitCursor
{
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

#endif
