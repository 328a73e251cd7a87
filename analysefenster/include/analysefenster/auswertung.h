// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the analysis window shows, computed in one go away from the interface
// thread: the engine's result and the beginnings of the decryptions its lists
// preview. No Qt, so it runs on any thread.

#include "analyse/analyse.h"

#include <array>
#include <atomic>
#include <vector>

namespace auswertung {

using verschl::Text;

// How many bytes of a decryption a list shows.
constexpr std::size_t kVorschau = 60;
// How many column counts the matrix list shows.
constexpr std::size_t kMatrixZeilen = 5;
// How many bytes the preview of an edited Vigenère key decrypts.
constexpr std::size_t kSchluesselVorschau = 240;
// How many candidate keys the Vigenère list shows.
constexpr std::size_t kVigenereZeilen = 10;

struct Schluesselzeile
{
    std::string schluessel;
    bool sonderzeichenIgnorieren = true;
    double wertung = 0; // what the engine orders candidate keys by
    Text vorschau;
};

struct Auswertung
{
    // Fewer letters than any sound statement needs: nothing else is filled.
    bool zuWenig = true;
    analyse::Ergebnis ergebnis;
    std::array<Text, 26> caesarVorschau; // index = shift
    std::vector<Schluesselzeile> schluessel; // the found key first
    Text anfang; // the ciphertext's first kSchluesselVorschau bytes
    std::vector<Text> matrixVorschau; // for the first candidates, in their order
    // Its alphabet is empty until the search ran.
    analyse::SubstitutionErgebnis substitution;
};

// Stops early once `abbrechen` is set (the window went away): the result is
// then incomplete and nobody looks at it.
Auswertung Werte(const Text &geheim, const std::atomic<bool> &abbrechen);

} // namespace auswertung
