#include "analyses/reihenfolge.h"

#include <QDataStream>
#include <QVariant>
#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "core/skala.h"
#include "core/variantreader.h"
#include "core/zellenzahl.h"

namespace {
// Sorts as QString's operator< does (by code units), the first four code units of each
// text compared as one number first: a long list of free texts is then sorted mostly
// without going to each text's characters again.
void sortiere(QStringList& texte)
{
    struct Schluessel
    {
        quint64 anfang;
        const QString* text;
    };
    std::vector<Schluessel> schluessel;
    schluessel.reserve(size_t(texte.size()));
    for (const QString& t : std::as_const(texte)) {
        // Shorter texts are filled with 0: a tie then goes to the whole texts.
        quint64 anfang = 0;
        const qsizetype n = std::min<qsizetype>(t.size(), 4);
        for (qsizetype i = 0; i < n; ++i)
            anfang |= quint64(t.at(i).unicode()) << (48 - 16 * i);
        schluessel.push_back({anfang, &t});
    }
    std::sort(schluessel.begin(), schluessel.end(), [](const Schluessel& a, const Schluessel& b) {
        return a.anfang != b.anfang ? a.anfang < b.anfang : *a.text < *b.text;
    });
    QStringList out;
    out.reserve(texte.size());
    for (const Schluessel& k : schluessel)
        out << *k.text;
    texte = std::move(out);
}
}

QStringList Reihenfolge::namen()
{
    return {tr("Wie bisher"), tr("Nach Zahlenwert"), tr("Nach Häufigkeit"),
            tr("Wie in den Daten"), tr("Eigene Reihenfolge...")};
}

QStringList Reihenfolge::ordne(Art art, QStringList labels,
                               const QHash<QString, double>& counts, const QStringList& seen,
                               const QStringList& own)
{
    // Every order starts from the one of before, so that answers it does not place
    // keep that order among themselves (the sorts below are stable).
    sortiere(labels);
    switch (art) {
    case WieBisher:
        // A rating scale from its positive end; "weiß nicht" and the like last.
        labels = Skala::ordne(labels);
        break;
    case NachZahl: {
        // A text that reads as no number, or as not-a-number, goes after the numbers.
        QVector<std::pair<double, QString>> numbers;
        QStringList rest;
        for (const QString& t : std::as_const(labels)) {
            double v = 0;
            if (ZellenZahl::read(t, &v) && !std::isnan(v))
                numbers.append({v, t});
            else
                rest << t;
        }
        std::stable_sort(numbers.begin(), numbers.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        labels.clear();
        for (const auto& n : std::as_const(numbers))
            labels << n.second;
        labels << rest;
        break;
    }
    case NachHaeufigkeit: {
        // Not-a-number (a sum of weights that is none) counts as the least.
        const auto count = [&counts](const QString& t) {
            const double v = counts.value(t, 0.0);
            return std::isnan(v) ? -std::numeric_limits<double>::infinity() : v;
        };
        std::stable_sort(labels.begin(), labels.end(), [&count](const QString& a, const QString& b) {
            return count(a) > count(b);
        });
        break;
    }
    case WieInDenDaten:
    case Eigene: {
        const QStringList& first = art == Eigene ? own : seen;
        QHash<QString, int> rank;
        for (int i = 0; i < first.size(); ++i)
            if (!rank.contains(first.at(i)))
                rank.insert(first.at(i), i);
        const int last = int(first.size());
        std::stable_sort(labels.begin(), labels.end(), [&rank, last](const QString& a, const QString& b) {
            return rank.value(a, last) < rank.value(b, last);
        });
        break;
    }
    }
    return labels;
}

void Reihenfolge::write(QDataStream& s) const
{
    s << qint32(art) << QVariant(eigene);
}

bool Reihenfolge::read(QDataStream& s)
{
    qint32 a = 0;
    s >> a;
    // The list comes from a file: read without trusting its count.
    QVariant list;
    if (s.status() != QDataStream::Ok || !VariantReader::read(s, list))
        return false;
    // An unknown order or a list of another type: the record is damaged.
    if (a < 0 || a >= ArtAnzahl || (list.isValid() && list.typeId() != QMetaType::QStringList)) {
        s.setStatus(QDataStream::ReadCorruptData);
        return false;
    }
    art = Art(a);
    eigene = list.toStringList();
    return true;
}
