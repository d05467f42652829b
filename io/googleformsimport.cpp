#include "io/googleformsimport.h"

#include <QHash>
#include <QRegularExpression>
#include <algorithm>
#include <limits>

#include "io/plattformumfrage.h"

namespace {
const QString trennung = QStringLiteral(", ");
// A cell of more pieces or characters than this is split without joining: the search
// is quadratic in the pieces, and no form has that many options.
const int maxTeileZumVerbinden = 200;
const int maxZeichenZumVerbinden = 20000;
// A column of more different options is free text, not a checkbox question.
const int maxOptionen = 1000;
}

bool GoogleFormsImport::erkennt(const QList<QStringList>& kopf)
{
    if (kopf.isEmpty() || kopf.first().isEmpty())
        return false;
    const QString erste = kopf.first().first().trimmed();
    return erste == QLatin1String("Timestamp") || erste == QLatin1String("Zeitstempel");
}

QStringList GoogleFormsImport::teile(const QString& cell, const QSet<QString>& optionen)
{
    const QStringList stuecke = cell.split(trennung);
    const int n = int(stuecke.size());
    if (n <= 1 || n > maxTeileZumVerbinden || cell.size() > maxZeichenZumVerbinden)
        return n <= 1 ? QStringList{cell} : stuecke;
    // best[i]: fewest unknown pieces, then fewest pieces, for the first i pieces.
    const int inf = std::numeric_limits<int>::max() / 4;
    QVector<QPair<int, int>> best(n + 1, {inf, inf});
    QVector<int> von(n + 1, 0);
    best[0] = {0, 0};
    for (int i = 1; i <= n; ++i) {
        QString stueck;
        for (int j = i - 1; j >= 0; --j) {
            stueck = j == i - 1 ? stuecke.at(j) : stuecke.at(j) + trennung + stueck;
            const bool bekannt = optionen.contains(stueck);
            // An unknown text is only ever one piece of its own.
            if (!bekannt && j != i - 1)
                continue;
            if (best.at(j).first >= inf)
                continue;
            const QPair<int, int> k{best.at(j).first + (bekannt ? 0 : 1), best.at(j).second + 1};
            if (k < best.at(i)) {
                best[i] = k;
                von[i] = j;
            }
        }
    }
    QStringList out;
    for (int i = n; i > 0; i = von.at(i))
        out.prepend(stuecke.mid(von.at(i), i - von.at(i)).join(trennung));
    return out;
}

void GoogleFormsImport::lesen(const QStringList& kopf, const QList<QStringList>& rows,
                              PlattformUmfrage* u)
{
    static const QRegularExpression gitter(QStringLiteral("^(.+) \\[(.+)\\]$"));
    const int n = int(kopf.size());
    u->quelle = QStringLiteral("Google-Forms-Export");
    u->fragen = 0;
    u->mehrfachFragen = 0;
    // Grid columns first: their question and row.
    QHash<QString, QVector<int>> gitterSpalten;
    QStringList gitterReihenfolge;
    QVector<QString> zeileVon(n);
    for (int c = 1; c < n; ++c) {
        const QRegularExpressionMatch m = gitter.match(kopf.at(c));
        if (!m.hasMatch())
            continue;
        if (!gitterSpalten.contains(m.captured(1)))
            gitterReihenfolge << m.captured(1);
        gitterSpalten[m.captured(1)] << c;
        zeileVon[c] = m.captured(2);
    }
    QVector<bool> imGitter(n);
    for (const QString& f : gitterReihenfolge)
        if (gitterSpalten.value(f).size() >= 2)
            for (int c : gitterSpalten.value(f))
                imGitter[c] = true;

    // A checkbox column: some cell splits into several options, and most of the pieces
    // of such cells are options chosen alone somewhere (free text seldom is).
    struct Aufteilung {
        QStringList optionen;
        QVector<QStringList> zellen;
    };
    QHash<int, Aufteilung> aufgeteilt;
    for (int c = 1; c < n; ++c) {
        if (imGitter.at(c))
            continue;
        QSet<QString> allein;
        bool mitKomma = false;
        for (const QStringList& row : rows) {
            const QString cell = row.value(c);
            if (cell.contains(trennung))
                mitKomma = true;
            else if (!cell.isEmpty())
                allein.insert(cell);
        }
        if (!mitKomma)
            continue;
        // A cell chosen alone that holds ", " itself: the whole cell is an option where
        // the known options do not make it up. Shorter cells first, so that a longer
        // one is made up of them.
        QStringList mitTrennung;
        QSet<QString> gesehenMit;
        for (const QStringList& row : rows) {
            const QString cell = row.value(c);
            if (cell.contains(trennung) && !gesehenMit.contains(cell)) {
                gesehenMit.insert(cell);
                mitTrennung << cell;
            }
        }
        std::stable_sort(mitTrennung.begin(), mitTrennung.end(),
                         [](const QString& a, const QString& b) {
                             return a.count(trennung) < b.count(trennung);
                         });
        for (const QString& cell : mitTrennung)
            for (const QString& s : teile(cell, allein))
                if (!allein.contains(s)) {
                    allein.insert(cell);
                    break;
                }
        Aufteilung a;
        a.zellen.reserve(rows.size());
        int stuecke = 0;
        int bekannt = 0;
        QSet<QString> gesehen;
        for (const QStringList& row : rows) {
            const QString cell = row.value(c);
            const QStringList t = cell.isEmpty() ? QStringList() : teile(cell, allein);
            if (t.size() > 1)
                for (const QString& s : t) {
                    ++stuecke;
                    bekannt += allein.contains(s) ? 1 : 0;
                }
            for (const QString& s : t)
                if (!gesehen.contains(s)) {
                    gesehen.insert(s);
                    a.optionen << s;
                }
            a.zellen << t;
        }
        if (stuecke > 0 && 2 * bekannt >= stuecke && a.optionen.size() <= maxOptionen)
            aufgeteilt.insert(c, a);
    }

    // The columns: each checkbox column hidden and followed by its options.
    u->titel.clear();
    u->namen.clear();
    u->versteckt.clear();
    u->offen.clear();
    QVector<int> quelleVon;  // per new column: its source column
    QVector<int> optionVon;  // per new column: the option index, -1 for a plain copy
    for (int c = 0; c < n; ++c) {
        u->titel << kopf.at(c);
        u->namen << kopf.at(c);
        u->versteckt << (c == 0 || aufgeteilt.contains(c));
        u->offen << false;
        quelleVon << c;
        optionVon << -1;
        if (c > 0 && !imGitter.at(c))
            ++u->fragen;
        if (!aufgeteilt.contains(c))
            continue;
        MehrfachSet set;
        set.name = kopf.at(c);
        const QStringList& opts = aufgeteilt.value(c).optionen;
        for (int k = 0; k < opts.size(); ++k) {
            set.spalten << int(u->titel.size());
            u->titel << PlattformUmfrage::optionTitel(kopf.at(c), opts.at(k));
            u->namen << u->titel.last();
            u->versteckt << false;
            u->offen << false;
            quelleVon << c;
            optionVon << k;
        }
        u->sets << set;
        ++u->mehrfachFragen;
        ++u->ersetzteSpalten;
    }
    // The grids: their rows titled like options, one set per grid.
    for (const QString& f : gitterReihenfolge) {
        const QVector<int>& spalten = gitterSpalten.value(f);
        if (spalten.size() < 2)
            continue;
        ++u->fragen;
        MehrfachSet set;
        set.name = f;
        for (int c : spalten) {
            const int neu = int(quelleVon.indexOf(c));
            u->titel[neu] = PlattformUmfrage::optionTitel(f, zeileVon.at(c));
            set.spalten << neu;
        }
        u->sets << set;
    }

    u->zeilen.clear();
    u->zeilen.reserve(rows.size());
    const int m = int(quelleVon.size());
    for (int r = 0; r < rows.size(); ++r) {
        QStringList out;
        out.reserve(m);
        for (int k = 0; k < m; ++k) {
            const int c = quelleVon.at(k);
            if (optionVon.at(k) < 0) {
                out << rows.at(r).value(c);
            } else {
                const Aufteilung& a = aufgeteilt[c];
                const QString& opt = a.optionen.at(optionVon.at(k));
                out << (a.zellen.at(r).contains(opt) ? opt : QString());
            }
        }
        u->zeilen << out;
    }
    u->angleichen();
}
