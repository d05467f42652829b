#include "io/triplesimport.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QXmlStreamReader>

#include "core/csvreader.h"
#include "io/plattformumfrage.h"

namespace {
// No survey has more; positions beyond it are a damaged description.
const int maxPosition = 1000000;
const int maxVariablen = 100000;
// Columns of a table, the options of multiples counted singly.
const int maxTabellenSpalten = 100000;
}

bool TripleSImport::erkennt(const QByteArray& anfang)
{
    const QByteArray kopf = anfang.left(4096);
    return kopf.contains("<sss");
}

bool TripleSImport::leseMetadaten(QIODevice& in, Metadaten* out)
{
    *out = Metadaten();
    QXmlStreamReader xml(&in);
    Variable v;
    bool inVariable = false;
    bool sssGesehen = false;
    int tiefe = 0;
    int werte = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            if (++tiefe > 64)
                return false;
            const QString name = xml.name().toString();
            const QXmlStreamAttributes a = xml.attributes();
            if (name == QLatin1String("sss")) {
                sssGesehen = true;
            } else if (name == QLatin1String("record")) {
                out->csv = a.value(QLatin1String("format")).compare(QLatin1String("csv"),
                                                                   Qt::CaseInsensitive) == 0;
                out->datenDatei = a.value(QLatin1String("href")).toString();
            } else if (name == QLatin1String("variable")) {
                v = Variable();
                v.typ = a.value(QLatin1String("type")).toString().toLower();
                v.name = a.value(QLatin1String("ident")).toString();
                inVariable = true;
            } else if (inVariable && name == QLatin1String("name")) {
                v.name = xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
                --tiefe;
            } else if (inVariable && name == QLatin1String("label")) {
                v.label = xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
                --tiefe;
            } else if (inVariable && name == QLatin1String("position")) {
                v.start = a.value(QLatin1String("start")).toInt();
                v.ende = a.hasAttribute(QLatin1String("finish"))
                    ? a.value(QLatin1String("finish")).toInt() : v.start;
            } else if (inVariable && name == QLatin1String("spread")) {
                v.spread = a.value(QLatin1String("subfields")).toInt();
                v.breite = a.value(QLatin1String("width")).toInt();
            } else if (inVariable && name == QLatin1String("value")) {
                v.codes << a.value(QLatin1String("code")).toString().trimmed();
                v.labels << xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
                --tiefe;
                if (++werte > maxPosition)
                    return false;
            }
        } else if (xml.isEndElement()) {
            --tiefe;
            if (xml.name() == QLatin1String("variable") && inVariable) {
                inVariable = false;
                if (v.start < 1 || v.ende < v.start || v.ende > maxPosition || v.spread < 0
                    || v.breite < 0 || v.spread > maxPosition || v.breite > maxPosition)
                    return false;
                if (v.name.isEmpty())
                    v.name = QString::number(out->variablen.size() + 1);
                out->variablen << v;
                if (out->variablen.size() > maxVariablen)
                    return false;
            }
        }
    }
    return !xml.hasError() && sssGesehen && !out->variablen.isEmpty();
}

QString TripleSImport::datenDatei(const QString& sssDatei, const Metadaten& m)
{
    const QFileInfo info(sssDatei);
    if (!m.datenDatei.isEmpty()) {
        const QString genannt = info.absoluteDir().filePath(QFileInfo(m.datenDatei).fileName());
        if (QFileInfo::exists(genannt))
            return genannt;
    }
    for (const char* endung : {".asc", ".dat", ".csv", ".txt"}) {
        const QString name = info.absolutePath() + QLatin1Char('/') + info.completeBaseName()
            + QLatin1String(endung);
        if (QFileInfo::exists(name))
            return name;
    }
    return QString();
}

bool TripleSImport::lesen(const Metadaten& m, const QString& daten, PlattformUmfrage* u)
{
    qint64 zahl = 0;
    for (const Variable& v : m.variablen)
        zahl += v.typ == QLatin1String("multiple") ? int(v.codes.size()) : 1;
    if (zahl > maxTabellenSpalten)
        return false;
    u->quelle = QStringLiteral("Triple-S-Datei");
    u->titel.clear();
    u->namen.clear();
    u->offen.clear();
    u->versteckt.clear();
    u->fragen = int(m.variablen.size());
    // Per column: its variable and which value of a multiple (-1: the whole variable).
    QVector<QPair<int, int>> spalten;
    for (int i = 0; i < m.variablen.size(); ++i) {
        const Variable& v = m.variablen.at(i);
        const QString titel = v.label.isEmpty() ? v.name : v.label;
        if (v.typ == QLatin1String("multiple")) {
            MehrfachSet set;
            set.name = titel;
            for (int k = 0; k < v.codes.size(); ++k) {
                set.spalten << int(u->titel.size());
                u->titel << PlattformUmfrage::optionTitel(titel, v.labels.at(k));
                u->namen << v.name + QLatin1Char('_') + v.codes.at(k);
                u->offen << false;
                spalten.append({i, k});
            }
            if (!set.spalten.isEmpty()) {
                u->sets << set;
                ++u->mehrfachFragen;
            }
            continue;
        }
        u->titel << titel;
        u->namen << v.name;
        u->offen << (v.typ == QLatin1String("character") || v.typ == QLatin1String("quantity"));
        spalten.append({i, -1});
    }
    u->versteckt.fill(false, u->titel.size());

    const QStringList lines = CsvReader::lines(daten);
    u->zeilen.reserve(lines.size());
    for (const QString& line : lines) {
        if (line.trimmed().isEmpty())
            continue;
        const QStringList felder = m.csv ? CsvReader::splitLine(line, QLatin1Char(','))
                                         : QStringList();
        // The text at positions [a, b] (1-based, inclusive).
        auto feld = [&](int a, int b) {
            if (m.csv)
                return felder.value(a - 1).trimmed();
            return line.mid(a - 1, b - a + 1).trimmed();
        };
        QStringList row;
        row.reserve(spalten.size());
        QSet<int> gewaehlteCodes;
        for (const auto& [i, k] : spalten) {
            const Variable& v = m.variablen.at(i);
            if (k < 0) {
                const QString t = feld(v.start, v.ende);
                const int c = v.typ == QLatin1String("single") ? int(v.codes.indexOf(t)) : -1;
                row << (c >= 0 ? v.labels.at(c) : t);
                continue;
            }
            bool gewaehlt = false;
            if (v.spread > 0 && v.breite > 0) {
                // Subfields holding the codes chosen, read once per variable and row.
                if (k == 0) {
                    gewaehlteCodes.clear();
                    for (int s = 0; s < v.spread; ++s) {
                        const int a = v.start + s * v.breite;
                        if (a > v.ende || (m.csv ? v.start + s > felder.size() : a > line.size()))
                            break;
                        const QString code = m.csv ? felder.value(v.start - 1 + s).trimmed()
                                                   : feld(a, a + v.breite - 1);
                        if (!code.isEmpty())
                            gewaehlteCodes.insert(code.toInt());
                    }
                }
                gewaehlt = gewaehlteCodes.contains(v.codes.at(k).toInt());
            } else {
                // One flag per value, in the order of the values.
                const int pos = v.start + k;
                gewaehlt = pos <= v.ende && feld(pos, pos) == QLatin1String("1");
            }
            row << (gewaehlt ? v.labels.at(k) : QString());
        }
        u->zeilen << row;
    }
    u->angleichen();
    return true;
}
