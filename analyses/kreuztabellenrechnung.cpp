#include "analyses/kreuztabellenrechnung.h"

#include <QCoreApplication>
#include <QHash>
#include "core/spaltenspeicher.h"
#include <algorithm>
#include <cmath>

#include "core/skala.h"
#include "core/basisangabe.h"
#include "core/spaltencodes.h"
#include "core/zellenzahl.h"

namespace {
// The distinct texts in the frequency views' default order: code units, a rating scale
// from its positive end, answers put aside last.
QStringList sortedAnswers(const QStringList& texts)
{
    QStringList out = texts;
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return Skala::ordne(out);
}

// The letters of cell (i, j) of a block: the columns of the block whose share it is
// significantly above, lower case at p < 0.05, upper case at p < 0.01.
QString lettersOf(const KreuztabellenRechnung::Block& b, int i, int j)
{
    QString out;
    if (!(b.summe.at(j) > 0))
        return out;
    const double pj = b.zelle(i, j) / b.summe.at(j);
    const double nj = b.neffSpalte(j);
    for (int k = 0; k < b.spalten(); ++k) {
        if (k == j || !(b.summe.at(k) > 0))
            continue;
        const double pk = b.zelle(i, k) / b.summe.at(k);
        if (!(pj > pk))
            continue;
        const double p = Signifikanz::zTestP(pj, nj, pk, b.neffSpalte(k));
        if (p < 0.01)
            out += Signifikanz::buchstabe(k);
        else if (p < 0.05)
            out += Signifikanz::buchstabe(k).toLower();
    }
    return out;
}

QString joined(const QString& count, const QString& percent, const QString& letters)
{
    QString out = count;
    for (const QString& part : {percent, letters})
        if (!part.isEmpty())
            out += QLatin1Char(' ') + part;
    return out;
}
}

QStringList KreuztabellenRechnung::prozentNamen()
{
    return {tr("Spalten"), tr("Zeilen"), tr("Gesamt"), tr("keine")};
}

KreuztabellenRechnung::Frage KreuztabellenRechnung::Frage::ausTexten(const QString& titel,
                                                                       const QStringList& cells)
{
    Frage f;
    f.titel = titel;
    QStringList answered;
    for (const QString& c : cells)
        if (!c.isEmpty())
            answered << c;
    f.antworten = sortedAnswers(answered);
    f.codes.reserve(cells.size());
    for (const QString& c : cells)
        f.codes << (c.isEmpty() ? -1 : int(f.antworten.indexOf(c)));
    return f;
}

KreuztabellenRechnung::Frage KreuztabellenRechnung::Frage::ausSpalte(const SpaltenSpeicher* m,
                                                                      int column)
{
    Frage f;
    f.titel = m->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
    // Each distinct cell is turned into text once; cells of different types with the
    // same text (3 and "3") are one answer.
    const std::shared_ptr<const SpaltenCodes> cells = SpaltenCodes::of(m, column);
    const int codes = int(cells->values.size());
    QStringList texts;
    texts.reserve(codes);
    QStringList answered;
    for (const QVariant& v : cells->values) {
        texts << (v.isValid() ? v.toString() : QString());
        if (!texts.last().isEmpty())
            answered << texts.last();
    }
    f.antworten = sortedAnswers(answered);
    QHash<QString, int> index;
    for (int i = 0; i < f.antworten.size(); ++i)
        index.insert(f.antworten.at(i), i);
    QVector<int> perCode(codes, -1);
    for (int i = 0; i < codes; ++i)
        if (!texts.at(i).isEmpty())
            perCode[i] = index.value(texts.at(i));
    const int rows = int(cells->codes.size());
    f.codes.resize(rows);
    const int* code = cells->codes.constData();
    for (int r = 0; r < rows; ++r)
        f.codes[r] = perCode.at(code[r]);
    return f;
}

KreuztabellenRechnung::Frage KreuztabellenRechnung::Frage::ausWahlen(
    const QString& titel, const QStringList& optionen, const QVector<QVector<int>>& proZeile)
{
    Frage f;
    f.titel = titel;
    f.antworten = optionen;
    f.mehrfach = true;
    f.anfang.reserve(proZeile.size() + 1);
    f.anfang << 0;
    for (QVector<int> row : proZeile) {
        // An option named twice in a row is chosen once.
        std::sort(row.begin(), row.end());
        row.erase(std::unique(row.begin(), row.end()), row.end());
        for (int o : row)
            if (o >= 0 && o < optionen.size())
                f.gewaehlt << o;
        f.anfang << int(f.gewaehlt.size());
    }
    return f;
}

KreuztabellenRechnung::Frage KreuztabellenRechnung::Frage::ausSet(const SpaltenSpeicher* m,
                                                                   const MehrfachSet& set)
{
    Frage f;
    f.titel = set.name;
    f.antworten = MehrfachSets::optionen(m, set);
    f.mehrfach = true;
    // Per option its column's codes and, per code, whether that answer chooses it: the
    // set's rule is applied once per distinct answer.
    const int k = int(set.spalten.size());
    QVector<std::shared_ptr<const SpaltenCodes>> cells(k);
    QVector<QVector<bool>> chosen(k);
    for (int o = 0; o < k; ++o) {
        cells[o] = SpaltenCodes::of(m, set.spalten.at(o));
        for (const QVariant& v : cells.at(o)->values)
            chosen[o] << set.gewaehlt(v.isValid() ? v.toString() : QString());
    }
    const int rows = m->rowCount();
    f.anfang.reserve(rows + 1);
    f.anfang << 0;
    for (int r = 0; r < rows; ++r) {
        for (int o = 0; o < k; ++o) {
            const QVector<int>& codes = cells.at(o)->codes;
            if (r < codes.size() && chosen.at(o).at(codes.at(r)))
                f.gewaehlt << o;
        }
        f.anfang << int(f.gewaehlt.size());
    }
    return f;
}

double KreuztabellenRechnung::Block::neffSpalte(int j) const
{
    const double s = summe.at(j);
    const double q = quadrate.at(j);
    return q > 0 ? s * s / q : 0.0;
}

QVector<int> KreuztabellenRechnung::Block::gezeigt() const
{
    QVector<int> out;
    out.reserve(basis.size());
    for (int j = 0; j < basis.size(); ++j)
        if (basis.at(j) > 0)
            out << j;
    return out;
}

KreuztabellenRechnung::Ergebnis KreuztabellenRechnung::rechne(const Frage& zeilen,
                                                              const QVector<Frage>& spalten,
                                                              const Gewichte& gewichte,
                                                              const Optionen& optionen)
{
    Ergebnis e;
    e.zeilenTitel = zeilen.titel;
    e.zeilen = zeilen.antworten;
    e.zeilenMehrfach = zeilen.mehrfach;
    e.gewichtet = gewichte.aktiv();
    e.gewichtTitel = gewichte.titel;
    e.korrektur = optionen.korrektur;
    const int A = int(zeilen.antworten.size());
    e.antwortZeilen = A;

    // Per answer: put aside, its score for the means, its 0-10 score for the NPS.
    const Skala skala = Skala::erkenne(zeilen.antworten);
    e.beiseite.resize(A);
    QVector<double> wert(A, SkalenRechnung::NaN);
    QVector<int> npsWert(A, -1);
    for (int i = 0; i < A; ++i) {
        const QString& a = zeilen.antworten.at(i);
        e.beiseite[i] = Skala::beiseite(a);
        if (e.beiseite.at(i))
            continue;
        double v = 0;
        if (skala.erkannt())
            wert[i] = skala.wert(a);
        else if (ZellenZahl::read(a, &v) && std::isfinite(v))
            wert[i] = v;
        bool ok = false;
        const int score = a.trimmed().toInt(&ok);
        if (ok && score >= 0 && score <= 10 && QString::number(score) == a.trimmed())
            npsWert[i] = score;
    }
    const bool mitMitteln = optionen.mittelwerte && !zeilen.mehrfach
        && std::any_of(wert.cbegin(), wert.cend(), [](double v) { return std::isfinite(v); });
    const bool mitNps = optionen.nps && !zeilen.mehrfach
        && std::any_of(npsWert.cbegin(), npsWert.cend(), [](int v) { return v >= 0; });
    e.mittelwerte = mitMitteln;
    e.mitNps = mitNps;

    // The NETs follow the answers as rows; per NET which answers belong to it.
    const int N = int(optionen.zusammenfassungen.size());
    QVector<QVector<int>> netsVon(A);
    for (int n = 0; n < N; ++n) {
        const Zusammenfassung& z = optionen.zusammenfassungen.at(n);
        e.zeilen << z.name;
        for (int i = 0; i < A; ++i)
            if (z.antworten.contains(zeilen.antworten.at(i)))
                netsVon[i] << A + n;
    }
    const int R = A + N;
    e.zeilenSumme.fill(0.0, R);
    e.bloecke.resize(spalten.size());
    int rows = zeilen.zeilen();
    QVector<double> blockSquares(spalten.size(), 0.0);
    QVector<QVector<SkalenRechnung::NpsSummen>> npsSpalten(spalten.size());
    for (int b = 0; b < spalten.size(); ++b) {
        Block& block = e.bloecke[b];
        block.titel = spalten.at(b).titel;
        block.antworten = spalten.at(b).antworten;
        block.mehrfach = spalten.at(b).mehrfach;
        block.zeilenMehrfach = zeilen.mehrfach;
        block.zeilen = R;
        const int C = block.spalten();
        block.zellen.fill(0.0, R * C);
        block.zeilenSumme.fill(0.0, R);
        block.summe.fill(0.0, C);
        block.quadrate.fill(0.0, C);
        block.basis.fill(0, C);
        if (mitMitteln)
            block.mittel.resize(C);
        if (mitNps)
            npsSpalten[b].resize(C);
        rows = qMin(rows, spalten.at(b).zeilen());
    }
    SkalenRechnung::NpsSummen npsGesamt;

    // A respondent adds their weight to every cell of an answer pair they gave, and
    // once to every sum: a sum is a base of respondents, not of answers. A NET they
    // gave an answer of is one more row answer, once however many of its answers.
    QVector<int> alle;
    for (int r = 0; r < rows; ++r) {
        const int* ri = nullptr;
        const int rn = zeilen.antwortenIn(r, &ri);
        if (rn == 0)
            continue;
        alle.resize(0);
        bool nurBeiseite = true;
        for (int a = 0; a < rn; ++a) {
            alle << ri[a];
            nurBeiseite = nurBeiseite && e.beiseite.at(ri[a]);
            for (int n : std::as_const(netsVon.at(ri[a])))
                if (!alle.contains(n))
                    alle << n;
        }
        const int an = int(alle.size());
        const double w = gewichte.at(r);
        for (int a = 0; a < an; ++a)
            e.zeilenSumme[alle.at(a)] += w;
        // Out of the base: counted in its own rows only.
        const bool inBasis = !nurBeiseite;
        if (inBasis) {
            ++e.basis;
            if (!gewichte.gueltigAt(r))
                ++e.ohneGewicht;
            e.gesamt += w;
            e.quadrate += w * w;
        }
        const double x = mitMitteln && !zeilen.mehrfach ? wert.at(ri[0]) : SkalenRechnung::NaN;
        const bool mitX = std::isfinite(x);
        const int score = mitNps ? npsWert.at(ri[0]) : -1;
        if (mitX)
            e.mittelGesamt.add(x, w);
        if (score >= 0)
            npsGesamt.add(score, w);
        for (int b = 0; b < spalten.size(); ++b) {
            const int* cj = nullptr;
            const int cn = spalten.at(b).antwortenIn(r, &cj);
            if (cn == 0)
                continue;
            Block& block = e.bloecke[b];
            const int C = block.spalten();
            for (int a = 0; a < an; ++a) {
                const int i = alle.at(a);
                for (int c = 0; c < cn; ++c)
                    block.zellen[i * C + cj[c]] += w;
                block.zeilenSumme[i] += w;
            }
            for (int c = 0; c < cn; ++c) {
                if (mitX)
                    block.mittel[cj[c]].add(x, w);
                if (score >= 0)
                    npsSpalten[b][cj[c]].add(score, w);
            }
            if (!inBasis)
                continue;
            for (int c = 0; c < cn; ++c) {
                const int j = cj[c];
                block.summe[j] += w;
                block.quadrate[j] += w * w;
                ++block.basis[j];
            }
            block.gesamt += w;
            blockSquares[b] += w * w;
        }
    }
    if (mitNps)
        e.npsGesamt = npsGesamt.ergebnis();

    for (int b = 0; b < e.bloecke.size(); ++b) {
        Block& block = e.bloecke[b];
        const int C = block.spalten();
        block.neff = blockSquares.at(b) > 0 ? block.gesamt * block.gesamt / blockSquares.at(b)
                                            : 0.0;
        block.buchstaben.resize(R * C);
        // Columns of a set share respondents: the z-test of two independent samples
        // does not hold between them. Rows of a set are each a yes/no question over
        // the column's respondents, which it does hold for.
        if (!block.mehrfach)
            for (int i = 0; i < R; ++i)
                for (int j = 0; j < C; ++j)
                    block.buchstaben[i * C + j] = lettersOf(block, i, j);
        if (mitMitteln) {
            block.mittelBuchstaben.resize(C);
            QVector<double> mittel(C);
            QVector<double> p(C * C, SkalenRechnung::NaN);
            for (int j = 0; j < C; ++j) {
                mittel[j] = block.mittel.at(j).mittel();
                for (int k = j + 1; k < C && !block.mehrfach; ++k)
                    p[j * C + k] = SkalenRechnung::welchP(block.mittel.at(j), block.mittel.at(k));
            }
            if (!block.mehrfach) {
                block.mittelBuchstaben = SkalenRechnung::buchstaben(mittel, p, optionen.korrektur);
                block.anova = SkalenRechnung::anova(block.mittel);
            }
        }
        if (mitNps) {
            block.nps.resize(C);
            QVector<double> werte(C);
            for (int j = 0; j < C; ++j) {
                block.nps[j] = npsSpalten.at(b).at(j).ergebnis();
                werte[j] = block.nps.at(j).wert;
            }
            QVector<double> p(C * C, SkalenRechnung::NaN);
            for (int j = 0; j < C && !block.mehrfach; ++j)
                for (int k = j + 1; k < C; ++k)
                    p[j * C + k] = SkalenRechnung::npsP(block.nps.at(j), block.nps.at(k));
            block.npsBuchstaben = SkalenRechnung::buchstaben(werte, p, optionen.korrektur);
        }
        // The test of independence needs each respondent in exactly one cell: over
        // the answers in the base, without the NETs.
        if (block.mehrfach || block.zeilenMehrfach)
            continue;
        QVector<double> scaled;
        int gezeigt = 0;
        for (int i = 0; i < A; ++i) {
            if (e.beiseite.at(i))
                continue;
            scaled += block.zellen.mid(i * C, C);
            ++gezeigt;
        }
        // The weighted table scaled to the block's effective base (1 when unweighted).
        if (block.gesamt > 0) {
            const double scale = block.neff / block.gesamt;
            for (double& v : scaled)
                v *= scale;
        }
        block.test = Signifikanz::chiQuadrat(scaled, gezeigt, C);
    }
    return e;
}

KreuztabellenRechnung::Ergebnis KreuztabellenRechnung::rechne(const Frage& zeilen,
                                                              const QVector<Frage>& spalten,
                                                              const Gewichte& gewichte)
{
    return rechne(zeilen, spalten, gewichte, Optionen());
}

QStringList KreuztabellenRechnung::korrekturNamen()
{
    return {tr("keine"), tr("Bonferroni"), tr("Holm")};
}

QVector<KreuztabellenRechnung::Zusammenfassung> KreuztabellenRechnung::topBottom2(
    const QStringList& antworten)
{
    return Zusammenfassung::topBottom2(antworten);
}

QString KreuztabellenRechnung::anzahl(double v, bool gewichtet)
{
    return QString::number(v, 'f', gewichtet ? 1 : 0);
}

QString KreuztabellenRechnung::prozent(double anteil, double basis)
{
    if (!(basis > 0))
        return QString();
    return QString::number(100.0 * anteil / basis, 'f', 1) + QStringLiteral(" %");
}

QVector<QStringList> KreuztabellenRechnung::raster(const Ergebnis& e, Prozente p)
{
    QVector<QStringList> out;
    QStringList head{e.zeilenTitel, tr("Gesamt")};
    for (const Block& b : e.bloecke)
        for (int j : b.gezeigt())
            head << QStringLiteral("%1: %2 (%3)").arg(b.titel, b.antworten.at(j),
                                                      Signifikanz::buchstabe(j));
    out << head;

    const bool w = e.gewichtet;
    const auto cell = [&](double count, double base, const QString& letters) {
        return joined(anzahl(count, w), p == Keine ? QString() : prozent(count, base), letters);
    };
    for (int i = 0; i < e.zeilen.size(); ++i) {
        const double ownBase = p == Zeilen ? e.zeilenSumme.at(i) : e.gesamt;
        QStringList row{e.zeilen.at(i), cell(e.zeilenSumme.at(i), ownBase, QString())};
        for (const Block& b : e.bloecke)
            for (int j : b.gezeigt()) {
                const double base = p == Spalten ? b.summe.at(j)
                    : p == Zeilen                 ? b.zeilenSumme.at(i)
                                                  : b.gesamt;
                row << cell(b.zelle(i, j), base, b.buchstaben.at(i * b.spalten() + j));
            }
        out << row;
    }

    QStringList total{tr("Gesamt"), cell(e.gesamt, e.gesamt, QString())};
    for (const Block& b : e.bloecke)
        for (int j : b.gezeigt())
            total << cell(b.summe.at(j), p == Spalten ? b.summe.at(j) : b.gesamt, QString());
    out << total;

    QStringList base{tr("Basis (n)"), QString::number(e.basis)};
    for (const Block& b : e.bloecke)
        for (int j : b.gezeigt())
            base << QString::number(b.basis.at(j));
    out << base;

    if (w) {
        QStringList weighted{tr("Basis gewichtet"), anzahl(e.gesamt, true)};
        for (const Block& b : e.bloecke)
            for (int j : b.gezeigt())
                weighted << anzahl(b.summe.at(j), true);
        out << weighted;
    }

    // A figure with its letters; nothing where there is no figure.
    const auto zahl = [](double v, int stellen, const QString& letters = QString()) {
        if (!std::isfinite(v))
            return QString();
        return joined(QString::number(v, 'f', stellen), QString(), letters);
    };
    if (e.mittelwerte) {
        QStringList mittel{tr("Mittelwert"), zahl(e.mittelGesamt.mittel(), 2)};
        QStringList sd{tr("Standardabweichung"), zahl(e.mittelGesamt.sd(), 2)};
        QStringList n{tr("Basis Mittelwert"), QString::number(e.mittelGesamt.n)};
        for (const Block& b : e.bloecke)
            for (int j : b.gezeigt()) {
                const SkalenRechnung::Summen& s = b.mittel.at(j);
                mittel << zahl(s.mittel(), 2, b.mittelBuchstaben.value(j));
                sd << zahl(s.sd(), 2);
                n << QString::number(s.n);
            }
        out << mittel << sd << n;
    }
    if (e.mitNps) {
        QStringList anteile[3] = {{tr("Promotoren (9–10)")}, {tr("Passive (7–8)")},
                                  {tr("Detraktoren (0–6)")}};
        QStringList nps{tr("NPS")};
        QStringList ki{tr("NPS 95 %-KI")};
        const auto spalte = [&](const SkalenRechnung::Nps& n, const QString& letters) {
            const double teile[3] = {n.promotoren, n.passive, n.detraktoren};
            for (int k = 0; k < 3; ++k)
                anteile[k] << (std::isfinite(teile[k])
                                   ? prozent(teile[k], 1.0)
                                   : QString());
            nps << zahl(n.wert, 1, letters);
            ki << (std::isfinite(n.unten) && std::isfinite(n.oben)
                       ? QStringLiteral("[%1; %2]").arg(zahl(n.unten, 1), zahl(n.oben, 1))
                       : QString());
        };
        spalte(e.npsGesamt, QString());
        for (const Block& b : e.bloecke)
            for (int j : b.gezeigt())
                spalte(b.nps.at(j), b.npsBuchstaben.value(j));
        out << anteile[0] << anteile[1] << anteile[2] << nps << ki;
    }
    return out;
}

QString KreuztabellenRechnung::testZeile(const Block& b)
{
    if (b.mehrfach)
        return tr("%1: kein χ²-Test und keine Buchstaben, da Befragte in mehreren Spalten "
                  "zählen (Mehrfachantworten)").arg(b.titel);
    if (b.zeilenMehrfach)
        return tr("%1: kein χ²-Test, da Befragte in mehreren Zeilen zählen "
                  "(Mehrfachantworten)").arg(b.titel);
    if (!b.test.berechnet)
        return tr("%1: χ² nicht berechenbar (zu wenige besetzte Zeilen oder Spalten)").arg(b.titel);
    const QString p = b.test.p < 0.001 ? QStringLiteral("p < 0.001")
                                       : QStringLiteral("p = ") + QString::number(b.test.p, 'f', 3);
    return QStringLiteral("%1: χ² = %2; df = %3; %4")
        .arg(b.titel, QString::number(b.test.wert, 'f', 2), QString::number(b.test.df), p);
}

QString KreuztabellenRechnung::anovaZeile(const Block& b)
{
    if (b.mehrfach)
        return tr("%1: keine Varianzanalyse, da Befragte in mehreren Spalten zählen "
                  "(Mehrfachantworten)").arg(b.titel);
    if (!b.anova.berechnet)
        return tr("%1: Varianzanalyse der Mittelwerte nicht berechenbar").arg(b.titel);
    const QString p = b.anova.p < 0.001 ? QStringLiteral("p < 0.001")
                                        : QStringLiteral("p = ") + QString::number(b.anova.p, 'f', 3);
    return tr("%1: Mittelwerte F = %2; df = %3, %4; %5")
        .arg(b.titel, QString::number(b.anova.f, 'f', 2), QString::number(b.anova.df1),
             QString::number(b.anova.df2, 'f', std::floor(b.anova.df2) == b.anova.df2 ? 0 : 1),
             p);
}

QStringList KreuztabellenRechnung::hinweise(const Ergebnis& e)
{
    QStringList out;
    for (const QString& name : e.fehlendeSets)
        out << tr("Das Mehrfachantworten-Set \"%1\" fehlt in den Daten; es wurde ausgelassen.")
                   .arg(name);
    QStringList sets;
    if (e.zeilenMehrfach)
        sets << e.zeilenTitel;
    for (const Block& b : e.bloecke)
        if (b.mehrfach)
            sets << b.titel;
    if (!sets.isEmpty())
        out << tr("Mehrfachantworten (%1): Befragte zählen bei jeder gewählten Option, "
                  "Prozente können zusammen über 100 % liegen; Basis sind Befragte.")
                   .arg(sets.join(QStringLiteral(", ")));
    if (e.gewichtet) {
        out << Gewichtung::hinweis(e.gewichtTitel, 0);
        if (e.ohneGewicht > 0)
            out << Gewichtung::ohneGewichtText(e.ohneGewicht);
        out << Basisangabe::zeile(e.basis, e.quadrate > 0 ? e.gesamt * e.gesamt / e.quadrate : 0.0);
    }
    QStringList beiseite;
    for (int i = 0; i < e.beiseite.size(); ++i)
        if (e.beiseite.at(i))
            beiseite << e.zeilen.value(i);
    if (!beiseite.isEmpty())
        out << tr("Nicht in der Basis: %1").arg(beiseite.join(QStringLiteral(", ")));
    for (const Block& b : e.bloecke) {
        out << testZeile(b);
        if (b.test.erwartetUnter5 > 0)
            out << tr("Vorsicht: %1 Zellen mit erwarteter Häufigkeit unter 5")
                       .arg(b.test.erwartetUnter5);
        if (e.mittelwerte)
            out << anovaZeile(b);
    }
    const QStringList korrektur = korrekturNamen();
    const QString zusatz = e.korrektur == SkalenRechnung::Ohne
        ? QString()
        : tr(", %1-korrigiert").arg(korrektur.value(e.korrektur));
    if (e.mittelwerte)
        out << tr("Buchstaben der Mittelwerte: Welch-t-Test, zweiseitig%1").arg(zusatz);
    if (e.mitNps)
        out << tr("NPS = %Promotoren − %Detraktoren; 95 %-Konfidenzintervall; Buchstaben: "
                  "z-Test der Differenz%1").arg(zusatz);
    // Shares of a few respondents say little: such columns are named.
    QStringList klein;
    for (const Block& b : e.bloecke)
        for (int j : b.gezeigt())
            if (b.basis.at(j) < Basisangabe::KleineBasis)
                klein << QStringLiteral("%1: %2 (%3)").arg(b.titel, b.antworten.at(j),
                                                           Signifikanz::buchstabe(j));
    if (!klein.isEmpty())
        out << tr("%1 (unter %2 Befragte): %3")
                   .arg(Basisangabe::kleineBasis())
                   .arg(Basisangabe::KleineBasis)
                   .arg(klein.join(QStringLiteral(", ")));
    return out;
}

QString KreuztabellenRechnung::text(const Ergebnis& e, Prozente p)
{
    QString out;
    for (const QStringList& row : raster(e, p))
        out += row.join(QLatin1Char('\t')) + QLatin1Char('\n');
    const QStringList notes = hinweise(e);
    if (!notes.isEmpty())
        out += QLatin1Char('\n') + notes.join(QLatin1Char('\n')) + QLatin1Char('\n');
    return out;
}

QString KreuztabellenRechnung::html(const Ergebnis& e, Prozente p)
{
    // Answers and titles are the survey's own texts: escaped, so that a "<" in an
    // answer cannot break the report.
    QString out = QStringLiteral("<TABLE border=1 width=90%>");
    const QVector<QStringList> cells = raster(e, p);
    for (int r = 0; r < cells.size(); ++r) {
        out += QStringLiteral("<TR>");
        const QString tag = r == 0 ? QStringLiteral("TH") : QStringLiteral("TD");
        for (const QString& c : cells.at(r))
            out += QLatin1Char('<') + tag + QLatin1Char('>') + c.toHtmlEscaped()
                + QStringLiteral("</") + tag + QLatin1Char('>');
        out += QStringLiteral("</TR>");
    }
    out += QStringLiteral("</TABLE>");
    for (const QString& line : hinweise(e))
        out += QStringLiteral("<P>") + line.toHtmlEscaped() + QStringLiteral("</P>");
    return out;
}
