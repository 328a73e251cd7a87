// SPDX-License-Identifier: GPL-3.0-or-later
// Keys and values over whichever store holds a root: the registry on
// Windows, else the ini files of registry_datei.cpp.

#include "platform/registry.h"

#include "registry_ablage.h"

#include <algorithm>
#include <array>
#include <QDir>
#include <QStandardPaths>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#endif

namespace {

using registry::Ablage;
using registry::Eintraege;
using registry::Fehler;
using registry::Gelesen;
using registry::Wurzel;
using Art = Gelesen::Art;

// The registry's own messages; %1 is the value's name.
constexpr const char *ungueltigerTyp = "Ungültiger Datentyp für '%1'";
constexpr const char *nichtHolbar = "Konnte Daten für '%1' nicht holen";
constexpr const char *nichtSetzbar = "Konnte Daten für '%1' nicht setzen";

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
        return registry::kommtAn(ort, QSettings::NativeFormat, werte);
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
    return registry::dateiAblage(ordner);
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

void schreibe(Wurzel wurzel, const QString &pfad, const QList<Wert> &werte)
{
    auto schluessel = oeffnen(wurzel, pfad, true);
    if (!schluessel)
        throw Fehler(meldung(nichtSetzbar, werte.isEmpty() ? pfad : werte.first().name));
    schluessel->schreibe(werte);
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
