#ifndef KREUZTABELLENRECHNUNG_H
#define KREUZTABELLENRECHNUNG_H

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <QVector>

#include "analyses/signifikanz.h"
#include "analyses/skalenrechnung.h"
#include "analyses/zusammenfassung.h"
#include "core/gewichtung.h"
#include "core/mehrfachsets.h"

class SpaltenSpeicher;

// What the crosstab computes, apart from any widget: the counts (sums of weights) of a
// row question against blocks of column questions, their percentages, the letters of
// the z-tests within each block, and each block's test of independence; and the table
// as text, as the view, the clipboard and the report show it.
class KreuztabellenRechnung
{
    Q_DECLARE_TR_FUNCTIONS(KreuztabellenRechnung)
public:
    // What each cell's percentage is taken of; the stored numbers of the settings record.
    enum Prozente { Spalten = 0, Zeilen = 1, Gesamt = 2, Keine = 3 };
    // The menu's names, in the order of the numbers above.
    static QStringList prozentNamen();

    // A question as the crosstab counts it: a column (one answer per respondent) or a
    // multiple-choice set (any number of options per respondent).
    struct Frage {
        QString titel;
        QStringList antworten;   // in the frequency views' order (code units); a set's
                                 // options in the set's order
        QVector<int> codes;      // per row: index into antworten, -1 when not answered
        // A set: the options chosen in row r are gewaehlt[anfang[r] .. anfang[r + 1]);
        // a respondent who chose none did not answer. codes is then empty.
        bool mehrfach = false;
        QVector<int> anfang;
        QVector<int> gewaehlt;

        int zeilen() const
        {
            return mehrfach ? qMax(0, int(anfang.size()) - 1) : int(codes.size());
        }
        // How many answers row r gave; the first is at *erste.
        int antwortenIn(int r, const int** erste) const
        {
            if (mehrfach) {
                *erste = gewaehlt.constData() + anfang.at(r);
                return anfang.at(r + 1) - anfang.at(r);
            }
            *erste = codes.constData() + r;
            return codes.at(r) < 0 ? 0 : 1;
        }

        // One cell text per row; an empty text is not answered.
        static Frage ausTexten(const QString& titel, const QStringList& cells);
        // A column of the data table; an empty or missing cell is not answered.
        static Frage ausSpalte(const SpaltenSpeicher* m, int column);
        // A set from the options chosen per row (indexes into optionen).
        static Frage ausWahlen(const QString& titel, const QStringList& optionen,
                               const QVector<QVector<int>>& proZeile);
        // A multiple-choice set of the data table, its options chosen by its rule.
        static Frage ausSet(const SpaltenSpeicher* m, const MehrfachSet& set);
    };

    // A NET of answers of the row question.
    using Zusammenfassung = ::Zusammenfassung;
    // What the table adds for rating scales; all off by default.
    struct Optionen {
        QVector<Zusammenfassung> zusammenfassungen;
        bool mittelwerte = false;   // "Mittelwerte" rows with Welch letters and ANOVA
        bool nps = false;           // Net Promoter Score rows of a 0-10 question
        SkalenRechnung::Korrektur korrektur = SkalenRechnung::Ohne;   // of the means' letters

        bool leer() const
        {
            return zusammenfassungen.isEmpty() && !mittelwerte && !nps
                && korrektur == SkalenRechnung::Ohne;
        }
        bool operator==(const Optionen& o) const
        {
            return zusammenfassungen == o.zusammenfassungen && mittelwerte == o.mittelwerte
                && nps == o.nps && korrektur == o.korrektur;
        }
    };
    // "Top-2 (...)" and "Bottom-2 (...)" of the answers' rating scale; none without one.
    static QVector<Zusammenfassung> topBottom2(const QStringList& antworten);
    // "keine", "Bonferroni", "Holm", in the order of SkalenRechnung::Korrektur.
    static QStringList korrekturNamen();

    // One column question: its answers side by side. Counts are of respondents: one
    // who chose several options of a set counts in each of their rows or columns, and
    // every sum and base counts them once.
    struct Block {
        QString titel;
        QStringList antworten;
        bool mehrfach = false;          // a set: its columns overlap
        bool zeilenMehrfach = false;    // the row question is a set: its rows overlap
        int zeilen = 0;                 // answers of the row question
        QVector<double> zellen;         // zeilen x antworten, row after row: sums of weights
        QVector<double> zeilenSumme;    // per answer of the row question, within the block
        QVector<double> summe;          // per column: sum of weights (the column's base)
        QVector<double> quadrate;       // per column: sum of squared weights
        QVector<int> basis;             // per column: respondents counted
        QVector<QString> buchstaben;    // per cell: the columns it is significantly above
        double gesamt = 0;              // sum of weights over the block
        double neff = 0;                // effective base of the whole block
        Signifikanz::ChiQuadrat test;   // not computed where a set takes part
        // Asked for and possible only: per column the sums of the means and the NPS,
        // with their letters.
        QVector<SkalenRechnung::Summen> mittel;
        QVector<QString> mittelBuchstaben;
        SkalenRechnung::Anova anova;
        QVector<SkalenRechnung::Nps> nps;
        QVector<QString> npsBuchstaben;

        int spalten() const { return int(antworten.size()); }
        double zelle(int i, int j) const { return zellen.at(i * spalten() + j); }
        // (sum of weights)^2 / (sum of squared weights): n when unweighted.
        double neffSpalte(int j) const;
        // The columns the table shows, in order: those with respondents. An answer
        // given only where the row question is unanswered has no base and, as in the
        // letters, no place; the others keep their letter, their number j.
        QVector<int> gezeigt() const;
    };

    struct Ergebnis {
        QString zeilenTitel;
        QStringList zeilen;             // answers of the row question, then the NETs
        int antwortZeilen = 0;          // rows that are answers (the NETs follow)
        QVector<char> beiseite;         // per answer row: put aside, out of the base
        bool mittelwerte = false;       // the means were asked and the rows have numbers
        SkalenRechnung::Summen mittelGesamt;
        bool mitNps = false;            // the NPS was asked and the rows have 0-10 scores
        SkalenRechnung::Nps npsGesamt;
        SkalenRechnung::Korrektur korrektur = SkalenRechnung::Ohne;
        QVector<double> zeilenSumme;    // the "Gesamt" column
        double gesamt = 0;
        double quadrate = 0;            // sum of squared weights of those respondents
        int basis = 0;                  // respondents who answered the row question
        QVector<Block> bloecke;
        bool gewichtet = false;
        QString gewichtTitel;
        int ohneGewicht = 0;            // of those respondents, without a valid weight
        bool zeilenMehrfach = false;    // the row question is a set
        QStringList fehlendeSets;       // sets the view names that the survey lacks
    };

    // Counts the row question against each column question, with the weights (when
    // active) of the rows.
    // Respondents whose answers to the row question are all put aside count in
    // their rows only, in no base.
    static Ergebnis rechne(const Frage& zeilen, const QVector<Frage>& spalten,
                           const Gewichte& gewichte, const Optionen& optionen);
    static Ergebnis rechne(const Frage& zeilen, const QVector<Frage>& spalten,
                           const Gewichte& gewichte = Gewichte());

    // The table's cells as texts: the header row, a row per answer, "Gesamt",
    // "Basis (n)" and, when weighted, "Basis gewichtet"; then the means' and the NPS rows.
    static QVector<QStringList> raster(const Ergebnis& e, Prozente p);
    // The lines under the table: the weighting, each block's test and its caution.
    static QStringList hinweise(const Ergebnis& e);
    // Tab-separated rows, then an empty line and the lines under the table.
    static QString text(const Ergebnis& e, Prozente p);
    static QString html(const Ergebnis& e, Prozente p);

    // A count or sum of weights as shown: whole numbers unweighted, one decimal weighted.
    static QString anzahl(double v, bool gewichtet);
    // A share in percent, "34.3 %"; empty when its base was 0.
    static QString prozent(double anteil, double basis);
    // The test line of a block; where a set takes part, why there is no test.
    static QString testZeile(const Block& b);
    // The line of a block's ANOVA of the means.
    static QString anovaZeile(const Block& b);
};

#endif
