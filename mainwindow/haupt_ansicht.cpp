// SPDX-License-Identifier: GPL-3.0-or-later
// View and editing commands: word wrap, pane colours, font, swapping the
// texts, the status-bar link, the pop-up menu and the window commands that
// other windows provide.

#include "bausteine/textpane.h"
#include "mainwindow/einstellungen.h"
#include "mainwindow/haupt.h"
#include "schnittstellen/dialoge.h"
#include "schnittstellen/fensterfabrik.h"

#include <QAction>
#include <QCursor>
#include <QMenu>
#include <QMouseEvent>
#include <QUrl>

namespace {

const QColor kKlartextHintergrund(255, 255, 225);
const QColor kChiffreHintergrund(206, 224, 246);
const QColor kSchriftAufFarbe(Qt::black);

} // namespace

void THauptform::ZeilenumbruchautomatischClick()
{
    WordWrap = !WordWrap;
    Zeilenumbruchautomatisch->setChecked(WordWrap);
    for (TextPane *pane : { MKlar, MChiffre }) {
        pane->setLineWrapMode(WordWrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
        pane->setHorizontalScrollBarPolicy(
            WordWrap ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAlwaysOn);
    }
}

void THauptform::MMHintergrundfarbigClick()
{
    MMHintergrundfarbig->setChecked(!MMHintergrundfarbig->isChecked());
    wendeFarbenAn();
}

// Background from the colour option, text colour from the chosen font; both
// fall back to the desktop's colours, so they follow its colour scheme. The
// light backgrounds bring dark text along: a dark scheme's light text would
// vanish on them.
void THauptform::wendeFarbenAn()
{
    const bool farbig = MMHintergrundfarbig->isChecked();
    for (TextPane *pane : { MKlar, MChiffre }) {
        QPalette palette;
        if (farbig) {
            palette.setColor(
                QPalette::Base, pane == MKlar ? kKlartextHintergrund : kChiffreHintergrund);
            palette.setColor(QPalette::Text, kSchriftAufFarbe);
        }
        if (schriftfarbe.isValid())
            palette.setColor(QPalette::Text, schriftfarbe);
        pane->setPalette(palette);
    }
}

void THauptform::SchriftartwaehlenClick()
{
    const auto gewaehlt = dialoge.Schriftart(this, { MKlar->font(), schriftfarbe });
    if (!gewaehlt)
        return;
    setSchrift(gewaehlt->font);
    schriftfarbe = gewaehlt->farbe;
    wendeFarbenAn();
}

void THauptform::TextetauschenClick()
{
    const verschl::Text klartext = MKlar->text();
    const verschl::Text chiffre = MChiffre->text();
    schreibe(*MKlar, chiffre);
    schreibe(*MChiffre, klartext);
    std::swap(KlartextDatei, ChiffreDatei);
    std::swap(KlartextOrdner, ChiffreOrdner);
    std::swap(KlartextKodierung, ChiffreKodierung);
    zeigeKodierung();
}

void THauptform::MMDemoOptUebernehmenClick()
{
    MMDemoOptUebernehmen->setChecked(!MMDemoOptUebernehmen->isChecked());
}

void THauptform::StatusBar1Click()
{
    dialoge.OeffneAdresse(QUrl(QStringLiteral("https://zifferon.example/")));
}

void THauptform::FormMouseDown(QMouseEvent *event)
{
    if (event->button() == Qt::RightButton)
        PopupMenu1->popup(QCursor::pos());
}

void THauptform::MatrixVerschlsselung1Click() { fabrik.oeffne(Fensterart::MatrixDemo); }
void THauptform::CaesarVerschlsselung1Click() { fabrik.oeffne(Fensterart::CaesarDemo); }
void THauptform::VigenreMatrix1Click() { fabrik.oeffne(Fensterart::VigenereDemo); }
void THauptform::MAnalyseClick() { fabrik.oeffne(Fensterart::Analyse); }
void THauptform::MKnackenClick() { fabrik.oeffne(Fensterart::KnackenCaesar); }
void THauptform::Ueber1Click() { fabrik.oeffne(Fensterart::Info); }
void THauptform::Liesmich1Click() { fabrik.oeffne(Fensterart::Liesmich); }

void THauptform::OptInRegistryClick()
{
    OptInRegistry->setChecked(!OptInRegistry->isChecked());
    if (OptInRegistry->isChecked())
        einstellungen->EinstellungenSpeichern();
    else
        einstellungen->EinstellungenLoeschen();
}

verschl::Text THauptform::klartext() const { return MKlar->text(); }

verschl::Text THauptform::chiffre() const { return MChiffre->text(); }

int THauptform::chiffreZeichen() const { return MChiffre->zeichenzahl(); }

verschl::Text THauptform::chiffreAnfang(int zeichen) const { return MChiffre->anfang(zeichen); }

void THauptform::schreibeKlartext(const verschl::Text &text) { schreibe(*MKlar, text); }

bool THauptform::DemoOptionenUebernehmen() const { return MMDemoOptUebernehmen->isChecked(); }

DemoEinstellungen THauptform::demoEinstellungen() const { return demo; }

void THauptform::setDemoEinstellungen(const DemoEinstellungen &einstellungen)
{
    demo = einstellungen;
}

bool THauptform::haken(const char *aktion) const
{
    return findChild<QAction *>(QLatin1String(aktion))->isChecked();
}

// Through the command, as the user's click: word wrap and colours set their panes.
void THauptform::setHaken(const char *aktion, bool an)
{
    QAction *haken = findChild<QAction *>(QLatin1String(aktion));
    if (haken->isChecked() != an)
        haken->trigger();
}

void THauptform::setImSpeicher(bool an) { OptInRegistry->setChecked(an); }

QFont THauptform::schrift() const { return MKlar->font(); }

void THauptform::setSchrift(const QFont &schrift)
{
    MKlar->setFont(schrift);
    MChiffre->setFont(schrift);
}

void THauptform::zeigeFehler(const QString &meldung) { dialoge.ZeigeFehler(this, meldung); }
