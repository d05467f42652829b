#include "app/fortschritt.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QProgressDialog>

#include <limits>

namespace {
int showDelay = 200;
Fortschritt* innermost = nullptr;
constexpr int steps = 1000;
constexpr qint64 repaintInterval = 100;
// Asks update() to repaint without moving the bar (a negative step is a value too).
constexpr qint64 keepValue = std::numeric_limits<qint64>::min();

// The dialog must stay up until the work is done: a hidden modal dialog would let the
// user start other work in the middle of this one.
class KeepOpen : public QObject
{
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Close) {
            event->ignore();
            return true;
        }
        if (event->type() == QEvent::KeyPress
            && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
            return true;
        return QObject::eventFilter(watched, event);
    }
};
}

Fortschritt::Fortschritt(QWidget* parent, const QString& text, qint64 total)
    : m_parent(parent), m_text(text), m_total(total), m_outer(innermost)
{
    innermost = this;
    m_clock.start();
}

Fortschritt::~Fortschritt()
{
    innermost = m_outer;
    delete m_dialog.data();
}

void Fortschritt::setText(const QString& text)
{
    m_text = text;
    if (m_dialog)
        m_dialog->setLabelText(text);
}

void Fortschritt::stage(const QString& text, qint64 total)
{
    m_total = total;
    setText(text);
    m_lastUpdate = -1000;
    step(0);
}

QProgressDialog* Fortschritt::dialog() const
{
    return m_dialog;
}

void Fortschritt::setShowDelay(int milliseconds)
{
    showDelay = qMax(0, milliseconds);
}

void Fortschritt::step(qint64 done)
{
    const qint64 now = m_clock.elapsed();
    if (now - m_lastUpdate < repaintInterval || now < showDelay)
        return;
    m_lastUpdate = now;
    if (m_outer) {
        // The outermost dialog is the one the user sees; keep it alive.
        Fortschritt* top = m_outer;
        while (top->m_outer)
            top = top->m_outer;
        top->update(keepValue);
        return;
    }
    update(done);
}

void Fortschritt::update(qint64 done)
{
    if (!QApplication::instance() || !qobject_cast<QApplication*>(QApplication::instance()))
        return;
    if (!m_dialog) {
        m_dialog = new QProgressDialog(m_text, QString(), 0, steps, m_parent);
        m_dialog->setWindowModality(Qt::ApplicationModal);
        m_dialog->setCancelButton(nullptr);
        m_dialog->setAutoClose(false);
        m_dialog->setAutoReset(false);
        m_dialog->setMinimumDuration(0);
        m_dialog->installEventFilter(new KeepOpen(m_dialog));
        m_dialog->setValue(0);
        m_dialog->show();
    }
    if (done != keepValue) {
        const qint64 value =
            m_total > 0 ? qBound(qint64(0), done * steps / m_total, qint64(steps)) : 0;
        m_dialog->setValue(int(value));
    }
    // Repaints the window and the dialog; the modal dialog keeps the user's input away.
    QCoreApplication::processEvents();
}
