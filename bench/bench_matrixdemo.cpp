// The matrix demonstration on a long text: "Matrix aktualisieren" for a text
// of 10,000 characters (a square matrix of 100 x 100 cells), the handler
// alone and with the grid painted afterwards, as the user sees it. Each
// iteration starts from the empty design, as after "Löschen (beides)".

#include "bench/deutschtext.h"
#include "bench/qtbenchmark.h"
#include "demos/matrixdemo.h"
#include "demos/stringaligngrid.h"
#include "demos/textfeld.h"
#include "platform/registry.h"
#include "programm/programm.h"
#include "stilledialoge.h"

#include <benchmark/benchmark.h>
#include <QApplication>
#include <QTemporaryDir>

namespace {

// A program whose settings live in a temporary folder, never the user's, with
// one matrix demonstration opened from its menu.
struct Umgebung
{
    explicit Umgebung(std::size_t laenge)
    {
        registry::setzeWurzelordner(registry::Wurzel::AktuellerBenutzer, ordner.path());
        registry::setzeWurzelordner(registry::Wurzel::LokaleMaschine, ordner.path());
        programm.haupt.MatrixVerschlsselung1Click();
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (auto *f = qobject_cast<TMatrixDemoForm *>(w))
                demo = f;
        }
        demo->MKlartext->setText(deutschtext::erzeuge(laenge));
        QApplication::processEvents();
    }
    QTemporaryDir ordner;
    StilleDialoge dialoge;
    Programm programm { dialoge, {} };
    TMatrixDemoForm *demo = nullptr;
};

void Aktualisieren(benchmark::State &state)
{
    Umgebung u(std::size_t(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        u.demo->BLoeschenClick();
        u.demo->MKlartext->setText(deutschtext::erzeuge(std::size_t(state.range(0))));
        state.ResumeTiming();
        u.demo->BAktualisierenClick();
    }
}

void Aktualisieren_und_Malen(benchmark::State &state)
{
    Umgebung u(std::size_t(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        u.demo->BLoeschenClick();
        u.demo->MKlartext->setText(deutschtext::erzeuge(std::size_t(state.range(0))));
        QApplication::processEvents();
        state.ResumeTiming();
        u.demo->BAktualisierenClick();
        u.demo->SAGrid->Repaint();
    }
}

} // namespace

BENCHMARK(Aktualisieren)->Arg(10000)->Unit(benchmark::kMillisecond)->Repetitions(10);
BENCHMARK(Aktualisieren_und_Malen)->Arg(10000)->Unit(benchmark::kMillisecond)->Repetitions(10);

int main(int argc, char **argv) { return QtBenchmarkMain(argc, argv); }
