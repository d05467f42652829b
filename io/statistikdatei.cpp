#include "io/statistikdatei.h"

#include <QBuffer>
#include <QDataStream>
#include <QScopeGuard>
#include <QtEndian>
#include <memory>
#include <QIODevice>
#include "core/spaltenspeicher.h"

#include "diagrams/modelclient.h"
#include "analyses/viewtypes.h"
#include "core/fortschritt.h"
#include "core/recomputescheduler.h"
#include "core/gewichtung.h"
#include "core/mehrfachsets.h"
#include "core/variantreader.h"
#include "core/zellenleser.h"
#include "core/roles.h"
#include "core/spaltenregeln.h"
#include "core/umkodierung.h"
#include "core/viewhost.h"

namespace {
// Smallest number of bytes a column record takes in a file of this version: used to
// reject a column count that the remaining bytes cannot hold.
qint64 minColumnBytes(quint16 version)
{
    // hidden flag + variant header + empty string (+ four empty strings from version 4)
    return 1 + 9 + (version >= 4 ? 4 * 4 : 0);
}

constexpr qsizetype BlockBytes = 1 << 20;

// One cell as QDataStream (Qt 4.6) writes QVariant(text): type 10, null flag 0, then the
// string (a byte count, 0xFFFFFFFF for a null string, and big-endian UTF-16).
void appendCell(QByteArray* block, const QString& text)
{
    const qsizetype length = text.size();
    const qsizetype at = block->size();
    block->resize(at + 9 + 2 * length);
    uchar* p = reinterpret_cast<uchar*>(block->data()) + at;
    qToBigEndian<quint32>(10, p);
    p[4] = 0;
    qToBigEndian<quint32>(text.isNull() ? 0xFFFFFFFFu : quint32(2 * length), p + 5);
    qToBigEndian<char16_t>(text.utf16(), length, p + 9);
}

qint64 bytesLeft(QDataStream& s)
{
    QIODevice* d = s.device();
    return d ? d->bytesAvailable() : 0;
}
}

qint16 StatistikDatei::versionFor(const SpaltenSpeicher* model, ViewHost& views)
{
    qint16 version = Version;
    if (Gewichtung::spalteVon(model) >= 0)
        version = qMax(version, GewichtVersion);
    if (!MehrfachSets::von(model).isEmpty())
        version = qMax(version, MehrfachVersion);
    if (!SpaltenRegeln::von(model).isEmpty())
        version = qMax(version, FehlendVersion);
    for (int i = 1; i < views.viewCount(); ++i)
        if (const auto* mc = qobject_cast<const ModelClient*>(views.viewPage(i)))
            version = qMax(version, qint16(mc->neededVersion()));
    return version;
}

void StatistikDatei::write(SpaltenSpeicher* m, const QVector<int>& hidden,
                           ViewHost& views, QIODevice* device, Fortschritt* progress)
{
    QDataStream s(device);
    s.setVersion(QDataStream::Qt_4_6);

    const qint16 version = versionFor(m, views);
    s << Magic << version;
    const int rows = m->rowCount();
    const int cols = m->columnCount();
    s << qint32(rows) << qint32(cols);
    QVector<bool> isHidden(cols, false);
    for (int c : hidden)
        if (c >= 0 && c < cols)
            isHidden[c] = true;
    for (int c = 0; c < cols; ++c) {
        s << bool(isHidden.at(c));
        s << m->headerData(c, Qt::Horizontal, Qt::DisplayRole);
        s << m->headerData(c, Qt::Horizontal, Qt::ToolTipRole).toString();
        s << m->headerData(c, Qt::Horizontal, Roles::DerivationKind).toString();
        s << m->headerData(c, Qt::Horizontal, Roles::DerivationParameter).toString();
        s << m->headerData(c, Qt::Horizontal, Roles::DerivationSources).toString();
    }
    if (version >= GewichtVersion)
        s << qint32(Gewichtung::spalteVon(m));
    if (version >= MehrfachVersion)
        MehrfachSets::write(s, MehrfachSets::von(m));
    if (version >= FehlendVersion)
        SpaltenRegeln::write(s, SpaltenRegeln::von(m));
    // The cells are encoded here in blocks: the stream's QVariant path costs more than
    // the rest of saving together. The bytes are those of s << QVariant(QString).
    // Each column's distinct texts once, then its codes row by row.
    QVector<QVector<QString>> texte(cols);
    QVector<SpaltenSpeicher::Codes> codes(cols);
    for (int c = 0; c < cols; ++c) {
        const int n = m->poolGroesse(c);
        texte[c].reserve(n);
        for (int i = 0; i < n; ++i)
            texte[c] << m->eintrag(c, quint32(i)).wert.toString();
        codes[c] = m->codes(c);
    }
    QByteArray block;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c)
            appendCell(&block, texte.at(c).at(int(codes.at(c).at(r))));
        if (block.size() >= BlockBytes || r + 1 == rows) {
            s.writeRawData(block.constData(), int(block.size()));
            block.resize(0); // keeps the buffer for the next block
            if (progress)
                progress->step(r + 1);
        }
    }
    const int count = views.viewCount();
    s << qint32(count);
    for (int i = 1; i < count; ++i) {
        // The list item's values as they stand (a column list or adapter type may be
        // of another variant type in a restored file), then the settings record.
        const ViewRecord::Stored it = views.stored(i);
        s << it.title << it.adapterType << it.columns << it.viewType << it.notes;
        const QByteArray settings = views.record(i, version).settings;
        s.writeRawData(settings.constData(), settings.size());
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
    return v > quint16(NewestVersion) ? TooNew : Ok;
}

StatistikDatei::Outcome StatistikDatei::read(SpaltenSpeicher* m, QIODevice* device,
                                             quint16 version, Fortschritt* progress)
{
    Outcome out;
    QDataStream s(device);
    s.setVersion(QDataStream::Qt_4_6);

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
        if (hidden)
            out.hidden << c;
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
            m->setHeaderData(c, Qt::Horizontal, marker, Roles::DerivationKind);
            m->setHeaderData(c, Qt::Horizontal, info1, Roles::DerivationParameter);
            m->setHeaderData(c, Qt::Horizontal, info2, Roles::DerivationSources);
        }
    }
    if (version >= GewichtVersion) {
        qint32 weight = -1;
        s >> weight;
        if (s.status() != QDataStream::Ok) {
            out.result = Damaged;
            return out;
        }
        // A column the table does not have weights nothing.
        Gewichtung::of(m)->setSpalte(weight < cols ? weight : -1);
    }
    if (version >= MehrfachVersion) {
        QVector<MehrfachSet> sets;
        if (!MehrfachSets::read(s, cols, &sets)) {
            out.result = Damaged;
            return out;
        }
        MehrfachSets::of(m)->setSets(sets);
    }
    if (version >= FehlendVersion) {
        QVector<SpaltenRegel> regeln;
        if (!SpaltenRegeln::read(s, cols, &regeln)) {
            out.result = Damaged;
            return out;
        }
        SpaltenRegeln::setzen(m, regeln);
        // Recoded columns follow their sources from now on.
        for (const SpaltenRegel& r : std::as_const(regeln))
            if (!r.umkodierung.isEmpty())
                UmkodierungsWaechter::of(m);
    }
    // Without columns a row holds nothing the file could bound; read none.
    if (cols == 0)
        rows = 0;
    // The cells are read from the device's bytes a block at a time, and the stream goes
    // on where they end. A device that cannot go back is read a byte at a time, so that
    // nothing after the cells is taken.
    const qint64 start = device->pos();
    const bool sequential = device->isSequential();
    ZellenLeser cells(device, sequential ? 1 : 4 << 20);
    {
        // Straight into the columns' codes, a row at a time: the rows read completely
        // stay when the file is cut.
        SpaltenSpeicher::Aufbau bau(m);
        bool damaged = false;
        for (int r = 0; r < rows && !damaged; ++r) {
            bau.neueZeile();
            for (int c = 0; c < cols; ++c) {
                if (!cells.lies(bau, c)) {
                    bau.zeileVerwerfen();
                    damaged = true;
                    break;
                }
            }
            if (progress && (r & 1023) == 1023)
                progress->step(start + cells.pos());
        }
        out.rows = bau.zeilen();
        if (damaged) {
            out.result = Damaged;
            return out;
        }
    }
    if (!sequential && !device->seek(start + cells.pos())) {
        out.result = Damaged;
        return out;
    }

    // The views take what is left; read into memory, so that each record's bytes can
    // be taken as they were read.
    QBuffer rest;
    rest.setData(device->readAll());
    rest.open(QIODevice::ReadOnly);
    QDataStream v(&rest);
    v.setVersion(QDataStream::Qt_4_6);
    qint32 viewRows = 0;
    v >> viewRows;
    if (v.status() != QDataStream::Ok) {
        out.result = Damaged;
        return out;
    }
    // The views made only to measure their records are computed by nobody.
    RecomputeScheduler::hold(true);
    const auto release = qScopeGuard([] { RecomputeScheduler::hold(false); });
    for (int i = 1; i < viewRows; ++i) {
        QVariant title, adapter, columns, viewType, notes;
        if (!VariantReader::read(v, title) || !VariantReader::read(v, adapter)
            || !VariantReader::read(v, columns) || !VariantReader::read(v, viewType)
            || !VariantReader::read(v, notes)) {
            out.result = Damaged;
            return out;
        }
        // A page that was only appended (no types, no columns) wrote no settings: it
        // cannot be re-created, but the records after it are still in step.
        if (viewType.toString().isEmpty() && columns.toStringList().isEmpty()
            && adapter.typeId() != QMetaType::QString)
            continue;
        const QStringList colTexts = columns.toStringList();
        ViewRecord r;
        r.adapterType = adapter.toString();
        r.viewType = viewType.toString();
        r.columns = ViewRecord::columnsFromTexts(colTexts);
        r.title = title.toString();
        r.notes = notes.toString();
        r.toolTip = QStringLiteral("%1, %2, Spalte:%3")
                        .arg(r.viewType, r.adapterType, colTexts.join(","));
        const std::unique_ptr<ModelClient> measure(ViewTypes::makeView(
            r.adapterType, r.viewType,
            ViewRecord::boundedColumns(r.columns, m->columnCount()), r.title, m));
        // Records carry no length: nothing after one that fails can be trusted.
        if (!measure) {
            out.result = Damaged;
            return out;
        }
        const qint64 from = rest.pos();
        measure->loadData(v, version);
        if (v.status() != QDataStream::Ok) {
            out.result = Damaged;
            return out;
        }
        r.settings = rest.data().mid(from, rest.pos() - from);
        out.records << r;
    }
    return out;
}
