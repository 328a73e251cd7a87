// SPDX-License-Identifier: GPL-3.0-or-later
// The analysis window on the largest text a pane opens: 64 MiB of German,
// encrypted with Vigenère.
//
// Werte: the worker's whole evaluation, previews included.
// Fenster: what the user feels. "Oeffnen_ms" is the constructor, which reads
// the pane on the interface thread before the worker starts; "Sperre_ms" is
// the longest the event loop then stood still until the result was shown
// (the gap between two ticks of a 10 ms timer, less the 10 ms).

#include "analysefenster/analysefenster.h"
#include "bausteine/textpane.h"
#include "bench/qtbenchmark.h"
#include "platform/registry.h"
#include "programm/programm.h"
#include "testhilfen/deutschtext.h"
#include "testhilfen/stilledialoge.h"

#include <benchmark/benchmark.h>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>

namespace {

constexpr std::size_t kGroesse = std::size_t { 64 } << 20;

const verschl::Text &geheim()
{
    static const verschl::Text t
        = *verschl::VigenereVerschluesseln(deutschtext::erzeuge(kGroesse), "SCHULE", true);
    return t;
}

void Werte(benchmark::State &state)
{
    const std::atomic<bool> nie { false };
    for (auto _ : state)
        benchmark::DoNotOptimize(auswertung::Werte(geheim(), nie));
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kGroesse));
}
BENCHMARK(Werte)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

// The longest stall of the event loop while `fenster` analyses.
qint64 laengsteSperre(const TAnalyseForm &fenster)
{
    constexpr int kTakt = 10;
    QEventLoop schleife;
    QElapsedTimer uhr;
    qint64 letzter = 0;
    qint64 sperre = 0;
    QTimer takt;
    QObject::connect(&takt, &QTimer::timeout, &schleife, [&] {
        const qint64 jetzt = uhr.elapsed();
        sperre = std::max(sperre, jetzt - letzter - kTakt);
        letzter = jetzt;
        if (!fenster.Laeuft())
            schleife.quit();
    });
    uhr.start();
    takt.start(kTakt);
    schleife.exec();
    return sperre;
}

void Fenster(benchmark::State &state)
{
    QTemporaryDir ordner;
    registry::setzeWurzelordner(registry::Wurzel::AktuellerBenutzer, ordner.path());
    registry::setzeWurzelordner(registry::Wurzel::LokaleMaschine, ordner.path());
    StilleDialoge dialoge;
    Programm programm { dialoge, {} };
    programm.haupt.findChild<TextPane *>(QStringLiteral("MChiffre"))->setText(geheim());
    for (auto _ : state) {
        QElapsedTimer uhr;
        uhr.start();
        TAnalyseForm fenster(programm.haupt, programm.option);
        state.counters["Oeffnen_ms"] = double(uhr.elapsed());
        fenster.show();
        state.counters["Sperre_ms"] = double(laengsteSperre(fenster));
    }
}
BENCHMARK(Fenster)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

} // namespace

int main(int argc, char **argv) { return QtBenchmarkMain(argc, argv); }
