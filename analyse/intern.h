// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the parts of the analysis share: letter indices, the Caesar fit of a
// letter count, the pair score of a decryption, and the scale on which a
// pair score reads as "German" or "random". Internal to the analysis.

#include "analyse/analyse.h"

#include <algorithm>
#include <cstddef>
#include <vector>

namespace analyse::intern {

using Zaehlung = std::array<std::uint64_t, 26>;

// Letter index 0..25 of A-Z/a-z, or -1 for any other byte; the same letters
// that the engine's Caesar and Vigenère methods shift.
inline int BuchstabenIndex(unsigned char c)
{
    const unsigned v = (c | 0x20u) - 'a';
    return v < 26 ? static_cast<int>(v) : -1;
}

// The chance that two letters drawn from the count are equal; summe >= 2.
double Koinzidenzindex(const Zaehlung &zaehlung, std::uint64_t summe);

// Chi-squared of a count against German when the text is German shifted on
// by `verschiebung` places; 0 for an empty count.
double ChiQuadrat(const Zaehlung &zaehlung, std::uint64_t summe, int verschiebung);

// The shift with the lowest chi-squared (the smaller one on a tie).
int BesteVerschiebung(const Zaehlung &zaehlung, std::uint64_t summe);

// Whether a chi-squared at shift 0 fits German text at all: German deviates
// from the reference by chance (about the 25 degrees of freedom) and by its
// topic (growing with its length); a fit far above that is no German text,
// however clearly it beats the other candidates.
bool DeutscheVerteilung(double chiQuadrat, std::uint64_t summe);

// Sums the log probabilities of adjacent letter pairs fed one letter at a
// time; the mean is the score of a decryption (higher is more German).
class PaarSumme
{
public:
    void Buchstabe(int index)
    {
        if (vorher >= 0) {
            summe += DeutschesPaar(vorher, index);
            ++paare;
        }
        vorher = index;
    }
    // Without a single pair the text says nothing: it scores as German
    // letters in random order.
    double Mittel() const;
    std::size_t Paare() const { return paare; }

private:
    int vorher = -1;
    double summe = 0;
    std::size_t paare = 0;
};

// A mean pair score on a scale where German letters in random order give 0
// and German text gives 1 (both on average); what the confidence thresholds
// compare.
double Deutschgrad(double mittlererPaarwert);

// The German 4-gram model (analyse/referenz/vierer.py) sees a text as
// symbols: the letters 0..25, a run of white space, an umlaut or ß, a run of
// anything else. Caesar and Vigenère keep the non-letters in place, and the
// blanks between words are the strongest clue a short text gives.
constexpr std::uint8_t kLeer = 26, kUmlaut = 27, kAnderes = 28;
constexpr std::size_t kSymbole = 29;
// A cost is -ln P scaled by this, so that costs add up as integers.
constexpr double kKostenJeNat = 16;

std::uint8_t Symbol(unsigned char byte);

// The cost of the symbol at `e` (>= 3) after the three before it.
inline int ViererKosten(
    const std::uint8_t *tabelle, const std::vector<std::uint8_t> &s, std::size_t e)
{
    return tabelle[((s[e - 3] * kSymbole + s[e - 2]) * kSymbole + s[e - 1]) * kSymbole + s[e]];
}

// The model's table for text as written, or for text without its blanks.
const std::uint8_t *ViererTabelle(bool leerzeichen);

// The cost of a whole symbol sequence (lower is more German).
std::int64_t ViererKosten(const std::uint8_t *tabelle, const std::vector<std::uint8_t> &symbole);

// The score a list shows for the cost of `symbole` symbols: the mean natural
// log probability per scored symbol (higher is more German; German text
// about -1.9).
inline double ViererMittel(double kosten, std::size_t symbole)
{
    return -kosten / kKostenJeNat / static_cast<double>(std::max<std::size_t>(symbole, 4) - 3);
}

// A text's first letters as the model's symbols, with the byte position
// each symbol starts at, and the table that fits it: a text whose spaces
// were deleted ("Leerzeichen löschen") has its own.
struct Symbolfolge
{
    Symbolfolge(const Text &text, std::size_t hoechstensBuchstaben);
    std::vector<std::uint8_t> symbol;
    std::vector<std::size_t> stelle;
    std::size_t buchstaben = 0;
    bool leerzeichen = true; // false: the text has lost its spaces
    const std::uint8_t *tabelle = nullptr;
};

} // namespace analyse::intern
