// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of every cipher engine function on a 64 MiB German text.
//
// The text (bench/deutschtext.h) is built once. Each benchmark
// turns the whole text into a new Text per iteration; bytes per second
// count the input bytes.
//
// Two baselines run in the same program:
//   Kopie    - a copy of the text into a new Text (memcpy), the least work a
//              function returning a new Text can do;
//   Tabelle  - a 256-entry table lookup per byte into a new Text (rot13 as
//              `tr A-Za-z N-ZA-Mn-za-m` does it), written with the engine's
//              own output strategy (an L1 buffer appended to the result) so
//              that only the per-byte work differs.
// After the usual output a summary lists the median of every benchmark with
// its ratio to both baselines. Run with
//   --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

#include "cipher/verschl.h"
#include "testhilfen/deutschtext.h"

#include <algorithm>
#include <array>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <random>
#include <vector>

using namespace verschl;
using intern::Rechenweg;

namespace {

constexpr std::size_t kGroesse = std::size_t { 64 } << 20;

const Text &text()
{
    static const Text t = deutschtext::erzeuge(kGroesse);
    return t;
}

const Text kSchluessel = "Wolkenturm";
const Spaltenwahl kAutomatisch { false, 5 };
const Spaltenwahl kFuenfSpalten { true, 5 };

// Runs f(input) per iteration; the input is built before the timing starts.
template <typename Eingabe, typename F> void miss(benchmark::State &state, Eingabe eingabe, F f)
{
    const Text &ein = eingabe();
    for (auto _ : state) {
        auto aus = f(ein);
        benchmark::DoNotOptimize(aus);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * ein.size()));
}

// Ciphertexts for the decryption benchmarks, each built once.
const Text &matrixChiffreAuto()
{
    static const Text t = MatrixVerschluesseln(text(), kAutomatisch);
    return t;
}

const Text &matrixChiffreFuenf()
{
    static const Text t = MatrixVerschluesseln(text(), kFuenfSpalten);
    return t;
}

template <bool Ignorieren> const Text &vigenereChiffre()
{
    static const Text t = VigenereVerschluesseln(text(), kSchluessel, Ignorieren).value();
    return t;
}

// --- Baselines ---------------------------------------------------------------

Text kopie(const Text &t) { return Text(t); }

Text tabelle(const Text &t)
{
    static const auto tab = [] {
        std::array<unsigned char, 256> a {};
        for (int b = 0; b < 256; ++b) {
            int r = b;
            if (b >= 'a' && b <= 'z')
                r = 'a' + (b - 'a' + 13) % 26;
            else if (b >= 'A' && b <= 'Z')
                r = 'A' + (b - 'A' + 13) % 26;
            a[static_cast<std::size_t>(b)] = static_cast<unsigned char>(r);
        }
        return a;
    }();
    constexpr std::size_t kBlock = 4096;
    Text aus;
    aus.reserve(t.size());
    unsigned char puffer[kBlock];
    const auto *q = reinterpret_cast<const unsigned char *>(t.data());
    for (std::size_t pos = 0; pos < t.size(); pos += kBlock) {
        const std::size_t n = std::min(kBlock, t.size() - pos);
        for (std::size_t i = 0; i < n; ++i)
            puffer[i] = tab[q[pos + i]];
        aus.append(reinterpret_cast<const char *>(puffer), n);
    }
    return aus;
}

// --- Registration ----------------------------------------------------------

template <typename Eingabe, typename F> void registriere(const char *name, Eingabe eingabe, F f)
{
    benchmark::RegisterBenchmark(name, [=](benchmark::State &s) { miss(s, eingabe, f); })
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
}

void registriereAlle()
{
    const auto klar = []() -> const Text & { return text(); };
    registriere("Kopie", klar, kopie);
    registriere("Tabelle", klar, tabelle);

    registriere("ErsetzeUmlaute", klar, ErsetzeUmlaute);
    registriere("InKleinschrift", klar, InKleinschrift);
    registriere("InGrossschrift", klar, InGrossschrift);
    registriere("LoescheLeerzeichen", klar, LoescheLeerzeichen);

    registriere(
        "CaesarVerschieben/+3", klar, [](const Text &t) { return CaesarVerschieben(t, 3); });
    registriere(
        "CaesarVerschieben/-3", klar, [](const Text &t) { return CaesarVerschieben(t, -3); });
    registriere("Rot13", klar, Rot13);
    registriere("Rot128", klar, Rot128);

    for (Rechenweg w : { Rechenweg::Schnellster, Rechenweg::Portabel }) {
        const bool p = w == Rechenweg::Portabel;
        registriere(p ? "MatrixVerschluesseln/auto/portabel" : "MatrixVerschluesseln/auto", klar,
            [w](const Text &t) { return intern::MatrixVerschluesseln(t, kAutomatisch, w); });
        registriere(p ? "MatrixEntschluesseln/auto/portabel" : "MatrixEntschluesseln/auto",
            matrixChiffreAuto,
            [w](const Text &t) { return intern::MatrixEntschluesseln(t, kAutomatisch, w); });
    }
    registriere("MatrixVerschluesseln/5", klar,
        [](const Text &t) { return MatrixVerschluesseln(t, kFuenfSpalten); });
    registriere("MatrixEntschluesseln/5", matrixChiffreFuenf,
        [](const Text &t) { return MatrixEntschluesseln(t, kFuenfSpalten); });

    for (Rechenweg w : { Rechenweg::Schnellster, Rechenweg::Portabel }) {
        const bool p = w == Rechenweg::Portabel;
        registriere(p ? "VigenereVerschluesseln/false/portabel" : "VigenereVerschluesseln/false",
            klar, [w](const Text &t) {
                return intern::VigenereVerschluesseln(t, kSchluessel, false, w);
            });
        registriere(p ? "VigenereEntschluesseln/false/portabel" : "VigenereEntschluesseln/false",
            vigenereChiffre<false>, [w](const Text &t) {
                return intern::VigenereEntschluesseln(t, kSchluessel, false, w);
            });
        registriere(p ? "VigenereVerschluesseln/true/portabel" : "VigenereVerschluesseln/true",
            klar,
            [w](const Text &t) { return intern::VigenereVerschluesseln(t, kSchluessel, true, w); });
        registriere(p ? "VigenereEntschluesseln/true/portabel" : "VigenereEntschluesseln/true",
            vigenereChiffre<true>,
            [w](const Text &t) { return intern::VigenereEntschluesseln(t, kSchluessel, true, w); });
    }
}

// --- Summary ---------------------------------------------------------------

// The console output plus, at the end, one table of medians (or of single
// runs without repetitions) with the ratios to both baselines.
class Zusammenfassung : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &r : runs) {
            const bool median = r.run_type == Run::RT_Aggregate && r.aggregate_name == "median";
            if (median || r.run_type == Run::RT_Iteration) {
                const std::string name = r.run_name.function_name;
                if (ms_.find(name) == ms_.end())
                    reihenfolge_.push_back(name);
                ms_[name] = r.GetAdjustedRealTime(); // Unit is milliseconds
                const auto rate = r.counters.find("bytes_per_second");
                mibs_[name] = rate == r.counters.end() ? 0 : rate->second.value / 1048576.0;
            }
        }
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        const double kopie = ms_.count("Kopie") ? ms_["Kopie"] : 0;
        const double tabelle = ms_.count("Tabelle") ? ms_["Tabelle"] : 0;
        std::printf("\nMedians, 64 MiB input (MiB/s = 2^20 bytes per second; "
                    "ratio = time / baseline time, lower is faster)\n");
        std::printf(
            "%-40s %10s %10s %9s %9s\n", "benchmark", "ms", "MiB/s", "x Kopie", "x Tabelle");
        for (const std::string &name : reihenfolge_) {
            const double ms = ms_[name];
            std::printf("%-40s %10.2f %10.1f %9.2f %9.2f\n", name.c_str(), ms, mibs_[name],
                kopie > 0 ? ms / kopie : 0.0, tabelle > 0 ? ms / tabelle : 0.0);
        }
    }

private:
    std::map<std::string, double> ms_, mibs_;
    std::vector<std::string> reihenfolge_;
};

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    registriereAlle();
    Zusammenfassung bericht;
    benchmark::RunSpecifiedBenchmarks(&bericht);
    benchmark::Shutdown();
    return 0;
}
