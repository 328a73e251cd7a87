#pragma once

// Text files: Windows-1252 bytes or UTF-8, lines ending in CR LF.

#include "cipher/verschl.h"

#include <optional>
#include <QString>
#include <QtGlobal>

namespace textdatei {

// Larger files are refused instead of exhausting memory: a pane holds two
// bytes per character plus its layout, so this is already a few hundred MiB.
constexpr qint64 Hoechstgroesse = qint64(64) * 1024 * 1024;

// What a path names, symbolic links followed. Paths may carry bytes that are
// not UTF-8 (see platform/dateiname.h).
enum class Art { Nichts, Ordner, Datei, Sonderdatei };
Art ArtVon(const QString &pfad);

enum class Kodierung { Windows1252, Utf8 };

struct Gelesen
{
    verschl::Text text;
    Kodierung kodierung = Kodierung::Windows1252;
};

// The file's text, or nothing when it cannot be read, is too large, or is no
// regular file: a FIFO or a device has no end to read to. A file that
// AlsUtf8Lesbar accepts is decoded; the line-end rule runs on the result.
std::optional<Gelesen> Lesen(const QString &pfad);

// The Windows-1252 text that file bytes in UTF-8 stand for, or nothing when
// the bytes are to be taken as they are: they are no valid UTF-8, have no
// multi-byte sequence, hold a character that Windows-1252 lacks, or hold one
// of the byte values that would make the file ambiguous (0x81 0x8D 0x8F 0x90
// 0x94 0x97 0x9D; textdatei.cpp says why).
std::optional<verschl::Text> AlsUtf8Lesbar(const verschl::Text &bytes);
// The bytes that hold the text in the encoding: Windows-1252 as it is, UTF-8
// character for character (an undefined byte, which has no character,
// becomes '?'; SchreibKodierung never picks UTF-8 for such a text).
verschl::Text Kodiert(const verschl::Text &text, Kodierung kodierung);
// The encoding a text is saved in: the wished one when its bytes open to the
// same text again, otherwise the other one, which then always does.
Kodierung SchreibKodierung(const verschl::Text &text, Kodierung gewuenscht);

// Writes the bytes as they are, through a temporary file that replaces the
// old one only when complete. Refuses a target that exists and is no regular
// file, which a rename would replace.
bool Schreiben(const QString &pfad, const verschl::Text &text);

// A file whose line ends are all of one kind, LF only (Unix) or CR only (old
// Mac), and that reads as ordinary text gets CR LF instead; any other file is
// kept byte for byte. See LiestSichAlsText for why both conditions.
verschl::Text ZeilenendenVereinheitlichen(verschl::Text text);
bool LiestSichAlsText(const verschl::Text &text);

} // namespace textdatei
