#ifndef ERGEBNISTEXT_H
#define ERGEBNISTEXT_H

#include <QStringList>

#include "core/textinhalt.h"

// A view's table followed by the lines of its result: a test shown as a table keeps
// its result beside the table, and the clipboard and the report must not lose it.
class ErgebnisText : public TextInhalt
{
public:
    // The table is not owned; it must live while this text is used.
    void set(TextInhalt* table, const QStringList& lines);

    // The table's text, then each line ended by a line break.
    QString toText() override;
    // The table's HTML, then the lines as one paragraph (escaped).
    QString toHTML() override;

private:
    TextInhalt* m_table = nullptr;
    QStringList m_lines;
};

#endif
