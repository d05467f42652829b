#include "core/zellenzahl.h"

#include <QString>
#include <QVariant>
#include <charconv>

namespace {
// Texts of the form -?(0|[1-9][0-9]*)(\.[0-9]+)?, at most 24 characters, as Latin-1.
// Any other text goes to the toolkit's parser.
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
        } else if (c == u'.' && !dot && i > intStart) {
            dot = true;
        } else {
            return false;
        }
        out[i] = char(c);
    }
    if (i == intStart || (dot && digitsAfterDot == 0))
        return false;
    // A leading zero only as the whole integer part.
    if (out[intStart] == '0' && i > intStart + 1 && out[intStart + 1] != '.')
        return false;
    *length = i;
    return true;
}
}

double ZellenZahl::toDouble(const QVariant& v)
{
    if (v.metaType().id() == QMetaType::QString) {
        const QString* s = static_cast<const QString*>(v.constData());
        char buf[24];
        int len = 0;
        if (plainDecimal(*s, buf, &len)) {
            double d = 0;
            const auto res = std::from_chars(buf, buf + len, d);
            if (res.ec == std::errc() && res.ptr == buf + len)
                return d;
        }
    }
    return v.toDouble();
}
