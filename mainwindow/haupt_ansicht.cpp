// View and editing commands: word wrap, pane colours, font, swapping the
// texts, the status-bar link, the pop-up menu and the window commands that
// other windows provide.

#include "mainwindow/dialoge.h"
#include "mainwindow/haupt.h"
#include "mainwindow/textpane.h"

#include <QAction>
#include <QCursor>
#include <QMenu>
#include <QMouseEvent>
#include <QUrl>

namespace {

const QColor kKlartextHintergrund(255, 255, 225);
const QColor kChiffreHintergrund(206, 224, 246);

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
// fall back to the desktop's colours, so they follow its colour scheme.
void THauptform::wendeFarbenAn()
{
    const bool farbig = MMHintergrundfarbig->isChecked();
    for (TextPane *pane : { MKlar, MChiffre }) {
        QPalette palette;
        if (farbig)
            palette.setColor(
                QPalette::Base, pane == MKlar ? kKlartextHintergrund : kChiffreHintergrund);
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
    MKlar->setFont(gewaehlt->font);
    MChiffre->setFont(gewaehlt->font);
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

// The demonstration and help windows connect here once they exist.
void THauptform::MatrixVerschlsselung1Click() { }
void THauptform::CaesarVerschlsselung1Click() { }
void THauptform::VigenreMatrix1Click() { }
void THauptform::Ueber1Click() { }
void THauptform::Liesmich1Click() { }
