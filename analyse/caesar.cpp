// Caesar: every shift's letter count against German.

#include "intern.h"

#include <algorithm>

namespace analyse {

namespace intern {

double ChiQuadrat(const Zaehlung &zaehlung, std::uint64_t summe, int verschiebung)
{
    const auto &deutsch = DeutscheBuchstaben();
    const auto n = static_cast<double>(summe);
    double chi = 0;
    for (int i = 0; i < 26; ++i) {
        const double erwartet = n * std::max(deutsch[static_cast<std::size_t>(i)], 0.005);
        if (erwartet <= 0)
            continue;
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
    const double bester = e.chiQuadrat[static_cast<std::size_t>(e.verschiebung)];
    double zweiter = -1;
    for (int n = 0; n < 26; ++n)
        if (n != e.verschiebung
            && (zweiter < 0 || e.chiQuadrat[static_cast<std::size_t>(n)] < zweiter))
            zweiter = e.chiQuadrat[static_cast<std::size_t>(n)];
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
