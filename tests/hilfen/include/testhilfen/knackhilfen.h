// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The breaking window opened from the main window of a test set-up, its
// controls found by name, and the Vigenère ciphertext its tests break.
// Needs zifferon_programm.

#include "knacken/knacken.h"
#include "testhilfen/aufbau.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

namespace knackhilfen {

using namespace Qt::StringLiterals;

template <typename T> T &teil(const QWidget &fenster, const char *name)
{
    auto *t = fenster.findChild<T *>(QLatin1String(name));
    if (!t)
        qFatal("no control %s", name);
    return *t;
}

inline QWidget &seite(const TKnackenForm &f)
{
    return *teil<QTabWidget>(f, "Seiten").currentWidget();
}

inline QString schritt(const TKnackenForm &f) { return teil<QLabel>(seite(f), "LSchritt").text(); }

inline void klick(const TKnackenForm &f, const char *knopf)
{
    QPushButton &k = teil<QPushButton>(f, knopf);
    QVERIFY2(k.isVisible() && k.isEnabled(), knopf);
    QTest::mouseClick(&k, Qt::LeftButton);
}

inline TKnackenForm &oeffne(Aufbau &a, const verschl::Text &chiffre)
{
    a.chiffre().setText(chiffre);
    return a.oeffneNeues<TKnackenForm>("MKnacken");
}

// Three German sentences; Vigenère with SCHULE repeats letter groups of them
// at multiples of six.
inline const verschl::Text kDreiSaetze
    = "Die Schule beginnt am Morgen um acht Uhr, und die Kinder lernen heute geheime "
      "Nachrichten. Wer eine geheime Nachricht lesen will, muss den Schluessel der Nachricht "
      "kennen. Die Kinder suchen den Schluessel in den Wiederholungen der geheimen Nachricht.";

inline verschl::Text vigenere(bool ignorieren)
{
    return *verschl::VigenereVerschluesseln(kDreiSaetze, "SCHULE", ignorieren);
}

// The Vigenère page at its step `ziel` (from 1), counted as `ignorieren` says.
inline void vigenereBis(TKnackenForm &f, bool ignorieren, int ziel)
{
    teil<QTabWidget>(f, "Seiten").setCurrentIndex(1);
    QTest::mouseClick(
        &teil<QRadioButton>(f, ignorieren ? "RBIgnorieren" : "RBMitzaehlen"), Qt::LeftButton);
    while (teil<QLabel>(seite(f), "LSchritt").text() < u"Schritt %1"_s.arg(ziel))
        klick(f, "BWeiter");
}

} // namespace knackhilfen
