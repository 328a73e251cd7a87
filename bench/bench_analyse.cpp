// SPDX-License-Identifier: GPL-3.0-or-later
// Speed and accuracy of the cryptanalysis (analyse/).
//
// Substitution: both searches side by side on the same texts, with the share
// of letters right and the CPU time per text.
//
// Speed: the whole analysis of a Vigenère ciphertext of 300 letters, 1 MiB
// and 16 MiB. Run with
//   --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
// for the median.
//
// Accuracy: German texts that the reference tables were not built from, cut
// at seeded random places into pieces with a given number of letters,
// prepared as users prepare them (as typed, with "Umlaute ersetzen", and with
// "Leerzeichen löschen" too), encrypted with seeded random parameters. The
// texts are the file named by the environment variable ZIFFERON_PRUEFTEXT
// (Windows-1252), meant for the files the 4-gram model held out:
//   python3 analyse/referenz/vierer.py --pruefung > pruefung.txt
//   ZIFFERON_PRUEFTEXT=pruefung.txt bench_analyse
// and without it our own paragraph (bench/deutschtext.h) and the program's
// guide (resources/liesmich.txt). A guess counts as right when it decrypts the
// ciphertext back to the plaintext, so any equivalent answer counts.
// Counters per row: erfolg (share right), sicher (share marked "sicher"),
// sicherFalsch (share marked "sicher" that were wrong), wahrscheinlich
// (share marked so) and wahrscheinlichRichtig (share of those that were
// right).

#include "analyse/analyse.h"
#include "testhilfen/deutschtext.h"

#include <algorithm>
#include <array>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>

using namespace verschl;

namespace {

// Encryptions per row; Caesar is cheap enough to look closer.
constexpr int kVersuche = 200;
constexpr int kCaesarVersuche = 5000;

// The guide lies in the source tree; see bench/CMakeLists.txt. Its worked
// examples ("Hallo Welt  ->  Kdoor Zhow") are ciphertext, not German, and
// are left out.
Text liesmich()
{
    std::ifstream datei(ZIFFERON_LIESMICH, std::ios::binary);
    Text t, zeile;
    while (std::getline(datei, zeile))
        if (zeile.find("->") == Text::npos)
            t += zeile + '\n';
    return t;
}

Text pruefText(const char *pfad)
{
    std::ifstream datei(pfad, std::ios::binary);
    return Text(std::istreambuf_iterator<char>(datei), {});
}

// The held-out text, or our paragraph as it is written (deutschtext builds
// shuffled words from it; here the sentences stay intact) and the guide.
const Text &vorrat()
{
    static const Text t = [] {
        if (const char *pfad = std::getenv("ZIFFERON_PRUEFTEXT"); pfad && *pfad)
            return pruefText(pfad);
        Text absatz;
        for (const Text &w : deutschtext::woerter())
            absatz += w + ' ';
        return absatz + "\r\n" + liesmich();
    }();
    return t;
}

bool istBuchstabe(char c) { return static_cast<unsigned>((c | 0x20) - 'a') < 26; }

// A piece of the source with `buchstaben` letters A-Z, starting at a word.
Text ausschnitt(std::mt19937 &zufall, std::size_t buchstaben)
{
    const Text &v = vorrat();
    std::size_t i = zufall() % v.size();
    while (v[i] != ' ')
        i = (i + 1) % v.size();
    Text t;
    for (std::size_t n = 0; n < buchstaben; i = (i + 1) % v.size()) {
        t += v[i];
        n += istBuchstabe(v[i]);
    }
    return t;
}

// As typed, with the umlauts replaced, and without blanks too; in turn.
Text vorbereitet(Text t, int versuch)
{
    if (versuch % 3 >= 1)
        t = ErsetzeUmlaute(t);
    if (versuch % 3 == 2)
        t = LoescheLeerzeichen(t);
    return t;
}

struct Zaehler
{
    int richtig = 0, sicher = 0, sicherFalsch = 0, wahrscheinlich = 0, wahrscheinlichRichtig = 0;

    void Zaehle(bool stimmt, analyse::Sicherheit s)
    {
        richtig += stimmt;
        sicher += s == analyse::Sicherheit::sicher;
        sicherFalsch += !stimmt && s == analyse::Sicherheit::sicher;
        wahrscheinlich += s == analyse::Sicherheit::wahrscheinlich;
        wahrscheinlichRichtig += stimmt && s == analyse::Sicherheit::wahrscheinlich;
    }

    void Melde(benchmark::State &state, int versuche) const
    {
        state.counters["erfolg"] = richtig / double(versuche);
        state.counters["sicher"] = sicher / double(versuche);
        state.counters["sicherFalsch"] = sicherFalsch / double(versuche);
        state.counters["wahrscheinlich"] = wahrscheinlich / double(versuche);
        state.counters["wahrscheinlichRichtig"]
            = wahrscheinlich == 0 ? 1 : wahrscheinlichRichtig / double(wahrscheinlich);
    }
};

// One row: `versuche` encryptions by `versuch(zufall, nummer, zaehler)`.
template <typename Versuch>
void treffer(benchmark::State &state, Versuch versuch, int versuche = kVersuche)
{
    for (auto _ : state) {
        std::mt19937 zufall(static_cast<unsigned>(state.range(0) * 1000 + state.range(1)));
        Zaehler z;
        for (int i = 0; i < versuche; ++i)
            versuch(zufall, i, z);
        z.Melde(state, versuche);
    }
}

void CaesarTreffer(benchmark::State &state)
{
    treffer(
        state,
        [&state](std::mt19937 &zufall, int i, Zaehler &z) {
            const Text klar = vorbereitet(ausschnitt(zufall, std::size_t(state.range(0))), i);
            const Text geheim = CaesarVerschieben(klar, std::int32_t(zufall() % 26));
            const auto e = analyse::AnalysiereCaesar(geheim, analyse::Zaehle(geheim));
            z.Zaehle(CaesarVerschieben(geheim, 26 - e.verschiebung) == klar, e.sicherheit);
        },
        kCaesarVersuche);
}
BENCHMARK(CaesarTreffer)->ArgsProduct({ { 10, 15, 20, 40 }, { 0 } })->Iterations(1);

// Arguments: letters, key length, 1 for "Sonderzeichen ignorieren".
void VigenereTreffer(benchmark::State &state)
{
    treffer(state, [&state](std::mt19937 &zufall, int i, Zaehler &z) {
        const Text klar = vorbereitet(ausschnitt(zufall, std::size_t(state.range(0))), i);
        Text schluessel;
        for (int k = 0; k < state.range(1); ++k)
            schluessel += char('A' + zufall() % 26);
        const bool ignorieren = state.range(2) == 1;
        const Text geheim = *VigenereVerschluesseln(klar, schluessel, ignorieren);
        const auto e = analyse::AnalysiereVigenere(geheim);
        z.Zaehle(VigenereEntschluesseln(geheim, e.schluessel, e.sonderzeichenIgnorieren) == klar,
            e.sicherheit);
    });
}
BENCHMARK(VigenereTreffer)
    ->ArgsProduct({ { 60, 100, 150 }, { 3, 5, 8, 12, 16 }, { 1, 0 } })
    ->Iterations(1);

Text ohneEndLeerzeichen(Text t)
{
    t.erase(t.find_last_not_of(' ') + 1);
    return t;
}

void MatrixTreffer(benchmark::State &state)
{
    treffer(state, [&state](std::mt19937 &zufall, int i, Zaehler &z) {
        const Text klar
            = ohneEndLeerzeichen(vorbereitet(ausschnitt(zufall, std::size_t(state.range(0))), i));
        const int spalten = int(state.range(1));
        const Text geheim = MatrixVerschluesseln(klar, { true, spalten });
        const auto e = analyse::AnalysiereMatrix(geheim);
        z.Zaehle(MatrixEntschluesseln(geheim, { true, e.spalten }) == klar, e.sicherheit);
    });
}
BENCHMARK(MatrixTreffer)
    ->ArgsProduct({ { 60, 100, 150 }, benchmark::CreateDenseRange(2, 40, 1) })
    ->Iterations(1);

// The square layout that the method window uses by default.
void MatrixQuadratTreffer(benchmark::State &state)
{
    treffer(state, [&state](std::mt19937 &zufall, int i, Zaehler &z) {
        const Text klar
            = ohneEndLeerzeichen(vorbereitet(ausschnitt(zufall, std::size_t(state.range(0))), i));
        const Text geheim = MatrixVerschluesseln(klar, { false, 5 });
        const auto e = analyse::AnalysiereMatrix(geheim);
        z.Zaehle(MatrixEntschluesseln(geheim, { true, e.spalten }) == klar && e.quadratisch,
            e.sicherheit);
    });
}
BENCHMARK(MatrixQuadratTreffer)->ArgsProduct({ { 60, 150, 1000 }, { 0 } })->Iterations(1);

// The whole analysis of a Vigenère ciphertext of state.range(0) bytes.
void Analysiere(benchmark::State &state)
{
    const Text geheim = *VigenereVerschluesseln(
        deutschtext::erzeuge(std::size_t(state.range(0))), "Wolkenturm", true);
    for (auto _ : state) {
        auto e = analyse::Analysiere(geheim);
        benchmark::DoNotOptimize(e);
    }
    state.SetBytesProcessed(std::int64_t(state.iterations() * geheim.size()));
}
BENCHMARK(Analysiere)->Arg(1 << 20)->Arg(16 << 20)->Unit(benchmark::kMillisecond);

// What a class writes at most: 300 letters of the test text.
void Analysiere300Buchstaben(benchmark::State &state)
{
    std::mt19937 zufall(300);
    const Text geheim = *VigenereVerschluesseln(ausschnitt(zufall, 300), "Schulhof", true);
    for (auto _ : state) {
        auto e = analyse::Analysiere(geheim);
        benchmark::DoNotOptimize(e);
    }
}
BENCHMARK(Analysiere300Buchstaben)->Unit(benchmark::kMillisecond);

// The cipher alphabet's decryption of `geheim` in capitals: '?' for a
// letter it names no plain letter for.
Text substituiert(const Text &geheim, const std::string &geheimalphabet)
{
    std::array<char, 26> klar;
    klar.fill('?');
    for (std::size_t p = 0; p < 26; ++p)
        if (geheimalphabet[p] != '?')
            klar[std::size_t(geheimalphabet[p] - 'A')] = char('A' + p);
    Text t = InGrossschrift(geheim);
    for (char &c : t)
        if (c >= 'A' && c <= 'Z')
            c = klar[std::size_t(c - 'A')];
    return t;
}

// Arguments: letters, 1 for blanks kept (as typed, or with the umlauts
// replaced, in turn) and 0 for "Leerzeichen löschen", 1 for the plain search
// of random restarts. Counters besides the confidence: erfolg (share of texts
// decrypted right in every letter), buchstaben (share of letters right) and
// ms (CPU per text).
void SubstitutionTreffer(benchmark::State &state)
{
    constexpr int kSubstitutionsversuche = 100;
    std::size_t buchstaben = 0, richtig = 0;
    treffer(
        state,
        [&](std::mt19937 &zufall, int i, Zaehler &z) {
            Text klar = vorbereitet(ausschnitt(zufall, std::size_t(state.range(0))), i % 2);
            if (state.range(1) == 0)
                klar = LoescheLeerzeichen(klar);
            Text alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
            std::shuffle(alphabet.begin(), alphabet.end(), zufall);
            const Text geheim = *SubstitutionVerschluesseln(klar, alphabet);
            const auto e = analyse::AnalysiereSubstitution(geheim,
                state.range(2) == 1 ? analyse::Suchart::Neustarts : analyse::Suchart::Verfeinert);
            const Text gefunden = substituiert(geheim, e.geheimalphabet);
            const Text soll = InGrossschrift(klar);
            for (std::size_t k = 0; k < soll.size(); ++k)
                if (soll[k] >= 'A' && soll[k] <= 'Z') {
                    ++buchstaben;
                    richtig += gefunden[k] == soll[k];
                }
            z.Zaehle(gefunden == soll, e.sicherheit);
        },
        kSubstitutionsversuche);
    state.counters["buchstaben"] = double(richtig) / double(buchstaben);
    state.counters["ms"] = benchmark::Counter(
        kSubstitutionsversuche / 1000.0, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(SubstitutionTreffer)
    ->ArgsProduct({ { 60, 100, 150, 300 }, { 1, 0 }, { 0, 1 } })
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
