#include "io/viewscsv.h"

#include <QSaveFile>
#include <QStandardItemModel>

#include "core/csvreader.h"
#include "core/fortschritt.h"
#include "core/modelclient.h"
#include "core/roles.h"
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

QByteArray ViewsCsv::toCsv(ViewHost& views, Fortschritt* progress)
{
    if (progress)
        progress->stage(progress->text(), views.viewCount() - 1);
    QString text = QStringLiteral("#Erstellt mit quorvandel7\n#Views Version:%1\n").arg(Version);
    for (int row = 1; row < views.viewCount(); ++row) {
        const ViewRecord r = views.record(row, Version);
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

ViewsCsv::Outcome ViewsCsv::read(const QString& text, ViewHost& views, Fortschritt* progress)
{
    Outcome out;
    // Lines, not records: enough for the bar.
    if (progress)
        progress->stage(progress->text(), text.count(QLatin1Char('\n')) + 1);
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
        if (views.createFromRecord(r, Version))
            ++out.created;
        else
            out.skipped.append({out.lines, r.title, r.adapterType, r.viewType});
        if (progress)
            progress->step(out.lines);
    }
    return out;
}
