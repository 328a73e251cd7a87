// Caesar: every shift's letter count against German.

#include "intern.h"

#include <algorithm>

namespace analyse {

namespace {

// Letters rarer than this (Q, X, Y, J) count as this frequent: one "Q" in 40
// letters, expected 0.01 times, would otherwise add 87 to the sum and
// outweigh every other letter ("Quadrat" broke 1 in 300 short texts).
constexpr double kSeltensterBuchstabe = 0.005;

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

CaesarErgebnis AnalysiereCaesar(const Haeufigkeiten &haeufigkeiten)
{
    CaesarErgebnis e;
    for (int n = 0; n < 26; ++n)
        e.chiQuadrat[static_cast<std::size_t>(n)]
            = intern::ChiQuadrat(haeufigkeiten.buchstaben, haeufigkeiten.summe, n);
    e.verschiebung = intern::BesteVerschiebung(haeufigkeiten.buchstaben, haeufigkeiten.summe);
    if (haeufigkeiten.summe < kMindestBuchstaben)
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
