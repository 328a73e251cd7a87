// SPDX-License-Identifier: GPL-3.0-or-later
// The main window on large texts: opening a 16 MiB German text file into a
// pane and reading the pane back as a Text, next to the bare QPlainTextEdit
// round trip of the same text (setPlainText + toPlainText) as the baseline;
// also swapping two 16 MiB texts and encrypting a 16 MiB plaintext, with and
// without the preparations.
//
// Anzeigen/<MiB>/<Inhalt>/<Umbruch> measures what the user waits for when a
// text arrives in the shown window: setText plus the layout and painting of
// the pane. Inhalt 0 is the German text; 1 and 2 are a single line without
// any break opportunity: 1 of letters 'a', 2 of NUL bytes as in a binary
// file (shown as stand-ins that the pane's font may lack). Umbruch is the
// word wrap command's state.
//
// Kurze_Zeilen/<MiB>/<Weg> opens a file of that many MiB of 12-byte lines
// (ten characters and CR LF) into the plaintext pane with word wrap on, from
// the start to the shown text; run it alone to read its peak memory. Weg 2
// then encrypts it with upper case checked: the plaintext pane holds the old
// text as one undo step, the ciphertext pane the new one. Weg 3 encrypts
// five times, with upper and lower case in turn: still one undo step held.
//
// Peak memory is the process's peak resident set size after the benchmark
// (counter "Spitze_MiB"); it only grows, so run one benchmark per process to
// compare it, e.g. --benchmark_filter=Baseline.

#include "bausteine/textpane.h"
#include "bench/qtbenchmark.h"
#include "platform/codepage.h"
#include "platform/registry.h"
#include "programm/programm.h"
#include "schnittstellen/dialoge.h"
#include "testhilfen/deutschtext.h"
#include "testhilfen/stilledialoge.h"

#include <benchmark/benchmark.h>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTemporaryDir>
#include <sys/resource.h>

namespace {

constexpr std::size_t kGroesse = std::size_t { 16 } << 20;

const verschl::Text &text()
{
    static const verschl::Text t = deutschtext::erzeuge(kGroesse);
    return t;
}

// A program whose settings live in a temporary folder, never the user's.
struct Umgebung
{
    Umgebung()
    {
        registry::setzeWurzelordner(registry::Wurzel::AktuellerBenutzer, ordner.path());
        registry::setzeWurzelordner(registry::Wurzel::LokaleMaschine, ordner.path());
        QFile datei(pfad);
        if (!datei.open(QIODevice::WriteOnly)
            || datei.write(text().data(), qint64(text().size())) != qint64(text().size()))
            qFatal("cannot write %s", qPrintable(pfad));
    }
    QTemporaryDir ordner;
    QString pfad = ordner.filePath(QStringLiteral("text.txt"));
    StilleDialoge dialoge { pfad };
    Programm programm { dialoge, {} };
    TextPane &klar = *programm.haupt.findChild<TextPane *>(QStringLiteral("MKlar"));
    TextPane &chiffre = *programm.haupt.findChild<TextPane *>(QStringLiteral("MChiffre"));
};

void meldeSpitze(benchmark::State &state, std::size_t groesse = kGroesse)
{
    rusage nutzung {};
    getrusage(RUSAGE_SELF, &nutzung);
    state.counters["Spitze_MiB"] = double(nutzung.ru_maxrss) / 1024.0;
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(groesse));
}

// Lets the shown pane lay out and paint what it holds, as the event loop
// does before the user sees the text.
void zeige(TextPane &pane)
{
    QApplication::processEvents();
    pane.viewport()->repaint();
    QApplication::processEvents();
}

void Baseline_setPlainText_toPlainText(benchmark::State &state)
{
    const QString anzeige = codepage::AlsPanetext(text());
    for (auto _ : state) {
        QPlainTextEdit pane;
        pane.setPlainText(anzeige);
        benchmark::DoNotOptimize(pane.toPlainText());
    }
    meldeSpitze(state);
}

void Oeffnen_und_Auslesen(benchmark::State &state)
{
    Umgebung u;
    for (auto _ : state) {
        u.programm.haupt.Klartextffnen1Click();
        benchmark::DoNotOptimize(u.klar.text());
        state.PauseTiming();
        u.programm.haupt.MMKlartextloeschenClick();
        state.ResumeTiming();
    }
    meldeSpitze(state);
}

void Texte_tauschen(benchmark::State &state)
{
    Umgebung u;
    u.klar.setText(text());
    u.chiffre.setText(verschl::Rot13(text()));
    for (auto _ : state)
        u.programm.haupt.TextetauschenClick();
    meldeSpitze(state);
}

// Vorbereitungen 0 encrypts as it is; 4 first runs all four preparations,
// each iteration on the unprepared text again, as a user's first click does.
void Verschluesseln_Caesar(benchmark::State &state)
{
    Umgebung u;
    if (state.range(0) != 0) {
        for (const char *name : { "CBUmlauteErsetzen", "CBKlein", "CBGross", "CBLeerzeichen" }) {
            auto *schalter = u.programm.option.findChild<QCheckBox *>(QLatin1String(name));
            // The window unchecks lower case when upper case gets checked;
            // the worst case has both.
            const QSignalBlocker stumm(schalter);
            schalter->setChecked(true);
        }
    }
    for (auto _ : state) {
        state.PauseTiming();
        u.klar.setText(text());
        u.chiffre.setText({});
        state.ResumeTiming();
        u.programm.haupt.BVerschluesselnClick();
    }
    meldeSpitze(state);
}

void Anzeigen(benchmark::State &state)
{
    const auto groesse = std::size_t(state.range(0)) << 20;
    const bool umbruch = state.range(2) != 0;
    const verschl::Text inhalt = state.range(1) == 0
        ? deutschtext::erzeuge(groesse)
        : verschl::Text(groesse, state.range(1) == 1 ? 'a' : '\0');
    Umgebung u;
    u.programm.haupt.show();
    if (!umbruch)
        u.programm.haupt.ZeilenumbruchautomatischClick();
    zeige(u.klar);
    for (auto _ : state) {
        u.klar.setText(inhalt);
        zeige(u.klar);
        state.PauseTiming();
        u.klar.setText({});
        zeige(u.klar);
        state.ResumeTiming();
    }
    meldeSpitze(state, groesse);
}

// The file as the user's command line names it (Weg 0: the window shows it
// after start) or as "Klartext öffnen..." opens it in the shown window, which
// the user then widens (Weg 1), as maximising it does, and encrypts (Weg 2).
void Kurze_Zeilen(benchmark::State &state)
{
    const auto groesse = std::size_t(state.range(0)) << 20;
    const bool kommandozeile = state.range(1) == 0;
    QTemporaryDir ordner;
    const QString pfad = ordner.filePath(QStringLiteral("zeilen.txt"));
    verschl::Text zeilen;
    zeilen.reserve(groesse);
    while (zeilen.size() + 12 <= groesse)
        zeilen += "Zeile 1234\r\n";
    QFile datei(pfad);
    if (!datei.open(QIODevice::WriteOnly)
        || datei.write(zeilen.data(), qint64(zeilen.size())) != qint64(zeilen.size()))
        qFatal("cannot write %s", qPrintable(pfad));
    datei.close();
    zeilen = {};
    registry::setzeWurzelordner(registry::Wurzel::AktuellerBenutzer, ordner.path());
    registry::setzeWurzelordner(registry::Wurzel::LokaleMaschine, ordner.path());
    StilleDialoge dialoge { pfad };
    for (auto _ : state) {
        Programm programm { dialoge, kommandozeile ? QStringList { pfad } : QStringList {} };
        auto &klar = *programm.haupt.findChild<TextPane *>(QStringLiteral("MKlar"));
        programm.haupt.show();
        zeige(klar);
        if (!kommandozeile) {
            programm.haupt.Klartextffnen1Click();
            zeige(klar);
            programm.haupt.resize(programm.haupt.width() + 200, programm.haupt.height());
            zeige(klar);
        }
        const int verschluesseln = state.range(1) == 3 ? 5 : state.range(1) == 2 ? 1 : 0;
        for (int schritt = 0; schritt < verschluesseln; ++schritt) {
            const char *schalter = schritt % 2 == 0 ? "CBGross" : "CBKlein";
            programm.option.findChild<QCheckBox *>(QLatin1String(schalter))->setChecked(true);
            programm.haupt.BVerschluesselnClick();
            zeige(klar);
        }
        if (klar.document()->characterCount() < int(groesse / 2)) {
            state.SkipWithError("the file did not open");
            break;
        }
    }
    meldeSpitze(state, groesse);
}

} // namespace

BENCHMARK(Anzeigen)
    ->ArgNames({ "MiB", "Inhalt", "Umbruch" })
    ->ArgsProduct({ { 1, 16 }, { 0, 1, 2 }, { 1, 0 } })
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(Kurze_Zeilen)
    ->ArgNames({ "MiB", "Weg" })
    ->ArgsProduct({ { 16, 64 }, { 0, 1, 2, 3 } })
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(Baseline_setPlainText_toPlainText)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(Oeffnen_und_Auslesen)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(Texte_tauschen)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(Verschluesseln_Caesar)
    ->ArgName("Vorbereitungen")
    ->Arg(0)
    ->Arg(4)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

int main(int argc, char **argv) { return QtBenchmarkMain(argc, argv); }
