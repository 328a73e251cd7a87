// SPDX-License-Identifier: GPL-3.0-or-later
// The German 4-gram model: the text as the cipher leaves it, scored symbol
// by symbol.

#include "intern.h"

#include <algorithm>

namespace analyse::intern {

namespace {

#include "referenz_vierer.inc"

} // namespace

// German has a blank after every six letters or so; a text with fewer than
// one in this many letters has lost its spaces.
constexpr std::size_t kBuchstabenJeLeerzeichen = 20;

std::uint8_t Symbol(unsigned char byte)
{
    if (const int b = BuchstabenIndex(byte); b >= 0)
        return static_cast<std::uint8_t>(b);
    switch (byte) {
    case ' ':
    case '\t':
    case '\n':
    case '\v':
    case '\f':
    case '\r':
        return kLeer;
    case 0xC4: // Ä Ö Ü ä ö ü ß in Windows-1252
    case 0xD6:
    case 0xDC:
    case 0xE4:
    case 0xF6:
    case 0xFC:
    case 0xDF:
        return kUmlaut;
    default:
        return kAnderes;
    }
}

Symbolfolge::Symbolfolge(const Text &text, std::size_t hoechstensBuchstaben)
{
    for (std::size_t i = 0; i < text.size() && buchstaben < hoechstensBuchstaben; ++i) {
        const std::uint8_t s = Symbol(static_cast<unsigned char>(text[i]));
        // A run of blanks or of other characters is one symbol, as in the
        // model; the run's first byte stands for it.
        if (s >= kLeer && s != kUmlaut && !symbol.empty() && symbol.back() == s)
            continue;
        symbol.push_back(s);
        stelle.push_back(i);
        buchstaben += s < 26;
    }
    const auto leer = static_cast<std::size_t>(std::count(symbol.begin(), symbol.end(), kLeer));
    leerzeichen = leer * kBuchstabenJeLeerzeichen >= buchstaben;
    tabelle = ViererTabelle(leerzeichen);
}

const std::uint8_t *ViererTabelle(bool leerzeichen)
{
    return leerzeichen ? kVierer.data() : kViererOhneLeerzeichen.data();
}

std::int64_t ViererKosten(const std::uint8_t *tabelle, const std::vector<std::uint8_t> &symbole)
{
    std::int64_t kosten = 0;
    for (std::size_t e = 3; e < symbole.size(); ++e)
        kosten += ViererKosten(tabelle, symbole, e);
    return kosten;
}

} // namespace analyse::intern
