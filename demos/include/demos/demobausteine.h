// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the stepping demonstrations share: the one-line fields that show a
// Text one character per byte, the direction and step buttons, and the
// animation controls with their settings in the main window.

#include "cipher/verschl.h"

#include <QString>

class Bytezeile;
class Demohauptfenster;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QRect;
class QSlider;
class QToolButton;
class QWidget;
struct DemoEinstellungen;

namespace demo {

// A one-line field for any Text: one character per byte, any length, and the
// selection stays visible while the focus is elsewhere, since it shows which
// character is in work.
QLineEdit *Zeilenfeld(QWidget *eltern, const char *name);
verschl::Text Feldtext(const QLineEdit &feld);
void setzeFeld(QLineEdit &feld, const verschl::Text &text);
// The same for a text that a demonstration steps through: a step reads and
// changes single bytes, whatever the text's length.
Bytezeile *Textzeile(QWidget *eltern, const char *name);

// One of the two buttons that choose the direction of the steps: stays down
// while its direction is on and never takes the focus.
QToolButton *Richtungsknopf(
    QWidget *eltern, const char *name, const QString &text, const QRect &platz);

// A button whose accelerator clicks at once. Qt's shows the button pressed
// for 100 ms first and makes one click of every press in that time, so the
// presses that waited during a running light would become one step.
QPushButton *Sofortknopf(QWidget *eltern, const char *name, const QString &text);

// The index of a letter in the alphabet, either case; -1 for any other byte.
int BuchstabenIndex(unsigned char c);

// The speed slider takes the main window's range whole and its position,
// without writing anything back.
void setzeGeschwindigkeit(QSlider &regler, const DemoEinstellungen &einstellungen);
// The slider shows exactly while the animation is on; the caption says so.
void zeigeAnimation(QCheckBox &animation, QSlider &regler);
// One step of a running light lasts Max + Min - Position of the slider.
void WarteSchritt(const QSlider &regler);

// Writes one setting back into the main window's demonstration settings.
void schreibeAnimation(Demohauptfenster &haupt, bool an);
void schreibeGeschwindigkeit(Demohauptfenster &haupt, int position);
void schreibeBlinken(Demohauptfenster &haupt, bool an);

} // namespace demo
