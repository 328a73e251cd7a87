// SPDX-License-Identifier: GPL-3.0-or-later
// Reading the stored settings as a start does: the program's key opened, then
// each value of the settings table probed and read. Arg is the number of
// foreign lines that the key's file holds besides them, as a file edited by
// hand or by another tool may. Run with
//   --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

#include "platform/registry.h"
#include "schnittstellen/einstellungstabelle.h"

#include <benchmark/benchmark.h>
#include <QFile>
#include <QTemporaryDir>

namespace {

using registry::Wurzel;

const QString kSchluessel = QStringLiteral("Software\\Nordhain\\Zifferon");

QString name(const einstellung::Eintrag &eintrag)
{
    return QStringView(eintrag.schluessel).toString();
}

void legeAn(const QTemporaryDir &ordner, int fremde)
{
    QList<registry::Wert> werte;
    for (const einstellung::Eintrag &eintrag : einstellung::kTabelle)
        werte.append({ name(eintrag), qint32(1) });
    registry::oeffnen(Wurzel::AktuellerBenutzer, kSchluessel, true)->schreibe(werte);
    QFile datei(ordner.filePath(QStringLiteral("Nordhain/Zifferon.conf")));
    if (!datei.open(QIODevice::Append))
        qFatal("cannot extend %s", qPrintable(datei.fileName()));
    for (int i = 0; i < fremde; ++i)
        datei.write("Fremd" + QByteArray::number(i) + "=dword:00000001\n");
}

void Laden(benchmark::State &state)
{
    QTemporaryDir ordner;
    registry::setzeWurzelordner(Wurzel::AktuellerBenutzer, ordner.path());
    legeAn(ordner, int(state.range(0)));
    for (auto _ : state) {
        const auto schluessel = registry::oeffnen(Wurzel::AktuellerBenutzer, kSchluessel, false);
        qint32 summe = 0;
        for (const einstellung::Eintrag &eintrag : einstellung::kTabelle) {
            if (schluessel->hatWert(name(eintrag)))
                summe += schluessel->leseGanzzahl(name(eintrag));
        }
        benchmark::DoNotOptimize(summe);
    }
    registry::setzeWurzelordner(Wurzel::AktuellerBenutzer, {});
}

} // namespace

BENCHMARK(Laden)->Arg(0)->Arg(300000)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
