// SPDX-License-Identifier: GPL-3.0-or-later
// The Caesar demonstration's controls: captions, defaults and their designed
// places.

#include "bausteine/bytezeile.h"
#include "bausteine/steuerelemente.h"
#include "demos/caesardemo.h"
#include "demos/demobausteine.h"
#include "demos/stringaligngrid.h"
#include "platform/benannt.h"
#include "platform/schriften.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QToolButton>

namespace {

constexpr int kFeldHoehe = 21;
constexpr int kKnopfHoehe = 17;

// The two fields show one character per byte; they wait for the extended view.
Bytezeile *textfeld(QWidget *eltern, const char *name, int oben)
{
    Bytezeile *feld = demo::Textzeile(eltern, name);
    feld->setGeometry(6, oben, 295, 22);
    feld->setEnabled(false);
    return feld;
}

// The direction buttons wait for the extended view.
QToolButton *richtungsknopf(QWidget *eltern, const char *name, const QString &text, int links)
{
    QToolButton *b = demo::Richtungsknopf(eltern, name, text, { links, 102, 85, 22 });
    b->setEnabled(false);
    return b;
}

} // namespace

// Created in tab order: the focus chain follows creation, and the frame
// behind the animation controls comes before them so it lies below.
void TCaesarDemoForm::erzeugeSteuerelemente()
{
    SAGrid = benannt(new TStringAlignGrid(this), "SAGrid");
    SAGrid->setColCount(26);
    SAGrid->setRowCount(2);
    SAGrid->setDefaultColWidth(19);
    SAGrid->setDefaultRowHeight(19);
    SAGrid->setScrollBars(TStringAlignGrid::TScrollStyle::ssNone);
    SAGrid->setFont(schriften::Schreibmaschine(11));
    SAGrid->setGeometry(0, 0, 523, 43);
    SAGrid->setAccessibleName(QStringLiteral("Alphabete"));

    LAzu = beschriftung(this, "LAzu", QStringLiteral("A >"), 6, 57);

    const Verschiebungswahl wahl
        = erzeugeVerschiebungswahl(this, { 30, 54, 43, kFeldHoehe }, { 78, 54, 169, 31 });
    ComboBox = wahl.liste;
    LAzu->setBuddy(ComboBox);
    TrackBar = wahl.regler;

    BMehr = knopf(this, "BMehr", QStringLiteral("Erweiter&t >>"), { 300, 54, 81, 25 });
    BMehr->setToolTip(QStringLiteral("Anzeige erweitern"));
    BSchliessen = knopf(this, "BSchliessen", QStringLiteral("&Schließen"), { 390, 54, 127, 25 });

    Trennlinie = vertieft(this, "Trennlinie", QFrame::HLine, { 6, 90, 511, 2 });
    erzeugeEingabeteil();
}

// Cut short to the gap left of the buttons; the whole line stays in the
// tooltip and for screen readers.
void TCaesarDemoForm::erzeugeVerfahrenszeile(const QString &zeile)
{
    for (QWidget *w : std::initializer_list<QWidget *> { LAzu, ComboBox, TrackBar })
        w->hide();
    LVerfahren = beschriftung(this, "LVerfahren", zeile, 6, 57);
    LVerfahren->resize(BMehr->x() - 12, LVerfahren->height());
    LVerfahren->setText(
        LVerfahren->fontMetrics().elidedText(zeile, Qt::ElideRight, LVerfahren->width()));
    LVerfahren->setToolTip(zeile);
    LVerfahren->setAccessibleName(zeile);
}

void TCaesarDemoForm::erzeugeEingabeteil()
{
    LText1 = beschriftung(this, "LText1", QStringLiteral("&Klartext"), 6, 102);
    EdText1 = textfeld(this, "EdText1", 120);
    LText1->setBuddy(EdText1);
    LText2 = beschriftung(this, "LText2", QStringLiteral("&Chiffre"), 6, 156);
    EdText2 = textfeld(this, "EdText2", 174);
    LText2->setBuddy(EdText2);
    // Wide enough for either caption, since the two swap with the direction.
    for (QLabel *label : { LText1, LText2 })
        label->resize(120, label->height());

    SpBVerschluesseln
        = richtungsknopf(this, "SpBVerschluesseln", QStringLiteral("&Verschlüseln"), 348);
    SpBVerschluesseln->setChecked(true);
    SpBEntschluesseln
        = richtungsknopf(this, "SpBEntschluesseln", QStringLiteral("&Entschlüsseln"), 432);

    BSchritt = demo::Sofortknopf(this, "BSchritt", QStringLiteral("&Buchstaben verschlüsseln"));
    BSchritt->setGeometry(348, 126, 169, 31);
    BSchritt->setEnabled(false);

    Rahmen = vertieft(this, "Rahmen", QFrame::Panel, { 348, 162, 169, 79 });
    BRueck = knopf(this, "BRueck", QStringLiteral("&Rücksetzen"), { 354, 168, 157, 19 });

    CBAnimation = benannt(
        new QCheckBox(QStringLiteral("&Animation   Geschwindigkeit:"), this), "CBAnimation");
    CBAnimation->setGeometry(354, 192, 161, kKnopfHoehe);
    CBAnimation->setChecked(true);
    CBAnimation->setEnabled(false);

    TBGeschw = benannt(new QSlider(Qt::Horizontal, this), "TBGeschw");
    TBGeschw->setTickPosition(QSlider::NoTicks);
    TBGeschw->setGeometry(378, 210, 138, 25);
    TBGeschw->setAccessibleName(QStringLiteral("Geschwindigkeit"));
    TBGeschw->setEnabled(false);
}
