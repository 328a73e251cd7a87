// SPDX-License-Identifier: GPL-3.0-or-later
// A second running copy for the settings tests, under the root folder given as
// first argument: saves one key's values again and again, for a number of
// rounds, or deletes the key as switching the option off does, until a stop
// file appears. Exits 1 when a write fails.
//
//   registry_schreiber <root> <id> <rounds>
//   registry_schreiber <root> loeschen <stop file>

#include "platform/registry.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>

namespace {

using registry::Wurzel;

const QString kHersteller = QStringLiteral("Software\\Nordhain");
const QString kProgramm = QStringLiteral("Software\\Nordhain\\Zifferon");

void loesche()
{
    registry::loescheSchluessel(Wurzel::AktuellerBenutzer, kProgramm);
    if (!registry::hatUnterschluessel(Wurzel::AktuellerBenutzer, kHersteller))
        registry::loescheSchluessel(Wurzel::AktuellerBenutzer, kHersteller);
}

bool speichere(const QString &kennung, int runde)
{
    auto schluessel = registry::oeffnen(Wurzel::AktuellerBenutzer, kProgramm, true);
    if (!schluessel)
        return false;
    QList<registry::Wert> werte;
    for (int i = 0; i < 29; ++i)
        werte.append(
            { QStringLiteral("Wert%1").arg(i), QStringLiteral("%1:%2").arg(kennung).arg(runde) });
    schluessel->schreibe(werte);
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList argumente = QCoreApplication::arguments();
    if (argumente.size() != 4)
        return 2;
    registry::setzeWurzelordner(Wurzel::AktuellerBenutzer, argumente[1]);
    const QString kennung = argumente[2];
    if (kennung == u"loeschen") {
        while (!QFileInfo::exists(argumente[3]))
            loesche();
        return 0;
    }
    try {
        for (int runde = 0; runde < argumente[3].toInt(); ++runde) {
            if (!speichere(kennung, runde))
                return 1;
        }
    } catch (const registry::Fehler &) {
        return 1;
    }
    return 0;
}
