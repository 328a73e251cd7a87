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

// The file's text, or nothing when it cannot be read or is too large.
std::optional<verschl::Text> Lesen(const QString &pfad);

// A text whose line ends are all of one kind, LF only (Unix) or CR only, gets
// CR LF instead; any other text is kept byte for byte, so a ciphertext that
// holds single CR or LF bytes survives saving and opening.
verschl::Text ZeilenendenVereinheitlichen(verschl::Text text);

} // namespace textdatei
