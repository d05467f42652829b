#ifndef FORTSCHRITT_H
#define FORTSCHRITT_H

#include <QElapsedTimer>
#include <QPointer>
#include <QString>

class QProgressDialog;
class QWidget;

// Progress for long work on the window's thread. Once the work has taken 0.2 s a modal
// progress dialog appears; it has no cancel button (stopping half-way would leave a
// broken state) and ignores Esc and closing. While it is up, step() lets the window
// repaint about ten times a second. step() is cheap, so loops may call it per row.
// A Fortschritt made while another is alive shows no dialog of its own: its steps keep
// the outer one's window repainting.
class Fortschritt
{
public:
    Fortschritt(QWidget* parent, const QString& text, qint64 total);
    ~Fortschritt();
    Fortschritt(const Fortschritt&) = delete;
    Fortschritt& operator=(const Fortschritt&) = delete;

    void setText(const QString& text);
    // Starts a new stage of the work: its own text and total, the bar from the start.
    void stage(const QString& text, qint64 total);
    void step(qint64 done);

    // The dialog, once it is shown (null before, and for an inner Fortschritt).
    QProgressDialog* dialog() const;

    // How long work may run before the dialog appears (tests set 0).
    static void setShowDelay(int milliseconds);

private:
    void update(qint64 done);

    QWidget* m_parent;
    QString m_text;
    qint64 m_total;
    QElapsedTimer m_clock;
    qint64 m_lastUpdate = -1000;
    QPointer<QProgressDialog> m_dialog;
    Fortschritt* m_outer;
};

#endif
