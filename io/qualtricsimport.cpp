#include "io/qualtricsimport.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>

#include "io/plattformumfrage.h"

namespace {
bool istImportIdZeile(const QList<QStringList>& kopf)
{
    return kopf.size() >= 3 && !kopf.at(2).isEmpty()
        && kopf.at(2).first().trimmed().startsWith(QLatin1String("{\"ImportId\""));
}

// "Frage - Selected Choice - Option" and "Frage - Option": the question and the option.
void teile(const QString& text, QString* frage, QString* option)
{
    const QString sep = QStringLiteral(" - ");
    const int first = int(text.indexOf(sep));
    if (first < 0) {
        *frage = text;
        *option = text;
        return;
    }
    *frage = text.left(first);
    *option = text.mid(text.lastIndexOf(sep) + sep.size());
}
}

bool QualtricsImport::erkennt(const QList<QStringList>& kopf)
{
    if (kopf.size() < 2)
        return false;
    if (istImportIdZeile(kopf))
        return true;
    const QStringList& n = kopf.first();
    return n.contains(QLatin1String("StartDate"))
        && (n.contains(QLatin1String("ResponseId")) || n.contains(QLatin1String("ResponseID")));
}

int QualtricsImport::kopfZeilen(const QList<QStringList>& kopf)
{
    return istImportIdZeile(kopf) ? 3 : 2;
}

bool QualtricsImport::istMetadaten(const QString& name)
{
    static const QSet<QString> namen = {
        QStringLiteral("StartDate"), QStringLiteral("EndDate"), QStringLiteral("Status"),
        QStringLiteral("IPAddress"), QStringLiteral("Progress"),
        QStringLiteral("Duration (in seconds)"), QStringLiteral("Duration"),
        QStringLiteral("Finished"), QStringLiteral("RecordedDate"),
        QStringLiteral("ResponseId"), QStringLiteral("ResponseID"),
        QStringLiteral("ResponseSet"), QStringLiteral("ExternalReference"),
        QStringLiteral("ExternalDataReference"), QStringLiteral("DistributionChannel"),
        QStringLiteral("UserLanguage"), QStringLiteral("Name"), QStringLiteral("EmailAddress")};
    return namen.contains(name) || name.startsWith(QLatin1String("Recipient"))
        || name.startsWith(QLatin1String("Location"));
}

void QualtricsImport::lesen(const QList<QStringList>& kopf, PlattformUmfrage* u)
{
    static const QRegularExpression option(QStringLiteral("^(.+)_(\\d+)$"));
    const QStringList& namen = kopf.first();
    const QStringList texte = kopf.value(1);
    const int n = int(namen.size());
    u->quelle = QStringLiteral("Qualtrics-Export");
    u->namen = namen;
    u->titel.clear();
    u->versteckt.fill(false, n);
    u->offen.fill(false, n);
    QHash<QString, QVector<int>> gruppen;
    QStringList reihenfolge;
    QSet<QString> fragen;
    for (int c = 0; c < n; ++c) {
        const QString& name = namen.at(c);
        const QString text = texte.value(c).trimmed();
        u->titel << (text.isEmpty() ? name : text);
        if (istMetadaten(name)) {
            u->versteckt[c] = true;
            continue;
        }
        QString basis = name;
        if (name.endsWith(QLatin1String("_TEXT"))) {
            u->offen[c] = true;
            basis.chop(5);
        }
        const QRegularExpressionMatch m = option.match(basis);
        if (m.hasMatch())
            basis = m.captured(1);
        fragen.insert(basis);
        if (m.hasMatch() && !u->offen.at(c)) {
            if (!gruppen.contains(basis))
                reihenfolge << basis;
            gruppen[basis] << c;
        }
    }
    u->fragen = int(fragen.size());
    for (const QString& basis : reihenfolge) {
        const QVector<int>& spalten = gruppen.value(basis);
        if (spalten.size() < 2)
            continue;
        MehrfachSet set;
        QString frage, opt;
        teile(u->titel.at(spalten.first()), &frage, &opt);
        set.name = frage;
        for (int c : spalten) {
            teile(u->titel.at(c), &frage, &opt);
            u->titel[c] = PlattformUmfrage::optionTitel(set.name, opt);
        }
        set.spalten = spalten;
        u->sets << set;
        ++u->mehrfachFragen;
    }
    u->angleichen();
}
