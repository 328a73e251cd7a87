// SPDX-License-Identifier: GPL-3.0-or-later
// The Kasiski test as a pupil does it: repeated letter groups and where they
// stand, and the Caesar shift that fits one column of a Vigenère text.

#include "intern.h"

#include <map>
#include <set>

namespace analyse {

namespace {

constexpr std::size_t kKuerzeste = 3;
constexpr std::size_t kDreier = 26 * 26 * 26;

struct Buchstaben
{
    std::vector<std::uint8_t> index; // 0..25
    std::vector<std::size_t> byte; // where each stands in the text
};

Buchstaben buchstaben(const Text &text)
{
    Buchstaben b;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (const int n = intern::BuchstabenIndex(static_cast<unsigned char>(text[i])); n >= 0) {
            b.index.push_back(static_cast<std::uint8_t>(n));
            b.byte.push_back(i);
        }
    return b;
}

std::size_t dreier(const std::vector<std::uint8_t> &s, std::size_t i)
{
    return (s[i] * 26u + s[i + 1]) * 26u + s[i + 2];
}

struct Paar
{
    std::size_t p, q, laenge;
};

// The whole agreement of the letters around p and q that holds the trigram
// at both, short of overlapping itself; laenge below three where it would.
Paar umher(const std::vector<std::uint8_t> &s, std::size_t p, std::size_t q)
{
    const std::size_t abstand = q - p;
    std::size_t laenge = kKuerzeste;
    while (p > 0 && laenge < abstand && s[p - 1] == s[q - 1]) {
        --p;
        --q;
        ++laenge;
    }
    while (q + laenge < s.size() && laenge < abstand && s[p + laenge] == s[q + laenge])
        ++laenge;
    return { p, q, laenge <= abstand ? laenge : 0 };
}

} // namespace

// Only each trigram's neighbouring occurrences are compared, as the engine's
// Kasiski count does, and a repeat never reaches past its own distance, so
// that a text of one letter costs no more than any.
std::vector<Wiederholung> Wiederholungen(const Text &geheim, bool sonderzeichenIgnorieren)
{
    const Buchstaben b = buchstaben(geheim);
    const auto &s = b.index;
    std::map<std::string, std::set<std::size_t>> starts;
    std::vector<std::size_t> zuletzt(kDreier, SIZE_MAX);
    for (std::size_t q = 0; q + kKuerzeste <= s.size(); ++q) {
        std::size_t &p = zuletzt[dreier(s, q)];
        if (p != SIZE_MAX) {
            if (const Paar paar = umher(s, p, q); paar.laenge >= kKuerzeste) {
                std::string gruppe;
                for (std::size_t i = 0; i < paar.laenge; ++i)
                    gruppe += static_cast<char>('A' + s[paar.p + i]);
                starts[gruppe].insert({ paar.p, paar.q });
            }
        }
        p = q;
    }
    std::vector<Wiederholung> ergebnis;
    for (auto &[gruppe, liste] : starts) {
        Wiederholung w { gruppe, {} };
        for (const std::size_t start : liste)
            w.vorkommen.push_back({ sonderzeichenIgnorieren ? start : b.byte[start], b.byte[start],
                b.byte[start + gruppe.size() - 1] + 1 });
        ergebnis.push_back(std::move(w));
    }
    std::sort(ergebnis.begin(), ergebnis.end(), [](const Wiederholung &a, const Wiederholung &b) {
        return a.vorkommen.front().von < b.vorkommen.front().von;
    });
    return ergebnis;
}

int BesteVerschiebung(const Haeufigkeiten &spalte)
{
    return intern::BesteVerschiebung(spalte.buchstaben, spalte.summe);
}

} // namespace analyse
