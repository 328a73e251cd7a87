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

#include <functional>
#include <QByteArray>
#include <QList>
#include <QString>

class QDataStream;

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
    // What QT_SCALE_FACTOR is to be for the stored Darstellungsgröße: read
    // before the application and its windows exist; empty when nothing is
    // stored, the option is off, or the value is not one of the sizes.
    static QByteArray GespeicherterSkalenfaktor();
    // Every value of the table, for a restart of the program that must find
    // the windows as they are, whether the store is on or not.
    void Uebergeben(QDataStream &aus) const;
    void Uebernehmen(QDataStream &ein);
    static QString EigeneDateienOrdner();

private:
    void setzeAlle(const std::function<einstellung::Gelesen(const einstellung::Eintrag &)> &quelle);
    QList<registry::Wert> einstellungswerte() const;
    einstellung::Ziel ziel() const { return { haupt, methode }; }

    Hauptablage &haupt;
    Methodenablage &methode;
};
