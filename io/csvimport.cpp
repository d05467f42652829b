#include "io/csvimport.h"

#include <QFile>
#include "core/spaltenspeicher.h"

#include "core/csvreader.h"
#include "core/fortschritt.h"
#include "diagrams/tabelle1.h"

bool CsvImport::readText(const QString& fileName, QString* text)
{
    QFile f(fileName);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    *text = CsvReader::decode(f.readAll());
    return true;
}

bool CsvImport::isSurvey(const QString& text)
{
    if (QStringView(text).left(64 * 1024).contains(QChar(0)))
        return false;
    CsvReader reader(text, CsvReader::detectSeparator(text));
    QStringList header;
    if (!reader.next(&header))
        return false;
    for (const QString& title : header)
        if (!title.trimmed().isEmpty())
            return true;
    return false;
}

void CsvImport::fill(const QString& text, SpaltenSpeicher* model, Tabelle1* table,
                     Fortschritt* progress)
{
    CsvReader reader(text, CsvReader::detectSeparator(text));
    QStringList fields;
    Tabelle1::BulkFill bulk(table);
    if (!reader.next(&fields))
        return;
    model->setColumnCount(fields.size());
    model->setHorizontalHeaderLabels(fields);
    for (int c = 0; c < fields.size(); ++c)
        model->setHeaderData(c, Qt::Horizontal, fields.at(c), Qt::ToolTipRole);
    fillRows(reader, model, progress);
}

void CsvImport::fillRows(CsvReader& reader, SpaltenSpeicher* model, Fortschritt* progress)
{
    // Each record goes straight into the columns' codes; the store keeps each distinct
    // text of a column once.
    SpaltenSpeicher::Aufbau bau(model);
    QStringList fields;
    qint64 n = 0;
    while (reader.next(&fields)) {
        bau.zeile(fields);
        if (progress && (++n & 1023) == 0)
            progress->step(reader.position());
    }
}
