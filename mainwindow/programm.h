#pragma once

// The program's two permanent windows, created and wired in the order of the
// start: main window first, then the method window, which decides what shows.

#include "mainwindow/haupt.h"
#include "method/option.h"

class Programm
{
public:
    Programm(Dialoge &dialoge, const QStringList &argumente);

    THauptform haupt;
    TOptionForm option;
};
