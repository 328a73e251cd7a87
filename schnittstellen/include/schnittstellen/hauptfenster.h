// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What other windows need of the main window: the method window to show and
// hide it, the demonstrations their texts and settings. Nobody sees the main
// window's class.

#include "cipher/verschl.h"

class Hauptfenster
{
public:
    virtual ~Hauptfenster() = default;

    virtual bool NurMethodenfenster() const = 0;
    // The method window was closed: reset the toggle's state and captions; in
    // option-only mode also end the program by closing the main window.
    virtual void MethodenfensterGeschlossen() = 0;
    // Shows the main window at the end of the method window's creation.
    virtual void zeigen() = 0;
    // Option-only mode: the main window stays hidden, out of sight.
    virtual void ausserSicht() = 0;
};

// The settings the demonstration windows share, kept by the main window,
// with their start values; the speeds in milliseconds.
struct DemoEinstellungen
{
    bool Animation = true;
    int AnimationMin = 0;
    int AnimationMax = 300;
    int AnimationAktuell = 150;
    bool Blinken = false;
};

// Where the demonstration settings are kept: read by the demonstrations and
// the settings store, written by both.
class Demoablage
{
public:
    virtual ~Demoablage() = default;
    virtual DemoEinstellungen demoEinstellungen() const = 0;
    virtual void setDemoEinstellungen(const DemoEinstellungen &einstellungen) = 0;
};

class Demohauptfenster : public virtual Demoablage
{
public:
    virtual verschl::Text klartext() const = 0;
    virtual verschl::Text chiffre() const = 0;
    // "&Demo-Optionen übernehmen": a demonstration's settings go over to the method window.
    virtual bool DemoOptionenUebernehmen() const = 0;
};

// What the breaking window needs of the main window besides a
// demonstration's part: the ciphertext pane's beginning, read without
// converting a pane of many MiB, and the plaintext pane to write into, as one
// step of its undo history.
class Knackhauptfenster
{
public:
    virtual ~Knackhauptfenster() = default;
    // Lengths in shown characters: a line break is one.
    virtual int chiffreZeichen() const = 0;
    virtual verschl::Text chiffreAnfang(int zeichen) const = 0;
    virtual void schreibeKlartext(const verschl::Text &text) = 0;
};
