// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/registry.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <filesystem>
#include <limits>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QVariant>
#include <utility>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#endif

namespace registry {

// What a stored value turned out to be.
struct Gelesen
{
    enum class Art { Text, Ganzzahl, ZuLang, Fremd };
    Gelesen(Art art, QString text = {}, qint32 zahl = 0)
        : art(art)
        , text(std::move(text))
        , zahl(zahl)
    { }
    Art art;
    QString text;
    qint32 zahl;
};

// Values as QSettings writes them: names with their stored form.
using Eintraege = QList<std::pair<QString, QVariant>>;

// Where one root keeps its keys. teile is a key path without its leading "Software".
class Ablage
{
public:
    virtual ~Ablage() = default;
    virtual bool existiert(const QStringList &teile) const = 0;
    virtual bool erzeuge(const QStringList &teile) const = 0;
    virtual bool loesche(const QStringList &teile) const = 0;
    virtual bool hatUnterschluessel(const QStringList &teile) const = 0;
    // The values of a key, as QSettings opens them.
    virtual QString ort(const QStringList &teile) const = 0;
    virtual QSettings::Format format() const = 0;
    // All values in one go; false when they did not reach the store.
    virtual bool schreibe(const QString &ort, const Eintraege &werte) const = 0;
    virtual QVariant alsGespeichert(const QString &text) const = 0;
    virtual QVariant alsGespeichert(qint32 zahl) const = 0;
    virtual Gelesen gelesen(const QVariant &gespeichert) const = 0;
};

} // namespace registry

namespace {

using registry::Ablage;
using registry::Eintraege;
using registry::Fehler;
using registry::Gelesen;
using registry::Wurzel;
using Art = Gelesen::Art;

constexpr QLatin1String zahlPraefix("dword:");
constexpr QLatin1String textPraefix("sz:");

// The registry's own messages; %1 is the value's name.
constexpr const char *ungueltigerTyp = "Ungültiger Datentyp für '%1'";
constexpr const char *nichtHolbar = "Konnte Daten für '%1' nicht holen";
constexpr const char *nichtSetzbar = "Konnte Daten für '%1' nicht setzen";

// How long a write waits for another running copy's write; a lock held longer is taken as
// one that is never released.
constexpr int kSperrfristMs = 2000;
// A key deleted by another running copy in the middle of a write is written again.
constexpr int kSchreibversuche = 10;

Gelesen ganzzahlAusHex(QStringView ziffern)
{
    const QByteArray zeichen = ziffern.toLatin1();
    quint64 zahl = 0;
    const auto [ende, fehler] = std::from_chars(zeichen.cbegin(), zeichen.cend(), zahl, 16);
    if (zeichen.isEmpty() || ende != zeichen.cend())
        return Art::Fremd;
    // More than 32 bits is data longer than expected, like an 8-byte registry value.
    if (fehler != std::errc() || zahl > std::numeric_limits<quint32>::max())
        return Art::ZuLang;
    return { Art::Ganzzahl, {}, static_cast<qint32>(static_cast<quint32>(zahl)) };
}

// Sets all values and syncs once.
bool kommtAn(const QString &ort, QSettings::Format format, const Eintraege &werte)
{
    QSettings::Status status = QSettings::NoError;
    {
        QSettings einstellungen(ort, format);
        for (const auto &[name, wert] : werte)
            einstellungen.setValue(name, wert);
        einstellungen.sync();
        status = einstellungen.status();
    }
    if (status != QSettings::FormatError)
        return status == QSettings::NoError;
    // QSettings keeps only the first problem it meets, so a damaged file's FormatError hides
    // whether the write failed. A second look decides: it retries a write that is still
    // pending (and reports that failure) or reads back what the file now holds.
    const QSettings nachher(ort, format);
    return nachher.status() != QSettings::AccessError
        && std::all_of(werte.cbegin(), werte.cend(),
            [&nachher](const auto &wert) { return nachher.value(wert.first) == wert.second; });
}

// The key a file in a folder belongs to: "<key>.conf" holds its values, beside it lie its
// lock file and the temporary files of a write (six letters or digits, as QSaveFile makes
// them) with their own lock files. Any other file is not ours: the empty text.
QString schluesselVon(const QString &dateiname)
{
    static const QRegularExpression muster(
        QStringLiteral(R"(^(.+)\.conf(?:\.lock|\.[A-Za-z0-9]{6}(?:\.lock)?)?$)"));
    const QString name = muster.match(dateiname).captured(1);
    return name == u"." || name == u".." ? QString() : name;
}

std::filesystem::path dateipfad(const QString &pfad)
{
    return std::filesystem::path(pfad.toStdU16String());
}

// Something lies there that, links followed, is no regular file: a FIFO, whose reading waits
// for a writer for ever, a device such as /dev/zero, which never ends, a folder or a dangling
// link. A key or lock file like that is neither read nor written.
bool sonderdatei(const QString &pfad)
{
    namespace fs = std::filesystem;
    std::error_code fehler;
    return fs::symlink_status(dateipfad(pfad), fehler).type() != fs::file_type::not_found
        && !fs::is_regular_file(dateipfad(pfad), fehler);
}

// Keys as ini files: "A\B" is the file "A/B.conf" and, once it has sub-keys, the folder "A/B/".
class DateiAblage final : public Ablage
{
public:
    explicit DateiAblage(const QString &wurzel)
        : m_wurzel(wurzel)
    { }

    // A key whose file is no regular file can be neither opened nor created.
    bool existiert(const QStringList &teile) const override
    {
        return !sonderdatei(datei(teile))
            && (QFileInfo(datei(teile)).isFile() || haeltSchluessel(ordner(teile)));
    }

    bool erzeuge(const QStringList &teile) const override
    {
        // Tried again when another running copy deletes the folder in between.
        for (int versuch = 0; versuch < kSchreibversuche; ++versuch) {
            if (sonderdatei(datei(teile)))
                return false;
            if (existiert(teile))
                return true;
            QFile neu(datei(teile));
            // Appending never cuts off what another running copy may have written meanwhile.
            if (QDir().mkpath(QFileInfo(neu).path())
                && neu.open(QIODevice::WriteOnly | QIODevice::Append))
                return true;
        }
        return false;
    }

    bool loesche(const QStringList &teile) const override
    {
        // Leftovers of ours go even when they make no key.
        const bool vorhanden = existiert(teile);
        const QFileInfo schluessel(ordner(teile));
        return loescheBaum(schluessel.path(), schluessel.fileName()) && vorhanden;
    }

    bool hatUnterschluessel(const QStringList &teile) const override
    {
        return haeltSchluessel(ordner(teile));
    }

    QString ort(const QStringList &teile) const override { return datei(teile); }
    QSettings::Format format() const override { return QSettings::IniFormat; }

    bool schreibe(const QString &datei, const Eintraege &werte) const override
    {
        for (int versuch = 0; versuch < kSchreibversuche; ++versuch) {
            const Versuch ergebnis = schreibeEinmal(datei, werte);
            if (ergebnis != Versuch::Nochmal)
                return ergebnis == Versuch::Geschrieben;
        }
        return false;
    }

    QVariant alsGespeichert(const QString &text) const override
    {
        const bool verwechselbar = text.startsWith(zahlPraefix) || text.startsWith(textPraefix);
        return verwechselbar ? textPraefix + text : text;
    }

    QVariant alsGespeichert(qint32 zahl) const override
    {
        return zahlPraefix
            + QStringLiteral("%1").arg(static_cast<quint32>(zahl), 8, 16, QChar(u'0'));
    }

    Gelesen gelesen(const QVariant &gespeichert) const override
    {
        // Anything but plain text came from a hand-edited line: a list (an unquoted
        // comma) or Qt's own "@Variant(...)" notation.
        if (gespeichert.typeId() != QMetaType::QString)
            return Art::Fremd;
        const QString text = gespeichert.toString();
        if (text.startsWith(textPraefix))
            return { Art::Text, text.sliced(textPraefix.size()) };
        if (text.startsWith(zahlPraefix))
            return ganzzahlAusHex(QStringView(text).sliced(zahlPraefix.size()));
        return { Art::Text, text };
    }

private:
    QString ordner(const QStringList &teile) const
    {
        return QDir(m_wurzel).filePath(teile.join(u'/'));
    }
    QString datei(const QStringList &teile) const
    {
        return ordner(teile) + QStringLiteral(".conf");
    }

    // A folder is a key only while a key file lies in it or below: a folder left over because
    // of something not ours must not look like settings that are switched on. Links are never
    // followed, here as in deleting.
    static bool haeltSchluessel(const QString &ordner)
    {
        const QFileInfo info(ordner);
        if (!info.isDir() || info.isSymLink())
            return false;
        QDirIterator datei(ordner, { QStringLiteral("*.conf") },
            QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
        return datei.hasNext();
    }

    // The keys in a folder: those of its key files and its folders (links are not ours).
    static QStringList unterschluessel(const QDir &ordner)
    {
        QStringList namen
            = ordner.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::NoSymLinks);
        for (const QString &datei : ordner.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
            if (const QString name = schluesselVon(datei); !name.isEmpty())
                namen << name;
        }
        namen.removeDuplicates();
        return namen;
    }

    // Deletes the key `name` in `ordner`: its files there, its sub-keys, then its folder once
    // empty. What is not ours stays, and so do the folders that hold it. True when all of ours
    // went.
    static bool loescheBaum(const QString &ordner, const QString &name)
    {
        const QDir dir(ordner);
        const auto eigene = [&dir, &name] {
            QStringList dateien = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
            dateien.removeIf(
                [&name](const QString &datei) { return schluesselVon(datei) != name; });
            return dateien;
        };
        // A write in progress finishes first; a lock that is never released stops nothing, nor
        // does one that is no regular file.
        const QString sperrdatei = name + QStringLiteral(".conf.lock");
        QLockFile sperre(dir.filePath(sperrdatei));
        const bool gesperrt = !eigene().isEmpty() && !sonderdatei(sperre.fileName())
            && sperre.tryLock(kSperrfristMs);
        bool alles = true;
        for (const QString &datei : eigene()) {
            if (!(gesperrt && datei == sperrdatei))
                alles = QFile::remove(dir.filePath(datei)) && alles;
        }
        const QFileInfo unter(dir.filePath(name));
        if (!unter.isDir() || unter.isSymLink())
            return alles;
        for (const QString &kind : unterschluessel(QDir(unter.filePath())))
            alles = loescheBaum(unter.filePath(), kind) && alles;
        dir.rmdir(name);
        return alles;
    }

    enum class Versuch { Geschrieben, Gescheitert, Nochmal };

    // One whole write under the key's lock file. QSettings would wait for that same lock
    // without any limit, so it writes a copy of the file, which then replaces the file at once.
    // A lock held too long fails the write; anything else may come from the key being deleted
    // meanwhile, and is tried again.
    static Versuch schreibeEinmal(const QString &datei, const Eintraege &werte)
    {
        if (!QDir().mkpath(QFileInfo(datei).path()))
            return Versuch::Nochmal;
        // QLockFile reads a lock file that it finds, to judge whether it is stale: one that is
        // no regular file would block it, and counts as a lock that is never released.
        QLockFile sperre(datei + QStringLiteral(".lock"));
        if (sonderdatei(sperre.fileName()))
            return Versuch::Gescheitert;
        if (!sperre.tryLock(kSperrfristMs)) {
            return sperre.error() == QLockFile::LockFailedError ? Versuch::Gescheitert
                                                                : Versuch::Nochmal;
        }
        // A key file made read-only stays as it is, as with QSettings' own writes, and so does
        // one that is no regular file.
        const QFileInfo info(datei);
        if (sonderdatei(datei) || (info.exists() && !info.isWritable()))
            return Versuch::Gescheitert;
        // A link stays: the file it leads to is replaced.
        const QString ziel = info.exists() ? info.canonicalFilePath() : datei;
        QTemporaryFile kopie(ziel + QStringLiteral(".XXXXXX"));
        if (!kopiere(ziel, kopie) || !kommtAn(kopie.fileName(), QSettings::IniFormat, werte))
            return Versuch::Nochmal;
        std::error_code fehler;
        std::filesystem::rename(dateipfad(kopie.fileName()), dateipfad(ziel), fehler);
        if (fehler)
            return Versuch::Nochmal;
        kopie.setAutoRemove(false);
        return Versuch::Geschrieben;
    }

    // The copy starts as the file, so every value that the write does not set stays.
    static bool kopiere(const QString &datei, QTemporaryFile &kopie)
    {
        if (!kopie.open())
            return false;
        QFile alt(datei);
        if (alt.exists()) {
            if (!alt.open(QIODevice::ReadOnly) || kopie.write(alt.readAll()) != alt.size())
                return false;
            kopie.setPermissions(alt.permissions());
        }
        // Closed, so that QSettings may replace it on every platform.
        kopie.close();
        return kopie.error() == QFileDevice::NoError;
    }

    QString m_wurzel;
};

#ifdef Q_OS_WIN
// The real registry, which keeps value types itself (REG_SZ, REG_DWORD). QSettings reads and
// writes the values; the key operations use the registry functions, because QSettings creates
// every key it opens for writing, so it cannot tell whether a key exists.
class RegistryAblage final : public Ablage
{
public:
    explicit RegistryAblage(Wurzel wurzel)
        : m_hive(wurzel == Wurzel::AktuellerBenutzer ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE)
        , m_hiveName(wurzel == Wurzel::AktuellerBenutzer ? QStringLiteral("HKEY_CURRENT_USER")
                                                         : QStringLiteral("HKEY_LOCAL_MACHINE"))
    { }

    bool existiert(const QStringList &teile) const override
    {
        return mitSchluessel(teile, [](HKEY) { return true; });
    }

    bool erzeuge(const QStringList &teile) const override
    {
        HKEY schluessel = nullptr;
        if (RegCreateKeyExW(m_hive, breit(unterpfad(teile)), 0, nullptr, REG_OPTION_NON_VOLATILE,
                KEY_WRITE, nullptr, &schluessel, nullptr)
            != ERROR_SUCCESS)
            return false;
        RegCloseKey(schluessel);
        return true;
    }

    bool loesche(const QStringList &teile) const override
    {
        // Given a sub-key name, deletes that key itself along with everything below it.
        return RegDeleteTreeW(m_hive, breit(unterpfad(teile))) == ERROR_SUCCESS;
    }

    bool hatUnterschluessel(const QStringList &teile) const override
    {
        return mitSchluessel(teile, [](HKEY schluessel) {
            DWORD anzahl = 0;
            return RegQueryInfoKeyW(schluessel, nullptr, nullptr, nullptr, &anzahl, nullptr,
                       nullptr, nullptr, nullptr, nullptr, nullptr, nullptr)
                == ERROR_SUCCESS
                && anzahl > 0;
        });
    }

    QString ort(const QStringList &teile) const override
    {
        return m_hiveName + u'\\' + unterpfad(teile);
    }
    QSettings::Format format() const override { return QSettings::NativeFormat; }
    bool schreibe(const QString &ort, const Eintraege &werte) const override
    {
        return kommtAn(ort, QSettings::NativeFormat, werte);
    }
    QVariant alsGespeichert(const QString &text) const override { return text; }
    QVariant alsGespeichert(qint32 zahl) const override { return zahl; }

    Gelesen gelesen(const QVariant &gespeichert) const override
    {
        switch (gespeichert.typeId()) {
        case QMetaType::QString: // REG_SZ and REG_EXPAND_SZ
            return { Art::Text, gespeichert.toString() };
        case QMetaType::Int: // REG_DWORD
        case QMetaType::UInt:
            return { Art::Ganzzahl, {}, static_cast<qint32>(gespeichert.toLongLong()) };
        case QMetaType::LongLong: // REG_QWORD
        case QMetaType::ULongLong:
            return Art::ZuLang;
        default:
            return Art::Fremd;
        }
    }

private:
    template <typename Tun> bool mitSchluessel(const QStringList &teile, Tun tun) const
    {
        HKEY schluessel = nullptr;
        if (RegOpenKeyExW(m_hive, breit(unterpfad(teile)), 0, KEY_READ, &schluessel)
            != ERROR_SUCCESS)
            return false;
        const bool ergebnis = tun(schluessel);
        RegCloseKey(schluessel);
        return ergebnis;
    }

    static QString unterpfad(const QStringList &teile)
    {
        return QStringLiteral("Software\\") + teile.join(u'\\');
    }
    static const wchar_t *breit(const QString &text)
    {
        return reinterpret_cast<const wchar_t *>(text.utf16());
    }

    HKEY m_hive;
    QString m_hiveName;
};
#else
// Where QSettings itself keeps settings files on Unix.
QString standardordner(Wurzel wurzel)
{
    if (wurzel == Wurzel::AktuellerBenutzer)
        return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    const QStringList ordner = qEnvironmentVariable("XDG_CONFIG_DIRS").split(u':');
    const auto erster = std::find_if(ordner.cbegin(), ordner.cend(), QDir::isAbsolutePath);
    return erster != ordner.cend() ? *erster : QStringLiteral("/etc/xdg");
}
#endif

QString &wurzelordner(Wurzel wurzel)
{
    static std::array<QString, 2> ordner;
    return ordner.at(static_cast<std::size_t>(wurzel));
}

std::shared_ptr<const Ablage> ablage(Wurzel wurzel)
{
    QString ordner = wurzelordner(wurzel);
#ifdef Q_OS_WIN
    if (ordner.isEmpty())
        return std::make_shared<RegistryAblage>(wurzel);
#else
    if (ordner.isEmpty())
        ordner = standardordner(wurzel);
#endif
    // Without a home folder a relative path would put keys into the working folder.
    if (!QDir::isAbsolutePath(ordner))
        return nullptr;
    return std::make_shared<DateiAblage>(ordner);
}

struct Fundstelle
{
    std::shared_ptr<const Ablage> ablage;
    QStringList teile;
};

// Only keys below "Software" are held, and not "Software" itself, so no call can delete a
// whole root. Each part becomes a file or folder name.
std::optional<Fundstelle> finde(Wurzel wurzel, const QString &pfad)
{
    QStringList teile = pfad.split(u'\\');
    if (teile.size() < 2 || teile.takeFirst().compare(u"Software", Qt::CaseInsensitive) != 0)
        return std::nullopt;
    const bool ungueltig = std::any_of(teile.cbegin(), teile.cend(), [](const QString &teil) {
        return teil.isEmpty() || teil == u"." || teil == u".." || teil.contains(u'/');
    });
    auto gefunden = ablage(wurzel);
    if (ungueltig || !gefunden)
        return std::nullopt;
    return Fundstelle { std::move(gefunden), std::move(teile) };
}

// QSettings reads '/' and '\' in a name as group separators; the registry has no value groups.
bool gueltigerName(const QString &name)
{
    return !name.isEmpty() && !name.contains(u'/') && !name.contains(u'\\');
}

QString meldung(const char *vorlage, const QString &name)
{
    return QString::fromUtf8(vorlage).arg(name);
}

Gelesen erwartet(Gelesen wert, Art art, const QString &name)
{
    if (wert.art == art)
        return wert;
    throw Fehler(meldung(wert.art == Art::ZuLang ? nichtHolbar : ungueltigerTyp, name));
}

} // namespace

namespace registry {

Fehler::Fehler(const QString &meldung)
    : std::runtime_error(meldung.toStdString())
    , m_meldung(meldung)
{ }

Schluessel::Schluessel(std::shared_ptr<const Ablage> ablage, QString ort)
    : m_ablage(std::move(ablage))
    , m_ort(std::move(ort))
{ }

const QSettings &Schluessel::werte() const
{
    if (!m_werte)
        m_werte = std::make_shared<const QSettings>(m_ort, m_ablage->format());
    return *m_werte;
}

bool Schluessel::hatWert(const QString &name) const
{
    return gueltigerName(name) && werte().contains(name);
}

Gelesen Schluessel::hole(const QString &name) const
{
    const QVariant gespeichert = gueltigerName(name) ? werte().value(name) : QVariant();
    if (!gespeichert.isValid())
        throw Fehler(meldung(nichtHolbar, name));
    return m_ablage->gelesen(gespeichert);
}

QString Schluessel::leseText(const QString &name) const
{
    return erwartet(hole(name), Art::Text, name).text;
}

qint32 Schluessel::leseGanzzahl(const QString &name) const
{
    return erwartet(hole(name), Art::Ganzzahl, name).zahl;
}

bool Schluessel::leseBool(const QString &name) const { return leseGanzzahl(name) != 0; }

Wert::Wert(QString name, QString text)
    : name(std::move(name))
    , inhalt(std::move(text))
{ }

Wert::Wert(QString name, qint32 zahl)
    : name(std::move(name))
    , inhalt(zahl)
{ }

Wert::Wert(QString name, bool wahr)
    : Wert(std::move(name), qint32(wahr ? 1 : 0))
{ }

void Schluessel::schreibe(const QList<Wert> &werte)
{
    m_werte.reset();
    Eintraege eintraege;
    for (const Wert &wert : werte) {
        if (!gueltigerName(wert.name))
            throw Fehler(meldung(nichtSetzbar, wert.name));
        eintraege.append({ wert.name,
            std::visit([this](const auto &inhalt) { return m_ablage->alsGespeichert(inhalt); },
                wert.inhalt) });
    }
    if (!eintraege.isEmpty() && !m_ablage->schreibe(m_ort, eintraege))
        throw Fehler(meldung(nichtSetzbar, eintraege.first().first));
}

std::optional<Schluessel> oeffnen(Wurzel wurzel, const QString &pfad, bool erzeugen)
{
    const auto stelle = finde(wurzel, pfad);
    if (!stelle)
        return std::nullopt;
    const Ablage &ablage = *stelle->ablage;
    if (!(erzeugen ? ablage.erzeuge(stelle->teile) : ablage.existiert(stelle->teile)))
        return std::nullopt;
    return Schluessel(stelle->ablage, ablage.ort(stelle->teile));
}

bool loescheSchluessel(Wurzel wurzel, const QString &pfad)
{
    const auto stelle = finde(wurzel, pfad);
    return stelle && stelle->ablage->loesche(stelle->teile);
}

bool hatUnterschluessel(Wurzel wurzel, const QString &pfad)
{
    const auto stelle = finde(wurzel, pfad);
    return stelle && stelle->ablage->hatUnterschluessel(stelle->teile);
}

void setzeWurzelordner(Wurzel wurzel, const QString &ordner) { wurzelordner(wurzel) = ordner; }

} // namespace registry
