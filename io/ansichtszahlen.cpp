#include "io/ansichtszahlen.h"

#include <cmath>

#include "analyses/kreuztabelle.h"
#include "analyses/signifikanz.h"
#include "analyses/skalenrechnung.h"
#include "diagrams/diagram.h"

void AnsichtsZahlen::Raster::text(int row, int col, const QString& t)
{
    if (zeilen.size() <= row)
        zeilen.resize(row + 1);
    QVector<Zelle>& z = zeilen[row];
    if (z.size() <= col)
        z.resize(col + 1);
    z[col].text = t;
    z[col].istZahl = false;
}

void AnsichtsZahlen::Raster::zahl(int row, int col, double v, Format f)
{
    if (zeilen.size() <= row)
        zeilen.resize(row + 1);
    QVector<Zelle>& z = zeilen[row];
    if (z.size() <= col)
        z.resize(col + 1);
    z[col].zahl = v;
    z[col].istZahl = true;
    z[col].format = f;
}

int AnsichtsZahlen::Raster::spalten() const
{
    int n = 0;
    for (const QVector<Zelle>& z : zeilen)
        n = qMax(n, int(z.size()));
    return n;
}

AnsichtsZahlen::Art AnsichtsZahlen::artOf(const Diagram& d)
{
    // Subclasses first: the horizontal and the stacked bars derive from other charts.
    if (d.inherits("TortenDiagram"))
        return Torte;
    if (d.inherits("ExcelBalkenDiagram"))
        return Gestapelt100;
    if (d.inherits("BalkenDiagram_h"))
        return Balken;
    if (d.inherits("BalkenDiagram"))
        return Saeulen;
    return KeinDiagramm;
}

AnsichtsZahlen::Format AnsichtsZahlen::formatOf(const Diagram& d)
{
    if (d.postfix().trimmed() == QLatin1String("%"))
        return Prozent;
    return d.istGewichtet() ? Gewichtet : Zahl;
}

AnsichtsZahlen::Diagrammdaten AnsichtsZahlen::diagramm(const Diagram& d, const QString& title)
{
    Diagrammdaten out;
    out.art = artOf(d);
    out.format = formatOf(d);
    const QVector<double>& v = d.values();
    const int perRow = d.rowLength() > 0 ? qMin(d.rowLength(), int(v.size())) : int(v.size());
    if (perRow <= 0)
        return out;
    const int rows = int(v.size()) / perRow;
    for (int k = 0; k < perRow; ++k)
        out.kategorien << d.labelList().value(k, QString::number(k + 1));
    for (int r = 0; r < rows; ++r) {
        out.reihen << d.colLabelList().value(r, rows == 1 ? title : QString::number(r + 1));
        QVector<double> werte;
        QVector<QColor> farben;
        for (int k = 0; k < perRow; ++k) {
            werte << v.at(r * perRow + k);
            // The bars take a colour per row, the pie and the stacked columns one per
            // value, as they are painted.
            farben << d.colorAt(out.art == Saeulen || out.art == Balken ? r : r * perRow + k);
        }
        out.werte << werte;
        out.farben << farben;
    }
    return out;
}

AnsichtsZahlen::Raster AnsichtsZahlen::kreuztabelle(const Kreuztabelle& k)
{
    using R = KreuztabellenRechnung;
    Raster b;
    const R::Ergebnis& e = k.ergebnis();
    const R::Prozente p = k.prozente();
    b.text(0, 0, e.zeilenTitel);
    struct Spalte {
        QString titel;
        const R::Block* block = nullptr;
        int j = -1; // -1: the "Gesamt" column
    };
    QVector<Spalte> spalten{{R::tr("Gesamt"), nullptr, -1}};
    for (const R::Block& bl : e.bloecke)
        // Named with their letter, as on screen: a column left out for want of a base
        // leaves a gap in the letters, so the position no longer tells it.
        for (int j : bl.gezeigt())
            spalten.push_back({QStringLiteral("%1: %2 (%3)").arg(bl.titel, bl.antworten.at(j),
                                                                Signifikanz::buchstabe(j)),
                               &bl, j});
    for (int s = 0; s < spalten.size(); ++s) {
        b.text(0, 1 + 3 * s, spalten.at(s).titel);
        b.text(1, 1 + 3 * s, QStringLiteral("n"));
        if (p != R::Keine)
            b.text(1, 2 + 3 * s, QStringLiteral("%"));
        if (spalten.at(s).block)
            b.text(1, 3 + 3 * s, QStringLiteral("Sig."));
    }
    const Format anzahl = e.gewichtet ? Gewichtet : Zahl;
    const int n = int(e.zeilen.size());
    for (int i = 0; i <= n; ++i) {
        const bool total = i == n;
        const int row = 2 + i;
        b.text(row, 0, total ? R::tr("Gesamt") : e.zeilen.at(i));
        for (int s = 0; s < spalten.size(); ++s) {
            const Spalte& sp = spalten.at(s);
            double count, base;
            QString letters;
            if (!sp.block) {
                count = total ? e.gesamt : e.zeilenSumme.at(i);
                base = p == R::Zeilen && !total ? e.zeilenSumme.at(i) : e.gesamt;
            } else {
                const R::Block& bl = *sp.block;
                count = total ? bl.summe.at(sp.j) : bl.zelle(i, sp.j);
                base = p == R::Spalten ? bl.summe.at(sp.j)
                    : p == R::Zeilen && !total ? bl.zeilenSumme.at(i)
                                               : bl.gesamt;
                if (!total)
                    letters = bl.buchstaben.value(i * bl.spalten() + sp.j);
            }
            b.zahl(row, 1 + 3 * s, count, anzahl);
            if (p != R::Keine && base > 0)
                b.zahl(row, 2 + 3 * s, 100.0 * count / base, Prozent);
            if (!letters.isEmpty())
                b.text(row, 3 + 3 * s, letters);
        }
    }
    const int baseRow = 3 + n;
    b.text(baseRow, 0, R::tr("Basis (n)"));
    // The base counts respondents, weighted or not.
    b.zahl(baseRow, 1, e.basis);
    int s = 1;
    for (const R::Block& bl : e.bloecke)
        for (int j : bl.gezeigt())
            b.zahl(baseRow, 1 + 3 * s++, bl.basis.value(j));
    // The rating-scale rows: a figure per column in its count cell, letters beside.
    int row = baseRow + 1;
    const auto figure = [&b](int r, int col, double v) {
        if (std::isfinite(v))
            b.zahl(r, col, v);
    };
    using Summen = SkalenRechnung::Summen;
    using Nps = SkalenRechnung::Nps;
    if (e.mittelwerte) {
        const struct {
            QString title;
            double (*value)(const Summen&);
            bool letters;
        } rows[] = {{R::tr("Mittelwert"), [](const Summen& x) { return x.mittel(); }, true},
                    {R::tr("Standardabweichung"), [](const Summen& x) { return x.sd(); }, false},
                    {R::tr("Basis Mittelwert"), [](const Summen& x) { return double(x.n); }, false}};
        for (const auto& r : rows) {
            b.text(row, 0, r.title);
            figure(row, 1, r.value(e.mittelGesamt));
            int col = 0;
            for (const R::Block& bl : e.bloecke)
                for (int j : bl.gezeigt()) {
                    ++col;
                    figure(row, 1 + 3 * col, r.value(bl.mittel.at(j)));
                    if (r.letters && !bl.mittelBuchstaben.value(j).isEmpty())
                        b.text(row, 3 + 3 * col, bl.mittelBuchstaben.value(j));
                }
            ++row;
        }
    }
    if (e.mitNps) {
        const struct {
            QString title;
            double (*value)(const Nps&);
            bool letters;
        } rows[] = {{R::tr("Promotoren (9–10)"), [](const Nps& x) { return 100 * x.promotoren; }, false},
                    {R::tr("Passive (7–8)"), [](const Nps& x) { return 100 * x.passive; }, false},
                    {R::tr("Detraktoren (0–6)"), [](const Nps& x) { return 100 * x.detraktoren; }, false},
                    {R::tr("NPS"), [](const Nps& x) { return x.wert; }, true},
                    {R::tr("NPS 95 %-KI unten"), [](const Nps& x) { return x.unten; }, false},
                    {R::tr("NPS 95 %-KI oben"), [](const Nps& x) { return x.oben; }, false}};
        for (const auto& r : rows) {
            b.text(row, 0, r.title);
            figure(row, 1, r.value(e.npsGesamt));
            int col = 0;
            for (const R::Block& bl : e.bloecke)
                for (int j : bl.gezeigt()) {
                    ++col;
                    figure(row, 1 + 3 * col, r.value(bl.nps.at(j)));
                    if (r.letters && !bl.npsBuchstaben.value(j).isEmpty())
                        b.text(row, 3 + 3 * col, bl.npsBuchstaben.value(j));
                }
            ++row;
        }
    }
    // The lines under the table belong to it: the weighting, the tests, and what shares
    // of multiple answers mean.
    b.hinweise = R::hinweise(e);
    return b;
}

AnsichtsZahlen::Raster AnsichtsZahlen::text(const QString& tsv)
{
    Raster b;
    const QStringList lines = tsv.split(QLatin1Char('\n'));
    for (int r = 0; r < lines.size(); ++r) {
        const QStringList fields = lines.at(r).split(QLatin1Char('\t'));
        for (int c = 0; c < fields.size(); ++c)
            b.text(r, c, fields.at(c));
    }
    return b;
}
