// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A worksheet with its answer key, built as one document that the preview,
// the printer and the PDF file share.

#include "cipher/verschl.h"

#include <memory>
#include <QPageSize>
#include <QString>

class QTextDocument;

enum class Aufgabe {
    CaesarEntschluesseln,
    VigenereEntschluesseln,
    MatrixEntschluesseln,
    CaesarKnacken
};

struct Blattwahl
{
    Aufgabe aufgabe = Aufgabe::CaesarEntschluesseln;
    int verschiebung = 3; // 0..25
    verschl::Text schluessel = "KIEL"; // letters only, not empty
    bool sonderzeichenIgnorieren = false;
    int spalten = 5; // at least 1
    bool streifen = false; // a sliding strip instead of the Caesar disk
    QString titel = QStringLiteral("Geheime Botschaft");
    bool namenszeile = true;
    bool loesung = true; // the answer key on its own last page
    QPageSize::PageSizeId papier = QPageSize::A4;
};

// The German sentence a worksheet uses when the plaintext pane is empty.
verschl::Text Beispieltext();

// The ciphertext the pupils get: the plaintext encrypted as the task says.
verschl::Text Geheimtext(const Blattwahl &wahl, const verschl::Text &klartext);

std::unique_ptr<QTextDocument> BaueArbeitsblatt(
    const Blattwahl &wahl, const verschl::Text &klartext);
