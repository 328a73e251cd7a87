// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/farben.h"

#include <algorithm>
#include <cmath>

namespace farben {

namespace {

double kanal(double wert)
{
    return wert <= 0.04045 ? wert / 12.92 : std::pow((wert + 0.055) / 1.055, 2.4);
}

double luminanz(const QColor &farbe)
{
    const QColor rgb = farbe.toRgb();
    return 0.2126 * kanal(rgb.redF()) + 0.7152 * kanal(rgb.greenF()) + 0.0722 * kanal(rgb.blueF());
}

} // namespace

double Kontrast(const QColor &a, const QColor &b)
{
    const double la = luminanz(a);
    const double lb = luminanz(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor Lesbar(const QColor &farbe, const QColor &gegen, double mindestens)
{
    if (Kontrast(farbe, gegen) >= mindestens)
        return farbe;
    // Away from the other colour: darker against a light one, lighter against
    // a dark one. Lightness 0 or 1 is black or white, which always reaches 4.5
    // on the side it moves to.
    const bool dunkler = luminanz(gegen) > 0.18;
    float h = 0;
    float s = 0;
    float l = 0;
    float a = 0;
    farbe.toHsl().getHslF(&h, &s, &l, &a);
    QColor ergebnis = farbe;
    for (int schritt = 1; schritt <= 50; ++schritt) {
        const float neu = dunkler ? l * (1.0f - schritt / 50.0f) : l + (1.0f - l) * schritt / 50.0f;
        ergebnis = QColor::fromHslF(h, s, neu, a).toRgb();
        if (Kontrast(ergebnis, gegen) >= mindestens)
            break;
    }
    return ergebnis;
}

} // namespace farben
