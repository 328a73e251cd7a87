// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Pictures of the demonstrations' letter grids for slides and worksheets:
// each grid gets a pop-up menu with "Bild kopieren" (PNG on the clipboard)
// and "Bild speichern..." (PNG or SVG). A picture shows the grid as it is
// now, markings included, at twice its size on screen, so it stays sharp on
// a projector.

#include <QImage>

class Dialoge;
class QString;
class QWidget;
class TStringAlignGrid;

QImage Gitterbild(TStringAlignGrid &grid);
// PNG, or SVG when the name ends in ".svg"; through a temporary file, so a
// failure leaves the old file. False on failure.
bool SpeichereGitterbild(TStringAlignGrid &grid, const QString &pfad);
// Gives every grid in the window the pop-up menu; the save dialog goes
// through `dialoge`, which must outlive the window.
void GitterbilderAnbieten(QWidget &fenster, Dialoge &dialoge);
