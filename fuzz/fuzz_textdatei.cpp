// Saving and opening files. Any bytes opened become what the pane holds;
// saved and opened again they must come back unchanged, and a save of any
// bytes opens to what the line-end rule makes of them.

#include "platform/textdatei.h"

#include <cstdint>
#include <cstdlib>
#include <QTemporaryDir>

namespace {

void pruefe(bool ok)
{
    if (!ok)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *daten, std::size_t groesse)
{
    static const QTemporaryDir ordner;
    const QString pfad = ordner.filePath(QStringLiteral("text.txt"));
    const verschl::Text roh(reinterpret_cast<const char *>(daten), groesse);

    pruefe(textdatei::Schreiben(pfad, roh));
    const auto geoeffnet = textdatei::Lesen(pfad);
    pruefe(geoeffnet == textdatei::ZeilenendenVereinheitlichen(roh));

    pruefe(textdatei::Schreiben(pfad, *geoeffnet));
    pruefe(textdatei::Lesen(pfad) == geoeffnet);
    return 0;
}
