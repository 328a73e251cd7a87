// SPDX-License-Identifier: GPL-3.0-or-later
// What a worksheet costs to make: a Vigenère task with its square and answer
// key, four pages of A4, built and painted into a PDF in memory, as "Als PDF
// speichern" does. Counter "Seiten": the pages written.

#include "arbeitsblatt/blatt.h"
#include "bench/qtbenchmark.h"
#include "papier/papier.h"

#include <benchmark/benchmark.h>
#include <QBuffer>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTextDocument>

namespace {

void ArbeitsblattVigenere(benchmark::State &state)
{
    Blattwahl wahl;
    wahl.aufgabe = Aufgabe::VigenereEntschluesseln;
    verschl::Text text;
    for (int i = 0; i < 45; ++i)
        text += "Im Informatikunterricht verschluesseln wir heute eine geheime Nachricht. ";
    QByteArray pdf;
    for (auto _ : state) {
        pdf.clear();
        QBuffer puffer(&pdf);
        puffer.open(QIODevice::WriteOnly);
        const auto blatt = BaueArbeitsblatt(wahl, text);
        QPdfWriter geraet(&puffer);
        geraet.setPageSize(QPageSize(QPageSize::A4));
        papier::Drucke(*blatt, geraet);
    }
    state.counters["Seiten"] = double(
        QString::fromLatin1(pdf).count(QRegularExpression(QStringLiteral("/Type /Page\\b(?!s)"))));
}
BENCHMARK(ArbeitsblattVigenere)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char **argv) { return QtBenchmarkMain(argc, argv); }
