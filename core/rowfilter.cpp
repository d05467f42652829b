#include "core/rowfilter.h"

#include <QAbstractItemModel>
#include <QCoreApplication>
#include <QDataStream>
#include <QSet>
#include <QStandardItemModel>
#include <QStringList>

#include "core/fehlendewerte.h"
#include "core/gewichtung.h"
#include "core/spaltencodes.h"
#include "core/variantvergleich.h"
#include "core/userinput.h"
#include "core/variantreader.h"

bool RowFilter::admits(const QAbstractItemModel* m, int row, int column) const
{
    if (m_depColumn >= 0) {
        // A linked column that no longer exists reads as empty text in every row.
        const QString linked = m->data(m->index(row, m_depColumn)).toString();
        if (linked != m_depValue)
            return false;
    }
    return admitsValue(FehlendeWerte::gesehen(m->data(m->index(row, column)),
                                              FehlendeWerte::codes(m, column)));
}

bool RowFilter::admitsRow(const QStandardItemModel* m, int row) const
{
    return m_depColumn < 0 || cell(m, row, m_depColumn).toString() == m_depValue;
}

bool RowFilter::admitsCell(const QStandardItemModel* m, int row, int column,
                           QVariant* value) const
{
    if (!admitsRow(m, row))
        return false;
    *value = cell(m, row, column);
    return admitsValue(*value);
}

QHash<QString, int> RowFilter::countTexts(const QStandardItemModel* m, int column) const
{
    // Counted by code: the filters are asked once per distinct value, not per row.
    const std::shared_ptr<const SpaltenCodes> cells = SpaltenCodes::of(m, column);
    const int rows = int(cells->codes.size());
    std::shared_ptr<const SpaltenCodes> linked;
    QVector<char> linkedPasses;
    if (m_depColumn >= 0) {
        linked = SpaltenCodes::of(m, m_depColumn);
        if (linked->codes.size() != rows)
            linked = SpaltenCodes::read(m, m_depColumn);
        linkedPasses.resize(linked->values.size());
        for (int i = 0; i < linked->values.size(); ++i)
            linkedPasses[i] = linked->values.at(i).toString() == m_depValue;
    }
    QVector<int> perCode(cells->values.size(), 0);
    const int* code = cells->codes.constData();
    if (linked) {
        const int* linkedCode = linked->codes.constData();
        for (int r = 0; r < rows; ++r)
            if (linkedPasses.at(linkedCode[r]))
                ++perCode[code[r]];
    } else {
        for (int r = 0; r < rows; ++r)
            ++perCode[code[r]];
    }
    // Values of different codes can share a text (3 and "3"): counted together.
    QHash<QString, int> counts;
    for (int i = 0; i < perCode.size(); ++i)
        if (perCode.at(i) > 0 && admitsValue(cells->values.at(i)))
            counts[cells->values.at(i).toString()] += perCode.at(i);
    return counts;
}

QHash<QString, double> RowFilter::weighTexts(const QStandardItemModel* m, int column,
                                             const Gewichte& weights,
                                             QVector<char>* counted) const
{
    const std::shared_ptr<const SpaltenCodes> cells = SpaltenCodes::of(m, column);
    const int rows = int(cells->codes.size());
    std::shared_ptr<const SpaltenCodes> linked;
    QVector<char> linkedPasses;
    if (m_depColumn >= 0) {
        linked = SpaltenCodes::of(m, m_depColumn);
        if (linked->codes.size() != rows)
            linked = SpaltenCodes::read(m, m_depColumn);
        linkedPasses.resize(linked->values.size());
        for (int i = 0; i < linked->values.size(); ++i)
            linkedPasses[i] = linked->values.at(i).toString() == m_depValue;
    }
    // The filters asked once per distinct value, as in countTexts.
    const int codes = int(cells->values.size());
    QVector<char> admitted(codes);
    for (int i = 0; i < codes; ++i)
        admitted[i] = admitsValue(cells->values.at(i));
    QVector<double> perCode(codes, 0.0);
    QVector<int> rowsPerCode(codes, 0);
    const int* code = cells->codes.constData();
    const int* linkedCode = linked ? linked->codes.constData() : nullptr;
    for (int r = 0; r < rows; ++r) {
        if (linkedCode && !linkedPasses.at(linkedCode[r]))
            continue;
        const int c = code[r];
        if (!admitted.at(c))
            continue;
        perCode[c] += weights.at(r);
        ++rowsPerCode[c];
        if (counted && r < counted->size())
            (*counted)[r] = 1;
    }
    QHash<QString, double> sums;
    for (int i = 0; i < codes; ++i)
        if (rowsPerCode.at(i) > 0)
            sums[cells->values.at(i).toString()] += perCode.at(i);
    return sums;
}

bool RowFilter::admitsValue(const QVariant& v) const
{
    for (const Wert& w : m_werte)
        if (matches(w, v))
            return false;
    return true;
}

bool RowFilter::matches(const Wert& w, const QVariant& v)
{
    if (w.isText) {
        switch (v.metaType().id()) {
        case QMetaType::QString:
            return *static_cast<const QString*>(v.constData())
                == *static_cast<const QString*>(w.value.constData());
        case QMetaType::Double:
        case QMetaType::Float:
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
            if (w.neverNumber)
                return false;
            break;
        default:
            break;
        }
    }
    return VariantVergleich::equals(w.value, v);
}

RowFilter::Wert RowFilter::wertOf(const QVariant& v)
{
    Wert w;
    w.value = v;
    w.isText = v.metaType().id() == QMetaType::QString;
    w.neverNumber = false;
    if (w.isText) {
        // A number's text always reads back as a number (or holds "nan" / "inf").
        const QString text = v.toString();
        bool isNumber = false;
        text.toDouble(&isNumber);
        w.neverNumber = !isNumber
            && !text.contains(QLatin1String("nan"), Qt::CaseInsensitive)
            && !text.contains(QLatin1String("inf"), Qt::CaseInsensitive);
    }
    return w;
}

QVariant RowFilter::cell(const QStandardItemModel* m, int row, int column)
{
    // item() is null outside the table and for a missing item, where data() is invalid.
    const QStandardItem* it = m->item(row, column);
    if (!it)
        return QVariant();
    // As SpaltenCodes gives it: no answer (blanks, declared codes) reads as empty.
    return FehlendeWerte::gesehen(it->data(Qt::DisplayRole), FehlendeWerte::codes(m, column));
}

void RowFilter::setInputFilter(const QVariant& v)
{
    m_inputFilter = v;
    m_werte.clear();
    if (v.typeId() == QMetaType::QStringList) {
        // Each text of a list is compared as a text filter of its own would be.
        const QStringList texts = v.toStringList();
        for (const QString& t : texts)
            m_werte << wertOf(QVariant(t.isNull() ? QString(QLatin1String("")) : t));
    } else if (!VariantVergleich::isNull(v)) {
        m_werte << wertOf(v);
    }
}

QStringList RowFilter::excluded() const
{
    if (m_inputFilter.typeId() == QMetaType::QStringList)
        return m_inputFilter.toStringList();
    if (VariantVergleich::isNull(m_inputFilter))
        return {};
    return {m_inputFilter.toString()};
}

void RowFilter::setExcluded(const QStringList& texts)
{
    QStringList distinct;
    for (const QString& t : texts) {
        const QString text = t.isNull() ? QString(QLatin1String("")) : t;
        if (!distinct.contains(text))
            distinct << text;
    }
    if (distinct.isEmpty())
        setInputFilter(QVariant(QString()));
    else if (distinct.size() == 1)
        setInputFilter(QVariant(distinct.first()));
    else
        setInputFilter(QVariant(distinct));
}

bool RowFilter::excludesSeveral() const
{
    return m_inputFilter.typeId() == QMetaType::QStringList;
}

void RowFilter::setDependency(const QString& value, int column)
{
    m_depValue = value;
    m_depColumn = column;
}

void RowFilter::write(QDataStream& s) const
{
    s << m_inputFilter << m_depValue << qint32(m_depColumn);
}

bool RowFilter::read(QDataStream& s)
{
    // The filter value comes from a file: read it without trusting its type or counts.
    QVariant filter;
    if (!VariantReader::read(s, filter))
        return false;
    QString value;
    qint32 column = -1;
    s >> value >> column;
    if (s.status() != QDataStream::Ok)
        return false;
    setInputFilter(filter);
    m_depValue = value;
    m_depColumn = column;
    return true;
}

bool RowFilter::askDependency(QWidget* parent, QAbstractItemModel* model, QString* value,
                              int* column)
{
    if (!model)
        return false;
    const int linked = UserInput::getColumn(parent, model);
    if (linked < 0)
        return false;
    QSet<QString> seen;
    for (int r = 0; r < model->rowCount(); ++r)
        seen.insert(model->data(model->index(r, linked)).toString());
    const QStringList values(seen.cbegin(), seen.cend());
    bool ok = false;
    const QString chosen = UserInput::getItem(
        parent, QCoreApplication::translate("RowFilter", "Filter"),
        QCoreApplication::translate("RowFilter", "Wert nach dem gefiltert werden soll"),
        values, 0, true, &ok);
    if (!ok)
        return false;
    *value = chosen;
    *column = linked;
    return true;
}
