#include "core/textkey.h"

#include <QHashFunctions>
#include <cstring>

size_t qHash(const TextKey& key, size_t seed) noexcept
{
    const qsizetype n = key.text.size();
    if (n >= 8)
        return qHash(key.text, seed);
    // Up to seven characters in two words, the length in the top of the second: two
    // texts give the same words only when they are equal. (A block of 16 bytes on the
    // stack is as slow as the short text itself.)
    const QChar* chars = key.text.constData();
    quint64 first = 0;
    quint64 second = 0;
    std::memcpy(&first, chars, size_t(qMin<qsizetype>(n, 4)) * sizeof(QChar));
    if (n > 4)
        std::memcpy(&second, chars + 4, size_t(n - 4) * sizeof(QChar));
    second |= quint64(n) << 48;
    return qHash(first, qHash(second, seed));
}
