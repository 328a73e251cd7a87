// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The Darstellungsgröße: every window of the program drawn larger, for a
// projector at the back of the room. Qt's own scale factor does it, so the
// designed sizes of all windows, their grids and fonts grow alike; Qt fixes
// that factor when the program starts.

#include <algorithm>
#include <array>
#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace darstellung {

// In percent; the first is the designed size.
inline constexpr std::array kGroessen { 100, 125, 150, 200 };
inline constexpr int kEntworfen = kGroessen.front();

// A number that is none of the sizes gives the designed size.
constexpr int gueltig(int prozent)
{
    return std::find(kGroessen.begin(), kGroessen.end(), prozent) != kGroessen.end() ? prozent
                                                                                     : kEntworfen;
}

// What QT_SCALE_FACTOR is set to. Nothing at the designed size, which then
// stays exactly as it has always been drawn.
inline QByteArray Skalenfaktor(int prozent)
{
    prozent = gueltig(prozent);
    return prozent == kEntworfen ? QByteArray() : QByteArray::number(prozent / 100.0);
}

// The size this run is drawn at, as the program start gave it to Qt.
inline int Laufend()
{
    bool zahl = false;
    const double faktor = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble(&zahl);
    return zahl ? gueltig(qRound(faktor * 100)) : kEntworfen;
}

} // namespace darstellung
