#include "platform/richtlinie.h"

#include "platform/registry.h"

#include <algorithm>

namespace richtlinie {

int NoDemo()
{
    const QString name = QStringLiteral("NoDemo");
    const auto schluessel = registry::oeffnen(
        registry::Wurzel::LokaleMaschine, QStringLiteral("Software\\rovozu"), false);
    if (!schluessel || !schluessel->hatWert(name))
        return 0;
    try {
        return std::min(schluessel->leseGanzzahl(name), 7);
    } catch (const registry::Fehler &) {
        return 0;
    }
}

} // namespace richtlinie
