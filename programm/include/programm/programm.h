// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The program start: creates the two permanent windows and wires them in the
// order of the start (main window first, then the method window, which loads
// the settings and decides what shows), and opens the other windows.

#include "mainwindow/einstellungen.h"
#include "mainwindow/haupt.h"
#include "method/option.h"
#include "programm/fensterverwaltung.h"
#include "programm/hilfetaste.h"

class Programm
{
public:
    Programm(Dialoge &dialoge, const QStringList &argumente);

    THauptform haupt;
    TOptionForm option;
    Einstellungsspeicher einstellungen;
    // Last, so the windows it opened go before the two they look at.
    Fensterverwaltung fenster;
    Hilfetaste hilfetaste { fenster };
};
