#include "core/fortschritt.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QProgressDialog>
#include <QVector>
#include <utility>

namespace {
int showDelay = 200;
int quiet = 0;
Fortschritt* innermost = nullptr;
constexpr qint64 steps = 1000;
constexpr qint64 repaintInterval = 100;

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

struct AfterWork {
    QPointer<QObject> context;
    std::function<void()> f;
};
QVector<AfterWork>& afterWorkList()
{
    static QVector<AfterWork> list;
    return list;
}

void post(const AfterWork& a)
{
    if (a.context)
        QMetaObject::invokeMethod(a.context.data(), a.f, Qt::QueuedConnection);
}
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
    if (!m_outer)
        for (const AfterWork& a : std::exchange(afterWorkList(), {}))
            post(a);
}

Fortschritt* Fortschritt::outermost()
{
    Fortschritt* top = this;
    while (top->m_outer)
        top = top->m_outer;
    return top;
}

bool Fortschritt::working()
{
    return innermost != nullptr;
}

void Fortschritt::afterWork(QObject* context, std::function<void()> f)
{
    const AfterWork a{context, std::move(f)};
    if (innermost)
        afterWorkList() << a;
    else
        post(a);
}

Fortschritt::Quiet::Quiet()
{
    ++quiet;
}

Fortschritt::Quiet::~Quiet()
{
    --quiet;
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
    outermost()->m_lastUpdate = -1000;
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
    if (quiet > 0)
        return;
    // The outermost work's clock: nested work adds to the time the user has waited.
    Fortschritt* top = outermost();
    const qint64 now = top->m_clock.elapsed();
    if (now < showDelay || now - top->m_lastUpdate < repaintInterval)
        return;
    top->m_lastUpdate = now;
    top->update(done, m_total);
}

void Fortschritt::update(qint64 done, qint64 total)
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return;
    if (!m_dialog) {
        QWidget* parent = m_parent ? m_parent : QApplication::activeWindow();
        m_dialog = new QProgressDialog(m_text, QString(), 0, int(steps), parent);
        m_dialog->setWindowModality(Qt::ApplicationModal);
        m_dialog->setCancelButton(nullptr);
        m_dialog->setAutoClose(false);
        m_dialog->setAutoReset(false);
        m_dialog->setMinimumDuration(0);
        m_dialog->installEventFilter(new KeepOpen(m_dialog));
        m_dialog->setValue(0);
        m_dialog->show();
    }
    const qint64 value = total > 0 ? qBound(qint64(0), done * steps / total, steps) : 0;
    m_dialog->setValue(int(value));
    // Repaints the window and the dialog; the modal dialog keeps the user's input away.
    QCoreApplication::processEvents();
}
