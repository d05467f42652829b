#include "core/mehrfachsets.h"

#include <QDataStream>
#include <QIODevice>
#include "core/spaltenspeicher.h"

#include "core/rowfilter.h"

bool MehrfachSet::gewaehlt(const QString& cell) const
{
    if (wert.isEmpty())
        return !cell.trimmed().isEmpty();
    return cell.trimmed() == wert;
}

namespace {
// A set's column numbers after count columns came in at first.
QVector<int> spaltenNachEinfuegen(const QVector<int>& spalten, int first, int count)
{
    QVector<int> out = spalten;
    for (int& c : out)
        if (c >= first)
            c += count;
    return out;
}

// After the columns first .. first + count - 1 left: those drop out, the later move up.
QVector<int> spaltenNachEntfernen(const QVector<int>& spalten, int first, int count)
{
    QVector<int> out;
    out.reserve(spalten.size());
    for (int c : spalten) {
        if (c < first)
            out << c;
        else if (c >= first + count)
            out << c - count;
    }
    return out;
}

QVector<double> anteile(const QVector<double>& werte, double von)
{
    QVector<double> out(werte.size(), 0.0);
    if (von > 0)
        for (int i = 0; i < werte.size(); ++i)
            out[i] = 100.0 * werte.at(i) / von;
    return out;
}
}

QVector<double> MehrfachZaehlung::prozentDerBasis() const { return anteile(gewaehlt, basis); }
QVector<double> MehrfachZaehlung::prozentDerAntworten() const
{
    return anteile(gewaehlt, antworten);
}

MehrfachSets::MehrfachSets(QAbstractItemModel* model)
    : QObject(model)
{
    // A new data table has no sets; a load sets them after emptying.
    connect(model, &QAbstractItemModel::modelReset, this, [this] { setSets({}); });
    connect(model, &QAbstractItemModel::columnsInserted, this,
            [this](const QModelIndex& parent, int first, int last) {
                if (!parent.isValid())
                    spaltenVerschoben(first, last - first + 1, true);
            });
    connect(model, &QAbstractItemModel::columnsRemoved, this,
            [this](const QModelIndex& parent, int first, int last) {
                if (!parent.isValid())
                    spaltenVerschoben(first, last - first + 1, false);
            });
}

void MehrfachSets::spaltenVerschoben(int first, int count, bool eingefuegt)
{
    if (m_sets.isEmpty() || count <= 0)
        return;
    QVector<MehrfachSet> sets = m_sets;
    for (MehrfachSet& set : sets)
        set.spalten = eingefuegt ? spaltenNachEinfuegen(set.spalten, first, count)
                                 : spaltenNachEntfernen(set.spalten, first, count);
    setSets(sets);
}

MehrfachSets* MehrfachSets::of(QAbstractItemModel* model)
{
    if (!model)
        return nullptr;
    if (auto* s = model->findChild<MehrfachSets*>(QString(), Qt::FindDirectChildrenOnly))
        return s;
    return new MehrfachSets(model);
}

QVector<MehrfachSet> MehrfachSets::von(const QAbstractItemModel* model)
{
    if (!model)
        return {};
    const auto* s = model->findChild<MehrfachSets*>(QString(), Qt::FindDirectChildrenOnly);
    return s ? s->sets() : QVector<MehrfachSet>();
}

MehrfachSet MehrfachSets::fuer(const QAbstractItemModel* model, const QVector<int>& spalten,
                               const QString& name)
{
    for (const MehrfachSet& s : von(model))
        if (s.spalten == spalten)
            return s;
    MehrfachSet s;
    s.name = name;
    s.spalten = spalten;
    return s;
}

bool MehrfachSets::finde(const QAbstractItemModel* model, const QString& name,
                         const QVector<int>& spalten, MehrfachSet* out)
{
    for (const MehrfachSet& s : von(model))
        if (s.name == name && s.spalten == spalten) {
            *out = s;
            return true;
        }
    return false;
}

QStringList MehrfachSets::optionen(const QAbstractItemModel* model, const MehrfachSet& set)
{
    QStringList out;
    const QString prefix = set.name + QStringLiteral(" – ");
    for (int c : set.spalten) {
        QString t = model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        if (!set.name.isEmpty() && t.startsWith(prefix) && t.size() > prefix.size())
            t = t.mid(prefix.size());
        out << t;
    }
    return out;
}

MehrfachZaehlung MehrfachSets::zaehlen(const SpaltenSpeicher* model, const MehrfachSet& set,
                                       const Gewichte& gewichte, const RowFilter* filter)
{
    MehrfachZaehlung z;
    const int k = set.spalten.size();
    z.gewaehlt.fill(0.0, k);
    z.optionen = optionen(model, set);
    const int cols = model->columnCount();
    // Whether an option is chosen is decided once per value of its column's pool.
    QVector<SpaltenSpeicher::Codes> codes(k);
    QVector<QVector<char>> waehlt(k);
    for (int i = 0; i < k; ++i) {
        const int c = set.spalten.at(i);
        if (c < 0 || c >= cols)
            continue;
        codes[i] = model->codes(c);
        const int n = model->poolGroesse(c);
        waehlt[i].resize(n);
        for (int p = 0; p < n; ++p) {
            const QVariant& wert = model->eintrag(c, quint32(p)).wert;
            // A missing cell is never chosen.
            waehlt[i][p] = p > 0 && set.gewaehlt(wert.toString());
        }
    }
    QVector<char> gewaehlt(k);
    for (int r = 0; r < model->rowCount(); ++r) {
        if (filter && !filter->admitsRow(model, r))
            continue;
        bool eine = false;
        for (int i = 0; i < k; ++i) {
            gewaehlt[i] = !waehlt.at(i).isEmpty() && waehlt.at(i).at(int(codes.at(i).at(r)));
            eine = eine || gewaehlt[i];
        }
        if (!eine)
            continue;
        if (!gewichte.gueltigAt(r)) {
            ++z.ohneGewicht;
            continue;
        }
        const double w = gewichte.at(r);
        for (int i = 0; i < k; ++i) {
            if (gewaehlt[i]) {
                z.gewaehlt[i] += w;
                z.antworten += w;
            }
        }
        z.basis += w;
        ++z.befragte;
    }
    return z;
}

void MehrfachSets::write(QDataStream& s, const QVector<MehrfachSet>& sets)
{
    s << qint32(sets.size());
    for (const MehrfachSet& set : sets) {
        s << set.name << set.wert << qint32(set.spalten.size());
        for (int c : set.spalten)
            s << qint32(c);
    }
}

bool MehrfachSets::read(QDataStream& s, int columns, QVector<MehrfachSet>* sets)
{
    sets->clear();
    auto left = [&s] { return s.device() ? s.device()->bytesAvailable() : 0; };
    qint32 n = 0;
    s >> n;
    // Each set takes at least its two string lengths and its column count.
    if (s.status() != QDataStream::Ok || n < 0 || qint64(n) * 12 > left())
        return false;
    for (qint32 i = 0; i < n; ++i) {
        MehrfachSet set;
        qint32 k = 0;
        s >> set.name >> set.wert >> k;
        if (s.status() != QDataStream::Ok || k < 0 || qint64(k) * 4 > left())
            return false;
        for (qint32 j = 0; j < k; ++j) {
            qint32 c = -1;
            s >> c;
            if (s.status() != QDataStream::Ok)
                return false;
            if (c >= 0 && c < columns)
                set.spalten << c;
        }
        sets->append(set);
    }
    return true;
}

void MehrfachSets::setSets(const QVector<MehrfachSet>& sets)
{
    if (sets == m_sets)
        return;
    m_sets = sets;
    emit changed();
}

void MehrfachSets::add(const MehrfachSet& set)
{
    m_sets.append(set);
    emit changed();
}
