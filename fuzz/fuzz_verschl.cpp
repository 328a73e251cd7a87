// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target for the cipher engine.
//
// The first four bytes choose the parameters, the rest is the text:
//   byte 0: Caesar shift -25..25
//   byte 1: bit 0 manual column mode, bit 1 key of raw bytes (not only
//           letters: callers never pass such keys, but nothing may break),
//           bit 2 SonderzeichenIgnorieren
//   byte 2: manual column count: below 128 -27..100 (0 and below are used
//           as 1), from 128 on 101..4038, wider than most texts
//   byte 3: key length 1..30; the key bytes are taken from the text (for
//           substitution the key word, and its first 26 bytes as a raw
//           alphabet)
// Every check is a round trip or a property of the cipher rules, and the
// engine's SIMD and portable paths must agree byte for byte. A mismatch
// aborts, so libFuzzer reports it like a crash.

#include "cipher/verschl.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>

using namespace verschl;
using intern::Rechenweg;

namespace {

void pruefe(bool ok)
{
    if (!ok)
        std::abort();
}

Text ohneEndLeerzeichen(Text t)
{
    t.erase(t.find_last_not_of(' ') + 1);
    return t;
}

std::size_t zaehle(const Text &t, bool (*pred)(unsigned char))
{
    std::size_t n = 0;
    for (const char c : t)
        n += pred(static_cast<unsigned char>(c));
    return n;
}

bool istBuchstabe(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool istUmlaut(unsigned char c)
{
    return c == 196 || c == 214 || c == 220 || c == 228 || c == 246 || c == 252 || c == 223;
}

void verschiebungen(const Text &text, int s)
{
    const Text c = CaesarVerschieben(text, s);
    pruefe(c.size() == text.size());
    pruefe(CaesarVerschieben(c, -s) == text);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto x = static_cast<unsigned char>(text[i]);
        const auto y = static_cast<unsigned char>(c[i]);
        // Letters stay letters of their case, everything else stays.
        if (istBuchstabe(x))
            pruefe(istBuchstabe(y) && (x <= 'Z') == (y <= 'Z'));
        else
            pruefe(y == x);
    }
    // Shifts outside -26..25 are reduced modulo 26 (documented; callers never pass them).
    pruefe(CaesarVerschieben(text, s + 26 * 1000) == c);
    pruefe(CaesarVerschieben(text, INT32_MIN) == CaesarVerschieben(text, 2));
    pruefe(Rot13(Rot13(text)) == text);
    pruefe(Rot13(text) == CaesarVerschieben(text, 13));
    pruefe(Rot128(Rot128(text)) == text);
    pruefe(Rot128(text).size() == text.size());
}

void vorbereitungen(const Text &text)
{
    pruefe(InKleinschrift(text).size() == text.size());
    pruefe(InGrossschrift(text).size() == text.size());
    pruefe(ErsetzeUmlaute(text).size() == text.size() + zaehle(text, istUmlaut));
    const Text ohne = LoescheLeerzeichen(text);
    pruefe(ohne.find(' ') == Text::npos);
    pruefe(ohne.size() == text.size() - zaehle(text, [](unsigned char c) { return c == ' '; }));
}

void matrix(const Text &text, Spaltenwahl wahl)
{
    const Text c = MatrixVerschluesseln(text, wahl);
    pruefe(c == intern::MatrixVerschluesseln(text, wahl, Rechenweg::Portabel));
    // The rectangle's size: n columns by the rule, m rows to hold the text.
    std::size_t n = 1;
    if (wahl.manuell)
        n = static_cast<std::size_t>(std::max(wahl.spalten, 1));
    else
        while (n * n < text.size())
            ++n;
    pruefe(c.size() == (text.size() + n - 1) / n * n);
    pruefe(MatrixEntschluesseln(c, wahl) == ohneEndLeerzeichen(text));
    pruefe(intern::MatrixEntschluesseln(c, wahl, Rechenweg::Portabel) == ohneEndLeerzeichen(text));
    // Any text as a hand-typed ciphertext: both paths agree, nothing breaks.
    const Text p = MatrixEntschluesseln(text, wahl);
    pruefe(p == intern::MatrixEntschluesseln(text, wahl, Rechenweg::Portabel));
    pruefe(p.empty() || p.back() != ' ');
}

void vigenere(const Text &text, const Text &schluessel, bool ignorieren)
{
    for (Rechenweg w : { Rechenweg::Schnellster, Rechenweg::Portabel }) {
        const auto c = intern::VigenereVerschluesseln(text, schluessel, ignorieren, w);
        pruefe(c.has_value() && c->size() == text.size());
        pruefe(*c == VigenereVerschluesseln(text, schluessel, ignorieren).value());
        const auto p = intern::VigenereEntschluesseln(*c, schluessel, ignorieren, w);
        pruefe(p.has_value() && *p == text);
        pruefe(*intern::VigenereEntschluesseln(text, schluessel, ignorieren, w)
            == VigenereEntschluesseln(text, schluessel, ignorieren).value());
    }
    pruefe(!VigenereVerschluesseln(text, Text(), ignorieren).has_value());
    pruefe(!VigenereEntschluesseln(text, Text(), ignorieren).has_value());
}

// The key bytes as a key word, and as a raw alphabet, which may be no
// permutation: then both directions refuse.
void substitution(const Text &text, const Text &schluessel)
{
    const Text alphabet = SchluesselwortAlphabet(schluessel);
    pruefe(alphabet.size() == 26 && SchluesselwortAlphabet(alphabet) == alphabet);
    const Text c = SubstitutionVerschluesseln(text, alphabet).value();
    pruefe(SubstitutionEntschluesseln(c, alphabet).value() == text);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto x = static_cast<unsigned char>(text[i]);
        const auto y = static_cast<unsigned char>(c[i]);
        pruefe(istBuchstabe(x) ? istBuchstabe(y) && (x <= 'Z') == (y <= 'Z') : y == x);
    }
    const Text roh = schluessel.substr(0, 26);
    const auto v = SubstitutionVerschluesseln(text, roh);
    pruefe(v.has_value() == SubstitutionEntschluesseln(text, roh).has_value());
    if (v)
        pruefe(SubstitutionEntschluesseln(*v, roh).value() == text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 4)
        return 0;
    const int schiebung = data[0] % 51 - 25;
    const bool manuell = (data[1] & 1) != 0;
    const bool roherSchluessel = (data[1] & 2) != 0;
    const bool ignorieren = (data[1] & 4) != 0;
    const int spalten = data[2] < 128 ? data[2] - 27 : 101 + (data[2] - 128) * 31;
    const std::size_t schluesselLaenge = 1 + data[3] % 30;
    const Text text(reinterpret_cast<const char *>(data + 4), size - 4);

    Text schluessel;
    for (std::size_t i = 0; i < schluesselLaenge; ++i) {
        const auto b = static_cast<unsigned char>(i < text.size() ? text[i] : data[i % 4]);
        if (roherSchluessel)
            schluessel += static_cast<char>(b);
        else
            schluessel += static_cast<char>((b & 0x80 ? 'a' : 'A') + b % 26);
    }

    verschiebungen(text, schiebung);
    vorbereitungen(text);
    matrix(text, { manuell, spalten });
    matrix(text, { !manuell, spalten });
    vigenere(text, schluessel, ignorieren);
    substitution(text, schluessel);
    return 0;
}
