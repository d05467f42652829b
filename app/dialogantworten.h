#ifndef DIALOGANTWORTEN_H
#define DIALOGANTWORTEN_H

#include "core/userinput.h"

// Answers the program's questions with the toolkit's dialogs (input, file, message,
// colour and font dialogs, the list and column dialogs): what the user sees.
class DialogAntworten : public UserInput::Answerer
{
public:
    // Makes these dialogs the input seam's own answerer; the program calls it at start.
    static void install();

    UserInput::Reply answer(const UserInput::Ask& ask) override;
};

#endif
