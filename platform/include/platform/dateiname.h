// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// File names as the system spells them. On Linux a name is any bytes; Qt
// reads the bytes as UTF-8 and cannot represent a name that is not valid
// UTF-8 (a file copied from an old disk, "caf\xE9.txt"), so such a name would
// silently point nowhere. These two functions keep every byte: a byte that is
// not part of valid UTF-8 travels as the lone surrogate U+DC80 + byte, which
// no real character uses.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace dateiname {

QString AusSystem(const QByteArray &bytes);
// The bytes to hand to the system's file functions.
QByteArray FuerSystem(const QString &name);
// The name as a message shows it: every byte of a character that does not
// print (control and format characters, line separators) and every byte that
// is no UTF-8 becomes \xhh, so a name can neither break a message's line nor
// send the terminal commands. A backslash stays as it is, for Windows paths.
QString FuerMeldung(const QString &name);
// "Fehler beim Speichern der Datei NAME!", NAME the file part of the path as
// a message shows it.
QString Speicherfehler(const QString &pfad);
// The arguments after the program's name. On Unix each is read with
// AusSystem; on Windows they come from the wide command line, because main()'s
// argv holds only what the ANSI code page can ("Łódź.txt" arrives as "Lodz.txt"
// or with '?' on a German Windows).
QStringList Befehlszeile(int argc, char *argv[]);

} // namespace dateiname
