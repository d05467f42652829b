#ifndef SPALTENCODES_H
#define SPALTENCODES_H

#include <QVariant>
#include <QVector>
#include <memory>

class SpaltenSpeicher;

// A column of the data table as codes: equal cells (same type, same value) share a code,
// numbered in order of first appearance, and values holds each code's first cell. The
// counting views read their columns through it: numbering a column is most of the
// cost of counting, and views computed together (after a command, a load, an edit of a
// column several views show) then read each column once.
class SpaltenCodes
{
public:
    QVector<int> codes;       // one per row
    QVector<QVariant> values; // one per code

    // The codes of column of m (a column beyond the table reads as missing cells).
    // The columns read during a round are kept for the next view, and after the round
    // for the next one (up to a budget), until the model says that they changed.
    static std::shared_ptr<const SpaltenCodes> of(const SpaltenSpeicher* m, int column);

    // Views computed together form a round (rounds nest); outside one nothing new is
    // kept, but what is kept is used.
    class Runde
    {
    public:
        Runde();
        ~Runde();
        Runde(const Runde&) = delete;
        Runde& operator=(const Runde&) = delete;
    };

    // Reads column of m without keeping it. As the views see it, a value that is no
    // answer (blanks only, a code declared missing for the column) is the empty text;
    // asSeen false keeps the values as the table holds them.
    static std::shared_ptr<const SpaltenCodes> read(const SpaltenSpeicher* m, int column,
                                                    bool asSeen = true);
};

#endif
