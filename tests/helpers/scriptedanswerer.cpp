#include "scriptedanswerer.h"

#include <QMessageBox>
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

ScriptedAnswerer& ScriptedAnswerer::otherwise(Rule rule)
{
    m_rule = std::move(rule);
    return *this;
}

ScriptedAnswerer::Rule ScriptedAnswerer::preferring(const QStringList& items)
{
    return [items](const UserInput::Ask& ask) {
        UserInput::Reply r;
        if (ask.kind != UserInput::Item || ask.items.isEmpty())
            return r;
        r.accepted = true;
        r.value = ask.items.first();
        for (const QString& item : items) {
            if (ask.items.contains(item)) {
                r.value = item;
                break;
            }
        }
        return r;
    };
}

ScriptedAnswerer::Rule ScriptedAnswerer::presets()
{
    return [](const UserInput::Ask& ask) {
        UserInput::Reply r;
        r.accepted = true;
        if (ask.kind == UserInput::Item) {
            const int i = ask.preset.toInt();
            r.value = i >= 0 && i < ask.items.size() ? ask.items.at(i) : QString();
        } else if (ask.kind == UserInput::Information || ask.kind == UserInput::Warning
                   || ask.kind == UserInput::Question) {
            r.value = int(QMessageBox::Ok);
        } else {
            r.accepted = false;
        }
        return r;
    };
}

UserInput::Reply ScriptedAnswerer::answer(const UserInput::Ask& ask)
{
    asked << ask;
    if (m_rule && (m_script.isEmpty() || m_script.head().kind != ask.kind)) {
        const UserInput::Reply r = m_rule(ask);
        if (!r.accepted)
            ++unexpected;
        return r;
    }
    if (m_script.isEmpty() || m_script.head().kind != ask.kind) {
        ++unexpected;
        const QByteArray msg = QStringLiteral("unexpected question of kind %1: \"%2\" / \"%3\"")
                                   .arg(int(ask.kind)).arg(ask.title, ask.label).toUtf8();
        QTest::qFail(msg.constData(), __FILE__, __LINE__);
        return UserInput::Reply();
    }
    return m_script.dequeue().reply;
}
