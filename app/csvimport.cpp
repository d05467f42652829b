#include "app/csvimport.h"

#include <QFile>
#include <QStandardItemModel>

#include "app/csvreader.h"
#include "app/tabelle1.h"

bool CsvImport::readText(const QString& fileName, QString* text)
{
    QFile f(fileName);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    *text = CsvReader::decode(f.readAll());
    return true;
}

void CsvImport::fill(const QString& text, QStandardItemModel* model, Tabelle1* table)
{
    bool header = true;
    CsvReader reader(text, CsvReader::detectSeparator(text));
    QStringList fields;
    Tabelle1::BulkFill bulk(table);
    while (reader.next(&fields)) {
        if (header) {
            model->setColumnCount(fields.size());
            model->setHorizontalHeaderLabels(fields);
            for (int c = 0; c < fields.size(); ++c)
                model->setHeaderData(c, Qt::Horizontal, fields.at(c), Qt::ToolTipRole);
            header = false;
            continue;
        }
        QList<QStandardItem*> row;
        row.reserve(fields.size());
        for (const QString& field : fields)
            row << new QStandardItem(field);
        model->appendRow(row);
    }
}
