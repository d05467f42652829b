#include "io/excelexport.h"

#include <QDir>
#include <QFileInfo>
#include "core/spaltenspeicher.h"
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
#include "core/textinhalt.h"
#include "core/viewhost.h"
#include "core/zellenzahl.h"
#include "diagrams/diagram.h"
#include "io/ansichtszahlen.h"
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

bool writeData(Blatt& b, const SpaltenSpeicher* model, const QVector<int>& hidden,
               Fortschritt* progress)
{
    QVector<bool> isHidden(model->columnCount(), false);
    for (int c : hidden)
        if (c >= 0 && c < isHidden.size())
            isHidden[c] = true;
    QList<int> shown;
    for (int c = 0; c < model->columnCount(); ++c)
        if (!isHidden.at(c))
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

// A number format of the shared grids as this workbook's.
Art artOf(AnsichtsZahlen::Format f)
{
    switch (f) {
    case AnsichtsZahlen::Gewichtet:
        return Art::Gewichtet;
    case AnsichtsZahlen::Prozent:
        return Art::Prozent;
    default:
        return Art::Zahl;
    }
}

// A grid of cells; texts that read as numbers are numbers where asked. The lines
// under a table follow it after a blank row.
void writeRaster(Blatt& b, const AnsichtsZahlen::Raster& r, bool readNumbers)
{
    for (int row = 0; row < r.zeilen.size(); ++row)
        for (int col = 0; col < r.zeilen.at(row).size(); ++col) {
            const AnsichtsZahlen::Zelle& z = r.zeilen.at(row).at(col);
            if (z.istZahl)
                b.number(row, col, z.zahl, artOf(z.format));
            else if (readNumbers)
                b.cell(row, col, z.text);
            else
                b.text(row, col, z.text);
        }
    for (int i = 0; i < r.hinweise.size(); ++i)
        b.text(int(r.zeilen.size()) + 1 + i, 0, r.hinweise.at(i));
}

// A chart's grid: a row per category, a column per row of values, in number format art.
void writeGrid(Blatt& b, const AnsichtsZahlen::Diagrammdaten& g, Art art)
{
    for (int k = 0; k < g.kategorien.size(); ++k)
        b.text(1 + k, 0, g.kategorien.at(k));
    for (int r = 0; r < g.reihen.size(); ++r) {
        b.text(0, 1 + r, g.reihen.at(r));
        for (int k = 0; k < g.kategorien.size(); ++k)
            b.number(1 + k, 1 + r, g.werte.at(r).at(k), art);
    }
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
    const Art art = artOf(AnsichtsZahlen::formatOf(d));
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
    const AnsichtsZahlen::Diagrammdaten g = AnsichtsZahlen::diagramm(d, title);
    if (g.leer())
        return;
    writeGrid(b, g, artOf(g.format));
    const int perRow = int(g.kategorien.size());
    const int rows = int(g.reihen.size());

    uint8_t type;
    switch (g.art) {
    case AnsichtsZahlen::Torte:
        type = LXW_CHART_PIE;
        break;
    case AnsichtsZahlen::Gestapelt100:
        type = LXW_CHART_COLUMN_STACKED_PERCENT;
        break;
    case AnsichtsZahlen::Balken:
        type = LXW_CHART_BAR;
        break;
    case AnsichtsZahlen::Saeulen:
        type = LXW_CHART_COLUMN;
        break;
    default:
        return;
    }
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

bool ExcelExport::writeChartData(const QString& fileName,
                                 const AnsichtsZahlen::Diagrammdaten& g, const QString& sheet)
{
    lxw_workbook* wb = workbook_new(QFile::encodeName(fileName).constData());
    if (!wb)
        return false;
    const QByteArray name = sheet.toUtf8();
    lxw_worksheet* ws = workbook_add_worksheet(wb, name.constData());
    bool ok = ws != nullptr;
    if (ok) {
        const Formate formate(wb);
        Blatt b(ws, formate);
        // The deck's chart holds the values as they are (60 for 60 %), and so must the
        // workbook behind it, or editing its data would change what the chart shows.
        writeGrid(b, g, g.format == AnsichtsZahlen::Gewichtet ? Art::Gewichtet : Art::Zahl);
        ok = b.ok();
    }
    return workbook_close(wb) == LXW_NO_ERROR && ok;
}

bool ExcelExport::write(const QString& fileName, const SpaltenSpeicher* model,
                        const QVector<int>& hidden, ViewHost& views, Fortschritt* progress)
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
        ok = ws && writeData(b, model, hidden, progress);
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
            writeRaster(b, AnsichtsZahlen::kreuztabelle(*k), false);
        else if (auto* st = qobject_cast<StatistikTabelle*>(it.view))
            writeStatistik(b, *st);
        else if (auto* ae = qobject_cast<ModelAenlichkeitsTabelle*>(it.view))
            writeAehnlichkeit(b, *ae);
        else if (auto* mf = qobject_cast<Mehrfachantworten*>(it.view))
            writeMehrfach(b, *mf);
        else if (diagram && diagram->inherits("TabellenDiagramm"))
            writeTableDiagram(b, *diagram);
        else if (auto* bt = qobject_cast<Batterie*>(it.view))
            writeRaster(b, AnsichtsZahlen::text(bt->zahlen()), true);
        else if (it.text)
            writeRaster(b, AnsichtsZahlen::text(it.text->toText()), true);
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
