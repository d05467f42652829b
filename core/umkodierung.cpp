#include "core/umkodierung.h"

#include <QDataStream>
#include <QIODevice>
#include "core/spaltenspeicher.h"
#include <algorithm>
#include <cmath>

#include "core/roles.h"
#include "core/spaltencodes.h"
#include "core/zellenzahl.h"

namespace {
bool ganz(double v)
{
    return std::isfinite(v) && std::floor(v) == v && std::fabs(v) < 1e15;
}

// The source column of a rule in m: its own number while the title there is still
// the source's, else the first column of that title.
int quelleIn(const QAbstractItemModel* m, const Umkodierung& u)
{
    const auto titel = [m](int c) {
        return m->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
    };
    if (u.quellSpalte >= 0 && u.quellSpalte < m->columnCount() && titel(u.quellSpalte) == u.quelle)
        return u.quellSpalte;
    for (int c = 0; c < m->columnCount(); ++c)
        if (titel(c) == u.quelle)
            return c;
    return -1;
}
}

bool Umkodierung::operator==(const Umkodierung& o) const
{
    return art == o.art && quelle == o.quelle && quellSpalte == o.quellSpalte
        && antworten == o.antworten && kategorien == o.kategorien
        && uebrigeBehalten == o.uebrigeBehalten && baender == o.baender && grenzen == o.grenzen;
}

QString Umkodierung::zahl(double v)
{
    if (ganz(v))
        return QString::number(qint64(v));
    QString t = QString::number(v, 'f', 10);
    while (t.endsWith(QLatin1Char('0')))
        t.chop(1);
    if (t.endsWith(QLatin1Char('.')))
        t.chop(1);
    return t.replace(QLatin1Char('.'), QLatin1Char(','));
}

bool Umkodierung::leseGrenzen(const QString& text, QVector<double>* out)
{
    QVector<double> edges;
    for (const QString& part : text.split(QLatin1Char(';'))) {
        const QString t = part.trimmed();
        if (t.isEmpty())
            continue;
        double v = 0;
        if (!ZellenZahl::read(t, &v) || !std::isfinite(v))
            return false;
        edges << v;
    }
    if (edges.isEmpty())
        return false;
    std::sort(edges.begin(), edges.end());
    edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
    *out = edges;
    return true;
}

QVector<double> Umkodierung::kanten(const QVector<double>& zahlen) const
{
    if (art == Grenzen) {
        QVector<double> e = grenzen;
        std::sort(e.begin(), e.end());
        e.erase(std::unique(e.begin(), e.end()), e.end());
        return e;
    }
    if (zahlen.isEmpty() || baender < 1)
        return {};
    QVector<double> x = zahlen;
    std::sort(x.begin(), x.end());
    const double lo = x.first();
    const double hi = x.last();
    QVector<double> e;
    if (art == GleicheBreite) {
        const bool whole = std::all_of(x.cbegin(), x.cend(), ganz);
        if (whole) {
            // Whole numbers get whole bands: 18..77 in 3 gives 18–37, 38–57, 58 und älter.
            const double w = std::ceil((hi - lo + 1) / baender);
            for (int i = 0; i < baender && lo + i * w <= hi; ++i)
                e << lo + i * w;
        } else {
            const double w = (hi - lo) / baender;
            e << lo;
            for (int i = 1; i < baender && w > 0; ++i)
                e << lo + i * w;
        }
    } else {
        // Band k starts at the value at rank k·n/bands: equal counts but for ties.
        const qsizetype n = x.size();
        for (int k = 0; k < baender; ++k) {
            const qsizetype at = qsizetype(std::ceil(double(k) * double(n) / baender));
            if (at < n)
                e << x.at(at);
        }
        e.erase(std::unique(e.begin(), e.end()), e.end());
    }
    return e;
}

QStringList Umkodierung::bandNamen(const QVector<double>& kanten, bool mitUnter)
{
    QStringList out;
    if (kanten.isEmpty())
        return out;
    if (mitUnter)
        out << QStringLiteral("unter %1").arg(zahl(kanten.first()));
    for (int i = 0; i + 1 < kanten.size(); ++i) {
        const double a = kanten.at(i);
        const double b = kanten.at(i + 1);
        if (ganz(a) && ganz(b))
            out << (b - 1 == a ? zahl(a) : zahl(a) + QChar(0x2013) + zahl(b - 1));
        else
            out << QStringLiteral("%1 bis unter %2").arg(zahl(a), zahl(b));
    }
    out << QStringLiteral("%1 und älter").arg(zahl(kanten.last()));
    return out;
}

QStringList Umkodierung::anwenden(const QStringList& texte, const QVector<int>& anzahl) const
{
    QStringList out;
    out.reserve(texte.size());
    if (art == Gruppen) {
        QHash<QString, QString> zu;
        for (int i = 0; i < antworten.size() && i < kategorien.size(); ++i)
            zu.insert(antworten.at(i), kategorien.at(i));
        for (const QString& t : texte) {
            if (t.isEmpty())
                out << QString(QLatin1String(""));
            else if (const auto it = zu.constFind(t); it != zu.cend())
                out << it.value();
            else
                out << (uebrigeBehalten ? t : QString(QLatin1String("")));
        }
        return out;
    }
    QVector<double> werte(texte.size(), 0.0);
    QVector<char> istZahl(texte.size(), 0);
    QVector<double> alle;
    for (int i = 0; i < texte.size(); ++i) {
        double v = 0;
        if (!texte.at(i).isEmpty() && ZellenZahl::read(texte.at(i), &v) && std::isfinite(v)) {
            werte[i] = v;
            istZahl[i] = 1;
            for (int k = 0; k < anzahl.value(i, 1); ++k)
                alle << v;
        }
    }
    const QVector<double> e = kanten(alle);
    const bool mitUnter = art == Grenzen;
    const QStringList namen = bandNamen(e, mitUnter);
    for (int i = 0; i < texte.size(); ++i) {
        if (!istZahl.at(i) || e.isEmpty()) {
            out << QString(QLatin1String(""));
            continue;
        }
        const int band = int(std::upper_bound(e.cbegin(), e.cend(), werte.at(i)) - e.cbegin()) - 1;
        out << namen.at(mitUnter ? band + 1 : qMax(0, band));
    }
    return out;
}

QStringList Umkodierung::anwendenAufZeilen(const QStringList& zeilen) const
{
    QHash<QString, int> index;
    QStringList texte;
    QVector<int> anzahl;
    QVector<int> code;
    code.reserve(zeilen.size());
    for (const QString& z : zeilen) {
        auto it = index.constFind(z);
        if (it == index.cend()) {
            it = index.insert(z, int(texte.size()));
            texte << z;
            anzahl << 0;
        }
        ++anzahl[*it];
        code << *it;
    }
    const QStringList neu = anwenden(texte, anzahl);
    QStringList out;
    out.reserve(zeilen.size());
    for (int c : code)
        out << neu.at(c);
    return out;
}

QStringList Umkodierung::berechne(const SpaltenSpeicher* m, int source) const
{
    const std::shared_ptr<const SpaltenCodes> cells = SpaltenCodes::of(m, source);
    // Per distinct value; values of one text (3 and "3") are one answer.
    QHash<QString, int> index;
    QStringList texte;
    QVector<int> anzahl;
    QVector<int> proCode(cells->values.size());
    for (int i = 0; i < cells->values.size(); ++i) {
        const QVariant& v = cells->values.at(i);
        const QString t = v.isValid() ? v.toString() : QString(QLatin1String(""));
        auto it = index.constFind(t);
        if (it == index.cend()) {
            it = index.insert(t, int(texte.size()));
            texte << t;
            anzahl << 0;
        }
        proCode[i] = *it;
    }
    for (int c : cells->codes)
        ++anzahl[proCode.at(c)];
    const QStringList neu = anwenden(texte, anzahl);
    QStringList out;
    out.reserve(cells->codes.size());
    for (int c : cells->codes)
        out << neu.at(proCode.at(c));
    return out;
}

QByteArray Umkodierung::speichern() const
{
    QByteArray bytes;
    QDataStream s(&bytes, QIODevice::WriteOnly);
    s.setVersion(QDataStream::Qt_4_6);
    s << qint32(1) << qint32(art) << quelle << quellSpalte << qint32(antworten.size());
    for (int i = 0; i < antworten.size(); ++i)
        s << antworten.at(i) << kategorien.value(i);
    s << uebrigeBehalten << baender << qint32(grenzen.size());
    for (double g : grenzen)
        s << g;
    return bytes;
}

bool Umkodierung::laden(const QByteArray& bytes, Umkodierung* out)
{
    QDataStream s(bytes);
    s.setVersion(QDataStream::Qt_4_6);
    const auto left = [&s] { return s.device()->bytesAvailable(); };
    Umkodierung u;
    qint32 tag = 0, art = 0, paare = 0, kanten = 0;
    s >> tag >> art >> u.quelle >> u.quellSpalte >> paare;
    if (s.status() != QDataStream::Ok || tag != 1 || art < Gruppen || art > Grenzen
        || paare < 0 || qint64(paare) * 8 > left())
        return false;
    u.art = Art(art);
    for (qint32 i = 0; i < paare; ++i) {
        QString a, k;
        s >> a >> k;
        if (s.status() != QDataStream::Ok)
            return false;
        u.antworten << a;
        u.kategorien << k;
    }
    s >> u.uebrigeBehalten >> u.baender >> kanten;
    if (s.status() != QDataStream::Ok || kanten < 0 || qint64(kanten) * 8 > left()
        || u.baender < 0 || u.baender > 1000)
        return false;
    for (qint32 i = 0; i < kanten; ++i) {
        double g = 0;
        s >> g;
        u.grenzen << g;
    }
    if (s.status() != QDataStream::Ok)
        return false;
    *out = u;
    return true;
}

bool Umkodierung::von(const QAbstractItemModel* m, int column, Umkodierung* out)
{
    if (!m || column < 0 || column >= m->columnCount())
        return false;
    const QVariant v = m->headerData(column, Qt::Horizontal, Roles::RecodeRule);
    return v.typeId() == QMetaType::QByteArray && laden(v.toByteArray(), out);
}

void Umkodierung::setzen(QAbstractItemModel* m, int column, const Umkodierung* rule)
{
    if (!m || column < 0 || column >= m->columnCount())
        return;
    m->setHeaderData(column, Qt::Horizontal, rule ? QVariant(rule->speichern()) : QVariant(),
                     Roles::RecodeRule);
}

UmkodierungsWaechter::UmkodierungsWaechter(SpaltenSpeicher* m)
    : QObject(m)
    , m_model(m)
{
    connect(m, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& a, const QModelIndex& b) {
                if (a.isValid() && b.isValid())
                    changed(qMin(a.column(), b.column()), qMax(a.column(), b.column()));
            });
}

UmkodierungsWaechter* UmkodierungsWaechter::of(SpaltenSpeicher* m)
{
    if (auto* w = m->findChild<UmkodierungsWaechter*>(QString(), Qt::FindDirectChildrenOnly))
        return w;
    return new UmkodierungsWaechter(m);
}

void UmkodierungsWaechter::changed(int first, int last)
{
    if (m_busy || !m_model)
        return;
    m_busy = true;
    for (int c = 0; c < m_model->columnCount(); ++c) {
        Umkodierung u;
        if (!Umkodierung::von(m_model, c, &u))
            continue;
        const int q = quelleIn(m_model, u);
        if (q >= first && q <= last && q != c)
            aktualisiere(m_model, c);
    }
    m_busy = false;
}

void UmkodierungsWaechter::aktualisiere(SpaltenSpeicher* m, int column)
{
    Umkodierung u;
    if (!Umkodierung::von(m, column, &u))
        return;
    const int q = quelleIn(m, u);
    if (q < 0 || q == column)
        return;
    const QStringList texts = u.berechne(m, q);
    bool any = false;
    {
        // One signal for the column instead of one per cell.
        const QSignalBlocker quiet(m);
        for (int r = 0; r < texts.size() && r < m->rowCount(); ++r) {
            const QVariant alt = m->wert(r, column);
            if (!alt.isValid() || alt != QVariant(texts.at(r))) {
                m->setData(m->index(r, column), texts.at(r));
                any = true;
            }
        }
    }
    if (any && m->rowCount() > 0)
        emit m->dataChanged(m->index(0, column), m->index(m->rowCount() - 1, column));
}
