#include "io/koboimport.h"

#include <QSet>

#include "io/plattformumfrage.h"
#include "io/spsssyntax.h"

bool KoboImport::erkennt(const QList<QStringList>& kopf)
{
    if (kopf.isEmpty())
        return false;
    const QStringList& h = kopf.first();
    return h.contains(QLatin1String("_uuid")) || h.contains(QLatin1String("_submission_time"))
        || (h.contains(QLatin1String("_id")) && h.contains(QLatin1String("start")));
}

bool KoboImport::istMetadaten(const QString& name)
{
    static const QSet<QString> namen = {
        QStringLiteral("start"), QStringLiteral("end"), QStringLiteral("today"),
        QStringLiteral("deviceid"), QStringLiteral("username"), QStringLiteral("simserial"),
        QStringLiteral("subscriberid"), QStringLiteral("phonenumber"), QStringLiteral("audit"),
        QStringLiteral("audit_URL"), QStringLiteral("instanceID"), QStringLiteral("__version__")};
    return name.startsWith(QLatin1Char('_')) || namen.contains(name)
        || name.startsWith(QLatin1String("meta/")) || name.startsWith(QLatin1String("formhub/"));
}

namespace {
QStringList kandidaten(const QString& spalte)
{
    return {spalte, QString(spalte).replace(QLatin1Char('/'), QLatin1Char('_')),
            QString(spalte).replace(QLatin1Char('/'), QLatin1Char('.')),
            spalte.section(QLatin1Char('/'), -1)};
}

// The variable whose missing values a column has: found as variable() finds it, but
// also where the syntax declares nothing else of it.
QString fehlendVariable(const SpssSyntax& labels, const QString& spalte)
{
    for (const QString& k : kandidaten(spalte))
        if (labels.fehlendeWerte.contains(k))
            return k;
    return QString();
}
}

QString KoboImport::variable(const SpssSyntax& labels, const QString& spalte)
{
    for (const QString& k : kandidaten(spalte))
        if (labels.variablenLabels.contains(k) || labels.wertLabels.contains(k))
            return k;
    return QString();
}

void KoboImport::lesen(const QStringList& kopf, const QList<QStringList>& rows,
                       const SpssSyntax* labels, PlattformUmfrage* u)
{
    const int n = int(kopf.size());
    u->quelle = QStringLiteral("KoboToolbox-Export");
    u->namen = kopf;
    u->titel.clear();
    u->versteckt.fill(false, n);
    u->offen.fill(false, n);
    u->zeilen = rows;
    u->fragen = 0;
    QVector<QString> var(n);
    for (int c = 0; c < n; ++c) {
        const QString& name = kopf.at(c);
        if (labels)
            var[c] = variable(*labels, name);
        QString titel = name.section(QLatin1Char('/'), -1);
        if (!var.at(c).isEmpty())
            titel = labels->label(var.at(c));
        u->titel << titel;
        u->versteckt[c] = istMetadaten(name);
    }
    // A select-multiple question: the column "q" and right after it "q/a", "q/b", ...
    QVector<bool> option;
    option.fill(false, n);
    for (int c = 0; c < n; ++c) {
        if (u->versteckt.at(c))
            continue;
        const QString prefix = kopf.at(c) + QLatin1Char('/');
        int last = c;
        while (last + 1 < n && kopf.at(last + 1).startsWith(prefix)
               && !kopf.at(last + 1).mid(prefix.size()).contains(QLatin1Char('/')))
            ++last;
        if (last == c) {
            if (!option.at(c))
                ++u->fragen;
            continue;
        }
        ++u->fragen;
        ++u->mehrfachFragen;
        MehrfachSet set;
        set.name = u->titel.at(c);
        set.wert = QStringLiteral("1");
        for (int k = c + 1; k <= last; ++k) {
            option[k] = true;
            QString opt = kopf.at(k).mid(prefix.size());
            // The option's label is the code's label of the question.
            if (labels && !var.at(c).isEmpty())
                opt = labels->wert(var.at(c), opt);
            u->titel[k] = PlattformUmfrage::optionTitel(set.name, opt);
            set.spalten << k;
        }
        // The code column says the same as the options: hidden.
        u->versteckt[c] = true;
        ++u->ersetzteSpalten;
        u->sets << set;
        c = last;
    }
    u->fehlend.fill(QStringList(), n);
    if (labels)
        for (int c = 0; c < n; ++c) {
            const QString v = var.at(c).isEmpty() || !labels->fehlendeWerte.contains(var.at(c))
                ? fehlendVariable(*labels, kopf.at(c))
                : var.at(c);
            if (v.isEmpty())
                continue;
            QSet<QString> roh;
            for (const QStringList& row : u->zeilen)
                if (c < row.size())
                    roh.insert(row.at(c));
            // Labelled below exactly where the answers are.
            const bool beschriftet =
                v == var.at(c) && !option.at(c) && labels->wertLabels.contains(v);
            u->fehlend[c] = labels->fehlendeCodes(v, roh.values(), beschriftet);
        }
    // Answers by their labels, except in the option columns (1 or 0).
    if (labels)
        for (int c = 0; c < n; ++c)
            if (!var.at(c).isEmpty() && !option.at(c) && labels->wertLabels.contains(var.at(c)))
                for (QStringList& row : u->zeilen)
                    if (c < row.size())
                        row[c] = labels->wert(var.at(c), row.at(c));
    u->angleichen();
}
