#include "analyses/textzaehler.h"

QHash<QString, int> TextZaehler::counts() const
{
    QHash<QString, int> out;
    out.reserve(m_texts.size() + m_numbers.size());
    for (auto it = m_texts.cbegin(); it != m_texts.cend(); ++it)
        out[it.key().text] += it.value();
    for (auto it = m_numbers.cbegin(); it != m_numbers.cend(); ++it) {
        double d = 0;
        std::memcpy(&d, &it.key(), sizeof d);
        // The same text the cell itself would give.
        out[QVariant(d).toString()] += it.value();
    }
    return out;
}
