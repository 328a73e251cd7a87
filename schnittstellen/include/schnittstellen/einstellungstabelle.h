// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Every value of the settings store, declared once: its name in the store,
// its type, how it is read from the windows and set on them, its start value
// and the range a load accepts. The store writes the values in the order of
// this table and loads them in it; the windows take their start values and
// the limits of their fields from it. Here rather than in platform/, which
// keeps any key of any program: these are the program's own settings, and
// every window sees this folder.
//
// A new value is one row here plus its control.
//
// The names and types are what users' stored settings hold: they never change.

#include "platform/codepage.h"
#include "schnittstellen/darstellung.h"
#include "schnittstellen/hauptablage.h"
#include "schnittstellen/methodenfenster.h"

#include <array>
#include <cstddef>
#include <optional>
#include <QCoreApplication>
#include <QDir>
#include <string_view>
#include <variant>

namespace einstellung {

enum class Typ { Text, Ganzzahl, Bool };
// A value as the store holds it, in the order of Typ.
using Wert = std::variant<QString, qint32, bool>;
using Gelesen = std::optional<Wert>; // nothing: the store holds no such value

// The two windows as the store sees them.
struct Ziel
{
    Hauptablage &haupt;
    Methodenablage &methode;
};

struct Eintrag;

// How a value is read from the windows, and set on them from what a load
// found. A value without `setze` is written for other tools only.
struct Bindung
{
    Wert (*lies)(const Ziel &, const Eintrag &);
    void (*setze)(const Ziel &, const Eintrag &, const Gelesen &) = nullptr;
};

struct Eintrag
{
    std::u16string_view schluessel; // the value's name in the store
    Typ typ;
    Bindung bindung;
    int standard = 0; // start value of a number or switch (0 or 1)
    int min = 0; // a number outside min..max is not loaded
    int max = 0;
    std::u16string_view text = {}; // start value of a text, where it has one
    const char *steuer = nullptr; // the check mark or check box of a switch
    std::u16string_view vor = {}; // loaded just before the value of this name
};

constexpr bool imBereich(const Eintrag &e, qint32 wert) { return wert >= e.min && wert <= e.max; }

// A stored number outside the range counts as not stored.
inline std::optional<qint32> zahl(const Eintrag &e, const Gelesen &w)
{
    return w && imBereich(e, std::get<qint32>(*w)) ? std::optional(std::get<qint32>(*w))
                                                   : std::nullopt;
}

namespace bindung {

// The stored Vigenère key is scrambled with this fixed key.
inline const verschl::Text kVerschleierung = "quellwasserklingen";

inline constexpr Bindung kHaken {
    [](const Ziel &z, const Eintrag &e) -> Wert { return z.haupt.haken(e.steuer); },
    [](const Ziel &z, const Eintrag &e, const Gelesen &w) {
        if (w)
            z.haupt.setHaken(e.steuer, std::get<bool>(*w));
    },
};

// A number none of the items stands for gives the start value.
inline constexpr Bindung kAuswahl {
    [](const Ziel &z, const Eintrag &e) -> Wert { return qint32(z.haupt.auswahl(e.steuer)); },
    [](const Ziel &z, const Eintrag &e, const Gelesen &w) {
        if (!z.haupt.setAuswahl(e.steuer, w ? std::get<qint32>(*w) : e.standard))
            z.haupt.setAuswahl(e.steuer, e.standard);
    },
};

inline constexpr Bindung kKaestchen {
    [](const Ziel &z, const Eintrag &e) -> Wert { return z.methode.schalter(e.steuer); },
    [](const Ziel &z, const Eintrag &e, const Gelesen &w) {
        if (w)
            z.methode.setSchalter(e.steuer, std::get<bool>(*w));
    },
};

// The style is rebuilt from nothing: a key without style values gives plain text.
template <bool (QFont::*lesen)() const, void (QFont::*setzen)(bool)> constexpr Bindung schriftstil()
{
    return {
        [](const Ziel &z, const Eintrag &) -> Wert { return (z.haupt.schrift().*lesen)(); },
        [](const Ziel &z, const Eintrag &, const Gelesen &w) {
            QFont schrift = z.haupt.schrift();
            (schrift.*setzen)(w && std::get<bool>(*w));
            z.haupt.setSchrift(schrift);
        },
    };
}

template <bool DemoEinstellungen::*feld> constexpr Bindung demoschalter()
{
    return {
        [](const Ziel &z, const Eintrag &) -> Wert { return z.haupt.demoEinstellungen().*feld; },
        [](const Ziel &z, const Eintrag &, const Gelesen &w) {
            DemoEinstellungen demo = z.haupt.demoEinstellungen();
            if (w)
                demo.*feld = std::get<bool>(*w);
            z.haupt.setDemoEinstellungen(demo);
        },
    };
}

template <int DemoEinstellungen::*feld> Wert demozahl(const Ziel &z, const Eintrag &)
{
    return qint32(z.haupt.demoEinstellungen().*feld);
}

// Each range check of the speeds uses the values loaded just before it: the
// maximum's lower limit is the minimum, and the current speed lies between the two.
inline constexpr Bindung kAnimationMin {
    demozahl<&DemoEinstellungen::AnimationMin>,
    [](const Ziel &z, const Eintrag &e, const Gelesen &w) {
        DemoEinstellungen demo = z.haupt.demoEinstellungen();
        if (!w)
            demo.AnimationMin = e.standard;
        else if (const auto min = zahl(e, w))
            demo.AnimationMin = *min;
        z.haupt.setDemoEinstellungen(demo);
    },
};

inline constexpr Bindung kAnimationMax {
    demozahl<&DemoEinstellungen::AnimationMax>,
    [](const Ziel &z, const Eintrag &e, const Gelesen &w) {
        const DemoEinstellungen start;
        DemoEinstellungen demo = z.haupt.demoEinstellungen();
        const auto max = zahl(e, w);
        if (!w) {
            demo.AnimationMax = demo.AnimationMin + (start.AnimationMax - start.AnimationMin);
        } else if (max && *max >= demo.AnimationMin) {
            demo.AnimationMax = *max;
        } else {
            demo.AnimationMin = start.AnimationMin;
            demo.AnimationMax = start.AnimationMax;
        }
        z.haupt.setDemoEinstellungen(demo);
    },
};

inline constexpr Bindung kAnimationAktuell {
    demozahl<&DemoEinstellungen::AnimationAktuell>,
    [](const Ziel &z, const Eintrag &, const Gelesen &w) {
        DemoEinstellungen demo = z.haupt.demoEinstellungen();
        const auto aktuell = w ? std::optional(std::get<qint32>(*w)) : std::nullopt;
        demo.AnimationAktuell
            = aktuell && *aktuell >= demo.AnimationMin && *aktuell <= demo.AnimationMax
            ? *aktuell
            : (demo.AnimationMin + demo.AnimationMax) / 2;
        z.haupt.setDemoEinstellungen(demo);
    },
};

inline int punktgroesse(const QFont &schrift)
{
    // A font given in pixels is counted at 96 dots per inch.
    return schrift.pointSize() > 0 ? schrift.pointSize() : qRound(schrift.pixelSize() * 0.75);
}

} // namespace bindung

// A switch held by a check mark of the main window's menus, named as its action.
constexpr Eintrag haken(std::u16string_view schluessel, bool an, const char *aktion)
{
    return { schluessel, Typ::Bool, bindung::kHaken, an, 0, 0, {}, aktion };
}

// A number held by a group of check marks of the main window's menus, named as the group.
constexpr Eintrag auswahl(std::u16string_view schluessel, int standard, const char *gruppe)
{
    return { schluessel, Typ::Ganzzahl, bindung::kAuswahl, standard, 0, 0, {}, gruppe };
}

// A switch held by a check box of the method window, named as its control.
constexpr Eintrag kaestchen(std::u16string_view schluessel, bool an, const char *kaestchen)
{
    return { schluessel, Typ::Bool, bindung::kKaestchen, an, 0, 0, {}, kaestchen };
}

inline constexpr std::array kTabelle {
    // Written for other tools only; never read.
    Eintrag { u"Programmpfad", Typ::Text, { [](const Ziel &, const Eintrag &) -> Wert {
                 return QDir::toNativeSeparators(QCoreApplication::applicationDirPath() + u'/');
             } } },
    Eintrag { u"Pfad", Typ::Text,
        { [](const Ziel &z, const Eintrag &) -> Wert { return z.haupt.pfad(); },
            [](const Ziel &z, const Eintrag &, const Gelesen &w) {
                if (w)
                    z.haupt.setPfad(std::get<QString>(*w));
            } } },
    haken(u"WordWrap", true, "Zeilenumbruchautomatisch"),
    haken(u"HintergrundFarbig", true, "MMHintergrundfarbig"),
    Eintrag { u"Font", Typ::Text,
        { [](const Ziel &z, const Eintrag &) -> Wert { return z.haupt.schrift().family(); },
            [](const Ziel &z, const Eintrag &, const Gelesen &w) {
                QFont schrift = z.haupt.schrift();
                if (w)
                    schrift.setFamilies({ std::get<QString>(*w) });
                z.haupt.setSchrift(schrift);
            } } },
    // Starts as the panes' font. The range holds the point sizes that Qt's font dialog lets
    // the user type; a larger one leaves the panes blank.
    Eintrag { u"Fontsize", Typ::Ganzzahl,
        { [](const Ziel &z, const Eintrag &) -> Wert {
             return qint32(bindung::punktgroesse(z.haupt.schrift()));
         },
            [](const Ziel &z, const Eintrag &e, const Gelesen &w) {
                QFont schrift = z.haupt.schrift();
                if (const auto groesse = zahl(e, w))
                    schrift.setPointSize(*groesse);
                z.haupt.setSchrift(schrift);
            } },
        0, 1, 512 },
    Eintrag { u"FontBold", Typ::Bool, bindung::schriftstil<&QFont::bold, &QFont::setBold>() },
    Eintrag { u"FontItalic", Typ::Bool, bindung::schriftstil<&QFont::italic, &QFont::setItalic>() },
    Eintrag { u"FontUnderline", Typ::Bool,
        bindung::schriftstil<&QFont::underline, &QFont::setUnderline>() },
    Eintrag { u"FontStrikeOut", Typ::Bool,
        bindung::schriftstil<&QFont::strikeOut, &QFont::setStrikeOut>() },
    // The number of a Methode: Caesar. A stored number that names no method leaves the
    // selection as it is.
    Eintrag { u"Methode", Typ::Ganzzahl,
        { [](const Ziel &z, const Eintrag &) -> Wert { return qint32(z.methode.methode()); },
            [](const Ziel &z, const Eintrag &e, const Gelesen &w) {
                if (w)
                    z.methode.setMethode(zahl(e, w) ? Methode(*zahl(e, w)) : Methode::Keine);
            } },
        1, 0, 5 },
    Eintrag { u"MatrixQuadratisch", Typ::Bool,
        { [](const Ziel &z, const Eintrag &) -> Wert { return z.methode.quadratisch(); },
            [](const Ziel &z, const Eintrag &, const Gelesen &w) {
                if (w)
                    z.methode.setQuadratisch(std::get<bool>(*w));
            } },
        1 },
    Eintrag { u"Spaltenzahl", Typ::Ganzzahl,
        { [](const Ziel &z, const Eintrag &) -> Wert { return qint32(z.methode.spaltenzahl()); },
            [](const Ziel &z, const Eintrag &e, const Gelesen &w) {
                if (const auto spalten = zahl(e, w))
                    z.methode.setSpaltenzahl(*spalten);
            } },
        5, 1, 100 },
    // Letter C; A = 0. Loaded before the method, so selecting Caesar shows the loaded shift.
    Eintrag { u"CaesarVerschiebung", Typ::Ganzzahl,
        { [](const Ziel &z, const Eintrag &) -> Wert {
             return qint32(z.methode.GemerkteVerschiebung());
         },
            [](const Ziel &z, const Eintrag &e, const Gelesen &w) {
                if (const auto verschiebung = zahl(e, w)) {
                    z.methode.setGemerkteVerschiebung(*verschiebung);
                    z.methode.setVerschiebung(*verschiebung);
                }
            } },
        2, 0, 25, {}, nullptr, u"Methode" },
    // The key as the ciphers use it (letters only), so that stored ciphertexts still
    // decrypt with the key that comes back; an empty one gives the start key.
    Eintrag { u"VigenereSchluessel", Typ::Text,
        { [](const Ziel &z, const Eintrag &) -> Wert {
             return codepage::AlsZeichenkette(*verschl::VigenereVerschluesseln(
                 z.methode.schluessel(), bindung::kVerschleierung, false));
         },
            [](const Ziel &z, const Eintrag &e, const Gelesen &w) {
                if (!w)
                    return;
                const verschl::Text schluessel = *verschl::VigenereEntschluesseln(
                    codepage::AusZeichenkette(codepage::NurBuchstaben(std::get<QString>(*w))),
                    bindung::kVerschleierung, false);
                z.methode.setSchluessel(schluessel.empty()
                        ? codepage::AusZeichenkette(QStringView(e.text).toString())
                        : schluessel);
            } },
        0, 0, 0, u"Wolkenturm" },
    // Letters only, as the cipher uses them; a value without one gives the start key.
    Eintrag { u"SubstitutionSchluessel", Typ::Text,
        { [](const Ziel &z, const Eintrag &) -> Wert {
             return codepage::AlsZeichenkette(z.methode.substitutionsschluessel());
         },
            [](const Ziel &z, const Eintrag &e, const Gelesen &w) {
                if (!w)
                    return;
                const QString buchstaben = codepage::NurBuchstaben(std::get<QString>(*w)).toUpper();
                z.methode.setSubstitutionsschluessel(codepage::AusZeichenkette(
                    buchstaben.isEmpty() ? QStringView(e.text).toString() : buchstaben));
            } },
        0, 0, 0, u"ZIFFERON" },
    // When both are stored as set, Grossschrift comes later and stays the one checked.
    kaestchen(u"SonderzeichenIgnorieren", false, "CBSonderignorieren"),
    kaestchen(u"Kleinschrift", false, "CBKlein"),
    kaestchen(u"Grossschrift", false, "CBGross"),
    kaestchen(u"LeerzeichenLoeschen", false, "CBLeerzeichen"),
    kaestchen(u"UmlauteErsetzen", false, "CBUmlauteErsetzen"),
    haken(u"NichtGespeichertWarnung", true, "SMNichtgespeichertWarnung"),
    haken(u"UeberschreibWarnung", true, "SMUeberschreibwarnung"),
    kaestchen(u"ImVordergrund", true, "CBStayOnTop"),
    haken(u"DemoOptUebernehmen", false, "MMDemoOptUebernehmen"),
    // The demonstration settings start as DemoEinstellungen does; speeds in milliseconds.
    Eintrag { u"Animation", Typ::Bool, bindung::demoschalter<&DemoEinstellungen::Animation>(),
        DemoEinstellungen {}.Animation },
    Eintrag { u"AnimationMin", Typ::Ganzzahl, bindung::kAnimationMin,
        DemoEinstellungen {}.AnimationMin, 0, 3000 },
    Eintrag { u"AnimationMax", Typ::Ganzzahl, bindung::kAnimationMax,
        DemoEinstellungen {}.AnimationMax, 0, 5000 },
    Eintrag { u"AnimationAktuell", Typ::Ganzzahl, bindung::kAnimationAktuell,
        DemoEinstellungen {}.AnimationAktuell, 0, 5000 },
    Eintrag { u"Blinken", Typ::Bool, bindung::demoschalter<&DemoEinstellungen::Blinken>(),
        DemoEinstellungen {}.Blinken },
    // In percent; the program reads it once more before its first window (darstellung.h).
    auswahl(u"Darstellungsgroesse", darstellung::kEntworfen, "Darstellungsgroesse"),
};

// A name that is not in the table does not compile.
consteval const Eintrag &eintrag(std::u16string_view schluessel)
{
    for (const Eintrag &e : kTabelle) {
        if (e.schluessel == schluessel)
            return e;
    }
    throw "no such value in the settings table";
}

// Each name once, and a value loaded before another names one of the table.
consteval bool eindeutig()
{
    for (std::size_t i = 0; i < kTabelle.size(); ++i) {
        bool vorGefunden = kTabelle[i].vor.empty();
        for (std::size_t j = 0; j < kTabelle.size(); ++j) {
            if (j != i && kTabelle[i].schluessel == kTabelle[j].schluessel)
                return false;
            vorGefunden = vorGefunden || kTabelle[i].vor == kTabelle[j].schluessel;
        }
        if (!vorGefunden)
            return false;
    }
    return true;
}
static_assert(eindeutig());

consteval int standard(std::u16string_view schluessel) { return eintrag(schluessel).standard; }
consteval bool standardAn(std::u16string_view schluessel)
{
    return eintrag(schluessel).standard != 0;
}
consteval int min(std::u16string_view schluessel) { return eintrag(schluessel).min; }
consteval int max(std::u16string_view schluessel) { return eintrag(schluessel).max; }

static_assert(
    min(u"Methode") == int(Methode::Matrix) && max(u"Methode") == int(Methode::Substitution),
    "the stored method numbers are those of Methode");

} // namespace einstellung
