#include "scriptedanswerer.h"

#include <QTest>

ScriptedAnswerer::ScriptedAnswerer()
    : m_previous(UserInput::answerer())
{
    UserInput::setAnswerer(this);
}

ScriptedAnswerer::~ScriptedAnswerer()
{
    UserInput::setAnswerer(m_previous);
}

ScriptedAnswerer& ScriptedAnswerer::accept(UserInput::Kind kind, const QVariant& value)
{
    UserInput::Reply r;
    r.accepted = true;
    r.value = value;
    m_script.enqueue({kind, r});
    return *this;
}

ScriptedAnswerer& ScriptedAnswerer::cancel(UserInput::Kind kind)
{
    m_script.enqueue({kind, UserInput::Reply()});
    return *this;
}

UserInput::Reply ScriptedAnswerer::answer(const UserInput::Ask& ask)
{
    asked << ask;
    if (m_script.isEmpty() || m_script.head().kind != ask.kind) {
        ++unexpected;
        const QByteArray msg = QStringLiteral("unexpected question of kind %1: \"%2\" / \"%3\"")
                                   .arg(int(ask.kind)).arg(ask.title, ask.label).toUtf8();
        QTest::qFail(msg.constData(), __FILE__, __LINE__);
        return UserInput::Reply();
    }
    return m_script.dequeue().reply;
}
