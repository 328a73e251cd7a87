#include "platform/registry.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <limits>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
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
    virtual QVariant alsGespeichert(const QString &text) const = 0;
    virtual QVariant alsGespeichert(qint32 zahl) const = 0;
    virtual Gelesen gelesen(const QVariant &gespeichert) const = 0;
};

} // namespace registry

namespace {

using registry::Ablage;
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

// Keys as ini files: "A\B" is the file "A/B.conf" and, once it has sub-keys, the folder "A/B/".
class DateiAblage final : public Ablage
{
public:
    explicit DateiAblage(const QString &wurzel)
        : m_wurzel(wurzel)
    { }

    bool existiert(const QStringList &teile) const override
    {
        return QFileInfo(datei(teile)).isFile() || QFileInfo(ordner(teile)).isDir();
    }

    bool erzeuge(const QStringList &teile) const override
    {
        if (existiert(teile))
            return true;
        QFile neu(datei(teile));
        // Appending never cuts off what another running copy may have written meanwhile.
        return QDir().mkpath(QFileInfo(neu).path())
            && neu.open(QIODevice::WriteOnly | QIODevice::Append);
    }

    bool loesche(const QStringList &teile) const override
    {
        const QFileInfo datei(this->datei(teile));
        const QFileInfo ordner(this->ordner(teile));
        if (!datei.isFile() && !ordner.isDir())
            return false;
        const bool ordnerWeg = !ordner.isDir() || entferneOrdner(ordner);
        const bool dateiWeg = !datei.isFile() || QFile::remove(datei.filePath());
        return ordnerWeg && dateiWeg;
    }

    bool hatUnterschluessel(const QStringList &teile) const override
    {
        // Only key files count: QSettings' lock and temporary files sit beside them.
        const QDir dir(ordner(teile));
        return !dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden).isEmpty()
            || !dir.entryList({ QStringLiteral("*.conf") }, QDir::Files | QDir::Hidden).isEmpty();
    }

    QString ort(const QStringList &teile) const override { return datei(teile); }
    QSettings::Format format() const override { return QSettings::IniFormat; }

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

    // A linked folder loses only its link: deleting a key never reaches outside the root.
    static bool entferneOrdner(const QFileInfo &ordner)
    {
        return ordner.isSymLink() ? QFile::remove(ordner.filePath())
                                  : QDir(ordner.filePath()).removeRecursively();
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

QSettings::Status schreibeSofort(
    const QString &ort, QSettings::Format format, const QString &name, const QVariant &wert)
{
    QSettings einstellungen(ort, format);
    einstellungen.setValue(name, wert);
    einstellungen.sync();
    return einstellungen.status();
}

bool kommtAn(
    const QString &ort, QSettings::Format format, const QString &name, const QVariant &wert)
{
    const QSettings::Status status = schreibeSofort(ort, format, name, wert);
    if (status != QSettings::FormatError)
        return status == QSettings::NoError;
    // QSettings keeps only the first problem it meets, so a damaged file's FormatError hides
    // whether the write failed. A second look decides: it retries a write that is still
    // pending (and reports that failure) or reads back what the file now holds.
    const QSettings nachher(ort, format);
    return nachher.status() != QSettings::AccessError && nachher.value(name) == wert;
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

bool Schluessel::hatWert(const QString &name) const
{
    return gueltigerName(name) && QSettings(m_ort, m_ablage->format()).contains(name);
}

Gelesen Schluessel::hole(const QString &name) const
{
    const QVariant gespeichert
        = gueltigerName(name) ? QSettings(m_ort, m_ablage->format()).value(name) : QVariant();
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

void Schluessel::schreibeText(const QString &name, const QString &text)
{
    speichere(name, m_ablage->alsGespeichert(text));
}

void Schluessel::schreibeGanzzahl(const QString &name, qint32 zahl)
{
    speichere(name, m_ablage->alsGespeichert(zahl));
}

void Schluessel::schreibeBool(const QString &name, bool wert)
{
    schreibeGanzzahl(name, wert ? 1 : 0);
}

void Schluessel::speichere(const QString &name, const QVariant &wert)
{
    if (!gueltigerName(name) || !kommtAn(m_ort, m_ablage->format(), name, wert))
        throw Fehler(meldung(nichtSetzbar, name));
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
