// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Where the top-level windows go. The places are those of the windows' outer
// rectangles, frame included; but a window manager reports the frame only
// after it has framed the window, which is after the window was shown.

#include <functional>
#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

class QWindow;

namespace fensterplatz {

// Each gives the top-left corner of the client area of a window whose client
// area is `groesse` and whose frame is `rahmen`, on the screen `bildschirm`.
// The client area, because Qt's moves of the outer rectangle come out off by
// the frame under some window managers. A window larger than the screen
// starts at the screen's top left corner, so its title bar stays in reach.

// The frame's left edge at `links`, vertically centred.
QPoint AmLinkenRand(const QRect &bildschirm, const QMargins &rahmen, QSize groesse, int links);
// Centred.
QPoint Mittig(const QRect &bildschirm, const QMargins &rahmen, QSize groesse);
// Right of the outer rectangle `nachbar` and level with its top, but never
// past the screen's right edge nor above its top.
QPoint Daneben(
    const QRect &bildschirm, const QRect &nachbar, const QMargins &rahmen, QSize groesse);
// The outer top left corner `aussen`, moved as little as it takes to bring
// the whole window onto the screen.
QPoint ImBild(const QRect &bildschirm, const QMargins &rahmen, QSize groesse, QPoint aussen);

// Whether `rahmen` is a frame that a window manager has really drawn. While
// it is still framing a window, Qt may report the frame window's unfinished
// size: margins as negative as the window is large (seen: 0, 0, -549, -411),
// which would have been taken for a frame and grown the window by as much.
bool IstRahmen(const QMargins &rahmen);

// Runs `platziere` now and, if the window's frame is not known yet, once more
// as soon as it is (IstRahmen); moves after that are the user's and stay.
void NachRahmen(QWindow &fenster, std::function<void()> platziere);

} // namespace fensterplatz
