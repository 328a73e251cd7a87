// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The program's stored settings file in a test's own roots: laid out before
// a start, read back after a save.

#include "testhilfen/aufbau.h"

#include <QDir>
#include <QSettings>

inline const QString kDatei = QStringLiteral("Nordhain/Zifferon.conf");

// Lays out a stored key holding the given ini lines.
inline std::function<void(const Wurzeln &)> gespeichert(const QByteArray &zeilen)
{
    return [zeilen](const Wurzeln &w) {
        QDir(w.benutzer.path()).mkpath(QStringLiteral("Nordhain"));
        schreibeDatei(w.benutzer, kDatei, "[General]\n" + zeilen);
    };
}

inline QByteArray dword(int wert)
{
    return "dword:" + QByteArray::number(quint32(wert), 16).rightJustified(8, '0');
}

inline QSettings gelesen(const Aufbau &a)
{
    return QSettings(a.wurzeln.benutzer.filePath(kDatei), QSettings::IniFormat);
}
