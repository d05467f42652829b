#include "io/datacsvexport.h"

#include <QSaveFile>
#include "core/spaltenspeicher.h"

#include "core/fortschritt.h"

QString DataCsvExport::quoted(const QString& value)
{
    QString out;
    out.reserve(value.size() + 2);
    out += QLatin1Char('"');
    for (QChar c : value) {
        if (c == QLatin1Char('"'))
            out += QLatin1Char('"');
        out += c;
    }
    out += QLatin1Char('"');
    return out;
}

QByteArray DataCsvExport::toCsv(const SpaltenSpeicher* model, const QVector<int>& hidden,
                                 Fortschritt* progress)
{
    QVector<bool> isHidden(model->columnCount(), false);
    for (int c : hidden)
        if (c >= 0 && c < isHidden.size())
            isHidden[c] = true;
    QList<int> shown;
    for (int c = 0; c < model->columnCount(); ++c) {
        if (!isHidden.at(c))
            shown << c;
    }
    QString text = QStringLiteral("#Erstellt mit quorvandel7\n");
    auto line = [&text](const QStringList& fields) {
        text += fields.join(QLatin1Char(';'));
        text += QLatin1Char('\n');
    };
    QStringList fields;
    for (int c : shown)
        fields << quoted(model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString());
    line(fields);
    if (progress)
        progress->stage(progress->text(), model->rowCount());
    for (int r = 0; r < model->rowCount(); ++r) {
        if (progress)
            progress->step(r);
        fields.clear();
        for (int c : shown)
            fields << quoted(model->data(model->index(r, c), Qt::DisplayRole).toString());
        line(fields);
    }
    return text.toUtf8();
}

bool DataCsvExport::write(const QString& fileName, const SpaltenSpeicher* model,
                          const QVector<int>& hidden, Fortschritt* progress)
{
    QSaveFile out(fileName);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = toCsv(model, hidden, progress);
    if (out.write(bytes) != bytes.size()) {
        out.cancelWriting();
        return false;
    }
    return out.commit();
}
