// Vigenère: the key length from the columns' index of coincidence and from
// repeated trigrams, each column solved as a Caesar shift and then improved
// by German letter pairs, in both ways of counting key positions.

#include "intern.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace analyse {

namespace {

using intern::Zaehlung;

constexpr std::size_t kHoechsteLaenge = 30;

// Letters taken into account. The key repeats, so a prefix of this many
// letters (over 260 per column at the longest key) decides as the whole text
// would, and a 64 MiB text costs no more than a short one.
constexpr std::size_t kProbe = 8000;

// Two scores this close on the Deutschgrad scale count as equal, and the
// shorter key wins: a multiple of the true length fits the columns just as
// well, and its smaller columns fit the letter counts even better by chance.
constexpr double kGleichwertig = 0.1;

// The ciphertext's letters in order, each with the key position counter it
// used: its letter number when only letters use up key positions, its byte
// position when every byte does.
struct Folge
{
    std::vector<std::uint8_t> buchstabe;
    std::vector<std::size_t> stelle;
};

Folge folge(const Text &geheim, bool nurBuchstaben)
{
    Folge f;
    for (std::size_t i = 0; i < geheim.size() && f.buchstabe.size() < kProbe; ++i)
        if (const int b = intern::BuchstabenIndex(static_cast<unsigned char>(geheim[i])); b >= 0) {
            f.stelle.push_back(nurBuchstaben ? f.buchstabe.size() : i);
            f.buchstabe.push_back(static_cast<std::uint8_t>(b));
        }
    return f;
}

using Schluessel = std::vector<int>; // shifts 0..25

int klar(int geheim, int schiebung) { return (geheim + 26 - schiebung) % 26; }

double paarWert(const Folge &f, const Schluessel &k)
{
    intern::PaarSumme paare;
    for (std::size_t j = 0; j < f.buchstabe.size(); ++j)
        paare.Buchstabe(klar(f.buchstabe[j], k[f.stelle[j] % k.size()]));
    return paare.Mittel();
}

Zaehlung klarZaehlung(const Folge &f, const Schluessel &k)
{
    Zaehlung z {};
    for (std::size_t j = 0; j < f.buchstabe.size(); ++j)
        ++z[static_cast<std::size_t>(klar(f.buchstabe[j], k[f.stelle[j] % k.size()]))];
    return z;
}

std::vector<Zaehlung> spaltenZaehlung(const Folge &f, std::size_t laenge)
{
    std::vector<Zaehlung> spalten(laenge);
    for (std::size_t j = 0; j < f.buchstabe.size(); ++j)
        ++spalten[f.stelle[j] % laenge][f.buchstabe[j]];
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
    for (std::size_t j = 2; j < f.buchstabe.size(); ++j) {
        const std::size_t tri
            = (f.buchstabe[j - 2] * 26u + f.buchstabe[j - 1]) * 26u + f.buchstabe[j];
        if (zuletzt[tri] != SIZE_MAX) {
            const std::size_t abstand = f.stelle[j] - zuletzt[tri];
            for (std::size_t k = 1; k <= kHoechsteLaenge; ++k)
                teilt[k] += abstand % k == 0;
        }
        zuletzt[tri] = f.stelle[j];
    }
    return teilt;
}

// Coordinate ascent on the pair score: each column in turn takes the shift
// that makes its letters fit best between their (fixed) neighbours. The
// columns' letter counts alone leave short columns to chance; the pairs
// bind each column to the next.
void verfeinere(const Folge &f, Schluessel &k)
{
    const std::size_t n = f.buchstabe.size();
    std::vector<std::size_t> spalte(n);
    std::vector<std::vector<std::size_t>> glieder(k.size());
    std::vector<int> d(n);
    for (std::size_t j = 0; j < n; ++j) {
        spalte[j] = f.stelle[j] % k.size();
        glieder[spalte[j]].push_back(j);
        d[j] = klar(f.buchstabe[j], k[spalte[j]]);
    }
    for (int runde = 0; runde < 3; ++runde)
        for (std::size_t c = 0; c < k.size(); ++c) {
            double bester = 0;
            for (int s = 0; s < 26; ++s) {
                double w = 0;
                for (const std::size_t j : glieder[c]) {
                    const int neu = klar(f.buchstabe[j], s);
                    if (j > 0)
                        w += DeutschesPaar(
                            spalte[j - 1] == c ? klar(f.buchstabe[j - 1], s) : d[j - 1], neu);
                    if (j + 1 < n && spalte[j + 1] != c)
                        w += DeutschesPaar(neu, d[j + 1]);
                }
                if (s == 0 || w > bester) {
                    bester = w;
                    k[c] = s;
                }
            }
            for (const std::size_t j : glieder[c])
                d[j] = klar(f.buchstabe[j], k[c]);
        }
}

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
    Schluessel schluessel;
    double wert = 0; // pair score of the decryption
    // The pair score less what the key's letters could have bought by
    // chance: each is a free choice of 26 (ln 26 nats) spread over the
    // pairs. Without it a key of 27 letters makes 100 letters of anything
    // read like German, four letters per free choice.
    double gewertet = 0;
};

Loesung loese(const Folge &f, const std::vector<Zaehlung> &spalten)
{
    Schluessel k;
    for (const Zaehlung &z : spalten)
        k.push_back(intern::BesteVerschiebung(z, summe(z)));
    verfeinere(f, k);
    k = kuerzestePeriode(k);
    const double wert = paarWert(f, k);
    const auto paare = static_cast<double>(std::max<std::size_t>(f.buchstabe.size(), 2) - 1);
    return { k, wert, wert - static_cast<double>(k.size()) * std::log(26.0) / paare };
}

// Everything found for one way of counting key positions.
struct Weg
{
    std::vector<Kandidat> koinzidenz, kasiski;
    std::vector<Loesung> loesungen; // best first, the chosen one in front
};

std::vector<Kandidat> bestZuerst(std::vector<Kandidat> liste)
{
    std::stable_sort(liste.begin(), liste.end(),
        [](const Kandidat &a, const Kandidat &b) { return a.punkte > b.punkte; });
    return liste;
}

// The lengths worth solving in full: the best few by the pair score of the
// plain column-by-column solution, and the front runners of both statistics.
std::vector<std::size_t> auswahl(const Weg &w, const std::vector<Kandidat> &roh)
{
    std::vector<std::size_t> laengen;
    for (std::size_t i = 0; i < std::min<std::size_t>(6, roh.size()); ++i)
        laengen.push_back(static_cast<std::size_t>(roh[i].wert));
    // Smallest length whose coincidence is close to the best one's.
    const double ic = w.koinzidenz.front().punkte;
    std::size_t kleinste = kHoechsteLaenge;
    for (const Kandidat &c : w.koinzidenz)
        if (c.punkte >= 0.9 * ic)
            kleinste = std::min(kleinste, static_cast<std::size_t>(c.wert));
    laengen.push_back(kleinste);
    if (w.kasiski.front().punkte > 1)
        laengen.push_back(static_cast<std::size_t>(w.kasiski.front().wert));
    std::sort(laengen.begin(), laengen.end());
    laengen.erase(std::unique(laengen.begin(), laengen.end()), laengen.end());
    return laengen;
}

Weg untersuche(const Folge &f)
{
    Weg w;
    std::vector<Kandidat> roh;
    std::vector<std::vector<Zaehlung>> alleSpalten(kHoechsteLaenge + 1);
    const auto teilt = kasiski(f);
    for (std::size_t k = 1; k <= kHoechsteLaenge; ++k) {
        alleSpalten[k] = spaltenZaehlung(f, k);
        w.koinzidenz.push_back({ static_cast<int>(k), mittlererKoinzidenzindex(alleSpalten[k]) });
        // A random distance is divided by k in 1 of k cases.
        const double anteil
            = teilt[1] == 0 ? 0 : static_cast<double>(teilt[k]) / static_cast<double>(teilt[1]);
        w.kasiski.push_back({ static_cast<int>(k), anteil * static_cast<double>(k) });
        Schluessel k0;
        for (const Zaehlung &z : alleSpalten[k])
            k0.push_back(intern::BesteVerschiebung(z, summe(z)));
        roh.push_back({ static_cast<int>(k), paarWert(f, k0) });
    }
    w.koinzidenz = bestZuerst(w.koinzidenz);
    w.kasiski = bestZuerst(w.kasiski);
    for (const std::size_t k : auswahl(w, bestZuerst(roh)))
        w.loesungen.push_back(loese(f, alleSpalten[k]));
    std::stable_sort(w.loesungen.begin(), w.loesungen.end(),
        [](const Loesung &a, const Loesung &b) { return a.gewertet > b.gewertet; });
    // Among the solutions as good as the best, the shortest key.
    const double best = intern::Deutschgrad(w.loesungen.front().gewertet);
    auto gewaehlt = w.loesungen.begin();
    for (auto it = w.loesungen.begin(); it != w.loesungen.end(); ++it)
        if (intern::Deutschgrad(it->gewertet) >= best - kGleichwertig
            && it->schluessel.size() < gewaehlt->schluessel.size())
            gewaehlt = it;
    std::rotate(w.loesungen.begin(), gewaehlt, gewaehlt + 1);
    return w;
}

std::string alsText(const Schluessel &k)
{
    std::string s;
    for (const int v : k)
        s += static_cast<char>('A' + v);
    return s;
}

Sicherheit sicherheit(const Weg &w, const Folge &f)
{
    const Schluessel &k = w.loesungen.front().schluessel;
    const std::size_t buchstaben = f.buchstabe.size();
    // A long key can make the columns of any letters fit pairs; the
    // decryption's letters must be German as a whole too.
    if (buchstaben < kMindestBuchstaben
        || !intern::DeutscheVerteilung(
            intern::ChiQuadrat(klarZaehlung(f, k), buchstaben, 0), buchstaben))
        return Sicherheit::unsicher;
    const double q = intern::Deutschgrad(w.loesungen.front().wert);
    // The nearest rival is a solution of another period; a longer key that
    // repeats this one's length is the same claim with a column gone astray.
    double rivale = -10;
    for (const Loesung &l : w.loesungen)
        if (l.schluessel.size() % k.size() != 0)
            rivale = std::max(rivale, intern::Deutschgrad(l.wert));
    const std::size_t jeSpalte = buchstaben / k.size();
    if (q >= 0.7 && q - rivale >= 0.5 && jeSpalte >= 20)
        return Sicherheit::sicher;
    return q >= 0.2 && jeSpalte >= 5 ? Sicherheit::wahrscheinlich : Sicherheit::unsicher;
}

} // namespace

VigenereErgebnis AnalysiereVigenere(const Text &geheim)
{
    const Folge nurBuchstaben = folge(geheim, true);
    const Folge jedesZeichen = folge(geheim, false);
    Weg w = untersuche(nurBuchstaben);
    VigenereErgebnis e;
    // Both ways count alike unless a non-letter lies among the letters; on
    // a tie the letters-only count stands, the method window's default.
    if (jedesZeichen.stelle != nurBuchstaben.stelle) {
        Weg andere = untersuche(jedesZeichen);
        if (intern::Deutschgrad(andere.loesungen.front().gewertet)
            > intern::Deutschgrad(w.loesungen.front().gewertet) + kGleichwertig) {
            w = std::move(andere);
            e.sonderzeichenIgnorieren = false;
        }
    }
    e.laengenKoinzidenz = w.koinzidenz;
    e.laengenKasiski = w.kasiski;
    e.schluessel = alsText(w.loesungen.front().schluessel);
    for (const Loesung &l : w.loesungen) {
        const std::string s = alsText(l.schluessel);
        if (std::none_of(e.schluesselKandidaten.begin(), e.schluesselKandidaten.end(),
                [&s](const auto &k) { return k.first == s; }))
            e.schluesselKandidaten.emplace_back(s, l.wert);
    }
    e.sicherheit = sicherheit(w, e.sonderzeichenIgnorieren ? nurBuchstaben : jedesZeichen);
    return e;
}

} // namespace analyse
