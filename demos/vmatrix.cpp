// SPDX-License-Identifier: GPL-3.0-or-later
// The Vigenère demonstration's behaviour apart from stepping: what it takes
// at creation, the field lock and the key field, the two modes, reset, the
// text buttons, and what goes back to the main and method windows.

#include "demos/vmatrix.h"

#include "bausteine/bytezeile.h"
#include "demos/demobausteine.h"
#include "demos/stringaligngrid.h"
#include "schnittstellen/hauptfenster.h"
#include "schnittstellen/methodenfenster.h"

#include <algorithm>
#include <initializer_list>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QTimer>
#include <QToolButton>
#include <QWindow>

namespace {

constexpr int kBuchstaben = 26;

bool istBuchstabe(char32_t c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

} // namespace

TVMatrixForm::TVMatrixForm(Demohauptfenster &haupt, Demomethode &methode)
    : Demofenster("VMatrixForm", QStringLiteral("Vigenère-Demonstration"))
    , haupt(haupt)
    , methode(methode)
{
    erzeugeSteuerelemente();
    verbindeHandler();
    FormCreate();
}

TVMatrixForm::~TVMatrixForm() = default;

void TVMatrixForm::verbindeHandler()
{
    connect(CBEditSperren, &QCheckBox::toggled, this, &TVMatrixForm::CBEditSperrenClick);
    connect(SpBVerschluesseln, &QToolButton::clicked, this, &TVMatrixForm::SpBVerschluesselnClick);
    connect(SpBEntschluesseln, &QToolButton::clicked, this, &TVMatrixForm::SpBEntschluesselnClick);
    connect(EdSchluessel, &QLineEdit::textChanged, this, &TVMatrixForm::TextChange);
    for (Bytezeile *f : { EdText1, EdText2 })
        connect(f, &Bytezeile::textChanged, this, &TVMatrixForm::TextChange);
    for (QWidget *f : std::initializer_list<QWidget *> { EdSchluessel, EdText1, EdText2 })
        f->installEventFilter(this);
    connect(BSchritt, &QPushButton::clicked, this, &TVMatrixForm::BSchrittClick);
    connect(CBSonderzeichenIgnorieren, &QCheckBox::toggled, this,
        &TVMatrixForm::CBSonderzeichenIgnorierenClick);
    connect(CBMitBlinken, &QCheckBox::toggled, this, &TVMatrixForm::CBMitBlinkenClick);
    connect(CBAnimation, &QCheckBox::toggled, this, &TVMatrixForm::CBAnimationClick);
    connect(TrackBar, &QSlider::valueChanged, this, &TVMatrixForm::TrackBarChange);
    connect(BRueck, &QPushButton::clicked, this, &TVMatrixForm::BRueckClick);
    connect(BUmlaute, &QPushButton::clicked, this, &TVMatrixForm::BUmlauteClick);
    connect(BLeerzeichen, &QPushButton::clicked, this, &TVMatrixForm::BLeerzeichenClick);
    connect(BKlein, &QPushButton::clicked, this, &TVMatrixForm::BKleinClick);
    connect(BGross, &QPushButton::clicked, this, &TVMatrixForm::BGrossClick);
    connect(BSchliessen, &QPushButton::clicked, this, &TVMatrixForm::BSchliessenClick);
    connect(BlinkAn, &QTimer::timeout, this, &TVMatrixForm::BlinkAnTimer);
    // The grid never takes the focus; a click on it hands the focus on.
    StrAGrVMatrix->viewport()->installEventFilter(this);
}

void TVMatrixForm::FormCreate()
{
    textPos = -1;
    schluesselPos = -1;
    for (int zeile = 0; zeile < kBuchstaben; ++zeile) {
        for (int spalte = 0; spalte < kBuchstaben; ++spalte) {
            StrAGrVMatrix->setCells(
                spalte, zeile, verschl::Text(1, verschl::VigenereTabelle(zeile, spalte)));
        }
    }
    StrAGrVMatrix->ColFont(0).setStyle(TMyFont::Fett);
    StrAGrVMatrix->RowFont(0).setStyle(TMyFont::Fett);

    demo::setzeFeld(*EdSchluessel, methode.schluesselfeld());
    EdText1->setText(oderBeispiel(haupt.klartext()));
    CBSonderzeichenIgnorieren->setChecked(methode.sonderzeichenIgnorieren());

    // Read once: each control's handler writes its value back as it changes.
    const DemoEinstellungen einstellungen = haupt.demoEinstellungen();
    demo::setzeGeschwindigkeit(*TrackBar, einstellungen);
    CBAnimation->setChecked(einstellungen.Animation);
    CBMitBlinken->setChecked(einstellungen.Blinken);
}

// The blinking stops with the walk: the window is on its way to deletion.
void TVMatrixForm::closeEvent(QCloseEvent *event)
{
    BlinkAn->stop();
    Demofenster::closeEvent(event);
}

bool TVMatrixForm::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (watched == StrAGrVMatrix->viewport())
            BSchritt->setFocus();
        break;
    case QEvent::FocusIn:
        schiebeFokusWeiter(watched);
        break;
    case QEvent::FocusOut: {
        // Only a move to another control leaves the field; switching windows does not.
        const Qt::FocusReason grund = static_cast<QFocusEvent *>(event)->reason();
        if (watched == EdSchluessel && grund != Qt::ActiveWindowFocusReason
            && grund != Qt::PopupFocusReason)
            EdSchluesselExit();
        break;
    }
    case QEvent::KeyPress:
        if (watched == EdSchluessel && !EdSchluesselKeyPress(*static_cast<QKeyEvent *>(event)))
            return true;
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

// A locked field gives the focus on to the step button at once.
void TVMatrixForm::schiebeFokusWeiter(QObject *feld)
{
    if (CBEditSperren->isChecked() && (feld == EdSchluessel || feld == EdText1 || feld == EdText2))
        BSchritt->setFocus();
}

// Letters, backspace and Enter only; keys that type nothing (arrows, Delete)
// and editing shortcuts pass, and leaving the field cleans up what a paste
// brought in.
bool TVMatrixForm::EdSchluesselKeyPress(const QKeyEvent &taste) const
{
    const QString text = taste.text();
    if (text.size() != 1 || (taste.modifiers() & Qt::ControlModifier))
        return true;
    const char32_t c = text.front().unicode();
    return istBuchstabe(c) || c == '\b' || c == '\r' || c == '\n' || c == '\t' || c == 0x7f;
}

void TVMatrixForm::CBEditSperrenClick()
{
    const bool gesperrt = CBEditSperren->isChecked();
    EdSchluessel->setReadOnly(gesperrt);
    for (Bytezeile *f : { EdText1, EdText2 })
        f->setReadOnly(gesperrt);
}

verschl::Text TVMatrixForm::gesaeuberterSchluessel() const
{
    verschl::Text schluessel;
    for (const char c : demo::Feldtext(*EdSchluessel)) {
        if (demo::BuchstabenIndex(static_cast<unsigned char>(c)) >= 0)
            schluessel += c;
    }
    return schluessel.empty() ? verschl::Text(kErsatzschluessel) : schluessel;
}

void TVMatrixForm::EdSchluesselExit()
{
    const verschl::Text schluessel = gesaeuberterSchluessel();
    if (schluessel != demo::Feldtext(*EdSchluessel))
        demo::setzeFeld(*EdSchluessel, schluessel);
    if (haupt.DemoOptionenUebernehmen())
        methode.setSchluessel(schluessel);
}

// Changing a text by hand after a step starts the stepping afresh.
void TVMatrixForm::TextChange()
{
    if (!CBEditSperren->isChecked() && (textPos != -1 || schluesselPos != -1))
        BRueckClick();
}

void TVMatrixForm::SpBVerschluesselnClick() { wechsleModus(true); }

void TVMatrixForm::SpBEntschluesselnClick() { wechsleModus(false); }

void TVMatrixForm::wechsleModus(bool verschluesseln)
{
    // The buttons toggle themselves on a click; exactly the active mode's ends down.
    const auto zeigeModus = [this] {
        SpBVerschluesseln->setChecked(modusVerschluesseln);
        SpBEntschluesseln->setChecked(!modusVerschluesseln);
    };
    if (animationLaeuft || verschluesseln == modusVerschluesseln) {
        zeigeModus();
        BSchritt->setFocus();
        return;
    }
    modusVerschluesseln = verschluesseln;
    textPos = -1;
    schluesselPos = -1;
    zeigeModus();
    BSchritt->setText(verschluesseln ? QStringLiteral("&Buchstaben verschlüsseln")
                                     : QStringLiteral("&Buchstaben entschlüsseln"));
    LText1->setText(verschluesseln ? QStringLiteral("Klarte&xt") : QStringLiteral("&Chiffre"));
    LText2->setText(verschluesseln ? QStringLiteral("&Chiffre") : QStringLiteral("Klarte&xt"));
    EdSchluessel->deselect();
    EdText1->deselect();
    loescheMarkierung();

    verschl::Text neu = EdText2->text();
    if (!neu.empty()) {
        neu.resize(neu.size() - std::min<size_t>(size_t(fuellzeichen), neu.size()));
    } else {
        neu = verschluesseln ? haupt.klartext() : haupt.chiffre();
        if (neu.empty() && verschluesseln) {
            neu = kBeispielsatz;
        } else if (neu.empty()) {
            // The key as leaving the field would clean it: never empty.
            neu = verschl::VigenereVerschluesseln(
                kBeispielsatz, gesaeuberterSchluessel(), CBSonderzeichenIgnorieren->isChecked())
                      .value_or(kBeispielsatz);
        }
    }
    fuellzeichen = 0;
    EdText2->clear();
    EdText1->setText(neu);
}

void TVMatrixForm::BRueckClick()
{
    if (animationLaeuft)
        return;
    textPos = -1;
    schluesselPos = -1;
    fuellzeichen = 0;
    EdText2->clear();
    EdSchluessel->deselect();
    EdText1->deselect();
    loescheMarkierung();
}

void TVMatrixForm::wandleTexte(verschl::Text (*funktion)(const verschl::Text &))
{
    if (animationLaeuft)
        return;
    demo::setzeFeld(*EdSchluessel, funktion(demo::Feldtext(*EdSchluessel)));
    EdText1->setText(funktion(EdText1->text()));
    BRueckClick();
}

void TVMatrixForm::BUmlauteClick() { wandleTexte(verschl::ErsetzeUmlaute); }

void TVMatrixForm::BLeerzeichenClick() { wandleTexte(verschl::LoescheLeerzeichen); }

void TVMatrixForm::BKleinClick() { wandleTexte(verschl::InKleinschrift); }

void TVMatrixForm::BGrossClick() { wandleTexte(verschl::InGrossschrift); }

void TVMatrixForm::CBSonderzeichenIgnorierenClick()
{
    if (haupt.DemoOptionenUebernehmen())
        methode.setSonderzeichenIgnorieren(CBSonderzeichenIgnorieren->isChecked());
}

// A blinking already running goes on until the marking is next cleared.
void TVMatrixForm::CBMitBlinkenClick() { demo::schreibeBlinken(haupt, CBMitBlinken->isChecked()); }

void TVMatrixForm::CBAnimationClick()
{
    const bool an = CBAnimation->isChecked();
    if (animationLaeuft) {
        // The box has already turned; ignored means it turns back.
        const QSignalBlocker still(CBAnimation);
        CBAnimation->setChecked(!an);
        return;
    }
    demo::zeigeAnimation(*CBAnimation, *TrackBar);
    demo::schreibeAnimation(haupt, an);
}

void TVMatrixForm::TrackBarChange() { demo::schreibeGeschwindigkeit(haupt, TrackBar->value()); }
