#include "core/fehlendewerte.h"

#include <QCoreApplication>
#include "core/spaltenspeicher.h"

#include "core/roles.h"
#include "core/spaltencodes.h"

bool FehlendeWerte::leer(const QString& text)
{
    for (const QChar c : text)
        if (!c.isSpace())
            return false;
    return true;
}

namespace {
// Whether any column was ever given codes: until then the views, which ask per cell,
// need not look at the header at all.
bool s_benutzt = false;
}

QStringList FehlendeWerte::codes(const QAbstractItemModel* m, int column)
{
    if (!s_benutzt || !m || column < 0 || column >= m->columnCount())
        return {};
    return m->headerData(column, Qt::Horizontal, Roles::MissingCodes).toStringList();
}

void FehlendeWerte::setCodes(QAbstractItemModel* m, int column, const QStringList& codes)
{
    if (!m || column < 0 || column >= m->columnCount())
        return;
    QStringList distinct;
    for (const QString& c : codes)
        if (!leer(c) && !distinct.contains(c))
            distinct << c;
    if (!distinct.isEmpty())
        s_benutzt = true;
    m->setHeaderData(column, Qt::Horizontal,
                     distinct.isEmpty() ? QVariant() : QVariant(distinct), Roles::MissingCodes);
}

bool FehlendeWerte::erklaert(const QVariant& value, const QStringList& codes)
{
    if (codes.isEmpty() || !value.isValid())
        return false;
    return codes.contains(value.toString());
}

bool FehlendeWerte::fehlend(const QVariant& value, const QStringList& codes)
{
    if (value.typeId() == QMetaType::QString) {
        const QString& text = *static_cast<const QString*>(value.constData());
        if (leer(text))
            return true;
    }
    return erklaert(value, codes);
}

bool FehlendeWerte::fehlend(const SpaltenSpeicher* m, int row, int column)
{
    return fehlend(m ? m->wert(row, column) : QVariant(), codes(m, column));
}

QVariant FehlendeWerte::gesehen(const QVariant& value, const QStringList& codes)
{
    // An empty text stays as it is (null or not): only blanks and codes become empty.
    if (value.typeId() == QMetaType::QString) {
        const QString& text = *static_cast<const QString*>(value.constData());
        if (text.isEmpty())
            return value;
        if (leer(text))
            return QVariant(QString(QLatin1String("")));
    }
    if (erklaert(value, codes))
        return QVariant(QString(QLatin1String("")));
    return value;
}

int FehlendeWerte::anzahl(const SpaltenSpeicher* m, int column, const QVector<char>* admitted)
{
    const QStringList declared = codes(m, column);
    if (declared.isEmpty())
        return 0;
    // Decided once per value of the column's pool, then counted by code.
    const int pool = m->poolGroesse(column);
    QVector<char> isCode(pool);
    for (int i = 0; i < pool; ++i)
        isCode[i] = erklaert(m->eintrag(column, quint32(i)).wert, declared);
    int n = 0;
    m->codes(column).jedeZeile([&](int r, quint32 code) {
        if (isCode.at(int(code)) && (!admitted || (r < admitted->size() && admitted->at(r))))
            ++n;
    });
    return n;
}

QString FehlendeWerte::zeile(int anzahl)
{
    return QCoreApplication::translate("FehlendeWerte", "fehlend: %1").arg(anzahl);
}

QString FehlendeWerte::zeile(const QVector<int>& anzahlen, const QStringList& titles)
{
    bool any = false;
    bool equal = true;
    for (int n : anzahlen) {
        any = any || n > 0;
        equal = equal && n == anzahlen.first();
    }
    if (!any)
        return QString();
    if (equal)
        return zeile(anzahlen.first());
    QStringList parts;
    for (int i = 0; i < anzahlen.size(); ++i)
        if (anzahlen.at(i) > 0)
            parts << QStringLiteral("%1 (%2)").arg(anzahlen.at(i)).arg(
                i < titles.size() ? titles.at(i) : QString::number(i + 1));
    return QCoreApplication::translate("FehlendeWerte", "fehlend: %1")
        .arg(parts.join(QStringLiteral(", ")));
}
