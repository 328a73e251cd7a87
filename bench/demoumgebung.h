// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A program whose settings live in a temporary folder, never the user's, with
// a German text of a given size in its plaintext pane and one demonstration
// opened from its menu; and the heap in use, to see what a step keeps.

#include "bausteine/bytefeld.h"
#include "mainwindow/haupt.h"
#include "platform/registry.h"
#include "programm/programm.h"
#include "testhilfen/deutschtext.h"
#include "testhilfen/stilledialoge.h"

#include <malloc.h>
#include <QApplication>
#include <QTemporaryDir>

template <typename Form> struct Demoumgebung
{
    Demoumgebung(std::size_t laenge, void (THauptform::*befehl)())
    {
        registry::setzeWurzelordner(registry::Wurzel::AktuellerBenutzer, ordner.path());
        registry::setzeWurzelordner(registry::Wurzel::LokaleMaschine, ordner.path());
        programm.haupt.findChild<Bytefeld *>(QStringLiteral("MKlar"))
            ->setText(deutschtext::erzeuge(laenge));
        (programm.haupt.*befehl)();
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (auto *f = qobject_cast<Form *>(w))
                demo = f;
        }
        QApplication::processEvents();
    }
    QTemporaryDir ordner;
    StilleDialoge dialoge;
    Programm programm { dialoge, {} };
    Form *demo = nullptr;
};

// Bytes the allocator has handed out and not taken back, in all arenas and
// in blocks of their own.
inline double HeapInGebrauch()
{
    const struct mallinfo2 info = mallinfo2();
    return double(info.uordblks + info.hblkhd);
}
