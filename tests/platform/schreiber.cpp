// A second running copy for the settings tests: writes one key's values
// again and again under the root folder given as first argument. Exits 1 when
// a write fails.

#include "platform/registry.h"

#include <QCoreApplication>
#include <QStringList>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList argumente = QCoreApplication::arguments();
    if (argumente.size() != 4)
        return 2;
    registry::setzeWurzelordner(registry::Wurzel::AktuellerBenutzer, argumente[1]);
    const QString kennung = argumente[2];
    const int runden = argumente[3].toInt();
    try {
        for (int runde = 0; runde < runden; ++runde) {
            auto schluessel = registry::oeffnen(registry::Wurzel::AktuellerBenutzer,
                QStringLiteral("Software\\Nordhain\\Zifferon"), true);
            if (!schluessel)
                return 1;
            for (int i = 0; i < 29; ++i)
                schluessel->schreibeText(QStringLiteral("Wert%1").arg(i),
                    QStringLiteral("%1:%2").arg(kennung).arg(runde));
        }
    } catch (const registry::Fehler &) {
        return 1;
    }
    return 0;
}
