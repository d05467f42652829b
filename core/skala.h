#ifndef SKALA_H
#define SKALA_H

#include <QStringList>
#include <QVector>

// A rating scale recognised from a column's answers: numbers 1-5, 1-7 or 0-10, or one
// of the usual German verbal scales. Views show its steps from the positive to the
// negative end and the answers put aside ("weiß nicht", "keine Angabe") last.
class Skala
{
public:
    enum Art { Keine, Zahlen, Verbal };

    Art art = Keine;
    // Every step of the scale, positive end first (also steps nobody gave).
    QStringList stufen;

    bool erkannt() const { return art != Keine; }
    // The step's place from the positive end, -1 for an answer that is no step.
    int rang(const QString& antwort) const;
    // The step's score: its number on a numeric scale; on a verbal one the positive end
    // scores highest (5 ... 1 on a five-step scale). NaN for an answer that is no step.
    double wert(const QString& antwort) const;
    // Of an even scale, the negative half starts at stufen.size() / 2; of an odd one the
    // middle step is neutral.
    int neutral() const { return stufen.size() % 2 ? int(stufen.size()) / 2 : -1; }

    // Whether an answer stays out of the base and goes last: "weiß nicht", "keine
    // Angabe" and their usual spellings. The one rule for it, so that declared missing
    // codes can join it.
    static bool beiseite(const QString& antwort);

    // The scale the answers (in any order) belong to; answers put aside and the empty
    // answer do not count. A verbal scale needs two of its steps; numbers need both ends
    // of 1-5, 1-7 or 0-10 (1-10 counts as 0-10) and a third step.
    static Skala erkenne(const QStringList& antworten);

    // The answers in their order of before with a recognised scale's steps first from
    // its positive end, then the other answers, then those put aside; without a scale
    // only the answers put aside move last. Stable: ties keep the given order.
    static QStringList ordne(const QStringList& antworten);

private:
    // erkenne, with each answer already known as given, put aside or blank.
    static Skala erkenne(const QStringList& antworten, const QVector<char>& arten);
};

#endif
