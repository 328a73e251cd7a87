// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The main window asks for the demonstration, analysis and help windows
// through this; the program start makes and owns them, so the main window
// knows none of their classes.

#include <vector>

enum class Fensterart {
    MatrixDemo,
    CaesarDemo,
    VigenereDemo,
    Info,
    Liesmich,
    Analyse,
    Arbeitsblatt,
    // The breaking window, opened on one of its pages.
    KnackenCaesar,
    KnackenMatrix,
    KnackenVigenere,
    KnackenSubstitution
};

class Fensterfabrik
{
public:
    virtual ~Fensterfabrik() = default;
    virtual void oeffne(Fensterart art) = 0;
    // The kinds of the windows it opened that are still open, oldest first.
    virtual std::vector<Fensterart> offene() const = 0;
};
