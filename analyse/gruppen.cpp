// SPDX-License-Identifier: GPL-3.0-or-later
// The most frequent letter groups of a text and of German, for setting the
// one against the other by hand.

#include "intern.h"

#include <cmath>
#include <limits>
#include <numeric>

namespace analyse {

namespace {

using intern::kSymbole;
constexpr std::size_t kZustaende = kSymbole * kSymbole * kSymbole;
// The model forgets where it started within a few words; this many walks
// over the whole table settle the shares well past the digits a list shows.
constexpr int kRunden = 40;

int laenge(Gruppenart art)
{
    switch (art) {
    case Gruppenart::Einzeln:
        return 1;
    case Gruppenart::Paare:
    case Gruppenart::Doppelte:
        return 2;
    case Gruppenart::Dreier:
        return 3;
    }
    return 1;
}

std::size_t hoch26(int n) { return n == 0 ? 1 : 26 * hoch26(n - 1); }

// German's share of each run of three symbols: where the model's walk from
// symbol to symbol settles. The table holds conditional costs rounded to
// whole units, so each state's row is scaled to sum to one first.
std::vector<double> dreierAnteile(const std::uint8_t *tabelle)
{
    std::array<double, 256> gewicht {};
    for (std::size_t k = 0; k < gewicht.size(); ++k)
        gewicht[k] = std::exp(-static_cast<double>(k) / intern::kKostenJeNat);
    std::vector<double> zeile(kZustaende);
    for (std::size_t z = 0; z < kZustaende; ++z)
        for (std::size_t d = 0; d < kSymbole; ++d)
            zeile[z] += gewicht[tabelle[z * kSymbole + d]];
    std::vector<double> anteil(kZustaende, 1.0 / kZustaende), neu(kZustaende);
    for (int runde = 0; runde < kRunden; ++runde) {
        std::fill(neu.begin(), neu.end(), 0.0);
        for (std::size_t z = 0; z < kZustaende; ++z) {
            const double p = anteil[z] / zeile[z];
            const std::size_t weiter = z % (kSymbole * kSymbole) * kSymbole;
            for (std::size_t d = 0; d < kSymbole; ++d)
                neu[weiter + d] += p * gewicht[tabelle[z * kSymbole + d]];
        }
        anteil.swap(neu);
    }
    return anteil;
}

const std::vector<double> &deutscheDreier(bool leerzeichen)
{
    static const std::vector<double> mit = dreierAnteile(intern::ViererTabelle(true));
    static const std::vector<double> ohne = dreierAnteile(intern::ViererTabelle(false));
    return leerzeichen ? mit : ohne;
}

// German's weight of each group of `n` letters, indexed as a number in base
// 26: the runs of three whose first n symbols are letters.
std::vector<double> deutscheGewichte(int n, bool leerzeichen)
{
    const std::vector<double> &dreier = deutscheDreier(leerzeichen);
    std::vector<double> gewicht(hoch26(n));
    for (std::size_t z = 0; z < kZustaende; ++z) {
        const std::size_t symbole[3]
            = { z / (kSymbole * kSymbole), z / kSymbole % kSymbole, z % kSymbole };
        std::size_t index = 0;
        bool buchstaben = true;
        for (int i = 0; i < n; ++i) {
            buchstaben = buchstaben && symbole[i] < 26;
            index = index * 26 + symbole[i];
        }
        if (buchstaben)
            gewicht[index] += dreier[z];
    }
    return gewicht;
}

std::vector<double> zaehle(const Text &text, int n)
{
    std::vector<double> anzahl(hoch26(n));
    std::size_t index = 0;
    int lauf = 0; // letters side by side up to here
    for (const char c : text) {
        const int b = intern::BuchstabenIndex(static_cast<unsigned char>(c));
        if (b < 0) {
            lauf = 0;
            continue;
        }
        index = (index * 26 + static_cast<std::size_t>(b)) % anzahl.size();
        if (++lauf >= n)
            anzahl[index] += 1;
    }
    return anzahl;
}

std::string buchstaben(std::size_t index, int n)
{
    std::string gruppe(static_cast<std::size_t>(n), 'A');
    for (int i = n - 1; i >= 0; --i, index /= 26)
        gruppe[static_cast<std::size_t>(i)] = static_cast<char>('A' + index % 26);
    return gruppe;
}

bool doppelt(std::size_t index) { return index / 26 == index % 26; }

std::vector<Gruppe> beste(
    const std::vector<double> &gewicht, Gruppenart art, std::size_t hoechstens)
{
    const double summe = std::accumulate(gewicht.begin(), gewicht.end(), 0.0);
    std::vector<std::size_t> reihe;
    for (std::size_t i = 0; i < gewicht.size(); ++i) {
        if (gewicht[i] > 0 && (art != Gruppenart::Doppelte || doppelt(i)))
            reihe.push_back(i);
    }
    const auto vorn
        = reihe.begin() + static_cast<std::ptrdiff_t>(std::min(hoechstens, reihe.size()));
    std::partial_sort(reihe.begin(), vorn, reihe.end(), [&gewicht](std::size_t a, std::size_t b) {
        return gewicht[a] > gewicht[b] || (gewicht[a] == gewicht[b] && a < b);
    });
    std::vector<Gruppe> liste;
    for (auto i = reihe.begin(); i != vorn; ++i)
        liste.push_back({ buchstaben(*i, laenge(art)), 0, gewicht[*i] / summe });
    return liste;
}

} // namespace

std::vector<Gruppe> HaeufigsteGruppen(const Text &text, Gruppenart art, std::size_t hoechstens)
{
    const std::vector<double> anzahl = zaehle(text, laenge(art));
    std::vector<Gruppe> liste = beste(anzahl, art, hoechstens);
    for (Gruppe &g : liste) {
        std::size_t index = 0;
        for (const char c : g.buchstaben)
            index = index * 26 + static_cast<std::size_t>(c - 'A');
        g.anzahl = static_cast<std::uint64_t>(anzahl[index]);
    }
    return liste;
}

std::vector<Gruppe> DeutscheGruppen(Gruppenart art, bool leerzeichen, std::size_t hoechstens)
{
    return beste(deutscheGewichte(laenge(art), leerzeichen), art, hoechstens);
}

bool HatLeerzeichen(const Text &text)
{
    return intern::Symbolfolge(text, std::numeric_limits<std::size_t>::max()).leerzeichen;
}

} // namespace analyse
