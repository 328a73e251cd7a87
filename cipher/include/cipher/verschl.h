// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The cipher engine: pure functions from text to text. No Qt here, so the
// GUI, the tests, the benchmarks and the fuzzers can all link it.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace verschl {

// Windows-1252 bytes, any value 0..255. Lines of a pane are joined by CR LF.
using Text = std::string;

Text ErsetzeUmlaute(const Text &text);
Text InKleinschrift(const Text &text);
Text InGrossschrift(const Text &text);
Text LoescheLeerzeichen(const Text &text);

Text CaesarVerschieben(const Text &text, std::int32_t n);
Text Rot13(const Text &text);
Text Rot128(const Text &text);

unsigned char GrossBuchstabe(unsigned char b);
unsigned char KleinBuchstabe(unsigned char b);

// Column mode and manual column count of the matrix method. The caller reads
// them from the method window at the moment of use.
struct Spaltenwahl
{
    bool manuell = false;
    int spalten = 5;
};

// The column count n the matrix methods use for a text of this length: the
// manual count, or for the square layout the smallest n with n * n >= laenge
// (1 for an empty text). The cryptanalysis asks for it too.
std::size_t MatrixSpalten(std::size_t laenge, Spaltenwahl wahl);

// A column count below 1 is used as 1.
Text MatrixVerschluesseln(const Text &text, Spaltenwahl wahl);
Text MatrixEntschluesseln(const Text &text, Spaltenwahl wahl);

void ErzeugeVigenereTabelle();
// Row and column are taken modulo 26.
char VigenereTabelle(int zeile, int spalte);

// std::nullopt means "no result": the key was empty. The key must hold
// letters only (callers filter it); any other key byte x still shifts by
// (GrossBuchstabe(x) - 65) mod 26 and never leaves the table.
std::optional<Text> VigenereVerschluesseln(
    const Text &text, const Text &schluessel, bool SonderzeichenIgnorieren);
std::optional<Text> VigenereEntschluesseln(
    const Text &text, const Text &schluessel, bool SonderzeichenIgnorieren);
// The rule of the two functions above, for showing a key under its text:
// the key position (0 .. schluesselLaenge - 1) that shifts each byte, or -1
// for a byte that uses up none (a non-letter while SonderzeichenIgnorieren;
// every byte for an empty key). A non-letter that uses one up stays as it is.
std::vector<int> VigenereSchluesselstellen(
    const Text &text, std::size_t schluesselLaenge, bool SonderzeichenIgnorieren);

// Monoalphabetic substitution. `alphabet` holds the 26 cipher letters for
// A-Z, in either case; letters keep their case and every other byte, umlauts
// included, passes unchanged. std::nullopt: the alphabet is not a
// permutation of A-Z.
std::optional<Text> SubstitutionVerschluesseln(const Text &text, const Text &alphabet);
std::optional<Text> SubstitutionEntschluesseln(const Text &text, const Text &alphabet);
// The key word's letters in capitals without repeats (umlauts written as
// ErsetzeUmlaute writes them, other bytes dropped), then the rest of A-Z.
Text SchluesselwortAlphabet(const Text &wort);
// A whole cipher alphabet from one partly known, as a search or a pupil
// leaves it: each of the 26 places keeps its letter (either case) unless an
// earlier place has it already; the places left open ('?', a repeat, any
// other byte, or missing) take the unused letters in alphabetical order.
Text ErgaenzeAlphabet(const Text &teilweise);

// Not for the program: the engine takes SIMD code paths where the processor
// has them (SSE2/SSSE3 on x86) and portable code elsewhere. These variants
// let the tests and the fuzzer run the portable path on machines that would
// otherwise never take it. The functions above use Rechenweg::Schnellster.
namespace intern {

enum class Rechenweg { Schnellster, Portabel };

Text MatrixVerschluesseln(const Text &text, Spaltenwahl wahl, Rechenweg weg);
Text MatrixEntschluesseln(const Text &text, Spaltenwahl wahl, Rechenweg weg);
std::optional<Text> VigenereVerschluesseln(
    const Text &text, const Text &schluessel, bool SonderzeichenIgnorieren, Rechenweg weg);
std::optional<Text> VigenereEntschluesseln(
    const Text &text, const Text &schluessel, bool SonderzeichenIgnorieren, Rechenweg weg);

} // namespace intern

} // namespace verschl
