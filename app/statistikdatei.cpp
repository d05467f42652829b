#include "app/statistikdatei.h"

#include <QDataStream>
#include <QIODevice>
#include <QStackedWidget>
#include <QStandardItemModel>
#include <QTableView>

#include "app/modelclient.h"
#include "app/tabelle1.h"
#include "app/variantreader.h"
#include "app/view.h"

namespace {
// Smallest number of bytes a column record takes in a file of this version: used to
// reject a column count that the remaining bytes cannot hold.
qint64 minColumnBytes(quint16 version)
{
    // hidden flag + variant header + empty string (+ four empty strings from version 4)
    return 1 + 9 + (version >= 4 ? 4 * 4 : 0);
}

qint64 bytesLeft(QDataStream& s)
{
    QIODevice* d = s.device();
    return d ? d->bytesAvailable() : 0;
}
}

void StatistikDatei::write(View& view, QIODevice* device)
{
    QDataStream s(device);
    s.setVersion(QDataStream::Qt_4_6);
    QStandardItemModel* m = view.dataModel();
    QTableView* table = view.dataTable()->table();

    s << Magic << Version;
    const int rows = m->rowCount();
    const int cols = m->columnCount();
    s << qint32(rows) << qint32(cols);
    for (int c = 0; c < cols; ++c) {
        s << table->isColumnHidden(c);
        s << m->headerData(c, Qt::Horizontal, Qt::DisplayRole);
        s << m->headerData(c, Qt::Horizontal, Qt::ToolTipRole).toString();
        s << m->headerData(c, Qt::Horizontal, Qt::UserRole).toString();
        s << m->headerData(c, Qt::Horizontal, Qt::UserRole + 1).toString();
        s << m->headerData(c, Qt::Horizontal, Qt::UserRole + 2).toString();
    }
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            const QStandardItem* it = m->item(r, c);
            s << QVariant(it ? it->data(Qt::DisplayRole).toString() : QString());
        }
    }
    QStandardItemModel* list = view.viewListModel();
    const int views = list->rowCount();
    s << qint32(views);
    for (int i = 1; i < views; ++i) {
        const QStandardItem* it = list->item(i);
        s << it->data(Qt::DisplayRole) << it->data(Qt::UserRole + 1)
          << it->data(Qt::UserRole + 2) << it->data(Qt::UserRole + 3)
          << it->data(Qt::UserRole + 4);
        if (auto* mc = qobject_cast<ModelClient*>(view.viewArea()->widget(i)))
            mc->saveData(s, Version);
    }
}

StatistikDatei::Result StatistikDatei::checkHeader(QIODevice* device, quint16* version)
{
    QDataStream s(device);
    s.setVersion(QDataStream::Qt_4_6);
    qint32 magic = 0;
    s >> magic;
    if (s.status() != QDataStream::Ok || magic != Magic)
        return NotStatFile;
    quint16 v = 0;
    s >> v;
    if (s.status() != QDataStream::Ok)
        return NotStatFile;
    *version = v;
    return v > quint16(Version) ? TooNew : Ok;
}

StatistikDatei::Outcome StatistikDatei::read(View& view, QIODevice* device, quint16 version)
{
    Outcome out;
    QDataStream s(device);
    s.setVersion(QDataStream::Qt_4_6);
    QStandardItemModel* m = view.dataModel();
    QTableView* table = view.dataTable()->table();

    qint32 rows = 0;
    qint32 cols = 0;
    s >> rows >> cols;
    // A row count beyond the bytes left is not rejected here: rows are read one at a
    // time and reading stops at the first that is cut, so the complete ones stay.
    if (s.status() != QDataStream::Ok || rows < 0 || cols < 0
        || qint64(cols) * minColumnBytes(version) > bytesLeft(s)) {
        out.result = Damaged;
        return out;
    }
    m->setColumnCount(cols);
    for (int c = 0; c < cols; ++c) {
        bool hidden = false;
        QVariant title;
        s >> hidden;
        if (!VariantReader::read(s, title)) {
            out.result = Damaged;
            return out;
        }
        table->setColumnHidden(c, hidden);
        m->setHeaderData(c, Qt::Horizontal, title, Qt::EditRole);
        m->setHeaderData(c, Qt::Horizontal, title, Qt::ToolTipRole);
        if (version >= 4) {
            QString tip, marker, info1, info2;
            s >> tip >> marker >> info1 >> info2;
            if (s.status() != QDataStream::Ok) {
                out.result = Damaged;
                return out;
            }
            m->setHeaderData(c, Qt::Horizontal, tip, Qt::ToolTipRole);
            m->setHeaderData(c, Qt::Horizontal, marker, Qt::UserRole);
            m->setHeaderData(c, Qt::Horizontal, info1, Qt::UserRole + 1);
            m->setHeaderData(c, Qt::Horizontal, info2, Qt::UserRole + 2);
        }
    }
    // Without columns a row holds nothing the file could bound; read none.
    if (cols == 0)
        rows = 0;
    {
        Tabelle1::BulkFill bulk(view.dataTable());
        for (int r = 0; r < rows; ++r) {
            QList<QStandardItem*> row;
            row.reserve(cols);
            for (int c = 0; c < cols; ++c) {
                QVariant v;
                if (!VariantReader::read(s, v)) {
                    qDeleteAll(row);
                    out.result = Damaged;
                    return out;
                }
                auto* it = new QStandardItem(v.toString());
                it->setData(v, Qt::UserRole + 1);
                it->setData(v.toString(), Qt::ToolTipRole);
                row << it;
            }
            m->appendRow(row);
            ++out.rows;
        }
    }

    qint32 views = 0;
    s >> views;
    if (s.status() != QDataStream::Ok) {
        out.result = Damaged;
        return out;
    }
    for (int i = 1; i < views; ++i) {
        QVariant title, adapter, columns, viewType, notes;
        if (!VariantReader::read(s, title) || !VariantReader::read(s, adapter)
            || !VariantReader::read(s, columns) || !VariantReader::read(s, viewType)
            || !VariantReader::read(s, notes)) {
            out.result = Damaged;
            return out;
        }
        // A page that was only appended (no types, no columns) wrote no settings: it
        // cannot be re-created, but the records after it are still in step.
        if (viewType.toString().isEmpty() && columns.toStringList().isEmpty()
            && adapter.typeId() != QMetaType::QString)
            continue;
        QVector<int> cols;
        const QStringList colTexts = columns.toStringList();
        for (const QString& t : colTexts)
            cols << t.toInt();
        ModelClient* mc = view.createView(adapter.toString(), viewType.toString(), cols,
                                          title.toString(), notes.toString());
        if (!mc) {
            // Records carry no length: nothing after one that fails can be trusted.
            out.result = Damaged;
            return out;
        }
        QStandardItem* item = view.viewListModel()->item(view.viewIndex(mc));
        item->setData(QStringLiteral("%1, %2, Spalte:%3")
                          .arg(viewType.toString(), adapter.toString(), colTexts.join(",")),
                      Qt::ToolTipRole);
        mc->loadData(s, version);
        if (s.status() != QDataStream::Ok) {
            view.removeView(view.viewIndex(mc));
            out.result = Damaged;
            return out;
        }
        ++out.views;
    }
    return out;
}
