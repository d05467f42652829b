#include "io/spssimport.h"

#include <QHash>
#include <QIODevice>
#include "core/spaltenspeicher.h"

#include <cmath>

#include <readstat.h>

#include "core/fehlendewerte.h"

namespace {
// What the parser's callbacks build up.
struct SpssLeser {
    QIODevice* in = nullptr;
    QStringList titles;
    QStringList labelSets;               // per variable: its value-label set, or empty
    QHash<QString, QHash<QString, QString>> labels; // set -> code text -> label
    QList<QStringList> rows;
    QVector<QStringList> fehlend;       // per variable: user-missing answers met
    int columns = 0;
    bool bad = false;
};

// The text of a value as the key of its label and as the cell without one.
QString spssValueText(readstat_value_t v)
{
    if (readstat_value_type(v) == READSTAT_TYPE_STRING
        || readstat_value_type(v) == READSTAT_TYPE_STRING_REF) {
        // SPSS pads texts to the variable's width.
        const char* s = readstat_string_value(v);
        QString text = s ? QString::fromUtf8(s) : QString();
        while (text.endsWith(QLatin1Char(' ')))
            text.chop(1);
        return text;
    }
    const double d = readstat_double_value(v);
    return std::isfinite(d) ? QVariant(d).toString() : QString();
}

int spssOnVariable(int index, readstat_variable_t* var, const char* valLabels, void* ctx)
{
    auto* r = static_cast<SpssLeser*>(ctx);
    if (index != r->titles.size()) {
        r->bad = true;
        return READSTAT_HANDLER_ABORT;
    }
    const char* label = readstat_variable_get_label(var);
    const char* name = readstat_variable_get_name(var);
    QString title = QString::fromUtf8(label ? label : "").trimmed();
    if (title.isEmpty())
        title = QString::fromUtf8(name ? name : "");
    r->titles << title;
    r->labelSets << QString::fromUtf8(valLabels ? valLabels : "");
    r->columns = int(r->titles.size());
    r->fehlend.resize(r->columns);
    return READSTAT_HANDLER_OK;
}

int spssOnValueLabel(const char* set, readstat_value_t value, const char* label, void* ctx)
{
    auto* r = static_cast<SpssLeser*>(ctx);
    if (set && label)
        r->labels[QString::fromUtf8(set)].insert(spssValueText(value), QString::fromUtf8(label));
    return READSTAT_HANDLER_OK;
}

int spssOnValue(int obs, readstat_variable_t* var, readstat_value_t value, void* ctx)
{
    auto* r = static_cast<SpssLeser*>(ctx);
    const int col = readstat_variable_get_index(var);
    // The rows arrive in order, each one's values column after column; anything else
    // is a file that is not what it says.
    if (obs < 0 || obs > r->rows.size() || col < 0 || col >= r->columns) {
        r->bad = true;
        return READSTAT_HANDLER_ABORT;
    }
    if (obs == r->rows.size())
        r->rows.append(QStringList());
    QStringList& row = r->rows[obs];
    if (row.size() != col) {
        r->bad = true;
        return READSTAT_HANDLER_ABORT;
    }
    // A user-missing value is an answer the analyst declared missing: kept, with its
    // label, as a missing code of the column. Only system-missing is no value at all.
    const bool declared = readstat_value_is_defined_missing(value, var) != 0;
    if (!declared && readstat_value_is_missing(value, var)) {
        row << QString();
        return READSTAT_HANDLER_OK;
    }
    QString text = spssValueText(value);
    const QString& set = r->labelSets.at(col);
    if (!set.isEmpty()) {
        const auto labels = r->labels.constFind(set);
        if (labels != r->labels.constEnd()) {
            const auto l = labels->constFind(text);
            if (l != labels->constEnd())
                text = *l;
        }
    }
    if (declared && !text.isEmpty() && !r->fehlend.at(col).contains(text))
        r->fehlend[col] << text;
    row << text;
    return READSTAT_HANDLER_OK;
}

// The file comes through the device, never through a path of the parser's own.
int spssOpen(const char*, void*) { return 0; }
int spssClose(void*) { return 0; }

readstat_off_t spssSeek(readstat_off_t offset, readstat_io_flags_t whence, void* ctx)
{
    QIODevice* in = static_cast<SpssLeser*>(ctx)->in;
    qint64 to = offset;
    if (whence == READSTAT_SEEK_CUR)
        to += in->pos();
    else if (whence == READSTAT_SEEK_END)
        to += in->size();
    if (to < 0 || to > in->size() || !in->seek(to))
        return -1;
    return readstat_off_t(to);
}

ssize_t spssRead(void* buf, size_t n, void* ctx)
{
    return ssize_t(static_cast<SpssLeser*>(ctx)->in->read(static_cast<char*>(buf), qint64(n)));
}

readstat_error_t spssUpdate(long, readstat_progress_handler, void*, void*)
{
    return READSTAT_OK;
}
}

bool SpssImport::isSpssFile(const QString& fileName)
{
    return fileName.endsWith(QLatin1String(".sav"), Qt::CaseInsensitive)
        || fileName.endsWith(QLatin1String(".zsav"), Qt::CaseInsensitive);
}

bool SpssImport::read(QIODevice& in, Tabelle* out)
{
    if (!in.isOpen() || in.isSequential())
        return false;
    SpssLeser r;
    r.in = &in;
    readstat_parser_t* parser = readstat_parser_init();
    if (!parser)
        return false;
    readstat_set_variable_handler(parser, spssOnVariable);
    readstat_set_value_label_handler(parser, spssOnValueLabel);
    readstat_set_value_handler(parser, spssOnValue);
    readstat_set_open_handler(parser, spssOpen);
    readstat_set_close_handler(parser, spssClose);
    readstat_set_seek_handler(parser, spssSeek);
    readstat_set_read_handler(parser, spssRead);
    readstat_set_update_handler(parser, spssUpdate);
    readstat_set_io_ctx(parser, &r);
    readstat_set_handler_character_encoding(parser, "UTF-8");
    const readstat_error_t err = readstat_parse_sav(parser, "", &r);
    readstat_parser_free(parser);
    if (err != READSTAT_OK || r.bad || r.titles.isEmpty())
        return false;
    // Every row complete: a file cut short would leave its last row ragged.
    for (const QStringList& row : r.rows)
        if (row.size() != r.columns)
            return false;
    out->titles = r.titles;
    out->rows = r.rows;
    out->fehlend = r.fehlend;
    return true;
}

void SpssImport::fill(const Tabelle& t, SpaltenSpeicher* model)
{
    model->setColumnCount(int(t.titles.size()));
    model->setHorizontalHeaderLabels(t.titles);
    for (int c = 0; c < t.titles.size(); ++c)
        model->setHeaderData(c, Qt::Horizontal, t.titles.at(c), Qt::ToolTipRole);
    {
        SpaltenSpeicher::Aufbau bau(model);
        for (const QStringList& row : t.rows)
            bau.zeile(row);
    }
    for (int c = 0; c < t.fehlend.size() && c < t.titles.size(); ++c)
        FehlendeWerte::setCodes(model, c, t.fehlend.at(c));
}
