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
// Every write goes to the store at once (QSettings replaces the file through
// a temporary one under a lock file), so two running copies never see a
// half-written key, and a write that does not arrive is reported.
//
// Meant for the user-interface thread only.

#include <memory>
#include <optional>
#include <QString>
#include <QStringList>
#include <stdexcept>

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

// An open key. Value names must not be empty nor contain '/' or '\'.
class Schluessel
{
public:
    bool hatWert(const QString &name) const;

    // A missing value throws "Konnte Daten für '<name>' nicht holen", a value
    // of another type "Ungültiger Datentyp für '<name>'".
    QString leseText(const QString &name) const;
    qint32 leseGanzzahl(const QString &name) const;
    bool leseBool(const QString &name) const; // every integer but 0 is true

    // A value that does not reach the store throws
    // "Konnte Daten für '<name>' nicht setzen".
    void schreibeText(const QString &name, const QString &text);
    void schreibeGanzzahl(const QString &name, qint32 zahl);
    void schreibeBool(const QString &name, bool wert); // stored as 0 or 1

private:
    friend std::optional<Schluessel> oeffnen(Wurzel, const QString &, bool);
    Schluessel(std::shared_ptr<const Ablage> ablage, QString ort);

    Gelesen hole(const QString &name) const;
    void speichere(const QString &name, const QVariant &wert);

    std::shared_ptr<const Ablage> m_ablage;
    QString m_ort; // what QSettings opens: a file, or a registry path
};

// pfad is a registry path below "Software", such as "Software\Nordhain\Zifferon".
// Without erzeugen a missing key gives nullopt and nothing is created; with
// it, nullopt means the key could not be created.
std::optional<Schluessel> oeffnen(Wurzel wurzel, const QString &pfad, bool erzeugen);
// Deletes the key with all its values and sub-keys; false when the key did
// not exist or could not be deleted completely.
bool loescheSchluessel(Wurzel wurzel, const QString &pfad);
bool hatUnterschluessel(Wurzel wurzel, const QString &pfad);

// Points a root at the folder ordner (files as described above, on every
// platform); the empty text restores the platform's own store. For tests.
void setzeWurzelordner(Wurzel wurzel, const QString &ordner);

} // namespace registry
