#ifndef FORTSCHRITT_H
#define FORTSCHRITT_H

#include <QElapsedTimer>
#include <QPointer>
#include <QString>
#include <functional>

class QObject;
class QProgressDialog;
class QWidget;

// Progress for long work on the window's thread. Once the work has taken 0.2 s a modal
// progress dialog appears; it has no cancel button (stopping half-way would leave a
// broken state) and ignores Esc and closing. While it is up, step() lets the window
// repaint about ten times a second. step() is cheap, so loops may call it per row.
// A Fortschritt made while another is alive shows no dialog of its own: its steps keep
// the outer one's window repainting and move the outer dialog's bar, and the 0.2 s count
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

    // The dialog, once it is shown (null before, and for an inner Fortschritt).
    QProgressDialog* dialog() const;

    // How long work may run before the dialog appears (tests set 0).
    static void setShowDelay(int milliseconds);

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
    qint64 m_lastUpdate = -1000;
    QPointer<QProgressDialog> m_dialog;
    Fortschritt* m_outer;
};

#endif
