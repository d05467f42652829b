#ifndef TEXTINHALT_H
#define TEXTINHALT_H

#include <QString>

// Views and diagrams that can render their content as text, for the report, the
// clipboard and drags.
class TextInhalt
{
public:
    virtual ~TextInhalt() = default;
    virtual QString toHTML() = 0;
    virtual QString toText() = 0;
};

#endif
