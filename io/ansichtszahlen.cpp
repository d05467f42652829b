#include "io/ansichtszahlen.h"

#include "analyses/kreuztabelle.h"
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

void AnsichtsZahlen::Raster::zahl(int row, int col, double v)
{
    if (zeilen.size() <= row)
        zeilen.resize(row + 1);
    QVector<Zelle>& z = zeilen[row];
    if (z.size() <= col)
        z.resize(col + 1);
    z[col].zahl = v;
    z[col].istZahl = true;
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

AnsichtsZahlen::Diagrammdaten AnsichtsZahlen::diagramm(const Diagram& d, const QString& title)
{
    Diagrammdaten out;
    out.art = artOf(d);
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
        for (int j = 0; j < bl.spalten(); ++j)
            spalten.push_back({bl.titel + QStringLiteral(": ") + bl.antworten.at(j), &bl, j});
    for (int s = 0; s < spalten.size(); ++s) {
        b.text(0, 1 + 3 * s, spalten.at(s).titel);
        b.text(1, 1 + 3 * s, QStringLiteral("n"));
        if (p != R::Keine)
            b.text(1, 2 + 3 * s, QStringLiteral("%"));
        if (spalten.at(s).block)
            b.text(1, 3 + 3 * s, QStringLiteral("Sig."));
    }
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
            b.zahl(row, 1 + 3 * s, count);
            if (p != R::Keine && base > 0)
                b.zahl(row, 2 + 3 * s, 100.0 * count / base);
            if (!letters.isEmpty())
                b.text(row, 3 + 3 * s, letters);
        }
    }
    const int baseRow = 3 + n;
    b.text(baseRow, 0, R::tr("Basis (n)"));
    b.zahl(baseRow, 1, e.basis);
    int s = 1;
    for (const R::Block& bl : e.bloecke)
        for (int j = 0; j < bl.spalten(); ++j, ++s)
            b.zahl(baseRow, 1 + 3 * s, bl.basis.value(j));
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
