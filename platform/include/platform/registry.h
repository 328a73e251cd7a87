// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A registry-shaped settings store: keys under two roots (the current user
// and the local machine), each holding text and 32-bit integer values.
//
// On Windows this is the real registry (HKEY_CURRENT_USER and
// HKEY_LOCAL_MACHINE). Elsewhere a key path "Software\A\B" is the ini file
// "A/B.conf" below the root folder, and a key with sub-keys is also the
// folder "A/B/"; the current user's root is the XDG config home, the local
// machine's the first XDG config dir (/etc/xdg by default). An ini file
// loses value types, so integers are stored as "dword:0000001e" and a text
// that would look like that (or like the escape "sz:") gets the prefix
// "sz:". The files stay readable and editable by hand.
//
// A write puts all its values into the store at once: the file is replaced
// whole under its lock file (a lock that cannot be had within a few seconds
// fails the write), so two running copies never see a half-written key, and a
// write that does not arrive is reported. A key deleted by the other copy
// meanwhile is created again. A key file that is a link to a regular file is
// written through, and the link stays. A key whose file is no regular file
// (a FIFO, a device, a folder, a dangling link) can be neither opened nor
// created, and such a file is never read; a lock file like that fails a write.
//
// Deleting a key takes exactly what is ours: its file, the lock and temporary
// files beside it, and its sub-keys; a folder goes only once it is empty, and
// links are never followed. Likewise a folder that holds no key file at any
// depth is no key.
//
// Meant for the user-interface thread only.

#include <memory>
#include <optional>
#include <QList>
#include <QString>
#include <QStringList>
#include <stdexcept>
#include <variant>

class QSettings;
class QVariant;

namespace registry {

enum class Wurzel { AktuellerBenutzer, LokaleMaschine };

// A read or write that failed; meldung() is the German text for the user.
class Fehler : public std::runtime_error
{
public:
    explicit Fehler(const QString &meldung);
    const QString &meldung() const { return m_meldung; }

private:
    QString m_meldung;
};

class Ablage;
struct Gelesen;

// One value of a write: a text, or a 32-bit integer (a bool as 0 or 1).
struct Wert
{
    Wert(QString name, QString text);
    Wert(QString name, qint32 zahl);
    Wert(QString name, bool wahr);
    Wert(QString name, const char *) = delete; // would silently become a bool

    QString name;
    std::variant<QString, qint32> inhalt;
};

// An open key. Value names must not be empty nor contain '/' or '\'.
// Its values are read from the store once, at the first read after opening or
// after its own last write, so a load of many values reads a large file once;
// what another running copy writes meanwhile is seen by a key opened anew.
class Schluessel
{
public:
    bool hatWert(const QString &name) const;

    // A missing value throws "Konnte Daten für '<name>' nicht holen", a value
    // of another type "Ungültiger Datentyp für '<name>'".
    QString leseText(const QString &name) const;
    qint32 leseGanzzahl(const QString &name) const;
    bool leseBool(const QString &name) const; // every integer but 0 is true

    // Writes all values in one go, or none: a write that does not reach the
    // store throws "Konnte Daten für '<name>' nicht setzen" with the first name.
    void schreibe(const QList<Wert> &werte);

private:
    friend std::optional<Schluessel> oeffnen(Wurzel, const QString &, bool);
    Schluessel(std::shared_ptr<const Ablage> ablage, QString ort);

    Gelesen hole(const QString &name) const;
    const QSettings &werte() const;

    std::shared_ptr<const Ablage> m_ablage;
    QString m_ort; // what QSettings opens: a file, or a registry path
    mutable std::shared_ptr<const QSettings> m_werte; // read on demand
};

// pfad is a registry path below "Software", such as "Software\Nordhain\Zifferon".
// Without erzeugen a missing key gives nullopt and nothing is created; with
// it, nullopt means the key could not be created.
std::optional<Schluessel> oeffnen(Wurzel wurzel, const QString &pfad, bool erzeugen);
// Creates the key where it is missing and writes the values in one go. A key
// that cannot be created fails as a write does, with Fehler.
void schreibe(Wurzel wurzel, const QString &pfad, const QList<Wert> &werte);
// Deletes the key with all its values and sub-keys; false when the key did
// not exist or something of it could not be deleted.
bool loescheSchluessel(Wurzel wurzel, const QString &pfad);
bool hatUnterschluessel(Wurzel wurzel, const QString &pfad);

// Points a root at the folder ordner (files as described above, on every
// platform); the empty text restores the platform's own store. For tests.
void setzeWurzelordner(Wurzel wurzel, const QString &ordner);

} // namespace registry
