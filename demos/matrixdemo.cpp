// SPDX-License-Identifier: GPL-3.0-or-later
#include "demos/matrixdemo.h"

#include "bausteine/ganzklickbar.h"
#include "bausteine/spaltenzahlfeld.h"
#include "bausteine/steuerelemente.h"
#include "demos/stringaligngrid.h"
#include "demos/textfeld.h"
#include "platform/benannt.h"
#include "platform/schriften.h"
#include "schnittstellen/hauptfenster.h"
#include "schnittstellen/methodenfenster.h"

#include <algorithm>
#include <cmath>
#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace {

constexpr int kZelle = 20; // 19 pixels and the grid line
constexpr int kRahmen = 3;
constexpr int kRollbalken = 17;
constexpr int kKnopfHoehe = 17; // radio buttons
constexpr int kFeldHoehe = 21; // the number field

// The grid's "Courier New" at the window's 8 points.
QFont Textschrift()
{
    QFont schrift = schriften::Paneschrift();
    schrift.setPixelSize(11);
    return schrift;
}

QRadioButton *auswahl(QWidget *eltern, const char *name, const QString &text, int oben)
{
    auto *b = benannt(new GanzKlickbar<QRadioButton>(text, eltern), name);
    b->setGeometry(312, oben, 113, kKnopfHoehe);
    return b;
}

// The scroll bars a grid of that shape needs: a 16th column or row no
// longer fits the designed area.
TStringAlignGrid::TScrollStyle Rollbalken(Matrixform form)
{
    const bool waagrecht = form.spalten > TMatrixDemoForm::kStartZellen;
    const bool senkrecht = form.zeilen > TMatrixDemoForm::kStartZellen;
    using S = TStringAlignGrid::TScrollStyle;
    return waagrecht ? (senkrecht ? S::ssBoth : S::ssHorizontal)
                     : (senkrecht ? S::ssVertical : S::ssNone);
}

} // namespace

Matrixform MatrixformFuer(qsizetype n, bool quadratisch, int spalten)
{
    qsizetype s = std::max(spalten, 1);
    if (quadratisch) {
        // The smallest whole number whose square is at least n; the floating
        // root is only the first guess.
        s = static_cast<qsizetype>(std::sqrt(static_cast<double>(n)));
        while (s > 0 && s * s >= n)
            --s;
        while (s * s < n)
            ++s;
        s = std::max<qsizetype>(s, 1);
    }
    const qsizetype zeilen = std::max<qsizetype>((n + s - 1) / s, 1);
    return { static_cast<int>(s), static_cast<int>(zeilen) };
}

QRect TMatrixDemoForm::GitterPlatz(Matrixform form)
{
    const auto mass = [](int zellen) {
        return static_cast<int>(std::min<qint64>(qint64(zellen) * kZelle + kRahmen, kFlaeche));
    };
    int breite = mass(form.spalten);
    int hoehe = mass(form.zeilen);
    using S = TStringAlignGrid::TScrollStyle;
    const S balken = Rollbalken(form);
    if (breite < kFlaeche && (balken == S::ssVertical || balken == S::ssBoth))
        breite += kRollbalken;
    if (hoehe < kFlaeche && (balken == S::ssHorizontal || balken == S::ssBoth))
        hoehe += kRollbalken;
    return { (kFlaeche - breite) / 2, (kFlaeche - hoehe) / 2, breite, hoehe };
}

TMatrixDemoForm::TMatrixDemoForm(Demohauptfenster &haupt, Demomethode &methode)
    : Demofenster("MatrixDemoForm", QStringLiteral("Matrixverschlüsselung-Demonstration"))
    , haupt(haupt)
    , methode(methode)
{
    setFixedSize(431, 305);
    erzeugeSteuerelemente();
    FormCreate();
    verbindeHandler();
}

// QWidget deletes the children after this destructor; the focus changes that
// this causes must not reach the handlers of a half-destroyed window.
TMatrixDemoForm::~TMatrixDemoForm()
{
    SAGrid->removeEventFilter(this);
    SpEdSpaltenzahl->disconnect(this);
}

// Created in tab order, so the focus chain follows creation.
void TMatrixDemoForm::erzeugeSteuerelemente()
{
    SAGrid = benannt(new TStringAlignGrid(this), "SAGrid");
    // No tab stop; a click still enters it, and SAGridEnter passes the focus
    // on to the text, as a click into the matrix means the text.
    SAGrid->setFocusPolicy(Qt::ClickFocus);
    SAGrid->installEventFilter(this);
    SAGrid->setAccessibleName(QStringLiteral("Matrix"));
    leereGitter();

    BTextUebernehmen
        = knopf(this, "BTextUebernehmen", QStringLiteral("Ü&bernehmen"), { 353, 2, 73, 19 });
    LKlartext = beschriftung(this, "LKlartext", QStringLiteral("&Klartext"), 306, 6);
    MKlartext = benannt(new Textfeld(this), "MKlartext");
    MKlartext->setGeometry(306, 24, 121, 109);
    MKlartext->setFont(Textschrift());
    LKlartext->setBuddy(MKlartext);

    RBQuadratisch = auswahl(this, "RBQuadratisch", QStringLiteral("&Quadratisch"), 144);
    RBSpaltenzahl = auswahl(this, "RBSpaltenzahl", QStringLiteral("S&paltenzahl:"), 162);
    SpEdSpaltenzahl = benannt(new Spaltenzahlfeld(this), "SpEdSpaltenzahl");
    SpEdSpaltenzahl->setGeometry(354, 180, 49, kFeldHoehe);
    // Named as the radio button that it belongs to.
    SpEdSpaltenzahl->setAccessibleName(QStringLiteral("Spaltenzahl"));

    BAktualisieren = knopf(
        this, "BAktualisieren", QStringLiteral("Matrix &aktualisieren"), { 312, 216, 115, 25 });
    BLoeschen
        = knopf(this, "BLoeschen", QStringLiteral("&Löschen (beides)"), { 312, 246, 115, 25 });
    BSchliessen = knopf(this, "BSchliessen", QStringLiteral("&Schließen"), { 312, 276, 115, 25 });
}

// The shape and the text as the other windows hold them when the window opens.
void TMatrixDemoForm::FormCreate()
{
    SpEdSpaltenzahl->setValue(methode.spaltenzahl());
    const bool quadratisch = methode.quadratisch();
    (quadratisch ? RBQuadratisch : RBSpaltenzahl)->setChecked(true);
    SpEdSpaltenzahl->setEnabled(!quadratisch);
    MKlartext->setText(oderBeispiel(haupt.klartext()));
}

// Connected after FormCreate: taking over the method window's shape is no
// choice of the user's, and must not write anything back to it.
void TMatrixDemoForm::verbindeHandler()
{
    // A radio button's handler runs when it becomes checked, not when its
    // sibling unchecks it.
    connect(RBQuadratisch, &QRadioButton::toggled, this, [this](bool gewaehlt) {
        if (gewaehlt)
            RBQuadratischClick();
    });
    connect(RBSpaltenzahl, &QRadioButton::toggled, this, [this](bool gewaehlt) {
        if (gewaehlt)
            RBSpaltenzahlClick();
    });
    connect(SpEdSpaltenzahl, &Spaltenzahlfeld::textGeaendert, this,
        &TMatrixDemoForm::SpEdSpaltenzahlChange);
    connect(BAktualisieren, &QPushButton::clicked, this, &TMatrixDemoForm::BAktualisierenClick);
    connect(BTextUebernehmen, &QPushButton::clicked, this, &TMatrixDemoForm::BTextUebernehmenClick);
    connect(BLoeschen, &QPushButton::clicked, this, &TMatrixDemoForm::BLoeschenClick);
    connect(BSchliessen, &QPushButton::clicked, this, &TMatrixDemoForm::BSchliessenClick);
}

void TMatrixDemoForm::FormShow() { BAktualisieren->setFocus(); }

bool TMatrixDemoForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == SAGrid && event->type() == QEvent::FocusIn)
        SAGridEnter();
    return QWidget::eventFilter(watched, event);
}

void TMatrixDemoForm::SAGridEnter() { MKlartext->setFocus(); }

void TMatrixDemoForm::RBQuadratischClick()
{
    SpEdSpaltenzahl->setEnabled(false);
    if (haupt.DemoOptionenUebernehmen())
        methode.setQuadratisch(true);
}

void TMatrixDemoForm::RBSpaltenzahlClick()
{
    SpEdSpaltenzahl->setEnabled(true);
    if (haupt.DemoOptionenUebernehmen())
        methode.setQuadratisch(false);
}

void TMatrixDemoForm::SpEdSpaltenzahlChange()
{
    if (haupt.DemoOptionenUebernehmen())
        methode.setSpaltenzahl(SpEdSpaltenzahl->spaltenzahl());
}

void TMatrixDemoForm::BAktualisierenClick()
{
    verschl::Text text = MKlartext->text();
    // An empty text leaves the grid as it is: cells, size, scroll bars and place.
    if (text.empty())
        return;
    const Matrixform form = MatrixformFuer(
        qsizetype(text.size()), !RBSpaltenzahl->isChecked(), SpEdSpaltenzahl->spaltenzahl());
    SAGrid->setColCount(form.spalten);
    SAGrid->setRowCount(form.zeilen);
    SAGrid->setScrollBars(Rollbalken(form));
    SAGrid->setZellenZeilenweise(std::move(text), form.spalten, form.zeilen);
    SAGrid->setGeometry(GitterPlatz(form));
}

void TMatrixDemoForm::BTextUebernehmenClick() { MKlartext->setText(haupt.klartext()); }

void TMatrixDemoForm::BLoeschenClick()
{
    MKlartext->clear();
    MKlartext->setFocus();
    leereGitter();
}

void TMatrixDemoForm::leereGitter()
{
    SAGrid->setColCount(kStartZellen);
    SAGrid->setRowCount(kStartZellen);
    SAGrid->setScrollBars(TStringAlignGrid::TScrollStyle::ssNone);
    SAGrid->setGeometry(0, 0, kFlaeche, kFlaeche);
    SAGrid->setZellenZeilenweise({}, 0, 0);
}
