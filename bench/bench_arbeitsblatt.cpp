// SPDX-License-Identifier: GPL-3.0-or-later
// What a worksheet costs to make.
// ArbeitsblattVigenere/n: a Vigenère task with its square, room to answer
// and answer key, four pages of A4 for each of n variants, built and painted
// into a PDF in memory, as "Als PDF speichern" does. Counter "Seiten": the
// pages written.
// Optionswechsel_Matrix/n: what the worksheet window does once an option has
// changed, with the longest text it takes (German text in lines, its umlauts
// kept so that it stays that long): the matrix
// sheet at n columns built anew and every page of the preview painted, or the
// shape refused. Optionswechsel_Aufgabe/i: the same for the other tasks
// (index in "Aufgabe"). Counter "Seiten": the pages of the preview.

#include "arbeitsblatt/arbeitsblatt.h"
#include "bench/demoumgebung.h"
#include "bench/qtbenchmark.h"
#include "papier/papier.h"
#include "testhilfen/stilledialoge.h"

#include <benchmark/benchmark.h>
#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QPdfWriter>
#include <QPrintPreviewWidget>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTextDocument>

using namespace Qt::StringLiterals;

namespace {

void ArbeitsblattVigenere(benchmark::State &state)
{
    Blattwahl wahl;
    wahl.aufgabe = Aufgabe::VigenereEntschluesseln;
    wahl.varianten = int(state.range(0));
    verschl::Text text;
    for (int i = 0; i < 9; ++i)
        text += "Im Informatikunterricht verschl\xFCsseln wir heute eine geheime Nachricht. ";
    QByteArray pdf;
    StilleDialoge dialoge;
    for (auto _ : state) {
        pdf.clear();
        QBuffer puffer(&pdf);
        puffer.open(QIODevice::WriteOnly);
        const auto blatt = BaueArbeitsblatt(wahl, text);
        QPdfWriter geraet(&puffer);
        geraet.setPageSize(QPageSize(QPageSize::A4));
        papier::Drucke(*blatt, geraet, dialoge, nullptr);
    }
    state.counters["Seiten"] = double(
        QString::fromLatin1(pdf).count(QRegularExpression(QStringLiteral("/Type /Page\\b(?!s)"))));
}
BENCHMARK(ArbeitsblattVigenere)
    ->Arg(1)
    ->Arg(30)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

void optionswechsel(benchmark::State &state, Aufgabe aufgabe, int spalten)
{
    Demoumgebung<TArbeitsblattForm> u(kHoechstlaenge, &THauptform::ArbeitsblattClick);
    u.demo->findChild<QComboBox *>(u"CBAufgabe"_s)->setCurrentIndex(int(aufgabe));
    u.demo->findChild<QSpinBox *>(u"SpSpalten"_s)->setValue(spalten);
    u.demo->findChild<QCheckBox *>(u"CBUmlaute"_s)->setChecked(false);
    for (auto _ : state)
        u.demo->Aktualisieren();
    state.counters["Seiten"] = u.demo->findChild<QPrintPreviewWidget *>(u"Vorschau"_s)->pageCount();
}

void Optionswechsel_Matrix(benchmark::State &state)
{
    optionswechsel(state, Aufgabe::MatrixEntschluesseln, int(state.range(0)));
}
BENCHMARK(Optionswechsel_Matrix)
    ->DenseRange(1, 100)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

void Optionswechsel_Aufgabe(benchmark::State &state)
{
    optionswechsel(state, Aufgabe(state.range(0)), 5);
}
BENCHMARK(Optionswechsel_Aufgabe)
    ->Arg(int(Aufgabe::CaesarEntschluesseln))
    ->Arg(int(Aufgabe::VigenereEntschluesseln))
    ->Arg(int(Aufgabe::CaesarKnacken))
    ->Arg(int(Aufgabe::VigenereKnacken))
    ->Arg(int(Aufgabe::MatrixKnacken))
    ->Arg(int(Aufgabe::SubstitutionKnacken))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char **argv) { return QtBenchmarkMain(argc, argv); }
