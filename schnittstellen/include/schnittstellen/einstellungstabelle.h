// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Every value of the settings store, declared once: its name in the store,
// its type, its start value and the range a load accepts. The store writes
// the values in the order of this table; the windows take their start values
// and the limits of their fields from it. Here rather than in platform/, which
// keeps any key of any program: these are the program's own settings, and
// every window sees this folder.
//
// The names and types are what users' stored settings hold: they never change.

#include <array>
#include <cstddef>
#include <string_view>

namespace einstellung {

enum class Name {
    Programmpfad,
    Pfad,
    WordWrap,
    HintergrundFarbig,
    Font,
    Fontsize,
    FontBold,
    FontItalic,
    FontUnderline,
    FontStrikeOut,
    Methode,
    MatrixQuadratisch,
    Spaltenzahl,
    CaesarVerschiebung,
    VigenereSchluessel,
    SonderzeichenIgnorieren,
    Kleinschrift,
    Grossschrift,
    LeerzeichenLoeschen,
    UmlauteErsetzen,
    NichtGespeichertWarnung,
    UeberschreibWarnung,
    ImVordergrund,
    DemoOptUebernehmen,
    Animation,
    AnimationMin,
    AnimationMax,
    AnimationAktuell,
    Blinken,
};

enum class Typ { Text, Ganzzahl, Bool };

struct Eintrag
{
    Name name;
    std::u16string_view schluessel; // the value's name in the store
    Typ typ;
    int standard = 0; // start value of a number or switch (0 or 1)
    int min = 0; // a number outside min..max is not loaded
    int max = 0;
    std::u16string_view text = {}; // start value of a text, where it has one
};

inline constexpr std::array kTabelle {
    // Written for other tools only; never read.
    Eintrag { Name::Programmpfad, u"Programmpfad", Typ::Text },
    Eintrag { Name::Pfad, u"Pfad", Typ::Text },
    Eintrag { Name::WordWrap, u"WordWrap", Typ::Bool, 1 },
    Eintrag { Name::HintergrundFarbig, u"HintergrundFarbig", Typ::Bool, 1 },
    Eintrag { Name::Font, u"Font", Typ::Text },
    // Starts as the panes' font. The range holds the point sizes that Qt's font dialog lets
    // the user type; a larger one leaves the panes blank.
    Eintrag { Name::Fontsize, u"Fontsize", Typ::Ganzzahl, 0, 1, 512 },
    Eintrag { Name::FontBold, u"FontBold", Typ::Bool },
    Eintrag { Name::FontItalic, u"FontItalic", Typ::Bool },
    Eintrag { Name::FontUnderline, u"FontUnderline", Typ::Bool },
    Eintrag { Name::FontStrikeOut, u"FontStrikeOut", Typ::Bool },
    // The number of a Methode: Caesar.
    Eintrag { Name::Methode, u"Methode", Typ::Ganzzahl, 1, 0, 4 },
    Eintrag { Name::MatrixQuadratisch, u"MatrixQuadratisch", Typ::Bool, 1 },
    Eintrag { Name::Spaltenzahl, u"Spaltenzahl", Typ::Ganzzahl, 5, 1, 100 },
    // Letter C; A = 0.
    Eintrag { Name::CaesarVerschiebung, u"CaesarVerschiebung", Typ::Ganzzahl, 2, 0, 25 },
    Eintrag { Name::VigenereSchluessel, u"VigenereSchluessel", Typ::Text, 0, 0, 0, u"Wolkenturm" },
    Eintrag { Name::SonderzeichenIgnorieren, u"SonderzeichenIgnorieren", Typ::Bool },
    Eintrag { Name::Kleinschrift, u"Kleinschrift", Typ::Bool },
    Eintrag { Name::Grossschrift, u"Grossschrift", Typ::Bool },
    Eintrag { Name::LeerzeichenLoeschen, u"LeerzeichenLoeschen", Typ::Bool },
    Eintrag { Name::UmlauteErsetzen, u"UmlauteErsetzen", Typ::Bool },
    Eintrag { Name::NichtGespeichertWarnung, u"NichtGespeichertWarnung", Typ::Bool, 1 },
    Eintrag { Name::UeberschreibWarnung, u"UeberschreibWarnung", Typ::Bool, 1 },
    Eintrag { Name::ImVordergrund, u"ImVordergrund", Typ::Bool, 1 },
    Eintrag { Name::DemoOptUebernehmen, u"DemoOptUebernehmen", Typ::Bool },
    Eintrag { Name::Animation, u"Animation", Typ::Bool, 1 },
    // Milliseconds. The maximum's lower limit is the minimum just loaded, and the current
    // speed lies between the two.
    Eintrag { Name::AnimationMin, u"AnimationMin", Typ::Ganzzahl, 0, 0, 3000 },
    Eintrag { Name::AnimationMax, u"AnimationMax", Typ::Ganzzahl, 300, 0, 5000 },
    Eintrag { Name::AnimationAktuell, u"AnimationAktuell", Typ::Ganzzahl, 150, 0, 5000 },
    Eintrag { Name::Blinken, u"Blinken", Typ::Bool },
};

// The table holds each name once, at the place of its number.
consteval bool vollstaendig()
{
    for (std::size_t i = 0; i < kTabelle.size(); ++i) {
        if (static_cast<std::size_t>(kTabelle[i].name) != i)
            return false;
    }
    return kTabelle.size() == static_cast<std::size_t>(Name::Blinken) + 1;
}
static_assert(vollstaendig());

constexpr const Eintrag &eintrag(Name name) { return kTabelle[static_cast<std::size_t>(name)]; }
constexpr int standard(Name name) { return eintrag(name).standard; }
constexpr bool standardAn(Name name) { return eintrag(name).standard != 0; }
constexpr int min(Name name) { return eintrag(name).min; }
constexpr int max(Name name) { return eintrag(name).max; }

} // namespace einstellung
