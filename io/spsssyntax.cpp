#include "io/spsssyntax.h"

#include <QSet>
#include <QVector>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
struct Token {
    enum Art { Wort, Text, Zeichen } art;
    QString text;
};

// A command ends at a "." that closes a line (outside quotes).
QVector<QVector<Token>> befehle(const QString& s)
{
    QVector<QVector<Token>> out;
    QVector<Token> cur;
    const qsizetype n = s.size();
    qsizetype i = 0;
    auto zeilenEnde = [&](qsizetype k) {
        while (k < n && (s.at(k) == QLatin1Char(' ') || s.at(k) == QLatin1Char('\t')
                         || s.at(k) == QLatin1Char('\r')))
            ++k;
        return k >= n || s.at(k) == QLatin1Char('\n');
    };
    while (i < n) {
        const QChar c = s.at(i);
        if (c.isSpace()) {
            ++i;
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            QString t;
            ++i;
            while (i < n) {
                if (s.at(i) == c) {
                    if (i + 1 < n && s.at(i + 1) == c) {
                        t += c;
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                t += s.at(i++);
            }
            cur.append({Token::Text, t});
        } else if (c == QLatin1Char('.') && zeilenEnde(i + 1)) {
            if (!cur.isEmpty())
                out.append(cur);
            cur.clear();
            ++i;
        } else if (c == QLatin1Char('/') || c == QLatin1Char('(') || c == QLatin1Char(')')
                   || c == QLatin1Char(',') || c == QLatin1Char('=')) {
            cur.append({Token::Zeichen, QString(c)});
            ++i;
        } else if (c == QLatin1Char('*') && cur.isEmpty()) {
            // A comment runs to its command's end.
            while (i < n && !(s.at(i) == QLatin1Char('.') && zeilenEnde(i + 1)))
                ++i;
            ++i;
        } else {
            const qsizetype start = i;
            while (i < n && !s.at(i).isSpace() && s.at(i) != QLatin1Char('/')
                   && s.at(i) != QLatin1Char('(') && s.at(i) != QLatin1Char(')')
                   && s.at(i) != QLatin1Char(',') && s.at(i) != QLatin1Char('=')
                   && s.at(i) != QLatin1Char('\'') && s.at(i) != QLatin1Char('"')
                   && !(s.at(i) == QLatin1Char('.') && zeilenEnde(i + 1)))
                ++i;
            cur.append({Token::Wort, s.mid(start, i - start)});
        }
    }
    if (!cur.isEmpty())
        out.append(cur);
    return out;
}

bool istWort(const QVector<Token>& b, int k, const char* w)
{
    return k < b.size() && b.at(k).art == Token::Wort
        && b.at(k).text.compare(QLatin1String(w), Qt::CaseInsensitive) == 0;
}

bool istZeichen(const Token& t, char z)
{
    return t.art == Token::Zeichen && t.text == QLatin1Char(z);
}

// The pieces between "/" of a command from token k on.
QVector<QVector<Token>> abschnitte(const QVector<Token>& b, int k)
{
    QVector<QVector<Token>> out(1);
    for (; k < b.size(); ++k) {
        if (istZeichen(b.at(k), '/'))
            out.append(QVector<Token>());
        else
            out.last().append(b.at(k));
    }
    return out;
}

void leseVariablenLabels(const QVector<Token>& b, SpssSyntax* out)
{
    QString name;
    for (int k = 2; k < b.size(); ++k) {
        const Token& t = b.at(k);
        if (t.art == Token::Wort)
            name = t.text;
        else if (t.art == Token::Text && !name.isEmpty()) {
            out->variablenLabels.insert(name, t.text);
            name.clear();
        }
    }
}

void leseWertLabels(const QVector<Token>& b, int start, SpssSyntax* out)
{
    for (const QVector<Token>& teil : abschnitte(b, start)) {
        // The variables are the leading words; the last of them is the first code
        // unless the codes are quoted (a text then follows a text).
        int k = 0;
        while (k < teil.size() && teil.at(k).art == Token::Wort)
            ++k;
        const bool zitiert = k + 1 < teil.size() && teil.at(k).art == Token::Text
            && teil.at(k + 1).art == Token::Text;
        if (!zitiert && k > 0)
            --k;
        QStringList namen;
        for (int j = 0; j < k; ++j)
            namen << teil.at(j).text;
        QHash<QString, QString> labels;
        for (; k + 1 < teil.size(); k += 2) {
            if (teil.at(k + 1).art != Token::Text)
                break;
            labels.insert(teil.at(k).text.trimmed(), teil.at(k + 1).text);
        }
        // Many variables sharing many labels would multiply them without end.
        if (qint64(namen.size()) * labels.size() > 5000000)
            continue;
        for (const QString& name : namen)
            out->wertLabels[name].insert(labels);
    }
}

void leseFehlendeWerte(const QVector<Token>& b, SpssSyntax* out)
{
    for (const QVector<Token>& teil : abschnitte(b, 2)) {
        QStringList namen;
        int k = 0;
        while (k < teil.size() && !istZeichen(teil.at(k), '('))
            if (teil.at(k++).art == Token::Wort)
                namen << teil.at(k - 1).text;
        QStringList werte;
        QString wert;
        for (++k; k < teil.size() && !istZeichen(teil.at(k), ')'); ++k) {
            if (istZeichen(teil.at(k), ',')) {
                werte << wert;
                wert.clear();
            } else {
                wert += (wert.isEmpty() ? QString() : QStringLiteral(" ")) + teil.at(k).text;
            }
        }
        if (!wert.isEmpty())
            werte << wert;
        for (const QString& name : namen)
            out->fehlendeWerte.insert(name, werte);
    }
}

void leseGetData(const QVector<Token>& b, SpssSyntax* out)
{
    for (const QVector<Token>& teil : abschnitte(b, 2)) {
        if (teil.isEmpty() || teil.first().art != Token::Wort)
            continue;
        const QString key = teil.first().text.toUpper();
        const QString wert = teil.size() > 2 ? teil.at(2).text : QString();
        if (key == QLatin1String("FILE"))
            out->datenDatei = wert;
        else if (key == QLatin1String("DELIMITERS") && !wert.isEmpty())
            out->trenner = wert.startsWith(QLatin1String("\\t")) ? QLatin1Char('\t') : wert.at(0);
        else if (key == QLatin1String("QUALIFIER") && !wert.isEmpty())
            out->qualifier = wert.at(0);
        else if (key == QLatin1String("FIRSTCASE"))
            out->ersteZeile = qMax(1, wert.toInt());
        else if (key == QLatin1String("VARIABLES"))
            // Pairs of a name and its format.
            for (int k = 2; k < teil.size(); k += 2)
                out->variablen << teil.at(k).text;
    }
}
}

bool SpssSyntax::erkennt(const QString& text)
{
    const QString kopf = text.left(64 * 1024).toUpper();
    return kopf.contains(QLatin1String("VARIABLE LABELS"))
        || kopf.contains(QLatin1String("VALUE LABELS"))
        || (kopf.contains(QLatin1String("GET DATA")) && kopf.contains(QLatin1String("/VARIABLES")));
}

bool SpssSyntax::lesen(const QString& text, SpssSyntax* out)
{
    *out = SpssSyntax();
    for (const QVector<Token>& b : befehle(text)) {
        if (istWort(b, 0, "VARIABLE") && istWort(b, 1, "LABELS"))
            leseVariablenLabels(b, out);
        else if (istWort(b, 0, "VALUE") && istWort(b, 1, "LABELS"))
            leseWertLabels(b, 2, out);
        else if (istWort(b, 0, "ADD") && istWort(b, 1, "VALUE") && istWort(b, 2, "LABELS"))
            leseWertLabels(b, 3, out);
        else if (istWort(b, 0, "MISSING") && istWort(b, 1, "VALUES"))
            leseFehlendeWerte(b, out);
        else if (istWort(b, 0, "GET") && istWort(b, 1, "DATA"))
            leseGetData(b, out);
    }
    return !out->variablenLabels.isEmpty() || !out->wertLabels.isEmpty()
        || !out->variablen.isEmpty();
}

QString SpssSyntax::wert(const QString& variable, const QString& code) const
{
    const auto v = wertLabels.constFind(variable);
    if (v == wertLabels.constEnd())
        return code;
    const auto l = v->constFind(code.trimmed());
    return l == v->constEnd() ? code : *l;
}

QString SpssSyntax::label(const QString& variable) const
{
    return variablenLabels.value(variable, variable);
}

namespace {
// A number of a range's end; LO and HI (and their long forms) stand for no bound.
bool grenze(const QString& t, double* out)
{
    const QString u = t.toUpper();
    if (u == QLatin1String("LO") || u == QLatin1String("LOWEST")) {
        *out = -std::numeric_limits<double>::infinity();
        return true;
    }
    if (u == QLatin1String("HI") || u == QLatin1String("HIGHEST")) {
        *out = std::numeric_limits<double>::infinity();
        return true;
    }
    bool ok = false;
    *out = t.toDouble(&ok);
    return ok && std::isfinite(*out);
}
}

QStringList SpssSyntax::fehlendeCodes(const QString& variable, const QStringList& vorkommend,
                                      bool beschriftet) const
{
    const auto f = fehlendeWerte.constFind(variable);
    if (f == fehlendeWerte.constEnd())
        return {};
    auto gezeigt = [&](const QString& code) {
        return beschriftet ? wert(variable, code) : code;
    };
    QStringList out;
    QSet<QString> schon;
    auto dazu = [&](const QString& code) {
        const QString g = gezeigt(code);
        if (!schon.contains(g)) {
            schon.insert(g);
            out << g;
        }
    };
    // The raw cells that are numbers, parsed once.
    QVector<double> zahlen(vorkommend.size(), std::numeric_limits<double>::quiet_NaN());
    for (int i = 0; i < vorkommend.size(); ++i) {
        bool ok = false;
        const double v = vorkommend.at(i).trimmed().toDouble(&ok);
        if (ok && std::isfinite(v))
            zahlen[i] = v;
    }
    // SPSS allows three values (or a range and a value); a file declaring thousands
    // must not make this quadratic in the column's distinct answers.
    const QStringList liste = f->mid(0, 64);
    for (const QString& deklariert : liste) {
        const QStringList teile = deklariert.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        double lo = 0, hi = 0;
        const bool bereich = teile.size() == 3
            && (teile.at(1).compare(QLatin1String("THRU"), Qt::CaseInsensitive) == 0
                || teile.at(1).compare(QLatin1String("THROUGH"), Qt::CaseInsensitive) == 0)
            && grenze(teile.at(0), &lo) && grenze(teile.at(2), &hi);
        if (!bereich) {
            dazu(deklariert);
            bool ok = false;
            lo = hi = deklariert.trimmed().toDouble(&ok);
            if (!ok || !std::isfinite(lo))
                continue;
        }
        // NaN (no number) fails both comparisons; the codes covered in their order.
        QVector<int> gedeckt;
        for (int i = 0; i < vorkommend.size(); ++i)
            if (zahlen.at(i) >= lo && zahlen.at(i) <= hi)
                gedeckt << i;
        std::sort(gedeckt.begin(), gedeckt.end(), [&](int a, int b) {
            return zahlen.at(a) != zahlen.at(b) ? zahlen.at(a) < zahlen.at(b)
                                                : vorkommend.at(a) < vorkommend.at(b);
        });
        for (int i : gedeckt)
            dazu(vorkommend.at(i));
    }
    return out;
}
