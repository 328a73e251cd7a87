// SPDX-License-Identifier: GPL-3.0-or-later
// What a demonstration's running light costs: the pause between two steps
// and the repaint of the grid before each pause.
//
// Warte/<ms>: how much longer than asked a wait lasts (counters
// "Ueberschuss_Median_ms" and "Ueberschuss_Max_ms") and the process's CPU
// time during the waits as a share of the wall time ("CPU_Prozent"); the
// demonstrations wait 150 ms by default and Min ms at the fastest setting.
//
// Repaint_Vigenere: one Repaint() of the 26 x 26 table without grid lines,
// column 0 and row 0 bold, one row and one column marked, one cell inverse.
//
// Caesar_Schritt, Vigenere_Schritt: one "Buchstaben verschlüsseln" without
// the running light on a text of 8 MiB, after the first step (which fills
// the result field once).

#include "bench/demoumgebung.h"
#include "bench/qtbenchmark.h"
#include "demos/caesardemo.h"
#include "demos/stringaligngrid.h"
#include "demos/vmatrix.h"
#include "demos/warte.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <QCheckBox>
#include <QPushButton>
#include <sys/resource.h>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

double cpuSekunden()
{
    rusage nutzung {};
    getrusage(RUSAGE_SELF, &nutzung);
    const auto sek = [](const timeval &t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return sek(nutzung.ru_utime) + sek(nutzung.ru_stime);
}

void WarteBench(benchmark::State &state)
{
    const int ms = int(state.range(0));
    std::vector<double> ueberschuss;
    double cpu = 0, wand = 0;
    for (auto _ : state) {
        const double cpuVorher = cpuSekunden();
        const auto vorher = std::chrono::steady_clock::now();
        Warte(ms);
        const std::chrono::duration<double, std::milli> dauer
            = std::chrono::steady_clock::now() - vorher;
        cpu += cpuSekunden() - cpuVorher;
        wand += dauer.count() / 1000.0;
        ueberschuss.push_back(dauer.count() - ms);
    }
    std::sort(ueberschuss.begin(), ueberschuss.end());
    state.counters["Ueberschuss_Median_ms"] = ueberschuss[ueberschuss.size() / 2];
    state.counters["Ueberschuss_Max_ms"] = ueberschuss.back();
    state.counters["CPU_Prozent"] = wand > 0 ? 100.0 * cpu / wand : 0.0;
}

void Repaint_Vigenere(benchmark::State &state)
{
    TStringAlignGrid grid;
    grid.setColCount(26);
    grid.setRowCount(26);
    grid.setGridLineWidth(0);
    grid.resize(499, 499);
    for (int r = 0; r < 26; ++r)
        for (int c = 0; c < 26; ++c)
            grid.setCells(c, r, verschl::Text(1, char('A' + (r + c) % 26)));
    grid.ColFont(0).setStyle(TMyFont::Fett);
    grid.RowFont(0).setStyle(TMyFont::Fett);
    grid.ColBrush(7).setColor(Markierungsfarbe());
    grid.ColFont(7).setColor(Markierungsschrift());
    grid.RowBrush(11).setColor(Markierungsfarbe());
    grid.RowFont(11).setColor(Markierungsschrift());
    grid.CellFont(7, 11).setColor(Markierungsfarbe());
    grid.CellBrush(7, 11).setColor(Markierungsschrift());
    grid.show();
    QApplication::processEvents();
    for (auto _ : state)
        grid.Repaint();
}

template <typename Form> void Schritt(benchmark::State &state, void (THauptform::*befehl)())
{
    Demoumgebung<Form> u(std::size_t(state.range(0)), befehl);
    u.demo->template findChild<QCheckBox *>(u"CBAnimation"_s)->setChecked(false);
    // The Caesar demonstration's step button works in its extended view only.
    if (auto *mehr = u.demo->template findChild<QPushButton *>(u"BMehr"_s))
        mehr->click();
    auto *schritt = u.demo->template findChild<QPushButton *>(u"BSchritt"_s);
    schritt->click();
    for (auto _ : state)
        schritt->click();
}

void Caesar_Schritt(benchmark::State &state)
{
    Schritt<TCaesarDemoForm>(state, &THauptform::CaesarVerschlsselung1Click);
}

void Vigenere_Schritt(benchmark::State &state)
{
    Schritt<TVMatrixForm>(state, &THauptform::VigenreMatrix1Click);
}

} // namespace

BENCHMARK(WarteBench)->Name("Warte")->Arg(150)->Iterations(40)->Unit(benchmark::kMillisecond);
BENCHMARK(WarteBench)->Name("Warte")->Arg(5)->Iterations(400)->Unit(benchmark::kMillisecond);
BENCHMARK(Repaint_Vigenere)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(Caesar_Schritt)
    ->Arg(8 << 20)
    ->Iterations(3)
    ->Repetitions(3)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(Vigenere_Schritt)
    ->Arg(8 << 20)
    ->Iterations(3)
    ->Repetitions(3)
    ->Unit(benchmark::kMillisecond);

int main(int argc, char **argv) { return QtBenchmarkMain(argc, argv); }
