// SPDX-License-Identifier: GPL-3.0-or-later
// The keys of a worksheet's variants, so that neighbours cannot copy.

#include "arbeitsblatt/blatt.h"
#include "schnittstellen/methodenfenster.h"

#include <algorithm>
#include <cstdint>
#include <random>
#include <set>
#include <utility>

namespace {

// Matrix sheets draw their column counts from here: fewer columns give a grid
// too tall for a page, more a grid too wide for handwriting.
constexpr int kWenigsteSpalten = 2;
constexpr int kMeisteSpalten = 16;

// A seed from the sheet itself. std::hash may differ between builds, and
// the same worksheet must get the same keys on every printout.
std::uint64_t saat(const Blattwahl &w, const verschl::Text &klar)
{
    std::uint64_t h = 14695981039346656037u; // FNV-1a
    const auto mische = [&h](std::string_view bytes) {
        for (const char b : bytes)
            h = (h ^ static_cast<unsigned char>(b)) * 1099511628211u;
    };
    mische(klar);
    mische(w.schluessel);
    mische(w.substitution);
    for (const int zahl : { int(w.aufgabe), w.verschiebung, w.spalten })
        mische(std::to_string(zahl) + '|');
    return h;
}

// The chosen key first, then the others of `raum` in random order. Once all
// are used, they come round again, newly mixed, the chosen one with them
// when it is one of `raum`, never the same key twice in a row.
template <typename Schluessel>
std::vector<Schluessel> reihum(
    Schluessel gewaehlt, std::vector<Schluessel> raum, int anzahl, std::mt19937_64 &zufall)
{
    std::vector<Schluessel> folge { gewaehlt };
    bool zurueck = std::erase(raum, gewaehlt) > 0;
    if (raum.empty())
        return std::vector<Schluessel>(std::size_t(anzahl), gewaehlt);
    while (int(folge.size()) < anzahl) {
        // std::shuffle may mix differently elsewhere; this is the same everywhere.
        for (std::size_t i = raum.size(); i > 1; --i)
            std::swap(raum[i - 1], raum[zufall() % i]);
        if (raum.front() == folge.back())
            std::swap(raum.front(), raum.back());
        for (std::size_t i = 0; i < raum.size() && int(folge.size()) < anzahl; ++i)
            folge.push_back(raum[i]);
        if (std::exchange(zurueck, false))
            raum.push_back(gewaehlt);
    }
    return folge;
}

// Vigenère keys of the chosen length; of two letters and more there are
// hundreds, so drawing until a new one comes is quick.
std::vector<verschl::Text> schluesselwoerter(
    const verschl::Text &gewaehlt, int anzahl, std::mt19937_64 &zufall)
{
    if (gewaehlt.size() < 2) {
        std::vector<verschl::Text> buchstaben;
        for (char b = 'B'; b <= 'Z'; ++b) // the key A hands out the plaintext
            buchstaben.push_back(verschl::Text(1, b));
        return reihum(gewaehlt, buchstaben, anzahl, zufall);
    }
    std::vector<verschl::Text> folge { gewaehlt };
    std::set<verschl::Text> vergeben { gewaehlt };
    while (int(folge.size()) < anzahl) {
        verschl::Text wort(gewaehlt.size(), 'A');
        for (char &b : wort)
            b = char('A' + zufall() % 26);
        if (vergeben.insert(wort).second)
            folge.push_back(wort);
    }
    return folge;
}

// Cipher alphabets like the chosen one: for a whole alphabet any mixed
// alphabet, else one from a key word at least four letters long, so that
// there are always words enough. Never A-Z in order, which hands out the
// plaintext.
std::vector<verschl::Text> geheimalphabete(
    const verschl::Text &gewaehlt, int anzahl, std::mt19937_64 &zufall)
{
    const verschl::Text ordnung = verschl::SchluesselwortAlphabet({});
    const bool ganz = IstAlphabet(gewaehlt);
    std::vector<verschl::Text> folge { gewaehlt };
    std::set<verschl::Text> vergeben { ordnung, Geheimalphabet(gewaehlt).value_or(ordnung) };
    while (int(folge.size()) < anzahl) {
        verschl::Text wort = ordnung;
        if (ganz) {
            for (std::size_t i = wort.size(); i > 1; --i)
                std::swap(wort[i - 1], wort[zufall() % i]);
        } else {
            wort.resize(std::max<std::size_t>(gewaehlt.size(), 4));
            for (char &b : wort)
                b = char('A' + zufall() % 26);
        }
        if (vergeben.insert(*Geheimalphabet(wort)).second)
            folge.push_back(wort);
    }
    return folge;
}

std::vector<int> zahlen(int von, int bis)
{
    std::vector<int> folge;
    for (int i = von; i <= bis; ++i)
        folge.push_back(i);
    return folge;
}

} // namespace

std::vector<Blattwahl> Varianten(const Blattwahl &w, const verschl::Text &klar)
{
    const int anzahl = std::clamp(w.varianten, 1, kHoechsteVarianten);
    std::mt19937_64 zufall(saat(w, klar));
    std::vector<Blattwahl> varianten(std::size_t(anzahl), w);
    switch (w.aufgabe) {
    case Aufgabe::CaesarEntschluesseln:
    case Aufgabe::CaesarKnacken: {
        // A shift of 0 would hand out the plaintext.
        const auto folge = reihum(w.verschiebung, zahlen(1, 25), anzahl, zufall);
        for (std::size_t i = 0; i < folge.size(); ++i)
            varianten[i].verschiebung = folge[i];
        break;
    }
    case Aufgabe::VigenereEntschluesseln:
    case Aufgabe::VigenereKnacken: {
        const auto folge = schluesselwoerter(w.schluessel, anzahl, zufall);
        for (std::size_t i = 0; i < folge.size(); ++i)
            varianten[i].schluessel = folge[i];
        break;
    }
    case Aufgabe::MatrixEntschluesseln:
    case Aufgabe::MatrixKnacken: {
        // As many columns as letters or more leave the text as it is.
        const int hoechstens = int(std::min<std::size_t>(kMeisteSpalten, klar.size() - 1));
        const auto folge = reihum(w.spalten, zahlen(kWenigsteSpalten, hoechstens), anzahl, zufall);
        for (std::size_t i = 0; i < folge.size(); ++i)
            varianten[i].spalten = folge[i];
        break;
    }
    case Aufgabe::SubstitutionKnacken: {
        const auto folge = geheimalphabete(w.substitution, anzahl, zufall);
        for (std::size_t i = 0; i < folge.size(); ++i)
            varianten[i].substitution = folge[i];
        break;
    }
    }
    return varianten;
}
