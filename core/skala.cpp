#include "core/skala.h"

#include <QHash>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {
// Texts are compared without case, blanks at the ends, and with "ss" for "ß", so that
// "Weiss nicht" and " weiß nicht" are one answer.
QString schluessel(const QString& t)
{
    QString out = t.trimmed().toLower();
    out.replace(QChar(0x00DF), QStringLiteral("ss"));
    return out.simplified();
}

// The verbal scales in seven places, positive end first: very positive, positive,
// rather positive, middle, rather negative, negative, very negative; each place with its
// usual forms.
using Platz = QStringList;
const QVector<QVector<Platz>>& verbaleSkalen()
{
    static const QVector<QVector<Platz>> skalen{
        {{"sehr zufrieden"}, {"zufrieden"}, {"eher zufrieden"},
         {"teils/teils", "teils, teils", "weder noch", "weder zufrieden noch unzufrieden",
          "neutral"},
         {"eher unzufrieden"}, {"unzufrieden"}, {"sehr unzufrieden"}},
        {{"stimme voll zu", "stimme voll und ganz zu", "trifft voll zu"},
         {"stimme zu", "trifft zu"}, {"stimme eher zu", "trifft eher zu"},
         {"teils/teils", "teils, teils", "weder noch", "neutral"},
         {"stimme eher nicht zu", "trifft eher nicht zu"},
         {"stimme nicht zu", "trifft nicht zu"},
         {"stimme gar nicht zu", "stimme überhaupt nicht zu", "trifft gar nicht zu",
          "trifft überhaupt nicht zu"}},
        {{"sehr gut"}, {"gut"}, {"eher gut"},
         {"teils/teils", "teils, teils", "mittel", "befriedigend", "weder gut noch schlecht",
          "weder noch", "neutral"},
         {"eher schlecht"}, {"schlecht"}, {"sehr schlecht"}},
        {{"sehr wichtig"}, {"wichtig"}, {"eher wichtig"},
         {"teils/teils", "teils, teils", "weder noch", "neutral"},
         {"eher unwichtig"}, {"unwichtig"}, {"sehr unwichtig", "völlig unwichtig",
                                             "überhaupt nicht wichtig"}},
    };
    return skalen;
}

// An integer written plainly ("7", not "7.0" or "+7").
bool ganzeZahl(const QString& t, int* v)
{
    const QString s = t.trimmed();
    if (s.isEmpty() || s.size() > 3)
        return false;
    for (QChar c : s)
        if (!c.isDigit() || c.unicode() > 127)
            return false;
    *v = s.toInt();
    return s == QString::number(*v);
}
}

bool Skala::beiseite(const QString& antwort)
{
    static const QStringList texte{"weiss nicht", "weiss nicht / keine angabe",
                                   "weiss nicht/keine angabe", "keine angabe", "k.a.",
                                   "k. a.", "keine antwort", "kann ich nicht beurteilen"};
    // Most answers are none of these, and free-text columns have as many answers as
    // rows: the first letter and the length tell without building the key. Lower case
    // makes no blank and no text shorter, and "ß" becomes longer, so the key has at
    // least the answer's non-blank characters and starts with the lower case of its
    // first one; only these letters (and the Kelvin sign) have "w" or "k" as lower case.
    static const int hoechstens = [] {
        int n = 0;
        for (const QString& t : texte)
            n = std::max(n, int(t.size() - t.count(QLatin1Char(' '))));
        return n;
    }();
    const QChar* p = antwort.constBegin();
    const QChar* const ende = antwort.constEnd();
    while (p != ende && p->isSpace())
        ++p;
    if (p == ende)
        return false;
    const char16_t erstes = p->unicode();
    if (erstes != u'w' && erstes != u'W' && erstes != u'k' && erstes != u'K'
        && erstes != char16_t(0x212A))
        return false;
    int zeichen = 0;
    for (; p != ende; ++p)
        if (!p->isSpace() && ++zeichen > hoechstens)
            return false;
    return texte.contains(schluessel(antwort));
}

int Skala::rang(const QString& antwort) const
{
    if (art == Zahlen)
        return int(stufen.indexOf(antwort.trimmed()));
    const QString k = schluessel(antwort);
    for (int i = 0; i < stufen.size(); ++i)
        if (schluessel(stufen.at(i)) == k)
            return i;
    return -1;
}

double Skala::wert(const QString& antwort) const
{
    const int r = rang(antwort);
    if (r < 0)
        return std::numeric_limits<double>::quiet_NaN();
    if (art == Zahlen)
        return stufen.at(r).toDouble();
    return double(stufen.size() - r);
}

namespace {
// How an answer counts for recognising a scale.
enum : char { Gegeben, Beiseite, Leer };

QVector<char> artenVon(const QStringList& antworten)
{
    // One pass over the answers: a free-text column's answers are many and far apart
    // in memory.
    QVector<char> arten;
    arten.reserve(antworten.size());
    for (const QString& a : antworten)
        arten << (Skala::beiseite(a) ? Beiseite
                  : std::all_of(a.cbegin(), a.cend(), [](QChar c) { return c.isSpace(); })
                      ? Leer
                      : Gegeben);
    return arten;
}
}

Skala Skala::erkenne(const QStringList& antworten)
{
    return erkenne(antworten, artenVon(antworten));
}

Skala Skala::erkenne(const QStringList& antworten, const QVector<char>& arten)
{
    Skala out;
    // The answers that count, by their places in antworten.
    QVector<int> gegeben;
    for (int i = 0; i < arten.size(); ++i)
        if (arten.at(i) == Gegeben)
            gegeben << i;
    if (gegeben.size() < 2)
        return out;

    // Numbers: a usual range whose ends are both given, with a step between them. A
    // column of a few small numbers (children, visits) is no scale and keeps its order.
    int lo = std::numeric_limits<int>::max();
    int hi = -1;
    bool zahlen = true;
    QVector<bool> gesehen(11, false);
    for (int i : std::as_const(gegeben)) {
        const QString& a = antworten.at(i);
        int v = 0;
        if (!ganzeZahl(a, &v)) {
            zahlen = false;
            break;
        }
        lo = std::min(lo, v);
        hi = std::max(hi, v);
        if (v <= 10)
            gesehen[v] = true;
    }
    if (zahlen) {
        int von = -1, bis = -1;
        if (lo == 1 && hi == 5)
            von = 1, bis = 5;
        else if (lo == 1 && hi == 7)
            von = 1, bis = 7;
        else if (lo >= 0 && lo <= 1 && hi == 10)
            von = 0, bis = 10;
        if (von < 0 || std::count(gesehen.cbegin(), gesehen.cend(), true) < 3)
            return out;
        out.art = Zahlen;
        for (int v = bis; v >= von; --v)
            out.stufen << QString::number(v);
        return out;
    }

    // Words: a scale whose places hold every answer. Its steps: the two ends always,
    // the middle when given (an even scale without it), and on either side the
    // plain and the "eher" place as two steps when both are given, else as one.
    for (const QVector<Platz>& skala : verbaleSkalen()) {
        QVector<QString> gegebenIn(skala.size());
        bool alle = true;
        for (int i : std::as_const(gegeben)) {
            const QString& a = antworten.at(i);
            const QString k = schluessel(a);
            int platz = -1;
            for (int i = 0; i < skala.size() && platz < 0; ++i)
                for (const QString& form : skala.at(i))
                    if (schluessel(form) == k)
                        platz = i;
            if (platz < 0) {
                alle = false;
                break;
            }
            if (gegebenIn.at(platz).isEmpty())
                gegebenIn[platz] = a;
        }
        if (!alle)
            continue;
        out.art = Verbal;
        const auto text = [&](int i) {
            return gegebenIn.at(i).isEmpty() ? skala.at(i).first() : gegebenIn.at(i);
        };
        const auto seite = [&](int plain, int eher) {
            if (!gegebenIn.at(plain).isEmpty() && !gegebenIn.at(eher).isEmpty())
                out.stufen << text(plain) << text(eher);
            else
                out.stufen << (gegebenIn.at(eher).isEmpty() ? text(plain) : text(eher));
        };
        out.stufen << text(0);
        seite(1, 2);
        if (!gegebenIn.at(3).isEmpty())
            out.stufen << text(3);
        const int vor = int(out.stufen.size());
        seite(5, 4);
        // The negative side lists the "eher" step first.
        if (out.stufen.size() - vor == 2)
            out.stufen.swapItemsAt(vor, vor + 1);
        out.stufen << text(6);
        return out;
    }
    return out;
}

QStringList Skala::ordne(const QStringList& antworten)
{
    // Each answer is looked at once: free-text columns are long.
    const QVector<char> arten = artenVon(antworten);
    const Skala s = erkenne(antworten, arten);
    // No scale and nothing put aside: every answer ranks alike, the order stays.
    if (!s.erkannt() && !arten.contains(Beiseite))
        return antworten;
    QVector<std::pair<int, QString>> rang;
    rang.reserve(antworten.size());
    const int andere = int(s.stufen.size());
    for (int i = 0; i < antworten.size(); ++i) {
        const QString& a = antworten.at(i);
        int r = arten.at(i) == Beiseite ? andere + 1 : andere;
        if (s.erkannt()) {
            const int stufe = s.rang(a);
            if (stufe >= 0)
                r = stufe;
        }
        rang.append({r, a});
    }
    std::stable_sort(rang.begin(), rang.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    QStringList out;
    out.reserve(antworten.size());
    for (const auto& p : std::as_const(rang))
        out << p.second;
    return out;
}
