// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the settings store reads from and sets on the main window, so that it
// never reaches into the window's controls. Setting runs what the user's
// click would: word wrap and colours set their panes.

#include "schnittstellen/hauptfenster.h"

#include <QFont>
#include <QString>

class Hauptablage : public virtual Demoablage
{
public:
    // A check mark of the menus, named as its action: set as the user's click would.
    virtual bool haken(const char *aktion) const = 0;
    virtual void setHaken(const char *aktion, bool an) = 0;
    // A choice of the menus held by an exclusive group of check marks, named
    // as the group, each item standing for a number. Setting it only moves
    // the mark; false, and nothing moves, for a number no item stands for.
    virtual int auswahl(const char *gruppe) const = 0;
    virtual bool setAuswahl(const char *gruppe, int wert) = 0;
    // The mark of the store itself, set without saving or deleting anything.
    virtual void setImSpeicher(bool an) = 0;
    // The shared starting folder of the file dialogs.
    virtual QString pfad() const = 0;
    virtual void setPfad(const QString &pfad) = 0;
    // The font of both panes.
    virtual QFont schrift() const = 0;
    virtual void setSchrift(const QFont &schrift) = 0;
    virtual void zeigeFehler(const QString &meldung) = 0;
};
