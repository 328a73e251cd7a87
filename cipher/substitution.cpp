// SPDX-License-Identifier: GPL-3.0-or-later
// Monoalphabetic substitution: each letter A-Z is replaced by the letter at
// its place in a cipher alphabet, keeping its case; every other byte stays.

#include "kern.h"

#include <algorithm>
#include <array>

namespace verschl {

namespace {

using namespace kern;
using Tabelle = std::array<Byte, 256>;

// The 26 cipher letters in capitals, or nothing when the alphabet is not a
// permutation of A-Z (either case): without one, decryption has no answer.
std::optional<std::array<Byte, 26>> geheimbuchstaben(const Text &alphabet)
{
    if (alphabet.size() != 26)
        return std::nullopt;
    std::array<Byte, 26> gross {};
    std::array<bool, 26> gesehen {};
    for (std::size_t i = 0; i < 26; ++i) {
        const Byte p = buchstabenIndex(static_cast<Byte>(alphabet[i]));
        if (p >= 26 || gesehen[p])
            return std::nullopt;
        gesehen[p] = true;
        gross[i] = static_cast<Byte>('A' + p);
    }
    return gross;
}

// What every byte becomes: plain letter i becomes nach[i] in its own case.
Tabelle tabelle(const std::array<Byte, 26> &nach)
{
    Tabelle t {};
    for (std::size_t c = 0; c < 256; ++c)
        t[c] = static_cast<Byte>(c);
    for (std::size_t i = 0; i < 26; ++i) {
        t['A' + i] = nach[i];
        t['a' + i] = static_cast<Byte>(nach[i] | 0x20);
    }
    return t;
}

Text ersetze(const Text &text, const Tabelle &t)
{
    return blockweise(text, [&t](const Byte *q, Byte *z, std::size_t n, std::size_t) {
        for (std::size_t i = 0; i < n; ++i)
            z[i] = t[q[i]];
    });
}

} // namespace

std::optional<Text> SubstitutionVerschluesseln(const Text &text, const Text &alphabet)
{
    const auto nach = geheimbuchstaben(alphabet);
    if (!nach)
        return std::nullopt;
    return ersetze(text, tabelle(*nach));
}

std::optional<Text> SubstitutionEntschluesseln(const Text &text, const Text &alphabet)
{
    const auto nach = geheimbuchstaben(alphabet);
    if (!nach)
        return std::nullopt;
    std::array<Byte, 26> zurueck {};
    for (std::size_t i = 0; i < 26; ++i)
        zurueck[(*nach)[i] - 'A'] = static_cast<Byte>('A' + i);
    return ersetze(text, tabelle(zurueck));
}

Text SchluesselwortAlphabet(const Text &wort)
{
    Text alphabet;
    std::array<bool, 26> gesehen {};
    const auto nimm = [&](Byte c) {
        const Byte p = buchstabenIndex(c);
        if (p < 26 && !gesehen[p]) {
            gesehen[p] = true;
            alphabet += static_cast<char>('A' + p);
        }
    };
    for (const char c : ErsetzeUmlaute(wort))
        nimm(static_cast<Byte>(c));
    for (Byte c = 'A'; c <= 'Z'; ++c)
        nimm(c);
    return alphabet;
}

Text ErgaenzeAlphabet(const Text &teilweise)
{
    Text alphabet(26, '?');
    std::array<bool, 26> vergeben {};
    for (std::size_t i = 0; i < std::min<std::size_t>(26, teilweise.size()); ++i) {
        const Byte p = buchstabenIndex(static_cast<Byte>(teilweise[i]));
        if (p < 26 && !vergeben[p]) {
            vergeben[p] = true;
            alphabet[i] = static_cast<char>('A' + p);
        }
    }
    Byte frei = 0;
    for (char &c : alphabet) {
        if (c != '?')
            continue;
        while (vergeben[frei])
            ++frei;
        vergeben[frei] = true;
        c = static_cast<char>('A' + frei);
    }
    return alphabet;
}

} // namespace verschl
