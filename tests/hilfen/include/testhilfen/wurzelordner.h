// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Both roots of the settings store in a fresh temporary folder for each test,
// and file trees to lay out and compare there.

#include "testhilfen/wurzeln.h"

#include <algorithm>
#include <memory>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// Everything below a folder: relative paths, folders ending in '/', sorted.
inline QStringList inhalt(const QString &ordner)
{
    QStringList liste;
    QDirIterator eintrag(ordner,
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
        QDirIterator::Subdirectories);
    while (eintrag.hasNext()) {
        const QString pfad = QDir(ordner).relativeFilePath(eintrag.next());
        liste << (eintrag.fileInfo().isDir() ? pfad + u'/' : pfad);
    }
    liste.sort();
    return liste;
}

// A lock file laid out here is the leftover of a copy that ended long ago.
inline bool legeDateiAn(const QString &pfad, const QByteArray &daten = {})
{
    QFile datei(pfad);
    const bool angelegt = QDir().mkpath(QFileInfo(pfad).path()) && datei.open(QIODevice::WriteOnly)
        && datei.write(daten) == daten.size();
    return angelegt
        && (!pfad.endsWith(QLatin1String(".lock"))
            || datei.setFileTime(
                QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime));
}

// Creates a listing as inhalt() gives it.
inline bool legeAn(const QString &ordner, const QStringList &liste)
{
    return std::all_of(liste.cbegin(), liste.cend(), [&](const QString &eintrag) {
        const QString pfad = QDir(ordner).filePath(eintrag);
        return eintrag.endsWith(u'/') ? QDir().mkpath(pfad) : legeDateiAn(pfad);
    });
}

inline QByteArray dateiinhalt(const QString &pfad)
{
    QFile datei(pfad);
    return datei.open(QIODevice::ReadOnly) ? datei.readAll() : QByteArray("(unreadable)");
}

class Wurzelordner
{
public:
    // For a test's init(): even the platform's default roots point into a
    // temporary folder, never at the real configuration.
    void bereite()
    {
        QVERIFY(m_netz.isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_netz.filePath(QStringLiteral("home"))));
        qputenv("XDG_CONFIG_DIRS", QFile::encodeName(m_netz.filePath(QStringLiteral("etc"))));
        m_wurzeln = std::make_unique<Wurzeln>();
        m_ordner = std::make_unique<QTemporaryDir>();
        QVERIFY(
            m_wurzeln->benutzer.isValid() && m_wurzeln->maschine.isValid() && m_ordner->isValid());
    }
    void raeumeAuf()
    {
        m_wurzeln.reset();
        m_ordner.reset();
    }

    QString benutzer() const { return m_wurzeln->benutzer.path(); }
    QString maschine() const { return m_wurzeln->maschine.path(); }
    // Anywhere else, for what a test lays out beside the roots.
    QString pfad(const QString &name = {}) const
    {
        return name.isEmpty() ? m_ordner->path() : m_ordner->filePath(name);
    }

private:
    QTemporaryDir m_netz;
    std::unique_ptr<Wurzeln> m_wurzeln;
    std::unique_ptr<QTemporaryDir> m_ordner;
};
