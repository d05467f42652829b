#ifndef WAITCURSOR_H
#define WAITCURSOR_H

#include <QApplication>

// Shows the wait cursor for a long operation and restores it on every way out.
class WaitCursor
{
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

#endif
