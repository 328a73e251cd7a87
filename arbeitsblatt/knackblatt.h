// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The sheets on which pupils break a cipher without its key: Vigenère with
// the Kasiski test and a count for each column, the matrix by trying column
// counts, substitution by letter frequencies. The pupils get empty tables
// and grids; the answer pages fill them in as the analysis engine does.

#include "arbeitsblatt/blatt.h"

#include <QString>
#include <vector>

class QTextCursor;

namespace knackblatt {

bool IstKnackaufgabe(Aufgabe aufgabe);

// What the pupils are told to do, and what they are given to start from.
QString Aufgabentext(const Blattwahl &w);
QString Vorgabe(const Blattwahl &w, std::size_t geheimlaenge);

// The tables and grids of a sheet, empty, for this ciphertext.
void Abbildungen(QTextCursor &cursor, const Blattwahl &w, const verschl::Text &geheim);
// One variant's answer: its key, and the tables and grids filled in.
void Loesung(QTextCursor &cursor, const Blattwahl &w, const verschl::Text &geheim);

// Whether the Kasiski table of this Vigenère ciphertext has rows to fill.
bool HatWiederholungen(const Blattwahl &w, const verschl::Text &geheim);

// The counting table and German's letter frequencies, as the Caesar
// cracking sheet has them too.
void Zaehlhilfe(QTextCursor &cursor);

// The column counts whose grids a matrix sheet offers: the right one among
// its neighbours, those the ciphertext fills exactly first.
std::vector<int> Probespalten(int spalten, std::size_t geheimlaenge);
// All grid rows of a matrix sheet and its answer, for a plaintext this long.
int Gitterzeilen(const Blattwahl &w, std::size_t klarlaenge);

// The longest Vigenère key the sheet can be cracked for: the Kasiski
// table ticks the divisors up to it.
constexpr int kLaengsterSchluessel = 20;

} // namespace knackblatt
