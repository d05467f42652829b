#ifndef SCRIPTEDANSWERER_H
#define SCRIPTEDANSWERER_H

#include <QList>
#include <QMessageBox>   // scripts name the buttons as the toolkit does (same numbers)
#include <QQueue>
#include <QStringList>
#include <functional>

#include "core/userinput.h"

// Answers the program's questions from a script and records every question asked.
// A question of another kind than the next scripted one, or one beyond the end of the
// script, fails the running test and is answered with a cancel, unless a standing rule
// is set (otherwise): the benchmark programs answer their many questions that way.
class ScriptedAnswerer : public UserInput::Answerer
{
public:
    using Rule = std::function<UserInput::Reply(const UserInput::Ask&)>;

    ScriptedAnswerer();   // installs itself in the input seam
    ~ScriptedAnswerer() override;

    // Queues the reply for the next question, which must be of this kind.
    ScriptedAnswerer& accept(UserInput::Kind kind, const QVariant& value);
    ScriptedAnswerer& cancel(UserInput::Kind kind);

    // Answers, with the rule, every question the script does not hold; those still
    // count as unexpected when the rule cancels them.
    ScriptedAnswerer& otherwise(Rule rule);
    // A rule choosing the first of these items that the question offers, else its
    // first item; any other kind of question is cancelled.
    static Rule preferring(const QStringList& items);
    // A rule taking every question's preset item and confirming every message.
    static Rule presets();

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
    Rule m_rule;
    UserInput::Answerer* m_previous;
};

#endif
