// SPDX-License-Identifier: GPL-3.0-or-later
// The matrix demonstration on a long text: "Matrix aktualisieren" for a text
// of 10,000 characters (a square matrix of 100 x 100 cells), the handler
// alone and with the grid painted afterwards, as the user sees it. Each
// iteration starts from the empty design, as after "Löschen (beides)".
// Aktualisieren_Speicher: one update of 8 MiB in a freshly opened window.

#include "bench/demoumgebung.h"
#include "bench/qtbenchmark.h"
#include "demos/matrixdemo.h"
#include "demos/stringaligngrid.h"
#include "demos/textfeld.h"

#include <benchmark/benchmark.h>
#include <chrono>

using namespace Qt::StringLiterals;

namespace {

using Umgebung = Demoumgebung<TMatrixDemoForm>;

// Both grids emptied, and a new plaintext of n bytes in the window's field.
void neuerKlartext(Umgebung &u, std::size_t n)
{
    u.demo->BLoeschenClick();
    u.demo->findChild<Textfeld *>(u"MKlartext"_s)->setText(deutschtext::erzeuge(n));
}

void Aktualisieren(benchmark::State &state)
{
    Umgebung u(std::size_t(state.range(0)), &THauptform::MatrixVerschlsselung1Click);
    for (auto _ : state) {
        state.PauseTiming();
        neuerKlartext(u, std::size_t(state.range(0)));
        state.ResumeTiming();
        u.demo->BAktualisierenClick();
    }
}

void Aktualisieren_und_Malen(benchmark::State &state)
{
    Umgebung u(std::size_t(state.range(0)), &THauptform::MatrixVerschlsselung1Click);
    for (auto _ : state) {
        state.PauseTiming();
        neuerKlartext(u, std::size_t(state.range(0)));
        QApplication::processEvents();
        state.ResumeTiming();
        u.demo->BAktualisierenClick();
        u.demo->findChild<TStringAlignGrid *>(u"SAGrid"_s)->Repaint();
    }
}

} // namespace

// One update of a long text as the user clicks it after opening, with what
// the grid keeps: "Bytes_pro_Zeichen" is the heap's growth over the update
// divided by the text's length.
void Aktualisieren_Speicher(benchmark::State &state)
{
    const auto laenge = std::size_t(state.range(0));
    for (auto _ : state) {
        Umgebung u(laenge, &THauptform::MatrixVerschlsselung1Click);
        const double vorher = HeapInGebrauch();
        const auto anfang = std::chrono::steady_clock::now();
        u.demo->BAktualisierenClick();
        const std::chrono::duration<double> dauer = std::chrono::steady_clock::now() - anfang;
        state.SetIterationTime(dauer.count());
        state.counters["Bytes_pro_Zeichen"] = (HeapInGebrauch() - vorher) / double(laenge);
    }
}

BENCHMARK(Aktualisieren)->Arg(10000)->Unit(benchmark::kMillisecond)->Repetitions(10);
BENCHMARK(Aktualisieren_und_Malen)->Arg(10000)->Unit(benchmark::kMillisecond)->Repetitions(10);
BENCHMARK(Aktualisieren_Speicher)
    ->Arg(8 << 20)
    ->Iterations(1)
    ->Repetitions(3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

int main(int argc, char **argv) { return QtBenchmarkMain(argc, argv); }
