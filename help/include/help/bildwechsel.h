// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What both help windows share: the two pictures of the program's icon at
// the bottom left, one shown at a time, and the window's pop-up menu.

#include <QString>

class QAction;
class QEvent;
class QDialog;
class QLabel;
class QMenu;
class QWidget;

namespace bildwechsel {

// Makes `Icon` (shown) and `Icon2` (hidden) at the same place; a click or
// double click on either is to go through Wechsle().
QLabel *Bild(QWidget *eltern, const char *name, const QString &datei, bool sichtbar);
// Inverts the visibility of both, so the pictures take turns.
void Wechsle(QLabel *icon, QLabel *icon2);
// True for the events that count as a click or double click on a picture.
bool IstKlick(const QEvent *event);
// A dialog border: title and close box, no minimise or maximise box; and
// centred on the screen when shown, frame included, as the program's other
// windows are (a dialog's own placement guesses the frame before the window
// manager has drawn it, and comes out too high).
void Dialograhmen(QDialog *fenster);
// The pop-up menu with its one item "Schließen", shown on a right click.
QMenu *Popup(QDialog *fenster);

} // namespace bildwechsel
