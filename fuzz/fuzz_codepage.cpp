// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes must survive the way into a widget's text and back, and any
// file name the way through Qt's strings.

#include "platform/codepage.h"
#include "platform/dateiname.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *daten, std::size_t groesse)
{
    const verschl::Text text(reinterpret_cast<const char *>(daten), groesse);
    if (codepage::AusPanetext(codepage::AlsPanetext(text)) != text)
        std::abort();
    if (codepage::AusZeichenkette(codepage::AlsZeichenkette(text)) != text)
        std::abort();
    const QByteArray name(reinterpret_cast<const char *>(daten), qsizetype(groesse));
    if (dateiname::FuerSystem(dateiname::AusSystem(name)) != name)
        std::abort();
    // Whatever a widget hands back must be read without failing.
    const QString beliebig(reinterpret_cast<const QChar *>(daten), qsizetype(groesse / 2));
    codepage::AusPanetext(beliebig);
    return 0;
}
