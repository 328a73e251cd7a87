// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A worksheet with its answer key, built as one document that the preview,
// the printer and the PDF file share.

#include "cipher/verschl.h"

#include <memory>
#include <QPageSize>
#include <QString>
#include <vector>

class QTextDocument;

enum class Aufgabe {
    CaesarEntschluesseln,
    VigenereEntschluesseln,
    MatrixEntschluesseln,
    CaesarKnacken,
    VigenereKnacken,
    MatrixKnacken,
    SubstitutionKnacken
};

// What pupils get to write their answer on, under each line of ciphertext.
enum class Antwortfeld { Linie, Kaestchen };

struct Blattwahl
{
    Aufgabe aufgabe = Aufgabe::CaesarEntschluesseln;
    int verschiebung = 3; // 0..25
    verschl::Text schluessel = "KIEL"; // letters only, not empty
    bool sonderzeichenIgnorieren = false;
    int spalten = 5; // at least 1
    // "Vigenère knacken": the sheet tells the key's length and gives a count
    // table for each of its columns; else it leaves pupils to find it.
    bool laengeVerraten = false;
    // "Substitution knacken": a key word, or a whole alphabet, in capitals.
    verschl::Text substitution = "ZIFFERON";
    bool streifen = false; // a sliding strip instead of the Caesar disk
    QString titel = QStringLiteral("Geheime Botschaft");
    bool namenszeile = true;
    bool loesung = true; // the answer key on the last pages
    QPageSize::PageSizeId papier = QPageSize::A4;
    // The preparations of "Klartext ändern", applied before encrypting.
    bool umlauteErsetzen = true;
    bool grossschrift = false;
    bool leerzeichenLoeschen = false;
    bool fuenfergruppen = false;
    Antwortfeld antwortfeld = Antwortfeld::Linie;
    int varianten = 1; // 1..kHoechsteVarianten sheets, each with its own key
};

constexpr int kHoechsteVarianten = 40;

// What a sheet can carry, all its variants together. The preview is made
// anew whenever the options settle, and a pane may hold 64 MiB: the text is
// bounded to some 150 pages of ciphertext with room to answer, the grid and
// the text to 4000 rows and lines each (a grid row takes up to 9 mm: some 140
// pages), so a rebuild stays under a second. A worksheet is meant for a
// lesson; a longer text prints from the main window.
constexpr std::size_t kHoechstlaenge = 40000;
constexpr int kHoechsteGitterzeilen = 4000;
constexpr int kHoechsteTextzeilen = 4000;

// Why no sheet can be made of this text with these options, in German for
// the user; empty when it can.
QString Hindernis(const Blattwahl &wahl, const verschl::Text &klartext);
// What the teacher should know of a sheet that Hindernis lets be made: a Vigenère
// ciphertext to crack that repeats no letter group leaves the Kasiski table
// empty. Empty when there is nothing to say.
QString Hinweis(const Blattwahl &wahl, const verschl::Text &klartext);

// The rows of the matrix grid for a ciphertext of this length.
int Gitterzeilen(const Blattwahl &wahl, std::size_t laenge);

// The German sentence a worksheet uses when the plaintext pane is empty.
verschl::Text Beispieltext();

// The plaintext as the sheet uses it: prepared as chosen, then in groups of
// five when asked, with the line breaks the task can show. Pupils cannot write a line break into
// a grid cell, so on a matrix sheet each one (CR LF, a lone CR or LF) is a
// blank, marked like the others. The other sheets keep their lines, and each
// line break counts as one character there, as a blank does: with a Vigenère
// key that does not skip special characters it takes one key letter. That
// character is LF, which the sheet shows as a new line.
verschl::Text Blattklartext(const Blattwahl &wahl, const verschl::Text &klartext);

// The settings of each variant, the first as chosen, the others with keys
// drawn at random from the sheet's plaintext and options: the same sheet
// always gets the same keys, and no two variants share one while there are
// enough keys to go round.
std::vector<Blattwahl> Varianten(const Blattwahl &wahl, const verschl::Text &blattklartext);

// Which pages a document holds: the answer key may go to a file of its own.
enum class Teil { Alles, Blaetter, Loesungen };

std::unique_ptr<QTextDocument> BaueArbeitsblatt(
    const Blattwahl &wahl, const verschl::Text &klartext, Teil teil = Teil::Alles);
