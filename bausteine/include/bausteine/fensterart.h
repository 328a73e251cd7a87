// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The kind of window that the method window and the demonstrations are: a
// top-level window of its own with system menu and minimise button, but no
// maximise button, since their controls sit at designed places.

#include <Qt>

inline constexpr Qt::WindowFlags kFensterArt = Qt::Window | Qt::CustomizeWindowHint
    | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
    | Qt::WindowCloseButtonHint;
