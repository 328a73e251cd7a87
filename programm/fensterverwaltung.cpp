// SPDX-License-Identifier: GPL-3.0-or-later
#include "programm/fensterverwaltung.h"

#include "schnittstellen/dialoge.h"

#include <algorithm>
#include <exception>
#include <new>
#include <QWidget>

namespace {

// The text of the failure being handled, in German where it is one of ours
// to name.
QString fehlertext()
{
    try {
        throw;
    } catch (const std::bad_alloc &) {
        return QStringLiteral("Nicht genügend Arbeitsspeicher, um das Fenster zu öffnen.");
    } catch (const std::exception &fehler) {
        return QString::fromLocal8Bit(fehler.what());
    } catch (...) {
        return QStringLiteral("Unbekannter Fehler beim Öffnen des Fensters.");
    }
}

} // namespace

Fensterverwaltung::Fensterverwaltung(Dialoge &dialoge)
    : dialoge(dialoge)
{ }

Fensterverwaltung::~Fensterverwaltung()
{
    for (const auto &[art, fenster] : offen)
        delete fenster.data();
}

void Fensterverwaltung::setErzeuger(Fensterart art, Erzeuger neu, Modal modal)
{
    erzeuger[art] = { std::move(neu), modal };
}

std::vector<Fensterart> Fensterverwaltung::arten() const
{
    std::vector<Fensterart> liste;
    for (const auto &eintrag : erzeuger)
        liste.push_back(eintrag.first);
    return liste;
}

void Fensterverwaltung::oeffne(Fensterart art)
{
    const auto gefunden = erzeuger.find(art);
    if (gefunden == erzeuger.end())
        return;
    QWidget *fenster = nullptr;
    try {
        fenster = gefunden->second.first();
    } catch (...) {
        fehlgeschlagen(art, Schritt::Erzeugen);
        return;
    }
    try {
        fenster->setParent(nullptr, fenster->windowFlags() | Qt::Window);
        if (gefunden->second.second == Modal::Ja)
            fenster->setWindowModality(Qt::ApplicationModal);
        fenster->setAttribute(Qt::WA_DeleteOnClose);
        fenster->show();
    } catch (...) {
        // Half shown, it would linger where nobody can close it.
        delete fenster;
        fehlgeschlagen(art, Schritt::Zeigen);
        return;
    }
    // Closed windows leave null pointers behind; they go before the list grows.
    std::erase_if(offen, [](const auto &f) { return f.second.isNull(); });
    offen.emplace_back(art, fenster);
}

std::vector<Fensterart> Fensterverwaltung::offene() const
{
    std::vector<Fensterart> arten;
    for (const auto &[art, fenster] : offen) {
        if (fenster)
            arten.push_back(art);
    }
    return arten;
}

// Called while the failure is being handled.
void Fensterverwaltung::fehlgeschlagen(Fensterart art, Schritt schritt) const
{
    const bool still = art == Fensterart::MatrixDemo || art == Fensterart::CaesarDemo
        || (art == Fensterart::VigenereDemo && schritt == Schritt::Zeigen);
    if (!still)
        dialoge.ZeigeFehler(nullptr, fehlertext());
}
