// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Text files: Windows-1252 bytes or UTF-8, lines ending in CR LF.

#include "cipher/verschl.h"

#include <optional>
#include <QString>
#include <QtGlobal>
#include <variant>

namespace textdatei {

// Larger files are refused instead of exhausting memory: a pane holds two
// bytes per character plus its layout, so this is already a few hundred MiB.
constexpr qint64 Hoechstgroesse = qint64(64) * 1024 * 1024;

// What a path names, symbolic links followed. Paths may carry bytes that are
// not UTF-8 (see platform/dateiname.h).
enum class Art { Nichts, Ordner, Datei, Sonderdatei };
Art ArtVon(const QString &pfad);

// UTF-8 with a byte-order mark (as Notepad saves it) keeps its mark.
enum class Kodierung { Windows1252, Utf8, Utf8MitBom };

struct Gelesen
{
    verschl::Text text;
    Kodierung kodierung = Kodierung::Windows1252;
};

enum class Lesefehler { Unlesbar, ZuGross };

// The file's text, or why there is none: it cannot be read, is no regular
// file (a FIFO or a device has no end to read to), or it or its text after
// the line-end rule is larger than Hoechstgroesse.
std::variant<Gelesen, Lesefehler> Oeffnen(const QString &pfad);
// Oeffnen without the reason.
std::optional<Gelesen> Lesen(const QString &pfad);
// What the bytes of a file open to: decoded when they are UTF-8 by the rule
// below, then the line-end rule; nothing when it is too large.
std::optional<Gelesen> AusDatei(const verschl::Text &bytes);

// The Windows-1252 text that file bytes in UTF-8 stand for, or nothing when
// the bytes are to be taken as they are: they are no valid UTF-8, have no
// multi-byte sequence, or hold a character that is neither in Windows-1252
// nor one of U+0081 U+008D U+008F U+0090 U+009D, which stand for the five
// bytes Windows-1252 leaves undefined (textdatei.cpp says why).
std::optional<verschl::Text> AlsUtf8Lesbar(const verschl::Text &bytes);
// The bytes that hold the text in the encoding: Windows-1252 as it is, UTF-8
// character for character, so that AlsUtf8Lesbar gives any text back.
verschl::Text Kodiert(const verschl::Text &text, Kodierung kodierung);
// A text as it is saved: the encoding and the bytes in it.
struct Dateiform
{
    Kodierung kodierung;
    verschl::Text bytes;
    // The lone line end ('\n' or '\r') that opening turns into CR LF, so the
    // file opens to another text; nothing when it opens to exactly this one.
    std::optional<char> zeilenende;
};
// Why a text is not saved, each time because the file would not open again:
// it would be too large in either encoding (ZuGross); its text would be too
// large once opening turns its line ends into CR LF (ZeilenendenZuGross); or
// its Windows-1252 bytes read as UTF-8, so only UTF-8 keeps the text, and
// that file would be too large (Utf8ZuGross).
enum class Hindernis { ZuGross, ZeilenendenZuGross, Utf8ZuGross };
// How a text is saved: in the wished encoding when its bytes open to the same
// text again, otherwise in the other one. Where the line-end rule changes the
// text, it does so in both; the form then names the line end, and the caller
// decides. The bytes come along, so a save encodes the text once.
std::variant<Dateiform, Hindernis> SchreibForm(const verschl::Text &text, Kodierung gewuenscht);

// Writes the bytes as they are, through a temporary file that replaces the
// old one only when complete. Refuses a target that exists and is no regular
// file, which a rename would replace.
bool Schreiben(const QString &pfad, const verschl::Text &text);

// A file whose line ends are all of one kind, LF only (Unix) or CR only (old
// Mac), and that reads as ordinary text gets CR LF instead; any other file is
// kept byte for byte. See LiestSichAlsText for why both conditions.
verschl::Text ZeilenendenVereinheitlichen(verschl::Text text);
// The line end that ZeilenendenVereinheitlichen turns into CR LF, if any.
std::optional<char> EinzelnesZeilenende(const verschl::Text &text);
bool LiestSichAlsText(const verschl::Text &text);

} // namespace textdatei
