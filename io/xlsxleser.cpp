#include "io/xlsxleser.h"

#include "io/officepaket.h"

#include <QDateTime>
#include <QHash>
#include <QVector>
#include <QXmlStreamReader>
#include <cmath>

namespace {
// Cells and shared strings of a sheet: a million rows of twenty answers.
const int maxZellen = 20000000;
const int maxSpalten = 16384;
const int maxZeilen = 1048576;

// Reads a part of the package (held in memory, its size bounded when it was unpacked)
// through the XML reader.
class Teil
{
public:
    Teil(const OfficePaket& paket, const QString& name)
        : m_ok(paket.teile.contains(name))
    {
        if (m_ok)
            xml.addData(paket.teile.value(name));
    }
    bool ok() const { return m_ok; }
    // The next token; false at the end or on an error (then fehler() is true).
    bool next()
    {
        const QXmlStreamReader::TokenType t = xml.readNext();
        return t != QXmlStreamReader::Invalid && t != QXmlStreamReader::EndDocument;
    }
    bool fehler() const { return xml.hasError(); }
    // The text of the element just opened, its children's texts included except the
    // phonetic guides of East Asian texts.
    QString text()
    {
        QString out;
        int tiefe = 1;
        int phonetisch = 0;
        while (tiefe > 0 && next()) {
            if (xml.isStartElement()) {
                ++tiefe;
                if (phonetisch > 0 || xml.name() == QLatin1String("rPh"))
                    ++phonetisch;
            } else if (xml.isEndElement()) {
                --tiefe;
                if (phonetisch > 0)
                    --phonetisch;
            } else if (xml.isCharacters() && phonetisch == 0) {
                out += xml.text();
            }
        }
        return out;
    }
    QXmlStreamReader xml;

private:
    bool m_ok = false;
};

QString zahl(const QString& v)
{
    bool ok = false;
    const double d = v.toDouble(&ok);
    if (!ok || !std::isfinite(d))
        return v;
    if (d == std::floor(d) && std::fabs(d) < 1e15)
        return QString::number(qint64(d));
    return QString::number(d, 'g', 15);
}

struct Zelle {
    int zeile;
    int spalte;
    QString text;
};

// The workbook's sheets: names and part names.
bool mappe(const OfficePaket& zip, QStringList* namen, QStringList* teile)
{
    QHash<QString, QString> ziele;
    {
        Teil rels(zip, QStringLiteral("xl/_rels/workbook.xml.rels"));
        if (!rels.ok())
            return false;
        while (rels.next())
            if (rels.xml.isStartElement() && rels.xml.name() == QLatin1String("Relationship")) {
                QString ziel = rels.xml.attributes().value(QLatin1String("Target")).toString();
                if (ziel.startsWith(QLatin1Char('/')))
                    ziel = ziel.mid(1);
                else
                    ziel = QStringLiteral("xl/") + ziel;
                ziele.insert(rels.xml.attributes().value(QLatin1String("Id")).toString(), ziel);
            }
        if (rels.fehler())
            return false;
    }
    Teil wb(zip, QStringLiteral("xl/workbook.xml"));
    if (!wb.ok())
        return false;
    while (wb.next())
        if (wb.xml.isStartElement() && wb.xml.name() == QLatin1String("sheet")) {
            const QXmlStreamAttributes a = wb.xml.attributes();
            QString id;
            for (const QXmlStreamAttribute& at : a)
                if (at.name() == QLatin1String("id"))
                    id = at.value().toString();
            *namen << a.value(QLatin1String("name")).toString();
            *teile << ziele.value(id);
            if (namen->size() > 10000)
                return false;
        }
    return !wb.fehler() && !namen->isEmpty();
}
}

namespace {
// The package, unpacked within its bounds; false for a damaged or too large one.
bool oeffnen(QIODevice& in, OfficePaket* zip)
{
    if (in.size() > OfficePaket::MaxDatei)
        return false;
    return zip->lesenAus(in.readAll());
}
}

bool XlsxLeser::istZip(const QByteArray& anfang)
{
    return anfang.startsWith("PK\x03\x04");
}

int XlsxLeser::spalte(const QString& ref)
{
    int c = 0;
    int i = 0;
    for (; i < ref.size() && ref.at(i).isLetter(); ++i) {
        const int u = ref.at(i).toUpper().unicode();
        if (u < 'A' || u > 'Z')
            return -1;
        c = c * 26 + (u - 'A' + 1);
        if (c > maxSpalten)
            return -1;
    }
    return i == 0 ? -1 : c - 1;
}

QString XlsxLeser::datum(double serial)
{
    if (!std::isfinite(serial) || serial < 1 || serial >= 2958466)
        return QString();
    const qint64 tage = qint64(std::floor(serial));
    const QDate d = QDate(1899, 12, 30).addDays(tage);
    const int sekunden = int(std::lround((serial - double(tage)) * 86400.0));
    if (sekunden <= 0 || sekunden >= 86400)
        return d.toString(QStringLiteral("dd.MM.yyyy"));
    return d.toString(QStringLiteral("dd.MM.yyyy")) + QLatin1Char(' ')
        + QTime(0, 0).addSecs(sekunden).toString(QStringLiteral("HH:mm"));
}

bool XlsxLeser::istDatumsFormat(int id, const QString& code)
{
    if ((id >= 14 && id <= 17) || id == 22)
        return true;
    if (id < 164)
        return false;
    // Quoted texts and bracketed colours or conditions say nothing about the kind.
    QString ohne;
    bool zitiert = false;
    int klammer = 0;
    for (const QChar c : code) {
        if (c == QLatin1Char('"'))
            zitiert = !zitiert;
        else if (!zitiert && c == QLatin1Char('['))
            ++klammer;
        else if (!zitiert && c == QLatin1Char(']'))
            klammer = qMax(0, klammer - 1);
        else if (!zitiert && klammer == 0)
            ohne += c.toLower();
    }
    return ohne.contains(QLatin1Char('d')) || ohne.contains(QLatin1Char('y'));
}

bool XlsxLeser::blaetter(QIODevice& in, QStringList* namen)
{
    namen->clear();
    OfficePaket zip;
    if (!oeffnen(in, &zip))
        return false;
    QStringList teile;
    return mappe(zip, namen, &teile);
}

bool XlsxLeser::lesen(QIODevice& in, int blatt, QList<QStringList>* rows)
{
    rows->clear();
    OfficePaket zip;
    if (!oeffnen(in, &zip))
        return false;
    QStringList namen, teile;
    if (!mappe(zip, &namen, &teile) || blatt < 0 || blatt >= teile.size())
        return false;

    // Shared strings (optional part).
    QStringList strings;
    {
        Teil sst(zip, QStringLiteral("xl/sharedStrings.xml"));
        if (sst.ok()) {
            while (sst.next())
                if (sst.xml.isStartElement() && sst.xml.name() == QLatin1String("si")) {
                    strings << sst.text();
                    if (strings.size() > maxZellen)
                        return false;
                }
            if (sst.fehler())
                return false;
        }
    }
    // Which cell styles show dates (optional part).
    QVector<bool> datumsStil;
    {
        Teil st(zip, QStringLiteral("xl/styles.xml"));
        if (st.ok()) {
            QHash<int, QString> codes;
            bool inXfs = false;
            while (st.next()) {
                if (st.xml.isStartElement()) {
                    const QXmlStreamAttributes a = st.xml.attributes();
                    if (st.xml.name() == QLatin1String("numFmt"))
                        codes.insert(a.value(QLatin1String("numFmtId")).toInt(),
                                     a.value(QLatin1String("formatCode")).toString());
                    else if (st.xml.name() == QLatin1String("cellXfs"))
                        inXfs = true;
                    else if (inXfs && st.xml.name() == QLatin1String("xf")) {
                        const int id = a.value(QLatin1String("numFmtId")).toInt();
                        datumsStil << istDatumsFormat(id, codes.value(id));
                        if (datumsStil.size() > 1000000)
                            return false;
                    }
                } else if (st.xml.isEndElement() && st.xml.name() == QLatin1String("cellXfs")) {
                    inXfs = false;
                }
            }
            if (st.fehler())
                return false;
        }
    }

    Teil sheet(zip, teile.at(blatt));
    if (!sheet.ok())
        return false;
    QVector<Zelle> zellen;
    int zeile = 0;
    int naechsteZeile = 0;
    int spalteVorher = -1;
    int maxZeile = -1;
    int maxSpalte = -1;
    while (sheet.next()) {
        if (!sheet.xml.isStartElement())
            continue;
        const QXmlStreamAttributes a = sheet.xml.attributes();
        if (sheet.xml.name() == QLatin1String("row")) {
            const int r = a.hasAttribute(QLatin1String("r"))
                ? a.value(QLatin1String("r")).toInt() - 1 : naechsteZeile;
            if (r < 0 || r >= maxZeilen)
                return false;
            zeile = r;
            naechsteZeile = r + 1;
            spalteVorher = -1;
        } else if (sheet.xml.name() == QLatin1String("c")) {
            int c = spalteVorher + 1;
            if (a.hasAttribute(QLatin1String("r")))
                c = spalte(a.value(QLatin1String("r")).toString());
            if (c < 0 || c >= maxSpalten)
                return false;
            spalteVorher = c;
            const QString typ = a.value(QLatin1String("t")).toString();
            const int stil = a.value(QLatin1String("s")).toInt();
            QString v;
            QString inline_;
            int tiefe = 1;
            while (tiefe > 0 && sheet.next()) {
                if (sheet.xml.isStartElement()) {
                    if (sheet.xml.name() == QLatin1String("v")) {
                        v = sheet.text();
                    } else if (sheet.xml.name() == QLatin1String("is")) {
                        inline_ = sheet.text();
                    } else {
                        ++tiefe;
                    }
                } else if (sheet.xml.isEndElement()) {
                    --tiefe;
                }
            }
            QString text;
            if (typ == QLatin1String("s")) {
                bool ok = false;
                const int i = v.toInt(&ok);
                if (!ok || i < 0 || i >= strings.size())
                    return false;
                text = strings.at(i);
            } else if (typ == QLatin1String("inlineStr")) {
                text = inline_;
            } else if (typ == QLatin1String("str") || typ == QLatin1String("e")) {
                text = v;
            } else if (typ == QLatin1String("b")) {
                text = v.trimmed() == QLatin1String("1") ? QStringLiteral("WAHR")
                                                         : QStringLiteral("FALSCH");
            } else if (!v.isEmpty()) {
                text = zahl(v);
                if (stil >= 0 && stil < datumsStil.size() && datumsStil.at(stil)) {
                    const QString d = datum(v.toDouble());
                    if (!d.isEmpty())
                        text = d;
                }
            }
            if (text.isEmpty())
                continue;
            zellen.append({zeile, c, text});
            if (zellen.size() > maxZellen)
                return false;
            maxZeile = qMax(maxZeile, zeile);
            maxSpalte = qMax(maxSpalte, c);
        }
    }
    if (sheet.fehler())
        return false;
    if (zellen.isEmpty())
        return true;
    // A few cells far apart would make a table mostly of nothing.
    const qint64 flaeche = qint64(maxZeile + 1) * (maxSpalte + 1);
    if (flaeche > 4 * qint64(zellen.size()) + 1000000)
        return false;
    QList<QStringList> out;
    out.reserve(maxZeile + 1);
    for (int r = 0; r <= maxZeile; ++r) {
        QStringList leer;
        leer.reserve(maxSpalte + 1);
        for (int c = 0; c <= maxSpalte; ++c)
            leer << QString();
        out << leer;
    }
    for (const Zelle& z : zellen)
        out[z.zeile][z.spalte] = z.text;
    *rows = out;
    return true;
}
