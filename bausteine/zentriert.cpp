// SPDX-License-Identifier: GPL-3.0-or-later
#include "bausteine/zentriert.h"

#include "platform/fensterplatz.h"

#include <QScreen>
#include <QWidget>
#include <QWindow>

void Zentriere(QWidget &fenster)
{
    fenster.winId(); // the native window, which learns the frame
    fensterplatz::NachRahmen(*fenster.windowHandle(), [&fenster] {
        fenster.setGeometry(QRect(fensterplatz::Mittig(fenster.screen()->geometry(),
                                      fenster.windowHandle()->frameMargins(), fenster.size()),
            fenster.size()));
    });
}
