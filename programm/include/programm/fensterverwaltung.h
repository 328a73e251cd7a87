// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Opens the demonstration and help windows when the main window asks. Each
// is a window of its own without a parent, so it has its own taskbar entry;
// it is deleted when closed, and whatever is still open goes with the
// program, so nothing outlives it. A modal kind (the help windows) blocks the
// other windows while it is open, but is only shown, not run in a nested
// loop: the command returns at once, and closing it still deletes it.
//
// A window that cannot be made or shown never takes the program down: the
// matrix and Caesar demonstrations fail without a word, the Vigenère
// demonstration reports a failure to make it but not one to show it, and the
// other kinds report both, with the failure's text as an error message.

#include "schnittstellen/fensterfabrik.h"

#include <functional>
#include <map>
#include <QPointer>
#include <vector>

class Dialoge;
class QWidget;

class Fensterverwaltung : public Fensterfabrik
{
public:
    using Erzeuger = std::function<QWidget *()>;
    enum class Modal { Nein, Ja };

    // Failures are reported through `dialoge`.
    explicit Fensterverwaltung(Dialoge &dialoge);
    Fensterverwaltung(const Fensterverwaltung &) = delete;
    Fensterverwaltung &operator=(const Fensterverwaltung &) = delete;
    ~Fensterverwaltung() override;

    // What makes a window of that kind; the program start sets one per kind.
    void setErzeuger(Fensterart art, Erzeuger erzeuger, Modal modal = Modal::Nein);
    // A kind without a maker opens nothing.
    void oeffne(Fensterart art) override;
    std::vector<Fensterart> offene() const override;
    // The kinds that have a maker, in the order of their values.
    std::vector<Fensterart> arten() const;

private:
    enum class Schritt { Erzeugen, Zeigen };
    void fehlgeschlagen(Fensterart art, Schritt schritt) const;

    Dialoge &dialoge;
    std::map<Fensterart, std::pair<Erzeuger, Modal>> erzeuger;
    std::vector<std::pair<Fensterart, QPointer<QWidget>>> offen;
};
