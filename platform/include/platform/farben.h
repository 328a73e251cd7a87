// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Readable colours on any desktop colour scheme. Contrast is measured as the
// web accessibility guidelines define it: (L1 + 0.05) / (L2 + 0.05) of the
// relative luminances, from 1 (same) to 21 (black on white); 4.5 is the least
// they ask for ordinary text.

#include <QColor>

namespace farben {

inline constexpr double kLesbar = 4.5;

double Kontrast(const QColor &a, const QColor &b);

// `farbe` itself when it has at least `mindestens` contrast to `gegen`;
// otherwise the same hue made darker (or lighter, against a dark colour)
// just far enough.
QColor Lesbar(const QColor &farbe, const QColor &gegen, double mindestens = kLesbar);

} // namespace farben
