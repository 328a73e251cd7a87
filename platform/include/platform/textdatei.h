#pragma once

// Text files: plain Windows-1252 bytes, lines ending in CR LF.

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

// The file's text, or nothing when it cannot be read, is too large, or is no
// regular file: a FIFO or a device has no end to read to.
std::optional<verschl::Text> Lesen(const QString &pfad);

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
