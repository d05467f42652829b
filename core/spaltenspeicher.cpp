#include "core/spaltenspeicher.h"

#include <algorithm>
#include <cstring>

#include "core/roles.h"
#include "core/zellenzahl.h"

namespace {
// Texts seen before a column is judged; more than half of them distinct makes it free
// text, whose lookup table would cost more than it saves.
constexpr qint64 textsJudgedAfter = 2000;

// Pool entries beyond this share of the rows (plus a little) are left over from edits:
// the column is then compacted, so editing never makes a pool grow without bound.
qsizetype poolLimit(int rows)
{
    return 2 * qsizetype(rows) + 256;
}

int widthFor(qsizetype poolSize)
{
    return poolSize <= 0x100 ? 1 : poolSize <= 0x10000 ? 2 : 4;
}

const SpaltenSpeicher::Eintrag& missingEntry()
{
    static const SpaltenSpeicher::Eintrag e;
    return e;
}

// How a cell is looked up in its column's pool.
enum class Art { Fehlt, NullText, Text, Restauriert, Zahl, Andere, Einzeln };

Art artOf(const QVariant& wert, const QMap<int, QVariant>& rollen)
{
    if (rollen.isEmpty()) {
        switch (wert.metaType().id()) {
        case QMetaType::UnknownType:
            return Art::Fehlt;
        case QMetaType::QString:
            return static_cast<const QString*>(wert.constData())->isNull() ? Art::NullText
                                                                           : Art::Text;
        case QMetaType::Double:
            return Art::Zahl;
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Bool:
            return Art::Andere;
        default:
            return Art::Einzeln;
        }
    }
    // The restored text cell: its text shown, kept as the file's value and as tool tip.
    if (rollen.size() == 2 && wert.typeId() == QMetaType::QString) {
        const QVariant stored = rollen.value(Roles::RestoredValue);
        const QVariant tip = rollen.value(Qt::ToolTipRole);
        const QString& text = *static_cast<const QString*>(wert.constData());
        if (stored.typeId() == QMetaType::QString && tip.typeId() == QMetaType::QString
            && !text.isNull() && stored.toString() == text && tip.toString() == text)
            return Art::Restauriert;
    }
    return Art::Einzeln;
}

quint64 bitsOf(const QVariant& wert)
{
    quint64 bits = 0;
    std::memcpy(&bits, wert.constData(), sizeof bits);
    return bits;
}

QPair<int, QString> otherKey(const QVariant& wert)
{
    return {wert.metaType().id(), wert.toString()};
}
}

// ---- Spalte ----

SpaltenSpeicher::Spalte::Spalte()
{
    m_pool.append(Eintrag()); // code 0: the missing cell
}

int SpaltenSpeicher::Spalte::zeilen() const
{
    return m_breite == 1 ? int(m_c8.size()) : m_breite == 2 ? int(m_c16.size()) : int(m_c32.size());
}

quint32 SpaltenSpeicher::Spalte::code(int row) const
{
    return m_breite == 1 ? m_c8[size_t(row)] : m_breite == 2 ? m_c16[size_t(row)] : m_c32[size_t(row)];
}

void SpaltenSpeicher::Spalte::setzeCode(int row, quint32 code)
{
    if (m_breite == 1)
        m_c8[size_t(row)] = quint8(code);
    else if (m_breite == 2)
        m_c16[size_t(row)] = quint16(code);
    else
        m_c32[size_t(row)] = code;
}

void SpaltenSpeicher::Spalte::anhaengen(quint32 code)
{
    if (m_breite == 1)
        m_c8.push_back(quint8(code));
    else if (m_breite == 2)
        m_c16.push_back(quint16(code));
    else
        m_c32.push_back(code);
}

void SpaltenSpeicher::Spalte::zeilenEinfuegen(int row, int count)
{
    if (m_breite == 1)
        m_c8.insert(m_c8.begin() + row, size_t(count), 0);
    else if (m_breite == 2)
        m_c16.insert(m_c16.begin() + row, size_t(count), 0);
    else
        m_c32.insert(m_c32.begin() + row, size_t(count), 0);
}

void SpaltenSpeicher::Spalte::zeilenEntfernen(int row, int count)
{
    if (m_breite == 1)
        m_c8.erase(m_c8.begin() + row, m_c8.begin() + row + count);
    else if (m_breite == 2)
        m_c16.erase(m_c16.begin() + row, m_c16.begin() + row + count);
    else
        m_c32.erase(m_c32.begin() + row, m_c32.begin() + row + count);
}

void SpaltenSpeicher::Spalte::passeBreiteAn()
{
    const int breite = widthFor(m_pool.size());
    if (breite <= m_breite)
        return;
    const int n = zeilen();
    if (breite == 2) {
        m_c16.assign(m_c8.begin(), m_c8.end());
    } else {
        m_c32.resize(size_t(n));
        for (int r = 0; r < n; ++r)
            m_c32[size_t(r)] = code(r);
        m_c16 = std::vector<quint16>();
    }
    m_c8 = std::vector<quint8>();
    m_breite = breite;
}

void SpaltenSpeicher::Spalte::merke(quint32 code)
{
    const Eintrag& e = m_pool.at(code);
    // A text of a free-text column is looked up by nothing: whatever its roles, no
    // table takes it.
    if (m_frei && e.wert.typeId() == QMetaType::QString
        && !static_cast<const QString*>(e.wert.constData())->isNull())
        return;
    switch (artOf(e.wert, e.rollen)) {
    case Art::NullText:
        m_nullText = code;
        break;
    case Art::Text:
        if (!m_frei)
            m_texte.insert(TextKey{e.wert.toString()}, code);
        break;
    case Art::Restauriert:
        if (!m_frei)
            m_restauriert.insert(TextKey{e.wert.toString()}, code);
        break;
    case Art::Zahl:
        m_zahlen.insert(bitsOf(e.wert), code);
        break;
    case Art::Andere:
        m_andere.insert(otherKey(e.wert), code);
        break;
    case Art::Fehlt:
    case Art::Einzeln:
        break;
    }
}

quint32 SpaltenSpeicher::Spalte::neu(const QVariant& wert, const QMap<int, QVariant>& rollen)
{
    Eintrag e;
    e.wert = wert;
    e.rollen = rollen;
    m_pool.append(std::move(e));
    const auto code = quint32(m_pool.size() - 1);
    merke(code);
    passeBreiteAn();
    return code;
}

void SpaltenSpeicher::Spalte::pruefeFrei()
{
    if (m_frei || ++m_gesehen != textsJudgedAfter)
        return;
    if ((m_texte.size() + m_restauriert.size()) * 2 > m_gesehen) {
        m_frei = true;
        m_texte = QHash<TextKey, quint32>();
        m_restauriert = QHash<TextKey, quint32>();
    }
}

quint32 SpaltenSpeicher::Spalte::codeFuerText(QStringView text, const QString* original)
{
    if (text.isNull())
        return m_nullText ? m_nullText : neu(QVariant(QString()), {});
    pruefeFrei();
    if (!m_frei) {
        // A key over the caller's characters: no copy unless the text is new.
        const TextKey key{QString::fromRawData(text.data(), text.size())};
        const auto it = m_texte.constFind(key);
        if (it != m_texte.cend())
            return it.value();
    }
    // A text the caller holds is shared, not copied.
    return neu(QVariant(original ? *original : text.toString()), {});
}

quint32 SpaltenSpeicher::Spalte::codeFuer(const QVariant& wert, const QMap<int, QVariant>& rollen)
{
    switch (artOf(wert, rollen)) {
    case Art::Fehlt:
        return 0;
    case Art::NullText:
    case Art::Text:
    {
        const QString* text = static_cast<const QString*>(wert.constData());
        return codeFuerText(*text, text);
    }
    case Art::Restauriert: {
        pruefeFrei();
        if (!m_frei) {
            const auto it = m_restauriert.constFind(TextKey{wert.toString()});
            if (it != m_restauriert.cend())
                return it.value();
        }
        break;
    }
    case Art::Zahl: {
        const auto it = m_zahlen.constFind(bitsOf(wert));
        if (it != m_zahlen.cend())
            return it.value();
        break;
    }
    case Art::Andere: {
        const auto it = m_andere.constFind(otherKey(wert));
        if (it != m_andere.cend())
            return it.value();
        break;
    }
    case Art::Einzeln:
        break;
    }
    return neu(wert, rollen);
}

void SpaltenSpeicher::Spalte::verdichten()
{
    const int n = zeilen();
    std::vector<quint32> codes(static_cast<size_t>(n));
    std::vector<quint32> neuerCode(size_t(m_pool.size()), 0);
    std::vector<bool> benutzt(size_t(m_pool.size()), false);
    for (int r = 0; r < n; ++r)
        benutzt[codes[size_t(r)] = code(r)] = true;
    QVector<Eintrag> pool;
    pool.append(Eintrag());
    for (qsizetype c = 1; c < m_pool.size(); ++c) {
        if (benutzt[size_t(c)]) {
            neuerCode[size_t(c)] = quint32(pool.size());
            pool.append(m_pool.at(c));
        }
    }
    m_pool = pool;
    m_texte.clear();
    m_restauriert.clear();
    m_zahlen.clear();
    m_andere.clear();
    m_nullText = 0;
    for (qsizetype c = 1; c < m_pool.size(); ++c)
        merke(quint32(c));
    m_c8 = std::vector<quint8>();
    m_c16 = std::vector<quint16>();
    m_c32 = std::vector<quint32>();
    m_breite = widthFor(m_pool.size());
    for (int r = 0; r < n; ++r)
        anhaengen(neuerCode[codes[size_t(r)]]);
}

void SpaltenSpeicher::Spalte::anfuegen(const QVariant& wert)
{
    const quint32 c = codeFuer(wert, {});
    anhaengen(c);
}

QVariant SpaltenSpeicher::Spalte::wert(int row) const
{
    return row >= 0 && row < zeilen() ? m_pool.at(code(row)).wert : QVariant();
}

QVariant SpaltenSpeicher::Spalte::kopf(int role) const
{
    return m_kopf.value(role == Qt::EditRole ? int(Qt::DisplayRole) : role);
}

void SpaltenSpeicher::Spalte::setzeKopf(int role, const QVariant& value)
{
    if (role == Qt::EditRole)
        role = Qt::DisplayRole;
    if (value.isValid())
        m_kopf.insert(role, value);
    else
        m_kopf.remove(role);
}

// ---- Aufbau ----

SpaltenSpeicher::Aufbau::Aufbau(SpaltenSpeicher* speicher, const QStringList& titel)
    : m_s(speicher)
{
    m_s->beginResetModel();
    m_s->m_spalten.clear();
    m_s->m_spalten.resize(size_t(titel.size()));
    m_s->m_zeilen = 0;
    for (qsizetype c = 0; c < titel.size(); ++c)
        m_s->m_spalten[size_t(c)].m_kopf.insert(Qt::DisplayRole, titel.at(c));
}

SpaltenSpeicher::Aufbau::Aufbau(SpaltenSpeicher* speicher)
    : m_s(speicher)
    , m_anfuegen(true)
    , m_ende(speicher->m_zeilen)
{
}

SpaltenSpeicher::Aufbau::~Aufbau()
{
    if (m_anfuegen)
        zeigen();
    else
        m_s->endResetModel();
}

void SpaltenSpeicher::Aufbau::zeigen()
{
    if (!m_anfuegen || m_ende == m_s->m_zeilen)
        return;
    m_s->beginInsertRows(QModelIndex(), m_s->m_zeilen, m_ende - 1);
    m_s->m_zeilen = m_ende;
    m_s->endInsertRows();
}

void SpaltenSpeicher::Aufbau::neueZeile()
{
    for (Spalte& s : m_s->m_spalten)
        s.anhaengen(0);
    ++m_ende;
    ++m_gebaut;
    if (!m_anfuegen)
        m_s->m_zeilen = m_ende;
}

SpaltenSpeicher::Spalte* SpaltenSpeicher::Aufbau::spalte(int c)
{
    if (c < 0 || size_t(c) >= m_s->m_spalten.size() || m_gebaut == 0)
        return nullptr;
    return &m_s->m_spalten[size_t(c)];
}

void SpaltenSpeicher::Aufbau::text(int c, QStringView text)
{
    if (Spalte* s = spalte(c))
        s->setzeCode(m_ende - 1, s->codeFuerText(text));
}

void SpaltenSpeicher::Aufbau::text(int c, const QString& text)
{
    if (Spalte* s = spalte(c))
        s->setzeCode(m_ende - 1, s->codeFuerText(text, &text));
}

void SpaltenSpeicher::Aufbau::wert(int c, const QVariant& wert)
{
    if (Spalte* s = spalte(c))
        s->setzeCode(m_ende - 1, s->codeFuer(wert, {}));
}

void SpaltenSpeicher::Aufbau::restauriert(int c, const QVariant& wert)
{
    Spalte* s = spalte(c);
    if (!s)
        return;
    if (wert.typeId() == QMetaType::QString) {
        // The common case of a loaded file: a text met before is found without
        // building its roles.
        const QString& text = *static_cast<const QString*>(wert.constData());
        if (!text.isNull()) {
            s->pruefeFrei();
            if (!s->m_frei) {
                const auto it = s->m_restauriert.constFind(TextKey{text});
                if (it != s->m_restauriert.cend()) {
                    s->setzeCode(m_ende - 1, it.value());
                    return;
                }
            }
            QMap<int, QVariant> rollen;
            rollen.insert(Roles::RestoredValue, wert);
            rollen.insert(Qt::ToolTipRole, text);
            s->setzeCode(m_ende - 1, s->neu(wert, rollen));
            return;
        }
    }
    const QString text = wert.toString();
    QMap<int, QVariant> rollen;
    rollen.insert(Roles::RestoredValue, wert);
    rollen.insert(Qt::ToolTipRole, text);
    s->setzeCode(m_ende - 1, s->codeFuer(QVariant(text), rollen));
}

void SpaltenSpeicher::Aufbau::restauriertText(int c, QStringView text)
{
    Spalte* s = spalte(c);
    if (!s)
        return;
    s->pruefeFrei();
    if (!s->m_frei) {
        // A key over the reader's characters: no copy unless the text is new.
        const auto it = s->m_restauriert.constFind(TextKey{QString::fromRawData(text.data(), text.size())});
        if (it != s->m_restauriert.cend()) {
            s->setzeCode(m_ende - 1, it.value());
            return;
        }
    }
    const QString neu = text.toString();
    QMap<int, QVariant> rollen;
    rollen.insert(Roles::RestoredValue, neu);
    rollen.insert(Qt::ToolTipRole, neu);
    s->setzeCode(m_ende - 1, s->neu(QVariant(neu), rollen));
}

void SpaltenSpeicher::Aufbau::zeileVerwerfen()
{
    if (m_gebaut == 0)
        return;
    for (Spalte& s : m_s->m_spalten)
        s.zeilenEntfernen(m_ende - 1, 1);
    --m_ende;
    --m_gebaut;
    if (!m_anfuegen)
        m_s->m_zeilen = m_ende;
}

void SpaltenSpeicher::Aufbau::zeile(const QStringList& felder)
{
    if (m_anfuegen && felder.size() > qsizetype(m_s->m_spalten.size())) {
        zeigen();
        m_s->insertColumns(int(m_s->m_spalten.size()),
                           int(felder.size() - qsizetype(m_s->m_spalten.size())));
    }
    neueZeile();
    const qsizetype n = std::min(felder.size(), qsizetype(m_s->m_spalten.size()));
    for (qsizetype c = 0; c < n; ++c)
        text(int(c), felder.at(c));
}

void SpaltenSpeicher::Aufbau::zeileAusSichten(const QList<QStringView>& felder)
{
    if (m_anfuegen && felder.size() > qsizetype(m_s->m_spalten.size())) {
        zeigen();
        m_s->insertColumns(int(m_s->m_spalten.size()),
                           int(felder.size() - qsizetype(m_s->m_spalten.size())));
    }
    neueZeile();
    const qsizetype n = std::min(felder.size(), qsizetype(m_s->m_spalten.size()));
    for (qsizetype c = 0; c < n; ++c)
        text(int(c), felder.at(c));
}

// ---- SpaltenSpeicher ----

SpaltenSpeicher::SpaltenSpeicher(QObject* parent)
    : QAbstractTableModel(parent)
{
}

SpaltenSpeicher::SpaltenSpeicher(int rows, int columns, QObject* parent)
    : QAbstractTableModel(parent)
{
    setColumnCount(columns);
    setRowCount(rows);
}

SpaltenSpeicher::~SpaltenSpeicher() = default;

bool SpaltenSpeicher::gueltig(int row, int column) const
{
    return row >= 0 && row < m_zeilen && column >= 0 && size_t(column) < m_spalten.size();
}

int SpaltenSpeicher::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_zeilen;
}

int SpaltenSpeicher::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_spalten.size());
}

QVariant SpaltenSpeicher::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || !gueltig(index.row(), index.column()))
        return QVariant();
    const Eintrag& e = eintrag(index.column(), code(index.row(), index.column()));
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return e.wert;
    return e.rollen.value(role);
}

QVariant SpaltenSpeicher::wert(int row, int column) const
{
    return gueltig(row, column) ? eintrag(column, code(row, column)).wert : QVariant();
}

bool SpaltenSpeicher::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || !gueltig(index.row(), index.column()))
        return false;
    if (role == Qt::EditRole)
        role = Qt::DisplayRole;
    Spalte& s = m_spalten[size_t(index.column())];
    // Copies: a new pool entry may move the old ones.
    const Eintrag alt = s.m_pool.at(s.code(index.row()));
    QVariant wert = alt.wert;
    QMap<int, QVariant> rollen = alt.rollen;
    const QVariant vorher = role == Qt::DisplayRole ? alt.wert : alt.rollen.value(role);
    // An equal value of the same type changes nothing and tells nobody, as an item did.
    if (vorher.metaType() == value.metaType() && vorher == value)
        return true;
    if (role == Qt::DisplayRole)
        wert = value;
    else if (value.isValid())
        rollen.insert(role, value);
    else
        rollen.remove(role);
    s.setzeCode(index.row(), s.codeFuer(wert, rollen));
    if (s.m_pool.size() > poolLimit(m_zeilen)) {
        // Compacting numbers the column's codes anew: whoever keeps them reads again.
        s.verdichten();
        emit dataChanged(this->index(0, index.column()), this->index(m_zeilen - 1, index.column()));
        return true;
    }
    const QList<int> roles = role == Qt::DisplayRole ? QList<int>{Qt::DisplayRole, Qt::EditRole}
                                                     : QList<int>{role};
    emit dataChanged(index, index, roles);
    return true;
}

QVariant SpaltenSpeicher::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && section >= 0 && size_t(section) < m_spalten.size()) {
        const QMap<int, QVariant>& kopf = m_spalten[size_t(section)].m_kopf;
        // Without a header the column is numbered, as the item model did.
        if (!kopf.isEmpty())
            return kopf.value(role == Qt::EditRole ? int(Qt::DisplayRole) : role);
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

bool SpaltenSpeicher::setHeaderData(int section, Qt::Orientation orientation,
                                    const QVariant& value, int role)
{
    if (orientation != Qt::Horizontal || section < 0 || size_t(section) >= m_spalten.size())
        return false;
    if (role == Qt::EditRole)
        role = Qt::DisplayRole;
    QMap<int, QVariant>& kopf = m_spalten[size_t(section)].m_kopf;
    const QVariant vorher = kopf.value(role);
    if (vorher.metaType() == value.metaType() && vorher == value)
        return true;
    if (value.isValid())
        kopf.insert(role, value);
    else
        kopf.remove(role);
    emit headerDataChanged(orientation, section, section);
    return true;
}

Qt::ItemFlags SpaltenSpeicher::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return QAbstractTableModel::flags(index);
    // What every cell item allowed.
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable
        | Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled;
}

bool SpaltenSpeicher::insertRows(int row, int count, const QModelIndex& parent)
{
    if (parent.isValid() || row < 0 || row > m_zeilen || count < 1)
        return false;
    beginInsertRows(QModelIndex(), row, row + count - 1);
    for (Spalte& s : m_spalten)
        s.zeilenEinfuegen(row, count);
    m_zeilen += count;
    endInsertRows();
    return true;
}

bool SpaltenSpeicher::removeRows(int row, int count, const QModelIndex& parent)
{
    if (parent.isValid() || row < 0 || count < 1 || count > m_zeilen - row)
        return false;
    beginRemoveRows(QModelIndex(), row, row + count - 1);
    for (Spalte& s : m_spalten)
        s.zeilenEntfernen(row, count);
    m_zeilen -= count;
    endRemoveRows();
    return true;
}

bool SpaltenSpeicher::insertColumns(int column, int count, const QModelIndex& parent)
{
    if (parent.isValid() || column < 0 || size_t(column) > m_spalten.size() || count < 1)
        return false;
    beginInsertColumns(QModelIndex(), column, column + count - 1);
    std::vector<Spalte> neue(static_cast<size_t>(count));
    for (Spalte& s : neue)
        s.zeilenEinfuegen(0, m_zeilen);
    m_spalten.insert(m_spalten.begin() + column, std::make_move_iterator(neue.begin()),
                     std::make_move_iterator(neue.end()));
    endInsertColumns();
    return true;
}

bool SpaltenSpeicher::removeColumns(int column, int count, const QModelIndex& parent)
{
    if (parent.isValid() || column < 0 || count < 1
        || qsizetype(count) > qsizetype(m_spalten.size()) - column)
        return false;
    beginRemoveColumns(QModelIndex(), column, column + count - 1);
    m_spalten.erase(m_spalten.begin() + column, m_spalten.begin() + column + count);
    endRemoveColumns();
    return true;
}

void SpaltenSpeicher::setRowCount(int rows)
{
    if (rows > m_zeilen)
        insertRows(m_zeilen, rows - m_zeilen);
    else if (rows >= 0 && rows < m_zeilen)
        removeRows(rows, m_zeilen - rows);
}

void SpaltenSpeicher::setColumnCount(int columns)
{
    const int n = int(m_spalten.size());
    if (columns > n)
        insertColumns(n, columns - n);
    else if (columns >= 0 && columns < n)
        removeColumns(columns, n - columns);
}

void SpaltenSpeicher::setHorizontalHeaderLabels(const QStringList& labels)
{
    if (labels.size() > qsizetype(m_spalten.size()))
        setColumnCount(int(labels.size()));
    for (qsizetype c = 0; c < labels.size(); ++c)
        setHeaderData(int(c), Qt::Horizontal, labels.at(c));
}

void SpaltenSpeicher::clear()
{
    beginResetModel();
    m_spalten.clear();
    m_zeilen = 0;
    endResetModel();
}

SpaltenSpeicher::Codes SpaltenSpeicher::codes(int column) const
{
    Codes c;
    if (column < 0 || size_t(column) >= m_spalten.size())
        return c;
    const Spalte& s = m_spalten[size_t(column)];
    c.breite = s.m_breite;
    // Rows an append has not shown yet are not the table's.
    c.anzahl = std::min(s.zeilen(), m_zeilen);
    c.c8 = s.m_c8.data();
    c.c16 = s.m_c16.data();
    c.c32 = s.m_c32.data();
    return c;
}

quint32 SpaltenSpeicher::code(int row, int column) const
{
    return gueltig(row, column) ? m_spalten[size_t(column)].code(row) : 0;
}

int SpaltenSpeicher::poolGroesse(int column) const
{
    return column >= 0 && size_t(column) < m_spalten.size()
        ? int(m_spalten[size_t(column)].m_pool.size())
        : 0;
}

const SpaltenSpeicher::Eintrag& SpaltenSpeicher::eintrag(int column, quint32 code) const
{
    if (column < 0 || size_t(column) >= m_spalten.size())
        return missingEntry();
    const QVector<Eintrag>& pool = m_spalten[size_t(column)].m_pool;
    return code < quint32(pool.size()) ? pool.at(code) : missingEntry();
}

double SpaltenSpeicher::zahl(int column, quint32 code, bool* istZahl) const
{
    const Eintrag& e = eintrag(column, code);
    if (e.gelesen == 0) {
        bool ok = false;
        if (e.wert.typeId() == QMetaType::QString) {
            double d = 0;
            ok = ZellenZahl::read(*static_cast<const QString*>(e.wert.constData()), &d);
        } else if (e.wert.isValid()) {
            e.wert.toDouble(&ok);
        }
        e.zahl = ZellenZahl::toDouble(e.wert);
        e.gelesen = ok ? 1 : 2;
    }
    if (istZahl)
        *istZahl = e.gelesen == 1;
    return e.zahl;
}

bool SpaltenSpeicher::codesEindeutig(int column) const
{
    return column >= 0 && size_t(column) < m_spalten.size() && !m_spalten[size_t(column)].m_frei;
}

qint64 SpaltenSpeicher::belegteBytes() const
{
    qint64 n = qint64(sizeof *this) + qint64(m_spalten.capacity() * sizeof(Spalte));
    for (const Spalte& s : m_spalten) {
        n += qint64(s.m_c8.capacity() + 2 * s.m_c16.capacity() + 4 * s.m_c32.capacity());
        n += qint64(s.m_pool.capacity()) * qint64(sizeof(Eintrag));
        for (const Eintrag& e : s.m_pool)
            if (e.wert.typeId() == QMetaType::QString)
                n += 2 * qint64(static_cast<const QString*>(e.wert.constData())->capacity()) + 16;
        // A lookup entry: its key and code, and the table's own share.
        n += qint64(s.m_texte.size() + s.m_restauriert.size()) * 48
            + qint64(s.m_zahlen.size() + s.m_andere.size()) * 32;
    }
    return n;
}

SpaltenSpeicher::Spalte SpaltenSpeicher::nimmSpalte(int column)
{
    if (column < 0 || size_t(column) >= m_spalten.size())
        return Spalte();
    beginRemoveColumns(QModelIndex(), column, column);
    Spalte s = std::move(m_spalten[size_t(column)]);
    m_spalten.erase(m_spalten.begin() + column);
    endRemoveColumns();
    return s;
}

void SpaltenSpeicher::setzeSpalte(int column, Spalte spalte)
{
    column = std::clamp(column, 0, int(m_spalten.size()));
    const int laenge = spalte.zeilen();
    if (laenge > m_zeilen) {
        beginInsertRows(QModelIndex(), m_zeilen, laenge - 1);
        for (Spalte& s : m_spalten)
            s.zeilenEinfuegen(s.zeilen(), laenge - m_zeilen);
        m_zeilen = laenge;
        endInsertRows();
    } else if (laenge < m_zeilen) {
        spalte.zeilenEinfuegen(laenge, m_zeilen - laenge);
    }
    beginInsertColumns(QModelIndex(), column, column);
    m_spalten.insert(m_spalten.begin() + column, std::move(spalte));
    endInsertColumns();
}

SpaltenSpeicher::Spalte SpaltenSpeicher::spalte(int column) const
{
    return column >= 0 && size_t(column) < m_spalten.size() ? m_spalten[size_t(column)] : Spalte();
}

void SpaltenSpeicher::tauscheSpalte(int column, Spalte* spalte)
{
    if (column < 0 || size_t(column) >= m_spalten.size())
        return;
    if (spalte->zeilen() != m_zeilen) {
        Spalte alt = nimmSpalte(column);
        setzeSpalte(column, std::move(*spalte));
        *spalte = std::move(alt);
        return;
    }
    std::swap(m_spalten[size_t(column)], *spalte);
    if (m_zeilen > 0)
        emit dataChanged(index(0, column), index(m_zeilen - 1, column));
    emit headerDataChanged(Qt::Horizontal, column, column);
}

void SpaltenSpeicher::zeileAnfuegen(const QVariantList& werte)
{
    if (werte.size() > qsizetype(m_spalten.size()))
        insertColumns(int(m_spalten.size()), int(werte.size() - qsizetype(m_spalten.size())));
    Aufbau bau(this);
    bau.neueZeile();
    for (qsizetype c = 0; c < werte.size(); ++c)
        bau.wert(int(c), werte.at(c));
}

void SpaltenSpeicher::neuerKopf(int column, const QVariant& titel)
{
    if (column < 0 || size_t(column) >= m_spalten.size())
        return;
    QMap<int, QVariant>& kopf = m_spalten[size_t(column)].m_kopf;
    kopf.clear();
    if (titel.isValid())
        kopf.insert(Qt::DisplayRole, titel);
    emit headerDataChanged(Qt::Horizontal, column, column);
}

void SpaltenSpeicher::dichteCodes(int column, QVector<int>* codes, QVector<QVariant>* werte) const
{
    codes->clear();
    werte->clear();
    if (column < 0 || size_t(column) >= m_spalten.size())
        return;
    const Spalte& s = m_spalten[size_t(column)];
    codes->resize(m_zeilen);
    // Per pool entry: its dense code, -1 while not seen.
    std::vector<int> dicht(size_t(s.m_pool.size()), -1);
    QHash<TextKey, int> texte;
    QHash<quint64, int> zahlen;
    QHash<QPair<int, QString>, int> andere;
    int nullText = -1;
    int fehlt = -1;
    // The pool holds each plain text once; only a text that also shows in a cell of
    // another kind (restored, with a tip) or a free-text column needs the lookup.
    bool textePruefen = s.m_frei;
    for (qsizetype c = 1; c < s.m_pool.size() && !textePruefen; ++c) {
        const Eintrag& e = s.m_pool.at(c);
        textePruefen = !e.rollen.isEmpty() && e.wert.typeId() == QMetaType::QString;
    }
    const auto frisch = [werte](const QVariant& v) {
        werte->append(v);
        return int(werte->size()) - 1;
    };
    for (int r = 0; r < m_zeilen; ++r) {
        const quint32 code = s.code(r);
        int& d = dicht[code];
        if (d >= 0) {
            (*codes)[r] = d;
            continue;
        }
        const QVariant& v = s.m_pool.at(code).wert;
        int out = -1;
        switch (artOf(v, {})) {
        case Art::Fehlt:
            out = fehlt < 0 ? (fehlt = frisch(v)) : fehlt;
            break;
        case Art::NullText:
            out = nullText < 0 ? (nullText = frisch(v)) : nullText;
            break;
        case Art::Text: {
            if (!textePruefen) {
                out = frisch(v);
                break;
            }
            const TextKey key{v.toString()};
            const auto it = texte.constFind(key);
            out = it != texte.cend() ? it.value() : texte.insert(key, frisch(v)).value();
            break;
        }
        case Art::Zahl: {
            const auto it = zahlen.constFind(bitsOf(v));
            out = it != zahlen.cend() ? it.value() : zahlen.insert(bitsOf(v), frisch(v)).value();
            break;
        }
        case Art::Andere: {
            const auto key = otherKey(v);
            const auto it = andere.constFind(key);
            out = it != andere.cend() ? it.value() : andere.insert(key, frisch(v)).value();
            break;
        }
        case Art::Restauriert:
        case Art::Einzeln:
            // A value of another kind is never merged: a code per cell.
            (*codes)[r] = frisch(v);
            continue;
        }
        d = out;
        (*codes)[r] = out;
    }
}
