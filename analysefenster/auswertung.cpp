// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysefenster/auswertung.h"

#include <algorithm>

namespace auswertung {

namespace {

void werteVigenere(Auswertung &a, const Text &anfang)
{
    const auto &kandidaten = a.ergebnis.vigenere.schluesselKandidaten;
    for (std::size_t i = 0; i < std::min(kandidaten.size(), kVigenereZeilen); ++i) {
        const analyse::SchluesselKandidat &k = kandidaten[i];
        const auto klar
            = verschl::VigenereEntschluesseln(anfang, k.schluessel, k.sonderzeichenIgnorieren);
        a.schluessel.push_back(
            { k.schluessel, k.sonderzeichenIgnorieren, k.wertung, klar.value_or(Text()) });
    }
}

void werteMatrix(Auswertung &a, const Text &geheim, const std::atomic<bool> &abbrechen)
{
    const auto &kandidaten = a.ergebnis.matrix.kandidaten;
    const std::size_t zeilen = std::min(kandidaten.size(), kMatrixZeilen);
    for (std::size_t i = 0; i < zeilen && !abbrechen; ++i) {
        // The transposition moves every byte, so only a whole decryption
        // shows its beginning.
        const Text klar = verschl::MatrixEntschluesseln(geheim, { true, kandidaten[i].wert });
        a.matrixVorschau.push_back(klar.substr(0, kVorschau));
    }
}

} // namespace

Auswertung Werte(const Text &geheim, const std::atomic<bool> &abbrechen)
{
    Auswertung a;
    a.ergebnis.haeufigkeiten = analyse::Zaehle(geheim);
    if (a.ergebnis.haeufigkeiten.summe < analyse::kMindestBuchstaben)
        return a;
    a.zuWenig = false;
    // Shifting and the Vigenère key act byte by byte from the front, so the
    // beginning of the ciphertext decrypts to the beginning of the plaintext.
    const Text anfang = geheim.substr(0, kVorschau);
    a.ergebnis.caesar = analyse::AnalysiereCaesar(geheim, a.ergebnis.haeufigkeiten);
    for (int n = 0; n < 26; ++n)
        a.caesarVorschau[std::size_t(n)] = verschl::CaesarVerschieben(anfang, -n);
    a.anfang = geheim.substr(0, kSchluesselVorschau);
    // Vigenère, the matrix and the substitution have too little to go on;
    // their pages say so.
    if (abbrechen || a.ergebnis.haeufigkeiten.summe < analyse::kMindestBuchstabenSchluessel)
        return a;
    a.ergebnis.vigenere = analyse::AnalysiereVigenere(geheim);
    werteVigenere(a, anfang);
    if (abbrechen)
        return a;
    a.ergebnis.matrix = analyse::AnalysiereMatrix(geheim);
    werteMatrix(a, geheim, abbrechen);
    if (!abbrechen)
        a.substitution = analyse::AnalysiereSubstitution(geheim);
    return a;
}

} // namespace auswertung
