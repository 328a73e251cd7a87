// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target for the cryptanalysis: any bytes are a ciphertext. The
// analysis must not crash, and every result must stay in its range: counts
// that add up, finite scores, a shift 0..25, a key of 1..30 capital letters,
// a column count that MatrixEntschluesseln accepts, and no claim at all below
// kMindestBuchstaben letters, none for Vigenère and the matrix below
// kMindestBuchstabenSchluessel. A violation aborts, so libFuzzer reports it.

#include "analyse/analyse.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {

void pruefe(bool ok)
{
    if (!ok)
        std::abort();
}

void pruefeKandidaten(const std::vector<analyse::Kandidat> &liste)
{
    pruefe(!liste.empty());
    for (const analyse::Kandidat &k : liste)
        pruefe(std::isfinite(k.punkte) && k.wert >= 1);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *daten, std::size_t groesse)
{
    const verschl::Text text(reinterpret_cast<const char *>(daten), groesse);
    const analyse::Ergebnis e = analyse::Analysiere(text);
    const auto &h = e.haeufigkeiten;
    std::uint64_t summe = 0;
    for (const auto n : h.buchstaben)
        summe += n;
    pruefe(summe == h.summe && h.summe <= groesse);
    pruefe(h.koinzidenzindex >= 0 && h.koinzidenzindex <= 1);
    for (const double chi : e.caesar.chiQuadrat)
        pruefe(std::isfinite(chi) && chi >= 0);
    pruefe(e.caesar.verschiebung >= 0 && e.caesar.verschiebung < 26);
    const std::string &k = e.vigenere.schluessel;
    pruefe(!k.empty() && k.size() <= 30);
    for (const char c : k)
        pruefe(c >= 'A' && c <= 'Z');
    pruefe(!e.vigenere.schluesselKandidaten.empty()
        && e.vigenere.schluesselKandidaten.front().schluessel == k);
    for (const analyse::SchluesselKandidat &kandidat : e.vigenere.schluesselKandidaten)
        pruefe(std::isfinite(kandidat.punkte) && !kandidat.schluessel.empty());
    pruefeKandidaten(e.vigenere.laengenKoinzidenz);
    pruefeKandidaten(e.vigenere.laengenKasiski);
    pruefeKandidaten(e.matrix.kandidaten);
    pruefe(e.matrix.spalten >= 1);
    if (h.summe < analyse::kMindestBuchstaben)
        pruefe(e.caesar.sicherheit == analyse::Sicherheit::unsicher);
    if (h.summe < analyse::kMindestBuchstabenSchluessel)
        pruefe(e.vigenere.sicherheit == analyse::Sicherheit::unsicher
            && e.matrix.sicherheit == analyse::Sicherheit::unsicher);
    // The alphabet names a cipher letter at most once, and only one the text
    // holds (a long text's letters after the search's sample may be missing).
    const analyse::SubstitutionErgebnis s = analyse::AnalysiereSubstitution(text);
    pruefe(s.geheimalphabet.size() == 26 && std::isfinite(s.punkte)
        && s.sicherheit != analyse::Sicherheit::sicher);
    for (std::size_t c = 0; c < 26; ++c) {
        const auto n = std::count(s.geheimalphabet.begin(), s.geheimalphabet.end(), char('A' + c));
        pruefe(n <= 1 && (n == 0 || h.buchstaben[c] > 0));
    }
    return 0;
}
