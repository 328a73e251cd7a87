// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Lossless mapping between Windows-1252 byte strings and what the widgets
// show. Every byte string survives the trip to the screen and back.

#include "cipher/verschl.h"

#include <QString>
#include <QStringView>

namespace codepage {

// The character that shows byte b: Windows-1252 for printable bytes, a
// visible stand-in for control bytes and for the five bytes that Windows-1252
// leaves undefined. TAB stays a tab. Unique for every byte.
QChar Zeichen(unsigned char b);
// The byte that character c stands for; '?' for a character that no byte
// shows (as a typed or pasted character outside Windows-1252). The open box
// ␣, a worksheet's mark for a blank, is a blank.
unsigned char Byte(QChar c);

// Pane text: CR LF becomes a line break ('\n'); every other byte one character.
QString AlsPanetext(const verschl::Text &text);
// Back from the pane: '\n', U+2029 (what the document gives between blocks)
// and U+2028 become CR LF, everything else goes through Byte().
verschl::Text AusPanetext(QStringView anzeige);

// One character per byte, CR and LF included (one-line fields), so character
// i is byte i.
QString AlsZeichenkette(const verschl::Text &text);
verschl::Text AusZeichenkette(QStringView anzeige);

// The length of the valid UTF-8 sequence that starts at p (at most n bytes
// long), or 0 where none starts.
qsizetype Utf8Laenge(const unsigned char *p, qsizetype n);
bool IstUtf8(const verschl::Text &text);

// Keys are made of the letters A-Z and a-z only.
bool IstBuchstabe(QChar c);
// The letters of a text, in their order and case; everything else dropped.
QString NurBuchstaben(QStringView text);

} // namespace codepage
