#ifndef SCRIPTEDANSWERER_H
#define SCRIPTEDANSWERER_H

#include <QList>
#include <QQueue>

#include "core/userinput.h"

// Answers the program's questions from a script and records every question asked.
// A question of another kind than the next scripted one, or one beyond the end of the
// script, fails the running test and is answered with a cancel.
class ScriptedAnswerer : public UserInput::Answerer
{
public:
    ScriptedAnswerer();   // installs itself in the input seam
    ~ScriptedAnswerer() override;

    // Queues the reply for the next question, which must be of this kind.
    ScriptedAnswerer& accept(UserInput::Kind kind, const QVariant& value);
    ScriptedAnswerer& cancel(UserInput::Kind kind);

    UserInput::Reply answer(const UserInput::Ask& ask) override;

    QList<UserInput::Ask> asked;   // every question, in order
    int unexpected = 0;            // questions that did not match the script
    int pending() const { return int(m_script.size()); }

private:
    struct Step {
        UserInput::Kind kind;
        UserInput::Reply reply;
    };
    QQueue<Step> m_script;
    UserInput::Answerer* m_previous;
};

#endif
