// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The program's fonts. The windows are designed for "MS Sans Serif" and the
// panes for "Courier New"; where those are missing, metric-compatible
// stand-ins keep the designed sizes fitting.

#include <QFont>

namespace schriften {

// The windows' font, `pixel` pixels high.
QFont Fensterschrift(int pixel);
// "Courier New", `pixel` pixels high: the demonstrations' grids and fields.
QFont Schreibmaschine(int pixel);
// The panes' font at start: "Courier New", 10 points (13 pixels at 96 dpi).
QFont Paneschrift();

} // namespace schriften
