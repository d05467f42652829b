#include "io/viewscsv.h"

#include <QHash>
#include <QSaveFile>
#include <QSet>
#include "core/spaltenspeicher.h"

#include "core/csvreader.h"
#include "core/fortschritt.h"
#include "diagrams/modelclient.h"
#include "core/roles.h"
#include "core/spaltenregeln.h"
#include "core/tablecontext.h"
#include "core/umkodierung.h"
#include "commands/umkodierbefehl.h"
#include "commands/gewichtsanpassungsbefehl.h"
#include "core/fehlendewerte.h"
#include "core/dateiversion.h"
#include "core/viewhost.h"
#include "io/datacsvexport.h"

namespace {
QString base64(const QByteArray& bytes)
{
    return QString::fromLatin1(bytes.toBase64());
}

// Bytes of a Base64 field; empty when it is not Base64 at all.
QByteArray fromBase64(const QString& field)
{
    const QByteArray::FromBase64Result r = QByteArray::fromBase64Encoding(
        field.toLatin1(), QByteArray::Base64Encoding | QByteArray::AbortOnBase64DecodingErrors);
    return r ? r.decoded : QByteArray();
}

const QLatin1String SpaltenPrefix("#Spalten:");
const QLatin1String RegelnPrefix("#Spaltenregeln:");

// The column settings of a views file, from its "#Spaltenregeln:" comment.
QVector<SpaltenRegel> regelnOf(const QString& text)
{
    QVector<SpaltenRegel> out;
    qsizetype at = 0;
    while (at < text.size()) {
        qsizetype end = text.indexOf(QLatin1Char('\n'), at);
        if (end < 0)
            end = text.size();
        const QStringView line = QStringView(text).mid(at, end - at);
        at = end + 1;
        if (!line.startsWith(RegelnPrefix))
            continue;
        const QByteArray bytes = QByteArray::fromBase64(line.mid(RegelnPrefix.size()).trimmed().toLatin1());
        QVector<SpaltenRegel> regeln;
        if (SpaltenRegeln::ausBytes(bytes, &regeln))
            out << regeln;
    }
    return out;
}

// Puts the settings of a views file on the survey's columns of their titles, and makes
// each recoded column and fitted weight the survey lacks, before the views look for them.
void regelnSetzen(SpaltenSpeicher* m, const QVector<SpaltenRegel>& regeln)
{
    const auto spalteVon = [m](const QString& titel) {
        for (int c = 0; c < m->columnCount(); ++c)
            if (m->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString() == titel)
                return c;
        return -1;
    };
    for (const SpaltenRegel& r : regeln) {
        int c = spalteVon(r.titel);
        Umkodierung rule;
        if (c < 0 && !r.umkodierung.isEmpty() && Umkodierung::laden(r.umkodierung, &rule)) {
            const int source = spalteVon(rule.quelle);
            if (source < 0)
                continue;
            rule.quellSpalte = source;
            TableContext ctx;
            ctx.model = m;
            c = UmkodierBefehl::anhaengen(ctx, source, rule, r.titel);
        }
        Gewichtsanpassung::Vorgabe vorgabe;
        Gewichtsanpassung::Ergebnis fit;
        // This survey is weighted to the same targets; a fit that fails weights nothing.
        if (c < 0 && !r.gewichtung.isEmpty() && Gewichtsanpassung::Vorgabe::laden(r.gewichtung, &vorgabe)
            && GewichtsanpassungsBefehl::rechne(m, vorgabe, &fit) && fit.konvergiert) {
            TableContext ctx;
            ctx.model = m;
            c = GewichtsanpassungsBefehl::anhaengen(ctx, vorgabe, fit.gewichte);
        }
        if (c >= 0 && !r.fehlend.isEmpty())
            FehlendeWerte::setCodes(m, c, r.fehlend);
    }
}

// The column titles of the view lines by their number, from the "#Spalten:" comments.
QHash<int, QStringList> columnTitlesOf(const QString& text)
{
    QHash<int, QStringList> out;
    qsizetype at = 0;
    while (at < text.size()) {
        qsizetype end = text.indexOf(QLatin1Char('\n'), at);
        if (end < 0)
            end = text.size();
        const QStringView line = QStringView(text).mid(at, end - at);
        at = end + 1;
        if (!line.startsWith(SpaltenPrefix))
            continue;
        const QStringView rest = line.mid(SpaltenPrefix.size());
        const qsizetype colon = rest.indexOf(QLatin1Char(':'));
        bool ok = false;
        const int n = colon > 0 ? rest.left(colon).toInt(&ok) : 0;
        if (!ok || n < 1)
            continue;
        QStringList titles;
        const QStringView fields = rest.mid(colon + 1).trimmed();
        if (!fields.isEmpty())
            for (QStringView f : fields.split(QLatin1Char(';'))) {
                f = f.trimmed();
                if (f.startsWith(QLatin1Char('"')) && f.endsWith(QLatin1Char('"')) && f.size() >= 2)
                    f = f.mid(1, f.size() - 2);
                titles << QString::fromUtf8(QByteArray::fromBase64(f.toLatin1()));
            }
        out.insert(n, titles);
    }
    return out;
}

QVector<int> columnsOf(const QString& field)
{
    QVector<int> out;
    const QStringList parts = field.split(QLatin1Char(','));
    out.reserve(parts.size());
    for (const QString& p : parts)
        out << p.toInt(nullptr, 10);
    return out;
}
}

int ViewsCsv::versionFor(ViewHost& views)
{
    int version = Version;
    for (int row = 1; row < views.viewCount(); ++row)
        if (const auto* mc = qobject_cast<const ModelClient*>(views.viewPage(row))) {
            const int needed = mc->neededVersion();
            if (needed >= DateiVersion::AnzeigeVersion)
                version = qMax(version, needed);
        }
    return version;
}

int ViewsCsv::versionOf(const QString& text)
{
    const QLatin1String prefix("#Views Version:");
    qsizetype at = 0;
    while (at < text.size()) {
        qsizetype end = text.indexOf(QLatin1Char('\n'), at);
        if (end < 0)
            end = text.size();
        const QStringView line = QStringView(text).mid(at, end - at);
        at = end + 1;
        if (!line.startsWith(QLatin1Char('#')))
            break;   // the version line comes before the first view
        if (!line.startsWith(prefix))
            continue;
        bool ok = false;
        const int v = line.mid(prefix.size()).trimmed().toInt(&ok);
        if (!ok || v < Version)
            return Version;
        return qMin(v, int(DateiVersion::NewestVersion));
    }
    return Version;
}

QByteArray ViewsCsv::toCsv(ViewHost& views, Fortschritt* progress)
{
    if (progress)
        progress->stage(progress->text(), views.viewCount() - 1);
    const int version = versionFor(views);
    QString text = QStringLiteral("#Erstellt mit quorvandel7\n#Views Version:%1\n").arg(version);
    // Column settings go first, so that a reader has the columns before the views.
    const QVector<SpaltenRegel> regeln = SpaltenRegeln::von(views.dataModel());
    if (!regeln.isEmpty())
        text += RegelnPrefix + base64(SpaltenRegeln::bytes(regeln)) + QLatin1Char('\n');
    for (int row = 1; row < views.viewCount(); ++row) {
        const ViewRecord r = views.record(row, version);
        const ViewRecord::Stored it = views.stored(row);
        // The list item's values as they stand: a page that was only appended keeps
        // its adapter type "false" and no columns.
        const QStringList fields{
            DataCsvExport::quoted(r.title),
            DataCsvExport::quoted(it.category),
            DataCsvExport::quoted(it.adapterType.toString()),
            DataCsvExport::quoted(it.columns.toStringList().join(QLatin1Char(','))),
            DataCsvExport::quoted(r.viewType),
            DataCsvExport::quoted(base64(r.notes.toUtf8())),
        };
        QStringList titles;
        for (int c : r.columns) {
            const QVariant t = views.dataModel()
                ? views.dataModel()->headerData(c, Qt::Horizontal, Qt::DisplayRole)
                : QVariant();
            // A column without a title of its own is known by its number only.
            titles << DataCsvExport::quoted(
                t.typeId() == QMetaType::QString ? base64(t.toString().toUtf8()) : QString());
        }
        text += SpaltenPrefix + QString::number(row) + QLatin1Char(':')
            + titles.join(QLatin1Char(';')) + QLatin1Char('\n');
        text += fields.join(QLatin1Char(';'));
        if (qobject_cast<ModelClient*>(views.viewPage(row)))
            text += QLatin1Char(';') + DataCsvExport::quoted(base64(r.settings)) + QLatin1Char('\n');
        else
            text += QLatin1String("ERROR\n");
        if (progress)
            progress->step(row);
    }
    return text.toUtf8();
}

bool ViewsCsv::write(const QString& fileName, ViewHost& views, Fortschritt* progress)
{
    QSaveFile out(fileName);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = toCsv(views, progress);
    if (out.write(bytes) != bytes.size()) {
        out.cancelWriting();
        return false;
    }
    return out.commit();
}

namespace {
// The first column of each title: a template of many views over a wide survey looks
// each title up once.
QHash<QString, int> firstColumnOf(const QStringList& surveyTitles)
{
    QHash<QString, int> out;
    for (int c = int(surveyTitles.size()) - 1; c >= 0; --c)
        out.insert(surveyTitles.at(c), c);
    return out;
}

QVector<int> matchedColumns(const QVector<int>& stored, const QStringList& titles,
                            const QStringList& surveyTitles, const QHash<QString, int>& first)
{
    if (titles.size() != stored.size())
        return stored;
    QVector<int> out;
    out.reserve(stored.size());
    for (int i = 0; i < stored.size(); ++i) {
        const int c = stored.at(i);
        const QString& t = titles.at(i);
        if (t.isEmpty() || (c >= 0 && c < surveyTitles.size() && surveyTitles.at(c) == t))
            out << c;
        else
            out << first.value(t, -1);
    }
    return out;
}
}

QVector<int> ViewsCsv::matchColumns(const QVector<int>& stored, const QStringList& titles,
                                    const QStringList& surveyTitles)
{
    return matchedColumns(stored, titles, surveyTitles, firstColumnOf(surveyTitles));
}

void ViewsCsv::regelnAnwenden(SpaltenSpeicher* model, const QString& text)
{
    if (model)
        regelnSetzen(model, regelnOf(text));
}

QStringList ViewsCsv::surveyTitles(const SpaltenSpeicher* m)
{
    QStringList out;
    if (m)
        for (int c = 0; c < m->columnCount(); ++c) {
            const QVariant t = m->headerData(c, Qt::Horizontal, Qt::DisplayRole);
            out << (t.typeId() == QMetaType::QString ? t.toString() : QString());
        }
    return out;
}

ViewsCsv::Inhalt ViewsCsv::lesen(const QString& text, const QStringList& surveyTitles)
{
    Inhalt out;
    const QHash<int, QStringList> known = columnTitlesOf(text);
    const QHash<QString, int> firstOf = firstColumnOf(surveyTitles);
    out.version = versionOf(text);
    QSet<QString> missingSeen;
    CsvReader reader(text, QLatin1Char(';'));
    QStringList f;
    while (reader.next(&f)) {
        if (f.size() < 6)
            continue;
        ++out.lines;
        ViewRecord r;
        r.title = f.at(0);
        r.adapterType = f.at(2);
        r.columns = columnsOf(f.at(3));
        r.viewType = f.at(4);
        // Older files hold the notes in an 8-bit encoding: not UTF-8, then Latin-1.
        r.notes = CsvReader::decode(fromBase64(f.at(5)));
        if (f.size() > 6)
            r.settings = fromBase64(f.at(6));
        const auto titles = known.constFind(out.lines);
        if (titles != known.constEnd()) {
            r.columns = matchedColumns(r.columns, *titles, surveyTitles, firstOf);
            bool lacking = false;
            for (int i = 0; i < r.columns.size(); ++i)
                if (r.columns.at(i) < 0) {
                    lacking = true;
                    if (!missingSeen.contains(titles->at(i))) {
                        missingSeen.insert(titles->at(i));
                        out.missing << titles->at(i);
                    }
                }
            // Made over other columns, the view would show a wrong question.
            if (lacking) {
                ++out.leftOut;
                continue;
            }
        }
        out.records << r;
        out.lineOf << out.lines;
    }
    return out;
}
