// SPDX-License-Identifier: GPL-3.0-or-later
// Vigenère: every key length solved by a search on the German 4-gram score,
// in both ways of counting key positions; the index of coincidence and
// repeated trigrams of the columns for the chart.

#include "intern.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>

namespace analyse {

namespace {

using intern::Zaehlung;

constexpr std::size_t kHoechsteLaenge = 30; // in the chart
constexpr std::size_t kHoechsterSchluessel = 20; // searched

// Letters taken into account. The key repeats, so a prefix decides as the
// whole text would, and a 64 MiB text costs no more than a short one: the
// chart's statistics take 8000 letters (260 per column at length 30), the
// search for the key 1000 (50 per column at length 20, where each column's
// letter count alone nearly always gives its shift).
constexpr std::size_t kProbe = 8000;
constexpr std::size_t kSuchprobe = 1000;

// What a key letter costs in nats when lengths compete: a free choice of 26
// buys a column about this much fit by chance, so without the charge a
// multiple of the true length would win by fitting noise.
constexpr double kJeSchluesselbuchstabe = 5.0;

// The confidence, measured on German text the model never saw (900 texts of
// 20 to 100 letters, keys of 1 to 16 letters, both ways): a lead of at least
// kVorsprung nats per letter over the nearest rival with at least
// kSicherJeSchluessel letters per key letter was never wrong, and with at
// least kWahrscheinlichJeSchluessel right 99 % of the time.
constexpr double kVorsprung = 0.3;
constexpr double kSicherJeSchluessel = 10;
constexpr double kWahrscheinlichJeSchluessel = 5;

// Restarts of the search for a length still in the race: this many per
// letter of key over letters of text, so that short columns, where they
// matter, get many.
constexpr int kNeustarts = 250;
constexpr int kHoechstensNeustarts = 40;
// Letters per column below which paired moves are tried.
constexpr std::size_t kPaareBis = 30;

// The ciphertext as the model's symbols, with the key position counter of
// each letter: its letter number when only letters use up key positions,
// its byte position when every byte does.
struct Folge
{
    const std::uint8_t *tabelle; // of the 4-gram model
    std::vector<std::uint8_t> symbol;
    std::vector<std::size_t> zaehler; // for letters only
    std::vector<std::uint32_t> buchstaben; // symbol indices of the letters
};

Folge folge(const intern::Symbolfolge &s, bool nurBuchstaben)
{
    Folge f { s.tabelle, s.symbol, std::vector<std::size_t>(s.symbol.size()), {} };
    for (std::size_t i = 0; i < s.symbol.size(); ++i)
        if (s.symbol[i] < 26) {
            f.zaehler[i] = nurBuchstaben ? f.buchstaben.size() : s.stelle[i];
            f.buchstaben.push_back(static_cast<std::uint32_t>(i));
        }
    return f;
}

// Both ways count alike, up to a constant, unless a non-letter lies among
// the letters.
bool gleichwertig(const Folge &a, const Folge &b)
{
    for (const std::uint32_t i : a.buchstaben)
        if (b.zaehler[i] - a.zaehler[i] != b.zaehler[a.buchstaben.front()])
            return false;
    return true;
}

using Schluessel = std::vector<int>; // shifts 0..25

std::uint8_t klar(std::uint8_t geheim, int schiebung)
{
    return static_cast<std::uint8_t>((geheim + 26 - schiebung) % 26);
}

std::vector<Zaehlung> spaltenZaehlung(const Folge &f, std::size_t laenge)
{
    std::vector<Zaehlung> spalten(laenge);
    for (const std::uint32_t i : f.buchstaben)
        ++spalten[f.zaehler[i] % laenge][f.symbol[i]];
    return spalten;
}

std::uint64_t summe(const Zaehlung &z)
{
    std::uint64_t s = 0;
    for (const auto n : z)
        s += n;
    return s;
}

double mittlererKoinzidenzindex(const std::vector<Zaehlung> &spalten)
{
    double gesamt = 0;
    int gezaehlt = 0;
    for (const Zaehlung &z : spalten)
        if (const std::uint64_t s = summe(z); s >= 2) {
            gesamt += intern::Koinzidenzindex(z, s);
            ++gezaehlt;
        }
    return gezaehlt == 0 ? 0 : gesamt / gezaehlt;
}

// Repeated trigrams: for every length, how many distances between
// consecutive occurrences of the same trigram it divides (index 1: all).
std::array<std::uint64_t, kHoechsteLaenge + 1> kasiski(const Folge &f)
{
    std::array<std::uint64_t, kHoechsteLaenge + 1> teilt {};
    std::vector<std::size_t> zuletzt(26 * 26 * 26, SIZE_MAX);
    const auto &b = f.buchstaben;
    for (std::size_t j = 2; j < b.size(); ++j) {
        const std::size_t tri
            = (f.symbol[b[j - 2]] * 26u + f.symbol[b[j - 1]]) * 26u + f.symbol[b[j]];
        if (zuletzt[tri] != SIZE_MAX) {
            const std::size_t abstand = f.zaehler[b[j]] - zuletzt[tri];
            for (std::size_t k = 1; k <= kHoechsteLaenge; ++k)
                teilt[k] += abstand % k == 0;
        }
        zuletzt[tri] = f.zaehler[b[j]];
    }
    return teilt;
}

std::vector<Kandidat> bestZuerst(std::vector<Kandidat> liste)
{
    for (Kandidat &k : liste)
        k.wertung = k.punkte;
    std::stable_sort(liste.begin(), liste.end(),
        [](const Kandidat &a, const Kandidat &b) { return a.wertung > b.wertung; });
    return liste;
}

// Local search for the key of one length: the decryption is kept, and a
// move re-scores only the 4-grams that touch the columns it changes.
class Suche
{
public:
    Suche(const Folge &f, std::size_t laenge)
        : folge(f)
        , klartext(f.symbol)
        , glieder(laenge)
        , fenster(laenge)
        , paarFenster(laenge)
    {
        for (const std::uint32_t i : f.buchstaben)
            glieder[f.zaehler[i] % laenge].push_back(i);
        for (std::size_t c = 0; c < laenge; ++c)
            fenster[c] = fensterVon({ c });
        if (laenge > 1)
            for (std::size_t c = 0; c < laenge; ++c)
                paarFenster[c] = fensterVon({ c, (c + 1) % laenge });
    }

    // Improves `k` until no move of one key letter, nor (with `paare`) of
    // two neighbouring ones, lowers the cost; returns the cost.
    std::int64_t Klettere(Schluessel &k, bool paare)
    {
        for (std::size_t c = 0; c < k.size(); ++c)
            setze(c, k[c]);
        for (bool besser = true; besser;) {
            besser = false;
            for (std::size_t c = 0; c < k.size(); ++c)
                besser |= einzeln(k, c);
            if (!besser && paare && k.size() > 1)
                for (std::size_t c = 0; c < k.size(); ++c)
                    besser |= paarweise(k, c);
        }
        return intern::ViererKosten(folge.tabelle, klartext);
    }

private:
    // The window ends (the last symbol of each 4-gram) that hold a letter
    // of one of the columns.
    std::vector<std::uint32_t> fensterVon(std::initializer_list<std::size_t> spalten) const
    {
        std::vector<std::uint32_t> enden;
        for (const std::size_t c : spalten)
            for (const std::uint32_t i : glieder[c])
                for (std::uint32_t e = std::max<std::uint32_t>(i, 3);
                     e <= i + 3 && e < klartext.size(); ++e)
                    enden.push_back(e);
        std::sort(enden.begin(), enden.end());
        enden.erase(std::unique(enden.begin(), enden.end()), enden.end());
        return enden;
    }

    void setze(std::size_t spalte, int schiebung)
    {
        for (const std::uint32_t i : glieder[spalte])
            klartext[i] = klar(folge.symbol[i], schiebung);
    }

    std::int64_t kosten(const std::vector<std::uint32_t> &enden) const
    {
        const std::uint8_t *t = folge.tabelle;
        const std::uint8_t *s = klartext.data();
        std::int64_t k = 0;
        for (const std::uint32_t e : enden)
            k += t[((s[e - 3] * intern::kSymbole + s[e - 2]) * intern::kSymbole + s[e - 1])
                    * intern::kSymbole
                + s[e]];
        return k;
    }

    bool einzeln(Schluessel &k, std::size_t c)
    {
        const std::int64_t vorher = kosten(fenster[c]);
        std::int64_t bester = vorher;
        int beste = k[c];
        for (int s = 0; s < 26; ++s) {
            setze(c, s);
            if (const std::int64_t w = kosten(fenster[c]); w < bester) {
                bester = w;
                beste = s;
            }
        }
        k[c] = beste;
        setze(c, beste);
        return bester < vorher;
    }

    bool paarweise(Schluessel &k, std::size_t c)
    {
        const std::size_t d = (c + 1) % k.size();
        const std::int64_t vorher = kosten(paarFenster[c]);
        std::int64_t bester = vorher;
        int besteC = k[c], besteD = k[d];
        for (int s = 0; s < 26; ++s) {
            setze(c, s);
            for (int t = 0; t < 26; ++t) {
                setze(d, t);
                if (const std::int64_t w = kosten(paarFenster[c]); w < bester) {
                    bester = w;
                    besteC = s;
                    besteD = t;
                }
            }
        }
        k[c] = besteC;
        k[d] = besteD;
        setze(c, besteC);
        setze(d, besteD);
        return bester < vorher;
    }

    const Folge &folge;
    std::vector<std::uint8_t> klartext;
    std::vector<std::vector<std::uint32_t>> glieder; // letters per column
    std::vector<std::vector<std::uint32_t>> fenster; // per column
    std::vector<std::vector<std::uint32_t>> paarFenster; // columns c and c + 1
};

Schluessel kuerzestePeriode(const Schluessel &k)
{
    for (std::size_t p = 1; p < k.size(); ++p) {
        if (k.size() % p != 0)
            continue;
        bool periodisch = true;
        for (std::size_t i = p; i < k.size() && periodisch; ++i)
            periodisch = k[i] == k[i - p];
        if (periodisch)
            return Schluessel(k.begin(), k.begin() + static_cast<std::ptrdiff_t>(p));
    }
    return k;
}

struct Loesung
{
    Schluessel schluessel; // reduced to its shortest period
    bool nurBuchstaben = true;
    std::int64_t kosten = 0; // of the decryption
    double gewertet = 0; // in nats, with the charge per key letter
};

// Restarts from the best key with a third of its letters drawn anew. Few
// letters per column leave their counts to chance, and the climb from them
// ends on a hill that is not the highest; long columns need few.
int neustarts(std::size_t buchstaben, std::size_t laenge, bool gruendlich)
{
    const auto n = static_cast<int>(std::max<std::size_t>(buchstaben, 1));
    const int je = static_cast<int>(laenge) * (gruendlich ? kNeustarts : kNeustarts / 6) / n;
    return std::clamp(je, gruendlich ? 2 : 0, gruendlich ? kHoechstensNeustarts : 6);
}

Loesung loesung(Schluessel k, bool nurBuchstaben, std::int64_t kosten)
{
    k = kuerzestePeriode(k);
    const double gewertet = static_cast<double>(kosten) / intern::kKostenJeNat
        + kJeSchluesselbuchstabe * static_cast<double>(k.size());
    return { std::move(k), nurBuchstaben, kosten, gewertet };
}

// The best key of one length: the climb from `k`; `gruendlich` adds
// restarts, for the lengths still in the race.
Loesung loese(const Folge &f, bool nurBuchstaben, Schluessel k, bool gruendlich)
{
    Suche suche(f, k.size());
    std::int64_t kosten = suche.Klettere(k, false);
    std::mt19937 zufall(static_cast<unsigned>(k.size()));
    for (int r = neustarts(f.buchstaben.size(), k.size(), gruendlich); r > 0; --r) {
        Schluessel neu = k;
        for (std::size_t n = 0; n < (k.size() + 2) / 3; ++n)
            neu[zufall() % k.size()] = static_cast<int>(zufall() % 26);
        if (const std::int64_t w = suche.Klettere(neu, false); w < kosten) {
            kosten = w;
            k = std::move(neu);
        }
    }
    return loesung(std::move(k), nurBuchstaben, kosten);
}

// The ways searched: letters only first, every byte second if it differs.
using Wege = std::vector<const Folge *>;

const Folge &wegVon(const Wege &wege, const Loesung &l)
{
    return *wege[l.nurBuchstaben ? 0 : wege.size() - 1];
}

Schluessel caesarStart(const Folge &f, std::size_t laenge)
{
    Schluessel k;
    for (const Zaehlung &z : spaltenZaehlung(f, laenge))
        k.push_back(intern::BesteVerschiebung(z, summe(z)));
    return k;
}

// Lengths 1..20 in each way, searched briefly; the best few again in depth.
std::vector<Loesung> suche(const Wege &wege)
{
    std::vector<Loesung> alle;
    for (std::size_t w = 0; w < wege.size(); ++w)
        for (std::size_t l = 1; l <= kHoechsterSchluessel; ++l)
            alle.push_back(loese(*wege[w], w == 0, caesarStart(*wege[w], l), false));
    const auto besser = [](const Loesung &a, const Loesung &b) { return a.gewertet < b.gewertet; };
    std::stable_sort(alle.begin(), alle.end(), besser);
    constexpr std::size_t kVertieft = 6, kPaarweise = 2;
    for (std::size_t i = 0; i < std::min(kVertieft, alle.size()); ++i) {
        Loesung tiefer
            = loese(wegVon(wege, alle[i]), alle[i].nurBuchstaben, alle[i].schluessel, true);
        if (tiefer.gewertet < alle[i].gewertet)
            alle[i] = std::move(tiefer);
    }
    std::stable_sort(alle.begin(), alle.end(), besser);
    // Moves of two neighbouring key letters cost 26 times more than moves
    // of one; only the front runners get them, and only where the columns
    // are short enough for a pair to be wrong together.
    for (std::size_t i = 0; i < std::min(kPaarweise, alle.size()); ++i) {
        if (wegVon(wege, alle[i]).buchstaben.size() >= kPaareBis * alle[i].schluessel.size())
            continue;
        Loesung &l = alle[i];
        Suche suche(wegVon(wege, l), l.schluessel.size());
        l = loesung(l.schluessel, l.nurBuchstaben, suche.Klettere(l.schluessel, true));
    }
    std::stable_sort(alle.begin(), alle.end(), besser);
    return alle;
}

std::string alsText(const Schluessel &k)
{
    std::string s;
    for (const int v : k)
        s += static_cast<char>('A' + v);
    return s;
}

std::vector<std::uint8_t> entschluesselt(const Folge &f, const Schluessel &k)
{
    std::vector<std::uint8_t> t = f.symbol;
    for (const std::uint32_t i : f.buchstaben)
        t[i] = klar(f.symbol[i], k[f.zaehler[i] % k.size()]);
    return t;
}

Sicherheit sicherheit(
    const std::vector<Loesung> &loesungen, const Wege &wege, std::size_t buchstaben)
{
    const Loesung &beste = loesungen.front();
    const auto text = entschluesselt(wegVon(wege, beste), beste.schluessel);
    Zaehlung klarZaehlung {};
    for (const std::uint8_t s : text)
        if (s < 26)
            ++klarZaehlung[s];
    // A long key can make the columns of any letters fit; the decryption's
    // letters must be German as a whole too.
    if (buchstaben < kMindestBuchstabenSchluessel
        || !intern::DeutscheVerteilung(intern::ChiQuadrat(klarZaehlung, buchstaben, 0), buchstaben))
        return Sicherheit::unsicher;
    // The nearest rival reads differently; the same key found at a multiple
    // of its length, or in the other way on a text where both agree, is the
    // same claim.
    double abstand = 1e9;
    for (const Loesung &l : loesungen)
        if (entschluesselt(wegVon(wege, l), l.schluessel) != text)
            abstand = std::min(abstand, l.gewertet - beste.gewertet);
    const double jeBuchstabe = abstand / static_cast<double>(buchstaben);
    const double jeSchluesselbuchstabe
        = static_cast<double>(buchstaben) / static_cast<double>(beste.schluessel.size());
    if (jeBuchstabe < kVorsprung || jeSchluesselbuchstabe < kWahrscheinlichJeSchluessel)
        return Sicherheit::unsicher;
    return jeSchluesselbuchstabe >= kSicherJeSchluessel ? Sicherheit::sicher
                                                        : Sicherheit::wahrscheinlich;
}

// The chart: every length's index of coincidence and Kasiski ratio in the
// way the key was found.
void fuelleLaengen(VigenereErgebnis &e, const Folge &f)
{
    const auto teilt = kasiski(f);
    for (std::size_t k = 1; k <= kHoechsteLaenge; ++k) {
        e.laengenKoinzidenz.push_back(
            { static_cast<int>(k), mittlererKoinzidenzindex(spaltenZaehlung(f, k)) });
        // A random distance is divided by k in 1 of k cases.
        const double anteil
            = teilt[1] == 0 ? 0 : static_cast<double>(teilt[k]) / static_cast<double>(teilt[1]);
        e.laengenKasiski.push_back({ static_cast<int>(k), anteil * static_cast<double>(k) });
    }
    e.laengenKoinzidenz = bestZuerst(e.laengenKoinzidenz);
    e.laengenKasiski = bestZuerst(e.laengenKasiski);
}

} // namespace

VigenereErgebnis AnalysiereVigenere(const Text &geheim)
{
    const intern::Symbolfolge probe(geheim, kSuchprobe);
    const Folge nurBuchstaben = folge(probe, true);
    const Folge jedesZeichen = folge(probe, false);
    Wege wege { &nurBuchstaben };
    if (!nurBuchstaben.buchstaben.empty() && !gleichwertig(nurBuchstaben, jedesZeichen))
        wege.push_back(&jedesZeichen);
    VigenereErgebnis e;
    const std::vector<Loesung> loesungen = suche(wege);
    const Loesung &beste = loesungen.front();
    e.schluessel = alsText(beste.schluessel);
    e.sonderzeichenIgnorieren = beste.nurBuchstaben;
    fuelleLaengen(e, folge(intern::Symbolfolge(geheim, kProbe), beste.nurBuchstaben));
    for (const Loesung &l : loesungen) {
        const std::string s = alsText(l.schluessel);
        if (std::none_of(e.schluesselKandidaten.begin(), e.schluesselKandidaten.end(),
                [&](const SchluesselKandidat &k) {
                    return k.schluessel == s && k.sonderzeichenIgnorieren == l.nurBuchstaben;
                }))
            e.schluesselKandidaten.push_back({ s, l.nurBuchstaben,
                intern::ViererMittel(static_cast<double>(l.kosten), probe.symbol.size()),
                intern::ViererMittel(l.gewertet * intern::kKostenJeNat, probe.symbol.size()) });
    }
    e.sicherheit = sicherheit(loesungen, wege, nurBuchstaben.buchstaben.size());
    return e;
}

} // namespace analyse
