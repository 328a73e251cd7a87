// SPDX-License-Identifier: GPL-3.0-or-later
// Printing a pane of 1 or 8 MiB of German text into a PDF in memory, as
// "Als PDF speichern" does after the document is built: Drucken/<MiB> through
// papier::Drucke, Qt_Druck/<MiB> through QTextDocument::print, as printing
// went before (at 8 MiB it gave one blank page). Counters: "Seiten" written,
// and for Drucken "Schritt_ms", the longest time between two reports to the
// progress window, which is the longest the window cannot answer.

#include "bench/qtbenchmark.h"
#include "papier/papier.h"
#include "platform/schriften.h"
#include "testhilfen/deutschtext.h"
#include "testhilfen/stilledialoge.h"

#include <benchmark/benchmark.h>
#include <QBuffer>
#include <QElapsedTimer>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTextCursor>
#include <QTextDocument>

namespace {

std::unique_ptr<QTextDocument> paneDokument(std::size_t mib)
{
    auto dokument = papier::NeuesDokument();
    QTextCursor cursor(dokument.get());
    papier::Ueberschrift(cursor, QStringLiteral("Klartext"));
    papier::Paneabsatz(cursor, deutschtext::erzeuge(mib << 20), schriften::Paneschrift());
    return dokument;
}

double seiten(const QByteArray &pdf)
{
    return double(
        QString::fromLatin1(pdf).count(QRegularExpression(QStringLiteral("/Type /Page\\b(?!s)"))));
}

// Reports nothing anywhere, but times the gaps between reports.
class Stoppuhr : public StilleDialoge
{
public:
    std::unique_ptr<Fortschritt> Fortschrittsanzeige(QWidget *, const QString &) override
    {
        struct Messung : Fortschritt
        {
            explicit Messung(qint64 &laengster)
                : laengster(laengster)
            {
                uhr.start();
            }
            bool melde(const QString &, int, int) override
            {
                laengster = std::max(laengster, uhr.restart());
                return true;
            }
            qint64 &laengster;
            QElapsedTimer uhr;
        };
        return std::make_unique<Messung>(laengster);
    }
    qint64 laengster = 0;
};

// Prints a pane of state.range(0) MiB into a PDF in memory, timing only the
// printing; gives the last PDF.
template <typename Drucker> QByteArray druckeGemessen(benchmark::State &state, Drucker drucke)
{
    QByteArray pdf;
    for (auto _ : state) {
        state.PauseTiming();
        const auto dokument = paneDokument(std::size_t(state.range(0)));
        pdf.clear();
        QBuffer puffer(&pdf);
        puffer.open(QIODevice::WriteOnly);
        state.ResumeTiming();
        QPdfWriter geraet(&puffer);
        drucke(*dokument, geraet);
    }
    return pdf;
}

void Drucken(benchmark::State &state)
{
    Stoppuhr dialoge;
    const QByteArray pdf
        = druckeGemessen(state, [&dialoge](QTextDocument &dokument, QPdfWriter &geraet) {
              papier::Drucke(dokument, geraet, dialoge, nullptr);
          });
    state.counters["Seiten"] = seiten(pdf);
    state.counters["Schritt_ms"] = double(dialoge.laengster);
}

void Qt_Druck(benchmark::State &state)
{
    const QByteArray pdf = druckeGemessen(
        state, [](QTextDocument &dokument, QPdfWriter &geraet) { dokument.print(&geraet); });
    state.counters["Seiten"] = seiten(pdf);
}

BENCHMARK(Drucken)->Arg(1)->Arg(8)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);
BENCHMARK(Qt_Druck)->Arg(1)->Arg(8)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);

} // namespace

int main(int argc, char **argv) { return QtBenchmarkMain(argc, argv); }
