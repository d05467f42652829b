#ifndef TEXTZAEHLER_H
#define TEXTZAEHLER_H

#include <QHash>
#include <QString>
#include <QVariant>
#include <cstring>

#include "app/textkey.h"

// Counts cells by their text, as QVariant::toString() gives it: the frequency views'
// tally. Number cells are tallied by value and turned into text once per distinct value
// at the end, because that conversion costs more than the counting itself.
class TextZaehler
{
public:
    // Counts cell count times.
    void add(const QVariant& cell, int count = 1)
    {
        switch (cell.metaType().id()) {
        case QMetaType::QString:
            m_texts[TextKey{*static_cast<const QString*>(cell.constData())}] += count;
            break;
        case QMetaType::Double: {
            // By bit pattern: 0 and -0 have texts of their own, and so may two nans.
            quint64 bits = 0;
            std::memcpy(&bits, cell.constData(), sizeof bits);
            m_numbers[bits] += count;
            break;
        }
        default:
            m_texts[TextKey{cell.toString()}] += count;
            break;
        }
    }

    // Every text with its count.
    QHash<QString, int> counts() const;

private:
    QHash<TextKey, int> m_texts;
    QHash<quint64, int> m_numbers;
};

#endif
