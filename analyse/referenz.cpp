// SPDX-License-Identifier: GPL-3.0-or-later
// The German reference tables and the scale built on them.

#include "intern.h"

#include <cmath>

namespace analyse {

namespace {

#include "referenz_tabellen.inc"

// The two ends of the pair scale: German letters in random order (what a
// wrong column count makes of a transposition) and German text itself, each
// as the mean it gives on average. Letters that are not even German in
// their frequencies (a wrong Vigenère key) fall below 0.
struct Skala
{
    double gemischt = 0;
    double deutsch = 0;
};

const Skala &skala()
{
    static const Skala s = [] {
        Skala t;
        double gewicht = 0;
        for (std::size_t a = 0; a < 26; ++a)
            for (std::size_t b = 0; b < 26; ++b) {
                const double p = kPaare[a * 26 + b];
                t.gemischt += kBuchstaben[a] * kBuchstaben[b] * p;
                t.deutsch += std::exp(p) * p;
                gewicht += std::exp(p);
            }
        t.deutsch /= gewicht;
        return t;
    }();
    return s;
}

// Letter indices outside 0..25 wrap round, so no call reads outside a table.
std::size_t index26(int i) { return static_cast<std::size_t>((i % 26 + 26) % 26); }

} // namespace

const std::array<double, 26> &DeutscheBuchstaben() { return kBuchstaben; }

double DeutschesPaar(int erster, int zweiter)
{
    return kPaare[index26(erster) * 26 + index26(zweiter)];
}

namespace intern {

double PaarSumme::Mittel() const
{
    return paare == 0 ? skala().gemischt : summe / static_cast<double>(paare);
}

double Deutschgrad(double mittlererPaarwert)
{
    const Skala &s = skala();
    return (mittlererPaarwert - s.gemischt) / (s.deutsch - s.gemischt);
}

} // namespace intern

} // namespace analyse
