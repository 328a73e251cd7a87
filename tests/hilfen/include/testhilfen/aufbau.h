// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A fresh program for one test: both windows, wired as at start, with
// scripted dialogs.

#include "bausteine/textpane.h"
#include "programm/programm.h"
#include "testhilfen/skriptdialoge.h"
#include "testhilfen/wurzeln.h"

#include <functional>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>

struct Aufbau
{
    // `vorher` may lay out stored settings before the program starts.
    explicit Aufbau(
        const QStringList &argumente = {}, const std::function<void(const Wurzeln &)> &vorher = {})
        : programm(bereite(vorher), argumente)
    { }
    Wurzeln wurzeln;
    SkriptDialoge dialoge;
    Programm programm;

    THauptform &haupt() { return programm.haupt; }
    TOptionForm &option() { return programm.option; }
    Einstellungsspeicher &einstellungen() { return programm.einstellungen; }
    TextPane &klar() { return steuer<TextPane>("MKlar"); }
    TextPane &chiffre() { return steuer<TextPane>("MChiffre"); }

    // A control of either window by its name.
    template <typename T> T &steuer(const char *name)
    {
        auto *w = option().findChild<T *>(QLatin1String(name));
        if (!w)
            w = haupt().findChild<T *>(QLatin1String(name));
        if (!w)
            qFatal("no control %s", name);
        return *w;
    }
    QAction &aktion(const char *name) { return steuer<QAction>(name); }
    // What a user's click on a menu item, tool button or pop-up item does:
    // the item must be there to click, and then runs whatever it is wired to.
    void klicke(const char *name)
    {
        QAction &a = aktion(name);
        QVERIFY2(a.isVisible() && a.isEnabled(), name);
        a.trigger();
    }

    SkriptDialoge &bereite(const std::function<void(const Wurzeln &)> &vorher)
    {
        if (vorher)
            vorher(wurzeln);
        return dialoge;
    }
    void klick(const char *knopf)
    {
        QTest::mouseClick(&steuer<QPushButton>(knopf), Qt::LeftButton);
    }
    // The window of that class that a command of the main window opens anew.
    template <typename Fenster> Fenster &oeffneNeues(const char *befehl)
    {
        const QList<Fenster *> vorher = offene<Fenster>();
        klicke(befehl);
        for (Fenster *neu : offene<Fenster>()) {
            if (!vorher.contains(neu))
                return *neu;
        }
        qFatal("%s opened no new window", befehl);
    }
    template <typename Fenster> static QList<Fenster *> offene()
    {
        QList<Fenster *> fenster;
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (auto *f = qobject_cast<Fenster *>(w))
                fenster << f;
        }
        return fenster;
    }
    // Saves a pane through "save as" under `pfad`, with the UTF-8 filter or
    // without, then clears it and opens the file into it again.
    enum class Feld { Klartext, Chiffre };
    void speichereUnter(Feld feld, const QString &pfad, bool utf8 = false)
    {
        dialoge.dateien << pfad;
        dialoge.utf8Wahl << utf8;
        klicke(feld == Feld::Klartext ? "Klartextspeichernunter1" : "Chriffrespeichernunter1");
    }
    void oeffne(Feld feld, const QString &pfad)
    {
        dialoge.dateien << pfad;
        klicke(feld == Feld::Klartext ? "Klartextffnen1" : "Chiffreffnen1");
    }
    void oeffneWieder(Feld feld, const QString &pfad)
    {
        klicke(feld == Feld::Klartext ? "MMKlartextloeschen" : "MMChiffreloeschen");
        oeffne(feld, pfad);
    }
    void speichereUndOeffne(Feld feld, const QString &pfad, bool utf8 = false)
    {
        speichereUnter(feld, pfad, utf8);
        oeffneWieder(feld, pfad);
    }
    // Closes the main window the way the close box does and tells whether it closed.
    bool schliesse()
    {
        QCloseEvent schliessen;
        QCoreApplication::sendEvent(&haupt(), &schliessen);
        return schliessen.isAccepted();
    }
};

inline QString schreibeDatei(
    const QTemporaryDir &ordner, const QString &name, const QByteArray &inhalt)
{
    const QString pfad = ordner.filePath(name);
    QFile datei(pfad);
    if (!datei.open(QIODevice::WriteOnly) || datei.write(inhalt) != inhalt.size())
        qFatal("cannot write %s", qPrintable(pfad));
    return pfad;
}

inline QByteArray leseDatei(const QString &pfad)
{
    QFile datei(pfad);
    if (!datei.open(QIODevice::ReadOnly))
        return "<missing>";
    return datei.readAll();
}
