// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/richtlinie.h"

#include "platform/registry.h"

#include <algorithm>

namespace richtlinie {

namespace {

// An administrator who edits the store by hand types a plain decimal number,
// which the store keeps as text; anything else of the wrong type counts as 0.
int leseZahl(const registry::Schluessel &schluessel, const QString &name)
{
    try {
        return schluessel.leseGanzzahl(name);
    } catch (const registry::Fehler &) { }
    try {
        bool zahl = false;
        const int wert = schluessel.leseText(name).toInt(&zahl, 10);
        return zahl ? wert : 0;
    } catch (const registry::Fehler &) {
        return 0;
    }
}

// A value that is not there counts as 0.
int leseRichtlinie(const QString &name)
{
    const auto schluessel = registry::oeffnen(
        registry::Wurzel::LokaleMaschine, QStringLiteral("Software\\rovozu"), false);
    if (!schluessel || !schluessel->hatWert(name))
        return 0;
    return leseZahl(*schluessel, name);
}

} // namespace

int NoDemo() { return std::min(leseRichtlinie(QStringLiteral("NoDemo")), 7); }

bool NoAnalyse() { return (leseRichtlinie(QStringLiteral("NoAnalyse")) & 1) != 0; }

} // namespace richtlinie
