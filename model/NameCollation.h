#pragma once

#include <QString>
#include <vector>

// The radio's ordering of names: blanks first, then letters regardless of
// case with common accents folded onto their base letter, then control
// characters, digits and punctuation. Characters above U+00FF sort after
// all others, by code.

// Negative when a sorts before b, zero when equal under the collation.
int CompareNames(const QString& a, const QString& b);

// Weight of one character.
int NameWeight(char16_t c);

// Inserts before the first entry that compares greater, so equal entries
// keep their order of arrival.
template <typename T, typename KeyOf>
void InsertOrdered(std::vector<T>& list, T entry, KeyOf keyOf)
{
    const QString key = keyOf(entry);
    auto it = list.begin();
    while (it != list.end() && CompareNames(keyOf(*it), key) <= 0)
        ++it;
    list.insert(it, std::move(entry));
}
