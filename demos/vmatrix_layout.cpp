// SPDX-License-Identifier: GPL-3.0-or-later
// The Vigenère demonstration's controls: captions, hints, defaults, their
// designed places in the column right of the table, and the tab order.

#include "bausteine/bytezeile.h"
#include "bausteine/steuerelemente.h"
#include "demos/demobausteine.h"
#include "demos/stringaligngrid.h"
#include "demos/vmatrix.h"
#include "platform/benannt.h"
#include "platform/schriften.h"
#include "schnittstellen/darstellung.h"

#include <algorithm>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <QToolButton>

namespace {

constexpr int kLinks = 506;
constexpr int kBreite = 164;
constexpr int kHalb = 80;
constexpr int kRechts = kLinks + kBreite - kHalb;
constexpr int kFensterbreite = 676;
// The table: 26 rows of 19 pixels and its border, as high as the window.
constexpr int kZeile = 19;
constexpr int kGitterRand = 5;
// Lower rows would leave no room for the close button below "Blinken".
constexpr int kKleinsteZeile = 18;
constexpr int kSchliessenUnten = 33; // from the close button's top to the window's bottom
// The letters of the table: at a Darstellungsgröße above 100 % a projector
// shows them to the back of the room, where the designed size, scaled, is
// still too small to read. 15 pixels still fit the narrowest row.
constexpr int kBuchstabe = 11;
constexpr int kBuchstabeVergroessert = 15;

// Wide enough for either caption, since the two text labels swap with the mode.
QLabel *spaltenbeschriftung(QWidget *eltern, const char *name, const QString &text, int oben)
{
    QLabel *label = beschriftung(eltern, name, text, kLinks, oben);
    label->resize(kBreite, 15);
    return label;
}

template <typename Feld> Feld *feld(Feld *f, QLabel *label, int oben)
{
    f->setGeometry(kLinks, oben, kBreite, 22);
    f->setReadOnly(true);
    label->setBuddy(f);
    return f;
}

QPushButton *knopfMitHinweis(QWidget *eltern, const char *name, const QString &text,
    const QString &hinweis, const QRect &platz)
{
    QPushButton *b = knopf(eltern, name, text, platz);
    b->setToolTip(hinweis);
    return b;
}

QCheckBox *schalter(
    QWidget *eltern, const char *name, const QString &text, const QString &hinweis, int oben)
{
    auto *cb = benannt(new QCheckBox(text, eltern), name);
    cb->setToolTip(hinweis);
    cb->setGeometry(kLinks, oben, kBreite, 17);
    return cb;
}

} // namespace

// Created in tab order: the focus chain follows creation.
void TVMatrixForm::erzeugeSteuerelemente()
{
    StrAGrVMatrix = benannt(new TStringAlignGrid(this), "StrAGrVMatrix");
    StrAGrVMatrix->setColCount(26);
    StrAGrVMatrix->setRowCount(26);
    StrAGrVMatrix->setDefaultColWidth(kZeile);
    StrAGrVMatrix->setGridLineWidth(0);
    StrAGrVMatrix->setScrollBars(TStringAlignGrid::TScrollStyle::ssNone);
    StrAGrVMatrix->setFont(schriften::Schreibmaschine(
        darstellung::Laufend() > darstellung::kEntworfen ? kBuchstabeVergroessert : kBuchstabe));
    StrAGrVMatrix->setAccessibleName(QStringLiteral("Vigenère-Tabelle"));

    CBEditSperren = schalter(this, "CBEditSperren", QStringLiteral("&Felder sperren"),
        QStringLiteral("Deaktivieren zum Ändern der Texte"), 6);
    CBEditSperren->setChecked(true);

    LSchluessel = spaltenbeschriftung(this, "LSchluessel", QStringLiteral("Sch&lüssel"), 30);
    EdSchluessel = feld(demo::Zeilenfeld(this, "EdSchluessel"), LSchluessel, 46);
    LText1 = spaltenbeschriftung(this, "LText1", QStringLiteral("Klarte&xt"), 74);
    EdText1 = feld(demo::Textzeile(this, "EdText1"), LText1, 90);
    LText2 = spaltenbeschriftung(this, "LText2", QStringLiteral("&Chiffre"), 118);
    EdText2 = feld(demo::Textzeile(this, "EdText2"), LText2, 134);

    // The mode buttons.
    SpBVerschluesseln = demo::Richtungsknopf(this, "SpBVerschluesseln",
        QStringLiteral("&Verschlüsseln"), { kLinks, 166, kHalb + 2, 22 });
    SpBVerschluesseln->setChecked(true);
    SpBEntschluesseln = demo::Richtungsknopf(this, "SpBEntschluesseln",
        QStringLiteral("&Entschlüsseln"), { kRechts, 166, kHalb + 2, 22 });

    BSchritt = demo::Sofortknopf(this, "BSchritt", QStringLiteral("&Buchstaben verschlüsseln"));
    BSchritt->setToolTip(QStringLiteral("Einen Schritt weiter"));
    BSchritt->setGeometry(kLinks, 194, kBreite, 31);

    CBSonderzeichenIgnorieren = schalter(this, "CBSonderzeichenIgnorieren",
        QStringLiteral("Sonderzeichen &ignorieren"), SonderzeichenHinweis(), 234);
    CBAnimation = schalter(this, "CBAnimation", QStringLiteral("&Animation   Geschwindigkeit:"),
        QStringLiteral("Animierte Darstellung"), 258);
    CBAnimation->setChecked(true);

    TrackBar = benannt(new QSlider(Qt::Horizontal, this), "TrackBar");
    TrackBar->setTickPosition(QSlider::NoTicks);
    TrackBar->setGeometry(kLinks + 16, 276, kBreite - 16, 25);
    // It has no caption of its own; a screen reader names it so.
    TrackBar->setAccessibleName(QStringLiteral("Geschwindigkeit"));
    erzeugeTextknoepfe();
}

void TVMatrixForm::erzeugeTextknoepfe()
{
    BRueck = knopfMitHinweis(this, "BRueck", QStringLiteral("&Rücksetzen"),
        QStringLiteral("Von vorne beginnen"), { kLinks, 310, kBreite, 25 });
    BUmlaute = knopfMitHinweis(this, "BUmlaute", QStringLiteral("&Umlaute"),
        QStringLiteral("Umlaute und ß ersetzen"), { kLinks, 346, kHalb, 25 });
    BLeerzeichen = knopfMitHinweis(this, "BLeerzeichen", QStringLiteral("Leer&zeichen"),
        QStringLiteral("Leerzeichen löschen"), { kRechts, 346, kHalb, 25 });
    BKlein = knopfMitHinweis(this, "BKlein", QStringLiteral("&Kleinschrift"),
        QStringLiteral("Texte in Kleinbuchstaben umwandeln"), { kLinks, 376, kHalb, 25 });
    BGross = knopfMitHinweis(this, "BGross", QStringLiteral("&Großschrift"),
        QStringLiteral("Texte in Großbuchstaben umwandeln"), { kRechts, 376, kHalb, 25 });
    CBMitBlinken = schalter(this, "CBMitBlinken", QStringLiteral("Bli&nken"), QString(), 412);
    BSchliessen
        = knopf(this, "BSchliessen", QStringLiteral("&Schließen"), { kLinks, 466, kBreite, 25 });

    BlinkAn = benannt(new QTimer(this), "BlinkAn");
    BlinkAn->setInterval(600);
    passeAn(QWIDGETSIZE_MAX);
}

void TVMatrixForm::passeAn(int hoehe)
{
    const int zeile = std::clamp((hoehe - kGitterRand) / 26, kKleinsteZeile, kZeile);
    const int gitter = 26 * zeile + kGitterRand;
    StrAGrVMatrix->setDefaultRowHeight(zeile);
    StrAGrVMatrix->resize(26 * kZeile + kGitterRand, gitter);
    setFixedSize(kFensterbreite, gitter);
    BSchliessen->move(kLinks, gitter - kSchliessenUnten);
}
