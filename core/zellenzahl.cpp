#include "core/zellenzahl.h"

#include <QString>
#include <QVariant>
#include <charconv>
#include <string>

namespace {
// Texts of the form -?(0|[1-9][0-9]*)([.,][0-9]+)?, at most 24 characters, as Latin-1
// with "." as the decimal mark. The C form has no comma, so a comma here can only be
// the German decimal comma. Any other text goes to the full reading.
bool plainDecimal(const QString& s, char* out, int* length)
{
    const int n = int(s.size());
    if (n == 0 || n > 24)
        return false;
    int i = 0;
    if (s.at(0) == QLatin1Char('-'))
        out[i++] = '-';
    const int intStart = i;
    bool dot = false;
    int digitsAfterDot = 0;
    for (; i < n; ++i) {
        const char16_t c = s.at(i).unicode();
        if (c >= u'0' && c <= u'9') {
            if (dot)
                ++digitsAfterDot;
            out[i] = char(c);
        } else if ((c == u'.' || c == u',') && !dot && i > intStart) {
            dot = true;
            out[i] = '.';
        } else {
            return false;
        }
    }
    if (i == intStart || (dot && digitsAfterDot == 0))
        return false;
    // A leading zero only as the whole integer part.
    if (out[intStart] == '0' && i > intStart + 1 && out[intStart + 1] != '.')
        return false;
    *length = i;
    return true;
}

bool asciiSpace(char16_t c)
{
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}

bool digit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

// The German form, [+-]?(D+|D{1,3}(\.D{3})+),D+ between blanks; its C text goes to out.
bool germanDecimal(const QString& text, std::string* out)
{
    QStringView s(text);
    while (!s.isEmpty() && asciiSpace(s.front().unicode()))
        s = s.mid(1);
    while (!s.isEmpty() && asciiSpace(s.back().unicode()))
        s.chop(1);
    const qsizetype comma = s.indexOf(u',');
    if (comma < 0)
        return false;
    out->clear();
    qsizetype i = 0;
    if (comma > 0 && (s[0] == u'+' || s[0] == u'-')) {
        if (s[0] == u'-')
            out->push_back('-');
        i = 1;
    }
    bool grouped = false;
    qsizetype run = 0;   // digits since the start or the last "."
    for (; i < comma; ++i) {
        const char16_t c = s[i].unicode();
        if (digit(c)) {
            out->push_back(char(c));
            ++run;
        } else if (c == u'.' && (grouped ? run == 3 : run >= 1 && run <= 3)) {
            grouped = true;
            run = 0;
        } else {
            return false;
        }
    }
    if (grouped ? run != 3 : run < 1)
        return false;
    out->push_back('.');
    if (comma + 1 >= s.size())
        return false;
    for (i = comma + 1; i < s.size(); ++i) {
        const char16_t c = s[i].unicode();
        if (!digit(c))
            return false;
        out->push_back(char(c));
    }
    return true;
}

// Whether the text is a number in either form; *value is what the cell reads as: the
// number, or for any other text what the C reading gives (0, or inf beyond the doubles).
bool parse(const QString& s, double* value)
{
    char buf[24];
    int len = 0;
    if (plainDecimal(s, buf, &len)) {
        const auto res = std::from_chars(buf, buf + len, *value);
        if (res.ec == std::errc() && res.ptr == buf + len)
            return true;
    }
    bool ok = false;
    *value = s.toDouble(&ok);
    if (ok)
        return true;
    std::string c;
    if (!germanDecimal(s, &c))
        return false;
    const auto res = std::from_chars(c.data(), c.data() + c.size(), *value);
    if (res.ec == std::errc())
        return true;
    // Beyond the doubles: as the same digits in the C form read.
    *value = QString::fromLatin1(c.data(), qsizetype(c.size())).toDouble(&ok);
    return ok;
}
}

double ZellenZahl::toDouble(const QVariant& v)
{
    if (v.metaType().id() == QMetaType::QString) {
        double d = 0;
        parse(*static_cast<const QString*>(v.constData()), &d);
        return d;
    }
    return v.toDouble();
}

bool ZellenZahl::read(const QString& text, double* value)
{
    if (parse(text, value))
        return true;
    *value = 0;
    return false;
}
