#include "analyses/zusammenfassung.h"

#include <QDataStream>
#include <QIODevice>
#include <QLineEdit>
#include <QVariant>

#include "core/skala.h"
#include "core/userinput.h"
#include "core/variantreader.h"

QVector<Zusammenfassung> Zusammenfassung::topBottom2(const QStringList& antworten)
{
    const Skala s = Skala::erkenne(antworten);
    const int n = int(s.stufen.size());
    if (n < 4)
        return {};
    // Named after the milder step of each end: "Top-2 (zufrieden)"; numbers by range.
    const auto name = [&](const QString& art, int aussen, int innen) {
        if (s.art == Skala::Zahlen)
            return QStringLiteral("%1 (%2–%3)")
                .arg(art, s.stufen.at(qMax(aussen, innen)), s.stufen.at(qMin(aussen, innen)));
        QString t = s.stufen.at(innen);
        if (t.startsWith(QLatin1String("eher "), Qt::CaseInsensitive))
            t = t.mid(5);
        return QStringLiteral("%1 (%2)").arg(art, t);
    };
    return {{name(tr("Top-2"), 0, 1), {s.stufen.at(0), s.stufen.at(1)}},
            {name(tr("Bottom-2"), n - 1, n - 2), {s.stufen.at(n - 2), s.stufen.at(n - 1)}}};
}

bool Zusammenfassung::bearbeiten(QWidget* parent, const QStringList& antworten,
                                 QVector<Zusammenfassung>* liste)
{
    const QString titel = tr("Zusammenfassungen");
    const QVector<Zusammenfassung> topBottom = topBottom2(antworten);
    const QString neu = tr("Neue Zusammenfassung...");
    const QString top = tr("Top-2 und Bottom-2");
    QStringList wahl{neu};
    if (!topBottom.isEmpty())
        wahl << top;
    const int erstesEntfernen = int(wahl.size());
    for (const Zusammenfassung& z : std::as_const(*liste))
        wahl << tr("Entfernen: %1").arg(z.name);
    bool ok = false;
    const QString was = UserInput::getItem(parent, titel, tr("Zusammenfassung:"), wahl, 0,
                                           false, &ok);
    if (!ok)
        return false;
    const int at = int(wahl.indexOf(was));
    if (was == top) {
        bool neuDazu = false;
        for (const Zusammenfassung& z : topBottom)
            if (!liste->contains(z)) {
                *liste << z;
                neuDazu = true;
            }
        return neuDazu;
    }
    if (was == neu) {
        const QStringList gewaehlt = UserInput::getChecked(
            parent, titel, tr("Antworten der Zusammenfassung:"), antworten, QStringList(), &ok);
        if (!ok || gewaehlt.isEmpty())
            return false;
        const QString name = UserInput::getText(
            parent, titel, tr("Name:"), UserInput::Normal,
            tr("NET (%1)").arg(gewaehlt.join(QStringLiteral(", "))), &ok);
        if (!ok || name.trimmed().isEmpty())
            return false;
        *liste << Zusammenfassung{name.trimmed(), gewaehlt};
        return true;
    }
    if (at >= erstesEntfernen && at - erstesEntfernen < liste->size()) {
        liste->remove(at - erstesEntfernen);
        return true;
    }
    return false;
}

void Zusammenfassung::write(QDataStream& s, const QVector<Zusammenfassung>& liste)
{
    s << qint32(liste.size());
    for (const Zusammenfassung& z : liste)
        s << z.name << QVariant(z.antworten);
}

bool Zusammenfassung::read(QDataStream& s, QVector<Zusammenfassung>* liste)
{
    qint32 n = 0;
    s >> n;
    const qint64 left = s.device() ? s.device()->bytesAvailable() : 0;
    // Each NET takes at least a string length and a variant's type and null flag.
    if (s.status() != QDataStream::Ok || n < 0 || qint64(n) * 9 > left)
        return false;
    QVector<Zusammenfassung> out;
    for (qint32 i = 0; i < n; ++i) {
        Zusammenfassung z;
        QVariant antworten;
        s >> z.name;
        if (s.status() != QDataStream::Ok || !VariantReader::read(s, antworten)
            || (antworten.isValid() && antworten.typeId() != QMetaType::QStringList))
            return false;
        z.antworten = antworten.toStringList();
        out << z;
    }
    *liste = out;
    return true;
}
