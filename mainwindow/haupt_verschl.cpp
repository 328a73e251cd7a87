// SPDX-License-Identifier: GPL-3.0-or-later
// Encrypt and decrypt, the line that tells what they will do, and the change
// rule of the two panes.

#include "bausteine/methodenzeile.h"
#include "bausteine/textpane.h"
#include "mainwindow/haupt.h"
#include "platform/textdatei.h"
#include "schnittstellen/dialoge.h"
#include "schnittstellen/methodenfenster.h"

#include <QLabel>
#include <QTextDocument>

namespace {

// The checked preparations rewrite the plaintext, in this fixed order.
using Vorbereitung = verschl::Text (*)(const verschl::Text &);
struct Schritt
{
    bool Methodeneinstellungen::*schalter;
    Vorbereitung funktion;
};
constexpr Schritt kVorbereitungen[] = {
    { &Methodeneinstellungen::umlauteErsetzen, verschl::ErsetzeUmlaute },
    { &Methodeneinstellungen::kleinschrift, verschl::InKleinschrift },
    { &Methodeneinstellungen::grossschrift, verschl::InGrossschrift },
    { &Methodeneinstellungen::leerzeichenLoeschen, verschl::LoescheLeerzeichen },
};

// The checked preparations applied to `text`. One comparison with the text
// before marks the pane exactly as a write after each step would: lower and
// upper case exclude each other, and no other step can undo what one did.
verschl::Text vorbereitet(const Methodeneinstellungen &e, verschl::Text text)
{
    for (const Schritt &schritt : kVorbereitungen) {
        if (e.*schritt.schalter)
            text = schritt.funktion(text);
    }
    return text;
}

// The method's function in one direction; nothing when there is no result
// (no method selected, or an empty key).
std::optional<verschl::Text> wende(
    const Methodeneinstellungen &e, const verschl::Text &text, bool verschluesseln)
{
    switch (e.methode) {
    case Methode::Matrix:
        return verschluesseln ? verschl::MatrixVerschluesseln(text, e.spalten)
                              : verschl::MatrixEntschluesseln(text, e.spalten);
    case Methode::Caesar:
        return verschl::CaesarVerschieben(text, verschluesseln ? e.verschiebung : -e.verschiebung);
    case Methode::Rotation13:
        return verschl::Rot13(text);
    case Methode::Rotation128:
        return verschl::Rot128(text);
    case Methode::Vigenere:
        return verschluesseln
            ? verschl::VigenereVerschluesseln(text, e.schluessel, e.sonderzeichenIgnorieren)
            : verschl::VigenereEntschluesseln(text, e.schluessel, e.sonderzeichenIgnorieren);
    case Methode::Substitution:
        if (const auto alphabet = Geheimalphabet(e.substitution))
            return verschluesseln ? verschl::SubstitutionVerschluesseln(text, *alphabet)
                                  : verschl::SubstitutionEntschluesseln(text, *alphabet);
        break;
    case Methode::Keine:
        break;
    }
    return std::nullopt;
}

} // namespace

// Placed from the caption's right edge, which grows by "(UTF-8)"; the full
// line stays readable for screen readers when the gap cuts it short.
void THauptform::zeigeMethode()
{
    if (!methodenfenster)
        return;
    const QString zeile = Methodenzeile(methodenfenster->einstellungen());
    const int links = Lchiffre->geometry().right() + 12;
    LMethode->setGeometry(
        links, Lchiffre->y(), std::max(arbeitsflaeche->width() - links - 4, 0), Lchiffre->height());
    LMethode->setText(LMethode->fontMetrics().elidedText(zeile, Qt::ElideRight, LMethode->width()));
    LMethode->setAccessibleName(zeile);
}

void THauptform::schreibe(TextPane &pane, const verschl::Text &text)
{
    if (pane.text() != text)
        pane.ersetze(text);
}

void THauptform::BVerschluesselnClick()
{
    const Methodeneinstellungen e = methodenfenster->einstellungen();
    // A pane holds up to tens of MiB, and each read or write converts all of
    // it: the preparations run on one copy, written back once.
    const verschl::Text vorher = MKlar->text();
    const verschl::Text klartext = vorbereitet(e, vorher);
    // Replacing umlauts may double a text; past the size that opens it could
    // no longer be saved.
    if (klartext.size() > vorher.size()
        && klartext.size() > std::size_t(textdatei::Hoechstgroesse)) {
        dialoge.ZeigeWarnung(this,
            QStringLiteral("Mit ersetzten Umlauten wäre der Klartext größer als 64 MiB und ließe "
                           "sich nicht mehr speichern. Bitte den Text kürzen."));
        return;
    }
    if (klartext != vorher)
        MKlar->ersetze(klartext);
    if (e.methode == Methode::Caesar)
        methodenfenster->setGemerkteVerschiebung(e.verschiebung);
    if (const auto chiffre = wende(e, klartext, true))
        schreibe(*MChiffre, *chiffre);
}

void THauptform::BEntschluesselnClick()
{
    const Methodeneinstellungen e = methodenfenster->einstellungen();
    if (const auto klartext = wende(e, MChiffre->text(), false))
        schreibe(*MKlar, *klartext);
}

// The document knows whether an undo went back to the text last opened or
// saved.
void THauptform::MKlarChange()
{
    KlartextGeaendert = MKlar->document()->isModified();
    if (MKlar->document()->isEmpty()) {
        KlartextDatei = Unbenannt;
        KlartextKodierung = textdatei::Kodierung::Windows1252;
        zeigeKodierung();
    }
}

void THauptform::MChiffreChange()
{
    ChiffreGeaendert = MChiffre->document()->isModified();
    if (MChiffre->document()->isEmpty()) {
        ChiffreDatei = Unbenannt;
        ChiffreKodierung = textdatei::Kodierung::Windows1252;
        zeigeKodierung();
    }
}
