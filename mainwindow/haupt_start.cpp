// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up, the command line, the method-window toggle and closing.

#include "bausteine/textpane.h"
#include "mainwindow/einstellungen.h"
#include "mainwindow/haupt.h"
#include "platform/dateiname.h"
#include "platform/fensterplatz.h"
#include "platform/richtlinie.h"
#include "platform/textdatei.h"
#include "schnittstellen/dialoge.h"
#include "schnittstellen/methodenfenster.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QWindow>

void THauptform::FormCreate(const QStringList &argumente)
{
    // The pane file state, the demonstration settings and the flags start
    // with the values their declarations give.
    Einstellungsspeicher::MaschinenEintraegeLoeschen();
    DemoRichtlinieAnwenden();
    AnalyseRichtlinieAnwenden();
    platziereFenster(QSize(550, 394 + menuBar()->sizeHint().height()));
    wendeFarbenAn();
    Pfad = Einstellungsspeicher::EigeneDateienOrdner();
    KommandozeileAuswerten(argumente);
}

void THauptform::DemoRichtlinieAnwenden()
{
    const int v = richtlinie::NoDemo();
    const struct
    {
        int bit;
        QAction *menueUndWerkzeug;
        QAction *popup;
    } demos[] = { { 1, MatrixVerschlsselung1, PopMDemoMatrix },
        { 2, CaesarVerschlsselung1, PopMDemoCaesar }, { 4, VigenreMatrix1, PopMDemoVigenere } };
    for (const auto &demo : demos) {
        if (v & demo.bit) {
            demo.menueUndWerkzeug->setVisible(false);
            demo.popup->setVisible(false);
        }
    }
    if (v >= 7) {
        Demos1->menuAction()->setVisible(false);
        PopMenueTrennstrich->setVisible(false);
    }
}

// Hiding the one action hides the menu item and the pop-up item.
void THauptform::AnalyseRichtlinieAnwenden() { MAnalyse->setVisible(!richtlinie::NoAnalyse()); }

// Left edge at 5, vertically centred, 550 wide; or, after a restart, where
// the window stood before (`ort`, in device pixels). The centre and the
// smallest size count the frame in, so both are set again once the window
// manager has told its size.
void THauptform::platziereFenster(QSize groesse, std::optional<QPoint> ort)
{
    resize(groesse);
    create();
    fensterplatz::NachRahmen(*windowHandle(), [this, ort] {
        const QMargins rahmen = windowHandle()->frameMargins();
        const QRect bildschirm = screen()->geometry();
        setMinimumSize(QSize(350, 260).shrunkBy(rahmen));
        // At a large Darstellungsgröße the designed size may exceed the screen.
        resize(size().boundedTo(bildschirm.size().shrunkBy(rahmen)));
        const QPoint platz = ort
            ? fensterplatz::ImBild(bildschirm, rahmen, size(), *ort / devicePixelRatioF())
            : fensterplatz::AmLinkenRand(bildschirm, rahmen, size(), 5);
        setGeometry(QRect(platz, size()));
        // With "-firstoption" the method window may have been framed first,
        // beside where this window stood before.
        if (MethodenfensterOffen)
            platziereMethodenfenster();
    });
}

void THauptform::KommandozeileAuswerten(const QStringList &argumente)
{
    if (argumente.isEmpty())
        return;
    const QString &erstes = argumente.first();
    const textdatei::Art art = textdatei::ArtVon(erstes);
    if (art == textdatei::Art::Datei || art == textdatei::Art::Sonderdatei) {
        const auto ergebnis = textdatei::Oeffnen(erstes);
        const auto *gelesen = std::get_if<textdatei::Gelesen>(&ergebnis);
        if (!gelesen) {
            dialoge.ZeigeWarnung(this,
                std::get<textdatei::Lesefehler>(ergebnis) == textdatei::Lesefehler::ZuGross
                    ? ZuGrossMeldung(erstes)
                    : QStringLiteral("Fehler beim Lesen der Datei ")
                        + dateiname::FuerMeldung(erstes));
            return;
        }
        schreibe(*MKlar, gelesen->text);
        schreibe(*MChiffre, gelesen->text);
        KlartextKodierung = ChiffreKodierung = gelesen->kodierung;
        zeigeKodierung();
    } else if (erstes == QLatin1String("-onlyoption")) {
        nurMethodenfenster = true;
    } else if (erstes == QLatin1String("-firstoption")) {
        MethodenfensterZuerst = true;
    }
}

void THauptform::setMethodenfenster(Methodenfenster &fenster, Einstellungsspeicher &speicher)
{
    methodenfenster = &fenster;
    einstellungen = &speicher;
    fenster.setAenderungsmeldung([this] { zeigeMethode(); });
    zeigeMethode();
}

void THauptform::zeigen() { show(); }

void THauptform::ausserSicht() { move(screen()->geometry().width() + 100, y()); }

void THauptform::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void THauptform::FormShow()
{
    if (MethodenfensterZuerst)
        BOptionenClick();
    MethodenfensterZuerst = false;
}

void THauptform::BOptionenClick()
{
    if (MethodenfensterOffen) {
        methodenfenster->fenster().hide();
        setzeMethodenfensterAnzeige(false);
    } else {
        setzeMethodenfensterAnzeige(true);
        platziereMethodenfenster();
        methodenfenster->fenster().show();
    }
}

// The flag, the menu check mark, the pressed tool button and the button
// caption always tell the same.
void THauptform::setzeMethodenfensterAnzeige(bool offen)
{
    MethodenfensterOffen = offen;
    Optionsfester->setChecked(offen);
    BOptionen->setText(offen ? QStringLiteral("<< &Methode") : QStringLiteral("&Methode >>"));
}

// Beside the main window, but never past the screen's right edge or above its
// top. Both frames count, and the method window's own is known only once it
// has been shown.
void THauptform::platziereMethodenfenster()
{
    QWidget &fenster = methodenfenster->fenster();
    fenster.winId(); // creates its native window, which holds the frame
    fensterplatz::NachRahmen(*fenster.windowHandle(), [this, &fenster] {
        const QRect haupt = geometry().marginsAdded(windowHandle()->frameMargins());
        fenster.setGeometry(QRect(fensterplatz::Daneben(screen()->geometry(), haupt,
                                      fenster.windowHandle()->frameMargins(), fenster.size()),
            fenster.size()));
    });
}

// Opens the method window; an open one comes to the front instead of closing.
void THauptform::LMethodeClick()
{
    if (!MethodenfensterOffen)
        BOptionenClick();
    methodenfenster->fenster().raise();
    methodenfenster->fenster().activateWindow();
}

void THauptform::MethodenfensterGeschlossen()
{
    setzeMethodenfensterAnzeige(false);
    if (nurMethodenfenster) {
        nurMethodenfenster = false;
        // No main window to switch the option off from: settings that cannot be
        // written end the program after their message, instead of leaving it
        // running without any window.
        if (!close())
            QCoreApplication::exit(1);
    }
}

void THauptform::Beenden1Click() { close(); }

void THauptform::closeEvent(QCloseEvent *event)
{
    FormCloseQuery(event);
    // The method window is a top-level window of its own: the program ends
    // with the main window, whatever else is still open.
    if (event->isAccepted())
        QCoreApplication::quit();
}
