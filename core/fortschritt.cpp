#include "core/fortschritt.h"

#include <QCoreApplication>
#include <QPointer>
#include <QVector>
#include <utility>

namespace {
int showDelay = 200;
int quiet = 0;
Fortschritt* innermost = nullptr;
constexpr qint64 steps = 1000;
qint64 repaintInterval = 100;
FortschrittAnzeige::Fabrik fabrik = nullptr;

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
    m_anzeige.reset();
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
    if (m_anzeige)
        m_anzeige->setText(text);
}

void Fortschritt::stage(const QString& text, qint64 total)
{
    m_total = total;
    setText(text);
    outermost()->m_lastUpdate = -1;
    step(0);
}

void Fortschritt::setAnzeige(FortschrittAnzeige::Fabrik f)
{
    fabrik = f;
}

void Fortschritt::setShowDelay(int milliseconds)
{
    showDelay = qMax(0, milliseconds);
}

void Fortschritt::setRepaintInterval(int milliseconds)
{
    repaintInterval = qMax(0, milliseconds);
}

void Fortschritt::step(qint64 done)
{
    if (quiet > 0)
        return;
    // The outermost work's clock: nested work adds to the time the user has waited.
    Fortschritt* top = outermost();
    const qint64 now = top->m_clock.elapsed();
    if (now < showDelay || (top->m_lastUpdate >= 0 && now - top->m_lastUpdate < repaintInterval))
        return;
    top->m_lastUpdate = now;
    top->update(done, m_total);
}

void Fortschritt::update(qint64 done, qint64 total)
{
    if (!m_anzeige) {
        if (!fabrik)
            return;
        m_anzeige = fabrik(m_parent, m_text, int(steps));
        if (!m_anzeige)
            return;
    }
    const qint64 value = total > 0 ? qBound(qint64(0), done * steps / total, steps) : 0;
    m_anzeige->setValue(int(value));
    // Repaints the window and the display; a modal display keeps the user's input away.
    QCoreApplication::processEvents();
}
