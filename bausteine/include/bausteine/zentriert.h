// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Centres a top-level window on its screen, frame included: now, with the
// frame the window has, and once more when the window manager has framed it.
// Call it when the window is shown; moves after the frame came stay the
// user's. `passeAn`, if given, runs before each placing: a window that fits
// itself to the screen does it there, when its frame is known.

#include <functional>

class QWidget;

void Zentriere(QWidget &fenster, std::function<void()> passeAn = {});
