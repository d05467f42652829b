#include "io/csvimport.h"

#include <QFile>
#include <QStandardItemModel>

#include "core/csvreader.h"
#include "core/itempool.h"
#include "core/spaltensicht.h"
#include "core/textpool.h"
#include "core/zeilenfabrik.h"

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

void CsvImport::fill(const QString& text, QStandardItemModel* model, SpaltenSicht* table,
                     Fortschritt* progress)
{
    CsvReader reader(text, CsvReader::detectSeparator(text));
    QStringList fields;
    SpaltenSicht::Fuellung bulk(table);
    if (!reader.next(&fields))
        return;
    model->setColumnCount(fields.size());
    model->setHorizontalHeaderLabels(fields);
    for (int c = 0; c < fields.size(); ++c)
        model->setHeaderData(c, Qt::Horizontal, fields.at(c), Qt::ToolTipRole);
    fillRows(reader, model, progress);
}

void CsvImport::fillRows(CsvReader& reader, QStandardItemModel* model, Fortschritt* progress)
{
    // Items made on the window's thread come from a pool of its own.
    ItemPool windowItems;
    ZeilenFabrik::run(
        model,
        [&reader, &windowItems](ZeilenFabrik& made) {
            TextPool pool;
            ItemPool items;
            reader.setPool(&pool);
            // A block of records at a time, their lists reused from block to block.
            QList<QStringList> records(ZeilenFabrik::BlockRows);
            qint64 blocks = 0;
            auto putBlock = [&](int rows) {
                if (made.sharesWork() && ++blocks % 2 == 0) {
                    // Every other block is made by the window's thread.
                    made.putLater([block = records.mid(0, rows), &windowItems] {
                        return ZeilenFabrik::makeColumnwise(
                            int(block.size()), [&](int r) { return int(block.at(r).size()); },
                            [&](int r, int c) { return windowItems.text(block.at(r).at(c), c); });
                    });
                } else {
                    made.putColumnwise(
                        rows, [&](int r) { return int(records.at(r).size()); },
                        [&](int r, int c) { return items.text(records.at(r).at(c), c); });
                }
                made.setDone(reader.position());
            };
            int n = 0;
            while (reader.next(&records[n])) {
                if (++n == records.size()) {
                    putBlock(n);
                    n = 0;
                }
            }
            putBlock(n);
            reader.setPool(nullptr);
        },
        progress);
}
