#ifndef TEXTKEY_H
#define TEXTKEY_H

#include <QString>
#include <cstddef>

// A text as the key of the counting and pooling tables: equal texts are equal keys.
// Short texts are hashed as two words: the toolkit's own string hash
// takes over 100 ns for a text under eight characters on some processors (against a few
// ns from eight on), and most survey answers ("ja", "3", "nie") are that short. The
// words go through the toolkit's seeded integer hash, so the tables keep a seed against
// texts made to collide.
struct TextKey
{
    QString text;

    friend bool operator==(const TextKey& a, const TextKey& b) { return a.text == b.text; }
    friend bool operator!=(const TextKey& a, const TextKey& b) { return a.text != b.text; }
};

size_t qHash(const TextKey& key, size_t seed = 0) noexcept;

#endif
