// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The small controls that the windows place at their designed pixel places.
// Each is created in its parent, named for tests and readers, and put in
// place; the window creates them in its tab order.

#include <QFrame>

class QComboBox;
class QLabel;
class QPushButton;
class QRect;
class QSlider;
class QString;
class QWidget;

// A caption at its place, as large as its text.
QLabel *beschriftung(QWidget *eltern, const char *name, const QString &text, int links, int oben);
QPushButton *knopf(QWidget *eltern, const char *name, const QString &text, const QRect &platz);
// A sunken frame: a dividing line or a panel behind a group of controls.
QFrame *vertieft(QWidget *eltern, const char *name, QFrame::Shape form, const QRect &platz);

// The tooltip of every "Sonderzeichen ignorieren" box: the one switch whose
// effect a text that will not decrypt gives no hint of.
QString SonderzeichenHinweis();

// A Caesar shift as the letter that A becomes, in a list of A..Z that opens
// ten rows high, and as a slider 0..25 with a tick per letter beside it. Two
// controls of the window, not one widget around them: each keeps its own
// place in the tab order and among the other controls, which the method
// window lays over the same area. The window connects them with its own
// handlers.
struct Verschiebungswahl
{
    QComboBox *liste = nullptr; // "ComboBox"
    QSlider *regler = nullptr; // "TrackBar"
};
Verschiebungswahl erzeugeVerschiebungswahl(
    QWidget *eltern, const QRect &listenplatz, const QRect &reglerplatz);
