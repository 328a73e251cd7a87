// SPDX-License-Identifier: GPL-3.0-or-later
#include "bausteine/zentriert.h"

#include "platform/fensterplatz.h"

#include <QScreen>
#include <QWidget>
#include <QWindow>

void Zentriere(QWidget &fenster, std::function<void()> passeAn)
{
    fenster.winId(); // the native window, which learns the frame
    fensterplatz::NachRahmen(*fenster.windowHandle(), [&fenster, passeAn = std::move(passeAn)] {
        if (passeAn)
            passeAn();
        fenster.setGeometry(QRect(fensterplatz::Mittig(fenster.screen()->geometry(),
                                      fenster.windowHandle()->frameMargins(), fenster.size()),
            fenster.size()));
    });
}
