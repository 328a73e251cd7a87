// SPDX-License-Identifier: GPL-3.0-or-later
// The method window's controls: captions, defaults and their designed places.

#include "bausteine/ganzklickbar.h"
#include "bausteine/spaltenzahlfeld.h"
#include "bausteine/steuerelemente.h"
#include "method/option.h"
#include "platform/benannt.h"
#include "platform/schriften.h"
#include "schnittstellen/einstellungstabelle.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QStyle>
#include <QStyleFactory>

namespace {

// Heights the design leaves to the controls' kind.
constexpr int kKnopfHoehe = 17; // check boxes and radio buttons
constexpr int kFeldHoehe = 21; // one-line fields, number field, drop-down list
constexpr int kReglerHoehe = 25;

constexpr int kMethodenZeilenAbstand = 20;
constexpr int kMethodenErsteZeile = 16;
// The method controls start below the group box; the substitution's need the
// most room and push the plaintext group down by this much.
constexpr int kSubstitutionHoehe = 38;
constexpr int kKnopfzeile = 23; // push buttons

const QStringList kMethoden = {
    QStringLiteral("Matrix-Verschlüsselung"),
    QStringLiteral("Caesar-Verschlüsselung (Alphabet)"),
    QStringLiteral("Rotation 13 (Alphabet-Rotation)"),
    QStringLiteral("Rotation 128 (ASCII-Rotation)"),
    QStringLiteral("Vigenère-Verschlüsselung"),
    QStringLiteral("&Substitution"),
};

QCheckBox *kontrollkaestchen(
    QWidget *eltern, const char *name, const QString &beschriftung, int links, int oben, int breite)
{
    auto *kaestchen = benannt(new GanzKlickbar<QCheckBox>(beschriftung, eltern), name);
    kaestchen->setGeometry(links, oben, breite, kKnopfHoehe);
    return kaestchen;
}

// The places inside the group boxes are designed for a frame line that runs
// through the middle of the caption, as the classic Windows look draws it.
// Styles that draw the frame below the caption would let it cut through the
// first row, so the two group boxes keep that look.
QGroupBox *gruppe(QWidget *eltern, const char *name, const QString &titel, QStyle *rahmenStil)
{
    auto *box = benannt(new QGroupBox(titel, eltern), name);
    if (rahmenStil)
        box->setStyle(rahmenStil);
    return box;
}

} // namespace

// Created in tab order: the focus chain follows creation, and where controls
// of different methods overlap, the later one lies on top.
void TOptionForm::erzeugeSteuerelemente()
{
    rahmenStil = QStyleFactory::create(QStringLiteral("Windows"));
    if (rahmenStil)
        rahmenStil->setParent(this);
    RadioGroup = gruppe(this, "RadioGroup", QStringLiteral("&Methode"), rahmenStil);
    RadioGroup->setGeometry(8, 8, 217, 141);
    RadioGroupItems = benannt(new QButtonGroup(this), "RadioGroupItems");
    for (int i = 0; i < kMethoden.size(); ++i) {
        auto *knopf = new GanzKlickbar<QRadioButton>(kMethoden[i], RadioGroup);
        knopf->setObjectName(QStringLiteral("RadioGroupItem%1").arg(i));
        knopf->setGeometry(8, kMethodenErsteZeile + i * kMethodenZeilenAbstand, 201, kKnopfHoehe);
        RadioGroupItems->addButton(knopf, i);
    }
    RadioGroupItems->button(einstellung::standard(u"Methode"))->setChecked(true);

    erzeugeMatrix();
    erzeugeVerschiebung();
    erzeugeKlartextGruppe();
    erzeugeVigenere();
    erzeugeSubstitution();

    Trennlinie
        = vertieft(this, "Trennlinie", QFrame::HLine, { 0, 320 + kSubstitutionHoehe, width(), 2 });

    CBStayOnTop = kontrollkaestchen(this, "CBStayOnTop", QStringLiteral("Fenster im Vordergrund"),
        12, 326 + kSubstitutionHoehe, 217);
    CBStayOnTop->setChecked(einstellung::standardAn(u"ImVordergrund"));
}

void TOptionForm::erzeugeMatrix()
{
    RBMatrixQuadratisch
        = benannt(new GanzKlickbar<QRadioButton>(QStringLiteral("&Quadratische Matrix"), this),
            "RBMatrixQuadratisch");
    RBMatrixQuadratisch->setGeometry(16, 162, 153, kKnopfHoehe);
    RBMatrixManSpalten
        = benannt(new GanzKlickbar<QRadioButton>(QStringLiteral("&Spaltenzahl:"), this),
            "RBMatrixManSpalten");
    RBMatrixManSpalten->setGeometry(16, 192, 113, kKnopfHoehe);
    (einstellung::standardAn(u"MatrixQuadratisch") ? RBMatrixQuadratisch : RBMatrixManSpalten)
        ->setChecked(true);

    SpEdSpalten = benannt(new Spaltenzahlfeld(this), "SpEdSpalten");
    SpEdSpalten->setGeometry(103, 189, 49, kFeldHoehe);
    SpEdSpalten->setValue(einstellung::standard(u"Spaltenzahl"));
    // Named as the radio button that it belongs to.
    SpEdSpalten->setAccessibleName(QStringLiteral("Spaltenzahl"));
}

void TOptionForm::erzeugeVerschiebung()
{
    Label1 = beschriftung(this, "Label1", QStringLiteral("A >"), 8, 168);

    const Verschiebungswahl wahl = erzeugeVerschiebungswahl(
        this, { 32, 164, 41, kFeldHoehe }, { 72, 164, 153, kReglerHoehe });
    ComboBox = wahl.liste;
    Label1->setBuddy(ComboBox);
    TrackBar = wahl.regler;
    const int verschiebung = einstellung::standard(u"CaesarVerschiebung");
    TrackBar->setValue(verschiebung);

    LVerschAusgabe = beschriftung(this, "LVerschAusgabe", verschiebungsText(verschiebung), 12, 206);
    // Wide enough for every shift, so a longer number is never cut off.
    LVerschAusgabe->resize(width() - 2 * LVerschAusgabe->x(), LVerschAusgabe->height());
}

void TOptionForm::erzeugeKlartextGruppe()
{
    GBKlartext = gruppe(this, "GBKlartext", QStringLiteral("Klartext ändern"), rahmenStil);
    GBKlartext->setGeometry(8, 228 + kSubstitutionHoehe, 217, 89);
    CBKlein = kontrollkaestchen(GBKlartext, "CBKlein", QStringLiteral("&Kleinschrift"), 8, 64, 105);
    CBGross = kontrollkaestchen(GBKlartext, "CBGross", QStringLiteral("&Großschrift"), 112, 64, 97);
    CBLeerzeichen = kontrollkaestchen(
        GBKlartext, "CBLeerzeichen", QStringLiteral("&Leerzeichen löschen"), 8, 40, 185);
    CBUmlauteErsetzen = kontrollkaestchen(
        GBKlartext, "CBUmlauteErsetzen", QStringLiteral("&Umlaute ersetzen"), 8, 16, 201);
}

void TOptionForm::erzeugeVigenere()
{
    CBSonderignorieren = kontrollkaestchen(
        this, "CBSonderignorieren", QStringLiteral("Sonderzeichen &ignorieren"), 16, 204, 177);
    CBSonderignorieren->setToolTip(SonderzeichenHinweis());

    LSchluessel = beschriftung(this, "LSchluessel", QStringLiteral("&Schlüssel"), 11, 168);
    EdSchluessel = benannt(new QLineEdit(this), "EdSchluessel");
    EdSchluessel->setGeometry(64, 164, 161, kFeldHoehe);
    LSchluessel->setBuddy(EdSchluessel);
    // The key is plain letters; composed input would bypass the key filter.
    EdSchluessel->setAttribute(Qt::WA_InputMethodEnabled, false);
    EdSchluessel->installEventFilter(this);
}

// The field holds a key word or a whole alphabet, so it takes the full width.
void TOptionForm::erzeugeSubstitution()
{
    LSubstitution = beschriftung(
        this, "LSubstitution", QStringLiteral("Schlüssel&wort oder Alphabet:"), 11, 164);
    EdSubstitution = benannt(new QLineEdit(this), "EdSubstitution");
    EdSubstitution->setGeometry(8, 180, 217, kFeldHoehe);
    LSubstitution->setBuddy(EdSubstitution);
    EdSubstitution->setAttribute(Qt::WA_InputMethodEnabled, false);
    EdSubstitution->installEventFilter(this);

    // Fixed pitch, so each cipher letter stands under its plain letter.
    LGeheimalphabet = beschriftung(this, "LGeheimalphabet", {}, 12, 205);
    LGeheimalphabet->setFont(schriften::Schreibmaschine(12));
    LGeheimalphabet->setGeometry(12, 205, 209, 30);
    LGeheimalphabet->setTextInteractionFlags(Qt::TextSelectableByMouse);

    BZufallsalphabet = knopf(
        this, "BZufallsalphabet", QStringLiteral("Zufallsalphabet"), { 8, 239, 113, kKnopfzeile });
}
