// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What other windows read from and set on the method window, one interface
// per role: the main window's commands, the settings store, the
// demonstrations, the analysis. Nobody sees the method window's class.

#include "cipher/verschl.h"

#include <functional>
#include <optional>

class QWidget;

// The methods in the order of the method window's buttons. The settings store
// keeps a method as this number, so the numbers never change.
enum class Methode {
    Keine = -1, // nothing selected
    Matrix = 0,
    Caesar = 1,
    Rotation13 = 2,
    Rotation128 = 3,
    Vigenere = 4,
    Substitution = 5,
};

// The method settings as the controls hold them at one moment. Read anew for
// every command; nobody keeps it.
struct Methodeneinstellungen
{
    Methode methode = Methode::Caesar;
    int verschiebung = 2; // Caesar shift 0..25
    verschl::Spaltenwahl spalten; // column count is at least 1
    verschl::Text schluessel; // letters A-Z, a-z only; may be empty
    bool sonderzeichenIgnorieren = false;
    // Substitution: a key word or a whole alphabet, letters only, in capitals;
    // may be empty.
    verschl::Text substitution;
    bool umlauteErsetzen = false;
    bool leerzeichenLoeschen = false;
    bool kleinschrift = false;
    bool grossschrift = false;
};

// The cipher alphabet of a substitution key: a key word's letters first, then
// the rest of A-Z; a whole alphabet stands as it is. Nothing for an empty key.
inline std::optional<verschl::Text> Geheimalphabet(const verschl::Text &schluessel)
{
    if (schluessel.empty())
        return std::nullopt;
    return verschl::SchluesselwortAlphabet(schluessel);
}

// Whether a substitution key is a whole alphabet rather than a key word.
inline bool IstAlphabet(const verschl::Text &schluessel)
{
    return schluessel.size() == 26
        && Geheimalphabet(schluessel) == verschl::InGrossschrift(schluessel);
}

// What the main window reads for encrypting and decrypting, and the window
// itself for showing, hiding and placing it.
class Methodenfenster
{
public:
    virtual ~Methodenfenster() = default;

    virtual Methodeneinstellungen einstellungen() const = 0;
    virtual void setGemerkteVerschiebung(int verschiebung) = 0;
    virtual QWidget &fenster() = 0;
    // `meldung` runs whenever the method or one of its parameters changes,
    // from the user or from code, so the main window can show what its next
    // command will use.
    virtual void setAenderungsmeldung(std::function<void()> meldung) = 0;
};

// The column count as the engine would use it, clamped into 1..100: the one
// reading for everyone but the engine itself, which takes a typed 250 as it
// stands until the field is left.
class Spaltenzahlquelle
{
public:
    virtual ~Spaltenzahlquelle() = default;
    virtual int spaltenzahl() const = 0;
    virtual void setSpaltenzahl(int spalten) = 0;
    // The square layout, or else the manual column count.
    virtual bool quadratisch() const = 0;
    virtual void setQuadratisch(bool quadratisch) = 0;
};

// What the settings store reads and sets. Setting from code runs the same
// handlers as the user's change would.
class Methodenablage : public virtual Spaltenzahlquelle
{
public:
    // A check box of the window, named as its control.
    virtual bool schalter(const char *kaestchen) const = 0;
    virtual void setSchalter(const char *kaestchen, bool an) = 0;
    virtual Methode methode() const = 0;
    virtual void setMethode(Methode methode) = 0; // Keine: ignored
    virtual int GemerkteVerschiebung() const = 0;
    virtual void setGemerkteVerschiebung(int verschiebung) = 0;
    virtual void setVerschiebung(int verschiebung) = 0;
    // The key as the ciphers use it: its letters only.
    virtual verschl::Text schluessel() const = 0;
    // Taken as it is; the field cleans it only when the user leaves it.
    virtual void setSchluessel(const verschl::Text &schluessel) = 0;
    // The substitution key as the cipher uses it: its letters in capitals.
    virtual verschl::Text substitutionsschluessel() const = 0;
    virtual void setSubstitutionsschluessel(const verschl::Text &schluessel) = 0;
};

// What a demonstration reads and sets: the shift (slider and letter list),
// the matrix shape and column count, the Vigenère key and its flag. Setting
// runs the method window's change rules.
class Demomethode : public virtual Spaltenzahlquelle
{
public:
    // The method chosen and its parameters, e.g. the substitution alphabet
    // the Caesar demonstration shows instead of a shift.
    virtual Methodeneinstellungen einstellungen() const = 0;
    virtual int schieberegler() const = 0; // the slider's position
    virtual void setSchieberegler(int position) = 0;
    virtual int buchstabe() const = 0; // index in the letter list, A = 0
    virtual void setBuchstabe(int index) = 0;
    // The key field as it stands, not yet reduced to letters.
    virtual verschl::Text schluesselfeld() const = 0;
    // Taken as it is; the field cleans it only when the user leaves it.
    virtual void setSchluessel(const verschl::Text &schluessel) = 0;
    virtual bool sonderzeichenIgnorieren() const = 0;
    virtual void setSonderzeichenIgnorieren(bool ignorieren) = 0;
};

// What the analysis hands over: each call selects its method and sets what
// the analysis found, through the same change rules as the user's clicks, so
// the next decryption in the main window uses it.
class Analyseuebernahme
{
public:
    virtual ~Analyseuebernahme() = default;
    virtual void uebernimmCaesar(int verschiebung) = 0;
    virtual void uebernimmVigenere(const verschl::Text &schluessel, bool sonderzeichenIgnorieren)
        = 0;
    // Square layout when `quadratisch`, else the manual column count.
    virtual void uebernimmMatrix(int spalten, bool quadratisch) = 0;
    // `alphabet`: 26 cipher letters for A-Z, places left open given the
    // unused letters (ErgaenzeAlphabet).
    virtual void uebernimmSubstitution(const verschl::Text &alphabet) = 0;
};
