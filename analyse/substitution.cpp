// SPDX-License-Identifier: GPL-3.0-or-later
// Monoalphabetic substitution: a search over the 26! alphabets on the German
// 4-gram score. Letter swaps climb to a local best; from the best alphabet
// found, a few random swaps and a new climb try again (iterated local
// search), which escapes the local bests where plain restarts from random
// alphabets stay.

#include "intern.h"

#include <algorithm>
#include <numeric>
#include <random>

namespace analyse {

namespace {

using intern::Symbolfolge;
using intern::ViererKosten;

// Letters taken into account: beyond a few hundred letters the answer no
// longer changes, and the search costs grow with the sample.
constexpr std::size_t kProbe = 600;
// Climbs of the search; every climb after the first starts from a changed
// copy of the best alphabet so far, or after kOhneFortschritt climbs without
// a better one, from a random alphabet.
constexpr int kKletterungen = 400;
constexpr int kOhneFortschritt = 10;
// From kLang letters on, the search ends early, after at least kMindestens
// climbs, once kGenugTreffer of them ended at the best score: on a text long
// enough to have one clear answer, they soon all do. A shorter text takes
// every climb: its best answers lie close together, and ending early cost up
// to 5 % of its letters (measured).
constexpr std::size_t kLang = 150;
constexpr int kMindestens = 150;
constexpr int kGenugTreffer = 8;

// The confidence, measured on German text the model never saw (100 texts
// each of 60 to 300 letters): with its blanks kept, 99 % of the answers from
// 300 letters on were right in every letter; with the blanks deleted 95 %,
// and below 300 letters up to half were wrong somewhere. A wrong answer often
// fitted the model better than the right one, and no measure found so far
// tells the wrong ones apart, so no answer is "sicher".
constexpr std::size_t kWahrscheinlichAb = 300;

using Alphabet = std::array<std::uint8_t, 26>; // cipher letter -> plain letter

// The ciphertext's symbols and, for the current alphabet, its decryption and
// cost. A swap of two plain letters rescores only the 4-gram windows that
// hold one of the two cipher letters.
class Suche
{
public:
    explicit Suche(const Symbolfolge &folge)
        : tabelle(folge.tabelle)
        , geheim(folge.symbol)
        , klar(folge.symbol)
        , marke(folge.symbol.size(), 0)
    {
        for (std::uint32_t i = 0; i < geheim.size(); ++i)
            if (geheim[i] < 26)
                stellen[geheim[i]].push_back(i);
        for (std::size_t c = 0; c < 26; ++c)
            for (const std::uint32_t p : stellen[c])
                for (std::uint32_t e = std::max<std::uint32_t>(p, 3);
                     e <= p + 3 && e < geheim.size(); ++e)
                    if (fenster[c].empty() || fenster[c].back() != e)
                        fenster[c].push_back(e);
    }

    bool vorhanden(std::size_t c) const { return !stellen[c].empty(); }
    std::size_t anzahl(std::size_t c) const { return stellen[c].size(); }

    void setze(const Alphabet &neu)
    {
        alphabet = neu;
        for (std::size_t i = 0; i < geheim.size(); ++i)
            klar[i] = geheim[i] < 26 ? alphabet[geheim[i]] : geheim[i];
        kosten = ViererKosten(tabelle, klar);
    }

    // Swaps the plain letters of cipher letters a and b; with `nurBesser` it
    // keeps the swap only when the cost falls.
    bool tausche(std::size_t a, std::size_t b, bool nurBesser)
    {
        const std::int64_t vorher = fensterKosten(a, b);
        vertausche(a, b);
        const std::int64_t nachher = fensterKosten(a, b);
        if (nurBesser && nachher >= vorher) {
            vertausche(a, b);
            return false;
        }
        kosten += nachher - vorher;
        return true;
    }

    Alphabet alphabet {};
    std::int64_t kosten = 0;

private:
    void vertausche(std::size_t a, std::size_t b)
    {
        std::swap(alphabet[a], alphabet[b]);
        for (const std::uint32_t p : stellen[a])
            klar[p] = alphabet[a];
        for (const std::uint32_t p : stellen[b])
            klar[p] = alphabet[b];
    }

    std::int64_t fensterKosten(std::size_t a, std::size_t b)
    {
        ++stempel;
        std::int64_t summe = 0;
        for (const std::size_t c : { a, b })
            for (const std::uint32_t e : fenster[c])
                if (marke[e] != stempel) {
                    marke[e] = stempel;
                    summe += ViererKosten(tabelle, klar, e);
                }
        return summe;
    }

    const std::uint8_t *tabelle;
    std::vector<std::uint8_t> geheim, klar;
    std::array<std::vector<std::uint32_t>, 26> stellen, fenster;
    std::vector<std::uint32_t> marke;
    std::uint32_t stempel = 0;
};

// Swaps letters while any swap lowers the cost. A swap of two cipher letters
// that the text does not hold changes nothing and is skipped.
void klettere(Suche &s)
{
    for (bool besser = true; besser;) {
        besser = false;
        for (std::size_t a = 0; a < 26; ++a)
            for (std::size_t b = a + 1; b < 26; ++b)
                if ((s.vorhanden(a) || s.vorhanden(b)) && s.tausche(a, b, true))
                    besser = true;
    }
}

// The cipher letters by their count mapped onto German's letters by their
// frequency: where a climb from the letter counts alone starts.
Alphabet nachHaeufigkeit(const Suche &s)
{
    std::array<std::uint8_t, 26> geheimNachAnzahl {}, deutschNachAnteil {};
    std::iota(geheimNachAnzahl.begin(), geheimNachAnzahl.end(), 0);
    std::iota(deutschNachAnteil.begin(), deutschNachAnteil.end(), 0);
    std::stable_sort(geheimNachAnzahl.begin(), geheimNachAnzahl.end(),
        [&s](auto x, auto y) { return s.anzahl(x) > s.anzahl(y); });
    const auto &anteil = DeutscheBuchstaben();
    std::stable_sort(deutschNachAnteil.begin(), deutschNachAnteil.end(),
        [&anteil](auto x, auto y) { return anteil[x] > anteil[y]; });
    Alphabet a {};
    for (std::size_t i = 0; i < 26; ++i)
        a[geheimNachAnzahl[i]] = deutschNachAnteil[i];
    return a;
}

struct Bestes
{
    Alphabet alphabet {};
    std::int64_t kosten = 0;
    int treffer = 0; // climbs that ended at the best cost
};

Bestes sucheAlphabet(Suche &s, Suchart art, std::size_t buchstaben)
{
    const int mindestens = buchstaben >= kLang ? kMindestens : kKletterungen;
    // A fixed seed: the same ciphertext gets the same answer everywhere.
    std::mt19937 zufall(20261208);
    const auto zufallsAlphabet = [&zufall] {
        Alphabet a {};
        std::iota(a.begin(), a.end(), 0);
        for (std::size_t i = 25; i > 0; --i)
            std::swap(a[i], a[zufall() % (i + 1)]);
        return a;
    };
    Bestes beste;
    int ohneFortschritt = 0;
    for (int k = 0; k < kKletterungen && (k < mindestens || beste.treffer < kGenugTreffer); ++k) {
        if (k == 0)
            s.setze(nachHaeufigkeit(s));
        else if (art == Suchart::Neustarts || ohneFortschritt >= kOhneFortschritt) {
            s.setze(zufallsAlphabet());
            ohneFortschritt = 0;
        } else {
            s.setze(beste.alphabet);
            for (std::uint32_t n = 2 + zufall() % 3; n > 0; --n)
                s.tausche(zufall() % 26, zufall() % 26, false);
        }
        klettere(s);
        if (k == 0 || s.kosten < beste.kosten) {
            beste.alphabet = s.alphabet;
            beste.kosten = s.kosten;
            beste.treffer = 1;
            ohneFortschritt = 0;
        } else {
            beste.treffer += s.kosten == beste.kosten;
            ++ohneFortschritt;
        }
    }
    return beste;
}

} // namespace

SubstitutionErgebnis AnalysiereSubstitution(const Text &geheim, Suchart art)
{
    const Symbolfolge folge(geheim, kProbe);
    Suche s(folge);
    const Bestes beste = sucheAlphabet(s, art, folge.buchstaben);
    SubstitutionErgebnis e;
    e.geheimalphabet.assign(26, '?');
    for (std::size_t c = 0; c < 26; ++c)
        if (s.vorhanden(c))
            e.geheimalphabet[beste.alphabet[c]] = static_cast<char>('A' + c);
    e.punkte = intern::ViererMittel(static_cast<double>(beste.kosten), folge.symbol.size());
    e.treffer = beste.treffer;
    e.sicherheit = folge.leerzeichen && folge.buchstaben >= kWahrscheinlichAb
        ? Sicherheit::wahrscheinlich
        : Sicherheit::unsicher;
    return e;
}

} // namespace analyse
