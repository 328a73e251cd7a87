// SPDX-License-Identifier: GPL-3.0-or-later
// Letter counts, the confidence names and the whole analysis.

#include "intern.h"

namespace analyse {

namespace intern {

double Koinzidenzindex(const Zaehlung &zaehlung, std::uint64_t summe)
{
    double gleich = 0;
    for (const std::uint64_t n : zaehlung)
        gleich += static_cast<double>(n) * (static_cast<double>(n) - 1);
    const auto s = static_cast<double>(summe);
    return gleich / (s * (s - 1));
}

} // namespace intern

const char *SicherheitText(Sicherheit sicherheit)
{
    switch (sicherheit) {
    case Sicherheit::sicher:
        return "sicher";
    case Sicherheit::wahrscheinlich:
        return "wahrscheinlich";
    case Sicherheit::unsicher:
        break;
    }
    return "unsicher";
}

Haeufigkeiten Zaehle(const Text &text)
{
    // One pass over the bytes into a histogram of all 256 values, folded
    // afterwards: a 64 MiB text costs a single cheap loop.
    std::array<std::uint64_t, 256> bytes {};
    for (const char c : text)
        ++bytes[static_cast<unsigned char>(c)];
    Haeufigkeiten h;
    for (std::size_t i = 0; i < 26; ++i) {
        h.buchstaben[i] = bytes['A' + i] + bytes['a' + i];
        h.summe += h.buchstaben[i];
    }
    h.umlaute = { bytes[0xC4] + bytes[0xE4], bytes[0xD6] + bytes[0xF6], bytes[0xDC] + bytes[0xFC],
        bytes[0xDF] };
    if (h.summe >= 2)
        h.koinzidenzindex = intern::Koinzidenzindex(h.buchstaben, h.summe);
    return h;
}

Ergebnis Analysiere(const Text &geheim)
{
    Ergebnis e;
    e.haeufigkeiten = Zaehle(geheim);
    e.caesar = AnalysiereCaesar(geheim, e.haeufigkeiten);
    e.vigenere = AnalysiereVigenere(geheim);
    e.matrix = AnalysiereMatrix(geheim);
    return e;
}

} // namespace analyse
