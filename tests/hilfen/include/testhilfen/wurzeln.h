// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/registry.h"

#include <QTemporaryDir>

// Both roots of the settings store in temporary folders for as long as it
// lives, so no test reads or writes the real settings.
struct Wurzeln
{
    Wurzeln()
    {
        registry::setzeWurzelordner(registry::Wurzel::AktuellerBenutzer, benutzer.path());
        registry::setzeWurzelordner(registry::Wurzel::LokaleMaschine, maschine.path());
    }
    ~Wurzeln()
    {
        registry::setzeWurzelordner(registry::Wurzel::AktuellerBenutzer, {});
        registry::setzeWurzelordner(registry::Wurzel::LokaleMaschine, {});
    }
    QTemporaryDir benutzer;
    QTemporaryDir maschine;
};
