#ifndef FORTSCHRITT_H
#define FORTSCHRITT_H

#include <QElapsedTimer>
#include <QString>
#include <functional>
#include <memory>

#include "core/fortschrittanzeige.h"

class QObject;
class QWidget;

// Progress for long work on the window's thread. Once the work has taken 0.2 s the
// installed display (FortschrittAnzeige) appears. While it is up, step() lets the window
// repaint about ten times a second. step() is cheap, so loops may call it per row.
// A Fortschritt made while another is alive shows no display of its own: its steps keep
// the outer one's window repainting and move the outer display's bar, and the 0.2 s count
// from the start of the outermost work.
class Fortschritt
{
public:
    // Without a parent the dialog goes over the active window.
    Fortschritt(QWidget* parent, const QString& text, qint64 total);
    ~Fortschritt();
    Fortschritt(const Fortschritt&) = delete;
    Fortschritt& operator=(const Fortschritt&) = delete;

    void setText(const QString& text);
    const QString& text() const { return m_text; }
    // Starts a new stage of the work: its own text and total, the bar from the start.
    void stage(const QString& text, qint64 total);
    void step(qint64 done);

    // The display, once it is shown (null before, and for an inner Fortschritt).
    FortschrittAnzeige* anzeige() const { return m_anzeige.get(); }

    // What shows the work; none (the default) shows nothing and lets no events through.
    static void setAnzeige(FortschrittAnzeige::Fabrik fabrik);
    // How long work may run before the display appears (tests set 0).
    static void setShowDelay(int milliseconds);
    // How often at most the display is moved and the window repainted, 100 ms unless set
    // (tests set 0: every step then shows).
    static void setRepaintInterval(int milliseconds);

    // Whether some work with a Fortschritt is going on.
    static bool working();
    // Runs f once the outermost work has ended, queued on context's thread so that it
    // comes after whatever finishes the work; at once (queued) when none is going on.
    // Dropped when context is deleted first. For what must not look at half-made state
    // while the dialog lets queued events through.
    static void afterWork(QObject* context, std::function<void()> f);

    // While one is alive nothing is shown and no events are handled: work without a
    // window on screen (the report made from the command line) has nothing to repaint.
    class Quiet
    {
    public:
        Quiet();
        ~Quiet();
        Quiet(const Quiet&) = delete;
        Quiet& operator=(const Quiet&) = delete;
    };

private:
    Fortschritt* outermost();
    void update(qint64 done, qint64 total);

    QWidget* m_parent;
    QString m_text;
    qint64 m_total;
    QElapsedTimer m_clock;
    qint64 m_lastUpdate = -1;   // when the display was last moved; -1: not yet in this stage
    std::unique_ptr<FortschrittAnzeige> m_anzeige;
    Fortschritt* m_outer;
};

#endif
