// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as the stored settings file or as the machine-wide policy file,
// read by the program's own loaders: never a crash, a hang or an unbounded
// allocation. The first byte chooses the file, the rest is its content.

#include "platform/registry.h"
#include "platform/richtlinie.h"
#include "programm/programm.h"
#include "testhilfen/stilledialoge.h"

#include <cstdint>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

struct Umgebung
{
    Umgebung()
    {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        registry::setzeWurzelordner(registry::Wurzel::AktuellerBenutzer, ordner.path());
        registry::setzeWurzelordner(registry::Wurzel::LokaleMaschine, ordner.path());
    }
    int argc = 1;
    char name[16] = "fuzz";
    char *argv[2] = { name, nullptr };
    QApplication app { argc, argv };
    QTemporaryDir ordner;
    StilleDialoge dialoge;
    Programm programm { dialoge, {} };
};

// Each input gets files of its own name: QSettings caches a file it has read
// and could miss a rewrite within the same second.
QString legeAb(const QString &wurzel, const QString &datei, const char *daten, qsizetype groesse)
{
    QDir(wurzel).removeRecursively();
    const QString pfad = wurzel + u'/' + datei;
    QDir().mkpath(QFileInfo(pfad).path());
    QFile f(pfad);
    if (!f.open(QIODevice::WriteOnly) || f.write(daten, groesse) != groesse)
        qFatal("cannot write %s", qPrintable(pfad));
    return wurzel;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *daten, std::size_t groesse)
{
    static Umgebung u;
    static unsigned long runde = 0;
    if (groesse < 1)
        return 0;
    const QString wurzel = u.ordner.filePath(QString::number(runde++));
    const auto *inhalt = reinterpret_cast<const char *>(daten + 1);
    const auto laenge = qsizetype(groesse - 1);
    if (daten[0] & 1) {
        registry::setzeWurzelordner(registry::Wurzel::LokaleMaschine,
            legeAb(wurzel, QStringLiteral("rovozu.conf"), inhalt, laenge));
        richtlinie::NoDemo();
    } else {
        registry::setzeWurzelordner(registry::Wurzel::AktuellerBenutzer,
            legeAb(wurzel, QStringLiteral("Nordhain/Zifferon.conf"), inhalt, laenge));
        u.programm.einstellungen.EinstellungenLaden();
    }
    QDir(wurzel).removeRecursively();
    return 0;
}
