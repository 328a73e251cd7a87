// Speed of every cipher engine function on a 64 MiB German text.
//
// The text is built once, deterministically: words of a German paragraph
// (Windows-1252, with umlauts and ß) drawn with a fixed seed into lines of
// about 70 bytes joined by CR LF, cut to exactly 64 MiB. Each benchmark
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

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <map>
#include <random>
#include <vector>

using namespace verschl;
using intern::Rechenweg;

namespace {

constexpr std::size_t kGroesse = std::size_t { 64 } << 20;

// Written in UTF-8 for readability; umlauts, ß and è are turned into their
// Windows-1252 bytes below (all of them are two-byte sequences C3 xx).
const char kAbsatz[]
    = "Über den Hügeln zog am frühen Morgen ein kühler Wind, und die Bäume am Straßenrand "
      "ließen ihre Blätter fallen. Die Schülerinnen und Schüler der achten Klasse saßen im "
      "Informatikraum und übten das Verschlüsseln von Nachrichten. Frau Müller erklärte zuerst "
      "die Verschiebung nach Caesar: Jeder Buchstabe wird um eine feste Anzahl von Stellen im "
      "Alphabet weitergerückt, und wer den Schlüssel kennt, kann die Nachricht mühelos "
      "zurückverwandeln. Danach folgte die Matrix, bei der die Zeichen zeilenweise in ein "
      "Rechteck geschrieben und spaltenweise wieder ausgelesen werden. Größere Schwierigkeiten "
      "bereitete das Verfahren von Vigenère, denn hier ändert sich die Verschiebung mit jedem "
      "Buchstaben des Schlüsselworts. Jörg fragte, ob man ein solches Verfahren überhaupt "
      "knacken könne, und Frau Müller lächelte: Mit genügend Geduld und etwas Statistik gelingt "
      "es häufig, die Länge des Schlüssels zu bestimmen. Die Häufigkeit der Buchstaben verrät "
      "viel über die Sprache, denn im Deutschen ist das E der häufigste Buchstabe, gefolgt von "
      "N, I, S und R. Ältere Verfahren wurden schon im Mittelalter gebrochen, während moderne "
      "Methoden auf mathematischen Problemen beruhen, die selbst schnelle Rechner nicht in "
      "vernünftiger Zeit lösen können. Nach der Pause schrieb jede Gruppe einen kurzen Text über "
      "ihre Heimatstadt, verschlüsselte ihn und tauschte ihn mit der Nachbargruppe aus. Ümit "
      "entschlüsselte als Erster die Botschaft über den Fußballverein, Özlem fand den Schlüssel "
      "der zweiten Gruppe durch geschicktes Raten. Am Ende der Stunde waren sich alle einig, "
      "dass Geheimschriften spannender sind als gedacht, und dass man Passwörter niemals auf "
      "einen Zettel unter der Tastatur schreiben sollte. 1234 Äpfel, 56 Öfen & 7 Übungen!";

std::vector<Text> woerter()
{
    std::vector<Text> w(1);
    for (std::size_t i = 0; kAbsatz[i] != '\0'; ++i) {
        auto c = static_cast<unsigned char>(kAbsatz[i]);
        if (c == 0xC3)
            c = static_cast<unsigned char>(static_cast<unsigned char>(kAbsatz[++i]) + 0x40);
        if (c == ' ')
            w.emplace_back();
        else
            w.back() += static_cast<char>(c);
    }
    return w;
}

Text baueText()
{
    const std::vector<Text> w = woerter();
    std::mt19937 gen(1252);
    Text t;
    t.reserve(kGroesse + 256);
    std::size_t zeilenAnfang = 0;
    while (t.size() < kGroesse) {
        t += w[gen() % w.size()];
        if (t.size() - zeilenAnfang >= 70) {
            t += "\r\n";
            zeilenAnfang = t.size();
        } else {
            t += ' ';
        }
    }
    t.resize(kGroesse);
    return t;
}

const Text &text()
{
    static const Text t = baueText();
    return t;
}

const Text kSchluessel = "Wolkenturm";
const Spaltenwahl kAutomatisch { false, 5 };
const Spaltenwahl kFuenfSpalten { true, 5 };

// Runs f(input) per iteration; the input is built before the timing starts.
template <typename Eingabe, typename F>
void miss(benchmark::State &state, Eingabe eingabe, F f)
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

template <bool Ignorieren>
const Text &vigenereChiffre()
{
    static const Text t = VigenereVerschluesseln(text(), kSchluessel, Ignorieren).value();
    return t;
}

// --- Baselines ---------------------------------------------------------------

Text kopie(const Text &t)
{
    return Text(t);
}

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

template <typename Eingabe, typename F>
void registriere(const char *name, Eingabe eingabe, F f)
{
    benchmark::RegisterBenchmark(name, [=](benchmark::State &s) { miss(s, eingabe, f); })
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
}

void registriereAlle()
{
    const auto klar = [] () -> const Text & { return text(); };
    registriere("Kopie", klar, kopie);
    registriere("Tabelle", klar, tabelle);

    registriere("ErsetzeUmlaute", klar, ErsetzeUmlaute);
    registriere("InKleinschrift", klar, InKleinschrift);
    registriere("InGrossschrift", klar, InGrossschrift);
    registriere("LoescheLeerzeichen", klar, LoescheLeerzeichen);

    registriere("CaesarVerschieben/+3", klar, [](const Text &t) { return CaesarVerschieben(t, 3); });
    registriere("CaesarVerschieben/-3", klar, [](const Text &t) { return CaesarVerschieben(t, -3); });
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
                    klar, [w](const Text &t) {
                        return intern::VigenereVerschluesseln(t, kSchluessel, true, w);
                    });
        registriere(p ? "VigenereEntschluesseln/true/portabel" : "VigenereEntschluesseln/true",
                    vigenereChiffre<true>, [w](const Text &t) {
                        return intern::VigenereEntschluesseln(t, kSchluessel, true, w);
                    });
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
        std::printf("%-40s %10s %10s %9s %9s\n", "benchmark", "ms", "MiB/s", "x Kopie",
                    "x Tabelle");
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
