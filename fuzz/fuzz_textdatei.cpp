// SPDX-License-Identifier: GPL-3.0-or-later
// Saving and opening files. Any bytes opened become what the pane holds;
// saved and opened again they must come back unchanged, and a save of any
// bytes, in the encoding chosen for either wish, opens to what the line-end
// rule makes of them, which is the text itself unless the form names the
// line end that changes.

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
    pruefe(geoeffnet.has_value());
    pruefe(geoeffnet->text == textdatei::AusDatei(roh)->text);
    const auto utf8 = textdatei::AlsUtf8Lesbar(roh);
    pruefe(!utf8 || geoeffnet->text == textdatei::ZeilenendenVereinheitlichen(*utf8));

    // UTF-8 holds every text, so that wish is never turned down.
    for (const auto wunsch : { textdatei::Kodierung::Windows1252, textdatei::Kodierung::Utf8,
             textdatei::Kodierung::Utf8MitBom }) {
        for (const verschl::Text &text : { roh, geoeffnet->text }) {
            const auto plan = textdatei::SchreibForm(text, wunsch);
            const auto *form = std::get_if<textdatei::Dateiform>(&plan);
            pruefe(
                form && (form->kodierung == wunsch || wunsch == textdatei::Kodierung::Windows1252));
            pruefe(form->bytes == textdatei::Kodiert(text, form->kodierung));
            pruefe(textdatei::Schreiben(pfad, form->bytes));
            const auto wieder = textdatei::Lesen(pfad);
            pruefe(wieder && wieder->text == textdatei::ZeilenendenVereinheitlichen(text));
            // Only a form that says so opens to another text.
            pruefe((wieder->text == text) == !form->zeilenende);
        }
    }
    return 0;
}
