// SPDX-License-Identifier: GPL-3.0-or-later
// The breaking window, step by step, on a Caesar, Vigenère or substitution ciphertext of
// 2,000 letters (every step must update within 50 ms), and its opening on the
// largest text a pane holds, 64 MiB, which it works on its first 2,000
// letters.

#include "bausteine/alphabetstreifen.h"
#include "bausteine/textpane.h"
#include "bausteine/zuordnungstafel.h"
#include "bench/qtbenchmark.h"
#include "knacken/knacken.h"
#include "platform/registry.h"
#include "programm/programm.h"
#include "testhilfen/deutschtext.h"
#include "testhilfen/stilledialoge.h"

#include <benchmark/benchmark.h>
#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>

namespace {

// 2,000 letters of German are about 2,700 bytes.
verschl::Text geheim(std::size_t groesse)
{
    return verschl::CaesarVerschieben(deutschtext::erzeuge(groesse), 7);
}

verschl::Text vigenere(std::size_t groesse)
{
    return *verschl::VigenereVerschluesseln(deutschtext::erzeuge(groesse), "SCHULE", true);
}

struct Umgebung
{
    explicit Umgebung(const verschl::Text &chiffre)
    {
        registry::setzeWurzelordner(registry::Wurzel::AktuellerBenutzer, ordner.path());
        registry::setzeWurzelordner(registry::Wurzel::LokaleMaschine, ordner.path());
        programm.haupt.findChild<TextPane *>(QStringLiteral("MChiffre"))->setText(chiffre);
    }
    TKnackenForm &oeffne()
    {
        programm.haupt.MKnackenClick();
        TKnackenForm *neu = nullptr;
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (auto *f = qobject_cast<TKnackenForm *>(w); f && !f->property("alt").toBool())
                neu = f;
        }
        neu->setProperty("alt", true);
        QApplication::processEvents();
        return *neu;
    }
    template <typename T> T &teil(TKnackenForm &f, const char *name)
    {
        return *f.findChild<T *>(QLatin1String(name));
    }
    QTemporaryDir ordner;
    StilleDialoge dialoge;
    Programm programm { dialoge, {} };
};

// Until the window stands on the screen, all three pages built.
void Oeffnen(benchmark::State &state)
{
    Umgebung u(geheim(std::size_t(state.range(0))));
    for (auto _ : state) {
        TKnackenForm &f = u.oeffne();
        state.PauseTiming();
        delete &f;
        state.ResumeTiming();
    }
}
BENCHMARK(Oeffnen)->Arg(2700)->Arg(64 << 20)->Unit(benchmark::kMillisecond)->UseRealTime();

// One step of a page: the change, and painting what it shows.
template <typename Aenderung>
void schritt(benchmark::State &state, Aenderung aenderung, const verschl::Text &text = geheim(2700))
{
    Umgebung u(text);
    TKnackenForm &f = u.oeffne();
    f.show();
    QApplication::processEvents();
    int i = 0;
    for (auto _ : state) {
        aenderung(u, f, i++);
        f.repaint();
    }
}

void Zaehlen(benchmark::State &state)
{
    schritt(state, [](Umgebung &u, TKnackenForm &f, int i) {
        u.teil<QPushButton>(f, i % 2 ? "BZurueck" : "BWeiter").click();
    });
}
BENCHMARK(Zaehlen)->Unit(benchmark::kMillisecond)->UseRealTime();

void Verschieben(benchmark::State &state)
{
    schritt(state, [](Umgebung &u, TKnackenForm &f, int i) {
        if (i == 0)
            u.teil<QPushButton>(f, "BWeiter").click();
        u.teil<Alphabetstreifen>(f, "Streifen").setVerschiebung(i + 1);
    });
}
BENCHMARK(Verschieben)->Unit(benchmark::kMillisecond)->UseRealTime();

void Durchprobieren(benchmark::State &state)
{
    schritt(state, [](Umgebung &u, TKnackenForm &f, int i) {
        if (i == 0) {
            u.teil<QPushButton>(f, "BWeiter").click();
            u.teil<QPushButton>(f, "BWeiter").click();
        }
        u.teil<QListWidget>(f, "LWVersuche").setCurrentRow(i % 25);
    });
}
BENCHMARK(Durchprobieren)->Unit(benchmark::kMillisecond)->UseRealTime();

void LoesungCaesar(benchmark::State &state)
{
    schritt(state, [](Umgebung &u, TKnackenForm &f, int i) {
        if (i == 0)
            u.teil<QPushButton>(f, "BWeiter").click();
        u.teil<QPushButton>(f, "BLoesung").click();
    });
}
BENCHMARK(LoesungCaesar)->Unit(benchmark::kMillisecond)->UseRealTime();

void Spaltenzahl(benchmark::State &state)
{
    schritt(state, [](Umgebung &u, TKnackenForm &f, int i) {
        if (i == 0)
            u.teil<QTabWidget>(f, "Seiten").setCurrentIndex(1);
        u.teil<QSpinBox>(f, "SpEdSpalten").setValue(2 + i % 99);
    });
}
BENCHMARK(Spaltenzahl)->Unit(benchmark::kMillisecond)->UseRealTime();

void LoesungMatrix(benchmark::State &state)
{
    schritt(state, [](Umgebung &u, TKnackenForm &f, int i) {
        if (i == 0)
            u.teil<QTabWidget>(f, "Seiten").setCurrentIndex(1);
        u.teil<QPushButton>(f, "BLoesung").click();
    });
}
BENCHMARK(LoesungMatrix)->Unit(benchmark::kMillisecond)->UseRealTime();

// The Vigenère page at its step `ziel` (from 0), once.
void vigenereBis(Umgebung &u, TKnackenForm &f, int i, int ziel)
{
    if (i > 0)
        return;
    u.teil<QTabWidget>(f, "Seiten").setCurrentIndex(1);
    u.teil<QSpinBox>(f, "SpEdLaenge").setValue(6);
    for (int s = 0; s < ziel; ++s)
        u.teil<QPushButton>(f, "BWeiter").click();
}

// Each way of counting makes the table, the chart and every length anew.
void Zaehlweise(benchmark::State &state)
{
    schritt(
        state,
        [](Umgebung &u, TKnackenForm &f, int i) {
            vigenereBis(u, f, i, 0);
            u.teil<QRadioButton>(f, i % 2 ? "RBIgnorieren" : "RBMitzaehlen").click();
        },
        vigenere(2700));
}
BENCHMARK(Zaehlweise)->Unit(benchmark::kMillisecond)->UseRealTime();

void Schluessellaenge(benchmark::State &state)
{
    schritt(
        state,
        [](Umgebung &u, TKnackenForm &f, int i) {
            vigenereBis(u, f, i, 1);
            u.teil<QSpinBox>(f, "SpEdLaenge").setValue(1 + i % 20);
        },
        vigenere(2700));
}
BENCHMARK(Schluessellaenge)->Unit(benchmark::kMillisecond)->UseRealTime();

void Spaltenschreiben(benchmark::State &state)
{
    schritt(
        state,
        [](Umgebung &u, TKnackenForm &f, int i) {
            vigenereBis(u, f, i, 1);
            u.teil<QPushButton>(f, i % 2 ? "BZurueck" : "BWeiter").click();
        },
        vigenere(2700));
}
BENCHMARK(Spaltenschreiben)->Unit(benchmark::kMillisecond)->UseRealTime();

void SpalteVerschieben(benchmark::State &state)
{
    schritt(
        state,
        [](Umgebung &u, TKnackenForm &f, int i) {
            vigenereBis(u, f, i, 3);
            u.teil<QSpinBox>(f, "SpEdSpalte").setValue(1 + i % 6);
            u.teil<Alphabetstreifen>(f, "SpaltenStreifen").setVerschiebung(i);
        },
        vigenere(2700));
}
BENCHMARK(SpalteVerschieben)->Unit(benchmark::kMillisecond)->UseRealTime();

// The engine's whole answer is worked out once, on the first click.
void LoesungVigenere(benchmark::State &state)
{
    schritt(
        state,
        [](Umgebung &u, TKnackenForm &f, int i) {
            vigenereBis(u, f, i, 4);
            u.teil<QPushButton>(f, "BLoesung").click();
        },
        vigenere(2700));
}
BENCHMARK(LoesungVigenere)->Unit(benchmark::kMillisecond)->UseRealTime();

verschl::Text substitution(std::size_t groesse)
{
    return *verschl::SubstitutionVerschluesseln(
        deutschtext::erzeuge(groesse), verschl::SchluesselwortAlphabet("ZIFFERON"));
}

// The board at its step, once.
void zuordnenBis(Umgebung &u, TKnackenForm &f, int i)
{
    if (i > 0)
        return;
    u.teil<QTabWidget>(f, "Seiten").setCurrentIndex(3);
    u.teil<QPushButton>(f, "BWeiter").click();
}

// One guess typed or taken back: the text, the comparison and the key line.
void Zuordnen(benchmark::State &state)
{
    schritt(
        state,
        [](Umgebung &u, TKnackenForm &f, int i) {
            zuordnenBis(u, f, i);
            auto &tafel = u.teil<Zuordnungstafel>(f, "Tafel");
            Zuordnungstafel::Zuordnung z = tafel.Zuordnungen();
            char &k = z[std::size_t(i / 2 % 26)];
            k = k ? 0 : char('a' + i % 26);
            tafel.setZuordnungen(z);
        },
        substitution(2700));
}
BENCHMARK(Zuordnen)->Unit(benchmark::kMillisecond)->UseRealTime();

// The engine's search on 2,000 letters, for the teacher: not on a keystroke.
void LoesungSubstitution(benchmark::State &state)
{
    schritt(
        state,
        [](Umgebung &u, TKnackenForm &f, int i) {
            zuordnenBis(u, f, i);
            u.teil<QPushButton>(f, "BLoesung").click();
        },
        substitution(2700));
}
BENCHMARK(LoesungSubstitution)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char **argv) { return QtBenchmarkMain(argc, argv); }
