#include "io/limesurveyimport.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QXmlStreamReader>

#include "core/csvreader.h"
#include "io/plattformumfrage.h"
#include "io/spsssyntax.h"

namespace {
const QSet<QString>& metaNamen()
{
    static const QSet<QString> namen = {
        QStringLiteral("id"), QStringLiteral("submitdate"), QStringLiteral("lastpage"),
        QStringLiteral("startlanguage"), QStringLiteral("seed"), QStringLiteral("startdate"),
        QStringLiteral("datestamp"), QStringLiteral("ipaddr"), QStringLiteral("refurl"),
        QStringLiteral("token"), QStringLiteral("interviewtime"),
        QStringLiteral("Response ID"), QStringLiteral("Antwort ID"),
        QStringLiteral("Date submitted"), QStringLiteral("Datum Abgeschickt"),
        QStringLiteral("Last page"), QStringLiteral("Letzte Seite"),
        QStringLiteral("Start language"), QStringLiteral("Start-Sprache"),
        QStringLiteral("Seed"), QStringLiteral("Zufallsstartwert"),
        QStringLiteral("Date started"), QStringLiteral("Datum gestartet"),
        QStringLiteral("Date last action"), QStringLiteral("Datum letzte Aktivität"),
        QStringLiteral("IP address"), QStringLiteral("IP-Adresse"),
        QStringLiteral("Referrer URL"), QStringLiteral("Referrer-URL"),
        QStringLiteral("Token"), QStringLiteral("Zugangsschlüssel"),
        QStringLiteral("Total time"), QStringLiteral("Gesamtzeit")};
    return namen;
}
}

bool LimeSurveyImport::erkennt(const QList<QStringList>& kopf)
{
    if (kopf.isEmpty())
        return false;
    const QStringList& h = kopf.first();
    const bool codes = h.contains(QLatin1String("id")) && h.contains(QLatin1String("submitdate"));
    const bool texte = (h.contains(QLatin1String("Response ID"))
                        || h.contains(QLatin1String("Antwort ID")))
        && (h.contains(QLatin1String("Date submitted"))
            || h.contains(QLatin1String("Datum Abgeschickt")));
    return codes || texte;
}

bool LimeSurveyImport::istMetadaten(const QString& name)
{
    return metaNamen().contains(name) || name.endsWith(QLatin1String("Time"))
        || name.startsWith(QLatin1String("groupTime"));
}

bool LimeSurveyImport::leseStruktur(QIODevice& in, Struktur* out)
{
    *out = Struktur();
    QXmlStreamReader xml(&in);
    // Every table of the file is <document><name><rows><row><field>text</field>...; the rows of
    // the tables that name questions and answers are collected, the rest skipped.
    using Zeile = QHash<QString, QString>;
    QHash<QString, QList<Zeile>> tabellen;
    QStringList pfad;
    Zeile zeile;
    bool typOk = false;
    // A file of millions of rows is no survey structure.
    const int maxZeilen = 1000000;
    int zeilen = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const QString name = xml.name().toString();
            if (pfad.size() >= 64)
                return false;
            if (pfad.size() == 4 && pfad.at(3) == QLatin1String("row")) {
                zeile.insert(name, xml.readElementText(QXmlStreamReader::IncludeChildElements));
                continue;
            }
            if (pfad.size() == 1 && name == QLatin1String("LimeSurveyDocType"))
                typOk = true;
            pfad << name;
            if (pfad.size() == 4 && name == QLatin1String("row"))
                zeile.clear();
        } else if (xml.isEndElement()) {
            if (pfad.size() == 4 && pfad.at(3) == QLatin1String("row")) {
                if (++zeilen > maxZeilen)
                    return false;
                tabellen[pfad.at(1)] << zeile;
            }
            if (!pfad.isEmpty())
                pfad.removeLast();
        }
    }
    if (xml.hasError() || !typOk)
        return false;
    // Texts of questions and answers: in the rows themselves (older files) or in
    // translation tables (newer ones); the first language wins.
    QHash<QString, QString> frageText;
    for (const Zeile& z : tabellen.value(QStringLiteral("question_l10ns")))
        if (!frageText.contains(z.value(QStringLiteral("qid"))))
            frageText.insert(z.value(QStringLiteral("qid")), z.value(QStringLiteral("question")));
    QHash<QString, QString> antwortText;
    for (const Zeile& z : tabellen.value(QStringLiteral("answer_l10ns")))
        if (!antwortText.contains(z.value(QStringLiteral("aid"))))
            antwortText.insert(z.value(QStringLiteral("aid")), z.value(QStringLiteral("answer")));
    QHash<QString, QString> codeVon;  // qid -> code of a question
    auto text = [&](const Zeile& z) {
        const QString t = z.value(QStringLiteral("question"));
        return t.isEmpty() ? frageText.value(z.value(QStringLiteral("qid"))) : t;
    };
    for (const Zeile& z : tabellen.value(QStringLiteral("questions"))) {
        const QString qid = z.value(QStringLiteral("qid"));
        const QString code = z.value(QStringLiteral("title"));
        if (codeVon.contains(qid) || code.isEmpty())
            continue;
        const QString parent = z.value(QStringLiteral("parent_qid"));
        if (!parent.isEmpty() && parent != QLatin1String("0"))
            continue;
        codeVon.insert(qid, code);
        Struktur::Frage& f = out->fragen[code];
        f.text = text(z);
        f.typ = z.value(QStringLiteral("type"));
    }
    QList<Zeile> teil = tabellen.value(QStringLiteral("subquestions"));
    for (const Zeile& z : tabellen.value(QStringLiteral("questions"))) {
        const QString parent = z.value(QStringLiteral("parent_qid"));
        if (!parent.isEmpty() && parent != QLatin1String("0"))
            teil << z;
    }
    for (const Zeile& z : teil) {
        const QString code = codeVon.value(z.value(QStringLiteral("parent_qid")));
        if (code.isEmpty())
            continue;
        QHash<QString, QString>& t = out->fragen[code].teilfragen;
        if (!t.contains(z.value(QStringLiteral("title"))))
            t.insert(z.value(QStringLiteral("title")), text(z));
    }
    for (const Zeile& z : tabellen.value(QStringLiteral("answers"))) {
        const QString code = codeVon.value(z.value(QStringLiteral("qid")));
        if (code.isEmpty())
            continue;
        QString t = z.value(QStringLiteral("answer"));
        if (t.isEmpty())
            t = antwortText.value(z.value(QStringLiteral("aid")));
        QHash<QString, QString>& a = out->fragen[code].antworten;
        if (!a.contains(z.value(QStringLiteral("code"))))
            a.insert(z.value(QStringLiteral("code")), t);
    }
    return !out->fragen.isEmpty();
}

QString LimeSurveyImport::strukturDatei(const QString& exportDatei)
{
    const QFileInfo info(exportDatei);
    const QString gleich = info.absolutePath() + QLatin1Char('/') + info.completeBaseName()
        + QStringLiteral(".lss");
    if (QFileInfo::exists(gleich))
        return gleich;
    const QStringList alle = info.absoluteDir().entryList({QStringLiteral("*.lss")}, QDir::Files);
    return alle.size() == 1 ? info.absoluteDir().filePath(alle.first()) : QString();
}

void LimeSurveyImport::lesen(const QStringList& kopf, const QList<QStringList>& rows,
                             const Struktur& struktur, PlattformUmfrage* u)
{
    static const QRegularExpression codeTeil(QStringLiteral("^([^\\[\\] ]+)\\[([^\\]]+)\\]$"));
    static const QRegularExpression textTeil(QStringLiteral("^(.+) \\[(.+)\\]$"));
    const int n = int(kopf.size());
    u->quelle = QStringLiteral("LimeSurvey-Export");
    u->namen = kopf;
    u->titel = kopf;
    u->versteckt.fill(false, n);
    u->offen.fill(false, n);
    u->zeilen = rows;
    QHash<QString, QVector<int>> gruppen;
    QStringList reihenfolge;
    QSet<QString> fragen;
    QVector<QString> frageVon(n);
    for (int c = 0; c < n; ++c) {
        const QString& name = kopf.at(c);
        if (istMetadaten(name)) {
            u->versteckt[c] = true;
            continue;
        }
        QString frage = name;
        QString teil;
        QRegularExpressionMatch m = codeTeil.match(name);
        if (!m.hasMatch())
            m = textTeil.match(name);
        if (m.hasMatch()) {
            frage = m.captured(1);
            teil = m.captured(2);
        }
        fragen.insert(frage);
        frageVon[c] = frage;
        const Struktur::Frage f = struktur.fragen.value(frage);
        const QString frageTitel = f.text.isEmpty() ? frage : f.text;
        if (teil.isEmpty()) {
            u->titel[c] = frageTitel;
        } else if (teil == QLatin1String("other") || teil.endsWith(QLatin1String("comment"))) {
            u->offen[c] = true;
            u->titel[c] = PlattformUmfrage::optionTitel(frageTitel, teil);
        } else {
            u->titel[c] = PlattformUmfrage::optionTitel(frageTitel,
                                                        f.teilfragen.value(teil, teil));
            if (!gruppen.contains(frage))
                reihenfolge << frage;
            gruppen[frage] << c;
        }
        // Free text and numbers have no answers to count.
        static const QSet<QString> frei = {QStringLiteral("S"), QStringLiteral("T"),
                                           QStringLiteral("U"), QStringLiteral("Q"),
                                           QStringLiteral("N"), QStringLiteral("K"),
                                           QStringLiteral("D")};
        if (frei.contains(f.typ))
            u->offen[c] = true;
        // Codes become their answer texts.
        if (!f.antworten.isEmpty())
            for (QStringList& row : u->zeilen)
                if (c < row.size())
                    row[c] = f.antworten.value(row.at(c), row.at(c));
    }
    u->fragen = int(fragen.size());
    for (const QString& frage : reihenfolge) {
        const QVector<int>& spalten = gruppen.value(frage);
        if (spalten.size() < 2)
            continue;
        MehrfachSet set;
        const QString text = struktur.fragen.value(frage).text;
        set.name = text.isEmpty() ? frage : text;
        set.spalten = spalten;
        // A multiple-choice question marks a chosen option "Y" ("Ja", "Yes" under text
        // headings) and may mark the others "N".
        static const QSet<QString> ja = {QStringLiteral("Y"), QStringLiteral("Ja"),
                                         QStringLiteral("Yes")};
        static const QSet<QString> nein = {QStringLiteral("N"), QStringLiteral("Nein"),
                                           QStringLiteral("No")};
        QString jaWert;
        bool mitNein = false;
        bool nurJaNein = true;
        for (int c : spalten)
            for (const QStringList& row : u->zeilen) {
                const QString v = row.value(c).trimmed();
                if (ja.contains(v))
                    jaWert = v;
                else if (nein.contains(v))
                    mitNein = true;
                else if (!v.isEmpty())
                    nurJaNein = false;
            }
        const QString typ = struktur.fragen.value(frage).typ;
        if ((!jaWert.isEmpty() && nurJaNein) || typ == QLatin1String("M")
            || typ == QLatin1String("P")) {
            if (mitNein)
                set.wert = jaWert.isEmpty() ? QStringLiteral("Y") : jaWert;
            ++u->mehrfachFragen;
        }
        u->sets << set;
    }
    u->angleichen();
}

QStringList LimeSurveyImport::felder(const QString& line, QChar trenner, QChar qualifier)
{
    QStringList out;
    QString cur;
    bool inQuote = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line.at(i);
        if (inQuote) {
            if (c == qualifier) {
                if (i + 1 < line.size() && line.at(i + 1) == qualifier) {
                    cur += c;
                    ++i;
                } else {
                    inQuote = false;
                }
            } else {
                cur += c;
            }
        } else if (c == qualifier && cur.isEmpty()) {
            inQuote = true;
        } else if (c == trenner) {
            out << cur;
            cur.clear();
        } else {
            cur += c;
        }
    }
    out << cur;
    return out;
}

void LimeSurveyImport::lesenSpss(const SpssSyntax& syntax, const QString& daten,
                                 PlattformUmfrage* u)
{
    const QStringList& vars = syntax.variablen;
    const int n = int(vars.size());
    u->quelle = QStringLiteral("LimeSurvey-SPSS-Export");
    u->namen = vars;
    u->titel.clear();
    u->versteckt.fill(false, n);
    u->offen.fill(false, n);
    u->fragen = 0;
    for (int c = 0; c < n; ++c) {
        u->titel << syntax.label(vars.at(c));
        u->versteckt[c] = istMetadaten(vars.at(c));
        if (!u->versteckt.at(c))
            ++u->fragen;
    }
    // The raw codes of the columns with missing values, for the ranges among them.
    QVector<bool> mitFehlend(n);
    QVector<QSet<QString>> roh(n);
    for (int c = 0; c < n; ++c)
        mitFehlend[c] = syntax.fehlendeWerte.contains(vars.at(c));
    const QStringList lines = CsvReader::lines(daten);
    for (int l = syntax.ersteZeile - 1; l < lines.size(); ++l) {
        if (lines.at(l).isEmpty())
            continue;
        QStringList f = felder(lines.at(l), syntax.trenner, syntax.qualifier);
        f = f.mid(0, n);
        for (int c = 0; c < f.size(); ++c) {
            if (mitFehlend.at(c))
                roh[c].insert(f.at(c));
            f[c] = syntax.wert(vars.at(c), f.at(c));
        }
        u->zeilen << f;
    }
    u->angleichen();
    for (int c = 0; c < n; ++c)
        if (mitFehlend.at(c))
            u->fehlend[c] = syntax.fehlendeCodes(vars.at(c), roh.at(c).values(), true);
}
