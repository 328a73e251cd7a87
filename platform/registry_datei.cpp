// SPDX-License-Identifier: GPL-3.0-or-later
// The settings store as ini files: the file format, the lock around a write
// and what deleting a key takes.

#include "registry_ablage.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <limits>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRegularExpression>
#include <QTemporaryFile>

namespace {

using registry::Ablage;
using registry::Eintraege;
using registry::Gelesen;
using registry::kommtAn;
using Art = Gelesen::Art;

constexpr QLatin1String zahlPraefix("dword:");
constexpr QLatin1String textPraefix("sz:");

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

} // namespace

namespace registry {

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

std::shared_ptr<const Ablage> dateiAblage(const QString &wurzel)
{
    return std::make_shared<DateiAblage>(wurzel);
}

} // namespace registry
