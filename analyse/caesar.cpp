// Caesar: every shift's letter count against German.

#include "intern.h"

#include <algorithm>

namespace analyse {

namespace {

// Letters rarer than this (Q, X, Y, J) count as this frequent: one "Q" in 40
// letters, expected 0.01 times, would otherwise add 87 to the sum and
// outweigh every other letter ("Quadrat" broke 1 in 300 short texts).
constexpr double kSeltensterBuchstabe = 0.005;

// Letters whose pairs decide the shift; as for the matrix, a prefix ranks the
// shifts as the whole text would.
constexpr std::size_t kProbe = 8192;

// Mean pair score of every shift's decryption. The letter count alone misses
// about one short text in 300 whose few letters happen to fit a wrong shift
// better; which letters follow which is much harder to fake.
std::array<double, 26> paarWerte(const Text &geheim)
{
    std::array<intern::PaarSumme, 26> paare;
    std::size_t buchstaben = 0;
    for (std::size_t i = 0; i < geheim.size() && buchstaben < kProbe; ++i) {
        const int b = intern::BuchstabenIndex(static_cast<unsigned char>(geheim[i]));
        if (b < 0)
            continue;
        ++buchstaben;
        for (int n = 0; n < 26; ++n)
            paare[static_cast<std::size_t>(n)].Buchstabe(b - n + 26);
    }
    std::array<double, 26> werte {};
    for (std::size_t n = 0; n < 26; ++n)
        werte[n] = paare[n].Mittel();
    return werte;
}

} // namespace

namespace intern {

double ChiQuadrat(const Zaehlung &zaehlung, std::uint64_t summe, int verschiebung)
{
    const auto &deutsch = DeutscheBuchstaben();
    const auto n = static_cast<double>(summe);
    double chi = 0;
    for (int i = 0; i < 26; ++i) {
        const double erwartet
            = n * std::max(deutsch[static_cast<std::size_t>(i)], kSeltensterBuchstabe);
        if (erwartet <= 0) // no letters
            return 0;
        const auto beobachtet
            = static_cast<double>(zaehlung[static_cast<std::size_t>((i + verschiebung) % 26)]);
        chi += (beobachtet - erwartet) * (beobachtet - erwartet) / erwartet;
    }
    return chi;
}

int BesteVerschiebung(const Zaehlung &zaehlung, std::uint64_t summe)
{
    int beste = 0;
    double wert = ChiQuadrat(zaehlung, summe, 0);
    for (int n = 1; n < 26; ++n)
        if (const double w = ChiQuadrat(zaehlung, summe, n); w < wert) {
            wert = w;
            beste = n;
        }
    return beste;
}

bool DeutscheVerteilung(double chiQuadrat, std::uint64_t summe)
{
    return chiQuadrat <= 40 + 0.5 * static_cast<double>(summe);
}

} // namespace intern

CaesarErgebnis AnalysiereCaesar(const Text &geheim, const Haeufigkeiten &haeufigkeiten)
{
    CaesarErgebnis e;
    for (int n = 0; n < 26; ++n)
        e.chiQuadrat[static_cast<std::size_t>(n)]
            = intern::ChiQuadrat(haeufigkeiten.buchstaben, haeufigkeiten.summe, n);
    const auto paare = paarWerte(geheim);
    e.verschiebung = static_cast<int>(std::max_element(paare.begin(), paare.end()) - paare.begin());
    if (haeufigkeiten.summe < kMindestBuchstaben
        || e.verschiebung
            != intern::BesteVerschiebung(haeufigkeiten.buchstaben, haeufigkeiten.summe))
        return e;
    auto sortiert = e.chiQuadrat;
    std::sort(sortiert.begin(), sortiert.end());
    const double bester = sortiert[0], zweiter = sortiert[1];
    if (!intern::DeutscheVerteilung(bester, haeufigkeiten.summe))
        return e;
    const auto n = static_cast<double>(haeufigkeiten.summe);
    if (n >= 50 && zweiter >= 2.5 * bester)
        e.sicherheit = Sicherheit::sicher;
    else if (zweiter >= 1.5 * bester)
        e.sicherheit = Sicherheit::wahrscheinlich;
    return e;
}

} // namespace analyse
