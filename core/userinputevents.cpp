#include "core/userinputevents.h"

UserInputEvents* UserInputEvents::instance()
{
    static UserInputEvents events;
    return &events;
}
