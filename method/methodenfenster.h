#pragma once

// What the main window reads from and sets on the method window. The main
// window sees the method window only through this.

#include "cipher/verschl.h"

class QWidget;

// The method settings as the controls hold them at one moment. Read anew for
// every command; nobody keeps it.
struct Methodeneinstellungen
{
    int methode = 1; // 0..4, -1 when nothing is selected
    int verschiebung = 2; // Caesar shift 0..25
    verschl::Spaltenwahl spalten; // column count is at least 1
    verschl::Text schluessel; // letters A-Z, a-z only; may be empty
    bool sonderzeichenIgnorieren = false;
    bool umlauteErsetzen = false;
    bool leerzeichenLoeschen = false;
    bool kleinschrift = false;
    bool grossschrift = false;
};

class Methodenfenster
{
public:
    virtual ~Methodenfenster() = default;

    virtual Methodeneinstellungen einstellungen() const = 0;
    virtual void setGemerkteVerschiebung(int verschiebung) = 0;
    // The window itself, for showing, hiding and placing it.
    virtual QWidget &fenster() = 0;

    // Single controls, for the settings store and the demonstrations. Setting
    // from code runs the same handlers as the user's change would.
    enum class Schalter {
        MatrixQuadratisch,
        SonderzeichenIgnorieren,
        Kleinschrift,
        Grossschrift,
        LeerzeichenLoeschen,
        UmlauteErsetzen,
        ImVordergrund,
    };
    virtual bool schalter(Schalter schalter) const = 0;
    virtual void setSchalter(Schalter schalter, bool an) = 0;
    virtual void setMethode(int methode) = 0; // outside 0..4: ignored
    virtual void setVerschiebung(int verschiebung) = 0;
    virtual int GemerkteVerschiebung() const = 0;
    virtual int spaltenzahl() const = 0;
    virtual void setSpaltenzahl(int spalten) = 0;
    virtual void setSchluessel(const verschl::Text &schluessel) = 0;
};
