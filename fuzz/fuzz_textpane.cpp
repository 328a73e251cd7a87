// SPDX-License-Identifier: GPL-3.0-or-later
// The real text pane holds any bytes: written in and read back unchanged,
// also after the pane has laid them out on screen.

#include "bausteine/textpane.h"

#include <cstdint>
#include <cstdlib>
#include <QApplication>

namespace {

TextPane &pane()
{
    static int argc = 1;
    static char name[] = "fuzz_textpane";
    static char *argv[] = { name, nullptr };
    static QApplication *app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    static TextPane *p = [] {
        auto *neu = new TextPane;
        neu->resize(300, 200);
        neu->show();
        return neu;
    }();
    Q_UNUSED(app);
    return *p;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *daten, std::size_t groesse)
{
    const verschl::Text text(reinterpret_cast<const char *>(daten), groesse);
    TextPane &p = pane();
    p.setText(text);
    QApplication::processEvents();
    if (p.text() != text)
        std::abort();
    return 0;
}
