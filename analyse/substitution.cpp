// SPDX-License-Identifier: GPL-3.0-or-later
// Monoalphabetic substitution: a search over the 26! alphabets on the German
// 4-gram score, with a bonus for whole German words where the text keeps its
// blanks. Letter swaps climb to a local best; from the best alphabet of the
// run, a few random swaps and a new climb try again (iterated local search),
// which escapes the local bests where plain restarts from random alphabets
// stay.

#include "intern.h"

#include <algorithm>
#include <numeric>
#include <random>
#include <string_view>

namespace analyse {

namespace {

using intern::Symbolfolge;
using intern::ViererKosten;

// Letters taken into account: beyond a few hundred letters the answer no
// longer changes, and the search costs grow with the sample.
constexpr std::size_t kProbe = 600;
// Climbs of the search; every climb after the first starts from a changed
// copy of the best alphabet of its run, or after kOhneFortschritt climbs
// without a better one, from a random alphabet that begins a new run.
constexpr int kKletterungen = 800;
// A text of kLang letters or more whose answer does not repeat is no
// substitution of German (a Vigenère or matrix ciphertext in the analysis
// window): its search ends here rather than after kKletterungen.
constexpr int kKletterungenLang = 250;
constexpr int kOhneFortschritt = 10;
// From kLang letters on, the search ends early, after at least kMindestens
// climbs, once kGenugTreffer of them ended at the best score: on a text long
// enough to have one clear answer, they soon all do. A shorter text takes
// every climb: its best answers lie close together, and ending early cost up
// to 5 % of its letters (measured). With the words' help the answer repeats
// sooner: there 50 climbs at least found every answer that 150 found.
constexpr std::size_t kLang = 150;
constexpr int kMindestens = 150;
constexpr int kMindestensMitWoertern = 50;
constexpr int kGenugTreffer = 8;

// The confidence, measured on German text the model never saw (100 texts
// each of 60 to 300 letters): with its blanks kept, 99 % of the answers from
// 300 letters on were right in every letter; with the blanks deleted 95 %,
// and below 300 letters up to half were wrong somewhere. A wrong answer often
// fitted the model better than the right one, and no measure found so far
// tells the wrong ones apart, so no answer is "sicher".
constexpr std::size_t kWahrscheinlichAb = 300;
// From 150 letters on, an answer whose words are German in nine letters of
// ten is "wahrscheinlich" too: 44 of 45 such answers were right (of 100 texts
// of 150 to 299 letters), where the right answers of technical texts often
// read words the list lacks.
constexpr std::size_t kWahrscheinlichMitWoertern = 150;
constexpr double kWortanteil = 0.9;

using Alphabet = std::array<std::uint8_t, 26>; // cipher letter -> plain letter

#include "referenz_woerter.inc"

// A word as one number: its first 12 symbols, five bits each, and its
// length in the top four bits. Longer words that agree in their first 12
// letters and their length count as one.
class Wortschluessel
{
public:
    void zeichen(std::uint8_t symbol)
    {
        if (laenge++ < 12)
            wert = wert << 5 | symbol;
    }
    std::uint64_t schluessel() const { return wert | std::uint64_t { laenge & 15u } << 60; }

private:
    std::uint64_t wert = 0;
    unsigned laenge = 0;
};

// The word list as an open-addressed hash set of those numbers: the search
// looks words up millions of times, and this costs one multiplication and a
// probe or two where a set of strings costs a string hash and a list walk.
class Woerterbuch
{
public:
    Woerterbuch()
        : platz(std::size_t { 1 } << kBits, 0)
    {
        for (const std::string_view zeile : kWoerter)
            for (std::size_t a = 0, e = 0; a < zeile.size(); a = e + 1) {
                e = std::min(zeile.find(' ', a), zeile.size());
                Wortschluessel w;
                for (const char c : zeile.substr(a, e - a))
                    w.zeichen(c == '_' ? intern::kUmlaut : static_cast<std::uint8_t>(c - 'A'));
                platz[suche(w.schluessel())] = w.schluessel();
            }
    }

    bool enthaelt(std::uint64_t schluessel) const { return platz[suche(schluessel)] == schluessel; }

private:
    // At most a half full for the 20,000 words and their spellings.
    static constexpr unsigned kBits = 16;

    std::size_t suche(std::uint64_t schluessel) const
    {
        std::size_t i = (schluessel * 0x9E3779B97F4A7C15u) >> (64 - kBits);
        while (platz[i] != 0 && platz[i] != schluessel)
            i = (i + 1) & (platz.size() - 1);
        return i;
    }

    std::vector<std::uint64_t> platz; // 0: empty
};

const Woerterbuch &deutscheWoerter()
{
    static const Woerterbuch woerter;
    return woerter;
}

// What a whole German word in the decryption takes off its cost, per
// letter (one nat): with blanks kept, many wrong alphabets of a short text
// score on the 4-gram model as well as the right one, but read fewer words.
// Measured at 16, 32 and 64: all alike, 16 a little ahead.
constexpr int kWortBonus = 16;

// The ciphertext's symbols and, for the current alphabet, its decryption and
// cost. A swap of two plain letters rescores only the 4-gram windows that
// hold one of the two cipher letters.
class Suche
{
public:
    // `mitWoertern`: whole words count too where the text has its blanks.
    Suche(const Symbolfolge &folge, bool mitWoertern)
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
        if (mitWoertern && folge.leerzeichen)
            findeWoerter(folge.buchstaben == kProbe);
        wortmarke.assign(woerter.size(), 0);
        wortwert.assign(woerter.size(), 0);
    }

    bool vorhanden(std::size_t c) const { return !stellen[c].empty(); }
    bool mitWoertern() const { return !woerter.empty(); }
    std::size_t anzahl(std::size_t c) const { return stellen[c].size(); }

    void setze(const Alphabet &neu)
    {
        alphabet = neu;
        for (std::size_t i = 0; i < geheim.size(); ++i)
            klar[i] = geheim[i] < 26 ? alphabet[geheim[i]] : geheim[i];
        kosten = ViererKosten(tabelle, klar);
        for (std::size_t w = 0; w < woerter.size(); ++w)
            kosten += wortwert[w] = wortKosten(woerter[w]);
    }

    // Swaps the plain letters of cipher letters a and b; with `nurBesser` it
    // keeps the swap only when the cost falls.
    bool tausche(std::size_t a, std::size_t b, bool nurBesser)
    {
        const std::int64_t vorher = fensterKosten(a, b, false);
        vertausche(a, b);
        vorige.clear();
        const std::int64_t nachher = fensterKosten(a, b, true);
        if (nurBesser && nachher >= vorher) {
            vertausche(a, b);
            for (const auto &[w, wert] : vorige)
                wortwert[w] = wert;
            return false;
        }
        kosten += nachher - vorher;
        return true;
    }

    // The current decryption's cost on the 4-gram model alone.
    std::int64_t viererKosten() const { return ViererKosten(tabelle, klar); }

    // The share of the letters in words that are German words.
    double wortanteil() const
    {
        std::size_t alle = 0, deutsch = 0;
        for (std::size_t w = 0; w < woerter.size(); ++w) {
            alle += woerter[w].laenge;
            deutsch += wortwert[w] < 0 ? woerter[w].laenge : 0;
        }
        return alle ? static_cast<double>(deutsch) / static_cast<double>(alle) : 0;
    }

    Alphabet alphabet {};
    std::int64_t kosten = 0; // with the words' part

private:
    void vertausche(std::size_t a, std::size_t b)
    {
        std::swap(alphabet[a], alphabet[b]);
        for (const std::uint32_t p : stellen[a])
            klar[p] = alphabet[a];
        for (const std::uint32_t p : stellen[b])
            klar[p] = alphabet[b];
    }

    struct Wort
    {
        std::uint32_t anfang, laenge;
    };

    // The runs of letters and umlauts between the other symbols; a run cut
    // off by the end of the sample is no word.
    void findeWoerter(bool abgeschnitten)
    {
        const auto imWort
            = [this](std::size_t i) { return geheim[i] < 26 || geheim[i] == intern::kUmlaut; };
        for (std::uint32_t i = 0; i < geheim.size();) {
            if (!imWort(i)) {
                ++i;
                continue;
            }
            std::uint32_t e = i;
            while (e < geheim.size() && imWort(e))
                ++e;
            if (e - i >= 2 && !(abgeschnitten && e == geheim.size())) {
                std::array<bool, 26> drin {};
                for (std::uint32_t k = i; k < e; ++k)
                    if (geheim[k] < 26 && !drin[geheim[k]]) {
                        drin[geheim[k]] = true;
                        woerterVon[geheim[k]].push_back(static_cast<std::uint32_t>(woerter.size()));
                    }
                woerter.push_back({ i, e - i });
            }
            i = e;
        }
    }

    int wortKosten(const Wort &w) const
    {
        Wortschluessel schluessel;
        for (std::uint32_t k = 0; k < w.laenge; ++k)
            schluessel.zeichen(klar[w.anfang + k]);
        return deutscheWoerter().enthaelt(schluessel.schluessel())
            ? -kWortBonus * static_cast<int>(w.laenge)
            : 0;
    }

    // The cost of the windows and words that hold cipher letter a or b. A
    // 4-gram costs a table look-up; a word's look-up costs more, so its
    // value is kept and looked up again only when `neu` (after a swap), the
    // values it had kept in `vorige`.
    std::int64_t fensterKosten(std::size_t a, std::size_t b, bool neu)
    {
        ++stempel;
        std::int64_t summe = 0;
        for (const std::size_t c : { a, b }) {
            for (const std::uint32_t e : fenster[c])
                if (marke[e] != stempel) {
                    marke[e] = stempel;
                    summe += ViererKosten(tabelle, klar, e);
                }
            for (const std::uint32_t w : woerterVon[c])
                if (wortmarke[w] != stempel) {
                    wortmarke[w] = stempel;
                    if (neu) {
                        vorige.emplace_back(w, wortwert[w]);
                        wortwert[w] = wortKosten(woerter[w]);
                    }
                    summe += wortwert[w];
                }
        }
        return summe;
    }

    const std::uint8_t *tabelle;
    std::vector<std::uint8_t> geheim, klar;
    std::array<std::vector<std::uint32_t>, 26> stellen, fenster;
    std::vector<std::uint32_t> marke;
    std::vector<Wort> woerter;
    std::array<std::vector<std::uint32_t>, 26> woerterVon;
    std::vector<std::uint32_t> wortmarke;
    std::vector<int> wortwert;
    std::vector<std::pair<std::uint32_t, int>> vorige;
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
    const int mindestens = buchstaben < kLang ? kKletterungen
        : s.mitWoertern()                     ? kMindestensMitWoertern
                                              : kMindestens;
    // A fixed seed: the same ciphertext gets the same answer everywhere.
    std::mt19937 zufall(20261208);
    const auto zufallsAlphabet = [&zufall] {
        Alphabet a {};
        std::iota(a.begin(), a.end(), 0);
        for (std::size_t i = 25; i > 0; --i)
            std::swap(a[i], a[zufall() % (i + 1)]);
        return a;
    };
    // The search runs from the best alphabet of the current run; a run that
    // has not improved for kOhneFortschritt climbs gives way to a new one
    // from a random alphabet, so that one early trap does not hold the
    // whole search.
    Bestes beste, lauf;
    int ohneFortschritt = 0;
    const int hoechstens = buchstaben < kLang ? kKletterungen : kKletterungenLang;
    for (int k = 0; k < hoechstens && (k < mindestens || beste.treffer < kGenugTreffer); ++k) {
        const bool neuerLauf
            = k == 0 || art == Suchart::Neustarts || ohneFortschritt >= kOhneFortschritt;
        if (k == 0)
            s.setze(nachHaeufigkeit(s));
        else if (neuerLauf)
            s.setze(zufallsAlphabet());
        else {
            s.setze(lauf.alphabet);
            for (std::uint32_t n = 2 + zufall() % 3; n > 0; --n)
                s.tausche(zufall() % 26, zufall() % 26, false);
        }
        klettere(s);
        if (neuerLauf || s.kosten < lauf.kosten) {
            lauf = { s.alphabet, s.kosten, 1 };
            ohneFortschritt = 0;
        } else
            ++ohneFortschritt;
        if (k == 0 || s.kosten < beste.kosten)
            beste = { s.alphabet, s.kosten, 1 };
        else
            beste.treffer += s.kosten == beste.kosten && k > 0;
    }
    return beste;
}

} // namespace

SubstitutionErgebnis AnalysiereSubstitution(const Text &geheim, Suchart art)
{
    const Symbolfolge folge(geheim, kProbe);
    Suche s(folge, art == Suchart::Verfeinert);
    const Bestes beste = sucheAlphabet(s, art, folge.buchstaben);
    SubstitutionErgebnis e;
    e.geheimalphabet.assign(26, '?');
    for (std::size_t c = 0; c < 26; ++c)
        if (s.vorhanden(c))
            e.geheimalphabet[beste.alphabet[c]] = static_cast<char>('A' + c);
    s.setze(beste.alphabet);
    e.punkte = intern::ViererMittel(static_cast<double>(s.viererKosten()), folge.symbol.size());
    e.treffer = beste.treffer;
    const bool wahrscheinlich = folge.buchstaben >= kWahrscheinlichAb
        || (folge.buchstaben >= kWahrscheinlichMitWoertern && s.wortanteil() >= kWortanteil);
    e.sicherheit
        = folge.leerzeichen && wahrscheinlich ? Sicherheit::wahrscheinlich : Sicherheit::unsicher;
    return e;
}

} // namespace analyse
