#include "io/excelexport.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardItemModel>
#include <QTableView>
#include <QTemporaryFile>

#include <cmath>
#include <cstdio>

#include <xlsxwriter.h>

#include "analyses/aenlichkeitsmodel.h"
#include "analyses/batterie.h"
#include "analyses/kreuztabelle.h"
#include "analyses/mehrfachantworten.h"
#include "analyses/modelaenlichkeitstabelle.h"
#include "analyses/spaltenstatistik.h"
#include "analyses/statistiktabelle.h"
#include "core/diagramadapter.h"
#include "core/fortschritt.h"
#include "core/tabelle1.h"
#include "core/textinhalt.h"
#include "core/viewhost.h"
#include "core/zellenzahl.h"
#include "diagrams/diagram.h"
#include "io/berichtinhalt.h"

namespace {
// Excel's own limits on a sheet.
constexpr int XlsxMaxRows = 1048576;
constexpr int XlsxMaxCols = 16384;
constexpr int XlsxMaxText = 32767;

// What a number is, for its number format: every number cell carries one.
enum class Art { Zahl, Gewichtet, Prozent };

// The number formats of one workbook, made once.
struct Formate
{
    explicit Formate(lxw_workbook* wb)
        : ganz(make(wb, "0"))
        , dezimal(make(wb, "0.0##############"))
        , gewichtet(make(wb, "0.0"))
        , prozent(make(wb, "0.0%"))
    {
    }
    static lxw_format* make(lxw_workbook* wb, const char* code)
    {
        lxw_format* f = workbook_add_format(wb);
        if (f)
            format_set_num_format(f, code);
        return f;
    }
    lxw_format* ganz;
    lxw_format* dezimal;
    lxw_format* gewichtet;
    lxw_format* prozent;
};

// Writes cells into one sheet and remembers whether any write failed.
class Blatt
{
public:
    Blatt(lxw_worksheet* ws, const Formate& f) : m_ws(ws), m_f(f) {}
    bool ok() const { return m_ok; }

    void text(int row, int col, const QString& value)
    {
        if (value.isEmpty() || !inside(row, col))
            return;
        const QByteArray utf8 = value.left(XlsxMaxText).toUtf8();
        check(worksheet_write_string(m_ws, lxw_row_t(row), lxw_col_t(col), utf8.constData(),
                                     nullptr));
    }
    // The full double; a percentage is given in percent and stored as the share Excel's
    // percent format expects (60 as 0.6, shown "60.0%").
    void number(int row, int col, double value, Art art = Art::Zahl)
    {
        // Excel has no NaN or infinity: such a cell stays empty.
        if (!std::isfinite(value) || !inside(row, col))
            return;
        lxw_format* f = m_f.dezimal;
        if (art == Art::Prozent) {
            value /= 100.0;
            f = m_f.prozent;
        } else if (art == Art::Gewichtet)
            f = m_f.gewichtet;
        else if (value == std::floor(value) && std::fabs(value) < 1e15)
            f = m_f.ganz;
        check(worksheet_write_number(m_ws, lxw_row_t(row), lxw_col_t(col), value, f));
    }
    // A text that reads as a number is written as one; "60%" as a percentage.
    void cell(int row, int col, const QString& value)
    {
        double v = 0;
        const QString t = value.trimmed();
        if (!t.isEmpty() && ZellenZahl::read(t, &v))
            number(row, col, v);
        else if (t.endsWith(QLatin1Char('%')) && t.size() > 1
                 && ZellenZahl::read(t.chopped(1).trimmed(), &v))
            number(row, col, v, Art::Prozent);
        else
            text(row, col, value);
    }

private:
    bool inside(int row, int col)
    {
        if (row < XlsxMaxRows && col < XlsxMaxCols)
            return true;
        m_ok = false;
        return false;
    }
    void check(lxw_error e)
    {
        if (e != LXW_NO_ERROR)
            m_ok = false;
    }
    lxw_worksheet* m_ws;
    const Formate& m_f;
    bool m_ok = true;
};

bool writeData(Blatt& b, const QStandardItemModel* model, const Tabelle1* table,
               Fortschritt* progress)
{
    QList<int> shown;
    for (int c = 0; c < model->columnCount(); ++c)
        if (!table->table()->isColumnHidden(c))
            shown << c;
    for (int i = 0; i < shown.size(); ++i)
        b.text(0, i, model->headerData(shown.at(i), Qt::Horizontal).toString());
    if (progress)
        progress->stage(progress->text(), model->rowCount());
    for (int r = 0; r < model->rowCount() && b.ok(); ++r) {
        if (progress)
            progress->step(r);
        for (int i = 0; i < shown.size(); ++i)
            b.cell(r + 1, i, model->data(model->index(r, shown.at(i))).toString());
    }
    return b.ok();
}

// A crosstab: per column of the table three cells, count, percentage and letters.
void writeCrosstab(Blatt& b, const Kreuztabelle& k)
{
    using R = KreuztabellenRechnung;
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
            b.number(row, 1 + 3 * s, count, e.gewichtet ? Art::Gewichtet : Art::Zahl);
            if (p != R::Keine && base > 0)
                b.number(row, 2 + 3 * s, 100.0 * count / base, Art::Prozent);
            b.text(row, 3 + 3 * s, letters);
        }
    }
    const int baseRow = 3 + n;
    b.text(baseRow, 0, R::tr("Basis (n)"));
    // The base counts respondents, weighted or not.
    b.number(baseRow, 1, e.basis, Art::Zahl);
    int s = 1;
    for (const R::Block& bl : e.bloecke)
        for (int j : bl.gezeigt())
            b.number(baseRow, 1 + 3 * s++, bl.basis.value(j), Art::Zahl);
    // The rating-scale rows: a figure per column in its count cell, letters beside.
    int row = baseRow + 1;
    const auto figure = [&b](int r, int col, double v) {
        if (std::isfinite(v))
            b.number(r, col, v);
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
                    if (r.letters)
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
                    if (r.letters)
                        b.text(row, 3 + 3 * col, bl.npsBuchstaben.value(j));
                }
            ++row;
        }
    }
    // The lines under the table belong to it: the weighting, the tests, and what shares
    // of multiple answers mean.
    const QStringList notes = R::hinweise(e);
    for (int i = 0; i < notes.size(); ++i)
        b.text(row + 1 + i, 0, notes.at(i));
}

// Any other table: its tab-separated text, a cell per field.
void writeText(Blatt& b, const QString& text)
{
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int r = 0; r < lines.size(); ++r) {
        const QStringList fields = lines.at(r).split(QLatin1Char('\t'));
        for (int c = 0; c < fields.size(); ++c)
            b.cell(r, c, fields.at(c));
    }
}

// What kind of numbers a diagram holds.
Art artOf(const Diagram& d)
{
    if (d.postfix().trimmed() == QLatin1String("%"))
        return Art::Prozent;
    return d.istGewichtet() ? Art::Gewichtet : Art::Zahl;
}

// A table diagram as it shows itself (a column per label, a row per row label), its
// numbers from the values in full rather than from the shown six digits.
void writeTableDiagram(Blatt& b, const Diagram& d)
{
    const QVector<double>& v = d.values();
    const int perRow = d.rowLength() > 0 ? d.rowLength() : int(v.size());
    if (perRow <= 0)
        return;
    const int rows = int(v.size()) / perRow;
    for (int k = 0; k < perRow && k < d.labelList().size(); ++k)
        b.text(0, 1 + k, d.labelList().at(k));
    const Art art = artOf(d);
    for (int r = 0; r < rows; ++r) {
        b.text(1 + r, 0, d.colLabelList().value(r));
        for (int k = 0; k < perRow; ++k)
            b.number(1 + r, 1 + k, v.at(r * perRow + k), art);
    }
    const QStringList lines = d.captionLines();
    for (int i = 0; i < lines.size(); ++i)
        b.text(rows + 2 + i, 0, lines.at(i));
}

// The statistics table with its figures in full.
void writeStatistik(Blatt& b, const StatistikTabelle& t)
{
    const QStringList names = SpaltenStatistik::rowNames();
    const QVector<SpaltenStatistik::Kennzahlen>& k = t.kennzahlen();
    const bool weighted = !k.isEmpty() && k.first().gewichtet;
    for (int c = 0; c < k.size(); ++c)
        b.text(0, 1 + c, t.model() ? t.model()->headerData(t.spalten().value(c), Qt::Horizontal)
                                         .toString()
                                   : QString());
    for (int r = 0; r < names.size(); ++r)
        b.text(1 + r, 0, names.at(r));
    if (weighted)
        b.text(1 + int(names.size()), 0, StatistikTabelle::tr("n effektiv"));
    for (int c = 0; c < k.size(); ++c) {
        const QVector<double> z = k.at(c).zeilen();
        for (int r = 0; r < z.size(); ++r) {
            const bool share = r == 5 || r == 6;   // "Leer %", "Werte %"
            b.number(1 + r, 1 + c, z.at(r), share ? Art::Prozent : Art::Zahl);
        }
        if (weighted)
            b.number(1 + int(z.size()), 1 + c, k.at(c).nEffektiv, Art::Gewichtet);
    }
    if (!t.hinweis().isEmpty())
        b.text(3 + int(names.size()), 0, t.hinweis());
}

// The similarity table: its shares as percentages, a row and a column per respondent.
void writeAehnlichkeit(Blatt& b, const ModelAenlichkeitsTabelle& t)
{
    const AenlichkeitsCodes& c = t.tableModel()->codes();
    for (int r = 0; r < c.rows() && b.ok(); ++r)
        for (int k = 0; k < c.rows(); ++k)
            b.number(r, k, c.percent(r, k), Art::Prozent);
}

// A multiple-choice set: a row per option with its count and its two shares, the base.
void writeMehrfach(Blatt& b, const Mehrfachantworten& m)
{
    const MehrfachZaehlung& z = m.zaehlung();
    const QStringList head = Mehrfachantworten::spaltenTitel();
    for (int c = 0; c < head.size(); ++c)
        b.text(0, 1 + c, head.at(c));
    const QVector<double> befragte = z.prozentDerBasis();
    const QVector<double> antworten = z.prozentDerAntworten();
    const Art anzahl = m.gewichtet() ? Art::Gewichtet : Art::Zahl;
    for (int i = 0; i < z.optionen.size(); ++i) {
        b.text(1 + i, 0, z.optionen.at(i));
        b.number(1 + i, 1, z.gewaehlt.value(i), anzahl);
        b.number(1 + i, 2, befragte.value(i), Art::Prozent);
        b.number(1 + i, 3, antworten.value(i), Art::Prozent);
    }
    const int base = 1 + int(z.optionen.size());
    b.text(base, 0, Mehrfachantworten::basisTitel());
    b.number(base, 1, z.basis, anzahl);
    const QStringList lines = m.angaben();
    for (int i = 0; i < lines.size(); ++i)
        b.text(base + 2 + i, 0, lines.at(i));
}

// A chart's values as a grid (a row per category, a column per row of values) and an
// Excel chart of the kind over it; views of other kinds are left as cells alone.
void writeChart(lxw_workbook* wb, lxw_worksheet* ws, Blatt& b, const QByteArray& sheet,
                const Diagram& d, const QString& title)
{
    const QVector<double>& v = d.values();
    const int perRow = d.rowLength() > 0 ? qMin(d.rowLength(), int(v.size())) : int(v.size());
    if (perRow <= 0)
        return;
    const int rows = int(v.size()) / perRow;
    for (int k = 0; k < perRow; ++k)
        b.text(1 + k, 0, d.labelList().value(k, QString::number(k + 1)));
    const Art art = artOf(d);
    for (int r = 0; r < rows; ++r) {
        b.text(0, 1 + r, d.colLabelList().value(r, rows == 1 ? title : QString::number(r + 1)));
        for (int k = 0; k < perRow; ++k)
            b.number(1 + k, 1 + r, v.at(r * perRow + k), art);
    }

    uint8_t type;
    if (d.inherits("TortenDiagram"))
        type = LXW_CHART_PIE;
    else if (d.inherits("ExcelBalkenDiagram"))
        type = LXW_CHART_COLUMN_STACKED_PERCENT;
    else if (d.inherits("BalkenDiagram_h"))
        type = LXW_CHART_BAR;
    else if (d.inherits("BalkenDiagram"))
        type = LXW_CHART_COLUMN;
    else
        return;
    lxw_chart* chart = workbook_add_chart(wb, type);
    if (!chart)
        return;
    const QByteArray name = title.toUtf8();
    chart_title_set_name(chart, name.constData());
    const char* s = sheet.constData();
    if (type == LXW_CHART_COLUMN_STACKED_PERCENT) {
        // A stacked column per row of values, a coloured share per category.
        for (int k = 0; k < perRow; ++k) {
            lxw_chart_series* series = chart_add_series(chart, nullptr, nullptr);
            chart_series_set_categories(series, s, 0, 1, 0, lxw_col_t(rows));
            chart_series_set_values(series, s, lxw_row_t(1 + k), 1, lxw_row_t(1 + k),
                                    lxw_col_t(rows));
            chart_series_set_name_range(series, s, lxw_row_t(1 + k), 0);
        }
    } else {
        const int series = type == LXW_CHART_PIE ? 1 : rows;
        for (int r = 0; r < series; ++r) {
            lxw_chart_series* sr = chart_add_series(chart, nullptr, nullptr);
            chart_series_set_categories(sr, s, 1, 0, lxw_row_t(perRow), 0);
            chart_series_set_values(sr, s, 1, lxw_col_t(1 + r), lxw_row_t(perRow),
                                    lxw_col_t(1 + r));
            chart_series_set_name_range(sr, s, 0, lxw_col_t(1 + r));
        }
    }
    worksheet_insert_chart(ws, 1, lxw_col_t(rows + 2), chart);
}
}

QStringList ExcelExport::sheetNames(const QStringList& titles)
{
    QStringList used{QStringLiteral("Daten"), QStringLiteral("History")};
    QStringList out;
    for (int i = 0; i < titles.size(); ++i) {
        QString base = titles.at(i).simplified();
        for (QChar& c : base)
            if (QStringLiteral("[]:*?/\\").contains(c) || c.category() == QChar::Other_Control)
                c = QLatin1Char('_');
        while (base.startsWith(QLatin1Char('\'')))
            base.remove(0, 1);
        base = base.left(31);
        while (base.endsWith(QLatin1Char('\'')))
            base.chop(1);
        if (base.trimmed().isEmpty())
            base = QStringLiteral("Ansicht %1").arg(i + 1);
        QString name = base;
        for (int n = 2; used.contains(name, Qt::CaseInsensitive); ++n) {
            const QString suffix = QStringLiteral(" (%1)").arg(n);
            name = base.left(31 - suffix.size()) + suffix;
        }
        used << name;
        out << name;
    }
    return out;
}

bool ExcelExport::write(const QString& fileName, const QStandardItemModel* model,
                        const Tabelle1* table, ViewHost& views, Fortschritt* progress)
{
    // Written beside the file under a temporary name, then renamed over it: the old file
    // stays as it was until the new one is complete.
    QTemporaryFile temp(QFileInfo(fileName).absoluteDir().filePath(
        QStringLiteral(".%1.XXXXXX").arg(QFileInfo(fileName).fileName())));
    if (!temp.open())
        return false;
    temp.close();
    const QByteArray tempName = QFile::encodeName(temp.fileName());
    lxw_workbook* wb = workbook_new(tempName.constData());
    if (!wb)
        return false;
    bool ok = true;
    const Formate formate(wb);
    {
        lxw_worksheet* ws = workbook_add_worksheet(wb, "Daten");
        Blatt b(ws, formate);
        ok = ws && writeData(b, model, table, progress);
    }
    QStringList titles;
    for (int row = 1; row < views.viewCount(); ++row)
        titles << views.stored(row).title.toString();
    const QStringList names = sheetNames(titles);
    for (int row = 1; ok && row < views.viewCount(); ++row) {
        BerichtInhalt::Eintrag it;
        if (!BerichtInhalt::of(views, row, it))
            continue;
        const QByteArray sheet = names.at(row - 1).toUtf8();
        lxw_worksheet* ws = workbook_add_worksheet(wb, sheet.constData());
        if (!ws) {
            ok = false;
            break;
        }
        Blatt b(ws, formate);
        auto* adapter = dynamic_cast<DiagramAdapter*>(it.view);
        const Diagram* diagram = adapter ? adapter->diagram() : nullptr;
        if (auto* k = qobject_cast<Kreuztabelle*>(it.view))
            writeCrosstab(b, *k);
        else if (auto* st = qobject_cast<StatistikTabelle*>(it.view))
            writeStatistik(b, *st);
        else if (auto* ae = qobject_cast<ModelAenlichkeitsTabelle*>(it.view))
            writeAehnlichkeit(b, *ae);
        else if (auto* mf = qobject_cast<Mehrfachantworten*>(it.view))
            writeMehrfach(b, *mf);
        else if (diagram && diagram->inherits("TabellenDiagramm"))
            writeTableDiagram(b, *diagram);
        else if (auto* bt = qobject_cast<Batterie*>(it.view))
            writeText(b, bt->zahlen());
        else if (it.text)
            writeText(b, it.text->toText());
        else if (auto* a = dynamic_cast<DiagramAdapter*>(it.view)) {
            if (Diagram* d = a->diagram())
                writeChart(wb, ws, b, sheet, *d, it.title);
        }
        ok = b.ok();
    }
    ok = workbook_close(wb) == LXW_NO_ERROR && ok;
    if (!ok)
        return false;
    // The new file keeps the old one's permissions, or gets the usual ones.
    temp.setPermissions(QFile::exists(fileName)
                            ? QFile::permissions(fileName)
                            : QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup
                                  | QFile::ReadOther);
    if (std::rename(tempName.constData(), QFile::encodeName(fileName).constData()) != 0)
        return false;
    temp.setAutoRemove(false);
    return true;
}
