// SPDX-License-Identifier: GPL-3.0-or-later
// Matrix transposition: every column count's decryption scored by German
// letter pairs.

#include "intern.h"

#include <algorithm>
#include <cmath>

namespace analyse {

namespace {

constexpr int kHoechsteSpalten = 100;

// Plaintext positions scored per column count. The decryption's rows repeat
// the same pattern, so a prefix of a few thousand letters ranks the counts
// as the whole text would, and a 64 MiB text costs no more than a page.
constexpr std::size_t kProbe = 8192;

// The lead on the Deutschgrad scale that a filled rectangle gets.
constexpr double kFuellvorzug = 0.1;

// Mean pair score of MatrixEntschluesseln(geheim, {true, n}) over its first
// kProbe bytes, read straight from the ciphertext: the ciphertext is n
// columns of m bytes, so plaintext position i (row i / n, column i % n) is
// ciphertext byte (i % n) * m + i / n; beyond the end lies padding.
double spaltenWert(const Text &geheim, std::size_t n)
{
    const std::size_t laenge = geheim.size();
    const std::size_t m = (laenge + n - 1) / n;
    const std::size_t ende = std::min(m * n, kProbe);
    intern::PaarSumme paare;
    for (std::size_t i = 0; i < ende; ++i) {
        const std::size_t quelle = (i % n) * m + i / n;
        if (quelle >= laenge)
            continue;
        if (const int b = intern::BuchstabenIndex(static_cast<unsigned char>(geheim[quelle]));
            b >= 0)
            paare.Buchstabe(b);
    }
    return paare.Mittel();
}

// The margin is taken to the best count that reads other letters: one more
// column with the same number of rows reads the same letters with padding at
// each row's end, which is the same claim, not a rival.
Sicherheit sicherheit(const MatrixErgebnis &e, const Haeufigkeiten &h)
{
    // A transposition keeps the letters, so they must be German already.
    if (h.summe < kMindestBuchstabenSchluessel
        || !intern::DeutscheVerteilung(intern::ChiQuadrat(h.buchstaben, h.summe, 0), h.summe))
        return Sicherheit::unsicher;
    // The filled rectangle may have won over a count that scored higher;
    // then that count is the nearest rival.
    const double bester = e.kandidaten.front().punkte;
    double rivale = -1e9;
    for (const Kandidat &k : e.kandidaten)
        if (std::abs(k.punkte - bester) > 1e-9)
            rivale = std::max(rivale, k.punkte);
    if (rivale == -1e9)
        return Sicherheit::unsicher;
    const double q = intern::Deutschgrad(bester);
    const double abstand = q - intern::Deutschgrad(rivale);
    if (q < 0.4)
        return Sicherheit::unsicher;
    if (q >= 0.6 && abstand >= 0.35 && h.summe >= 60)
        return Sicherheit::sicher;
    return abstand >= 0.15 ? Sicherheit::wahrscheinlich : Sicherheit::unsicher;
}

} // namespace

MatrixErgebnis AnalysiereMatrix(const Text &geheim)
{
    MatrixErgebnis e;
    const std::size_t laenge = geheim.size();
    const std::size_t quadrat = verschl::MatrixSpalten(laenge, { false, 0 });
    // A count of n >= L leaves the text as it is, like 1 does.
    const auto hoechste = static_cast<int>(
        std::min<std::size_t>(kHoechsteSpalten, std::max<std::size_t>(laenge, 1)));
    for (int n = 1; n <= hoechste; ++n)
        e.kandidaten.push_back({ n, spaltenWert(geheim, static_cast<std::size_t>(n)) });
    if (quadrat > static_cast<std::size_t>(hoechste))
        e.kandidaten.push_back({ static_cast<int>(quadrat), spaltenWert(geheim, quadrat) });
    // Best first; on a tie the smaller count, which is the simpler answer.
    // The encryption pads its rectangle, so a count whose rectangle the
    // ciphertext fills is preferred: one more column reads nearly the same
    // rows and would otherwise win by chance.
    for (Kandidat &k : e.kandidaten) {
        const bool fuellt = k.wert > 0 && laenge % static_cast<std::size_t>(k.wert) == 0;
        k.wertung = intern::Deutschgrad(k.punkte) + (fuellt ? kFuellvorzug : 0);
    }
    std::stable_sort(e.kandidaten.begin(), e.kandidaten.end(),
        [](const Kandidat &a, const Kandidat &b) { return a.wertung > b.wertung; });
    e.spalten = e.kandidaten.front().wert;
    e.quadratisch = laenge > 0 && static_cast<std::size_t>(e.spalten) == quadrat;
    e.sicherheit = sicherheit(e, Zaehle(geheim));
    return e;
}

} // namespace analyse
