// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The settings store routines: what survives a restart while the user wants
// it to. The key's mere presence means that the option is on. The program
// start calls the loader when the method window's creation order asks for it;
// the main window saves or deletes when the option changes and at closing.
// Which values there are, their names, types and ranges, and how each is
// read from the windows and set on them, says the table in
// schnittstellen/einstellungstabelle.h.

#include "schnittstellen/einstellungstabelle.h"

#include <QList>
#include <QString>

namespace registry {
class Schluessel;
struct Wert;
} // namespace registry

class Einstellungsspeicher
{
public:
    Einstellungsspeicher(Hauptablage &haupt, Methodenablage &methode);

    void EinstellungenLaden();
    // Tells whether every value was written; a failure shows the message,
    // with `ausweg` as its second line when given.
    bool EinstellungenSpeichern(const QString &ausweg = {});
    void EinstellungenLoeschen();
    static void MaschinenEintraegeLoeschen();
    static QString EigeneDateienOrdner();

private:
    void lade(const registry::Schluessel &s, const einstellung::Eintrag &eintrag);
    QList<registry::Wert> einstellungswerte() const;
    einstellung::Ziel ziel() const { return { haupt, methode }; }

    Hauptablage &haupt;
    Methodenablage &methode;
};
